#!/usr/bin/env bash
# Size and start-up time of velto.exe under Wine against a minimal one-window program and a
# yardstick with the search bar's controls and texts (and, to show what OLE costs, the same
# with OLE and a drop target before the window is shown), in one run on one display and one
# Wine prefix. Usage: bench/win32/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/win32}" && pwd)
runs=${2:-21}
work=$(mktemp -d)
# shellcheck disable=SC2064
trap 'rm -rf "$work"' EXIT
mkdir "$work/velto" "$work/empty" "$work/yardstick"
cp "$build/velto.exe" "$work/velto/"
cp "$build/bench/empty_window.exe" "$work/empty/"
cp "$build/bench/yardstick_window.exe" "$work/yardstick/"
export VELTO_WINEPREFIX=${VELTO_WINEPREFIX:-$build/wineprefix-gui}
wine_run="$here/../../tests/wine/run-wine.sh"
to_win() { echo "Z:${1//\//\\}"; }

bench() {
  echo "size: velto.exe $(stat -c %s "$build/velto.exe") bytes, empty_window.exe $(stat -c %s "$build/bench/empty_window.exe") bytes"
  local yard lines
  yard=$(to_win "$work/yardstick/yardstick_window.exe")
  # One timer runs all four, taking turns round by round (see startup_timer.cpp).
  lines=$("$wine_run" "$build/bench/startup_timer.exe" "$runs" \
    "$(to_win "$work/empty/empty_window.exe")" VeltoBenchEmpty "" \
    "$yard" VeltoBenchYardstick "" "$yard" VeltoBenchYardstick /OLE \
    "$(to_win "$work/velto/velto.exe")" VeltoSearchBar "" | tr -d '\r')
  paste -d ' ' <(printf '%s\n' "start-up, empty_window.exe:     " "start-up, yardstick:            " \
    "start-up, yardstick, OLE first: " "start-up, velto.exe:            ") <(echo "$lines")
}
# The medians' ratios, from the lines above.
ratios() {
  awk '/^start-up,/ {sub(/.*median /, ""); sub(/ ms.*/, ""); m[++n] = $0}
       END {if (n == 4 && m[2] > 0) {
              printf "velto.exe / yardstick start-up %.2f x (goal <= 1.10); velto.exe / empty window %.2f x\n", m[4] / m[2], m[4] / m[1];
              printf "what OLE and a drop target cost before the window: %.1f ms (yardstick, OLE first - yardstick)\n", m[3] - m[2]}}'
}
# The same two, round by round: each round starts them one after the other, so a round's
# ratio sees the machine's load of that moment on both sides; its median is the steadier figure.
round_ratios() {
  awk '/^start-up,/ {sub(/.*runs /, ""); line[++n] = $0}
       END {if (n == 4) {
              k = split(line[2], y, " "); split(line[4], v, " ")
              for (i = 1; i <= k; ++i) r[i] = v[i] / y[i]
              for (i = 1; i <= k; ++i) for (j = i + 1; j <= k; ++j) if (r[j] < r[i]) {t = r[i]; r[i] = r[j]; r[j] = t}
              m = (k % 2) ? r[(k + 1) / 2] : (r[k / 2] + r[k / 2 + 1]) / 2
              printf "velto.exe / yardstick start-up, round by round: median ratio %.2f x\n", m}}'
}
if [ -n "${VELTO_BENCH_INSIDE:-}" ]; then
  bench | tee "$work/lines"
  ratios <"$work/lines"
  round_ratios <"$work/lines"
else
  VELTO_BENCH_INSIDE=1 xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$build" "$runs" 2>&1 | grep -v setlocale
fi
