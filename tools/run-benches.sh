#!/usr/bin/env bash
# Runs every benchmark program (named *_bench) of the host and Windows builds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rc=0
run() {
  echo "== $1"
  "$@" --benchmark_counters_tabular=true || rc=1
}
# Network benchmarks download from a local HTTPS server.
eval "$("$root/tools/https_server/bench_server.sh" start)" || rc=1
for b in $(find "$root/build/host-bench" -type f -name '*_bench' -perm -u+x | sort); do
  run "$b"
done
for b in $(find "$root/build/win32" -type f -name '*_bench.exe' | sort); do
  echo "== (win32, Wine) $b"
  "$root/tools/wine-run.sh" "$b" --benchmark_counters_tabular=true || rc=1
done
"$root/tools/https_server/bench_server.sh" stop
exit $rc
