#!/usr/bin/env bash
# The UI toolkit demo: the gallery renders every basic control in its six
# states, the launcher's alert (one and two buttons, with its layered shadow)
# and progress window, text input, lists, a slider and a tab control from the
# packs the build made from the artwork, the launcher's splash, progress and
# alert windows made by their classes, then one layout the way a designer asks
# for it. Pictures and a labelled contact sheet
# go to build/demo/ui/ (or $VCAM_DEMO_OUT/ui).
#   tools/demo-ui.sh            the 32-bit build in the 32-bit prefix
#   tools/demo-ui.sh --win64    the 64-bit build in the 64-bit prefix
# `make demo` runs it under tools/run-wine.sh, which gives it an X server.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/demo-lib.sh"
out=${VCAM_DEMO_OUT:-$root/build/demo}/ui
if [ "${1:-}" = --win64 ]; then
  bin=$root/build/win64
  wine_run=("$root/tools/wine-run.sh" --win64)
else
  bin=$root/build/win32
  wine_run=("$root/tools/wine-run.sh")
fi
gallery=$bin/tools/gallery/vcam_gallery.exe
art=$root/build/host/art
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

for f in "$gallery" "$art/style_pro.zeloz" "$art/frame_pro.zeloz"; do
  [ -f "$f" ] || fail "missing $f: build first (make demo builds it)"
done
command -v montage >/dev/null || fail "montage (ImageMagick) is missing: run 'make setup'"

rm -rf "$out"
mkdir -p "$out"
started=$(now_ms)
echo "UI toolkit gallery ($bin)"
skin=(--skin "$(winpath "$art/style_pro.zeloz")" --layouts "$(winpath "$art/frame_pro.zeloz")")
"${wine_run[@]}" "$gallery" "${skin[@]}" --out "$(winpath "$out")" >"$out/gallery.log" 2>&1 ||
  fail "the gallery failed" "$out/gallery.log"
say "$(ls "$out"/*.png | wc -l) pictures of controls and dialogs in $(seconds_since "$started" "$(now_ms)") s"

# A designer's request: one layout, its close button hovered.
"${wine_run[@]}" "$gallery" "${skin[@]}" --layout alertwindow.xml --hover 1002 \
  --png "$(winpath "$out/designer_alert_close_hover.png")" >>"$out/gallery.log" 2>&1 ||
  fail "rendering one layout failed" "$out/gallery.log"
say "vcam_gallery --layout alertwindow.xml --hover 1002 -> designer_alert_close_hover.png"

# The contact sheet: one row per control, its states left to right, then the dialogs.
cd "$out" || exit 1
rows=()
for c in $(ls *_up.png | sed 's/_up\.png$//'); do
  states=()
  for s in up hover pressed disabled checked focused; do
    [ -f "${c}_$s.png" ] && states+=("${c}_$s.png")
  done
  montage -font "$font" -pointsize 10 -label '%t' "${states[@]}" -background '#e4e4e4' -geometry '+6+4' \
    -tile "${#states[@]}x1" "row_$c.png" 2>>gallery.log || fail "montage failed" gallery.log
  rows+=("row_$c.png")
done
montage "${rows[@]}" -background '#e4e4e4' -geometry '+0+0' -gravity west -tile 1x controls_sheet.png \
  2>>gallery.log || fail "montage failed" gallery.log
rm -f "${rows[@]}"
montage -font "$font" -pointsize 11 -label '%t' alert_one_button.png alert_two_buttons.png alert_with_shadow.png \
  progress_37_5.png shadow_layered.png designer_alert_close_hover.png -background '#e4e4e4' -geometry '+10+10' \
  -tile 3x dialogs_sheet.png 2>>gallery.log || fail "montage failed" gallery.log
# The launcher's windows made by their own classes, the dialogs over their shadows.
montage -font "$font" -pointsize 11 -label '%t' launcher_splash.png launcher_progress_37_5.png \
  launcher_alert_one_button.png launcher_alert_two_buttons.png launcher_alert_with_notes.png -background '#e4e4e4' \
  -geometry '+10+10' -tile 3x launcher_sheet.png 2>>gallery.log || fail "montage failed" gallery.log
montage -font "$font" -pointsize 11 -label '%t' text_box_selection.png text_box_password.png edit_wrapped.png list_box_scrolled.png combo_box_open.png slider.png slider_thumb_hover.png tab_control.png \
  tab_control_third.png -background '#e4e4e4' -geometry '+10+10' -tile 4x composites_sheet.png 2>>gallery.log ||
  fail "montage failed" gallery.log
montage controls_sheet.png dialogs_sheet.png composites_sheet.png launcher_sheet.png -background '#e4e4e4' -geometry '+0+8' -tile 1x \
  contact_sheet.png \
  2>>gallery.log || fail "montage failed" gallery.log
say "contact sheet: $out/contact_sheet.png"
