#pragma once
// A painter of the tests' own: records every call as one line of text, so
// tests compare the drawing of styles and controls without a screen.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dui/core/painter.h"

namespace vcam::dui::testing {

std::string Str(const Rect& r);  // "l,t,r,b"

class RecordingPainter : public Painter {
 public:
  void Save() override { log.push_back("save"); }
  void Restore() override { log.push_back("restore"); }
  void IntersectClip(const Rect& r) override { log.push_back("clip " + Str(r)); }
  bool IsLayered() const override { return layered; }
  void* NativeContext() override { return nullptr; }
  // "image <w>x<h> <dst> <- <src>"
  void DrawImage(const Texture& texture, const Rect& dst, const Rect& src) override;
  // "text <utf-8> <rect> colour=<hex> format=<hex>[ fixalpha]"
  void DrawText(std::u16string_view text, FontHandle font, std::uint32_t colour, std::uint32_t format,
                const Rect& rect, bool fix_alpha) override;
  // Same metrics as the test platform.
  Size MeasureText(std::u16string_view text, FontHandle font, std::uint32_t format) override;
  // "fill <rect> <hex>"
  void FillRect(const Rect& r, std::uint32_t colour) override;

  bool layered = false;
  std::vector<std::string> log;
};

}  // namespace vcam::dui::testing
