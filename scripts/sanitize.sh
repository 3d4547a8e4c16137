#!/bin/sh
# Builds the game with clang and runs the whole test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan), then the sound engine's threaded tests under
# ThreadSanitizer (build-tsan). Any report fails the run.
#   scripts/sanitize.sh [asan|tsan|all]
set -eu
cd "$(dirname "$0")/.."
which="${1:-all}"
jobs="${JOBS:-$(nproc)}"

scripts/install-deps.sh test
scripts/install-deps.sh clang

configure() {  # build folder, sanitizers
  cmake -S . -B "$1" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSPIREHOLD_SDL=OFF -DSPIREHOLD_TESTS=ON -DSPIREHOLD_WERROR=ON -DSPIREHOLD_SANITIZE="$2" >/dev/null
}

# halt_on_error turns every report into a failed test; UBSan's are fatal through -fno-sanitize-recover.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

if [ "$which" = all ] || [ "$which" = asan ]; then
  configure build-asan address,undefined
  cmake --build build-asan -j "$jobs"
  (cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 900)
fi

# Only the audio thread runs beside the game's thread: the engine, the music, the device's audio and
# the stress test that races them.
if [ "$which" = all ] || [ "$which" = tsan ]; then
  configure build-tsan thread
  cmake --build build-tsan -j "$jobs" --target test_sound test_music test_platform test_stress
  (cd build-tsan && ctest --output-on-failure -j "$jobs" --timeout 900 -L '^(sound|music|platform|stress)$')
fi
