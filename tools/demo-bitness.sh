#!/usr/bin/env bash
# The 64-bit camera beside the 32-bit one, in the 64-bit prefix: registers
# vcam_source64.ax with the 64-bit registration tool and, where this machine
# runs i386 programs, vcam_source.ax with the 32-bit one; starts one test
# publisher (32-bit where it can run, so the picture crosses bitnesses) and
# captures the camera with the 64-bit capture tool and the 32-bit one. Both
# must show the same published picture. Then unregisters the 64-bit module
# and shows that the 32-bit device stays. Output in build/demo/bitness/.
# `make demo` runs it under `tools/run-wine.sh --win64`.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/demo-lib.sh"
out=${VCAM_DEMO_OUT:-$root/build/demo}/bitness
wine_run=("$root/tools/wine-run.sh" --win64)
b64=$root/build/win64
b32=$root/build/win32
module64=$b64/camera/filter/vcam_source64.ax
module32=$b32/camera/filter/vcam_source.ax
device=ZeloCamV10
size=1280x720
i386=no
[ "$(sed -n 1p "$root/build/machine/i386" 2>/dev/null)" = yes ] && i386=yes

for f in "$module64" "$b64/tools/capture/vcam_capture.exe" "$b64/tools/publisher/vcam_publisher.exe"; do
  [ -f "$f" ] || fail "missing $f: build first (make demo builds it)"
done
if [ $i386 = yes ]; then
  for f in "$module32" "$b32/tools/capture/vcam_capture.exe" "$b32/tools/publisher/vcam_publisher.exe"; do
    [ -f "$f" ] || fail "missing $f: build first (make demo builds it)"
  done
fi

rm -rf "$out" && mkdir -p "$out/logs" || fail "cannot create $out"
logs=$out/logs
regsvr64=regsvr32
regsvr32_wow='C:\windows\syswow64\regsvr32.exe'

registered64=0
registered32=0
cleanup() {
  stop_publisher
  [ $registered64 = 1 ] && "${wine_run[@]}" $regsvr64 /s /u "$(winpath "$module64")"
  [ $registered32 = 1 ] && "${wine_run[@]}" "$regsvr32_wow" /s /u "$(winpath "$module32")"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Runs one build's capture tool (32 or 64); output in logs/$2.txt.
capture() {
  local bits=$1 name=$2
  shift 2
  local build=$b64
  [ "$bits" = 32 ] && build=$b32
  "${wine_run[@]}" "$build/tools/capture/vcam_capture.exe" "$@" >"$logs/$name.txt" 2>&1
  local rc=$?
  unix_lines "$logs/$name.txt"
  return $rc
}
listed() { grep -qx "video device $device" "$logs/$1.txt"; }

echo "ZeloCamV10 in 32- and 64-bit applications, 64-bit prefix (output in ${out#"$root"/})"
say "registering vcam_source64.ax with the 64-bit regsvr32"
"${wine_run[@]}" $regsvr64 /s "$(winpath "$module64")" >"$logs/regsvr64.txt" 2>&1 ||
  fail "64-bit regsvr32 /s failed" "$logs/regsvr64.txt"
registered64=1
captures=(64)
if [ $i386 = yes ]; then
  say "registering vcam_source.ax with the 32-bit regsvr32 (WOW64)"
  "${wine_run[@]}" "$regsvr32_wow" /s "$(winpath "$module32")" >"$logs/regsvr32.txt" 2>&1 ||
    fail "32-bit regsvr32 /s failed" "$logs/regsvr32.txt"
  registered32=1
  captures=(64 32)
  publisher_bits=32
else
  say "this machine cannot execute i386 programs: 64-bit side only"
  publisher_bits=64
fi

for bits in "${captures[@]}"; do
  capture "$bits" "devices-$bits" --list || fail "the $bits-bit device list failed" "$logs/devices-$bits.txt"
  listed "devices-$bits" || fail "$device is not a video input device for $bits-bit applications" "$logs/devices-$bits.txt"
done

# A publisher that froze its stamp after its first picture: every capture
# started within 2 s of its stream start shows that very picture.
publisher_exe=$b64/tools/publisher/vcam_publisher.exe
[ $publisher_bits = 32 ] && publisher_exe=$b32/tools/publisher/vcam_publisher.exe
say "starting the $publisher_bits-bit test publisher: 800x600, picture 42, stamp frozen after it"
start_publisher publisher --size 800x600 --first-number 42 --freeze-after-frames 1 --duration-ms 120000

declare -A result sum
for bits in "${captures[@]}"; do
  say "capturing $size with the $bits-bit capture tool"
  capture "$bits" "capture-$bits" --device "$device" --size $size --frames 5 --png 4 \
    --out "$(winpath "$out/capture-$bits")" || fail "the $bits-bit capture failed" "$logs/capture-$bits.txt"
  result[$bits]=$(check_pattern "$out/capture-$bits/frame_4.png" 1280 720 1)
  sum[$bits]=$(checksums "$logs/capture-$bits.txt" | tail -n 1)
done

same="only the 64-bit side ran"
if [ ${#captures[@]} = 2 ]; then
  diff_pixels=$(compare -metric AE -fuzz 2% "$out/capture-64/frame_4.png" "$out/capture-32/frame_4.png" null: 2>&1)
  if [ "${sum[64]}" = "${sum[32]}" ]; then
    same="identical samples (fnv1a ${sum[64]})"
  else
    same="$diff_pixels pixels differ by more than 2% (fnv1a ${sum[64]} and ${sum[32]})"
  fi
fi

after="not checked"
if [ $i386 = yes ]; then
  say "unregistering vcam_source64.ax only"
  "${wine_run[@]}" $regsvr64 /s /u "$(winpath "$module64")" || fail "64-bit regsvr32 /s /u failed"
  registered64=0
  capture 64 devices-64-after --list
  capture 32 devices-32-after --list
  after="64-bit: $(listed devices-64-after && echo still listed || echo gone); 32-bit: $(listed devices-32-after && echo still listed || echo gone)"
fi

tiles=()
for bits in "${captures[@]}"; do
  mod=vcam_source64.ax
  [ "$bits" = 32 ] && mod=vcam_source.ax
  tiles+=(-label "$bits-bit capture tool, $mod" "$out/capture-$bits/frame_4.png")
done
contact_sheet "$out/side-by-side.png" "$device, $publisher_bits-bit publisher, picture 42" '560x315>+10+10' 2x "$logs/montage.txt" "${tiles[@]}"

echo
echo "Summary (64-bit prefix)"
printf '  %-20s %s\n' "i386 programs" "$i386"
printf '  %-20s %s\n' "publisher" "$publisher_bits-bit vcam_publisher.exe"
for bits in "${captures[@]}"; do
  r=${result[$bits]}
  [ "$r" = ok ] && r="the published pattern, upright, corner markers and colour bars in place" || r="NOT the pattern: $r"
  printf '  %-20s %s\n' "$bits-bit capture" "$size: $r"
done
printf '  %-20s %s\n' "same picture" "$same"
printf '  %-20s %s\n' "after /u of 64-bit" "$after"
printf '  %-20s %s\n' "picture" "${out#"$root"/}/side-by-side.png"

ok=1
for bits in "${captures[@]}"; do [ "${result[$bits]}" = ok ] || ok=0; done
[ $i386 = no ] || [ "$after" = "64-bit: gone; 32-bit: still listed" ] || ok=0
[ $ok = 1 ] || fail "the two cameras did not show what they should (see above and $logs)"
