#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer)
# in build-fuzz, makes the seed corpus from the test recordings, runs each target
# for SECONDS (default 60), then replays every fixture in tests/fuzz-fixtures.
# A crash, hang, leak or oversized allocation fails the run and leaves its input
# in build-fuzz/fuzz-findings/TARGET/.
#
# Usage: tools/fuzz.sh [SECONDS]
#   TRACKORA_FUZZ_BUILD  build folder (build-fuzz)
#   TRACKORA_TEST_MEDIA  recordings to seed from (build/test-media if made, else generated)
#   TRACKORA_FUZZ_JOBS   targets run at the same time (the number of CPUs)
#   TRACKORA_FUZZ_TARGETS  which targets (all seven)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
case "$seconds" in ''|*[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;; esac
build="${TRACKORA_FUZZ_BUILD:-$here/build-fuzz}"
jobs="${TRACKORA_FUZZ_JOBS:-$(nproc)}"
targets=${TRACKORA_FUZZ_TARGETS:-"mp4parser aviparser gpsrecord videoparser nmea gpx gpmf"}

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
"$here/tools/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DTRACKORA_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz-targets

media="${TRACKORA_TEST_MEDIA:-}"
if [ -z "$media" ]; then
  media="$here/build/test-media"
  [ -f "$media/manifest.json" ] || media="$build/test-media"
fi
if [ ! -f "$media/manifest.json" ]; then
  FFMPEG=${FFMPEG:-ffmpeg} python3 "$here/tools/gen/make_test_media.py" "$media"
fi
python3 "$here/fuzz/make_seeds.py" "$media" "$build/fuzz-seeds"

# Leaks and every sanitizer report end the run; one parse over 10 s is a hang
# (the limit leaves room for a loaded machine), and no single allocation may
# exceed 64 MiB (the inputs are well under 1 MiB).
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
flags=(-timeout=10 -malloc_limit_mb=64 -rss_limit_mb=2048 -dict="$here/fuzz/trackora.dict"
  -print_final_stats=1)

run_target() {
  local t=$1 log="$build/fuzz-logs/$1.log"
  mkdir -p "$build/fuzz-corpus/$t" "$build/fuzz-findings/$t"
  if "$build/fuzz/fuzz_$t" "${flags[@]}" -max_total_time="$seconds" \
      -artifact_prefix="$build/fuzz-findings/$t/" \
      "$build/fuzz-corpus/$t" "$build/fuzz-seeds/$t" >"$log" 2>&1; then
    echo "fuzz_$t: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs," \
      "$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1), no finding"
  else
    echo "fuzz_$t: FINDING, see $log and $build/fuzz-findings/$t/" >&2
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed)' "$log" >&2 || tail -20 "$log" >&2
    return 1
  fi
}

mkdir -p "$build/fuzz-logs"
status=0
pids=()
for t in $targets; do
  run_target "$t" & pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done

# Every input that ever failed stays a fixture; each must now pass.
for t in $targets; do
  fixtures="$here/tests/fuzz-fixtures/$t"
  [ -d "$fixtures" ] || continue
  if ! "$build/fuzz/fuzz_$t" "${flags[@]}" "$fixtures"/* >"$build/fuzz-logs/$t.fixtures.log" 2>&1; then
    echo "fuzz_$t: a fixture fails again, see $build/fuzz-logs/$t.fixtures.log" >&2
    status=1
  else
    echo "fuzz_$t: $(find "$fixtures" -type f | wc -l) fixtures pass"
  fi
done
exit $status
