; The Windows installer of both programs (make-installer.sh passes LISTS and OUTFILE).
; Installs the program folder into Program Files for every user, with Start-menu entries for both
; programs; .cdsm projects open in vibrix and .ssm measurement files get a type of their own. The
; uninstaller removes what was installed and nothing else. "/S" installs and uninstalls silently.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "x64.nsh"

!define PRODUCT "Vibrix4"
!define VERSION "4.0.0"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vibrix4"
!define MENU "$SMPROGRAMS\Vibrix4"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vibrix4"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка ${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${ICONS}/vibrix.ico"
!define MUI_UNICON "${ICONS}/vibrix.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Vibrix4"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !include "${LISTS}/install-files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\Vibrix4.lnk" "$INSTDIR\vibrix.exe"
  CreateShortcut "${MENU}\Трассы Vibrix4.lnk" "$INSTDIR\tracebuilder.exe"
  CreateShortcut "${MENU}\Справка Vibrix4.lnk" "$INSTDIR\vibrix.pdf"
  CreateShortcut "${MENU}\Справка по трассам.lnk" "$INSTDIR\Help.pdf"

  ; Projects open in vibrix; a measurement file opens tracebuilder on its folder.
  WriteRegStr HKLM "Software\Classes\.cdsm" "" "Vibrix4.Project"
  WriteRegStr HKLM "Software\Classes\Vibrix4.Project" "" "Проект Vibrix4"
  WriteRegStr HKLM "Software\Classes\Vibrix4.Project\DefaultIcon" "" "$INSTDIR\vibrix.exe,-2"
  WriteRegStr HKLM "Software\Classes\Vibrix4.Project\shell\open\command" "" '"$INSTDIR\vibrix.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\.ssm" "" "Vibrix4.Measurement"
  WriteRegStr HKLM "Software\Classes\Vibrix4.Measurement" "" "Измерение Vibrix4"
  WriteRegStr HKLM "Software\Classes\Vibrix4.Measurement\DefaultIcon" "" "$INSTDIR\vibrix.exe,-3"
  WriteRegStr HKLM "Software\Classes\Vibrix4.Measurement\shell\open\command" "" '"$INSTDIR\tracebuilder.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vibrix.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Explorer shows the new file types at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  !include "${LISTS}/uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU}\Vibrix4.lnk"
  Delete "${MENU}\Трассы Vibrix4.lnk"
  Delete "${MENU}\Справка Vibrix4.lnk"
  Delete "${MENU}\Справка по трассам.lnk"
  RMDir "${MENU}"

  ; The extensions only while they still name our types: another program may have taken them.
  ReadRegStr $0 HKLM "Software\Classes\.cdsm" ""
  StrCmp $0 "Vibrix4.Project" 0 +2
  DeleteRegKey HKLM "Software\Classes\.cdsm"
  ReadRegStr $0 HKLM "Software\Classes\.ssm" ""
  StrCmp $0 "Vibrix4.Measurement" 0 +2
  DeleteRegKey HKLM "Software\Classes\.ssm"
  DeleteRegKey HKLM "Software\Classes\Vibrix4.Project"
  DeleteRegKey HKLM "Software\Classes\Vibrix4.Measurement"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
