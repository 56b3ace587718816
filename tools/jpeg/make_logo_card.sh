#!/usr/bin/env bash
# Draws the camera's built-in placeholder picture: a 960 x 720 logo card (lens
# mark and device name on a dark grey gradient) saved as a baseline 4:2:0 JPEG
# that the placeholder decoder accepts. The logo stays inside rows 88..631, the
# band that 16:9 outputs keep.
#
#   tools/jpeg/make_logo_card.sh [output.jpg]    (default camera/decoder/logo_card.jpg)
#
# Needs ImageMagick, cjpeg (libjpeg-turbo-progs) and DejaVu Sans Bold
# (fonts-dejavu-core); tools/setup.sh installs them.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/camera/decoder/logo_card.jpg}
font=${LOGO_FONT:-/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf}
quality=${LOGO_QUALITY:-88}
for tool in convert cjpeg; do
  command -v "$tool" >/dev/null || { echo "make_logo_card: $tool missing (run tools/setup.sh)" >&2; exit 1; }
done
[ -r "$font" ] || { echo "make_logo_card: font $font missing (fonts-dejavu-core)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

W=960 H=720
cx=480 cy=300          # lens centre
R_BEZEL=122            # outer silver bezel
R_RIM=106              # dark rim inside the bezel
R_IRIS=94              # aperture blades
R_OPEN=34              # hexagonal opening
name="ZeloCamV10"

# 1. Background: vertical dark grey gradient with a soft glow behind the lens
#    and a fine grain so that the gradient does not band in 8 bits.
convert -size ${W}x${H} gradient:'#2c2f34'-'#111214' \
  \( -size ${W}x$((H * 2)) radial-gradient:'#3c4047'-'#111214' -crop ${W}x${H}+0+$((H - cy)) +repage \) \
  -compose lighten -composite \
  -seed 1106 -attenuate 0.08 +noise Gaussian \
  "$work/background.png"

# 2. Shadow under the lens.
convert -size ${W}x${H} xc:none -fill 'rgba(0,0,0,0.55)' \
  -draw "circle $cx,$((cy + 10)) $((cx + R_BEZEL + 6)),$((cy + 10))" -blur 0x14 "$work/shadow.png"

# 3. Silver bezel: a top-to-bottom metal gradient cut to a disc.
convert -size ${W}x${H} gradient:'#f1f4f8'-'#6f767f' \
  \( -size ${W}x${H} xc:black -fill white -draw "circle $cx,$cy $((cx + R_BEZEL)),$cy" \) \
  -alpha off -compose copy_opacity -composite "$work/bezel.png"

# Aperture blades: the hexagon's edges extended to the iris circle split the
# ring into six blades; each is shaded by its direction to a light at the top left.
awk -v cx=$cx -v cy=$cy -v R=$R_IRIS -v r=$R_OPEN 'BEGIN {
  pi = atan2(0, -1); rot = 15 * pi / 180
  for (i = 0; i < 6; i++) { a = rot + i * pi / 3; hx[i] = cx + r * cos(a); hy[i] = cy - r * sin(a) }
  # Q[i]: where the line H[i] -> H[i+1] meets the iris circle beyond H[i+1].
  for (i = 0; i < 6; i++) {
    j = (i + 1) % 6; dx = hx[j] - hx[i]; dy = hy[j] - hy[i]; len = sqrt(dx * dx + dy * dy)
    dx /= len; dy /= len; px = hx[j] - cx; py = hy[j] - cy
    b = px * dx + py * dy; c = px * px + py * py - R * R; t = -b + sqrt(b * b - c)
    qx[i] = hx[j] + t * dx; qy[i] = hy[j] + t * dy
    qa[i] = atan2(-(qy[i] - cy), qx[i] - cx)
  }
  for (i = 0; i < 6; i++) {
    p = (i + 5) % 6; j = (i + 1) % 6
    pts = sprintf("%.2f,%.2f %.2f,%.2f %.2f,%.2f", hx[i], hy[i], hx[j], hy[j], qx[i], qy[i])
    a0 = qa[i]; a1 = qa[p]; while (a1 > a0) a1 -= 2 * pi; while (a1 < a0 - 2 * pi) a1 += 2 * pi
    for (k = 1; k < 16; k++) { a = a0 + (a1 - a0) * k / 16; pts = pts sprintf(" %.2f,%.2f", cx + R * cos(a), cy - R * sin(a)) }
    pts = pts sprintf(" %.2f,%.2f", qx[p], qy[p])
    mid = (a0 + a1) / 2; light = 0.5 + 0.5 * cos(mid - 3 * pi / 4)
    printf "fill rgb(%d,%d,%d)\nstroke rgba(4,16,28,0.9)\nstroke-width 2\npolygon %s\n", \
      18 + light * 40, 118 + light * 97, 186 + light * 64, pts
  }
}' >"$work/blades.mvg"

# 4. Rim, blades, opening, glass highlights and the live dot.
{
  echo "fill #16181b circle $cx,$cy $((cx + R_RIM)),$cy"
  echo "fill #0d0e10 circle $cx,$cy $((cx + R_IRIS + 2)),$cy"
  cat "$work/blades.mvg"
  echo "stroke none"
  echo "fill #07080a circle $cx,$cy $((cx + R_OPEN - 5)),$cy"
  echo "fill rgba(255,255,255,0.10) ellipse $((cx - 30)),$((cy - 40)) 54,28 0,360"
  echo "fill rgba(255,255,255,0.55) ellipse $((cx - 12)),$((cy - 12)) 7,5 0,360"
  echo "fill #ff3b30 stroke #1b1d20 stroke-width 3"
  echo "circle $((cx + 86)),$((cy - 86)) $((cx + 86 + 12)),$((cy - 86))"
} >"$work/lens.mvg"
convert -size ${W}x${H} xc:none -draw "$(cat "$work/lens.mvg")" "$work/lens.png"

# 5. The device name under the lens, with a faint shadow.
convert -size ${W}x${H} xc:none -font "$font" -pointsize 62 -gravity north \
  -fill 'rgba(0,0,0,0.6)' -annotate +2+$((cy + R_BEZEL + 52)) "$name" -blur 0x3 \
  -fill '#f3f5f8' -annotate +0+$((cy + R_BEZEL + 48)) "$name" \
  "$work/name.png"

convert "$work/background.png" "$work/shadow.png" -composite "$work/bezel.png" -composite \
  "$work/lens.png" -composite "$work/name.png" -composite \
  -depth 8 -type TrueColor "$work/card.ppm"

# Baseline, 2x2/1x1/1x1 sampling, optimised Huffman tables, no restart interval.
cjpeg -quality "$quality" -sample 2x2,1x1,1x1 -optimize -dct int -outfile "$out" "$work/card.ppm"
echo "make_logo_card: wrote $out ($(stat -c %s "$out") bytes)"
