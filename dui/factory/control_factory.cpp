#include "dui/factory/control_factory.h"

#include <iterator>
#include <utility>

#include "dui/controls/button.h"
#include "dui/controls/check_box.h"
#include "dui/controls/combo_box.h"
#include "dui/controls/drawing.h"
#include "dui/controls/edit.h"
#include "dui/controls/icon_button.h"
#include "dui/controls/image_button.h"
#include "dui/controls/label.h"
#include "dui/controls/list_box.h"
#include "dui/controls/progress_bar.h"
#include "dui/controls/radio_button.h"
#include "dui/controls/scroll_panel.h"
#include "dui/controls/seperator.h"
#include "dui/controls/slider.h"
#include "dui/controls/tab_control.h"
#include "dui/controls/tab_item.h"
#include "dui/controls/text_box.h"
#include "dui/controls/title_bar.h"
#include "dui/controls/toggle_button.h"
#include "dui/controls/toggle_icon_button.h"
#include "dui/controls/web_browser.h"
#include "dui/layout/canvas.h"
#include "dui/layout/dock_panel.h"
#include "dui/layout/grid.h"
#include "dui/layout/stack_panel.h"
#include "dui/layout/wrap_panel.h"
#include "dui/style/style_background.h"
#include "dui/style/style_button.h"
#include "dui/style/style_button_ex.h"
#include "dui/style/style_check_button.h"
#include "dui/style/style_check_button_ex.h"
#include "dui/style/style_combo_box.h"
#include "dui/style/style_edit.h"
#include "dui/style/style_icon_button.h"
#include "dui/style/style_scroll_bar.h"
#include "dui/style/style_slider.h"
#include "dui/style/style_toggle_button.h"
#include "dui/style/style_toggle_icon_button.h"

namespace vcam::dui {

ControlFactory ControlFactory::Standard() {
  ControlFactory f;
  f.AddControl(u"Canvas", MakeControlCreator<Canvas>());
  f.AddControl(u"StackPanel", MakeControlCreator<StackPanel>());
  f.AddControl(u"DockPanel", MakeControlCreator<DockPanel>());
  f.AddControl(u"Grid", MakeControlCreator<Grid>());
  f.AddControl(u"TabControl", MakeControlCreator<TabControl>());
  f.AddControl(u"ComboBox", MakeControlCreator<ComboBox>());
  f.AddControl(u"ToggleIconButton", MakeControlCreator<ToggleIconButton>());
  f.AddControl(u"Edit", MakeControlCreator<Edit>());
  f.AddControl(u"Image", MakeControlCreator<Drawing>());
  f.AddControl(u"Label", MakeControlCreator<Label>());
  f.AddControl(u"Slider", MakeControlCreator<Slider>());
  f.AddControl(u"Button", MakeControlCreator<Button>());
  f.AddControl(u"IconButton", MakeControlCreator<IconButton>());
  f.AddControl(u"RadioButton", MakeControlCreator<RadioButton>());
  f.AddControl(u"TitleBar", MakeControlCreator<TitleBar>());
  f.AddControl(u"TabItem", MakeControlCreator<TabItem>());
  f.AddControl(u"ListBox", MakeControlCreator<ListBox>());
  f.AddControl(u"Window", MakeControlCreator<Grid>());
  f.AddControl(u"ScrollPanel", MakeControlCreator<ScrollPanel>());
  f.AddControl(u"TextBox", MakeControlCreator<TextBox>());
  f.AddControl(u"WebBrowser", MakeControlCreator<WebBrowser>());
  f.AddControl(u"Seperator", MakeControlCreator<Seperator>());
  f.AddControl(u"Separator", MakeControlCreator<Seperator>());
  f.AddControl(u"ImageButton", MakeControlCreator<ImageButton>());
  f.AddControl(u"WrapPanel", MakeControlCreator<WrapPanel>());
  f.AddControl(u"ProgressBar", MakeControlCreator<ProgressBar>());
  f.AddControl(u"ToggleButton", MakeControlCreator<ToggleButton>());
  f.AddControl(u"CheckBox", MakeControlCreator<CheckBox>());

  f.AddStyle(u"Background", MakeStyleCreator<Style_Background>());
  f.AddStyle(u"Button", MakeStyleCreator<Style_Button>());
  f.AddStyle(u"CheckButton", MakeStyleCreator<Style_CheckButton>());
  f.AddStyle(u"ComboBox", MakeStyleCreator<Style_ComboBox>());
  f.AddStyle(u"Edit", MakeStyleCreator<Style_Edit>());
  f.AddStyle(u"Slider", MakeStyleCreator<Style_Slider>());
  f.AddStyle(u"ToggleButton", MakeStyleCreator<Style_ToggleButton>());
  f.AddStyle(u"IconButton", MakeStyleCreator<Style_IconButton>());
  f.AddStyle(u"ToggleIconButton", MakeStyleCreator<Style_ToggleIconButton>());
  f.AddStyle(u"ScrollBar", MakeStyleCreator<Style_ScrollBar>());
  f.AddStyle(u"ButtonEx", MakeStyleCreator<Style_ButtonEx>());
  f.AddStyle(u"CheckButtonEx", MakeStyleCreator<Style_CheckButtonEx>());
  f.AddStyle(u"Style", MakeStyleCreator<Style>());
  return f;
}

namespace {

template <typename Map>
void KeepOnly(Map& map, const std::vector<std::u16string>& names) {
  for (auto it = map.begin(); it != map.end();) {
    bool listed = false;
    for (const auto& n : names) listed = listed || n == it->first;
    it = listed ? std::next(it) : map.erase(it);
  }
}

}  // namespace

ControlFactory ControlFactory::For(const std::vector<std::u16string>& elements,
                                   const std::vector<std::u16string>& styles) {
  ControlFactory f = Standard();
  KeepOnly(f.controls_, elements);
  KeepOnly(f.styles_, styles);
  return f;
}

void ControlFactory::AddControl(std::u16string name, std::unique_ptr<ControlCreator> creator) {
  controls_[std::move(name)] = std::move(creator);
}

void ControlFactory::RemoveControl(std::u16string_view name) {
  const auto it = controls_.find(name);
  if (it != controls_.end()) controls_.erase(it);
}

void ControlFactory::AddStyle(std::u16string name, std::unique_ptr<StyleCreator> creator) {
  styles_[std::move(name)] = std::move(creator);
}

void ControlFactory::RemoveStyle(std::u16string_view name) {
  const auto it = styles_.find(name);
  if (it != styles_.end()) styles_.erase(it);
}

const ControlCreator* ControlFactory::FindControl(std::u16string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second.get();
}

const StyleCreator* ControlFactory::FindStyle(std::u16string_view name) const {
  const auto it = styles_.find(name);
  return it == styles_.end() ? nullptr : it->second.get();
}

}  // namespace vcam::dui
