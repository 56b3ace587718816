#include "tools/gallery/win/gallery_scenes.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/controls/combo_box.h"
#include "dui/controls/list_box.h"
#include "dui/controls/progress_bar.h"
#include "dui/controls/slider.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "tools/gallery/win/picture_file.h"
#include "tools/gallery/win/text_scenes.h"
#include "tools/gallery/win/window_snapshot.h"

namespace vcam::gallery {
namespace {

// The gallery's own layout files name their controls' single sample id 1.
constexpr std::int32_t kSample = 1;

struct ControlSample {
  const char16_t* name;
  const char16_t* element;  // the control's element with its attributes
};

// Every control of the basic set, styled from the product's skin (and the
// gallery's own styles, gallery_*.xml, for classes the product does not use).
constexpr std::array<ControlSample, 14> kSamples{{
    {u"button", u"<Button id=\"1\" style=\"button.xml\" text=\"Button\" width=\"120\" height=\"32\"/>"},
    {u"accent_button",
     u"<Button id=\"1\" style=\"button_accent.xml\" text=\"Accent\" width=\"120\" height=\"32\"/>"},
    {u"icon_button",
     u"<IconButton id=\"1\" style=\"gallery_iconbutton.xml\" icon=\"icon_download.png@set_skin_color\" "
     u"text=\"Download\" width=\"150\" height=\"32\"/>"},
    {u"image_button",
     u"<ImageButton id=\"1\" img=\"alert_success.png@set_skin_color\" width=\"40\" height=\"40\"/>"},
    {u"toggle_button",
     u"<ToggleButton id=\"1\" style=\"gallery_toggle.xml\" text=\"Toggle\" width=\"120\" height=\"32\"/>"},
    {u"toggle_icon_button",
     u"<ToggleIconButton id=\"1\" style=\"gallery_toggleicon.xml\" icon=\"icon_ok.png@set_skin_color\" text=\"On\" "
     u"offIcon=\"icon_download.png@set_skin_color\" offText=\"Off\" width=\"120\" height=\"32\"/>"},
    {u"check_box", u"<CheckBox id=\"1\" text=\"Check box\" width=\"140\" height=\"24\"/>"},
    {u"radio_button", u"<RadioButton id=\"1\" text=\"Radio button\" width=\"140\" height=\"24\"/>"},
    {u"confirm_button",
     u"<ConfirmButton id=\"1\" style=\"confirmbutton.xml\" icon=\"icon_ok.png\" text=\"OK\" width=\"190\" "
     u"height=\"54\"/>"},
    {u"title_bar", u"<TitleBar id=\"1\" style=\"titlebar.xml\" width=\"300\" height=\"38\"/>"},
    {u"label", u"<Label id=\"1\" text=\"Label text\" color=\"#333333\" width=\"160\" height=\"24\"/>"},
    {u"image", u"<Image id=\"1\" src=\"alert_info.png@set_skin_color\"/>"},
    {u"progress_bar",
     u"<ProgressBar id=\"1\" width=\"300\" height=\"8\" progressbkimg=\"progress_bg.png\" "
     u"progressbkScaleGrid=\"4,0,4,0\" progressimg=\"progress_fill.png@set_skin_color\" "
     u"progressScaleGrid=\"4,0,4,0\"/>"},
    {u"seperator", u"<Seperator id=\"1\" style=\"separator.xml\" width=\"300\" height=\"1\"/>"},
}};

enum class State { Up, Hover, Pressed, Disabled, Checked, Focused };
constexpr std::array<std::pair<State, const char16_t*>, 6> kStates{{{State::Up, u"up"},
                                                                   {State::Hover, u"hover"},
                                                                   {State::Pressed, u"pressed"},
                                                                   {State::Disabled, u"disabled"},
                                                                   {State::Checked, u"checked"},
                                                                   {State::Focused, u"focused"}}};

SnapshotStates states_for(State state) {
  SnapshotStates s;
  switch (state) {
    case State::Up: break;
    case State::Hover: s.hover = kSample; break;
    case State::Pressed: s.press = kSample; break;
    case State::Disabled: s.disable.push_back(kSample); break;
    case State::Checked: s.check.push_back(kSample); break;
    case State::Focused: s.focus = kSample; break;
  }
  return s;
}

dui::Control* find_id(dui::Control* c, std::int32_t id) {
  if (!c) return nullptr;
  std::int32_t value = 0;
  if (c->FindValue(dui::attr::id, &value) && value == id) return c;
  if (auto* panel = dynamic_cast<dui::Panel*>(c))
    for (dui::Control* child = panel->first_child(); child; child = child->next())
      if (dui::Control* hit = find_id(child, id)) return hit;
  return nullptr;
}

void set_text(dui::Control* root, std::int32_t id, const char16_t* text) {
  if (dui::Control* c = find_id(root, id)) c->SetText(text);
}

void set_progress(dui::Control* root, std::int32_t id, std::int32_t range, std::int32_t position) {
  if (auto* bar = dynamic_cast<dui::ProgressBar*>(find_id(root, id))) {
    bar->range = range;
    bar->position = position;
  }
}

// The composite samples: a slider and a tab control whose pages hold a
// label and a slider of their own.
constexpr const char16_t* kSliderSample =
    u"<Slider id=\"1\" style=\"gallery_slider.xml\" width=\"240\" height=\"16\"/>";
constexpr std::int32_t kThirdTab = 4;
constexpr const char16_t* kTabSample =
    u"<TabControl id=\"1\" tabHeight=\"32\" width=\"360\" height=\"160\">"
    u"<TabItem id=\"2\" style=\"gallery_tab.xml\" text=\"General\" width=\"100\">"
    u"<Grid margin=\"12,12,12,12\"><Label text=\"General settings\" color=\"#333333\" height=\"24\" "
    u"verticalAlign=\"top\"/></Grid></TabItem>"
    u"<TabItem id=\"3\" style=\"gallery_tab.xml\" text=\"Video\" width=\"100\">"
    u"<Grid margin=\"12,12,12,12\"><Slider id=\"11\" style=\"gallery_slider.xml\" height=\"16\" "
    u"verticalAlign=\"top\"/></Grid></TabItem>"
    u"<TabItem id=\"4\" style=\"gallery_tab.xml\" text=\"About\" width=\"100\">"
    u"<Grid margin=\"12,12,12,12\"><Label text=\"The third page slid in from the right\" color=\"#333333\" "
    u"height=\"24\" verticalAlign=\"top\"/></Grid></TabItem>"
    u"</TabControl>";

void set_slider(dui::Control* root, std::int32_t id, std::int32_t value) {
  if (auto* slider = dynamic_cast<dui::Slider*>(find_id(root, id))) slider->SetValue(value);
}

class Gallery {
 public:
  Gallery(const std::u16string& out, std::string& errors) : out_(out), errors_(errors) {}

  void controls() {
    for (const ControlSample& sample : kSamples) {
      const std::u16string layout = std::u16string(u"gallery_") + sample.name + u".xml";
      for (const auto& [state, state_name] : kStates) {
        if (state == State::Pressed && std::u16string(sample.name) == u"title_bar") continue;  // see take_snapshot
        std::unique_ptr<dui::Control> root = load(layout);
        if (!root) continue;
        if (std::u16string(sample.name) == u"progress_bar") set_progress(root.get(), kSample, 1000, 375);
        save(std::u16string(sample.name) + u"_" + state_name, take_snapshot(std::move(root), states_for(state)));
      }
    }
  }

  void dialogs() {
    // The alert in its two modes: the other group is hidden, as the launcher does.
    for (bool two : {false, true}) {
      std::unique_ptr<dui::Control> root = load(u"alertwindow.xml");
      if (!root) return;
      set_text(root.get(), 1001, u"Update available");
      set_text(root.get(), 1003, u"A new version of the camera is ready.");
      set_text(root.get(), 1004, u"OK");
      set_text(root.get(), 1007, u"Update");
      set_text(root.get(), 1008, u"Later");
      if (dui::Control* hidden = find_id(root.get(), two ? 1005 : 1006)) hidden->SetVisible(false);
      Snapshot alert = take_snapshot(std::move(root), {});
      if (two && alert.picture) with_shadow(*alert.picture);
      save(two ? u"alert_two_buttons" : u"alert_one_button", std::move(alert));
    }
    std::unique_ptr<dui::Control> root = load(u"progresswindow.xml");
    if (!root) return;
    set_text(root.get(), 1001, u"Downloading decoders...");
    set_progress(root.get(), 1002, 1000, 375);
    set_text(root.get(), 1003, u"37.50%");
    save(u"progress_37_5", take_snapshot(std::move(root), {}));
  }

  void composites() {
    // The slider at 40, then with its thumb hovered (the slider's Checked).
    for (bool hovered : {false, true}) {
      std::unique_ptr<dui::Control> root = load(u"gallery_slider.xml");
      if (!root) return;
      set_slider(root.get(), kSample, 40);
      SnapshotStates states;
      if (hovered) states.check.push_back(kSample);
      save(hovered ? u"slider_thumb_hover" : u"slider", take_snapshot(std::move(root), states));
    }
    // The first tab as the first arrange selects it, then the third one
    // pressed: its page has slid in by the time the picture is taken.
    for (bool third : {false, true}) {
      std::unique_ptr<dui::Control> root = load(u"gallery_tab_control.xml");
      if (!root) return;
      SnapshotStates states;
      if (third) states.press = kThirdTab;
      save(third ? u"tab_control_third" : u"tab_control", take_snapshot(std::move(root), states));
    }
  }

  // A list longer than its box, scrolled a little, with one row selected and
  // one under the mouse; and a combo box with its list dropped down, drawn
  // from the same tree its popup window holds (a framework Grid styled
  // "combobox_dropped.xml" around a ListBox of 30-pixel rows).
  void lists() {
    if (std::unique_ptr<dui::Control> root = load(u"gallery_list_box.xml")) {
      auto* list = dynamic_cast<dui::ListBox*>(find_id(root.get(), kSample));
      if (list) {
        fill_rows(*list, 12);
        list->Select(list->item_at(3));
        list->item_at(5)->SetValue(dui::attr::id, 2);
      }
      SnapshotStates s;
      s.hover = 2;
      s.prepare = [list] {
        if (list) list->ScrollTo(45);
      };
      save(u"list_box_scrolled", take_snapshot(std::move(root), s));
    }
    if (std::unique_ptr<dui::Control> root = load(u"gallery_combo_box_open.xml")) {
      auto* list = dynamic_cast<dui::ListBox*>(find_id(root.get(), 3));
      if (list) {
        fill_rows(*list, 10);
        list->item_at(2)->SetValue(dui::attr::id, 4);
      }
      set_text(root.get(), kSample, u"Row 1");
      SnapshotStates s;
      s.hover = 4;
      save(u"combo_box_open", take_snapshot(std::move(root), s));
    }
  }

  int failures() const { return failures_; }

 private:
  static void fill_rows(dui::ListBox& list, int n) {
    for (int i = 0; i < n; ++i) list.AddItem(u"Row " + utf8_to_utf16(std::to_string(i)));
  }

  std::unique_ptr<dui::Control> load(const std::u16string& layout) {
    std::unique_ptr<dui::Control> root = dui::UiRuntime::Instance()->LoadLayout(layout);
    if (!root) fail(layout, "the layout is missing or malformed");
    return root;
  }

  // The shadow window as the dialogs carry it: layered, 20/14/16/21 pixels
  // larger than its owner, and the owner drawn over it at (20, 14).
  void with_shadow(const RgbaPicture& owner) {
    std::unique_ptr<dui::Control> shadow = load(u"proxywindow.xml");
    if (!shadow) return;
    SnapshotStates layered;
    layered.layered = true;
    layered.size = dui::Size{owner.width + 20 + 16, owner.height + 14 + 21};
    Snapshot s = take_snapshot(std::move(shadow), layered);
    if (s.picture) {
      save(u"shadow_layered", Snapshot{s.picture, {}});
      draw_over(*s.picture, owner, 20, 14);
    }
    save(u"alert_with_shadow", std::move(s));
  }

  void save(const std::u16string& name, Snapshot snapshot) {
    if (!snapshot.picture) return fail(name, snapshot.error);
    const std::u16string path = out_ + u"\\" + name + u".png";
    if (!write_picture(path, *snapshot.picture)) fail(name, "cannot write " + utf16_to_utf8(path));
  }

  void fail(const std::u16string& what, const std::string& why) {
    ++failures_;
    errors_ += utf16_to_utf8(what) + ": " + why + "\n";
  }

  std::u16string out_;
  std::string& errors_;
  int failures_ = 0;
};

}  // namespace

dui::MemoryFileSource gallery_layouts() {
  dui::MemoryFileSource files;
  for (const ControlSample& sample : kSamples) {
    const std::u16string xml = std::u16string(u"<Window style=\"background.xml\"><Grid margin=\"16,16,16,16\">") +
                               sample.element + u"</Grid></Window>";
    files.Put(std::u16string(u"gallery_") + sample.name + u".xml", utf16_to_utf8(xml));
  }
  for (const auto& [name, element] : {std::pair{u"slider", kSliderSample}, std::pair{u"tab_control", kTabSample}}) {
    const std::u16string xml = std::u16string(u"<Window style=\"background.xml\"><Grid margin=\"16,16,16,16\">") +
                               element + u"</Grid></Window>";
    files.Put(std::u16string(u"gallery_") + name + u".xml", utf16_to_utf8(xml));
  }
  add_text_layouts(files);
  files.Put(u"gallery_list_box.xml",
            R"(<Window style="background.xml"><Grid margin="16,16,16,16">)"
            R"(<Grid style="gallery_listbox.xml" width="240" height="160"><ListBox id="1" margin="1,1,1,1"/></Grid>)"
            R"(</Grid></Window>)");
  files.Put(u"gallery_combo_box_open.xml",
            R"(<Window style="background.xml"><StackPanel margin="16,16,16,16" width="200">)"
            R"(<ComboBox id="1" style="gallery_combobox.xml" height="30"/>)"
            R"(<Grid style="combobox_dropped.xml" height="184"><ListBox id="3" margin="2,2,2,2" itemHeight="30"/></Grid>)"
            R"(<Grid height="16"/></StackPanel></Window>)");
  return files;
}

dui::MemoryFileSource gallery_styles() {
  // The product's neutral button images with the classes that show an icon
  // or keep a checked state.
  const std::string skins =
      R"(upSkin="button_normal.png" overSkin="button_hover.png" downSkin="button_down.png" )"
      R"(disabledSkin="button_disabled.png" scaleGrid="5,5,5,5")";
  dui::MemoryFileSource files;
  files.Put(u"gallery_iconbutton.xml", R"(<Styles><Style class="IconButton"><Setters )" + skins +
                                           R"( textColor="#333333" iconGap="6"/></Style></Styles>)");
  files.Put(u"gallery_toggleicon.xml", R"(<Styles><Style class="ToggleIconButton"><Setters )" + skins +
                                           R"( textColor="#333333" iconGap="6"/></Style></Styles>)");
  files.Put(u"gallery_toggle.xml",
            R"(<Styles><Style class="ToggleButton"><Setters )" + skins +
                R"( checkedUpSkin="button_accent.png@set_skin_color" checkedOverSkin="button_accent_hover.png@set_skin_color")"
                R"( checkedDownSkin="button_accent.png@set_skin_color_darken" checkedDisabledSkin="button_accent_disabled.png")"
                R"( textColor="#333333"/></Style></Styles>)");
  // The product has no slider or tab art: the progress bar's images make the
  // bar and the filled track, the radio button's the thumb; tab headers are
  // buttons that show the accent while selected.
  files.Put(u"gallery_slider.xml",
            R"(<Styles><Style class="Slider"><Setters barSkin="progress_bg.png" trackSkin="progress_fill.png@set_skin_color")"
            R"( scaleGrid="4,0,4,0" thumbUpSkin="radio_normal.png" thumbOverSkin="radio_hover.png")"
            R"( thumbDownSkin="radio_down.png"/></Style></Styles>)");
  files.Put(u"gallery_tab.xml",
            R"(<Styles><Style class="Button"><Setters upSkin="button_normal.png" overSkin="button_hover.png")"
            R"( downSkin="button_accent.png@set_skin_color" disabledSkin="button_disabled.png" scaleGrid="5,5,5,5")"
            R"( textColor="#333333"/></Style></Styles>)");
  add_text_styles(files);
  // The product's skin has no scroll-bar or combo-box art: the progress bar's
  // images stand in for bar and thumb (no arrows), the button's for the box.
  files.Put(u"vscrollbar.xml",
            R"(<Styles><Style class="ScrollBar"><Setters barSkin="progress_bg.png" scaleGrid="4,3,4,3" )"
            R"(thumbUpSkin="progress_fill.png@set_skin_color" thumbOverSkin="progress_fill.png@set_skin_color" )"
            R"(thumbDownSkin="progress_fill.png@set_skin_color_darken" thumbScaleGrid="4,3,4,3"/></Style></Styles>)");
  files.Put(u"gallery_listbox.xml",
            R"(<Styles><Style class="Background"><Setters img="button_normal.png" scaleGrid="5,5,5,5"/></Style></Styles>)");
  files.Put(u"gallery_combobox.xml", R"(<Styles><Style class="ComboBox"><Setters )" + skins + R"(/></Style></Styles>)");
  files.Put(u"combobox_dropped.xml",
            R"(<Styles><Style class="Background"><Setters img="button_normal.png" scaleGrid="5,5,5,5"/></Style></Styles>)");
  return files;
}

int render_gallery(const std::u16string& out_folder, std::string& errors) {
  Gallery gallery(out_folder, errors);
  gallery.controls();
  gallery.dialogs();
  gallery.composites();
  gallery.lists();
  return gallery.failures() + render_text_scenes(out_folder, errors);
}

}  // namespace vcam::gallery
