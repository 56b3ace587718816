#include "launcher/windows/alert_layout.h"

#include <algorithm>
#include <memory>

#include "dui/controls/label.h"
#include "dui/core/attribute_names.h"

namespace vcam::launcher {

alert_button_split split_alert_buttons(std::int32_t root_width) {
  const std::int32_t width = std::max(root_width, 0);
  const std::int32_t half = width / 2;
  return {half, half, std::max(width - half - 1, 0)};
}

void add_note_lines(dui::Panel& notes, const std::vector<std::u16string>& lines) {
  for (const std::u16string& line : lines) {
    auto label = std::make_unique<dui::Label>();
    label->SetClassName(u"Label");
    label->SetFlag(dui::ControlFlags::Enabled | dui::ControlFlags::Visible | dui::ControlFlags::HitTransparent, true);
    label->SetText(line);
    label->SetValue(dui::attr::color, 0x666666);
    label->SetRect(dui::attr::margin, {0, 13, 0, 0});
    notes.AddChild(std::move(label));
  }
}

}  // namespace vcam::launcher
