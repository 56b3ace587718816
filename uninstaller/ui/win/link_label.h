#pragma once
// Element "LinkLabel" (the uninstaller's own control): a label that can be
// hit, shows the hand cursor, and opens its "url" on a left press. Without a
// "url" the press is swallowed and nothing opens.
#include <string>
#include <string_view>

#include "dui/controls/label.h"
#include "dui/factory/control_factory.h"

namespace vcam::uninstaller {

class LinkLabel : public dui::Label {
 public:
  // Opens an address; the default starts "iexplore" with it.
  using Opener = void (*)(std::u16string_view url);
  explicit LinkLabel(Opener opener = nullptr);

  static void OpenInBrowser(std::u16string_view url);

 private:
  static void OnSetCursor(void* context, dui::Control* sender, dui::EventArgs& args);
  static void OnLButtonDown(void* context, dui::Control* sender, dui::EventArgs& args);

  Opener opener_;
};

class LinkLabelCreator : public dui::ControlCreator {
 public:
  explicit LinkLabelCreator(LinkLabel::Opener opener = nullptr) : opener_(opener) {}
  std::unique_ptr<dui::Control> Create() const override { return std::make_unique<LinkLabel>(opener_); }

 private:
  LinkLabel::Opener opener_;
};

}  // namespace vcam::uninstaller
