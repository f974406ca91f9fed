#!/usr/bin/env bash
# Creates the 32-bit Wine prefix once; concurrent callers wait for the first one.
set -euo pipefail
: "${WINEPREFIX:?}"
export WINEARCH=${WINEARCH:-win32} WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.velto-ready-2" ]; then
  export LANG=ja_JP.UTF-8
  "${WINELOADER:-wine}" wineboot -i >/dev/null 2>&1 || true
  # The prefix has no Windows Japanese fonts: let the system's proportional IPA gothic stand in
  # for the fonts the program asks for, so captions measure and look as on Windows.
  key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  "${WINELOADER:-wine}" reg add "$key" /v "ＭＳ Ｐゴシック" /d "IPAPGothic" /f >/dev/null 2>&1 || true
  "${WINELOADER:-wine}" reg add "$key" /v "ＭＳ ゴシック" /d "IPAGothic" /f >/dev/null 2>&1 || true
  wineserver -w || true
  touch "$WINEPREFIX/.velto-ready-2"
fi
