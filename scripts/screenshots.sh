#!/usr/bin/env bash
# make screenshots: pictures of the real programs into docs/, the Qt search bar and settings
# dialog under Xvfb, the Win32 ones under Wine on the same X server. Each program starts in a
# fresh folder with the factory settings (velto-config defaults) and a short history; the
# browser is a stand-in that opens nothing. The Windows pictures are taken with fonts whose
# widths are those of a Japanese Windows system, and only when every caption of the settings
# dialog fits its control.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
linux="${VELTO_LINUX_BUILD:-$root/build/linux}"
win32="${VELTO_WIN32_BUILD:-$root/build/win32}"
# Where the kernel does not start 32-bit programs, the 64-bit build of the same sources is shown.
if [ -z "${VELTO_WIN32_BUILD:-}" ] && ! "$root/scripts/runs-32-bit-programs.sh"; then
  win32="$root/build/win64"
  export VELTO_WINE_ARCH=win64
fi
docs="${VELTO_SCREENSHOTS_DIR:-$root/docs}"

if [ -z "${VELTO_SCREENSHOTS_INSIDE:-}" ]; then
  for f in "$linux/velto" "$linux/velto-config" "$win32/velto.exe" "$win32/tests/velto_driver.exe"; do
    [ -x "$f" ] || [ -f "$f" ] || { echo "screenshots: $f is missing; run make build" >&2; exit 1; }
  done
  # An X server of its own that does not reset between the many short xdotool clients.
  exec xvfb-run -a -s "-screen 0 800x600x24 -noreset" \
    env VELTO_SCREENSHOTS_INSIDE=1 "${BASH_SOURCE[0]}" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
prefix="$root/build/wineprefix-shots"
trap cleanup EXIT

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
mkdir -p "$work/bin" "$docs"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" BROWSER="$work/bin/xdg-open"

query="東京 タワー"
# The factory settings and a short history, written by the program's own tool.
prepare() {
  "$linux/velto-config" --dir "$1" defaults
  local i=0
  for entry in "天気予報" "新幹線 時刻表" "ラーメン 札幌"; do
    "$linux/velto-config" --dir "$1" set History "SearchHistory($i)" "$entry"
    i=$((i + 1))
  done
  "$linux/velto-config" --dir "$1" set Velto Top 1500
  "$linux/velto-config" --dir "$1" set Velto Left 1500
}

# The id of the visible window with exactly this title, once there is one.
wait_window() {
  local id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "screenshots: no window named $1" >&2
  return 1
}

shoot() {
  sleep 1  # let the window finish painting
  import -window "$1" "$docs/$2"
  echo "screenshots: $docs/$2"
}

# --- Qt front end ------------------------------------------------------------------------
qt="$work/qt"
mkdir -p "$qt"
cp "$linux/velto" "$linux/Help.html" "$qt/"
prepare "$qt"
"$qt/velto" >/dev/null 2>&1 &
pids+=($!)
bar=$(wait_window "ヴェルト")
xdotool windowfocus --sync "$bar"
sleep 0.3
xdotool type --delay 40 "$query"
shoot "$bar" search-bar-qt.png
# The menu button, then its first entry "設定".
xdotool mousemove --window "$bar" 225 46 click 1
sleep 0.5
xdotool key --delay 40 Down Return
dialog=$(wait_window "設定")
shoot "$dialog" settings-dialog-qt.png
kill "${pids[-1]}"

# --- Win32 front end under Wine ------------------------------------------------------------
w="$work/win32"
mkdir -p "$w"
cp "$win32/velto.exe" "$win32/Help.html" "$w/"
prepare "$w"
z() { echo "Z:$(echo "$1" | tr / '\\')"; }
wine_shots() { VELTO_WINEPREFIX="$prefix" "$root/tests/wine/run-wine.sh" "$@"; }
# Windows draws the dialog's captions in "ＭＳ Ｐゴシック" and in the system's message font, "MS UI
# Gothic" on a Japanese system; the prefix has neither. Ume P Gothic is drawn to their widths
# (IPA's proportional gothic is two pixels wider on "ボタン1" and cuts the captions short); IPA's
# fixed-pitch gothic stands in for the fixed-pitch faces.
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine_shots reg add "$key" /v "$face" /d "Ume P Gothic" /f >/dev/null 2>&1
done
for face in "ＭＳ ゴシック" "MS Gothic"; do
  wine_shots reg add "$key" /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
done
WINEPREFIX="$prefix" wineserver -w || true
wine_shots "$win32/tests/velto_driver.exe" "$(z "$work/driver.txt")" "$(z "$w/velto.exe")" \
  start: "type:$query" sleep:8000 menu:1 dlg-wait dlg-labels sleep:8000 close wait-exit \
  >/dev/null 2>&1 &
pids+=($!)
bar=$(wait_window "ヴェルト")
sleep 2  # the driver types the query
shoot "$bar" search-bar-win32.png
dialog=$(wait_window "設定")
shoot "$dialog" settings-dialog-win32.png
wait "${pids[-1]}" || true
# Every caption drawn whole, or the pictures do not stay.
if ! grep -qx 'labels=whole' "$work/driver.txt"; then
  echo "screenshots: captions of the Windows settings dialog are cut:" >&2
  grep '^label-cut=' "$work/driver.txt" >&2 || echo "  (the driver measured nothing)" >&2
  rm -f "$docs/search-bar-win32.png" "$docs/settings-dialog-win32.png"
  exit 1
fi
