#!/usr/bin/env bash
# Picks the Windows build whose programs this machine can run under Wine, and says why: win32 (the
# shipped program) where the kernel runs 32-bit x86 programs, win64 where it does not or where
# ZARVO_WINE64=1 asks for it. Source it: . scripts/windows-build.sh  (sets windows_build, windows_why)
runs_32bit_programs() {  # assembles a static 32-bit program that does nothing and runs it
  local dir status=1
  dir=$(mktemp -d)
  printf '.globl _start\n_start: movl $1, %%eax\nxorl %%ebx, %%ebx\nint $0x80\n' >"$dir/probe.s"
  as --32 "$dir/probe.s" -o "$dir/probe.o" && ld -m elf_i386 "$dir/probe.o" -o "$dir/probe" &&
    "$dir/probe" 2>/dev/null && status=0
  rm -rf "$dir"
  return $status
}

if [ "${ZARVO_WINE64:-0}" = 1 ]; then
  windows_build=win64 windows_why="ZARVO_WINE64=1 asks for the 64-bit build"
elif runs_32bit_programs; then
  windows_build=win32 windows_why="this machine runs 32-bit programs"
else
  windows_build=win64 windows_why="this machine runs no 32-bit programs: its kernel refuses them"
fi
