#!/usr/bin/env bash
# Visits the viewer as a user would in any folder of tracks, finding a box by the list's own order: opens the smallest
# track, hides the overlay, pans, shows the axes, turns, zooms, tilts, shows and hides the help, closes the track,
# opens the biggest with a second click where "close" will be, starts on a track that loads for long, made in a folder
# of the visit's own, and closes while it loads, then starts with a file, a folder and a missing path, checking each
# step in a screenshot (a PNG in SHOTS). Usage: visit.sh win32|win64|linux PROGRAM TRACKS SHOTS; PROGRAM (a Windows
# build under $ZARVO_WINE, default wine) runs in TRACKS, which holds smx/ and smxU/ (the biggest track loading for longer
# than a double-click takes: a million triangles do) and is left as it was. Needs an X display without a window
# manager and, for the native window, the close-window helper in CLOSE_WINDOW_HELPER.
set -u
[ $# -eq 4 ] && [ -f "$2" ] && [ -d "$3" ] || { echo "usage: $0 win32|win64|linux PROGRAM TRACKS SHOTS" >&2; exit 2; }
program=$(realpath "$2") tracks=$(realpath "$3") work=$(mktemp -d) failed=0 pid="" last="" ground=""
mkdir -p "$4" && shots=$(realpath "$4") && rm -f "$shots"/*.png
# The window is cleared to the workspace colour, Windows' default grey in both builds (wine-prefix.sh sets Wine's).
bg="171 171 171"
if [ "$1" != linux ]; then launch=("${ZARVO_WINE:-wine}" "$program"); else launch=("$program"); fi

finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ "$failed" -gt 0 ] && tail -n 20 "$work/program.log"
  rm -rf "$work" && echo "screenshots in $shots; $failed failed" && exit $((failed > 0))
}
trap 'failed=$((failed + 1)); echo "FAIL  the visit was interrupted"; finish' INT TERM
expect() { if "${@:2}"; then echo "PASS  $1"; else failed=$((failed + 1)) && echo "FAIL  $1"; fi; }

# stalled FILE POINTS RECORDS: one object of POINTS points at the origin and RECORDS zeroed triangle records, written
# sparse: a load that takes long and no disk. With no point no record is drawable, and the reader skips them all.
stalled() {
  le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24)); }
  { head -c 60 /dev/zero && printf "$(le32 1)" && head -c 16 /dev/zero && printf "$(le32 "$2")$(le32 "$3")"; } >"$1" &&
    truncate -s $((88 + 16 * $2 + 8 * $3)) "$1"
}
# The 32-bit program refuses a file of more than 20M triangles at once: it gets 20M drawable ones, which keep it
# loading as long as the others are kept by 2^30 undrawable records (natively 20 s or more, under Wine minutes).
if [ "$1" = win32 ]; then stalled "$work/stalled.smx" 1 20000000; else stalled "$work/stalled.smx" 0 1073741824; fi

[ "$1" = linux ] && { env -u DISPLAY "$program" 2>/dev/null; expect "with no display it fails with status 1" [ $? = 1 ]; }
# start FOLDER [ARGUMENT...]: runs the program in FOLDER and waits for its window.
start() {
  (cd "$1" && exec "${launch[@]}" "${@:2}") >"$work/program.log" 2>&1 &
  pid=$! window=""
  for _ in $(seq 150); do window=$(xdotool search --onlyvisible --name '^Zarvo( - |$)' 2>/dev/null | head -n1)
    [ -n "$window" ] || ! kill -0 "$pid" 2>/dev/null && break || sleep 0.2; done
  expect "a window titled \"Zarvo\" opens" [ -n "$window" ]
  [ -n "$window" ] || finish
  # Without a window manager Wine draws the frame inside the X window: equal borders, the caption on top.
  read -r width height < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  frameX=$(((width - 720) / 2)) frameY=$((height - 480 - (width - 720) / 2))
}
start "$tracks"

pointer_to() { xdotool mousemove --window "$window" $(($1 + frameX)) $(($2 + frameY)); }
keys() { xdotool windowfocus --sync "$window" && xdotool key --delay 40 "$@"; }
await_title() { for _ in $(seq 60); do xdotool getwindowname "$window" | grep -Eq "$1" && return || sleep 0.25; done
  return 1; }
titled() { printf '^Zarvo - %s$' "$(sed 's/[][\\.*^$?+(){}|]/\\&/g' <<<"$1")"; }  # titled PATH: await_title's pattern
stop() { kill "$pid" && wait "$pid" 2>/dev/null; pid=""; }
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
grab() { import -window "$window" png:- | convert - -crop "720x480+$frameX+$frameY" +repage "$1"; }
# shoot NAME: waits for a picture of the client area other than the last shot that holds for half a second.
shoot() {
  for _ in $(seq 40); do
    sleep 0.25 && grab "$work/now.png" && { [ -z "$last" ] || ! same "$last" "$work/now.png"; } && sleep 0.5 &&
      grab "$work/later.png" && same "$work/now.png" "$work/later.png" && break
  done
  last="$shots/$1.png" && convert "$work/now.png" PNG24:"$last"
}
# scan X Y W H PROGRAM: awk over a rectangle of the last shot with x, y, r, g, b set, where near(ground)
# and near(bg) tell the track's ground and the workspace colour within 3 a channel.
scan() {
  convert "$last" -crop "${3}x${4}+${1}+${2}" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
    awk -v ox="$1" -v oy="$2" -v w="$3" -v ground="$ground" -v bg="$bg" '
      function near(colour, c) { split(colour, c); return (r - c[1])^2 <= 9 && (g - c[2])^2 <= 9 && (b - c[3])^2 <= 9 }
      { i = NR - 1; x = ox + i % w; y = oy + int(i / w); r = $1; g = $2; b = $3 }'"$5"
}
count() { scan "$1" "$2" "$3" "$4" "$5 { ++n } END { print n + 0 }"; }  # count X Y W H CONDITION
white() { count "$@" 'r == 255 && g == 255 && b == 255'; }
# changed SHOT SHOT [X Y W H]: how many pixels differ, in the rectangle or the whole picture.
changed() { local at=${3:+[${5}x${6}+${3}+${4}]}
  compare -metric AE "$shots/$1.png$at" "$shots/$2.png$at" null: 2>&1 | awk '{ printf "%d\n", $1 }'; }
# track: the pixels below the overlay that are neither ground nor background: count, mean x and y.
track() { scan 0 60 720 420 '!near(ground) && !near(bg) { ++n; sx += x; sy += y } END { print n, sx / n, sy / n }'; }
span() { scan 0 "$1" 720 1 'near(ground) { if (f == "") f = x; l = x } END { print f, l + 1 }'; }  # of the ground
# The info box (250 x 46 at the top left) and the close box (45 x 20 at the top right) over the ground.
overlay() { white 5 5 250 46; count 240 40 12 12 'near(ground)'; white 670 5 45 20; count 716 5 4 46 '!near(bg)'; }
boxes="600 900 0 0 60 100 0 0"  # white text pixels: the read-out, "close"
# step NAME ACTION MEASURES RANGES WHAT: does the action, shoots, and expects each measured value in its range.
step() {
  eval "$2" && shoot "$1"
  local values && values=$(eval "$3" | tr '\n' ' ')
  expect "$5 ($values; expected $4)" awk -v v="$values" -v r="$4" 'BEGIN { n = split(v, a)
    if (2 * n != split(r, b)) exit 1; for (i = 1; i <= n; ++i) if (a[i] < b[2 * i - 1] || a[i] > b[2 * i]) exit 1 }'
}

# One box per track file, at most 19 in view: 201 x 21 pixels by the right edge, 25 apart, white text on a fill, in
# the list's order: each folder's tracks by name, letter case ignored, smx/ before smxU/. by_size: those in view,
# smallest file first.
listed=$(cd "$tracks" && for f in smx smxU; do find "$f" -maxdepth 1 ! -type d -iname '*.smx' 2>/dev/null | LC_ALL=C sort -f; done)
files=$(grep -c . <<<"$listed") n=$((files < 19 ? files : 19))
box() { echo $((25 * $(grep -nxF "$1" <<<"$listed" | cut -d: -f1) - 10)); }  # box PATH: the middle row of its box
by_size=$(head -n "$n" <<<"$listed" | while read -r f; do echo "$(stat -Lc %s "$tracks/$f") $f"; done | sort -n | cut -d' ' -f2-)
aside="x < 514 || x > 714 || y % 25 && y % 25 < 5 || y > 25 * $n"
step 01-list "pointer_to 300 300" "count 0 0 720 480 '!near(bg)'; count 0 0 720 480 '!near(bg) && ($aside)'
  white 514 0 201 480" "$((n * 4190)) $((n * 4230)) 0 0 $((n * 100)) $((n * 400))" "a box a track ($files)"
path=$(head -n1 <<<"$by_size")
pointer_to 615 "$(box "$path")" && xdotool click 1
expect "a click on the box of the smallest track, $path, loads it" await_title "$(titled "$path")"
ground=$(od -An -tu1 -j48 -N3 "$tracks/$path" | awk '{ print $1, $2, $3 }')  # the file's, red green blue
# From 10000 units up with an 80 degree view at an aspect of 1.5, the ground's sides lie at x = 75.4 and 644.6.
step 03-track "pointer_to 300 300" "span 240; track; overlay" "75 76 644 645 60000 250000 340 380 220 260 $boxes" \
  "the track in the middle of its ground of colour $ground, under the info and close boxes"
step 04-hidden "keys space" "changed 03-track 04-hidden 0 60 720 420; count 0 0 720 60 '!near(ground) && !near(bg)'" \
  "0 0 0 0" "Space hides the overlay: ground and background where the boxes were, the rest unchanged"
step 05-forward "keys space w w w w w w w w w w" overlay "$boxes" "Space brings the overlay back"
# Ten W presses moved the eye 1000 units forward: from 10000 with an 80 degree view over 480 pixels, the origin
# went 28.6 pixels down the screen. The axes run from it: x to the right, y up the screen, z towards the eye.
step 06-axes "keys o" "count 380 260 260 18 'r > 200 && g < 60 && b < 60'
  count 352 60 16 190 'g > 200 && r < 60 && b < 60'; count 352 270 16 30 'b > 200 && r < 60 && g < 60'" \
  "300 1000 200 1000 20 200" "W moved the track down; O shows the axes"
step 07-no-axes "keys o" "changed 05-forward 07-no-axes" "0 0" "O again hides the axes"
# The help box, 360 x 160 at the bottom left: its white text over the picture, which is unchanged above it.
helped() { white 5 315 360 160; changed "$1" "$2" 0 0 720 310; }  # helped SHOT SHOT
step 08-help "keys F1" "helped 07-no-axes 08-help" "2000 8000 0 0" "F1 shows the help over the track"
step 09-no-help "keys h" "changed 07-no-axes 09-no-help" "0 0" "H hides it"
# Turning 5 degrees brings the ground's sides to 121.2 and 699.1, a wheel notch to 94.6 and 737.6 (past the right
# edge) as the eye comes down from 10000 to 9000, two notches back to 143.3 and 668.3 from 11000.
step 10-turned "keys Left" "span 240" "121 122 699 700" "the Left arrow turns the view 5 degrees"
step 11-wheel-in "pointer_to 360 240; xdotool click 4" "span 240" "94 96 720 720" "a wheel notch away zooms in"
step 12-wheel-out "xdotool click --repeat 2 5" "span 240" "143 144 667 669" "two notches back zoom out past the start"
# Tilting 60 degrees from 11050 units up shows the ground's far side 15.2 degrees below the middle, at y = 317.9;
# the scene turns before it tilts, so the far side falls to the left: y = 324.9 at x = 250.
step 13-tilted "pointer_to 360 400; xdotool mousedown 3; pointer_to 360 340; xdotool mouseup 3" \
  "for x in 360 250; do echo \$((60 + \$(count \$x 60 1 420 'near(bg)'))); done; count 100 60 520 220 '!near(bg)'
  count 250 330 220 20 '!near(ground)'" "317 319 324 326 0 0 0 0" "a right-button drag tilts the view: background past it"
pointer_to 692 15 && xdotool click 1
expect "the \"close\" box brings back the list" await_title '^Zarvo$'
step 14-list-again "pointer_to 300 300" "changed 01-list 14-list-again" "0 0" "the list looks as at the start"
step 15-help "keys h" "helped 14-list-again 15-help" "2000 8000 0 0" "H shows the help over the list"
step 16-no-help "keys F1" "changed 14-list-again 16-no-help" "0 0" "F1 hides it"
step 17-help-again "keys F1" "changed 15-help 17-help-again" "0 0" "F1 shows it again"
step 18-help-clicked "pointer_to 100 400; xdotool click 1" "changed 14-list-again 18-help-clicked" "0 0" \
  "a click on it hides it and opens nothing"
# A click on the biggest track's box, and a second one 80 ms later where "close" will be (on the first box, a
# double-click): it comes during the load and is dropped.
big=$(tail -n1 <<<"$by_size")
pointer_to 690 "$(box "$big")" && xdotool click 1 sleep 0.08 mousemove --window "$window" $((690 + frameX)) $((15 + frameY)) click 1
expect "a click on the box of the biggest track, $big, opens it" await_title "$(titled "$big")"
step 19-second-click "pointer_to 300 300" "white 670 5 45 20" "60 100" "the track stays open, with its close box"
expect "its title stays" await_title "$(titled "$big")"
# Started on the stalled track, the program shows its progress box (500 x 20 at the top left) over the list while the
# load runs, and the box fills as a bar: once the program has read (as the kernel counts) 2% of the file, long before
# the load ends, the bar shows that share. Closing the window during the load ends the program within 5 s.
stop && start "$tracks" "$work/stalled.smx"
read_share() { awk -v size="$(stat -c %s "$work/stalled.smx")" '/^rchar/ { printf "%d\n", 500 * $2 / size }' "/proc/$pid/io"; }
progress() { [ "$(count 300 7 200 16 '!near(bg)')" -gt 3000 ] && xdotool getwindowname "$window" | grep -q '^Zarvo$'; }
for _ in $(seq 100); do
  read=$(read_share) && grab "$work/now.png" && last="$work/now.png" && progress && [ "$read" -ge 10 ] && break; done
cp "$last" "$shots/20-loading.png" && last="$shots/20-loading.png" && bar=$(count 5 23 500 1 'b > 150 && r < 90')
until=$(read_share)
expect "a long load shows its progress box over the list, its bar at the share read ($bar of 500 px; read $read to $until)" \
  eval 'progress && [ "$bar" -ge $((read - 5)) ] && [ "$bar" -le $((until + 3)) ] && [ "$until" -lt 250 ]'
if [ "$1" != linux ]; then keys alt+F4; else "$CLOSE_WINDOW_HELPER" "$window"; fi
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && expect "the program ends within 5 s when its window is closed during a load" false && finish
wait "$pid"; code=$? pid=""
expect "the program ends with exit code 0 when its window is closed (got $code)" [ "$code" -eq 0 ]

# Started with a path, relative to a folder without tracks: a file opens at once and "close" leads to that folder's
# list, empty, with a notice; a folder shows its own list; a missing path leaves a notice and the viewer up.
given="Z\u00fcrich ring \u03a9.smx" && given=$(printf "$given") && mkdir "$work/start" && cp "$tracks/$path" "$work/start/$given"
start "$work/start" "$given"
expect "its title names it as given" await_title "^Zarvo - $given\$"
step 21-given-file "pointer_to 300 300" "track | cut -d' ' -f1" "60000 250000" "a track given by its non-ASCII name opens at once"
pointer_to 692 15 && xdotool click 1
step 22-given-closed "await_title '^Zarvo$'" "white 5 5 500 20" "100 2000" "\"close\" shows the empty list, saying what to do"
stop && start "$work/start" "$(realpath --relative-to="$work/start" "$tracks")"
step 23-given-folder "pointer_to 300 300" "changed 01-list 23-given-folder" "0 0" "a folder given shows its list"
stop && start "$work/start" "no such.smx" "more"
step 24-given-missing "pointer_to 300 300" "white 5 5 500 20" "100 2000" "a missing path shows a notice"
expect "and names the reason and the ignored argument on standard error" grep -qz "ignored: more.*no such.smx: No such file" "$work/program.log"
expect "and the viewer stays up" kill -0 "$pid"
# The options: -h and --help print the usage and exit with 0 at once, which a program with a window would not do,
# -x exits with 2 and a usage line on standard error, -- ends them. A pipe given is no regular file, and its open
# waits for no writer. A double-click on the first box of a track that loads before the second click comes opens it.
for row in "-h 0 output error" "--help 0 output error" "-x 2 error output"; do
  read -r option status to other <<<"$row"
  timeout 30 "${launch[@]}" "$option" >"$work/output" 2>"$work/error"; code=$?
  expect "$option: status $code (expected $status), the usage on standard $to only" \
    eval '[ $code = $status ] && grep -q "^usage: zarvo" "$work/$to" && ! grep -q usage "$work/$other"'
done
mkdir -p "$work/ways/smx" && cp "$tracks/$path" "$work/ways/smx/-x.smx" && mkfifo "$work/ways/pipe.smx"
stop && start "$work/ways/smx" -- -x.smx
expect "after -- a name that starts with - is a path" await_title '^Zarvo - -x\.smx$'
stop && start "$work/ways" pipe.smx
step 25-given-pipe "pointer_to 300 300" "white 5 5 500 20" "100 2000" "a pipe given shows a notice"
expect "saying it is not a regular file" grep -q "pipe.smx: not a regular file" "$work/program.log"
stop && start "$work/ways" && pointer_to 690 15 && xdotool click --repeat 2 --delay 150 1
step 26-double-click "sleep 1" "white 670 5 45 20" "60 100" "a double-click on the box of a quick track: its close box"
expect "and its title stays" await_title '^Zarvo - smx/-x\.smx$'
finish
