#include "dui/win/scroll_timer.h"

#include "dui/controls/scroll_bar.h"

namespace vcam::dui {

ScrollTimer::ScrollTimer(ScrollBar& bar) : bar_(bar) { set_interval(ScrollBar::kRepeatInterval); }

void ScrollTimer::OnTimer() { bar_.OnRepeat(); }

}  // namespace vcam::dui
