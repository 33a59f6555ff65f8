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
[ $# -eq 4 ] && [ -f "$2" ] && [ -d "$3" ] || { echo "usage: $0 win32|linux PROGRAM TRACKS SHOTS" >&2; exit 2; }
program=$(realpath "$2")
tracks=$(realpath "$3")
mkdir -p "$4" && shots=$(realpath "$4") && rm -f "$shots"/*.png
# The window is cleared to the desktop's workspace colour: Wine's default, or the native backend's own.
if [ "$1" = win32 ]; then launch=(wine "$program") background="128 128 128"; else launch=("$program") background="171 171 171"; fi
source "$(dirname "$0")/pictures.sh"
work=$(mktemp -d)
clientWidth=720 clientHeight=480 tolerance=3 ground="" passed=0 failed=0 pid="" window="" frameX=0 frameY=0

finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ "$failed" -gt 0 ] && tail -n 20 "$work/program.log"
  rm -rf "$work"
  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  exit $((failed > 0))
}
trap 'failed=$((failed + 1)); echo "FAIL  the visit was interrupted"; finish' INT TERM
expect() {  # expect DESCRIPTION COMMAND...
  if "${@:2}"; then passed=$((passed + 1)) && echo "PASS  $1"; else failed=$((failed + 1)) && echo "FAIL  $1"; fi
}

# The client area as an RGB PNG; the window may hold a frame drawn by Wine.
grab() { import -window "$window" "$work/raw.png" && convert "$work/raw.png" -crop "${clientWidth}x${clientHeight}+${frameX}+${frameY}" +repage PNG24:"$1"; }
# shoot NAME: waits for a picture other than the last shot, then for it to hold for half a second.
shoot() {
  local steady=0 previous="$work/previous.png"
  for _ in $(seq 60); do
    sleep 0.25
    grab "$work/now.png"
    if [ -n "${last:-}" ] && same "$last" "$work/now.png"; then steady=0; continue; fi
    if [ -f "$previous" ] && same "$previous" "$work/now.png"; then steady=$((steady + 1)); else steady=0; fi
    cp "$work/now.png" "$previous"
    [ "$steady" -ge 2 ] && break
  done
  rm -f "$previous"
  last=$(png "$1") && cp "$work/now.png" "$last"
}
pointer_to() { xdotool mousemove --window "$window" $(($1 + frameX)) $(($2 + frameY)); }
keys() { xdotool windowfocus --sync "$window" && xdotool key --delay 40 "$@"; }
await_title() { for _ in $(seq 60); do xdotool getwindowname "$window" | grep -Eq "$1" && return; sleep 0.25; done; return 1; }

(cd "$tracks" && exec "${launch[@]}") >"$work/program.log" 2>&1 &
pid=$!
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Zarvo$' 2>/dev/null | head -n1)
  [ -n "$window" ] || ! kill -0 "$pid" 2>/dev/null && break
  sleep 0.2
done
expect "a window titled \"Zarvo\" opens" [ -n "$window" ]
[ -n "$window" ] || finish
# Without a window manager Wine draws the frame inside the X window: equal borders, the caption on top.
read -r outerWidth outerHeight < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
frameX=$(((outerWidth - clientWidth) / 2)) frameY=$((outerHeight - clientHeight - (outerWidth - clientWidth) / 2))
[ "$1" = linux ] && expect "the window is 720 x 480 (measured $outerWidth x $outerHeight)" [ "$outerWidth$outerHeight" = 720480 ]

# One box per track file (the search skips folders, and takes the extension in any case), at
# most 19 in view: 200 x 20, 5 pixels from the right edge, box c's top 25c - 20 below the window's.
files=$(find "$tracks/smx" "$tracks/smxU" -maxdepth 1 ! -type d -iname '*.smx' | wc -l)
boxes=$((files < 19 ? files : 19))
box_column() {  # files boxes: filled darker than the background, lighter at the top, white text and outline, background around
  local c top list
  list=$(png 01-file-list)
  for ((c = 1; c <= boxes; ++c)); do
    top=$((25 * c - 20))
    [ "$(count "$list" 516 $((top + 2)) 197 17 'isBackground()')" -eq 0 ] &&
      darker "$(pixel "$list" 712 $((top + 18)))" "$(pixel "$list" 712 $((top + 2)))" 20 &&
      [ "$(count "$list" 515 "$top" 200 21 'r == 255 && g == 255 && b == 255')" -ge 20 ] &&
      [ "$(count "$list" 512 $((top - 1)) 206 1 '!isBackground()')$(count "$list" 512 $((top + 21)) 206 1 '!isBackground()')" = 00 ] &&
      [ "$(count "$list" 512 "$top" 1 21 '!isBackground()')$(count "$list" 716 "$top" 1 21 '!isBackground()')" = 00 ] || return 1
  done
  [ "$files" -ge 19 ] || [ "$(count "$list" 512 $((25 * files + 5)) 206 20 '!isBackground()')" -eq 0 ]
}
# The info box (250 x 46 at the top left) and the close box (45 x 20 at the top right) over the track.
# Measured: white pixels in each, ground in the info box's bottom-right corner, anything but background right
# of the close box, anything but ground between the boxes.
overlay() {
  local shot
  shot=$(png "$1")
  count "$shot" 5 5 250 46 'r == 255 && g == 255 && b == 255'
  count "$shot" 240 40 12 12 'isGround()'
  count "$shot" 670 5 45 20 'r == 255 && g == 255 && b == 255'
  count "$shot" 716 5 4 46 '!isBackground()'
  count "$shot" 590 35 20 10 '!isGround()'
}
off_ground() { for at in "100 460" "620 460" "100 70" "620 70"; do count "$last" $at 1 1 '!isGround()'; done | awk '{ n += $1 } END { print n }'; }

pointer_to 300 300
shoot 01-file-list
expect "the list is drawn on the workspace grey $background" [ "$(count "$last" 0 0 514 480 '!isBackground()')" -eq 0 ]
expect "$files file boxes in a column 5 px from the right edge, 25 px apart" box_column

# Each step: a shot's name, what the user does, what is measured and the range of each value, and what that means.
list_steps=(
  "02-hover-second-box|pointer_to 615 40|changed 01-file-list 02-hover-second-box 515 30 200 20; changed 01-file-list 02-hover-second-box 515 5 200 20|2000 4200 0 0|the box under the pointer lights up, the other stays as it was"
  "hover-gone|pointer_to 300 300|changed 01-file-list hover-gone|0 0|the highlight goes when the pointer leaves"
)
track_steps=(
  "04-overlay-hidden|keys space|changed 03-track-loaded 04-overlay-hidden 0 60 720 420; count \$last 5 5 250 46 '!isGround() && !isBackground()'; count \$last 670 5 45 20 '!isBackground()'|0 0 0 0 0 0|Space hides the overlay: ground and background where the boxes were, the rest unchanged"
  "05-overlay-shown|keys space|changed 03-track-loaded 05-overlay-shown|0 0|Space again brings the overlay back"
  # Ten W presses move the eye 1000 units forward: from 10000 with an 80 degree view over 480 pixels, 28.6 pixels down the screen.
  "06-forward-ten-steps|keys w w w w w w w w w w|moved 06-forward-ten-steps 03-track-loaded; overlay 06-forward-ten-steps|26.5 31 -1 1 100 2000 0 0 10 500 0 0 0 0|ten W presses move the track down, not aside, under the overlay"
  # The origin now lies 28.6 pixels below the middle: x runs right, y up the screen, z towards the eye.
  "07-axes-on|keys o|gained 07-axes-on 06-forward-ten-steps 380 260 260 18 'r > 200 && g < 60 && b < 60'; gained 07-axes-on 06-forward-ten-steps 352 60 16 190 'g > 200 && r < 60 && b < 60'; gained 07-axes-on 06-forward-ten-steps 352 270 16 30 'b > 200 && r < 60 && g < 60'|300 1000 200 1000 20 200|O shows the axes: red right of the origin, green above, blue below"
  "08-axes-off|keys o|changed 06-forward-ten-steps 08-axes-off|0 0|O again hides the axes"
  # Turning 5 degrees brings the ground's sides from 75.4 and 644.6 to 121.2 and 699.1.
  "09-turned-left|keys Left|ground_span \$last 240|121 122 699 700|the Left arrow turns the view 5 degrees"
  "10-field-of-view-85|keys Up Up Up Up Up|spread 10-field-of-view-85 09-turned-left|0.895 0.935|five Up presses widen the view to 85 degrees: the track shrinks to tan 40 / tan 42.5"
  "11-wheel-zoomed-in|pointer_to 360 240; xdotool click 4|spread 11-wheel-zoomed-in 10-field-of-view-85|1.085 1.135|a wheel notch away from the user brings the eye from 10000 to 9000"
  "wheel-back|xdotool click 5|changed 10-field-of-view-85 wheel-back|0 0|a notch back returns to the same place"
  "12-wheel-zoomed-out|xdotool click 5|spread 12-wheel-zoomed-out 10-field-of-view-85|0.885 0.935|one more notch towards the user zooms out to 11000"
  # Tilting 60 degrees from 11050 units up shows the ground's far side 15.1 degrees below the middle, at y = 310.8.
  "13-tilted-by-right-drag|pointer_to 360 400; xdotool mousedown 3; pointer_to 360 340; xdotool mouseup 3|echo \$((60 + \$(count \$last 360 60 1 420 'isBackground()'))); count \$last 100 60 520 220 '!isBackground()'; count \$last 250 330 220 20 '!isGround()'|310 312 0 0 0 0|a right-button drag up tilts the view: background beyond the ground's far side"
)
run_steps() {  # run_steps STEP...
  local name action measure ranges what values
  for step in "$@"; do
    IFS='|' read -r name action measure ranges what <<<"$step"
    [ "$action" = : ] || { eval "$action" && shoot "$name"; }
    values=$(eval "$measure" | tr '\n' ' ')
    expect "$what ($values; expected $ranges)" within_ranges "$values" "$ranges"
  done
}
run_steps "${list_steps[@]}"

pointer_to 615 15
xdotool click 1
expect "a click on the first box loads its track" await_title '^Zarvo - smxU?/[^/]+\.smx$'
path=$(xdotool getwindowname "$window") && path=${path#Zarvo - }
[ -f "$tracks/$path" ] || finish
pointer_to 300 300
shoot 03-track-loaded
ground=$(od -An -tu1 -j48 -N3 "$tracks/$path" | awk '{ print $1, $2, $3 }')  # the file's ground colour, red green blue
# From 10000 units above the middle with an 80 degree view at an aspect of 1.5, the ground's sides lie at x = 75.4 and 644.6.
run_steps "03-track-loaded|:|off_ground; ground_span \$last 240; mesh_stats \$last; overlay 03-track-loaded|0 0 75 76 644 645 60000 250000 340 380 220 260 0 1e9 100 2000 0 0 10 500 0 0 0 0|the track in the middle of its ground of colour $ground, under the info and close boxes"
run_steps "${track_steps[@]}"

pointer_to 692 15
xdotool click 1
expect "the \"close\" box brings back the list" await_title '^Zarvo$'
run_steps "14-file-list-again|pointer_to 300 300|changed 01-file-list 14-file-list-again|0 0|the list looks as at the start"

if [ "$1" = win32 ]; then keys alt+F4; else "$CLOSE_WINDOW_HELPER" "$window"; fi
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && expect "the program ends when its window is closed" false && finish
wait "$pid"
code=$? pid=""
expect "the program ends with exit code 0 when its window is closed (got $code)" [ "$code" -eq 0 ]
finish
