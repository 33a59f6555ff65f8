# shellcheck shell=bash
# Reads colours and shapes out of screenshots (PNG, client coordinates from the top-left);
# sourced by visit.sh. Colours are "R G B" strings with 8 bits a channel. The scans know the
# two flat colours of a frame: $ground (the loaded track's ground plane) and $background
# (the cleared window), each matched within $tolerance a channel.

same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# pixel IMAGE X Y: "R G B".
pixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:
}

# near COLOUR COLOUR: equal within the tolerance in every channel.
near() {
  awk -v a="$1" -v b="$2" -v t="$tolerance" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    for (i = 1; i <= 3; ++i) if (p[i] - q[i] > t || q[i] - p[i] > t) exit 1
  }'
}

# darker COLOUR COLOUR BY: the first is darker than the second by at least BY in every channel.
darker() {
  awk -v a="$1" -v b="$2" -v by="$3" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    for (i = 1; i <= 3; ++i) if (q[i] - p[i] < by) exit 1
  }'
}

# scan IMAGE X Y W H PROGRAM: runs an awk program over the rectangle's pixels, one line
# "x y r g b" each in image coordinates, with r, g, b set and isGround(), isBackground() at hand.
scan() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
    awk -v ox="$2" -v oy="$3" -v w="$4" -v ground="$ground" -v background="$background" -v t="$tolerance" '
      function like(colour,   c) {
        split(colour, c, " ")
        return r - c[1] <= t && c[1] - r <= t && g - c[2] <= t && c[2] - g <= t && b - c[3] <= t && c[3] - b <= t
      }
      function isGround() { return like(ground) }
      function isBackground() { return like(background) }
      { i = NR - 1; x = ox + i % w; y = oy + int(i / w); r = $1; g = $2; b = $3 }
      '"$6"
}

# count IMAGE X Y W H CONDITION: how many pixels of the rectangle meet the awk condition.
count() { scan "$1" "$2" "$3" "$4" "$5" "$6"' { ++n } END { print n + 0 }'; }

# gained AFTER BEFORE X Y W H CONDITION: how many more pixels meet the condition than before.
gained() { echo $(($(count "$1" "$3" "$4" "$5" "$6" "$7") - $(count "$2" "$3" "$4" "$5" "$6" "$7"))); }

# mesh_stats IMAGE: the pixels below the overlay that are neither ground nor background (the
# track and its scenery): "count meanX meanY deviationX".
mesh_stats() {
  scan "$1" 0 60 "$clientWidth" $((clientHeight - 60)) '
    !isGround() && !isBackground() { ++n; sx += x; sy += y; sxx += x * x }
    END {
      if (n == 0) { print 0, 0, 0, 0; exit }
      mx = sx / n
      printf "%d %.2f %.2f %.2f\n", n, mx, sy / n, sqrt(sxx / n - mx * mx)
    }'
}

# ground_span IMAGE ROW: where the ground starts and ends along a row: "first one-past-last".
ground_span() {
  scan "$1" 0 "$2" "$clientWidth" 1 '
    isGround() { if (first == "") first = x; last = x }
    END { print first, last + 1 }'
}

# within VALUE LOW HIGH [VALUE LOW HIGH ...]: every value lies in its range.
within() {
  while [ $# -ge 3 ]; do
    awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v != "" && v >= lo && v <= hi) }' || return 1
    shift 3
  done
}

field() { echo "$1" | cut -d' ' -f"$2"; }
difference() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a - b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b ? a / b : 0 }'; }
