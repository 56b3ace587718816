#!/usr/bin/env bash
# The camera demo. In the project's Wine prefix: registers the camera module
# with the system registration tool, finds "ZeloCamV10" among the video input
# devices, captures its placeholder, starts the test publisher and captures
# the live pattern at three sizes, freezes the publisher's stamp to show the
# placeholder coming back 2 s later, stops the publisher and unregisters.
# Frames, logs and a contact sheet go to build/demo/ (or $VCAM_DEMO_OUT).
#   tools/demo.sh            the 32-bit build in the 32-bit prefix
#   tools/demo.sh --win64    the 64-bit build in the 64-bit prefix
# `make demo` runs it under tools/run-wine.sh, which gives it an X server and
# stops the prefix's wineserver afterwards.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/demo-lib.sh"
out=${VCAM_DEMO_OUT:-$root/build/demo}
if [ "${1:-}" = --win64 ]; then
  bin=$root/build/win64
  module=$bin/camera/filter/vcam_source64.ax
  wine_run=("$root/tools/wine-run.sh" --win64)
  bits=64
else
  bin=$root/build/win32
  module=$bin/camera/filter/vcam_source.ax
  wine_run=("$root/tools/wine-run.sh")
  bits=32
fi
capture_exe=$bin/tools/capture/vcam_capture.exe
publisher_exe=$bin/tools/publisher/vcam_publisher.exe
device=ZeloCamV10

started=$(now_ms)

for f in "$module" "$capture_exe" "$publisher_exe"; do
  [ -f "$f" ] || fail "missing $f: build first (make demo builds them)"
done
for tool in montage convert; do
  command -v $tool >/dev/null || fail "$tool (ImageMagick) is missing: run 'make setup'"
done

# --- clean-up: whatever step fails, no publisher and no registration stay ---
registered=0
unregister() {
  [ $registered = 1 ] || return 0
  "${wine_run[@]}" regsvr32 /s /u "$(winpath "$module")"
  local rc=$?
  registered=0
  return $rc
}
cleanup() {
  stop_publisher
  unregister
}
trap cleanup EXIT
trap 'exit 130' INT TERM

rm -rf "$out/placeholder" "$out"/live-* "$out/freeze" "$out/logs" "$out/contact-sheet.png"
mkdir -p "$out/logs" || fail "cannot create $out"
logs=$out/logs

# Runs the capture tool; its output goes to logs/$1.txt.
capture() {
  local name=$1
  shift
  "${wine_run[@]}" "$capture_exe" "$@" >"$logs/$name.txt" 2>&1
  local rc=$?
  unix_lines "$logs/$name.txt"
  return $rc
}

echo "ZeloCamV10 camera demo, $bits-bit build (output in ${out#"$root"/})"

# --- 1. registration and the device list -----------------------------------
say "registering ${module##*/} with regsvr32 /s"
"${wine_run[@]}" regsvr32 /s "$(winpath "$module")" >"$logs/regsvr32.txt" 2>&1 ||
  fail "regsvr32 /s failed" "$logs/regsvr32.txt"
registered=1

capture devices --list || fail "listing the video input devices failed" "$logs/devices.txt"
grep -qx "video device $device" "$logs/devices.txt" || fail "$device is not among the video input devices" "$logs/devices.txt"
device_count=$(grep -c '^video device ' "$logs/devices.txt")
say "video input devices: $(sed -n 's/^video device //p' "$logs/devices.txt" | paste -sd, | sed 's/,/, /g')"

# --- 2. the placeholder: nothing is published yet ---------------------------
say "capturing 640x480 with nothing published"
capture placeholder --device "$device" --size 640x480 --frames 5 --png 4 --out "$(winpath "$out/placeholder")" ||
  fail "the placeholder capture failed" "$logs/placeholder.txt"
first_frame=$(first_sample_ms "$logs/placeholder.txt")
placeholder_sum=$(checksums "$logs/placeholder.txt" | sort -u)
[ "$(printf '%s\n' "$placeholder_sum" | wc -l)" = 1 ] ||
  fail "the frames without a publisher differ from each other" "$logs/placeholder.txt"
placeholder_png=$out/placeholder/frame_4.png
placeholder_frames=$(sample_count "$logs/placeholder.txt")

# --- 3. the test publisher and live frames at three sizes -------------------
say "starting the test publisher: 800x600 at 15 fps"
start_publisher publisher-live --size 800x600 --fps 15 --duration-ms 120000

live_sizes=(640x480 1280x720 1920x1080)
declare -A live_result live_frames live_moving
for size in "${live_sizes[@]}"; do
  w=${size%x*}
  h=${size#*x}
  say "capturing $size"
  capture "live-$size" --device "$device" --size "$size" --frames 10 --png 9 --out "$(winpath "$out/live-$size")" ||
    fail "the $size capture failed" "$logs/live-$size.txt"
  cropped=0
  [ $((w * 9)) -eq $((h * 16)) ] && cropped=1
  live_result[$size]=$(check_pattern "$out/live-$size/frame_9.png" "$w" "$h" $cropped)
  live_frames[$size]=$(sample_count "$logs/live-$size.txt")
  live_moving[$size]=$(checksums "$logs/live-$size.txt" | sort -u | wc -l)
done

# --- 4. a frozen stamp: the publisher stops giving new pictures -------------
stop_publisher
say "restarting the publisher to freeze its stamp after 3 s; capturing 640x480 for 6.5 s"
start_publisher publisher-freeze --size 800x600 --fps 15 --first-number 1000 --freeze-after-ms 3000 \
  --duration-ms 60000
capture freeze --device "$device" --size 640x480 --seconds 6.5 --png-every 3 --out "$(winpath "$out/freeze")" ||
  fail "the capture across the freeze failed" "$logs/freeze.txt"
say "stopping the publisher"
stop_publisher
unix_lines "$logs/publisher-live.txt"
unix_lines "$logs/publisher-freeze.txt"

# Sample by sample: the live pattern changes every picture, the frozen one
# repeats, the placeholder has the checksum captured in step 2.
mapfile -t sums < <(checksums "$logs/freeze.txt")
mapfile -t times < <(starts "$logs/freeze.txt")
freeze_frames=${#sums[@]}
back=-1
for i in "${!sums[@]}"; do
  if [ "${sums[$i]}" = "$placeholder_sum" ]; then back=$i; break; fi
done
last_new=-1
if [ $back -gt 0 ]; then
  last_new=0
  for ((i = 1; i < back; i++)); do [ "${sums[$i]}" != "${sums[$((i - 1))]}" ] && last_new=$i; done
fi
stays=1
if [ $back -ge 0 ]; then
  for ((i = back; i < freeze_frames; i++)); do [ "${sums[$i]}" = "$placeholder_sum" ] || stays=0; done
fi
live_different=0
[ $last_new -ge 0 ] && live_different=$(printf '%s\n' "${sums[@]:0:$((last_new + 1))}" | sort -u | wc -l)
# The kept frames (every third) that stand for each part of the capture.
kept_in() { # the last kept index in [from, to)
  local i found=""
  for ((i = $1; i < $2; i++)); do [ -f "$out/freeze/frame_$i.png" ] && found=$i; done
  echo "$found"
}
at() { seconds_since 0 $((times[$1] / 10000)); } # stream time of a sample, in s

# --- 5. unregistering -------------------------------------------------------
say "unregistering with regsvr32 /s /u"
unregister || fail "regsvr32 /s /u failed"
capture devices-after --list || fail "listing the video input devices failed" "$logs/devices-after.txt"
if grep -qx "video device $device" "$logs/devices-after.txt"; then
  unregistered="still listed"
else
  unregistered="gone from the device list"
fi

# --- 6. the contact sheet ---------------------------------------------------
tiles=()
tile() { [ -n "$2" ] && [ -f "$2" ] && tiles+=(-label "$1" "$2"); }
tile "no publisher: placeholder 640x480" "$placeholder_png"
for size in "${live_sizes[@]}"; do tile "live pattern $size" "$out/live-$size/frame_9.png"; done
if [ $back -gt 0 ] && [ $last_new -ge 0 ]; then
  ms_back=$(((times[back] - times[last_new]) / 10000))
  live_i=$(kept_in 0 "$last_new")
  frozen_i=$(kept_in "$last_new" $(((last_new + back) / 2 + 1)))
  back_i=$(kept_in "$back" $((back + 3)))
  [ -n "$live_i" ] && tile "freeze run: live, sample $live_i ($(at "$live_i") s)" "$out/freeze/frame_$live_i.png"
  [ -n "$frozen_i" ] && tile "stamp frozen: held, sample $frozen_i ($(at "$frozen_i") s)" \
    "$out/freeze/frame_$frozen_i.png"
  [ -n "$back_i" ] && tile "placeholder again, sample $back_i ($(at "$back_i") s)" "$out/freeze/frame_$back_i.png"
fi
sheet=$out/contact-sheet.png
contact_sheet "$sheet" "$device: placeholder, live, frozen stamp, placeholder again" '400x300>+10+10' 4x "$logs/montage.txt" "${tiles[@]}"

# --- summary ----------------------------------------------------------------
echo
echo "Summary"
printf '  %-20s %s\n' "device" "$device found among $device_count video input device(s) after regsvr32 /s"
printf '  %-20s %s\n' "first frame" "$(seconds_since "$started" "$first_frame") s after the demo started"
printf '  %-20s %s\n' "placeholder" "640x480, $placeholder_frames frames, all identical (fnv1a $placeholder_sum): nothing published"
for size in "${live_sizes[@]}"; do
  r=${live_result[$size]}
  [ "$r" = ok ] && r="live pattern upright, corner markers and colour bars in place" || r="NOT the pattern: $r"
  printf '  %-20s %s\n' "live $size" "${live_frames[$size]} frames, ${live_moving[$size]} different: $r"
done
if [ $back -gt 0 ] && [ $last_new -ge 0 ]; then
  printf '  %-20s %s\n' "frozen stamp" "640x480, $freeze_frames frames:" \
    "" "  samples 0-$last_new: live pattern, $live_different different pictures" \
    "" "  samples $((last_new + 1))-$((back - 1)): the last picture held (no new stamp)" \
    "" "  samples $back-$((freeze_frames - 1)): placeholder again, from $(at "$back") s into the capture," \
    "" "  $((back - last_new)) frames = ${ms_back} ms of stream time after the last new picture (sample $last_new)"
  [ $stays = 1 ] || printf '  %-20s %s\n' "" "  but not every later sample was the placeholder"
else
  printf '  %-20s %s\n' "frozen stamp" "640x480, $freeze_frames frames: the switch to the placeholder was NOT seen"
fi
printf '  %-20s %s\n' "unregistered" "regsvr32 /s /u: $device $unregistered"
printf '  %-20s %s\n' "frames" "${out#"$root"/}/{placeholder,live-*,freeze}/frame_N.png"
printf '  %-20s %s\n' "contact sheet" "${sheet#"$root"/}"
printf '  %-20s %s\n' "took" "$(seconds_since "$started" "$(now_ms)") s"

ok=1
for size in "${live_sizes[@]}"; do [ "${live_result[$size]}" = ok ] || ok=0; done
[ $back -gt 0 ] && [ $last_new -ge 0 ] && [ $stays = 1 ] || ok=0
[ "$unregistered" = "gone from the device list" ] || ok=0
[ $ok = 1 ] || fail "the camera did not show what it should (see above and $logs)"
