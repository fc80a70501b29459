#!/bin/bash
# Builds the libFuzzer targets under fuzz/ natively with clang (address and undefined-behaviour
# sanitizers) and runs each for the given number of seconds.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# BUILD selects the build tree (default build/); the corpora grow in $BUILD/fuzz/corpus.
# RUNS=n also ends a target after n executions (the first limit reached ends it).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$ROOT"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

"$ROOT/scripts/deps.sh"
out="$BUILD/fuzz"
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I "$ROOT/src" -I "$ROOT/fuzz" -I "$ROOT/host")
# Every pure rule of the program, and the stand-in editor's byte buffer (the bridge's model editor).
logic=("$ROOT"/src/*/logic/*.cpp "$ROOT"/host/EditBuffer.cpp)

# The shared code is compiled once per run, each target then only compiles its own file.
echo "== building the rules for the fuzz targets"
rm -rf "$out/obj"
mkdir -p "$out/obj"
objects=()
for src in "${logic[@]}"; do
  obj="$out/obj/$(echo "${src#"$ROOT"/}" | tr / _).o"
  clang++ "${flags[@]/-fsanitize=fuzzer,/-fsanitize=fuzzer-no-link,}" -c "$src" -o "$obj" &
  objects+=("$obj")
  # two compilers at a time: the machines have two cores
  [ $(( ${#objects[@]} % 2 )) -eq 0 ] && wait
done
wait

status=0
for t in "${targets[@]}"; do
  echo "== $t: building"
  clang++ "${flags[@]}" "$ROOT/fuzz/$t.cpp" "${objects[@]}" -o "$out/$t"
  corpus="$out/corpus/$t"
  mkdir -p "$corpus" "$out/crashes/$t"
  seeds=()
  [ -d "$ROOT/fuzz/seeds/$t" ] && seeds=("$ROOT/fuzz/seeds/$t")
  echo "== $t: running ${seconds}s"
  started=$(date +%s)
  runs=()
  [ -n "${RUNS:-}" ] && runs=(-runs="$RUNS")
  # -timeout: one input that takes seconds (work growing faster than the text) fails the run.
  if ! "$out/$t" -max_total_time="$seconds" "${runs[@]}" -max_len=4096 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$out/crashes/$t/" "$corpus" "${seeds[@]}" 2>"$out/$t.log"; then
    status=1
    echo "$t FAILED; the input that broke it is in $out/crashes/$t/"
    tail -40 "$out/$t.log"
  else
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$out/$t.log" | sed "s/^/$t /"
    echo "$t $(( $(date +%s) - started )) s"
  fi
done
exit $status
