#!/usr/bin/env bash
# Lays out an installed product in a Wine prefix, as its installer would leave
# it for the launcher and the uninstaller: the programs and modules from the
# build, the resource packs, stand-ins for the shipped files this build does
# not make, the camera registered with regsvr32, the registry values and keys
# (HKCU Software\ZeloVCamera with InstallPath and Run, the uninstall entry, the
# browser's elevation policy, the URL protocol, the daemon's Run value) and
# the shortcuts on the common desktop and start menu. Running it again brings
# the same state; --remove undoes all of it.
#   tools/stage.sh [--win64] [--prefix DIR] [--folder 'C:\...'] [--build DIR] [--build64 DIR] [--remove]
# --win64      the 64-bit prefix (build/wine64): the product goes to
#              "C:\Program Files (x86)\ZeloVCamera" and the 64-bit camera module
#              of build/win64, when built, is staged and registered beside it
# --prefix     another Wine prefix of that bitness (default: tools/wine-run.sh's)
# --folder     the installation folder (drive C: or Z:)
# --build      the 32-bit build folder to take the programs from (build/win32)
# --build64    the 64-bit build folder of the 64-bit camera module (build/win64)
# Prints the installation folder, with its trailing backslash, on standard
# output; what it does goes to standard error. Needs no X server.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

win64=0 remove=0 folder="" bin=$root/build/win32 bin64=$root/build/win64 prefix=""
while [ $# -gt 0 ]; do
  case $1 in
    --win64) win64=1 ;;
    --remove) remove=1 ;;
    --prefix) prefix=${2:?--prefix needs a folder}; shift ;;
    --folder) folder=${2:?--folder needs a Windows path}; shift ;;
    --build) bin=${2:?--build needs a folder}; shift ;;
    --build64) bin64=${2:?--build64 needs a folder}; shift ;;
    *) echo "usage: tools/stage.sh [--win64] [--prefix DIR] [--folder 'C:\\...'] [--build DIR] [--build64 DIR] [--remove]" >&2; exit 2 ;;
  esac
  shift
done

stage_fail() { printf 'stage: %s\n' "$1" >&2; [ -n "${2:-}" ] && [ -f "$2" ] && tail -n 20 "$2" >&2; exit 1; }
note() { printf 'stage: %s\n' "$*" >&2; }

arch=()
if [ $win64 = 1 ]; then
  arch=(--win64)
  [ -n "$prefix" ] && export VCAM_WINEPREFIX64=$prefix
  default_folder='C:\Program Files (x86)\ZeloVCamera'
else
  [ -n "$prefix" ] && export VCAM_WINEPREFIX=$prefix
  default_folder='C:\Program Files\ZeloVCamera'
fi
wine_run=("$root/tools/wine-run.sh" "${arch[@]}")
prefix=$("${wine_run[@]}" --prefix) || stage_fail "cannot make the Wine prefix"
folder=${folder:-$default_folder}
folder=${folder%\\}\\

# The folder as this machine sees it.
case ${folder:0:3} in
  [cC]:\\) unix_folder=$prefix/drive_c$(printf '%s' "${folder:2}" | tr '\\' /) ;;
  [zZ]:\\) unix_folder=$(printf '%s' "${folder:2}" | tr '\\' /) ;;
  *) stage_fail "the folder must be a full path on drive C: or Z: ($folder)" ;;
esac
unix_folder=${unix_folder%/}
# A drive's root would be emptied by --remove.
[ -n "$(printf '%s' "${folder:3}" | tr -d '\\')" ] || stage_fail "the folder cannot be a drive's root ($folder)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Registry files for regedit are UTF-16 with CR LF; backslashes and quotes in
# values are escaped.
reg_text() { local v=${1//\\/\\\\}; printf '%s' "${v//\"/\\\"}"; }
import_registry() {
  local file=$work/stage.reg
  { printf '%s\n' 'Windows Registry Editor Version 5.00' ''; cat; } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16 >"$file"
  "${wine_run[@]}" "$regedit" /S "$(printf 'Z:%s' "${file//\//\\}")" >"$work/regedit.txt" 2>&1 ||
    stage_fail "regedit could not import the registry values" "$work/regedit.txt"
}

launcher=${folder}vcam_launcher.exe
keys=(
  'HKEY_CURRENT_USER\Software\ZeloVCamera'
  'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZeloVCamera'
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Internet Explorer\Low Rights\ElevationPolicy\{CACBA33C-A5E5-43CD-9287-8C075425FC26}'
  'HKEY_CLASSES_ROOT\vovia'
)
run_key='HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

module64=$bin64/camera/filter/vcam_source64.ax
# The product's programs are 32-bit: in the 64-bit prefix its registry
# entries go where a 32-bit installer's land (the 32-bit view of HKLM).
regsvr32_32=regsvr32 regedit=regedit
if [ $win64 = 1 ]; then
  regsvr32_32='C:\windows\syswow64\regsvr32.exe' regedit='C:\windows\syswow64\regedit.exe'
fi
shortcuts=$bin/tools/stage/stage_shortcuts.exe
[ -f "$shortcuts" ] || stage_fail "missing $shortcuts: build the target stage_shortcuts first"

if [ $remove = 1 ]; then
  if [ -f "$unix_folder/vcam_source.ax" ]; then
    "${wine_run[@]}" "$regsvr32_32" /s /u "${folder}vcam_source.ax" >/dev/null 2>&1 ||
      note "regsvr32 /u of vcam_source.ax failed"
  fi
  if [ $win64 = 1 ] && [ -f "$unix_folder/vcam_source64.ax" ]; then
    "${wine_run[@]}" regsvr32 /s /u "${folder}vcam_source64.ax" >/dev/null 2>&1 ||
      note "regsvr32 /u of vcam_source64.ax failed"
  fi
  "${wine_run[@]}" "$shortcuts" remove "$folder" >&2 || note "some shortcuts stayed"
  {
    for k in "${keys[@]}"; do printf '[-%s]\n\n' "$k"; done
    printf '[%s]\n"ZeloVCam Daemon"=-\n' "$run_key"
  } | import_registry
  # Only a folder the product was staged in goes as a whole.
  if [ -f "$unix_folder/vcam_launcher.exe" ] || [ ! -e "$unix_folder" ]; then
    rm -rf "$unix_folder"
    note "removed $folder"
  else
    note "$folder holds no vcam_launcher.exe: the folder is left as it is"
  fi
  printf '%s\n' "$folder"
  exit 0
fi

# --- files --------------------------------------------------------------------
art=$root/build/host/art
files=(
  "vcam_launcher.exe:$bin/launcher/program/vcam_launcher.exe"
  "logger.dll:$bin/tools/outside/logger/logger.dll"
  "vcam_client.dll:$bin/tools/outside/client/vcam_client.dll"
  "vcam_source.ax:$bin/camera/filter/vcam_source.ax"
  "zelobugreport.exe:$bin/tools/outside/bugreport/zelobugreport.exe"
  "zelovcamcount.exe:$bin/tools/outside/counter/zelovcamcount.exe"
  "patch/patch.exe:$bin/tools/outside/patch/patch.exe"
  "resource/style_pro.zeloz:$art/style_pro.zeloz"
  "resource/frame_pro.zeloz:$art/frame_pro.zeloz"
  "resource/splash/default:$art/splash/default"
)
optional=("vcam_uninstall.exe:$bin/uninstaller/program/vcam_uninstall.exe")
[ $win64 = 1 ] && optional+=("vcam_source64.ax:$module64")
# Shipped beside the programs by the product's installer but made by no part
# of this build: stand-ins, so that the installation holds every file the
# uninstaller's list names. Nothing here loads them.
stand_ins=(ZeloAlphaBlend.dll libcurl.dll msvcp110.dll msvcr110.dll vzelodumper.dll)

for pair in "${files[@]}"; do
  [ -f "${pair#*:}" ] || stage_fail "missing ${pair#*:}: build it first (make demo builds it)"
done
mkdir -p "$unix_folder" || stage_fail "cannot create $unix_folder"
copy() {
  local to=$unix_folder/${1%%:*}
  mkdir -p "${to%/*}" && cp -f "${1#*:}" "$to" || stage_fail "cannot copy ${1#*:} to $to"
}
for pair in "${files[@]}"; do copy "$pair"; done
for pair in "${optional[@]}"; do
  if [ -f "${pair#*:}" ]; then copy "$pair"; else rm -f "$unix_folder/${pair%%:*}"; fi
done
for name in "${stand_ins[@]}"; do
  printf 'stand-in for %s, which this build does not make\r\n' "$name" >"$unix_folder/$name"
done
note "files in $unix_folder"

# --- registry -----------------------------------------------------------------
uninstaller=${folder}vcam_uninstall.exe
{
  printf '[%s]\n' "${keys[0]}"
  printf '"InstallPath"="%s"\n' "$(reg_text "$folder")"
  printf '"Run"="%s"\n\n' "$(reg_text "$launcher")"
  printf '[%s]\n' "${keys[1]}"
  printf '"DisplayName"="ZeloOlvana"\n"DisplayVersion"="6.0.0.5"\n'
  printf '"DisplayIcon"="%s"\n' "$(reg_text "$launcher")"
  printf '"InstallLocation"="%s"\n' "$(reg_text "$folder")"
  printf '"UninstallString"="%s"\n\n' "$(reg_text "\"$uninstaller\"")"
  # The browser lets the launcher start from its pages without asking.
  printf '[%s]\n' "${keys[2]}"
  printf '"AppName"="vcam_launcher.exe"\n"AppPath"="%s"\n"Policy"=dword:00000003\n\n' "$(reg_text "${folder%\\}")"
  printf '[%s]\n@="URL:vovia Protocol"\n"URL Protocol"=""\n\n' "${keys[3]}"
  printf '[%s\\shell\\open\\command]\n@="%s"\n\n' "${keys[3]}" "$(reg_text "\"$launcher\" \"%1\"")"
  # The daemon is not part of this build: the value names where it would be.
  printf '[%s]\n"ZeloVCam Daemon"="%s"\n' "$run_key" "$(reg_text "\"${folder}zelovcamon.exe\"")"
} | import_registry
note "registry values written"

# --- camera registration and shortcuts -------------------------------------------
"${wine_run[@]}" "$regsvr32_32" /s "${folder}vcam_source.ax" >"$work/regsvr32.txt" 2>&1 ||
  stage_fail "regsvr32 /s ${folder}vcam_source.ax failed" "$work/regsvr32.txt"
if [ -f "$unix_folder/vcam_source64.ax" ]; then
  "${wine_run[@]}" regsvr32 /s "${folder}vcam_source64.ax" >"$work/regsvr64.txt" 2>&1 ||
    stage_fail "regsvr32 /s ${folder}vcam_source64.ax failed" "$work/regsvr64.txt"
fi
note "camera registered"
"${wine_run[@]}" "$shortcuts" create "$folder" >"$work/shortcuts.txt" 2>&1 ||
  stage_fail "the shortcuts could not be made" "$work/shortcuts.txt"
note "$(grep -c '^link ' "$work/shortcuts.txt") shortcuts made"
printf '%s\n' "$folder"
