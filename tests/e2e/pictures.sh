# shellcheck shell=bash
# Reads colours and shapes out of the visit's screenshots (client coordinates from the top-left);
# sourced by visit.sh. Colours are "R G B" with 8 bits a channel; $ground (the loaded track's
# ground plane) and $background (the cleared window) are matched within $tolerance a channel.

png() { echo "$shots/$1.png"; }
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
pixel() { convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:; }
# darker COLOUR COLOUR BY: the first is darker than the second by at least BY in every channel.
darker() { awk -v a="$1" -v b="$2" -v by="$3" 'BEGIN { split(a, p); split(b, q); for (i = 1; i <= 3; ++i) if (q[i] - p[i] < by) exit 1 }'; }
# changed SHOT SHOT [X Y W H]: how many pixels differ, in the rectangle or the whole picture.
changed() {
  local region=${3:+[${5}x${6}+${3}+${4}]}
  compare -metric AE "$(png "$1")$region" "$(png "$2")$region" null: 2>&1 | awk '{ printf "%d\n", $1 }'
}

# scan IMAGE X Y W H PROGRAM: an awk program over the rectangle's pixels, with x, y, r, g, b set
# and isGround(), isBackground() at hand.
scan() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
    awk -v ox="$2" -v oy="$3" -v w="$4" -v ground="$ground" -v background="$background" -v t="$tolerance" '
      function like(colour, c) { split(colour, c); return (r - c[1]) ^ 2 <= t * t && (g - c[2]) ^ 2 <= t * t && (b - c[3]) ^ 2 <= t * t }
      function isGround() { return like(ground) }
      function isBackground() { return like(background) }
      { i = NR - 1; x = ox + i % w; y = oy + int(i / w); r = $1; g = $2; b = $3 }
      '"$6"
}
# count IMAGE X Y W H CONDITION: how many pixels of the rectangle meet the awk condition.
count() { scan "$1" "$2" "$3" "$4" "$5" "$6"' { ++n } END { print n + 0 }'; }
# gained SHOT BEFORE X Y W H CONDITION: how many more pixels meet the condition than before.
gained() { echo $(($(count "$(png "$1")" "${@:3}") - $(count "$(png "$2")" "${@:3}"))); }

# mesh_stats IMAGE: the pixels below the overlay that are neither ground nor background (the track
# and its scenery): "count meanX meanY deviationX".
mesh_stats() {
  scan "$1" 0 60 "$clientWidth" $((clientHeight - 60)) '
    !isGround() && !isBackground() { ++n; sx += x; sy += y; sxx += x * x }
    END { if (n == 0) print 0, 0, 0, 0; else printf "%d %.2f %.2f %.2f\n", n, sx / n, sy / n, sqrt(sxx / n - (sx / n) ^ 2) }'
}
# moved SHOT BEFORE: how far the track moved down and aside.
moved() { echo "$(mesh_stats "$(png "$1")") $(mesh_stats "$(png "$2")")" | awk '{ printf "%.2f %.2f\n", $3 - $7, $2 - $6 }'; }
# spread SHOT BEFORE: how much wider the track spreads than before.
spread() { echo "$(mesh_stats "$(png "$1")") $(mesh_stats "$(png "$2")")" | awk '{ printf "%.3f\n", $8 ? $4 / $8 : 0 }'; }
# ground_span IMAGE ROW: where the ground starts and ends along a row: "first one-past-last".
ground_span() { scan "$1" 0 "$2" "$clientWidth" 1 'isGround() { if (first == "") first = x; last = x } END { print first, last + 1 }'; }

# within_ranges "VALUE..." "LOW HIGH...": every value lies in its range.
within_ranges() {
  awk -v v="$1" -v r="$2" 'BEGIN { n = split(v, value); if (2 * n != split(r, range)) exit 1
    for (i = 1; i <= n; ++i) if (!(value[i] + 0 >= range[2 * i - 1] && value[i] + 0 <= range[2 * i])) exit 1 }'
}
