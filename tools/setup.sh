#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the project.
# Idempotent and quiet when everything is present.
set -euo pipefail

packages=(
  # cross toolchains and Wine, 32- and 64-bit
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev mingw-w64-tools
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine32:i386 wine64 xvfb xauth fonts-wqy-zenhei
  # build tools (multilib: the shared-memory layouts are also compiled with -m32)
  build-essential g++-multilib cmake ninja-build nasm pkg-config dpkg-dev python3 openssl
  clang libclang-rt-14-dev curl
  # host libraries
  liblua5.2-dev liblzma-dev libcurl4-openssl-dev libswscale-dev libavutil-dev
  rapidjson-dev librapidxml-dev libstb-dev googletest libgtest-dev libgmock-dev
  libbenchmark-dev libjpeg-dev
  # picture generation
  imagemagick libjpeg-turbo-progs fonts-dejavu-core
)

# One query for all of them (a query per package costs a second on every
# make): each installed instance counts under its name and name:arch.
declare -A installed
while read -r name arch st; do
  if [ "$st" = installed ]; then installed[$name]=1 installed[$name:$arch]=1; fi
done < <(dpkg-query -W -f='${Package} ${Architecture} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done

has_src() {
  grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/
}
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
need_src=0
has_src || need_src=1

# Whether this kernel executes i386 programs decides which Windows build the
# tests run under (32-bit Wine needs it). Asked once, after the 32-bit loader
# is installed, and recorded for make and the Wine scripts.
root=$(cd "$(dirname "$0")/.." && pwd)
record=$root/build/machine/i386
probe_i386() {
  mkdir -p "${record%/*}"
  local loader=/lib/ld-linux.so.2 out
  if [ ! -e $loader ]; then
    printf 'no\nthe i386 loader %s is not installed\n' $loader >"$record"
  elif out=$($loader --version 2>&1 | head -n 1); then
    printf 'yes\n%s runs\n' $loader >"$record"
  else
    printf 'no\n%s\n' "${out:-$loader does not run}" >"$record"
  fi
}

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ] && [ $need_src -eq 0 ]; then
  [ -f "$record" ] || probe_i386
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then SUDO=sudo; else
    echo "setup: missing ${missing[*]:-nothing}${need_i386:+ }; run 'make setup' as root (no sudo here)." >&2
    exit 1
  fi
else
  SUDO=
fi

if [ $need_i386 -eq 1 ]; then
  echo "setup: adding the i386 architecture (needed for 32-bit Wine)"
  $SUDO dpkg --add-architecture i386
fi
if [ $need_src -eq 1 ]; then
  echo "setup: adding deb-src entries (Windows libraries are built from Debian's sources)"
  $SUDO tee /etc/apt/sources.list.d/vcam-deb-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi

echo "setup: installing ${missing[*]:-(none)}"
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get update -qq >/tmp/vcam-setup.log 2>&1; then
  cat /tmp/vcam-setup.log >&2
  echo "setup: apt-get update failed; check network access to deb.debian.org" >&2
  exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
  if ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >>/tmp/vcam-setup.log 2>&1; then
    tail -n 30 /tmp/vcam-setup.log >&2
    echo "setup: could not install: ${missing[*]}" >&2
    echo "setup: install them with 'apt-get install' (i386 architecture and deb-src entries required)" >&2
    exit 1
  fi
fi
probe_i386
echo "setup: done; i386 programs: $(paste -sd' ' "$record")"
