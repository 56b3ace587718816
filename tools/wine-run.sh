#!/usr/bin/env bash
# Runs a Windows program under the project's own Wine prefix (build/wine),
# creating the prefix on first use. Used as CMake's cross-compiling emulator,
# so ctest runs the Windows tests through it.
#   tools/wine-run.sh program.exe args...   run a program
#   tools/wine-run.sh --prefix               create the prefix and print its path
#   tools/wine-run.sh --kill                 stop the prefix's wineserver
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${VCAM_WINEPREFIX:-$root/build/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winealsa.drv="}

if [ "${1:-}" = --kill ]; then
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  exit 0
fi

if [ ! -f "$WINEPREFIX/.vcam-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vcam-ready" ]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.vcam-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

if [ "${1:-}" = --prefix ]; then
  echo "$WINEPREFIX"
  exit 0
fi
exec wine "$@"
