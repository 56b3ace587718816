#include "dui/testing/layout_text.h"

#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/layout_loader.h"
#include "dui/load/text_resource.h"

namespace vcam::dui::testing {

std::unique_ptr<Control> BuildTree(std::string_view utf8_layout) {
  static const SetterRegistry setters = SetterRegistry::Standard();
  static const ControlFactory factory = ControlFactory::Standard();
  static const ControlCreatorMap none;
  const LayoutLoader loader(setters, factory, none);
  return loader.LoadLayoutText(DecodeTextResource(utf8_layout));
}

AttachedTree::AttachedTree(std::string_view utf8_layout) : root_(BuildTree(utf8_layout)) {
  if (root_) root_->Attach(&window_);
}

AttachedTree::~AttachedTree() {
  if (root_) root_->Detach();
}

void AttachedTree::Layout(std::int32_t w, std::int32_t h) {
  root_->Measure(w, h);
  root_->Arrange(0, 0, w, h);
}

}  // namespace vcam::dui::testing
