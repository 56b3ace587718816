#!/usr/bin/env bash
# The figure of a whole uninstall: the staged product (tools/stage.sh) removed
# by its installed vcam_uninstall.exe, driven by window_watch.exe, RUNS times
# (default 3). No program holds the camera, so no question is asked, and the
# counter's report goes to a closed port, so the counter ends at once instead
# of waiting out its deadline. Prints, per run and as medians, in ms:
#   window     process start to the window shown
#   procedure  start button pressed to the last listed file removed
#   exit       process start to the process ended (finish pressed as soon
#              as the last page can take it)
#   total      process start to the folder gone (the batch's 3 s pause before
#              it removes the folder is no pause under Wine, whose choice.exe
#              returns at once without a console)
# Each window_watch.exe is a Wine process start of its own, which the figures
# include. Run under tools/run-wine.sh (it needs the X server).
#   tools/stage/uninstall_bench.sh [BUILD_DIR] [RUNS]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/win32}
runs=${2:-3}
wine_run=("$root/tools/wine-run.sh")
watch_exe=$bin/tools/stage/window_watch.exe
window_class='WINDOW:234:000'
# The start button of page 1 and the finish button of page 2 share this point.
button=(557 360)

now_ms() { date +%s%3N; }
bench_fail() { printf 'uninstall_bench: %s\n' "$1" >&2; [ -n "${2:-}" ] && [ -f "$2" ] && tail -n 20 "$2" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || bench_fail "no X display: run it under tools/run-wine.sh"
[ -f "$bin/uninstaller/program/vcam_uninstall.exe" ] && [ -f "$watch_exe" ] ||
  bench_fail "build vcam_uninstall and window_watch in $bin first"

work=$(mktemp -d)
program=
cleanup() {
  [ -n "$program" ] && kill -0 "$program" 2>/dev/null && kill -TERM "$program" 2>/dev/null && wait "$program"
  "$root/tools/stage.sh" --build "$bin" --remove >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
export VCAM_COUNT_URL=http://127.0.0.1:9/VCamCount.php

click() { "${wine_run[@]}" "$watch_exe" --class "$window_class" --client --click "${button[@]}" --timeout "$1" >"$work/click.txt" 2>&1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-5s %8s %10s %8s %8s\n' run window procedure exit total
for ((run = 1; run <= runs; run++)); do
  folder=$("$root/tools/stage.sh" --build "$bin" 2>"$work/stage.txt") || bench_fail "staging failed" "$work/stage.txt"
  installed=$("${wine_run[@]}" --prefix)/drive_c$(printf '%s' "${folder:2}" | tr '\\' /)
  [ -f "$installed/vcam_uninstall.exe" ] || bench_fail "stage.sh did not install vcam_uninstall.exe"

  begin=$(now_ms)
  "${wine_run[@]}" "${folder}vcam_uninstall.exe" >"$work/uninstaller.txt" 2>&1 &
  program=$!
  "${wine_run[@]}" "$watch_exe" --class "$window_class" --timeout 30000 >"$work/watch.txt" 2>&1 ||
    bench_fail "no uninstaller window came" "$work/watch.txt"
  window=$(($(now_ms) - begin))
  click 5000 || bench_fail "the start button could not be pressed" "$work/click.txt"
  pressed=$(now_ms)
  for ((i = 0; i < 600; i++)); do
    [ -e "$installed/vzelodumper.dll" ] || break
    sleep 0.05
  done
  [ -e "$installed/vzelodumper.dll" ] && bench_fail "the procedure did not remove its files in 30 s" "$work/uninstaller.txt"
  listed=$(now_ms)
  for ((i = 0; i < 30; i++)); do
    kill -0 "$program" 2>/dev/null || break
    click 1000 >/dev/null
    sleep 0.2
  done
  kill -0 "$program" 2>/dev/null && bench_fail "the uninstaller did not end after 完成" "$work/uninstaller.txt"
  wait "$program"
  program=
  ended=$(now_ms)
  for ((i = 0; i < 600; i++)); do
    [ -e "$installed" ] || break
    sleep 0.05
  done
  [ -e "$installed" ] && bench_fail "the folder was not removed in 30 s after the uninstaller ended"
  gone=$(now_ms)
  printf '%-5s %8d %10d %8d %8d\n' "$run" "$window" $((listed - pressed)) $((ended - begin)) $((gone - begin)) |
    tee -a "$work/figures.txt"
done
printf '%-5s %8s %10s %8s %8s\n' median \
  "$(awk '{ print $2 }' "$work/figures.txt" | median)" "$(awk '{ print $3 }' "$work/figures.txt" | median)" \
  "$(awk '{ print $4 }' "$work/figures.txt" | median)" "$(awk '{ print $5 }' "$work/figures.txt" | median)"
