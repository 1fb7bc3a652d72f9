#!/usr/bin/env bash
# Makes the installer of a Windows program folder: make-installer.sh FOLDER SETUP.exe ICONS
# (ICONS: the folder of vibrix.ico)
# The uninstaller removes exactly the files the installer put there (lists written here), so that a
# folder the user chose is never emptied of anything else.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=$(realpath "$1")
setup=$(realpath -m "$2")
lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT

windows() { printf '%s' "${1//\//\\}"; }
(
  cd "$folder"
  find . -mindepth 1 -type d | sed 's|^\./||' | sort | while read -r d; do
    printf 'CreateDirectory "$INSTDIR\\%s"\n' "$(windows "$d")"
  done
  find . -type f | sed 's|^\./||' | sort | while read -r f; do
    printf 'File "/oname=%s" "%s"\n' "$(windows "$f")" "$folder/$f"
  done
) > "$lists/install-files.nsh"
(
  cd "$folder"
  find . -type f | sed 's|^\./||' | sort | while read -r f; do
    printf 'Delete "$INSTDIR\\%s"\n' "$(windows "$f")"
  done
  find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | while read -r d; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(windows "$d")"
  done
) > "$lists/uninstall-files.nsh"

makensis -V2 -INPUTCHARSET UTF8 -DLISTS="$lists" -DOUTFILE="$setup" -DICONS="$(realpath "$3")" "$here/installer.nsi"
