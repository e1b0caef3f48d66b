#!/usr/bin/env bash
# Builds Trackora and runs every test. Display tests start their own X server.
#
#   tools/test.sh                      every test, in build/
#   tools/test.sh --sanitize=address   the unit, data and engine tests under
#                                      AddressSanitizer + UndefinedBehaviorSanitizer, in build-asan/
#   tools/test.sh --sanitize=thread    the engine and component tests under
#                                      ThreadSanitizer, in build-tsan/
# A sanitizer report fails the test that made it. The sanitizer builds reuse
# the recordings in build/test-media when they are there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
sanitize=""
for arg in "$@"; do
  case "$arg" in
    --sanitize=address|--sanitize=thread) sanitize=${arg#--sanitize=} ;;
    *) echo "usage: $0 [--sanitize=address|--sanitize=thread]" >&2; exit 2 ;;
  esac
done

if [ -z "$sanitize" ]; then
  "$here/tools/build.sh"
  cd "$here/build"
  exec ctest --output-on-failure --timeout 600 -j"$(nproc)"
fi

"$here/tools/install-deps.sh"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Timed measurements (tst_avsync) would measure the sanitizer, not the player.
# The crash handler's test commits the faults (null access, heap damage) that
# AddressSanitizer and UndefinedBehaviorSanitizer stop before its handler runs.
# The windows of the whole viewer under Xvfb (labels display and web) take
# too long under AddressSanitizer's full leak stacks; their classes' own tests
# run in the pass.
if [ "$sanitize" = address ]; then
  build="${TRACKORA_ASAN_BUILD:-$here/build-asan}"
  labels='^(unit|data|engine)$'
  skip_labels='^(display|web)$'
  exclude='^(tst_avsync|tst_crashdumper)$'
else
  build="${TRACKORA_TSAN_BUILD:-$here/build-tsan}"
  labels='^(engine|component)$'
  skip_labels='^$'
  exclude='^tst_avsync$'
fi
media_args=()
[ -f "$here/build/test-media/manifest.json" ] && media_args=(-DTRACKORA_TEST_MEDIA_DIR="$here/build/test-media")
# Ninja builds the many small test programs side by side; make's top level
# builds one named target after another.
generator=()
if command -v ninja >/dev/null; then
  generator=(-G Ninja)
  if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$build/CMakeCache.txt"; then
    rm -rf "$build"
  fi
fi
# -O1 and line tables only: the sanitizer builds compile and link in far less
# time, and their reports still name file and line.
cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKORA_SANITIZE="$sanitize" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  "${media_args[@]}" "${launcher[@]}" >/dev/null

# Only the programs of the chosen tests (and what they load) are built.
cd "$build"
selection=(-L "$labels" -LE "$skip_labels" -E "$exclude")
programs=$(ctest -N "${selection[@]}" | sed -n 's/^ *Test *#[0-9]*: \(tst_[a-z0-9_]*\)$/\1/p' | sort -u)
# The map key tool the build runs is sanitized too; its exit-time leaks are
# not build failures.
# shellcheck disable=SC2086
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j"$(nproc)" --target $programs
# The options reach the tests only.
if [ "$sanitize" = address ]; then
  # Leaks count, except those inside the system's and Qt's own libraries;
  # those are built without frame pointers, so only the slow unwinder gives
  # the whole allocation stack the suppressions are matched against.
  export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=0:fast_unwind_on_malloc=0"
  export LSAN_OPTIONS="suppressions=$here/tools/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
else
  # The longest history: a suppression matches only a race whose earlier
  # access can still be told, and a queued picture's copy is made on a busy
  # thread.
  export TSAN_OPTIONS="suppressions=$here/tools/tsan-engine.supp halt_on_error=0 exitcode=66 second_deadlock_stack=1 history_size=7"
fi
ctest "${selection[@]}" --output-on-failure --timeout 900 -j"$(nproc)"
