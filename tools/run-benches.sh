#!/usr/bin/env bash
# Runs every benchmark program (named *_bench) of the host and Windows builds:
# the win32 build under 32-bit Wine where this machine runs i386 programs, and
# the win64 build under 64-bit Wine. Ends with the frame pump of both Windows
# builds side by side at 1280x720 and 1920x1080. The win32 run also times a
# whole uninstall of the staged product (tools/stage/uninstall_bench.sh).
#   tools/run-benches.sh                  everything
#   tools/run-benches.sh --windows ARCH   one Windows build (under run-wine.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/bench
rc=0

if [ "${1:-}" = --windows ]; then
  arch=$2
  flag=()
  [ "$arch" = win64 ] && flag=(--win64)
  for b in $(find "$root/build/$arch" -type f -name '*_bench.exe' | sort); do
    echo "== ($arch, Wine) $b"
    extra=()
    [ "${b##*/}" = frame_pump_bench.exe ] && extra=(--benchmark_out="$out/frame_pump_$arch.csv" --benchmark_out_format=csv)
    "$root/tools/wine-run.sh" "${flag[@]}" "$b" --benchmark_counters_tabular=true "${extra[@]}" || rc=1
  done
  if [ "$arch" = win32 ]; then
    echo "== (win32, Wine) a whole uninstall of the staged product, ms"
    "$root/tools/stage/uninstall_bench.sh" "$root/build/win32" 3 || rc=1
  fi
  exit $rc
fi

mkdir -p "$out"
rm -f "$out"/frame_pump_*.csv
# Network benchmarks download from a local HTTPS server.
eval "$("$root/tools/https_server/bench_server.sh" start)" || rc=1
# The file digest against md5sum on one 200 MB file.
eval "$("$root/tools/md5_bench_file.sh")" || rc=1
for b in $(find "$root/build/host-bench" -type f -name '*_bench' -perm -u+x | sort); do
  echo "== $b"
  "$b" --benchmark_counters_tabular=true || rc=1
done
if [ "$(sed -n 1p "$root/build/machine/i386" 2>/dev/null)" = yes ]; then
  "$root/tools/run-wine.sh" "$0" --windows win32 || rc=1
else
  echo "== win32 benchmarks skipped: this machine cannot execute i386 programs"
fi
"$root/tools/run-wine.sh" --win64 "$0" --windows win64 || rc=1
"$root/tools/https_server/bench_server.sh" stop

# The pump's cost per delivered new picture (BM_FillNewPicture's pump_us),
# by output size, for each build that ran. The benchmark's argument is the
# format index: 8 is 1280x720, 9 is 1920x1080.
echo
echo "frame pump per delivered new picture (pump_us, microseconds)"
printf '  %-12s %12s %12s\n' size win32 win64
for pair in 8:1280x720 9:1920x1080; do
  index=${pair%%:*}
  line="  $(printf '%-12s' "${pair#*:}")"
  for arch in win32 win64; do
    v=$(awk -F, -v name="\"BM_FillNewPicture/$index\"" '
          /^name,/ { for (i = 1; i <= NF; i++) if ($i == "\"pump_us\"" || $i == "pump_us") col = i }
          col && $1 == name { printf "%.0f", $col }' "$out/frame_pump_$arch.csv" 2>/dev/null)
    line+=$(printf ' %12s' "${v:--}")
  done
  echo "$line"
done
exit $rc
