#!/usr/bin/env bash
# at_dpi.sh DPI PROGRAM [ARGS...]: runs a Windows test program under Wine with the prefix's
# screen DPI (LogPixels) set to DPI, as the display settings' scale of 100-200 % sets it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dpi=$1
shift
"$here/run-wine.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
"$here/run-wine.sh" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
exec "$here/run-wine.sh" "$@"
