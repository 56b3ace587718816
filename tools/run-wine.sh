#!/usr/bin/env bash
# Runs a command that starts Windows programs: under a private X server (the
# window tests need a display, CI has none) and with the project's Wine prefix,
# whose wineserver is stopped afterwards so no Wine process outlives the run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${VCAM_IN_XVFB:-}" ]; then
  # Once, before the X server starts: stop a wineserver left from an earlier
  # run and make the prefix.
  "$root/tools/wine-run.sh" --kill
  "$root/tools/wine-run.sh" --prefix >/dev/null || exit 1
  export VCAM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# One wineserver for the whole run: with its default idle exit, a program
# starting just as the server shuts down between two tests can fail to connect.
# The first Wine program also starts the prefix's services (services.exe,
# rpcss, ...), which inherit its output: start them here on /dev/null, or they
# would hold the first test's output pipe open and ctest would wait on it.
WINEPREFIX=$("$root/tools/wine-run.sh" --prefix) wineserver -p
"$root/tools/wine-run.sh" wineboot </dev/null >/dev/null 2>&1
"$@"
rc=$?
"$root/tools/wine-run.sh" --kill
exit $rc
