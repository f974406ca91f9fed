#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine: a 32-bit prefix of the build's own,
# Japanese locale (ANSI code page 932), no debug chatter. Creates the prefix on first use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${VELTO_WINEPREFIX:-$here/../../build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
"$here/ensure-prefix.sh"
exec wine "$@"
