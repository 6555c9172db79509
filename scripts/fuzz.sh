#!/usr/bin/env bash
# Runs the coverage-guided frame fuzzer under ASan + UBSan (clang, libFuzzer).
#   scripts/fuzz.sh [SECONDS] [JOBS]    default 60 s, 1 job; a long campaign: scripts/fuzz.sh 3600 2
# The working corpus grows in build-fuzz/corpus (kept between runs); a finding is written to
# build-fuzz/findings/ and ends the run with a non-zero status.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
jobs=${2:-1}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQINTARA_WITH_QT=OFF -DQINTARA_BENCH=OFF -DQINTARA_SANITIZE=ON -DQINTARA_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target qintara_frame_fuzz fuzz_seeds
mkdir -p "$build/corpus" "$build/findings"
cp -n "$build"/fuzz-corpus/hand* "$build/corpus/" 2>/dev/null || true
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
args=(-dict="$root/tests/fuzz/frames.dict" -max_len=65536 -timeout=20 -rss_limit_mb=4096
  -seed=1 -print_final_stats=1 -artifact_prefix="$build/findings/")
if ((jobs > 1)); then
  # Parallel workers share the corpus; each stops at the time limit.
  exec "$build/tests/fuzz/qintara_frame_fuzz" "${args[@]}" -max_total_time="$seconds" \
    -jobs="$jobs" -workers="$jobs" "$build/corpus" "$root/tests/fuzz/regressions"
fi
exec "$build/tests/fuzz/qintara_frame_fuzz" "${args[@]}" -max_total_time="$seconds" \
  "$build/corpus" "$root/tests/fuzz/regressions"
