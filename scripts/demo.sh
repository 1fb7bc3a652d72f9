#!/usr/bin/env bash
# The main job on built-in demo data: a generated folder of measurement files, read back.
set -euo pipefail
build=$1
demo="$build/demo/ssm"
rm -rf "$demo"
"$build/tools/ssmgen/ssmgen" demo "$demo"
echo "demo folder: $demo"
"$build/tools/ssminfo/ssminfo" "$demo"
