#include "tools/artgen/uninstaller_skin.h"

#include "tools/artgen/controls_art.h"
#include "tools/artgen/frame_shadow.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/painting.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shadow.h"

namespace vcam::artgen {
namespace {

using namespace palette;

constexpr int kWidth = 645, kHeight = 400, kPageHeight = 320;
const Rgba kNone{};

Raster Background() {
  Raster out(kWidth, kHeight);
  ShapePtr all = RoundRect(0, 0, kWidth, kHeight, 0);
  Fill(out, all, Hex(kWhite));
  Fill(out, RoundRect(0, kPageHeight, kWidth, kHeight, 0), Hex(0xF7F7F7));
  Fill(out, RoundRect(0, kPageHeight, kWidth, kPageHeight + 1, 0), Hex(kLine));
  Fill(out, InnerBorder(all, 1.0f), Hex(0xC9C9C9));
  return out;
}

// The page: a skin-coloured hero with a white medallion holding the camera
// and a badge telling what the page is about.
Raster Page(const ShapePtr& badge_mark) {
  Raster out(kWidth, kPageHeight);
  const float w = kWidth, h = kPageHeight;
  Fill(out, RoundRect(0, 0, w, h, 0), VerticalGradient(Hex(kAccentLight), Hex(kAccentDark), 0, h));

  // Title bar area: the product's small mark.
  Fill(out, VideoCamera(28, 23, 20), Hex(kWhite));

  constexpr float cx = 322, cy = 168, r = 70;
  // Rings spreading from the medallion, the splash picture's signal motif.
  const float rings[][2] = {{98, 0.20f}, {134, 0.13f}, {174, 0.08f}, {220, 0.05f}, {270, 0.03f}};
  for (const auto& ring : rings) Fill(out, Outline(Circle(cx, cy, ring[0]), 1.5f), Hex(kWhite, ring[1]));
  out.Draw(DropShadow(kWidth, kPageHeight, *Circle(cx, cy + 8, r), 12, Hex(0x000000, 0.22f)), 0, 0);
  Fill(out, Circle(cx, cy, r), Hex(kWhite));
  Fill(out, VideoCamera(cx, cy, 74), Hex(kAccent));

  constexpr float bx = cx + 50, by = cy + 48;
  Fill(out, Circle(bx, by, 23), Hex(kAccentDark));
  Fill(out, Circle(bx, by, 20), Hex(kWhite));
  Fill(out, badge_mark, Hex(kAccentDark));
  // Frame lines continue the window border over the picture.
  Fill(out, Subtract(RoundRect(0, 0, w, h + 1, 0), RoundRect(1, 1, w - 1, h + 2, 0)), Hex(0x000000, 0.14f));
  return out;
}

Raster Stack(const std::vector<Raster>& states) {
  Raster out(states.front().width(), states.front().height() * static_cast<int>(states.size()));
  for (std::size_t i = 0; i < states.size(); ++i) out.Draw(states[i], 0, static_cast<int>(i) * states.front().height());
  return out;
}

}  // namespace

ArtworkList UninstallerSkinImages() {
  ArtworkList list;
  auto add = [&list](std::string name, Raster image) { list.push_back({std::move(name), std::move(image)}); };
  constexpr float bx = 322 + 50, by = 168 + 48;

  add("bkgnd.png", Background());
  add("page1.png", Page(Minus(bx, by, 18, 3.4f)));
  add("page2.png", Page(CheckMark(bx, by + 0.5f, 22, 3.4f)));

  const Raster up = ButtonFace(136, 43, 4, Hex(kAccent), kNone);
  const Raster over = ButtonFace(136, 43, 4, Hex(kAccentLight), kNone);
  const Raster down = ButtonFace(136, 43, 4, Hex(kAccentDark), kNone);
  const Raster disabled = ButtonFace(136, 43, 4, Hex(kDisabled), kNone);
  add("button_default.png", up);
  add("button_hover.png", over);
  add("button_active.png", down);
  add("button_disable.png", disabled);
  add("button_gray_default.png", ButtonFace(136, 43, 4, Hex(kWhite), Hex(0xCCCCCC)));
  add("button_gray_hover.png", ButtonFace(136, 43, 4, Hex(kSurface), Hex(kBorderStrong)));
  add("button_gray_active.png", ButtonFace(136, 43, 4, Hex(kPressed), Hex(kBorderStrong)));
  add("button_ex.png", Stack({up, over, down, disabled}));

  add("close_default.png", CloseButton(27, 9, Hex(kWhite), kNone, true));
  add("close_hover.png", CloseButton(27, 9, Hex(kWhite), Hex(kWhite, 0.20f), true));
  add("close_active.png", CloseButton(27, 9, Hex(kWhite), Hex(0x000000, 0.16f), true));

  const Raster box_up = CheckBoxIcon(false, Hex(kWhite), Hex(kBorderStrong));
  const Raster box_over = CheckBoxIcon(false, Hex(kWhite), Hex(kAccent));
  const Raster box_down = CheckBoxIcon(false, Hex(kHover), Hex(kAccentDark));
  const Raster box_disabled = CheckBoxIcon(false, Hex(0xF5F5F5), Hex(0xE3E3E3));
  const Raster tick_up = CheckBoxIcon(true, Hex(kAccent), kNone);
  const Raster tick_over = CheckBoxIcon(true, Hex(kAccentLight), kNone);
  const Raster tick_down = CheckBoxIcon(true, Hex(kAccentDark), kNone);
  const Raster tick_disabled = CheckBoxIcon(true, Hex(kDisabled), kNone);
  add("checkbox_default.png", box_up);
  add("checkbox_hover.png", box_over);
  add("checkbox_click.png", box_down);
  add("checkbox_tick_default.png", tick_up);
  add("checkbox_tick_hover.png", tick_over);
  add("checkbox_tick_click.png", tick_down);
  add("checkbox_ex.png", Stack({box_up, box_over, box_down, box_disabled, tick_up, tick_over, tick_down, tick_disabled}));

  add("pro_bg.png", Bar(516, 9, Hex(0xE8E8E8), Hex(0xE2E2E2)));
  add("pro_fg.png", Bar(516, 9, Hex(kAccentLight), Hex(kAccentDark)));

  add("frame_proxy_bkgnd.png", FrameShadow(DialogShadow()));
  return list;
}

Raster UninstallerIcon() {
  Raster out(32, 32);
  Fill(out, RoundRect(1, 1, 31, 31, 6), VerticalGradient(Hex(kAccentLight), Hex(kAccentDark), 1, 31));
  Fill(out, VideoCamera(16, 16, 20), Hex(kWhite));
  return out;
}

}  // namespace vcam::artgen
