#pragma once
// The scroll bar a ScrollPanel adds to itself: arrows, track and thumb after
// the style's arrow images, auto-repeat while an arrow or the track is held,
// thumb dragging. It tells its owner what the user asked for through Notify
// (Direct) with param1 = 2 line up, 3 line down, 4 page up, 5 page down,
// 6 thumb drag (param2 = the new position); SetPosition applies a position.
#include <cstdint>
#include <memory>

#include "dui/controls/repeat_clock.h"
#include "dui/controls/scroll_bar_geometry.h"
#include "dui/style/scroll_bar_parts.h"

namespace vcam::dui {

struct ScrollNotify {
  static constexpr std::intptr_t LineUp = 2;
  static constexpr std::intptr_t LineDown = 3;
  static constexpr std::intptr_t PageUp = 4;
  static constexpr std::intptr_t PageDown = 5;
  static constexpr std::intptr_t ThumbDrag = 6;
};

class ScrollBar : public ScrollBarParts {
 public:
  static constexpr std::uint32_t kRepeatInterval = 150;

  explicit ScrollBar(bool vertical = true);
  ~ScrollBar() override;

  // The style named by "style", else "vscrollbar.xml".
  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;

  // 1. Not attached: a debug message, nothing else. 2. Enabled = page < range.
  // 3. p clamped (0 when disabled). 4. A change moves the parent ScrollPanel's content.
  void SetPosition(std::int32_t p);
  // Range and page take effect at the next SetPosition.
  void set_range(std::int32_t range) { range_ = range; }
  void set_page(std::int32_t page) { page_ = page; }
  std::int32_t range() const { return range_; }
  std::int32_t page() const { return page_; }
  std::int32_t position() const { return position_; }
  bool vertical() const { return vertical_; }

  Rect UpArrowRect() const override { return layout_.up_arrow; }
  Rect DownArrowRect() const override { return layout_.down_arrow; }
  Rect ThumbRect() const override;
  std::uint32_t PressedPart() const override { return parts_ & kPressedMask; }
  std::uint32_t HoveredPart() const override { return (parts_ & kHoveredMask) << 4; }
  // The part under (x, y) in the bar's own coordinates.
  std::uint32_t HitPart(std::int32_t x, std::int32_t y) const;

  // The auto-repeat step: the notification of the pressed arrow, or of the
  // pressed track area while the cursor is still over that area.
  void OnRepeat();
  // The auto-repeat clock; made by the platform at the first press unless set.
  void SetRepeatClock(std::unique_ptr<RepeatClock> clock) { clock_ = std::move(clock); }
  bool repeating() const { return clock_ && clock_->running(); }
  RepeatClock* repeat_clock() const { return clock_.get(); }

 private:
  static constexpr std::uint32_t kPressedMask = 0x3070;
  static constexpr std::uint32_t kHoveredMask = kPressedMask >> 4;

  static void OnLButtonDown(void* context, Control* sender, EventArgs& args);
  static void OnMouseMove(void* context, Control* sender, EventArgs& args);
  static void OnLostCapture(void* context, Control* sender, EventArgs& args);
  static void OnMouseLeave(void* context, Control* sender, EventArgs& args);

  Size BarSize() const { return {rect().width(), rect().height()}; }
  void SetHovered(std::uint32_t part);
  void Notify(std::intptr_t code, std::intptr_t position = 0);
  void StartRepeat();
  void StopRepeat();

  std::int32_t range_ = 0;
  std::int32_t position_ = 0;
  std::int32_t page_ = 0;
  // Pressed part in the upper bits (0x10..0x2000), hovered part shifted right by 4.
  std::uint32_t parts_ = 0;
  bool vertical_;
  std::unique_ptr<RepeatClock> clock_;
  // Thumb start minus cursor at the press, along the axis.
  std::int32_t grab_offset_ = 0;
  ScrollBarLayout layout_;
};

}  // namespace vcam::dui
