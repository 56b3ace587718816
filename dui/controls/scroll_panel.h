#pragma once
#include <cstdint>
#include <memory>

#include "dui/core/panel.h"

namespace vcam::dui {

class ScrollBar;

// Element "ScrollPanel": scrolls its first child (the content) vertically with
// a ScrollBar it adds to itself as an extra child. "scrollvertical" is "auto"
// (a bar only when the content is taller than the panel), "always" or "never";
// there is no horizontal scrolling. Arrow and wheel steps are "itemHeight"
// pixels (30 without it); a press on the panel focuses it.
class ScrollPanel : public Panel {
 public:
  static constexpr std::int32_t kDefaultStep = 30;
  static constexpr std::int32_t kDefaultBarWidth = 17;

  ScrollPanel();

  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;
  virtual std::unique_ptr<ScrollBar> CreateScrollBar(bool vertical);
  // The "barSkin" width of the style "vscrollbar.xml", or 17.
  virtual std::int32_t VerticalBarWidth();
  // No horizontal bar is ever made; kept for symmetry with the vertical one.
  virtual std::int32_t HorizontalBarHeight();

  // The first child that is not the bar; null when there is none.
  Control* content() const;
  // The vertical bar while it is shown, else null.
  ScrollBar* vertical_bar() const { return bar_; }
  // The content's rectangle as last arranged (before scrolling).
  const Rect& content_rect() const { return content_rect_; }
  // The bar's position, 0 without a bar.
  std::int32_t scroll_position() const;
  // Through the bar (clamped); nothing without one.
  void ScrollTo(std::int32_t position);
  // What the bar calls when its position changed: the content moves up by `position`.
  void ScrollContentTo(std::int32_t position);
  std::int32_t step() const;

 private:
  static void OnBarNotify(void* context, Control* sender, EventArgs& args);
  static void OnMouseWheel(void* context, Control* sender, EventArgs& args);
  static void OnLButtonDown(void* context, Control* sender, EventArgs& args);

  ScrollBar* bar_ = nullptr;
  Rect content_rect_;
  // How far the content is moved up from content_rect_ now.
  std::int32_t content_shift_ = 0;
};

}  // namespace vcam::dui
