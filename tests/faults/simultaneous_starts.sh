#!/usr/bin/env bash
# simultaneous_starts.sh VELTO [N]: starts N copies of the search bar at once in one fresh
# program folder (offscreen); exactly one may keep running. That one then gets SIGTERM, runs its
# closing steps and ends by itself, leaving a whole velto.ini.
set -uo pipefail
velto=$1
n=${2:-10}
dir=$(mktemp -d /tmp/velto-starts-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$dir"
}
trap cleanup EXIT
cp "$velto" "$dir/velto"
export QT_QPA_PLATFORM=offscreen LANG=ja_JP.UTF-8 QT_LOGGING_RULES='qt.qpa.*=false'

running() {  # the started processes not yet ended (zombies count as ended)
  local p
  for p in "${pids[@]}"; do
    local state
    state=$(ps -o stat= -p "$p" 2>/dev/null) || continue
    [[ $state == Z* ]] || echo "$p"
  done
}

for _ in $(seq "$n"); do
  "$dir/velto" >/dev/null 2>&1 &
  pids+=($!)
done

# The starts that lose end at once; wait for them, then make sure the count stays at one.
deadline=$((SECONDS + 60))
while [ "$(running | wc -l)" -gt 1 ] && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
sleep 2
left=($(running))
if [ ${#left[@]} -ne 1 ]; then
  echo "FAIL: ${#left[@]} of $n starts are running, expected exactly 1"
  exit 1
fi
echo "one of $n starts is running (pid ${left[0]})"

kill -TERM "${left[0]}"
wait "${left[0]}"
status=$?
if [ $status -ge 128 ]; then
  echo "FAIL: the search bar did not end by itself after SIGTERM (status $status)"
  exit 1
fi
if ! grep -q '^\[Velto\]' "$dir/velto.ini" || ! grep -q '^SearchHistory(9)=' "$dir/velto.ini"; then
  echo "FAIL: velto.ini is not whole:"
  cat "$dir/velto.ini"
  exit 1
fi
echo "it ended by itself (status $status) and velto.ini is whole"
