#!/usr/bin/env bash
# Checks a Windows zarvo.exe without running it: its width, a GUI program that imports only system
# DLLs, with its icon, manifest and version record. Usage: check-exe.sh win32|win64 EXE
set -u
case "$#:${1:-}" in
  2:win32) format=pei-i386 arch=X86 ;;
  2:win64) format=pei-x86-64 arch=amd64 ;;
  *) echo "usage: $0 win32|win64 EXE" >&2; exit 2 ;;
esac
exe=$2 failed=0
check() { if eval "$2"; then echo "PASS  $1"; else echo "FAIL  $1"; failed=1; fi; }
headers=$(objdump -p "$exe" 2>&1)
check "the $1 zarvo.exe is a $format program" '[[ $headers == *"file format $format"* ]]'
check "for the Windows GUI" '[[ $headers == *"(Windows GUI)"* ]]'
# It runs from a bare folder: no MinGW runtime DLLs beside it.
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:lower:]' '[:upper:]' | sort | xargs)
check "it imports only system DLLs ($dlls)" '[ "$dlls" = "GDI32.DLL GLU32.DLL KERNEL32.DLL MSVCRT.DLL OPENGL32.DLL SHELL32.DLL USER32.DLL" ]'
check "its icon 101 holds three pictures" \
  '[ "$(wrestool -l "$exe" | grep -c -e "--type=3 " -e "--type=14 --name=101 ")" = 4 ]'
check "its manifest names the program and its processor" "wrestool -x --raw -t 24 \"\$exe\" | tr -d '\n' |
  grep -q 'name=\"Zarvo\" version=\"1.0.0.0\" processorArchitecture=\"$arch\".*Common-Controls\" version=\"6.0.0.0\"'"
# The version record's fixed part: signature, layout, file and product version 0.0.0.1; then its strings.
version=$(wrestool -x --raw -t 16 "$exe" | od -An -tx4 -v | xargs)\|$(strings -el "$exe" | tr '\n' '|')
check "its version record says 0.0.0.1" 'grep -q "feef04bd 00010000 00000000 00000001 00000000 00000001 .*|FileVersion|0, 0, 0, 1|ProductName|Zarvo|" <<<"$version"'
exit "$failed"
