#!/usr/bin/env bash
# Size and start-up time of velto.exe under Wine against a minimal one-window program, in one
# run on one display and one Wine prefix. Usage: bench/win32/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/win32}" && pwd)
runs=${2:-10}
work=$(mktemp -d)
# shellcheck disable=SC2064
trap 'rm -rf "$work"' EXIT
mkdir "$work/velto" "$work/empty"
cp "$build/velto.exe" "$work/velto/"
cp "$build/bench/empty_window.exe" "$work/empty/"
export VELTO_WINEPREFIX=${VELTO_WINEPREFIX:-$build/wineprefix-gui}
wine_run="$here/../../tests/wine/run-wine.sh"
to_win() { echo "Z:${1//\//\\}"; }

bench() {
  # One warm-up start each, so neither pays for the Wine server and the prefix alone.
  "$wine_run" "$build/bench/startup_timer.exe" "$(to_win "$work/empty/empty_window.exe")" VeltoBenchEmpty 1 >/dev/null
  echo "size: velto.exe $(stat -c %s "$build/velto.exe") bytes, empty_window.exe $(stat -c %s "$build/bench/empty_window.exe") bytes"
  echo "start-up, empty_window.exe: $("$wine_run" "$build/bench/startup_timer.exe" "$(to_win "$work/empty/empty_window.exe")" VeltoBenchEmpty "$runs")"
  echo "start-up, velto.exe:        $("$wine_run" "$build/bench/startup_timer.exe" "$(to_win "$work/velto/velto.exe")" VeltoSearchBar "$runs")"
}
if [ -n "${VELTO_BENCH_INSIDE:-}" ]; then
  bench
else
  VELTO_BENCH_INSIDE=1 xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$build" "$runs" 2>&1 | grep -v setlocale
fi
