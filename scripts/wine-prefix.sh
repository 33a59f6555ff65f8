#!/usr/bin/env bash
# Makes (once) and exports the private Wine prefix the Windows build runs in.
# Source it: . scripts/wine-prefix.sh   (WINEPREFIX may be set beforehand; default build/wine)
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$root/build/wine}
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i </dev/null >"$WINEPREFIX.log" 2>&1
  # A crashing test must fail at once instead of waiting in the debugger dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >>"$WINEPREFIX.log" 2>&1
  # Wine has no Courier New; a monospaced face keeps the overlay text in columns.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ /d 'DejaVu Sans Mono' /f \
    </dev/null >>"$WINEPREFIX.log" 2>&1
  # The server that made the prefix must be gone before a persistent one starts.
  wineserver -w
fi
