#!/usr/bin/env bash
# The local HTTPS server for `make bench`, with a 50 MB file and Debian's curl
# timed on it for comparison.
#   eval "$(tools/https_server/bench_server.sh start)"   exports VCAM_HTTPS_STATE,
#       VCAM_HTTPS_ROOT (Windows form, for the Wine benchmarks) and
#       VCAM_CURL_50MB_SECONDS (curl's best of three, to a file)
#   tools/https_server/bench_server.sh stop
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
state="$root/build/bench-https"
server="$root/tools/https_server/https_server.py"

case "${1:-}" in
  start)
    python3 "$server" start --state "$state" >&2
    mkdir -p "$state/www/bench"
    big="$state/www/bench/50mb.bin"
    if [ "$(stat -c %s "$big" 2>/dev/null || echo 0)" != 52428800 ]; then
      head -c 52428800 /dev/urandom >"$big"
    fi
    # The decoder step's benchmark: 20 decoder files of 5 MiB with their manifest.
    python3 "$root/tools/https_server/make_fixture.py" --root "$state/www" --version bench-decoders \
      --decoders 20 --decoder-bytes 5242880 >&2
    url="$(cat "$state/url")/bench/50mb.bin"
    best=
    for _ in 1 2 3; do
      t=$(curl -sk -o "$state/curl.out" -w '%{time_total}' "$url")
      if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    done
    rm -f "$state/curl.out"
    winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
    echo "export VCAM_HTTPS_STATE='$(winpath "$state")' VCAM_HTTPS_ROOT='$(winpath "$state/www")'" \
      "VCAM_CURL_50MB_SECONDS=$best"
    echo "bench_server: curl fetched 50 MB in ${best}s" >&2
    ;;
  stop)
    python3 "$server" stop --state "$state"
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
