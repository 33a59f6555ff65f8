#!/usr/bin/env bash
# Visits the viewer as a user would: opens the first track of the file list, moves the camera
# with the keyboard, the wheel and a right-button drag, hides the overlay, shows the axes, goes
# back to the list and closes the program, checking every step in screenshots of the window.
# Usage: tests/e2e/visit.sh TARGET PROGRAM TRACKS SHOTS
#   TARGET   win32 (PROGRAM is zarvo.exe and runs under wine) or linux (the native zarvo)
#   TRACKS   folder holding smx/ and smxU/ with .smx tracks; the program runs in it
#   SHOTS    folder for the screenshots (PNG, one per step, named after it)
# Needs an X display without a window manager. The native window is closed with the helper
# named by CLOSE_WINDOW_HELPER (close-window, built beside the native program).
set -u

usage() {
  echo "usage: $0 win32|linux PROGRAM TRACKS SHOTS" >&2
  exit 2
}
[ $# -eq 4 ] && [ -f "$2" ] && [ -d "$3" ] || usage
target=$1
program=$(realpath "$2")
tracks=$(realpath "$3")
shots=$4

# The window is cleared to the desktop's workspace colour: Wine's default, or the native
# backend's own.
case "$target" in
  win32) launch=(wine "$program") background="128 128 128" ;;
  linux) launch=("$program") background="171 171 171" ;;
  *) usage ;;
esac
if [ "$target" = linux ] && [ ! -x "${CLOSE_WINDOW_HELPER:-}" ]; then
  echo "CLOSE_WINDOW_HELPER must name the close-window helper of the native build" >&2
  exit 2
fi

source "$(dirname "$0")/pictures.sh"

mkdir -p "$shots"
shots=$(realpath "$shots")
rm -f "$shots"/*.png
work=$(mktemp -d)
log="$work/program.log"

clientWidth=720
clientHeight=480
# The test display has 8 bits a channel, so flat colours come out exact; a little slack all the same.
tolerance=3
ground=""  # known once a track is loaded

passed=0
failed=0
pid=""
window=""

finish() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  if [ "$failed" -gt 0 ] && [ -s "$log" ]; then
    echo "--- program output"
    tail -n 20 "$log"
  fi
  rm -rf "$work"
  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
trap 'failed=$((failed + 1)); echo "FAIL  the visit was interrupted"; finish' INT TERM

# expect DESCRIPTION COMMAND...: one line per check.
expect() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "PASS  $what"
  else
    failed=$((failed + 1))
    echo "FAIL  $what"
  fi
}

# --- the window -------------------------------------------------------------------------------

# grab FILE: the client area of the window as an RGB PNG.
grab() {
  import -window "$window" "$work/raw.png" &&
    convert "$work/raw.png" -crop "${clientWidth}x${clientHeight}+${frameX}+${frameY}" +repage PNG24:"$1"
}

shot() { echo "$shots/$1.png"; }

# settle NAME: waits until the picture has not changed for half a second and keeps it as NAME.
settle() {
  local previous="$work/previous.png" current="$work/current.png" steady=0
  grab "$previous"
  for _ in $(seq 40); do
    sleep 0.25
    grab "$current"
    if same "$previous" "$current"; then
      steady=$((steady + 1))
      if [ "$steady" -ge 2 ]; then
        cp "$current" "$(shot "$1")"
        return 0
      fi
    else
      steady=0
      cp "$current" "$previous"
    fi
  done
  cp "$current" "$(shot "$1")"
  return 1
}

# await_frame BEFORE NAME: waits for a picture other than BEFORE, then for it to settle.
await_frame() {
  for _ in $(seq 40); do
    grab "$work/now.png"
    if ! same "$1" "$work/now.png"; then
      settle "$2"
      return
    fi
    sleep 0.25
  done
  cp "$work/now.png" "$(shot "$2")"
  return 1
}

# Pointer positions are client coordinates; the window may hold a frame drawn by Wine.
pointer_to() { xdotool mousemove --window "$window" $(($1 + frameX)) $(($2 + frameY)); }
left_click_at() { pointer_to "$1" "$2" && xdotool click 1; }
keys() { xdotool windowfocus --sync "$window" && xdotool key --delay 40 "$@"; }

title() { xdotool getwindowname "$window" 2>/dev/null; }
await_title() {
  for _ in $(seq 60); do
    title | grep -Eq "$1" && return 0
    sleep 0.25
  done
  return 1
}

# --- start: the file list -------------------------------------------------------------------------

(cd "$tracks" && exec "${launch[@]}") >"$log" 2>&1 &
pid=$!

for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Zarvo$' 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
expect "a window titled \"Zarvo\" opens" [ -n "$window" ]
[ -n "$window" ] || finish

# With no window manager Wine draws the frame itself, inside the X window: borders of equal
# width and the caption on top. The native window is the client area alone.
read -r outerWidth outerHeight < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
frameX=$(((outerWidth - clientWidth) / 2))
frameY=$((outerHeight - clientHeight - frameX))
if [ "$target" = linux ]; then
  expect "the window is 720 x 480 (measured $outerWidth x $outerHeight)" [ "$outerWidth$outerHeight" = 720480 ]
fi

neutralX=300
neutralY=300
pointer_to "$neutralX" "$neutralY"
settle 01-file-list
list=$(shot 01-file-list)

# File box c: 200 x 20 pixels, 5 from the right edge, its top edge 25c - 20 below the window's.
boxLeft=$((clientWidth - 5 - 200))
boxRight=$((clientWidth - 5))
boxMiddle=$((boxLeft + 100))
expect "the list is drawn on the workspace grey $background (found $(pixel "$list" 100 240))" \
  [ "$(count "$list" 0 0 $((boxLeft - 1)) "$clientHeight" '!isBackground()')" -eq 0 ]
# Box c: fill rows 25c - 20 .. 25c - 1 and columns 515 .. 714, darkening towards the bottom.
# Mesa draws its light outline on rows 25c - 20 and 25c and on columns 514 and 714, over the
# fill or beside it; the 5 pixels beside the box stay background.
box_in_column() {
  local top=$((25 * $1 - 20)) row=$((25 * $1 - 2))
  local topFill bottomFill leftFill rightFill
  topFill=$(pixel "$list" "$boxMiddle" $((top + 1)))
  bottomFill=$(pixel "$list" "$boxMiddle" $((top + 19)))
  leftFill=$(pixel "$list" "$boxLeft" "$row")
  rightFill=$(pixel "$list" $((boxRight - 2)) "$row")
  darker "$bottomFill" "$background" 20 && darker "$leftFill" "$background" 20 &&
    darker "$rightFill" "$background" 20 &&
    darker "$topFill" "$(pixel "$list" "$boxMiddle" "$top")" 40 &&
    darker "$bottomFill" "$(pixel "$list" "$boxMiddle" $((top + 20)))" 40 &&
    darker "$leftFill" "$(pixel "$list" $((boxLeft - 1)) "$row")" 40 &&
    darker "$rightFill" "$(pixel "$list" $((boxRight - 1)) "$row")" 40 &&
    near "$(pixel "$list" "$boxMiddle" $((top - 1)))" "$background" &&
    near "$(pixel "$list" "$boxMiddle" $((top + 21)))" "$background" &&
    near "$(pixel "$list" $((boxLeft - 2)) "$row")" "$background" &&
    near "$(pixel "$list" "$boxRight" "$row")" "$background" &&
    [ "$(count "$list" "$boxLeft" "$top" 200 20 'r == 255 && g == 255 && b == 255')" -ge 20 ]
}
# One box per track file: the search skips folders only, and matches the extension in any case.
files=$(find "$tracks/smx" "$tracks/smxU" -maxdepth 1 ! -type d -iname '*.smx' 2>/dev/null | wc -l)
shown=$((files < 19 ? files : 19))
boxes_in_column() {
  local c
  for ((c = 1; c <= shown; ++c)); do box_in_column "$c" || return 1; done
  # Nothing stands where one more box would.
  [ "$files" -ge 19 ] || near "$(pixel "$list" "$boxMiddle" $((25 * (files + 1) - 5)))" "$background"
}
expect "$files file boxes with white text in a column 5 px from the right edge, 25 px apart" boxes_in_column

pointer_to "$boxMiddle" 40
await_frame "$list" 02-hover-second-box
hover=$(shot 02-hover-second-box)
second_box_lit() {
  darker "$(pixel "$list" "$boxMiddle" 47)" "$(pixel "$hover" "$boxMiddle" 47)" 15 &&
    near "$(pixel "$hover" "$boxMiddle" 22)" "$(pixel "$list" "$boxMiddle" 22)"
}
expect "the box under the pointer lights up, the other stays as it was" second_box_lit
pointer_to "$neutralX" "$neutralY"
await_frame "$hover" hover-gone
expect "the highlight goes when the pointer leaves: the list looks as at the start" same "$list" "$(shot hover-gone)"
rm -f "$(shot hover-gone)"

# --- the loaded track ------------------------------------------------------------------------------

left_click_at "$boxMiddle" 15
if ! await_title '^Zarvo - '; then
  expect "a click on the first box loads its track (the title still reads \"$(title)\")" false
  finish
fi
path=$(title)
path=${path#Zarvo - }
names_a_track() { [[ "$path" =~ ^smxU?/[^/]+\.smx$ ]] && [ -f "$tracks/$path" ]; }
expect "a click on the first box loads it: title \"$(title)\"" names_a_track
names_a_track || finish
pointer_to "$neutralX" "$neutralY"
settle 03-track-loaded
loaded=$(shot 03-track-loaded)

# The file header holds the ground colour in bytes 48..50, as red, green, blue.
ground=$(od -An -tu1 -j48 -N3 "$tracks/$path" | awk '{ print $1, $2, $3 }')
groundPoints=("100 460" "620 460" "100 70" "620 70")
ground_around_track() {
  local point
  for point in "${groundPoints[@]}"; do near "$(pixel "$loaded" $point)" "$ground" || return 1; done
}
expect "the ground around the track has the file's colour $ground (found $(pixel "$loaded" 100 460))" \
  ground_around_track

# From 10000 view units above the middle, with an 80 degree view at an aspect of 1.5, the
# ground plane's sides at x = -10000 and +10000 lie 75.4 pixels in from the window's sides.
span=$(ground_span "$loaded" 240)
expect "the ground plane spans x = ${span/ /..} along the middle row (75.4..644.6 expected), background beyond" \
  within "$(field "$span" 1)" 75 76 "$(field "$span" 2)" 644 645

stats=$(mesh_stats "$loaded")
expect "the track is drawn in the middle (pixels, mean x, mean y, spread: $stats)" \
  within "$(field "$stats" 1)" 60000 250000 "$(field "$stats" 2)" 340 380 "$(field "$stats" 3)" 220 260

# Info box 250 x 46 at the top-left corner, close box 45 x 20 at the top-right corner; the file
# boxes are gone.
track_overlay() {
  darker "$(pixel "$1" 245 45)" "$ground" 20 &&
    [ "$(count "$1" 5 5 250 46 'r == 255 && g == 255 && b == 255')" -ge 100 ] &&
    darker "$(pixel "$1" 712 20)" "$background" 20 &&
    near "$(pixel "$1" 667 15)" "$background" &&
    [ "$(count "$1" 670 5 45 20 'r == 255 && g == 255 && b == 255')" -ge 10 ] &&
    near "$(pixel "$1" 600 40)" "$ground"
}
expect "the list gives way to an info box with the read-out and a \"close\" box" track_overlay "$loaded"

keys space
await_frame "$loaded" 04-overlay-hidden
hidden=$(shot 04-overlay-hidden)
without_boxes() { convert "$1" -fill black -draw "rectangle 3,3 257,53" -draw "rectangle 668,3 717,27" "$2"; }
overlay_gone() {
  without_boxes "$loaded" "$work/loaded-rest.png" && without_boxes "$hidden" "$work/hidden-rest.png" &&
    same "$work/loaded-rest.png" "$work/hidden-rest.png" &&
    [ "$(count "$hidden" 5 5 250 46 '!isGround() && !isBackground()')" -eq 0 ] &&
    [ "$(count "$hidden" 670 5 45 20 '!isBackground()')" -eq 0 ]
}
expect "Space hides the overlay: ground and background where the boxes were, the rest unchanged" overlay_gone
keys space
await_frame "$hidden" 05-overlay-shown
expect "Space again brings the overlay back, the picture as before" same "$loaded" "$(shot 05-overlay-shown)"

# --- moving the camera -------------------------------------------------------------------------------

keys w w w w w w w w w w
await_frame "$loaded" 06-forward-ten-steps
forward=$(shot 06-forward-ten-steps)
forwardStats=$(mesh_stats "$forward")
# Ten W presses move the eye 1000 view units forward; seen from 10000 units with an 80 degree
# view over 480 pixels that is 1000 / (10000 * tan 40) * 240 = 28.6 pixels down the screen.
down=$(difference "$(field "$forwardStats" 3)" "$(field "$stats" 3)")
aside=$(difference "$(field "$forwardStats" 2)" "$(field "$stats" 2)")
expect "ten W presses move the track $down px down (28.6 expected) and $aside px aside" \
  within "$down" 26.5 31 "$aside" -1 1
expect "the overlay stays in its corners over the moved track" track_overlay "$forward"

keys o
await_frame "$forward" 07-axes-on
axes=$(shot 07-axes-on)
# The origin now lies 28.6 pixels below the middle: x runs right, y up the screen and z
# towards the eye, which stands 1000 units behind it.
red=$(gained "$axes" "$forward" 380 260 260 18 'r > 200 && g < 60 && b < 60')
green=$(gained "$axes" "$forward" 352 60 16 190 'g > 200 && r < 60 && b < 60')
blue=$(gained "$axes" "$forward" 352 270 16 30 'b > 200 && r < 60 && g < 60')
expect "O shows the axes: $red red pixels right of the origin, $green green above, $blue blue below" \
  within "$red" 300 1000 "$green" 200 1000 "$blue" 20 200
keys o
await_frame "$axes" 08-axes-off
expect "O again hides the axes, the picture as before" same "$forward" "$(shot 08-axes-off)"

keys Left
await_frame "$forward" 09-turned-left
turned=$(shot 09-turned-left)
# Turning the view 5 degrees about its vertical axis brings the ground's left side from 75.4
# to 121.2 pixels and its right side from 644.6 to 699.1.
span=$(ground_span "$turned" 240)
expect "the Left arrow turns the view 5 degrees: the ground now spans x = ${span/ /..} (121.2..699.1 expected)" \
  within "$(field "$span" 1)" 121 122 "$(field "$span" 2)" 699 700

keys Up Up Up Up Up
await_frame "$turned" 10-field-of-view-85
wider=$(shot 10-field-of-view-85)
widerStats=$(mesh_stats "$wider")
# Widening the view from 80 to 85 degrees shrinks the picture to tan 40 / tan 42.5.
shrink=$(ratio "$(field "$widerStats" 4)" "$(field "$(mesh_stats "$turned")" 4)")
expect "five Up presses widen the view: the track's spread shrinks to $shrink (0.916 expected)" \
  within "$shrink" 0.895 0.935

pointer_to 360 240
xdotool click 4
await_frame "$wider" 11-wheel-zoomed-in
closer=$(shot 11-wheel-zoomed-in)
# One step of the wheel's ladder brings the eye from 10000 to 9000 view units above the track.
grow=$(ratio "$(field "$(mesh_stats "$closer")" 4)" "$(field "$widerStats" 4)")
expect "one wheel notch away from the user zooms in one step: the spread grows x $grow (1.11 expected)" \
  within "$grow" 1.085 1.135
xdotool click 5
await_frame "$closer" wheel-back
expect "one notch back returns to the same place, the picture as before" same "$wider" "$(shot wheel-back)"
rm -f "$(shot wheel-back)"
xdotool click 5
await_frame "$wider" 12-wheel-zoomed-out
further=$(shot 12-wheel-zoomed-out)
shrink=$(ratio "$(field "$(mesh_stats "$further")" 4)" "$(field "$widerStats" 4)")
expect "one more notch towards the user zooms out to 11000: the spread shrinks x $shrink (0.91 expected)" \
  within "$shrink" 0.885 0.935

# Dragging 60 pixels up with the right button tilts the view 60 degrees towards the heading.
# From 11050 units above the ground, its far side (11000 units ahead of the eye) is then seen
# 15.1 degrees below the middle of the view, at y = 310.8, with only background beyond it.
pointer_to 360 400
xdotool mousedown 3
pointer_to 360 340
xdotool mouseup 3
await_frame "$further" 13-tilted-by-right-drag
tilted=$(shot 13-tilted-by-right-drag)
edge=$((60 + $(count "$tilted" 360 60 1 420 'isBackground()')))
far_side_in_view() {
  [ "$(count "$further" 360 60 1 420 'isBackground()')" -eq 0 ] &&
    within "$edge" 310 312 &&
    [ "$(count "$tilted" 100 60 520 220 '!isBackground()')" -eq 0 ] &&
    [ "$(count "$tilted" 250 330 220 20 '!isGround()')" -eq 0 ]
}
expect "a right-button drag up tilts the view: background beyond the ground's far side at y = $edge (310.8 expected)" \
  far_side_in_view

# --- back to the list, and out ---------------------------------------------------------------------

left_click_at 692 15
await_title '^Zarvo$'
expect "the \"close\" box brings back the list: title \"$(title)\"" [ "$(title)" = Zarvo ]
pointer_to "$neutralX" "$neutralY"
settle 14-file-list-again
expect "the list looks as at the start" same "$list" "$(shot 14-file-list-again)"

if [ "$target" = win32 ]; then
  keys alt+F4
else
  "$CLOSE_WINDOW_HELPER" "$window"
fi
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  expect "the program ends when its window is closed" false
else
  wait "$pid"
  code=$?
  pid=""
  expect "the program ends with exit code 0 when its window is closed (got $code)" [ "$code" -eq 0 ]
fi
finish
