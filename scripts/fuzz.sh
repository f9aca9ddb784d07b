#!/usr/bin/env bash
# Builds fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, and runs them.
# Usage: scripts/fuzz.sh [TARGET|all] [SECONDS=60] [extra libFuzzer options...]
#   TARGET is a fuzz/<TARGET>_fuzz.cpp (parser, ini, psetting, command2,
#   cmddef, command, monitor, eeprom, simulator); "all" runs each in turn.
#   A number alone as the first argument runs the parser for that long.
set -euo pipefail
cd "$(dirname "$0")/.."
target="parser"
if [ $# -gt 0 ] && ! [[ "$1" =~ ^[0-9]+$ ]]; then target="$1"; shift; fi
seconds="${1:-60}"
shift || true
out="${FUZZ_DIR:-build/fuzz}"
mkdir -p "$out"
cxx="$(command -v clang++-14 || command -v clang++)"

flags=(-std=c++17 -g -O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -Isrc/core -Ifuzz)

# The core once for every target, each file again only when it changed.
build_core() {
  local objects=()
  for src in src/core/*/*.cpp; do
    local obj="$out/obj/${src//\//_}.o"
    if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find src/core -name '*.h' -newer "$obj" -print -quit)" ]; then
      mkdir -p "$out/obj"
      "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
    fi
    objects+=("$obj")
  done
  rm -f "$out/libcore.a"
  ar rcs "$out/libcore.a" "${objects[@]}"
}

seed_parser() {
  local corpus="$1"
  printf '\x00$QVR,ACK*30\r\n' >"$corpus/ack"
  printf '\x00$QVR,DW,1$QVR,ACK*30\r\n' >"$corpus/restart"
  printf '\x00$QVR,BIN,\x05\x00abc*75\r\n' >"$corpus/binary"
  printf '\x01$QVR,BIN,\x00\x05abc*75\r\n' >"$corpus/binary-high-first"
}

run_one() {
  local name="$1" corpus="$out/corpus-$1" dict=()
  shift
  mkdir -p "$corpus"
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "fuzz/${name}_fuzz.cpp" "$out/libcore.a" -lpthread \
    -o "$out/${name}_fuzz"
  if [ -z "$(ls -A "$corpus")" ]; then
    if [ "$name" = parser ]; then seed_parser "$corpus"; else cp fuzz/corpus/"${name}_fuzz"/* "$corpus/"; fi
  fi
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  echo "== ${name}_fuzz: $seconds s"
  "$out/${name}_fuzz" -max_total_time="$seconds" -max_len=10000 -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="$out/${name}-" "$@" "$corpus"
}

build_core
if [ "$target" = all ]; then
  for f in fuzz/*_fuzz.cpp; do
    n="$(basename "$f" _fuzz.cpp)"
    run_one "$n" "$@"
  done
else
  run_one "$target" "$@"
fi
