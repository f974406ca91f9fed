#!/usr/bin/env bash
# Starts the search bar of the Linux build. On the first run it puts the starter settings
# (velto-config starter) beside the program, so that the four engine buttons are labelled.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELTO_BUILD_DIR:-$root/build/linux}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-velto: no display to show the search bar on (DISPLAY and WAYLAND_DISPLAY are empty); run it in a desktop session or under xvfb-run" >&2
  exit 1
fi
if [ -z "${WAYLAND_DISPLAY:-}" ] && command -v xdpyinfo >/dev/null && ! xdpyinfo >/dev/null 2>&1; then
  echo "run-velto: cannot reach the X display '$DISPLAY'" >&2
  exit 1
fi
for tool in velto velto-config; do
  if [ ! -x "$build/$tool" ]; then
    echo "run-velto: $build/$tool is missing; build it first (make build-linux)" >&2
    exit 1
  fi
done

if [ ! -e "$build/velto.ini" ]; then
  "$build/velto-config" starter
fi
exec "$build/velto" "$@"
