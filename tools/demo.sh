#!/usr/bin/env bash
# The demo: runs the smoke program under Wine and shows what it printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/wine-run.sh" "$root/build/win32/tools/smoke/vcam_smoke.exe"
