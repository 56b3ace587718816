#!/usr/bin/env bash
# What `make demo` runs: the UI toolkit's gallery and the camera demo with the
# build this machine can run (32-bit where it executes i386 programs, else
# 64-bit), the installed launcher and uninstaller with the 32-bit build, then the 64-bit
# camera beside the 32-bit one in the 64-bit prefix.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
record=$root/build/machine/i386
[ -f "$record" ] || "$root/tools/setup.sh" || exit 1
if [ "$(sed -n 1p "$record")" = yes ]; then
  "$root/tools/run-wine.sh" "$root/tools/demo-ui.sh" || exit 1
  echo
  echo "demo: 32-bit camera under 32-bit Wine, then the 64-bit camera beside it ($(sed -n 2p "$record"))"
  "$root/tools/run-wine.sh" "$root/tools/demo.sh" || exit 1
  echo
  "$root/tools/run-wine.sh" "$root/tools/demo-launcher.sh" || exit 1
  echo
  "$root/tools/run-wine.sh" "$root/tools/demo-uninstaller.sh" || exit 1
else
  "$root/tools/run-wine.sh" --win64 "$root/tools/demo-ui.sh" --win64 || exit 1
  echo
  echo "demo: 64-bit camera under 64-bit Wine, since this machine cannot execute i386 programs ($(sed -n 2p "$record"))"
  "$root/tools/run-wine.sh" --win64 "$root/tools/demo.sh" --win64 || exit 1
fi
echo
exec "$root/tools/run-wine.sh" --win64 "$root/tools/demo-bitness.sh"
