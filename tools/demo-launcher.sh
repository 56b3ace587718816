#!/usr/bin/env bash
# The launcher chapter of the demo, with the 32-bit build in the 32-bit prefix.
# Stages an installed product (tools/stage.sh), serves it a configuration with
# an optional update and four decoder files from the fixture HTTPS server, and
# starts the installed launcher as a user would. Photographs the splash, the
# update alert (then declines it with Escape), the decoder progress window and
# the client window; captures "ZeloCamV10" while the client publishes its test
# card; starts the launcher a second time with a command line, which the
# running client receives, and photographs that; closes the client. Pictures,
# logs and a contact sheet go to build/demo/launcher/ (or $VCAM_DEMO_OUT/launcher).
# Run under tools/run-wine.sh (it needs the X server). Every wait is bounded;
# any step that fails ends the chapter with a message and exit code 1, and the
# staged product is removed again whatever happens.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/demo-lib.sh"
out=${VCAM_DEMO_OUT:-$root/build/demo}/launcher
bin=${VCAM_DEMO_WIN32:-$root/build/win32} # the 32-bit build
wine_run=("$root/tools/wine-run.sh")
watch_exe=$bin/tools/stage/window_watch.exe
capture_exe=$bin/tools/capture/vcam_capture.exe
patcher=$bin/tools/outside/patch/patch.exe
server=$root/tools/https_server/https_server.py
device=ZeloCamV10
version=6.0.0.5
command_line='vovia://room/20481?from=demo'

started=$(now_ms)
[ -n "${DISPLAY:-}" ] || fail "no X display: run it as tools/run-wine.sh tools/demo-launcher.sh"
for f in "$watch_exe" "$capture_exe" "$patcher"; do
  [ -f "$f" ] || fail "missing $f: build first (make demo builds it)"
done
for tool in montage convert import python3; do
  command -v $tool >/dev/null || fail "$tool is missing: run 'make setup'"
done

rm -rf "$out"
logs=$out/logs
mkdir -p "$logs" || fail "cannot create $out"
state=$out/server

# --- clean-up: no launcher, server or staged product outlives the chapter ------
launcher_pids=()
cleanup() {
  local pid
  for pid in "${launcher_pids[@]}"; do kill -0 "$pid" 2>/dev/null && kill -TERM "$pid" 2>/dev/null; done
  for pid in "${launcher_pids[@]}"; do wait "$pid" 2>/dev/null; done
  python3 "$server" stop --state "$state" >/dev/null 2>&1
  "$root/tools/stage.sh" --build "$bin" --remove >>"$logs/unstage.txt" 2>&1
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "launcher demo: the installed launcher against the fixture server (output in ${out#"$root"/})"

# --- 1. the installed product ------------------------------------------------------
say "staging the product with tools/stage.sh"
# A product left by an interrupted run would keep its decoders and logs.
"$root/tools/stage.sh" --build "$bin" --remove >"$logs/unstage-before.txt" 2>&1
folder=$("$root/tools/stage.sh" --build "$bin" 2>"$logs/stage.txt") || fail "staging failed" "$logs/stage.txt"
prefix=$("${wine_run[@]}" --prefix)
installed=$prefix/drive_c$(printf '%s' "${folder:2}" | tr '\\' /)
launcher="${folder}vcam_launcher.exe"
launcher_log=$installed/logs/vc_client.log # what a failing step shows
say "installed in $folder"

# --- 2. the fixture server -----------------------------------------------------------
say "serving version $version: an optional update to 6.0.0.6 and 4 decoder files"
www=$state/www
python3 "$root/tools/https_server/make_fixture.py" --root "$www" --version $version --decoders 4 \
  --decoder-bytes 300000 --published 6.0.0.6 --patcher "$patcher" --flag 0 \
  --notes "Olvana 6.0.0.6|- sharper pictures at 1920x1080|- the camera starts faster" >"$logs/fixture.txt" 2>&1 ||
  fail "make_fixture.py failed" "$logs/fixture.txt"
# Slow enough answers that each window stays up to be photographed: the update
# description keeps the splash alone for about a second, and every decoder
# file takes about a second and a half.
echo "slow 8 120" >"$www/update/$version/latest.rule"
for f in "$www/codecs/$version"/*.bin; do echo "slow 30000 150" >"$f.rule"; done
python3 "$server" start --state "$state" --root "$www" --lifetime 600 >"$logs/server.txt" 2>&1 ||
  fail "the fixture server did not start" "$logs/server.txt"
url=$(cat "$state/url")
export VCAM_CONFIG_SERVER=$url/config/ VCAM_UPLOAD_BASE_URL=$url VCAM_COUNT_URL=$url/VCamCount.php
export VCAM_CLIENT_AUTOPILOT=source=card

# --- helpers -----------------------------------------------------------------------
# watch NAME ARGS...: runs the window watcher; its "window L T R B" line is
# kept in $rect as "WxH+L+T". While $watched (a launcher's pid) is set, that
# launcher ending first ends the wait at once, saying so.
rect=
watched=
watch() {
  local name=$1 watcher
  shift
  "${wine_run[@]}" "$watch_exe" "$@" >"$logs/watch-$name.txt" 2>&1 &
  watcher=$!
  while kill -0 "$watcher" 2>/dev/null; do
    if [ -n "$watched" ] && ! kill -0 "$watched" 2>/dev/null; then
      wait "$watched"
      printf 'demo: the launcher ended (exit code %s, the low byte) while waiting for a window\n' $? >&2
      kill -TERM "$watcher" 2>/dev/null
      wait "$watcher"
      return 1
    fi
    sleep 0.05
  done
  wait "$watcher" || return 1
  unix_lines "$logs/watch-$name.txt"
  rect=$(awk '/^window /{ printf "%dx%d+%d+%d", $4 - $2, $5 - $3, $2, $3 }' "$logs/watch-$name.txt")
  [ -n "$rect" ]
}
# shot NAME: the screen inside $rect, as the user sees it.
shot() {
  import -window root -crop "$rect" +repage "$out/$1.png" 2>>"$logs/import.txt" ||
    fail "the screenshot $1 failed" "$logs/import.txt"
}
# wait_exit PID SECONDS: the launcher's exit code (Wine gives its low byte).
exit_code=
wait_exit() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      exit_code=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}
low_byte() { echo $(($1 & 255)); }

# --- 3. the first start: splash, update alert, decoders, client ----------------------
say "starting $launcher"
"${wine_run[@]}" "$launcher" >"$logs/launcher-1.txt" 2>&1 &
first=$!
launcher_pids+=("$first")
watched=$first
watch splash --class zelovcam_launcher_splash --timeout 30000 || fail "no splash window came" "$launcher_log"
sleep 0.3
shot splash
say "splash at $rect"

watch alert --class zelovcam_launcher --topmost --timeout 30000 || fail "no update alert came" "$launcher_log"
sleep 0.8 # it paints its notes once shown
shot update-alert
say "update alert at $rect; declining it with Escape"
watch decline --class zelovcam_launcher --topmost --key escape --timeout 10000 ||
  fail "the alert did not go on Escape" "$logs/watch-decline.txt"

watch progress --class zelovcam_launcher --timeout 30000 || fail "no decoder progress window came" "$launcher_log"
sleep 1.5 # part of the way through the slowed files
shot decoder-progress
say "decoder progress window at $rect"

watch client --class zelovcam_client --client --timeout 40000 || fail "no client window came" "$launcher_log"
sleep 1.5
shot client
say "client window at $rect"
for i in 0 1 2 3; do
  [ -f "$installed/codecs/dec0$i.dll" ] || fail "the decoder file codecs\\dec0$i.dll was not installed" "$launcher_log"
done
# What the launcher asked the server for: the declined update's patcher is
# not among it.
requests=$state/requests.log
grep -q "/latest6.0.0.6.exe" "$requests" && fail "the patcher was downloaded although the update was declined" "$requests"
request_paths=$(cut -f2 "$requests" | paste -sd, | sed 's/,/, /g')

# --- 4. the camera shows the client's test card --------------------------------------
say "capturing $device at 640x480 while the client publishes"
"${wine_run[@]}" "$capture_exe" --device $device --size 640x480 --frames 15 --png 14 \
  --out "$(winpath "$out/camera")" >"$logs/capture.txt" 2>&1 || fail "the capture failed" "$logs/capture.txt"
unix_lines "$logs/capture.txt"
card_frame=$out/camera/frame_14.png
[ -f "$card_frame" ] || fail "the capture kept no frame" "$logs/capture.txt"
card=$(check_pattern "$card_frame" 640 480 0)
[ "$card" = ok ] || fail "the camera did not show the client's test card: $card" "$logs/capture.txt"
card_frames=$(sample_count "$logs/capture.txt")
card_moving=$(checksums "$logs/capture.txt" | sort -u | wc -l)

# --- 5. a second start hands its command line to the running client -------------------
say "starting the launcher again with: $command_line"
"${wine_run[@]}" "$launcher" "$command_line" >"$logs/launcher-2.txt" 2>&1 &
second=$!
launcher_pids+=("$second")
wait_exit "$second" 30 || fail "the second launcher did not end in 30 s" "$logs/launcher-2.txt"
second_code=$exit_code
[ "$second_code" = "$(low_byte 10001)" ] ||
  fail "the second launcher ended with $second_code, not 10001's low byte $(low_byte 10001)" "$logs/launcher-2.txt"
client_log=$installed/logs/client.log
for ((i = 0; i < 50; i++)); do
  grep -qF "command line received: $command_line" "$client_log" 2>/dev/null && break
  sleep 0.1
done
grep -qF "command line received: $command_line" "$client_log" 2>/dev/null ||
  fail "the client did not log the second start's command line" "$client_log"
watch client-2 --class zelovcam_client --client --timeout 10000 || fail "the client window is gone" "$logs/watch-client-2.txt"
sleep 0.5
shot client-command-line

# --- 6. closing the client ends the first launcher --------------------------------------
say "closing the client window"
watched= # it ends the launcher
watch close --class zelovcam_client --close --timeout 10000 || fail "the client window did not close" "$logs/watch-close.txt"
wait_exit "$first" 30 || fail "the first launcher did not end in 30 s after its client closed" "$logs/launcher-1.txt"
first_code=$exit_code
[ "$first_code" = "$(low_byte 10000)" ] ||
  fail "the first launcher ended with $first_code, not 10000's low byte $(low_byte 10000)" "$logs/launcher-1.txt"
cp "$launcher_log" "$logs/vc_client.log" 2>/dev/null
cp "$client_log" "$logs/client.log" 2>/dev/null

# --- 7. the contact sheet ---------------------------------------------------------------
tiles=(-label "splash" "$out/splash.png"
  -label "optional update offered (declined with Escape)" "$out/update-alert.png"
  -label "decoder files downloading" "$out/decoder-progress.png"
  -label "client window" "$out/client.png"
  -label "$device at 640x480: the client's test card" "$card_frame"
  -label "client after a second start with a command line" "$out/client-command-line.png")
sheet=$out/contact-sheet.png
contact_sheet "$sheet" "The installed launcher: start-up, update, decoders, client, camera" '480x360>+10+10' 3x "$logs/montage.txt" "${tiles[@]}"

echo
echo "Summary"
printf '  %-20s %s\n' "installed" "$folder (files, registry, shortcuts, camera registered)"
printf '  %-20s %s\n' "server" "$url: optional update 6.0.0.6, 4 decoder files of 300000 bytes"
printf '  %-20s %s\n' "first start" "splash, update alert declined, decoders installed, client window; exit 10000 after the client closed"
printf '  %-20s %s\n' "requests" "$request_paths (no patcher)"
printf '  %-20s %s\n' "camera" "640x480, $card_frames frames, $card_moving different: the client's test card"
printf '  %-20s %s\n' "second start" "\"$command_line\" reached the client; exit 10001"
printf '  %-20s %s\n' "pictures" "${out#"$root"/}/{splash,update-alert,decoder-progress,client,client-command-line}.png"
printf '  %-20s %s\n' "contact sheet" "${sheet#"$root"/}"
printf '  %-20s %s\n' "took" "$(seconds_since "$started" "$(now_ms)") s"
