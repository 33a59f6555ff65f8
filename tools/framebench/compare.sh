#!/usr/bin/env bash
# Runs two builds' framebench on one track, alternated, and prints the median of each figure for both
# and the ratio of the second to the first. Run it on a display, in a folder of tracks, e.g.
#   ../../../scripts/with-display.sh ../../../tools/framebench/compare.sh OLD/framebench ../tools/framebench/framebench smxU/endurance-1m.smx 5
# A Windows framebench.exe runs through $ZARVO_WINE (set by scripts/with-display.sh --wine).
# Usage: compare.sh BEFORE AFTER TRACK [RUNS]    (RUNS of each, 3 unless given)
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 BEFORE AFTER TRACK [RUNS]" >&2
  exit 2
fi
before=$1 after=$2 track=$3 runs=${4:-3}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run() {  # BENCH LOG
  local launch=("$1")
  [[ $1 == *.exe ]] && launch=("${ZARVO_WINE:?run it under scripts/with-display.sh --wine}" "$1")
  "${launch[@]}" "$track" 2>/dev/null | awk '
    /load start to first frame done/ { match($0, /load [0-9.]+/); print "load", substr($0, RSTART + 5, RLENGTH - 5)
                                       match($0, /done [0-9.]+/); print "load start to first frame done", substr($0, RSTART + 5, RLENGTH - 5) }
    /peak memory/ { print "peak memory (MiB)", $3 }
    /median frame flying/ { match($0, /: [0-9.]+ ms in/); print "flying, first 2 s", substr($0, RSTART + 2, RLENGTH - 8)
                            match($0, /, [0-9.]+ ms 10 s/); print "flying, 10 s later", substr($0, RSTART + 2, RLENGTH - 10) }
    /held still: start view/ { match($0, /start view [0-9.]+/); print "start view", substr($0, RSTART + 11, RLENGTH - 11) }
    /looking down:/ { match($0, /down: [0-9.]+/); print "low views", substr($0, RSTART + 6, RLENGTH - 6) }
    /toward the horizon:/ { match($0, /horizon: [0-9.]+/); print "tilted low views", substr($0, RSTART + 9, RLENGTH - 9) }
  ' | sed 's/ \([0-9.]*\)$/\t\1/' >>"$2"
}

for ((i = 1; i <= runs; ++i)); do
  run "$before" "$out/before"
  run "$after" "$out/after"
  echo "run $i of $runs done" >&2
done

median() {  # FILE FIGURE
  awk -F'\t' -v f="$2" '$1 == f { print $2 }' "$1" | sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'
}
echo "$track, medians of $runs alternated runs each"
printf '%-32s %10s %10s %7s\n' figure before after ratio
cut -f1 "$out/before" | awk '!seen[$0]++' | while IFS= read -r figure; do
  b=$(median "$out/before" "$figure") a=$(median "$out/after" "$figure")
  printf '%-32s %10s %10s %7s\n' "$figure" "$b" "$a" "$(awk -v a="$a" -v b="$b" 'BEGIN { if (b > 0) printf "%.2fx", a / b }')"
done
