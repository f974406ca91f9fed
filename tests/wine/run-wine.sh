#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine: a 32-bit prefix of the build's own,
# Japanese locale (ANSI code page 932), no debug chatter. Creates the prefix on first use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# VELTO_WINE_ARCH=win64: the 64-bit build of the same sources in a 64-bit prefix, for machines
# whose kernel does not run 32-bit programs. Each architecture has a default prefix of its own:
# Wine refuses a prefix made for the other one.
if [ "${VELTO_WINE_ARCH:-win32}" = win64 ]; then
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  export WINEPREFIX=${VELTO_WINEPREFIX:-$here/../../build/wineprefix-win64}
else
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  export WINEPREFIX=${VELTO_WINEPREFIX:-$here/../../build/wineprefix}
fi
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
"$here/ensure-prefix.sh"
exec "$WINELOADER" "$@"
