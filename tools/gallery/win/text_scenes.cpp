#include "tools/gallery/win/text_scenes.h"

#include <functional>
#include <memory>

#include "common/text_utf.h"
#include "dui/controls/edit.h"
#include "dui/controls/text_box.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "tools/gallery/win/picture_file.h"
#include "tools/gallery/win/window_snapshot.h"

namespace vcam::gallery {
namespace {

constexpr std::int32_t kSample = 1;

struct TextScene {
  const char16_t* name;
  const char16_t* element;
  std::function<void(dui::Control&)> fill;
};

const TextScene kScenes[] = {
    {u"text_box_selection",
     u"<TextBox id=\"1\" style=\"gallery_edit.xml\" width=\"240\" height=\"30\"/>",
     [](dui::Control& c) {
       auto& box = static_cast<dui::TextBox&>(c);
       box.SetText(u"Camera name: Studio camera");
       box.Select(13, 26);
     }},
    {u"text_box_password",
     u"<TextBox id=\"1\" style=\"gallery_edit.xml\" width=\"240\" height=\"30\"/>",
     [](dui::Control& c) {
       auto& box = static_cast<dui::TextBox&>(c);
       // A password field is Checked when its font is set.
       box.SetFlag(dui::ControlFlags::Checked, true);
       box.SetFont(dui::UiRuntime::Instance()->GetFont(u"Default"));
       box.SetText(u"secret42");
     }},
    {u"edit_wrapped",
     u"<Edit id=\"1\" style=\"gallery_edit.xml\" width=\"260\" height=\"120\"/>",
     [](dui::Control& c) {
       auto& edit = static_cast<dui::Edit&>(c);
       edit.SetText(
           u"Release notes\r\n\tThe camera now keeps its picture when the application in front of it "
           u"changes, and long lines wrap at the edge of the field without looking for word ends.\r\nEnd.");
       edit.Select(15, 40);
     }},
};

dui::Control* find_sample(dui::Control* c) {
  if (!c) return nullptr;
  std::int32_t value = 0;
  if (c->FindValue(dui::attr::id, &value) && value == kSample) return c;
  if (auto* panel = dynamic_cast<dui::Panel*>(c))
    for (dui::Control* child = panel->first_child(); child; child = child->next())
      if (dui::Control* hit = find_sample(child)) return hit;
  return nullptr;
}

// Runs after the control's own attach handling (font, margins), so that the
// sample's text and selection are what the window shows.
void fill_on_attach(void* context, dui::Control* sender, dui::EventArgs&) {
  static_cast<const TextScene*>(context)->fill(*sender);
}

}  // namespace

void add_text_layouts(dui::MemoryFileSource& files) {
  for (const TextScene& scene : kScenes) {
    const std::u16string xml = std::u16string(u"<Window style=\"background.xml\"><Grid margin=\"16,16,16,16\">") +
                               scene.element + u"</Grid></Window>";
    files.Put(std::u16string(u"gallery_") + scene.name + u".xml", utf16_to_utf8(xml));
  }
}

void add_text_styles(dui::MemoryFileSource& files) {
  files.Put(u"gallery_edit.xml",
            R"(<Styles><Style class="Edit"><Setters upSkin="button_normal.png" overSkin="button_hover.png" )"
            R"(downSkin="button_hover.png" disabledSkin="button_disabled.png" scaleGrid="5,5,5,5"/></Style></Styles>)");
}

int render_text_scenes(const std::u16string& out_folder, std::string& errors) {
  int failures = 0;
  auto fail = [&](const std::u16string& what, const std::string& why) {
    ++failures;
    errors += utf16_to_utf8(what) + ": " + why + "\n";
  };
  for (const TextScene& scene : kScenes) {
    const std::u16string layout = std::u16string(u"gallery_") + scene.name + u".xml";
    std::unique_ptr<dui::Control> root = dui::UiRuntime::Instance()->LoadLayout(layout);
    if (!root) {
      fail(layout, "the layout is missing or malformed");
      continue;
    }
    dui::Control* sample = find_sample(root.get());
    if (!sample) {
      fail(layout, "no sample control");
      continue;
    }
    sample->AddHandler(dui::EventKind::Attached, const_cast<TextScene*>(&scene), &fill_on_attach);
    SnapshotStates states;
    states.focus = kSample;
    Snapshot shot = take_snapshot(std::move(root), states);
    if (!shot.picture) {
      fail(scene.name, shot.error);
      continue;
    }
    const std::u16string path = out_folder + u"\\" + scene.name + u".png";
    if (!write_picture(path, *shot.picture)) fail(scene.name, "cannot write " + utf16_to_utf8(path));
  }
  return failures;
}

}  // namespace vcam::gallery
