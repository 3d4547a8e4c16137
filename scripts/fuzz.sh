#!/bin/sh
# Builds the libFuzzer harnesses (clang, AddressSanitizer + UndefinedBehaviorSanitizer, build-fuzz)
# and runs each for SECONDS, starting from the seeds in fuzz/corpus/<name> and keeping what it finds
# in build-fuzz/corpus/<name>. A crash leaves its input in build-fuzz/artifacts/ and fails the run.
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-20}"
[ $# -gt 0 ] && shift
harnesses="${*:-fuzz_records fuzz_saved_game fuzz_sim_protocol fuzz_load_sound fuzz_load_module}"
jobs="${JOBS:-$(nproc)}"

scripts/install-deps.sh clang

cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSPIREHOLD_SDL=OFF -DSPIREHOLD_TESTS=OFF -DSPIREHOLD_FUZZERS=ON -DSPIREHOLD_SANITIZE=address,undefined >/dev/null
# shellcheck disable=SC2086
cmake --build build-fuzz -j "$jobs" --target $harnesses

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p build-fuzz/artifacts
for harness in $harnesses; do
  name="${harness#fuzz_}"
  case "$name" in
    load_sound) seeds=wav; longest=65536 ;;
    load_module) seeds=mod; longest=65536 ;;
    records) seeds=records; longest=2048 ;;
    saved_game) seeds=saved_game; longest=2048 ;;
    *) seeds=sim; longest=4096 ;;
  esac
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $harness for ${seconds}s"
  "build-fuzz/fuzz/$harness" "build-fuzz/corpus/$name" "fuzz/corpus/$seeds" -max_total_time="$seconds" \
    -max_len="$longest" -timeout=20 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$name-"
done
