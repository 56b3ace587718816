#!/usr/bin/env bash
# Builds the compiled Windows dependencies from Debian's source packages into
# build/deps/<arch>, for arch win32 (i686) or win64 (x86-64):
#   tools/build-win-deps.sh win32|win64
# Each package is built once per Debian version and architecture; a stamp file
# named after the version tells later runs to skip it. Sources are unpacked
# per architecture, since the autotools packages build inside their tree.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win32}
case $arch in
  win32) host=i686-w64-mingw32 ffarch=x86 toolchain=mingw32-toolchain.cmake ;;
  win64) host=x86_64-w64-mingw32 ffarch=x86_64 toolchain=mingw64-toolchain.cmake ;;
  *) echo "usage: $0 win32|win64" >&2; exit 2 ;;
esac
deps="$root/build/deps"
prefix="$deps/$arch"
stamps="$deps/stamps/$arch"
srcs="$deps/src/$arch"
jobs=$(nproc)
mkdir -p "$prefix/include" "$prefix/lib" "$stamps" "$srcs"

log() { echo "deps: $*"; }

src_version() {
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ && !v {v=$2} END {print v}'
}

# Fetches and unpacks a source package; prints the unpacked directory.
fetch() {
  local pkg=$1 ver=$2 dir="$srcs/${1}_${2//:/_}"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source -qq "$pkg=$ver" >fetch.log 2>&1) || {
      cat "$dir/fetch.log" >&2
      echo "deps: cannot fetch the source of $pkg $ver; is a deb-src entry configured? (make setup)" >&2
      exit 1
    }
    touch "$dir/.unpacked"
  fi
  local sub; for sub in "$dir"/*/; do echo "${sub%/}"; return; done
}

# Runs a build step quietly; on failure shows the end of its log.
quiet() {
  local logf=$1; shift
  if ! "$@" >>"$logf" 2>&1; then
    tail -n 40 "$logf" >&2
    echo "deps: failed: $* (log: $logf)" >&2
    exit 1
  fi
}

build() {
  local pkg=$1 fn=$2 ver
  ver=$(src_version "$pkg")
  if [ -z "$ver" ]; then
    echo "deps: apt knows no source package $pkg; run 'make setup' (deb-src entries)" >&2
    exit 1
  fi
  local stamp="$stamps/${pkg}_${ver//:/_}.done"
  [ -f "$stamp" ] && return 0
  log "building $pkg $ver for $arch"
  local dir; dir=$(fetch "$pkg" "$ver")
  local logf="$dir/../build.log"; : >"$logf"
  local t0=$SECONDS
  "$fn" "$dir" "$logf"
  rm -f "$stamps/${pkg}_"*.done
  touch "$stamp"
  log "$pkg done in $((SECONDS - t0)) s"
}

build_lua() {
  local d=$1 logf=$2 o="$1/obj"
  mkdir -p "$o" "$prefix/include/lua5.2"
  local objs=()
  for c in "$d"/src/*.c; do
    case $(basename "$c") in lua.c|luac.c) continue;; esac
    quiet "$logf" $host-gcc-posix -O2 -Wall -DLUA_COMPAT_ALL -c "$c" -o "$o/$(basename "${c%.c}").o"
    objs+=("$o/$(basename "${c%.c}").o")
  done
  rm -f "$prefix/lib/liblua5.2.a"
  quiet "$logf" $host-ar rcs "$prefix/lib/liblua5.2.a" "${objs[@]}"
  cp "$d"/src/{lua.h,luaconf.h,lualib.h,lauxlib.h} "$d"/src/lua.hpp "$prefix/include/lua5.2/" 2>/dev/null ||
    cp "$d"/src/{lua.h,luaconf.h,lualib.h,lauxlib.h} "$prefix/include/lua5.2/"
}

build_xz() {
  local d=$1 logf=$2
  (cd "$d" && quiet "$logf" ./configure --host=$host CC=$host-gcc-posix --prefix="$prefix" \
      --disable-shared --enable-static --disable-xz --disable-xzdec --disable-lzmadec \
      --disable-lzmainfo --disable-lzma-links --disable-scripts --disable-doc --disable-nls \
      --enable-threads=no &&
   quiet "$logf" make -j"$jobs" -C src/liblzma &&
   quiet "$logf" make -C src/liblzma install)
}

build_curl() {
  local d=$1 logf=$2
  (cd "$d" && quiet "$logf" ./configure --host=$host CC=$host-gcc-posix --prefix="$prefix" \
      --disable-shared --enable-static --with-schannel --without-openssl \
      --disable-ftp --disable-file --disable-ldap --disable-ldaps --disable-rtsp --disable-dict \
      --disable-telnet --disable-tftp --disable-pop3 --disable-imap --disable-smb --disable-smtp \
      --disable-gopher --disable-mqtt --disable-manual --disable-docs --disable-ntlm-wb \
      --without-zlib --without-brotli --without-zstd --without-libidn2 --without-libpsl \
      --without-nghttp2 --without-librtmp --without-libssh2 --without-libgsasl &&
   quiet "$logf" make -j"$jobs" -C lib &&
   quiet "$logf" make -C lib install && quiet "$logf" make -C include install)
}

build_ffmpeg() {
  local d=$1 logf=$2
  (cd "$d" && quiet "$logf" ./configure --prefix="$prefix" --cross-prefix=$host- \
      --cc=$host-gcc-posix --arch=$ffarch --target-os=mingw32 --enable-static --disable-shared \
      --disable-everything --disable-programs --disable-doc --disable-autodetect \
      --disable-avdevice --disable-avcodec --disable-avformat --disable-swresample \
      --disable-postproc --disable-avfilter --disable-network --enable-swscale \
      --enable-w32threads &&
   quiet "$logf" make -j"$jobs" &&
   quiet "$logf" make install)
}

cmake_build() {
  local d=$1 logf=$2; shift 2
  quiet "$logf" cmake -S "$d" -B "$d/_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
      -DVCAM_WIN32_DEPS="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  quiet "$logf" cmake --build "$d/_build" -j"$jobs"
  quiet "$logf" cmake --install "$d/_build"
}

build_gtest() {
  cmake_build "$1" "$2" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

build_benchmark() {
  # Debian's patches drop the git-derived version; give the upstream one.
  local upstream=${1##*/benchmark-}
  cmake_build "$1" "$2" -DGIT_VERSION="$upstream" -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
      -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_INSTALL=ON
}

# Header-only libraries come from the host's Debian packages as they are.
for h in rapidjson rapidxml stb; do
  [ -e "$prefix/include/$h" ] || ln -s "/usr/include/$h" "$prefix/include/$h"
done

# Asking apt for six source versions costs most of a second on every make.
# The versions change only with apt's lists: while neither they nor this
# script are newer than the last complete run, that run's answers still hold.
checked=$stamps/checked
if [ -f "$checked" ] && [ -z "$(find /var/lib/apt/lists "$0" -newer "$checked" -print -quit 2>/dev/null)" ]; then
  exit 0
fi

build lua5.2 build_lua
build xz-utils build_xz
build curl build_curl
build ffmpeg build_ffmpeg
build googletest build_gtest
build benchmark build_benchmark
touch "$checked"
