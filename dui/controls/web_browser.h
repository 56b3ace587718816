#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "WebBrowser": hosts the system web browser (not yet: an empty control so far).
class WebBrowser : public Control {
 public:
  WebBrowser() = default;
};

}  // namespace vcam::dui
