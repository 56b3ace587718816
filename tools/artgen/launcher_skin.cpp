#include "tools/artgen/launcher_skin.h"

#include <string>
#include <tuple>

#include "tools/artgen/controls_art.h"
#include "tools/artgen/frame_shadow.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/painting.h"
#include "tools/artgen/palette.h"

namespace vcam::artgen {
namespace {

using namespace palette;

const Rgba kNone{};
// Hover state of skin-coloured images: the same white, slightly see-through,
// so the tinted face looks lighter over the white window.
constexpr float kHoverOpacity = 0.84f;

Raster Solid(int w, int h, std::uint32_t colour) {
  Raster out(w, h);
  Fill(out, RoundRect(0, 0, static_cast<float>(w), static_cast<float>(h), 0), Hex(colour));
  return out;
}

// 8 x 8, opaque, with the window border on the left, right and bottom as asked.
Raster EdgeFace(std::uint32_t colour, bool left, bool right) {
  Raster out = Solid(8, 8, colour);
  Fill(out, RoundRect(0, 7, 8, 8, 0), Hex(kBorder));
  if (left) Fill(out, RoundRect(0, 0, 1, 8, 0), Hex(kBorder));
  if (right) Fill(out, RoundRect(7, 0, 8, 8, 0), Hex(kBorder));
  return out;
}

Raster WindowBackground() {
  Raster out(16, 16);
  ShapePtr all = RoundRect(0, 0, 16, 16, 0);
  Fill(out, all, Hex(kWhite));
  Fill(out, InnerBorder(all, 1.0f), Hex(kBorder));
  return out;
}

Raster TitleBar() {
  Raster out(8, 40);
  Fill(out, RoundRect(0, 0, 8, 40, 0), VerticalGradient(Hex(kWhite), Hex(0xFAFAFA), 0, 40));
  Fill(out, RoundRect(0, 39, 8, 40, 0), Hex(kLine));
  return out;
}

Raster Glyph(int size, const ShapePtr& shape) {
  Raster out(size, size);
  Fill(out, shape, Hex(kWhite));
  return out;
}

// A white disc with the mark cut out: tinted by the skin rule it becomes a
// skin-coloured badge whose mark shows the white window behind it.
Raster Badge(const ShapePtr& mark) {
  Raster out(40, 40);
  Fill(out, Circle(20, 20, 19.5f), Hex(kWhite));
  Cut(out, mark);
  return out;
}

}  // namespace

ArtworkList LauncherSkinImages() {
  ArtworkList list;
  auto add = [&list](std::string name, Raster image) { list.push_back({std::move(name), std::move(image)}); };

  add("window_bkgnd.png", WindowBackground());
  add("titlebar.png", TitleBar());
  add("accent_line.png", Solid(4, 2, kWhite));
  add("logo_small.png", Glyph(18, VideoCamera(9, 9, 16)));

  add("close_normal.png", CloseButton(24, 8, Hex(kGlyph), kNone, false));
  add("close_hover.png", CloseButton(24, 8, Hex(kWhite), Hex(kDanger), false));
  add("close_down.png", CloseButton(24, 8, Hex(kWhite), Hex(kDangerDark), false));

  add("button_normal.png", ButtonFace(32, 32, 4, Hex(kWhite), Hex(0xCCCCCC)));
  add("button_hover.png", ButtonFace(32, 32, 4, Hex(kSurface), Hex(kBorderStrong)));
  add("button_down.png", ButtonFace(32, 32, 4, Hex(kPressed), Hex(kBorderStrong)));
  add("button_disabled.png", ButtonFace(32, 32, 4, Hex(0xF5F5F5), Hex(0xE3E3E3)));
  const Raster accent = ButtonFace(32, 32, 4, Hex(kWhite), kNone);
  add("button_accent.png", accent);
  add("button_accent_hover.png", Faded(accent, kHoverOpacity));
  add("button_accent_disabled.png", ButtonFace(32, 32, 4, Hex(kDisabled), kNone));

  // The dialog's bottom buttons sit on the window's edge: their faces carry
  // the window's border on the sides they touch.
  for (const auto& [suffix, left, right] : {std::tuple{"", true, true}, {"_left", true, false}, {"_right", false, true}}) {
    add(std::string("flat_hover") + suffix + ".png", EdgeFace(0xF7F7F7, left, right));
    add(std::string("flat_down") + suffix + ".png", EdgeFace(0xEEEEEE, left, right));
  }
  add("icon_ok.png", Glyph(18, CheckMark(9, 9.5f, 15, 2.0f)));
  add("icon_download.png", Glyph(18, DownloadMark(9, 9, 15, 1.8f)));

  add("alert_warning.png", Badge(Exclamation(20, 20, 20, 3.4f)));
  add("alert_info.png", Badge(InfoMark(20, 20, 20, 3.4f)));
  add("alert_error.png", Badge(Cross(20, 20, 13, 3.2f)));
  add("alert_success.png", Badge(CheckMark(20, 20.5f, 22, 3.4f)));

  add("progress_bg.png", Bar(12, 8, Hex(0xEBEBEB), Hex(0xE6E6E6)));
  add("progress_fill.png", Bar(12, 8, Hex(kWhite), Hex(kWhite)));

  add("check_normal.png", CheckBoxIcon(false, Hex(kWhite), Hex(kBorderStrong)));
  add("check_hover.png", CheckBoxIcon(false, Hex(kWhite), Hex(kGlyph)));
  add("check_down.png", CheckBoxIcon(false, Hex(kHover), Hex(kGlyph)));
  add("check_disabled.png", CheckBoxIcon(false, Hex(0xF5F5F5), Hex(0xE3E3E3)));
  const Raster checked = CheckBoxIcon(true, Hex(kWhite), kNone);
  add("check_on.png", checked);
  add("check_on_hover.png", Faded(checked, kHoverOpacity));
  add("check_on_disabled.png", CheckBoxIcon(true, Hex(kDisabled), kNone));

  add("radio_normal.png", RadioIcon(false, Hex(kWhite), Hex(kBorderStrong)));
  add("radio_hover.png", RadioIcon(false, Hex(kWhite), Hex(kGlyph)));
  add("radio_down.png", RadioIcon(false, Hex(kHover), Hex(kGlyph)));
  add("radio_disabled.png", RadioIcon(false, Hex(0xF5F5F5), Hex(0xE3E3E3)));
  const Raster selected = RadioIcon(true, Hex(kWhite), kNone);
  add("radio_on.png", selected);
  add("radio_on_hover.png", Faded(selected, kHoverOpacity));
  add("radio_on_disabled.png", RadioIcon(true, Hex(kDisabled), kNone));

  add("separator_h.png", Solid(4, 1, kLine));
  add("separator_v.png", Solid(1, 4, kLine));

  add("shadow.png", FrameShadow(DialogShadow()));
  return list;
}

}  // namespace vcam::artgen
