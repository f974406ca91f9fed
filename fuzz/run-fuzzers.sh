#!/usr/bin/env bash
# Runs every fuzz target for a while: fuzz/run-fuzzers.sh [SECONDS_EACH] [TARGET...]
# Builds the fuzz configuration first. New inputs go to build/fuzz/corpus/<target> (the committed
# seeds under fuzz/corpus stay as they are); a failing input is kept in build/fuzz/artifacts and
# fails the run. Copy a finding into fuzz/corpus/<target> once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${JOBS:-$(nproc)}" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_profile_file fuzz_settings_store fuzz_ansi_codec fuzz_unicode_text
           fuzz_number_text fuzz_dropped_text_file fuzz_suggestion_answer fuzz_engine_import)
fi

failed=()
for t in "${targets[@]}"; do
  work=build/fuzz/corpus/$t
  artifacts=build/fuzz/artifacts/$t/
  mkdir -p "$work" "$artifacts"
  extra=()
  case $t in
    fuzz_profile_file | fuzz_settings_store) extra+=(-dict=fuzz/profile.dict) ;;
    # Inputs past the reader's 64 KB chunks reach the joins between chunks.
    fuzz_dropped_text_file) extra+=(-max_len=140000 -len_control=20) ;;
  esac
  echo "fuzz: $t for ${seconds}s"
  if ! build/fuzz/fuzzers/"$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts" "${extra[@]}" \
      "$work" "fuzz/corpus/$t" >"build/fuzz/$t.log" 2>&1; then
    failed+=("$t")
    echo "fuzz: $t FAILED (input in $artifacts)"
    grep -a -E -A8 'property failed|ERROR: (AddressSanitizer|libFuzzer)|runtime error' \
      "build/fuzz/$t.log" | head -40
  else
    grep -a -E '^stat::(number_of_executed_units|new_units_added)' "build/fuzz/$t.log" | sed "s/^/fuzz: $t /"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failing targets: ${failed[*]}"
  exit 1
fi
