#!/usr/bin/env bash
# Runs a Windows program under one of the project's own Wine prefixes,
# creating the prefix on first use. Used as CMake's cross-compiling emulator,
# so ctest runs the Windows tests through it.
#   tools/wine-run.sh [--win64] program.exe args...   run a program
#   tools/wine-run.sh [--win64] --prefix               create the prefix and print its path
#   tools/wine-run.sh [--win64] --kill                 stop the prefix's wineserver
# Without --win64: 32-bit Wine in build/wine (WINEARCH=win32). With it: 64-bit
# Wine in build/wine64 (WINEARCH=win64), which also runs 32-bit programs where
# this machine executes i386 code.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --win64 ]; then
  shift
  export WINEPREFIX=${VCAM_WINEPREFIX64:-$root/build/wine64}
  export WINEARCH=win64
  # Debian's `wine` picks the 32-bit loader whenever it is installed, even on a
  # kernel that cannot run it; the 64-bit loader starts 32-bit programs itself.
  wine=/usr/lib/wine/wine64
else
  export WINEPREFIX=${VCAM_WINEPREFIX:-$root/build/wine}
  export WINEARCH=win32
  wine=wine
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winealsa.drv="}
# Whether this machine executes i386 programs, as setup recorded it: the tests
# that start a program of the other bitness read it to tell a fault from a
# machine that cannot do it.
VCAM_I386=$(sed -n 1p "$root/build/machine/i386" 2>/dev/null)
export VCAM_I386=${VCAM_I386:-unknown}

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
      if ! "$wine" wineboot -i >"$WINEPREFIX.log" 2>&1; then
        tail -n 20 "$WINEPREFIX.log" >&2
        echo "wine-run: cannot create the $WINEARCH prefix $WINEPREFIX with $wine" >&2
        exit 1
      fi
      wineserver -w
      touch "$WINEPREFIX/.vcam-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# Registry settings merged into the prefix once each, also into prefixes made
# before the setting was added: apply_once MARKER KEY "NAME"="VALUE"...
apply_once() {
  local marker=$WINEPREFIX/.vcam-$1 key=$2
  shift 2
  [ -f "$marker" ] && return 0
  (
    flock 9
    if [ ! -f "$marker" ]; then
      reg=$(mktemp --suffix=.reg)
      printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' "[$key]" "$@" '' | iconv -f UTF-8 -t UTF-16 >"$reg"
      "$wine" regedit /S "Z:$reg" >>"$WINEPREFIX.log" 2>&1 && touch "$marker"
      rm -f "$reg"
      # As after wineboot: the server of this run (and the desktop it started,
      # perhaps without a display) must be gone before the program runs.
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
}

# The skins' Chinese faces (微软雅黑, 新宋体, 宋体) are not in a Wine prefix, and
# Wine's fallback face has no CJK glyphs: map them to the WenQuanYi font that
# setup installs.
apply_once fonts 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  '"微软雅黑"="WenQuanYi Zen Hei"' '"新宋体"="WenQuanYi Zen Hei"' '"宋体"="WenQuanYi Zen Hei"'

# The X servers here run no window manager. Wine hands top-level windows it
# deems "managed" to one, and each time such a window is hidden or destroyed it
# waits up to 2 s for the window manager to confirm it withdrawn, which never
# comes. Unmanaged, Wine places, draws and focuses every window itself, as a
# window manager-less display needs anyway, and hides it at once.
apply_once unmanaged 'HKEY_CURRENT_USER\Software\Wine\X11 Driver' '"Managed"="N"'

# Dialogs and message boxes draw in Wine's Tahoma, which has no CJK glyphs
# either: link it to WenQuanYi as a Chinese Windows links its UI font.
wqy_link=$(printf 'wqy-zenhei.ttc,WenQuanYi Zen Hei\0\0' | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
  tr -s ' \n' ',' | sed 's/^,//;s/,$//')
apply_once ui-font-link 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  "\"Tahoma\"=hex(7):$wqy_link"

if [ "${1:-}" = --prefix ]; then
  echo "$WINEPREFIX"
  exit 0
fi
exec "$wine" "$@"
