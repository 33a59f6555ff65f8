#!/usr/bin/env bash
# Builds the SMX reader's libFuzzer target with clang (address and undefined-behaviour
# sanitizers) into build/fuzz, seeds it with small generated circuits and the kept
# corpus (fuzz/corpus), and runs it.
# Usage: scripts/fuzz.sh [SECONDS | -runs=N]   (default: 60 seconds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out/corpus" "$out/seeds"

limit=${1:-60}
case $limit in
  -runs=*) budget=("$limit") ;;
  *[!0-9]* | '') echo "usage: $0 [SECONDS | -runs=N]" >&2; exit 2 ;;
  *) budget=(-max_total_time="$limit") ;;
esac

reader_sources=("$root/mesh/SmxReader.cpp" "$root/mesh/SmxDefect.cpp")
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root" \
  "$root/fuzz/SmxReaderFuzz.cpp" "${reader_sources[@]}" -o "$out/smx_reader_fuzz"
clang++ -std=c++17 -O2 -I"$root" "$root"/tools/smxgen/*.cpp -o "$out/smxgen"

# Small circuits keep the fuzzer fast while covering every kind of object.
for seed in 1 2 3; do
  "$out/smxgen" --triangles 2000 --seed "$seed" --output "$out/seeds/circuit-$seed.smx"
done

# Each run keeps its own log, so overlapping runs never mix their figures.
log=$(mktemp "$out/fuzz-XXXXXX.log")
status=0
# Inputs larger than the reader's 64 KiB buffer reach its refills and its direct block reads.
"$out/smx_reader_fuzz" "${budget[@]}" -max_len=262144 -print_final_stats=1 \
  "$out/corpus" "$out/seeds" "$root/fuzz/corpus" >"$log" 2>&1 || status=$?
grep -E 'ERROR|SUMMARY|Test unit written' "$log" || true
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "executions: ${runs:-unknown} (log: $log)"
exit $status
