#!/usr/bin/env bash
# Builds the decoding engine and its tests with ThreadSanitizer in build-tsan
# and runs the engine tests there; any report fails the run.
# Usage: tools/tsan-engine.sh [ctest -R pattern]   (TRACKORA_TSAN_BUILD picks another build folder)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${TRACKORA_TSAN_BUILD:-$here/build-tsan}"
pattern=${1:-}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKORA_TSAN=ON >/dev/null
tests=$(sed -n 's/^trackora_add_test(\(tst_[a-z0-9_]*\).*/\1/p' "$here/tests/engine.cmake")
# shellcheck disable=SC2086
cmake --build "$build" -j"$(nproc)" --target $tests

export TSAN_OPTIONS="suppressions=$here/tools/tsan-engine.supp halt_on_error=0 exitcode=66 second_deadlock_stack=1 history_size=4"
cd "$build"
if [ -n "$pattern" ]; then
  ctest -L engine -R "$pattern" --output-on-failure --timeout 600
else
  ctest -L engine --output-on-failure --timeout 600
fi
