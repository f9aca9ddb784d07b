#!/usr/bin/env bash
# Builds the receive-parser fuzz target with libFuzzer and the address and
# undefined-behaviour sanitizers, and runs it.
# Usage: scripts/fuzz.sh [seconds=60] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
out="${FUZZ_DIR:-build/fuzz}"
corpus="$out/corpus-parser"
mkdir -p "$out" "$corpus"

clang++-14 -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc -Isrc/core -Ifuzz fuzz/parser_fuzz.cpp src/core/protocol/*.cpp -o "$out/parser_fuzz"

# a few seeds: the first byte picks the set-up, then frames
if [ -z "$(ls -A "$corpus")" ]; then
  printf '\x00$QVR,ACK*30\r\n' >"$corpus/ack"
  printf '\x00$QVR,DW,1$QVR,ACK*30\r\n' >"$corpus/restart"
  printf '\x00$QVR,BIN,\x05\x00abc*75\r\n' >"$corpus/binary"
  printf '\x01$QVR,BIN,\x00\x05abc*75\r\n' >"$corpus/binary-high-first"
fi

"$out/parser_fuzz" -max_total_time="$seconds" -max_len=10000 -print_final_stats=1 -dict=fuzz/parser.dict \
  -artifact_prefix="$out/" "$@" "$corpus"
