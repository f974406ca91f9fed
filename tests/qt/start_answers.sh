#!/usr/bin/env bash
# start_answers.sh VELTO VERSION: the real velto asked for its version and help, and started
# without a display; each ends at once, says so, and leaves its folders as they were.
set -uo pipefail
velto=$1 version=$2
passed=0 failed=0
check() { local name=$1; shift; if "$@"; then echo "ok   $name"; passed=$((passed + 1)); else echo "FAIL $name"; failed=$((failed + 1)); fi; }

work=$(mktemp -d)
trap 'rm -rf "$work" "$work.out" "$work.err"' EXIT
mkdir "$work/bin" "$work/home"
cp "$velto" "$work/bin/velto"
snapshot() { (cd "$work" && find . | sort); }
before=$(snapshot)

# Runs the copy with no display of any kind unless the arguments say otherwise; the cores
# ulimit keeps an abort from leaving a file that would not show up otherwise.
run() {
  (ulimit -c 0; cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home" \
    "$@" "$work/bin/velto" ${ARGS:-} >"$work.out" 2>"$work.err")
  status=$?
  out=$(cat "$work.out") err=$(cat "$work.err")
}

ARGS=--version run
check "--version prints the project version and exits 0" test "$status:$out" = "0:velto $version"
ARGS=--help run
check "--help prints the command line and exits 0" \
  test "$status" = 0 -a -n "$(grep -F '[/D]' <<<"$out")" -a -z "$err"

for display in "" ":4242" "wayland-42"; do
  case $display in
    "") ARGS="" run ;;
    :*) ARGS="/D" run DISPLAY="$display" ;;
    *) ARGS="" run WAYLAND_DISPLAY="$display" ;;
  esac
  check "no display '$display': status 1" test "$status" = 1
  check "no display '$display': one line on stderr, nothing on stdout" \
    test "$(wc -l <"$work.err"):$out" = "1:" -a -n "$(grep '^velto: ' <<<"$err")"
done
# A search that cannot be carried out: status 2 and the reason, before any display, lock or file.
long=$(printf 'x%.0s' $(seq 32768))
for case in "--search:needs a text" "--search $long:longer than 32,767" \
  $'--search \xff:not valid UTF-8' "/S \"\":needs a text"; do
  ARGS=${case%:*} run DISPLAY=:4242
  check "refused search (${case#*:}): status 2, one line" \
    test "$status:$(wc -l <"$work.err"):$out" = "2:1:" -a -n "$(grep -F "${case#*:}" <<<"$err")"
done
check "nothing written by any of these starts" test "$(snapshot)" = "$before"

# Qt's offscreen platform needs no display: the search bar runs (and is ended).
(cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
  XDG_CONFIG_HOME="$work/home/config" "$work/bin/velto" --unknown-option 2>/dev/null) &
pid=$!
sleep 2
if kill -0 "$pid" 2>/dev/null; then
  check "offscreen with an unknown option runs" true
  kill -TERM "$pid"
  wait "$pid"
  check "... and ends on SIGTERM with status 0" test $? = 0
else
  wait "$pid"
  check "offscreen with an unknown option runs (ended with $?)" false
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
