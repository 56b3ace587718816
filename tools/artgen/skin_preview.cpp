#include "tools/artgen/skin_preview.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/painting.h"
#include "tools/artgen/palette.h"

namespace vcam::artgen {
namespace {

using namespace palette;

const Raster kNothing;

const Raster& Find(const ArtworkList& list, std::string_view name) {
  for (const auto& art : list)
    if (art.name == name) return art.image;
  return kNothing;
}

// Source coordinate for destination d of a nine-slice axis.
int SourceAt(int d, int size, int extent, int low, int high) {
  if (d < low) return d;
  if (d >= extent - high) return size - (extent - d);
  const int middle = size - low - high, span = extent - low - high;
  if (middle <= 0 || span <= 0) return std::clamp(low, 0, size - 1);
  return low + (d - low) * middle / span;
}

void Place(Raster& target, const Raster& image, int x, int y, int clip_right = 1 << 30) {
  target.Draw(clip_right - x < image.width() ? image.Crop(0, 0, std::max(0, clip_right - x), image.height()) : image, x, y);
}

}  // namespace

Raster NineSlice(const Raster& image, int left, int top, int right, int bottom, int w, int h) {
  Raster out(w, h);
  if (image.empty()) return out;
  for (int y = 0; y < out.height(); ++y) {
    const int sy = SourceAt(y, image.height(), h, top, bottom);
    for (int x = 0; x < out.width(); ++x) out.Blend(x, y, image.At(SourceAt(x, image.width(), w, left, right), sy), 1.0f);
  }
  return out;
}

Raster Tinted(const Raster& image, const Rgba& to) {
  Raster out(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const Rgba p = image.At(x, y);
      const bool white = std::lround(p.r * 255) == 255 && std::lround(p.g * 255) == 255 && std::lround(p.b * 255) == 255;
      out.Blend(x, y, white ? Rgba{to.r, to.g, to.b, p.a} : p, 1.0f);
    }
  return out;
}

ArtworkList WindowMockups(const ArtworkList& launcher, const ArtworkList& un) {
  const Rgba accent = Hex(kAccent);
  auto skin = [&](std::string_view name) { return Tinted(Find(launcher, name), accent); };
  ArtworkList out;

  // The launcher's windows sit inside their shadow companion: 20, 14, 16, 21.
  auto frame = [&](int w, int h) {
    Raster r(20 + w + 16, 14 + h + 21);
    r.Draw(NineSlice(Find(launcher, "shadow.png"), 24, 24, 24, 24, r.width(), r.height()), 0, 0);
    Raster window = NineSlice(Find(launcher, "window_bkgnd.png"), 2, 2, 2, 2, w, h);
    window.Draw(NineSlice(skin("accent_line.png"), 0, 0, 0, 0, w, 2), 0, 0);
    return std::pair{r, window};
  };

  {
    auto [r, window] = frame(420, 150);
    window.Draw(NineSlice(Find(launcher, "titlebar.png"), 0, 0, 0, 0, 418, 40), 1, 2);
    window.Draw(skin("logo_small.png"), 16, 13);
    Fill(window, RoundRect(24, 62, 230, 74, 3), Hex(kText, 0.18f));  // where the status text goes
    window.Draw(NineSlice(Find(launcher, "progress_bg.png"), 4, 0, 4, 0, 372, 8), 24, 92);
    Place(window, NineSlice(skin("progress_fill.png"), 4, 0, 4, 0, 372, 8), 24, 92, 24 + 372 * 3 / 8);
    r.Draw(window, 20, 14);
    out.push_back({"mock_progress.png", std::move(r)});
  }
  {
    const int w = 380, h = 2 + 38 + 24 + 40 + 14 + 24 + 24 + 1 + 54;
    auto [r, window] = frame(w, h);
    window.Draw(NineSlice(Find(launcher, "titlebar.png"), 0, 0, 0, 0, w - 2, 38), 1, 2);
    window.Draw(skin("logo_small.png"), 15, 12);
    window.Draw(Find(launcher, "close_hover.png"), w - 8 - 24, 9);
    window.Draw(skin("alert_warning.png"), (w - 40) / 2, 64);
    Fill(window, RoundRect(110, 124, 270, 138, 3), Hex(kText, 0.18f));
    const int bar = h - 54;
    window.Draw(NineSlice(Find(launcher, "separator_h.png"), 0, 0, 0, 0, w - 2, 1), 1, bar - 1);
    window.Draw(NineSlice(Find(launcher, "flat_hover_left.png"), 1, 0, 1, 1, w / 2, 54), 0, bar);
    window.Draw(NineSlice(Find(launcher, "separator_v.png"), 0, 0, 0, 0, 1, 54), w / 2, bar);
    window.Draw(skin("icon_ok.png"), (w / 2 - 18) / 2, bar + 10);
    Fill(window, RoundRect(w / 4 - 16, bar + 33, w / 4 + 16, bar + 43, 3), accent);
    Fill(window, RoundRect(3 * w / 4 - 16, bar + 22, 3 * w / 4 + 16, bar + 32, 3), Hex(kTextMuted, 0.5f));
    r.Draw(window, 20, 14);
    out.push_back({"mock_alert.png", std::move(r)});
  }
  {
    Raster r(20 + 645 + 16, 14 + 400 + 21);
    r.Draw(NineSlice(Find(un, "frame_proxy_bkgnd.png"), 24, 24, 24, 24, r.width(), r.height()), 0, 0);
    Raster window = Find(un, "bkgnd.png").Crop(0, 0, 645, 400);
    window.Draw(Find(un, "page1.png"), 0, 0);
    window.Draw(Find(un, "close_hover.png"), 645 - 12 - 27, 12);
    window.Draw(Find(un, "button_gray_default.png"), 645 - 170 - 136, 320 + 18);
    window.Draw(Find(un, "button_default.png"), 645 - 20 - 136, 320 + 18);
    window.Draw(Find(un, "checkbox_tick_default.png"), 24, 320 + 32);
    r.Draw(window, 20, 14);
    out.push_back({"mock_uninstaller.png", std::move(r)});
  }
  return out;
}

}  // namespace vcam::artgen
