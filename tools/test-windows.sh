#!/usr/bin/env bash
# Runs the Windows tests under the Wine this machine can execute, and says
# which in one line. Where the kernel runs i386 programs: the win32 build's
# whole suite under 32-bit Wine, then the win64 build's camera tests (the
# 64-bit camera beside the 32-bit one) under 64-bit Wine. Where it does not:
# the win64 build's whole suite under 64-bit Wine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
record=$root/build/machine/i386
[ -f "$record" ] || "$root/tools/setup.sh" || exit 1
i386=$(sed -n 1p "$record")
why=$(sed -n 2p "$record")

# 64-bit Wine is needed either way: make its prefix first, so a machine that
# runs neither stops here with one message instead of hundreds of failures.
if ! "$root/tools/wine-run.sh" --win64 --prefix >/dev/null; then
  if [ "$i386" = yes ]; then
    echo "windows tests: 64-bit Wine does not start here; the 64-bit camera cannot be tested" >&2
  else
    echo "windows tests: this machine runs neither 32-bit Wine ($why) nor 64-bit Wine: no Windows test can run" >&2
  fi
  exit 1
fi

if [ "$i386" = yes ]; then
  echo "windows tests: win32 build under 32-bit Wine, then the 64-bit camera under 64-bit Wine ($why)"
  "$root/tools/run-wine.sh" ctest --preset win32 --no-tests=error || rc=1
  "$root/tools/run-wine.sh" --win64 ctest --preset win64-camera --no-tests=error || rc=1
  exit ${rc:-0}
fi
echo "windows tests: win64 build under 64-bit Wine, since this machine cannot execute i386 programs ($why)"
exec "$root/tools/run-wine.sh" --win64 ctest --preset win64 --no-tests=error
