#!/usr/bin/env bash
# tools/stage.sh end to end in the test prefix: stages into a scratch folder
# and finds there every file and folder of the uninstall procedure's list, the
# registry values that make it the registered installation and the three
# shortcuts pointing into it; stages again over it; removes it and finds none
# of it left.
#   stage_test.sh BUILD   (BUILD: the 32-bit build folder)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:?the build folder}
folder='C:\vcam_stage_test\ZeloVCamera\'
wine_run=("$root/tools/wine-run.sh")
unix=$("${wine_run[@]}" --prefix)/drive_c/vcam_stage_test/ZeloVCamera
failures=0
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
stage() { "$root/tools/stage.sh" --build "$bin" --folder "$folder" "$@" 2>stage.err; }
# The procedure's list, as Lua source writes it: {1, "name"} for a file,
# {0, "name"} for a folder, backslashes doubled.
listed() { sed -n "s/^ *{$1, \"\\(.*\\)\"},\$/\\1/p" "$root/uninstaller/scripts/LG.lua" | sed 's/\\\\/\//g'; }
present() { # present -f|-d NAME: case-insensitively, as Windows finds it
  [ -n "$(find "$unix" -mindepth 1 -ipath "$unix/$2" -type "${1#-}" 2>/dev/null)" ]
}
links() { "${wine_run[@]}" "$bin/tools/stage/stage_shortcuts.exe" list | tr -d '\r'; }
install_path() { "${wine_run[@]}" reg query 'HKCU\Software\ZeloVCamera' /v InstallPath 2>/dev/null | tr -d '\r' | grep InstallPath; }

work=$(mktemp -d)
cd "$work" || exit 1
# Whatever fails, the prefix is left as it was.
trap '[ -e "$unix" ] && stage --remove >/dev/null; rm -rf "${unix%/*}" "$work"' EXIT

refused() { # refused CODE TEXT ARGS...: stage.sh ends with CODE, saying TEXT
  local code=$1 text=$2
  shift 2
  "$root/tools/stage.sh" "$@" >/dev/null 2>refusal.err
  [ $? = "$code" ] && grep -qF "$text" refusal.err
}
check "an unknown option is refused" refused 2 usage --bogus
check "a folder on another drive is refused" refused 1 "drive C: or Z:" --build "$bin" --folder 'D:\x'
check "a drive's root is refused" refused 1 "root" --build "$bin" --folder 'C:\'
check "a relative folder is refused" refused 1 "full path" --build "$bin" --folder 'C:x'
mkdir empty-build
check "a build without the programs is refused" refused 1 missing --build "$work/empty-build" --folder "$folder"
check "and leaves no folder" [ ! -e "$unix" ]

mkdir -p "$unix" && echo mine >"$unix/own.txt"
stage --remove >/dev/null
check "removing keeps a folder that holds no launcher" [ -f "$unix/own.txt" ]
rm -rf "$unix"

check "staging prints the folder" [ "$(stage)" = "$folder" ]
[ -s stage.err ] && sed 's/^/  | /' stage.err
files=$(listed 1) folders=$(listed 0)
check "the list names files and folders" [ "$(echo "$files" | wc -l)" -ge 10 -a -n "$folders" ]
for f in $files; do check "listed file $f staged" present -f "$f"; done
for d in $folders; do check "listed folder $d staged" present -d "$d"; done
check "the launcher's client module staged" present -f vcam_client.dll
check "InstallPath names the folder" grep -qF "$folder" <(install_path)
links >links.txt
check "three shortcuts" [ "$(grep -c '^link ' links.txt)" = 3 ]
check "two point at the launcher" [ "$(grep -cF " -> ${folder}vcam_launcher.exe" links.txt)" = 2 ]
check "one points at the uninstaller" [ "$(grep -cF " -> ${folder}vcam_uninstall.exe" links.txt)" = 1 ]

echo kept >"$unix/logs.txt"
check "staging again over it succeeds" [ "$(stage)" = "$folder" ]
check "and leaves the files it does not make" [ -f "$unix/logs.txt" ]

check "removing prints the folder" [ "$(stage --remove)" = "$folder" ]
check "the folder is gone" [ ! -e "$unix" ]
check "no shortcut is left" [ -z "$(links)" ]
check "InstallPath is gone" [ -z "$(install_path)" ]
[ $failures = 0 ] || { echo "$failures check(s) failed"; exit 1; }
