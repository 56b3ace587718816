#!/usr/bin/env bash
# Runs a command that starts Windows programs: under a private X server (the
# window tests need a display, CI has none) and with one of the project's Wine
# prefixes, whose wineserver is stopped afterwards so no Wine process outlives
# the run.
#   tools/run-wine.sh [--win64] <command...>
# --win64 selects the 64-bit prefix (build/wine64); the default is the 32-bit one.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=()
if [ "${1:-}" = --win64 ]; then arch=(--win64); shift; fi
if [ -z "${VCAM_IN_XVFB:-}" ]; then
  # Once, before the X server starts: stop a wineserver left from an earlier
  # run and make the prefix.
  "$root/tools/wine-run.sh" "${arch[@]}" --kill
  "$root/tools/wine-run.sh" "${arch[@]}" --prefix >/dev/null || exit 1
  export VCAM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${arch[@]}" "$@"
fi
# One wineserver for the whole run: with its default idle exit, a program
# starting just as the server shuts down between two tests can fail to connect.
# The first Wine program also starts the prefix's services (services.exe,
# rpcss, ...), which inherit its output: start them here on /dev/null, or they
# would hold the first test's output pipe open and ctest would wait on it.
WINEPREFIX=$("$root/tools/wine-run.sh" "${arch[@]}" --prefix) wineserver -p
"$root/tools/wine-run.sh" "${arch[@]}" wineboot </dev/null >/dev/null 2>&1
"$@"
rc=$?
"$root/tools/wine-run.sh" "${arch[@]}" --kill
exit $rc
