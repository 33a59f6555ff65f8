#!/usr/bin/env bash
# Builds the .deb and the Windows zip, unpacks both and checks what they hold, then starts each viewer
# in its unpacked tracks folder and looks for the samples' file list. Run after both presets are built:
# scripts/with-display.sh bash tests/package/check-packages.sh
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() {  # DESCRIPTION COMMAND...
  if "${@:2}" >/dev/null 2>&1; then echo "PASS  $1"; else echo "FAIL  $1"; failed=1; fi
}
for preset in linux win32; do
  cmake --build --preset "$preset" --target package >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
done
deb=$(ls -t "$root"/build/linux/zarvo_*.deb | head -n1)
zip=$(ls -t "$root"/build/win32/zarvo-*-win32.zip | head -n1)
du -k "$deb" "$zip"

d=$work/deb
dpkg-deb -x "$deb" "$d"
desktop=$d/usr/share/applications/zarvo.desktop
tracks=$d$(sed -n 's/^Path=//p' "$desktop")
check "the desktop entry is valid" desktop-file-validate "$desktop"
check "it starts zarvo with its icon" test "$(grep -cx -e Exec=zarvo -e Icon=zarvo "$desktop")" = 2
check "the programs, the README and the manual pages are installed" ls "$d"/usr/bin/{zarvo,smxinfo,smxgen} \
  "$d"/usr/share/doc/zarvo/README.md "$d"/usr/share/man/man1/{smxinfo,smxgen}.1.gz
check "libraries and fonts are declared" grep -qz 'libx11-6.*xfonts-75dpi' <(dpkg-deb -f "$deb" Depends Recommends)
check "three circuits in smx/, one in smxU/" test "$(ls "$tracks"/smx | wc -l)$(ls "$tracks"/smxU | wc -l)" = 31
for tool in smxinfo smxgen; do
  synopsis=$(MANWIDTH=200 man -l "$d/usr/share/man/man1/$tool.1.gz" | sed -n '/^SYNOPSIS/,/^$/s/^  *//p')
  check "$tool --help prints the manual page's synopsis" \
    test "$synopsis" = "$("$d/usr/bin/$tool" --help | sed -n "s/^\(usage:\)\? *\($tool .*\)/\2/p")"
done

mkdir "$work/zip" && cmake -E chdir "$work/zip" cmake -E tar xf "$zip"
folder=$(echo "$work"/zip/*)  # names no folder, and fails the checks, unless the zip holds just one
check "the zip: one folder with the programs and the README" ls "$folder"/{zarvo,smxinfo,smxgen}.exe "$folder/README.txt"
check "beside them the same samples as in the .deb" diff -r "$tracks" "$folder" -x '*.exe' -x README.txt
same_icons() {
  for s in 16 32 48; do wrestool -x -t 14 "$folder/zarvo.exe" | icotool -x -w "$s" -o - - |
    compare -metric AE "$d/usr/share/icons/hicolor/${s}x$s/apps/zarvo.png" - null: || return 1; done
}
check "the 16, 32 and 48 pixel icons are those of zarvo.exe" same_icons

# The list: box c (200 x 20 pixels at client columns 515..714, rows 25c - 20 .. 25c - 1) shows a
# track's name in white. Four samples: white text in the first four 25-row bands, none in the fifth.
shows_samples() {  # FOLDER COMMAND...: starts the viewer in FOLDER, looks for its list, closes it
  local window pid frame list=""
  (cd "$1" && exec "${@:2}") >"$work/program.log" 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zarvo$' | head -n1)
  # Under Wine with no window manager the X window also holds the frame Wine draws.
  read -r width height < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  frame=$(((width - 720) / 2))
  for _ in $(seq 40); do
    list=$(import -window "$window" png:- | convert - -crop "200x125+$((frame + 515))+$((height - 480 - frame))" \
      +repage -fill black +opaque white -scale '1x5!' -threshold 1% -depth 8 gray:- | od -An -tu1 | xargs)
    [ "$list" = "255 255 255 255 0" ] && break
    sleep 0.25
  done
  "$root/build/linux/tests/e2e/close-window" "$window"
  timeout 10 tail --pid="$pid" -f /dev/null || kill "$pid"
  wait "$pid" && [ "$list" = "255 255 255 255 0" ]
}
check "the native zarvo started in the tracks folder lists the four samples" shows_samples "$tracks" "$d/usr/bin/zarvo"
check "zarvo.exe started in its folder lists the four samples" shows_samples "$folder" wine "$folder/zarvo.exe"
exit "$failed"
