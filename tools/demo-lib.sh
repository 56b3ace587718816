# Helpers shared by the demo scripts (sourced, not run).

now_ms() { date +%s%3N; }
say() { printf '  %s\n' "$*"; }
fail() {
  printf 'demo: %s\n' "$1" >&2
  [ -n "${2:-}" ] && [ -f "$2" ] && sed 's/^/  | /' "$2" | tail -n 20 >&2
  exit 1
}
# The path as Windows programs in the prefix see it (Z: is the Linux root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
seconds_since() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) / 1000 }'; }

# Windows programs end their lines with CR LF.
unix_lines() { tr -d '\r' <"$1" >"$1.tmp" && mv "$1.tmp" "$1"; }

checksums() { awk '/^sample /{ for (i = 1; i <= NF; i++) if ($i ~ /^fnv1a=/) print substr($i, 7) }' "$1"; }
starts() { awk '/^sample /{ for (i = 1; i <= NF; i++) if ($i ~ /^start=/) print substr($i, 7) }' "$1"; }
sample_count() { grep -c '^sample ' "$1"; }
first_sample_ms() { sed -n 's/^first sample at unix_ms=//p' "$1"; }

# Reads the test pattern's corner markers and colour bars from a PNG of
# width x height; 16:9 outputs show the middle three quarters of the 4:3
# pattern. Prints "ok" or what was found instead.
check_pattern() {
  local png=$1 w=$2 h=$3 cropped=$4
  local top=0 visible=1
  [ "$cropped" = 1 ] && top=0.125 && visible=0.75
  # Points as fractions of the 4:3 pattern: x, y, expected colour.
  local points="0.055 0.125 224,24,24 0.945 0.125 24,224,24 0.055 0.875 24,24,224 0.945 0.875 224,224,24"
  local bars=(255,255,255 255,255,0 0,255,255 0,255,0 255,0,255 255,0,0 0,0,255 0,0,0)
  for i in "${!bars[@]}"; do
    points+=" $(awk -v i="$i" 'BEGIN { printf "%.4f", 0.1 + (i + 0.5) * 0.1 }') 0.44 ${bars[$i]}"
  done
  local format="" expected=()
  set -- $points
  while [ $# -ge 3 ]; do
    local x y
    x=$(awk -v f="$1" -v w="$w" 'BEGIN { printf "%d", f * w }')
    y=$(awk -v f="$2" -v h="$h" -v t="$top" -v v="$visible" 'BEGIN { printf "%d", (f - t) / v * h }')
    format+="%[fx:int(255*p{$x,$y}.r+0.5)],%[fx:int(255*p{$x,$y}.g+0.5)],%[fx:int(255*p{$x,$y}.b+0.5)] "
    expected+=("$3")
    shift 3
  done
  local found
  found=$(convert "$png" -format "$format" info: 2>/dev/null) || { echo "unreadable"; return; }
  local i=0 bad=""
  for got in $found; do
    if ! awk -v a="$got" -v b="${expected[$i]}" 'BEGIN {
        split(a, x, ","); split(b, y, ",")
        for (k = 1; k <= 3; k++) { d = x[k] - y[k]; if (d < -40 || d > 40) exit 1 }
      }'; then
      bad+=" point $i: ${expected[$i]} expected, $got found;"
    fi
    i=$((i + 1))
  done
  [ $i -eq ${#expected[@]} ] || bad+=" $i of ${#expected[@]} points read;"
  if [ -z "$bad" ]; then echo ok; else echo "${bad# }"; fi
}

# The test publisher in the background, started from $publisher_exe with
# "${wine_run[@]}"; its output goes to $logs/NAME.txt.
publisher_pid=

# start_publisher NAME OPTIONS...: starts it and waits for its first picture.
start_publisher() {
  local log=$logs/$1.txt
  shift
  "${wine_run[@]}" "$publisher_exe" "$@" >"$log" 2>&1 &
  publisher_pid=$!
  for _ in $(seq 200); do
    grep -q '^picture .* published' "$log" 2>/dev/null && return 0
    kill -0 "$publisher_pid" 2>/dev/null || fail "the publisher ended" "$log"
    sleep 0.1
  done
  fail "the publisher published nothing in 20 s" "$log"
}

# Ends it, if one runs.
stop_publisher() {
  [ -n "$publisher_pid" ] || return 0
  # Wine turns SIGINT into the console's Ctrl+C, which the publisher answers
  # by ending its loop; a publisher that does not is ended outright.
  kill -INT "$publisher_pid" 2>/dev/null
  for _ in $(seq 30); do kill -0 "$publisher_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$publisher_pid" 2>/dev/null && kill -TERM "$publisher_pid" 2>/dev/null
  wait "$publisher_pid" 2>/dev/null
  publisher_pid=
}

# A labelled contact sheet on a dark background:
#   contact_sheet OUT.png "TITLE" TILE-GEOMETRY COLUMNS LOG -label "text" picture.png ...
contact_sheet() {
  local sheet=$1 title=$2 geometry=$3 columns=$4 log=$5
  shift 5
  local font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf font_option=()
  [ -f "$font" ] && font_option=(-font "$font")
  montage "${font_option[@]}" -pointsize 15 -background '#1e1e1e' -fill '#e8e8e8' "$@" \
    -geometry "$geometry" -tile "$columns" -title "$title" "$sheet" 2>"$log" ||
    fail "montage could not make $(basename "$sheet")" "$log"
}
