#!/usr/bin/env bash
# Builds what the Windows tests need of the win64 build. Where this machine
# runs i386 programs only the 64-bit camera's tests run under 64-bit Wine, so
# only they (and what they depend on) are built; elsewhere the whole win64
# suite runs, so the whole build is made. `make build` still builds it all.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
if [ "$(sed -n 1p build/machine/i386 2>/dev/null)" != yes ]; then
  exec cmake --build --preset win64
fi
targets=$(ctest --preset win64-camera -N 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: *//p')
if [ -z "$targets" ]; then
  echo "build-win64-tests: the win64 build lists no camera tests" >&2
  exit 1
fi
# shellcheck disable=SC2086
exec cmake --build --preset win64 --target $targets
