#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for the given number of seconds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
rc=0
for f in $(find "$root/build/fuzz" -type f -name '*_fuzz' -perm -u+x | sort); do
  corpus="$root/build/fuzz/corpus/$(basename "$f")"
  mkdir -p "$corpus"
  echo "== $(basename "$f") for ${seconds}s"
  "$f" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 -print_final_stats=1 "$corpus" || rc=1
done
exit $rc
