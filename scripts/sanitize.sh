#!/usr/bin/env bash
# Builds everything with the address and undefined-behaviour sanitizers into
# its own folder and runs every test there.
# Usage: scripts/sanitize.sh [build folder=build-asan] [parallel jobs=2]
set -euo pipefail
cd "$(dirname "$0")/.."
src="$(pwd)"
out="${1:-build-asan}"
jobs="${2:-2}"
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$src" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$out" -j"$jobs"

# Leaks inside system libraries (font cache, the sanitizer's demangler) are
# not ours; every other leak still fails the run.
export LSAN_OPTIONS="suppressions=$src/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
cd "$out"
ctest --output-on-failure -j"$jobs" --timeout 600
