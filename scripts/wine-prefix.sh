#!/usr/bin/env bash
# Makes (once) and exports the private Wine prefix a Windows build runs in, and ZARVO_WINE, the
# Wine loader that starts its programs. Source it: . scripts/wine-prefix.sh win32|win64
# (WINEPREFIX may be set beforehand; default build/wine for win32, build/wine64 for win64).
# On failure it says why, shows the end of the prefix's log and returns 1.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# NOTE: Wine draws with the host's Mesa, whose glibc allocator the Windows program cannot tune; told
# here, it keeps a frame's freed memory, so the first frames over a big track are not five times slower.
export GLIBC_TUNABLES=glibc.malloc.trim_threshold=1073741824:glibc.malloc.mmap_threshold=16777216
if [ "${1:-}" = win64 ]; then
  # NOTE: Debian's `wine` picks the 32-bit loader whenever wine32 is installed, even on a kernel
  # that cannot run it; the 64-bit loader is started by name and told to start its children.
  export WINEARCH=win64 WINEPREFIX=${WINEPREFIX:-$root/build/wine64}
  export WINELOADER=/usr/lib/wine/wine64 ZARVO_WINE=/usr/lib/wine/wine64
else
  export WINEARCH=win32 WINEPREFIX=${WINEPREFIX:-$root/build/wine} ZARVO_WINE=wine
fi
mkdir -p "$(dirname "$WINEPREFIX")"

wine_prefix_step() {  # WHAT COMMAND...: runs a step of the prefix's set-up, logged
  "${@:2}" </dev/null >>"$WINEPREFIX.log" 2>&1 && return
  echo "Wine set-up failed: $1 ($WINEARCH prefix $WINEPREFIX). Last lines of $WINEPREFIX.log:" >&2
  tail -n 15 "$WINEPREFIX.log" >&2
  return 1
}

# Windows' default workspace grey, which the window is cleared to; Wine's own is darker. A prefix made
# before it was set is made again.
workspace_grey='171 171 171'
if [ ! -f "$WINEPREFIX/system.reg" ] || ! grep -qi "^\"AppWorkSpace\"=\"$workspace_grey\"" "$WINEPREFIX/user.reg"; then
  : >"$WINEPREFIX.log"
  wine_prefix_step "making the prefix (wineboot -i)" "$ZARVO_WINE" wineboot -i &&
    # A crashing test must fail at once instead of waiting in the debugger dialog.
    wine_prefix_step "turning off the crash dialog" "$ZARVO_WINE" reg add 'HKCU\Software\Wine\WineDbg' \
      /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
    # Wine has no Courier New; a monospaced face keeps the overlay text in columns.
    wine_prefix_step "mapping Courier New" "$ZARVO_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v 'Courier New' /t REG_SZ /d 'DejaVu Sans Mono' /f &&
    wine_prefix_step "setting the workspace colour" "$ZARVO_WINE" reg add 'HKCU\Control Panel\Colors' \
      /v AppWorkSpace /t REG_SZ /d "$workspace_grey" /f &&
    # The server that made the prefix must be gone before a persistent one starts.
    wine_prefix_step "waiting for the set-up's server to end" wineserver -w ||
    { rm -rf "$WINEPREFIX"; return 1 2>/dev/null || exit 1; }
fi
