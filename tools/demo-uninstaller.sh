#!/usr/bin/env bash
# The uninstaller chapter of the demo, with the 32-bit build in the 32-bit
# prefix. Stages an installed product (tools/stage.sh), lets a DirectShow
# client hold "ZeloCamV10", and runs the installed vcam_uninstall.exe as a
# user would: photographs the first page, presses "开始卸载", photographs the
# progress page, answers OK to the question about the programs still using
# the camera, photographs the last page and presses "完成". Then shows that
# the product is gone: files, registry keys and values, shortcuts, the
# camera's registration, the client that held it, and, after the
# self-deletion batch, the uninstaller and its folder. Pictures, logs, a
# before/after report and a contact sheet go to build/demo/uninstaller/ (or
# $VCAM_DEMO_OUT/uninstaller). Run under tools/run-wine.sh (it needs the X
# server). Every wait is bounded; any step that fails ends the chapter with a
# message and exit code 1, and whatever is left of the product is removed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/demo-lib.sh"
out=${VCAM_DEMO_OUT:-$root/build/demo}/uninstaller
bin=${VCAM_DEMO_WIN32:-$root/build/win32} # the 32-bit build
wine_run=("$root/tools/wine-run.sh")
watch_exe=$bin/tools/stage/window_watch.exe
capture_exe=$bin/tools/capture/vcam_capture.exe
shortcuts_exe=$bin/tools/stage/stage_shortcuts.exe
device=ZeloCamV10
window_class='WINDOW:234:000' # the uninstaller's skinned window
# Client points of mainframe.xml's buttons (645 x 400): the start button of
# page 1 and the finish button of page 2 sit in the same place, right-aligned
# 20 pixels in, 136 x 43, in the 80-pixel bar at the bottom.
button_x=557 button_y=360

started=$(now_ms)
[ -n "${DISPLAY:-}" ] || fail "no X display: run it as tools/run-wine.sh tools/demo-uninstaller.sh"
[ -f "$bin/uninstaller/program/vcam_uninstall.exe" ] ||
  fail "missing $bin/uninstaller/program/vcam_uninstall.exe: build first (make demo builds it)"
for f in "$watch_exe" "$capture_exe" "$shortcuts_exe"; do
  [ -f "$f" ] || fail "missing $f: build first (make demo builds it)"
done
for tool in montage convert compare import python3; do
  command -v $tool >/dev/null || fail "$tool is missing: run 'make setup'"
done

rm -rf "$out"
logs=$out/logs
mkdir -p "$logs" || fail "cannot create $out"

# --- clean-up: no client, uninstaller or staged product outlives the chapter ----
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && kill -TERM "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  "$root/tools/stage.sh" --build "$bin" --remove >>"$logs/unstage.txt" 2>&1
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "uninstaller demo: the installed uninstaller removes the product (output in ${out#"$root"/})"

# --- helpers -------------------------------------------------------------------------
# watch NAME ARGS...: runs the window watcher; its "window L T R B" line is
# kept in $rect as "WxH+L+T" and in $box as "L T R B".
rect='' box=''
watch() {
  local name=$1
  shift
  "${wine_run[@]}" "$watch_exe" "$@" >"$logs/watch-$name.txt" 2>&1 || return 1
  unix_lines "$logs/watch-$name.txt"
  box=$(awk '/^window /{ print $2, $3, $4, $5 }' "$logs/watch-$name.txt")
  rect=$(awk '/^window /{ printf "%dx%d+%d+%d", $4 - $2, $5 - $3, $2, $3 }' "$logs/watch-$name.txt")
  [ -n "$rect" ]
}
# shot NAME [GEOMETRY]: the screen inside GEOMETRY (default $rect).
shot() {
  import -window root -crop "${2:-$rect}" +repage "$out/$1.png" 2>>"$logs/import.txt" ||
    fail "the screenshot $1 failed" "$logs/import.txt"
}
# until_true SECONDS COMMAND...: polls every 0.1 s.
until_true() {
  local limit=$(($1 * 10)) i
  shift
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
running() { kill -0 "$1" 2>/dev/null; }
ended() { ! kill -0 "$1" 2>/dev/null; }
reg_has() { "${wine_run[@]}" reg query "$@" >/dev/null 2>&1; }
# The state the product leaves in the prefix, one line per item, "present" or
# "gone"; the before and after lists of the report.
snapshot() {
  local f k
  {
    echo "files under $folder:"
    (cd "$installed" 2>/dev/null && find . -mindepth 1 | sed 's|^\./|  |' | sort) || echo "  (no folder)"
    echo "registry:"
    for k in "${keys[@]}"; do
      if reg_has "$k"; then echo "  present $k"; else echo "  gone    $k"; fi
    done
    if reg_has "$run_key" /v "ZeloVCam Daemon"; then echo "  present $run_key : ZeloVCam Daemon"; else
      echo "  gone    $run_key : ZeloVCam Daemon"; fi
    echo "shortcuts:"
    "${wine_run[@]}" "$shortcuts_exe" list 2>&1 | tr -d '\r' | sed 's/^/  /'
    echo "video input devices:"
    "${wine_run[@]}" "$capture_exe" --list 2>&1 | tr -d '\r' | sed 's/^/  /'
  }
}

# --- 1. the installed product ------------------------------------------------------
say "staging the product with tools/stage.sh"
"$root/tools/stage.sh" --build "$bin" --remove >"$logs/unstage-before.txt" 2>&1
folder=$("$root/tools/stage.sh" --build "$bin" 2>"$logs/stage.txt") || fail "staging failed" "$logs/stage.txt"
prefix=$("${wine_run[@]}" --prefix)
installed=$prefix/drive_c$(printf '%s' "${folder:2}" | tr '\\' /)
uninstaller="${folder}vcam_uninstall.exe"
[ -f "$installed/vcam_uninstall.exe" ] || fail "stage.sh did not install vcam_uninstall.exe" "$logs/stage.txt"
keys=(
  'HKCU\Software\ZeloVCamera'
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZeloVCamera'
  'HKLM\SOFTWARE\Microsoft\Internet Explorer\Low Rights\ElevationPolicy\{CACBA33C-A5E5-43CD-9287-8C075425FC26}'
  'HKCR\vovia'
)
run_key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
snapshot >"$logs/before.txt"
grep -q "video device $device" "$logs/before.txt" || fail "$device is not registered after staging" "$logs/before.txt"
grep -q '^  gone' "$logs/before.txt" && fail "staging left out registry state" "$logs/before.txt"
[ "$(grep -c '^  link ' "$logs/before.txt")" = 3 ] || fail "staging did not make three shortcuts" "$logs/before.txt"
say "installed in $folder"

# --- 2. a client holding the camera -------------------------------------------------
say "capturing $device for up to two minutes: a program the uninstaller has to end"
"${wine_run[@]}" "$capture_exe" --device $device --seconds 120 >"$logs/capture.txt" 2>&1 &
client=$!
pids+=("$client")
# It names the format once the graph is built, just before it runs; its
# samples are printed only when it ends.
until_true 30 grep -q '^type ' "$logs/capture.txt" ||
  fail "the capture did not open $device in 30 s" "$logs/capture.txt"
sleep 1
running "$client" || fail "the capture ended at once" "$logs/capture.txt"

# The counter the procedure runs reports to a server that takes the
# connection and never answers, so the progress page stays up for the
# counter's four seconds and can be photographed.
silent_port=$out/silent-port
python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
open(sys.argv[1], "w").write(str(s.getsockname()[1]))
time.sleep(120)' "$silent_port" &
pids+=("$!")
until_true 5 test -s "$silent_port" || fail "the silent counter server did not start"
VCAM_COUNT_URL=http://127.0.0.1:$(cat "$silent_port")/VCamCount.php
export VCAM_COUNT_URL

# --- 3. the uninstaller ------------------------------------------------------------------
say "starting $uninstaller"
"${wine_run[@]}" "$uninstaller" >"$logs/uninstaller.txt" 2>&1 &
program=$!
pids+=("$program")
start_ms=$(now_ms)
watch page-1 --class "$window_class" --client --timeout 30000 || fail "no uninstaller window came" "$logs/watch-page-1.txt"
window_ms=$(now_ms)
grep -qx 'title 卸载Olvana' "$logs/watch-page-1.txt" || fail "the window is not titled 卸载Olvana" "$logs/watch-page-1.txt"
window_box=$box window_rect=$rect
sleep 0.5
shot page-1
say "page 1 at $rect; pressing 开始卸载"

watch start --class "$window_class" --client --click $button_x $button_y --timeout 5000 ||
  fail "the start button could not be pressed" "$logs/watch-start.txt"
click_ms=$(now_ms)
sleep 1
shot progress "$window_rect"
compare -metric AE "$out/page-1.png" "$out/progress.png" null: 2>"$logs/progress-diff.txt"
[ "$(cut -d' ' -f1 <"$logs/progress-diff.txt")" -gt 1000 ] 2>/dev/null ||
  fail "the window did not change to the progress bar after the start button" "$logs/progress-diff.txt"

# --- 4. the question about the camera's users -----------------------------------------------
watch question --class '#32770' --timeout 20000 || fail "no question about the camera's users came" "$logs/uninstaller.txt"
question_box=$box
grep -q 'vcam_capture.exe' "$logs/watch-question.txt" ||
  fail "the question does not name the capturing program" "$logs/watch-question.txt"
grep -q '立即结束以下程序来继续卸载过程吗?' "$logs/watch-question.txt" ||
  fail "the question has another text" "$logs/watch-question.txt"
# The box and the window under it, in one picture.
both=$(printf '%s %s\n' "$window_box" "$question_box" | awk '{
  l = $1 < $5 ? $1 : $5; t = $2 < $6 ? $2 : $6; r = $3 > $7 ? $3 : $7; b = $4 > $8 ? $4 : $8
  printf "%dx%d+%d+%d", r - l, b - t, l, t }')
sleep 0.5
shot question "$both"
running "$client" || fail "the client ended before the question was answered" "$logs/capture.txt"
say "question at $rect names vcam_capture.exe; answering OK"
watch answer --class '#32770' --key return --timeout 10000 || fail "the question did not go on Return" "$logs/watch-answer.txt"

# --- 5. the last page ----------------------------------------------------------------------
until_true 20 ended "$client" || fail "the client holding $device was not ended" "$logs/capture.txt"
wait "$client"
client_code=$?
# The procedure's last steps remove the listed files; the page changes after them.
until_true 30 test ! -e "$installed/vzelodumper.dll" || fail "the procedure did not remove its files in 30 s" "$logs/uninstaller.txt"
sleep 1
shot page-2 "$window_rect"
compare -metric AE "$out/progress.png" "$out/page-2.png" null: 2>"$logs/page-2-diff.txt"
[ "$(cut -d' ' -f1 <"$logs/page-2-diff.txt")" -gt 1000 ] 2>/dev/null ||
  fail "the window did not change to the last page" "$logs/page-2-diff.txt"
say "page 2; pressing 完成"
finish_ms=$(now_ms)
watch finish --class "$window_class" --client --click $button_x $button_y --timeout 5000 ||
  fail "the finish button could not be pressed" "$logs/watch-finish.txt"
until_true 30 ended "$program" || fail "the uninstaller did not end in 30 s after 完成" "$logs/uninstaller.txt"
wait "$program"
program_code=$?
[ "$program_code" = 0 ] || fail "the uninstaller ended with $program_code" "$logs/uninstaller.txt"
exit_ms=$(now_ms)

# --- 6. the batch deletes the uninstaller and its folder --------------------------------------
until_true 30 test ! -e "$installed" || fail "the folder $folder is still there 30 s after the uninstaller ended" "$logs/uninstaller.txt"
gone_ms=$(now_ms)
snapshot >"$logs/after.txt"
grep -q '^  present' "$logs/after.txt" && fail "registry state is left after the uninstall" "$logs/after.txt"
grep -q '^  link ' "$logs/after.txt" && fail "shortcuts are left after the uninstall" "$logs/after.txt"
grep -q "video device $device" "$logs/after.txt" && fail "$device is still registered after the uninstall" "$logs/after.txt"
# The batch deletes itself last.
batch_left=$(find "$prefix/drive_c/users" -name zelocamera.bat 2>/dev/null | head -n 1)

report=$out/report.txt
{
  echo "The installed uninstaller, run against a staged product with a client capturing $device."
  echo
  echo "== before"
  cat "$logs/before.txt"
  echo "  client: vcam_capture.exe capturing $device"
  echo
  echo "== after"
  cat "$logs/after.txt"
  echo "  client: ended with exit code $client_code"
  echo "  self-deletion batch zelocamera.bat: ${batch_left:-deleted itself}"
  echo
  echo "== times (ms), paced by this chapter's pauses and screenshots (make bench has the figures)"
  echo "  start to window shown:                 $((window_ms - start_ms))"
  echo "  start pressed to page 2 photographed:  $((finish_ms - click_ms)) (the counter's 4 s and the question included)"
  echo "  finish pressed to process end:         $((exit_ms - finish_ms))"
  echo "  process end to folder gone:            $((gone_ms - exit_ms))"
} >"$report"

# --- 7. the contact sheet ---------------------------------------------------------------
# The labels' font has no Chinese glyphs.
tiles=(-label "page 1" "$out/page-1.png"
  -label "start pressed: progress page" "$out/progress.png"
  -label "programs using the camera: vcam_capture.exe (answered OK)" "$out/question.png"
  -label "page 2: finished" "$out/page-2.png")
sheet=$out/contact-sheet.png
contact_sheet "$sheet" "The installed uninstaller removes the product" '480x360>+10+10' 2x "$logs/montage.txt" "${tiles[@]}"

echo
echo "Summary"
printf '  %-20s %s\n' "installed" "$folder (files, registry, shortcuts, $device registered)"
printf '  %-20s %s\n' "client" "vcam_capture.exe holding $device; ended by the uninstaller (exit $client_code)"
printf '  %-20s %s\n' "uninstall" "page 1, progress, question answered OK, page 2, 完成; exit 0"
printf '  %-20s %s\n' "gone" "files, 4 registry keys and the Run value, 3 shortcuts, $device, the folder"
printf '  %-20s %s\n' "report" "${report#"$root"/} (before/after, times)"
printf '  %-20s %s\n' "pictures" "${out#"$root"/}/{page-1,progress,question,page-2}.png"
printf '  %-20s %s\n' "contact sheet" "${sheet#"$root"/}"
printf '  %-20s %s\n' "took" "$(seconds_since "$started" "$(now_ms)") s"
