#pragma once
#include <cstdint>

#include "dui/core/panel.h"

namespace vcam::dui {

class PreciseClock;
class TabItem;

// Element "TabControl": a header strip of TabItems ("tabHeight" thick, at the
// top or, with "tabPlacement" "left", down the left side) and a page area
// showing the selected item's page. The pages are not children: each item
// owns its page and makes this control the page's logical parent.
class TabControl : public Panel {
 public:
  TabControl();
  ~TabControl() override;

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  Control* HitTest(std::int32_t x, std::int32_t y) override;
  void UpdateIsVisible() override;
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;

  // Nothing when `item` is already selected or is not a child of this control.
  // The old item loses Checked, the new one gains it, each is told by a
  // ValueChange; with the strip on top the new page slides in (about 100 ms,
  // on this thread). Then ValueChange (Direct) on the tab control.
  void Select(TabItem* item);
  // The selected item, null when none (or it has left this control).
  TabItem* selected() const;

  // As last arranged, in the control's own coordinates.
  const Rect& header_rect() const { return header_; }
  const Rect& page_rect() const { return page_area_; }

  // The counter the slide waits on; null: the platform's.
  void SetSlideClock(PreciseClock* clock) { slide_clock_ = clock; }

 private:
  enum class Placement { Top, Left, Invalid };
  Placement GetPlacement() const;
  std::int32_t IndexOf(const Control* item) const;
  void SlideIn(Control* page, std::int32_t direction);
  static void OnItemDestroyed(void* context, Control* item);

  TabItem* selected_ = nullptr;
  Rect header_;
  Rect page_area_;
  PreciseClock* slide_clock_ = nullptr;
};

}  // namespace vcam::dui
