#!/usr/bin/env bash
# Builds the .deb and the two Windows zips, unpacks them and checks what they hold, the programs in the
# zips without running them. Run after the presets are built: bash tests/package/check-packages.sh
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() {  # DESCRIPTION COMMAND...
  if "${@:2}" >/dev/null 2>&1; then echo "PASS  $1"; else echo "FAIL  $1"; failed=1; fi
}
for preset in linux win32 win64; do
  cmake --build --preset "$preset" --target package >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
done
deb=$(ls -t "$root"/build/linux/zarvo_*.deb | head -n1)

d=$work/deb
dpkg-deb -x "$deb" "$d"
desktop=$d/usr/share/applications/zarvo.desktop
tracks=$d$(sed -n 's/^Path=//p' "$desktop")
check "the desktop entry is valid" desktop-file-validate "$desktop"
check "it starts zarvo on a file of its type, with its icon" \
  test "$(grep -cx -e 'Exec=zarvo %f' -e Icon=zarvo -e 'MimeType=model/x-smx;' "$desktop")" = 3
# The type as a GNOME desktop finds it, from the package's file alone.
mkdir -p "$work/share/mime/packages" && cp "$d"/usr/share/mime/packages/zarvo.xml "$work/share/mime/packages/"
update-mime-database "$work/share/mime" 2>/dev/null
filetype() { XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS="$work/share:/usr/share" xdg-mime query filetype "$1"; }
cp "$root/LICENSE" "$work/text.smx"
check "the MIME file gives a .smx track its type, by its name alone" \
  test "$(filetype "$tracks/smx/small-ring.smx") $(filetype "$work/text.smx")" = "model/x-smx model/x-smx"
check "the programs, the README, licence, changelog and manual pages are installed" ls "$d"/usr/bin/{zarvo,smxinfo,smxgen} \
  "$d"/usr/share/doc/zarvo/{README.md,copyright,changelog.gz} "$d"/usr/share/man/man1/{zarvo,smxinfo,smxgen}.1.gz
check "lintian finds no error and no warning" lintian --fail-on error,warning "$deb"
check "libraries and fonts are declared" grep -qz 'libx11-6.*xfonts-75dpi' <(dpkg-deb -f "$deb" Depends Recommends)
check "three circuits in smx/, one in smxU/" test "$(ls "$tracks"/smx | wc -l)$(ls "$tracks"/smxU | wc -l)" = 31

same_icons() {  # EXE: its 16, 32 and 48 pixel icons are the .deb's
  for s in 16 32 48; do wrestool -x -t 14 "$1" | icotool -x -w "$s" -o - - |
    compare -metric AE "$d/usr/share/icons/hicolor/${s}x$s/apps/zarvo.png" - null: || return 1; done
}
for build in win32 win64; do
  zip=$(ls -t "$root"/build/$build/zarvo-*-$build.zip | head -n1)
  mkdir "$work/$build" && cmake -E chdir "$work/$build" cmake -E tar xf "$zip"
  folder=$(echo "$work/$build"/*)  # names no folder, and fails the checks, unless the zip holds just one
  check "the $build zip: one folder with the programs and the README" \
    ls "$folder"/{zarvo,smxinfo,smxgen}.exe "$folder/README.txt"
  check "README.txt and LICENSE.txt beside them, with Windows line endings" awk '!/\r$/ { exit 1 }' "$folder"/{README,LICENSE}.txt
  check "beside them the same samples as in the .deb" diff -r "$tracks" "$folder" -x '*.exe' -x '*.txt'
  check "its zarvo.exe has the icons of the .deb" same_icons "$folder/zarvo.exe"
  bash "$root/tests/package/check-exe.sh" "$build" "$folder/zarvo.exe" || failed=1
done

exit "$failed"
