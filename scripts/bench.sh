#!/usr/bin/env bash
# make bench: runs every benchmark under bench/ with its baselines in the same run and writes
# docs/performance.md. The raw outputs stay in build/bench-results.
#   scripts/bench.sh [--quick]   (--quick: shorter runs, for trying the script out)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
linux=${BENCH_LINUX_BUILD:-$root/build/linux}
win32=${BENCH_WIN32_BUILD:-$root/build/win32}
# Where the kernel does not start 32-bit programs, the 64-bit build of the same sources is timed
# under 64-bit Wine instead; the report says which.
if [ -z "${BENCH_WIN32_BUILD:-}" ] && ! scripts/runs-32-bit-programs.sh; then
  win32=$root/build/win64
  export VELTO_WINE_ARCH=win64
fi
out=$root/build/bench-results
rm -rf "$out"
mkdir -p "$out"
min_time=0.5
# Start-up times on a shared machine swing by several milliseconds from run to run; the median
# of many alternating rounds is what holds still.
rounds=61
wine_runs=31
if [ "${1:-}" = "--quick" ]; then
  min_time=0.05
  rounds=3
  wine_runs=3
fi

step() { echo "bench: $*"; }
# Runs a command, keeping its output (and a note when it fails) for the report.
keep() {
  local name=$1
  shift
  if ! "$@" >"$out/$name.txt" 2>"$out/$name.err"; then
    echo "FAILED: $* (see build/bench-results/$name.err)" >>"$out/$name.txt"
    step "$name failed"
  fi
}

# Google Benchmark programs of the Linux build (bench/*.cpp), as JSON.
for exe in "$linux"/bench/*_bench; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  step "$name"
  "$exe" --benchmark_min_time="$min_time" --benchmark_format=json \
    --benchmark_out="$out/$name.json" --benchmark_out_format=json >/dev/null 2>"$out/$name.err" ||
    step "$name failed"
done

# The Linux program against a minimal Qt program; the front end's own figures.
if [ -x "$linux/bench/qt/front_end_bench" ]; then
  step "front_end_bench"
  keep front_end_bench env QT_QPA_PLATFORM=offscreen LANG=ja_JP.UTF-8 \
    "$linux/bench/qt/front_end_bench" "$linux/bench/qt/stamp-bin"
fi
if [ -f bench/qt/startup_bench.py ] && [ -x "$linux/bench/qt/map_watch" ]; then
  step "startup_bench.py ($rounds rounds)"
  keep startup_qt python3 bench/qt/startup_bench.py "$linux" "$rounds"
fi

# velto.exe under Wine against a minimal Win32 program.
if [ -x bench/win32/startup.sh ] && [ -f "$win32/velto.exe" ]; then
  step "win32 startup.sh ($wine_runs runs)"
  keep startup_win32 bench/win32/startup.sh "$win32" "$wine_runs"
fi

# Any other benchmark script added under bench/ gets the Linux build folder.
for script in $(find bench -name '*.py' -o -name '*.sh' | sort); do
  case $script in
    bench/qt/startup_bench.py | bench/win32/startup.sh) continue ;;
  esac
  name=$(echo "${script#bench/}" | tr '/.' '__')
  step "$script"
  keep "$name" "$script" "$linux"
done

# Machine facts for the report.
{
  echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
  echo "cores: $(nproc)"
  echo "memory: $(free -m | awk '/Mem:/ {print $2}') MiB"
  echo "kernel: $(uname -r)"
  echo "windows build timed: $(basename "$win32") ($( [ "${VELTO_WINE_ARCH:-win32}" = win64 ] && echo '64-bit Wine: this kernel does not start 32-bit programs' || echo '32-bit Wine'))"
  echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "commit: $(git rev-parse --short HEAD)"
  echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
} >"$out/machine.txt"

python3 scripts/bench_report.py "$out" docs/performance.md
step "wrote docs/performance.md"
