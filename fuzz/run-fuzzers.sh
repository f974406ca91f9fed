#!/usr/bin/env bash
# Runs every fuzz target for a while: fuzz/run-fuzzers.sh [SECONDS_EACH] [TARGET...]
# Builds the fuzz configuration first. New inputs go to build/fuzz/corpus/<target> (the committed
# seeds under fuzz/corpus stay as they are); a failing input is kept in build/fuzz/artifacts and
# fails the run. Copy a finding into fuzz/corpus/<target> once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
# NICE: a command the build runs under (make check builds at a low priority beside other tests).
[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
${NICE:-} cmake --build --preset fuzz -j "${JOBS:-$(nproc)}" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_profile_file fuzz_settings_store fuzz_ansi_codec fuzz_unicode_text
           fuzz_number_text fuzz_dropped_text_file fuzz_suggestion_answer fuzz_engine_import)
fi

# One target per core at a time: each is single-threaded.
run_one() {
  local t=$1 work=build/fuzz/corpus/$1 artifacts=build/fuzz/artifacts/$1/
  mkdir -p "$work" "$artifacts"
  local extra=()
  case $t in
    fuzz_profile_file | fuzz_settings_store) extra+=(-dict=fuzz/profile.dict) ;;
    # Inputs past the reader's 64 KB chunks reach the joins between chunks.
    fuzz_dropped_text_file) extra+=(-max_len=140000 -len_control=20) ;;
  esac
  build/fuzz/fuzzers/"$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "${extra[@]}" \
    "$work" "fuzz/corpus/$t" >"build/fuzz/$t.log" 2>&1
}

jobs=${JOBS:-$(nproc)}
declare -A running=()
failed=()
report() {  # report TARGET STATUS
  if [ "$2" -ne 0 ]; then
    failed+=("$1")
    echo "fuzz: $1 FAILED (input in build/fuzz/artifacts/$1/)"
    grep -a -E -A8 'property failed|ERROR: (AddressSanitizer|libFuzzer)|runtime error' \
      "build/fuzz/$1.log" | head -40
  else
    grep -a -E '^stat::(number_of_executed_units|new_units_added)' "build/fuzz/$1.log" | sed "s/^/fuzz: $1 /"
  fi
}
wait_for_one() {
  local pid status=0
  wait -n -p pid "${!running[@]}" || status=$?
  report "${running[$pid]}" "$status"
  unset "running[$pid]"
}
for t in "${targets[@]}"; do
  while [ ${#running[@]} -ge "$jobs" ]; do wait_for_one; done
  echo "fuzz: $t for ${seconds}s"
  run_one "$t" &
  running[$!]=$t
done
while [ ${#running[@]} -gt 0 ]; do wait_for_one; done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failing targets: ${failed[*]}"
  exit 1
fi
