// The artwork the build produced, read back the way the programs read it:
// the launcher's packs through the pack reader and the toolkit's loaders,
// every picture through stb_image.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/controls/button.h"
#include "dui/controls/label.h"
#include "dui/controls/progress_bar.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/layout_loader.h"
#include "dui/load/text_resource.h"
#include "dui/load/xml16.h"
#include "dui/testing/layout_text.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/pack/zelopack_file_source.h"
#include "launcher/pack/zelopack_reader.h"

namespace vcam::artgen {
namespace {

namespace fs = std::filesystem;
using dui::XmlAttribute;
using dui::XmlElement;

const fs::path kArt = VCAM_ART_DIR;

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  bool ok() const { return width > 0; }
  const unsigned char* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Picture Decode(const std::string& bytes) {
  Picture p;
  int channels = 0;
  unsigned char* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                              static_cast<int>(bytes.size()), &p.width, &p.height, &channels, 4);
  if (!data) return {};
  p.rgba.assign(data, data + static_cast<std::size_t>(p.width) * p.height * 4);
  stbi_image_free(data);
  return p;
}

std::optional<std::string> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool EndsWith(std::u16string_view text, std::u16string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Attributes whose value names a skin image.
bool NamesImage(std::u16string_view attribute) {
  static const std::set<std::u16string_view> kNames = {u"img", u"src", u"icon", u"offIcon", u"dropBtn",
                                                        u"progressbkimg", u"progressimg"};
  return kNames.count(attribute) || EndsWith(attribute, u"Skin") || EndsWith(attribute, u"Icon");
}

// A parsed XML file kept with the text it points into.
struct Xml {
  std::u16string text;
  dui::XmlDocument document;
  const XmlElement* root = nullptr;
};

std::unique_ptr<Xml> ParseXml(const std::string& bytes) {
  auto xml = std::make_unique<Xml>();
  EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "the loaders skip three bytes unseen, so a mark must be there";
  xml->text = dui::DecodeTextResource(bytes);
  if (!dui::ParseXml(xml->document, xml->text.data())) return nullptr;
  xml->root = dui::RootElement(xml->document);
  return xml->root ? std::move(xml) : nullptr;
}

template <class Visit>
void ForEachElement(const XmlElement& e, const Visit& visit) {
  visit(e);
  for (const XmlElement* c = dui::FirstChildElement(e); c; c = dui::NextSiblingElement(*c)) ForEachElement(*c, visit);
}

// One file set: a pack or a folder, with the names it holds.
class Files {
 public:
  virtual ~Files() = default;
  virtual std::optional<std::string> Read(const std::u16string& name) = 0;
  const std::set<std::u16string>& names() const { return names_; }
  bool Has(std::u16string_view name) const { return names_.count(std::u16string(name)) != 0; }

 protected:
  std::set<std::u16string> names_;
};

class PackFiles : public Files {
 public:
  explicit PackFiles(const fs::path& pack) {
    auto reader = launcher::_zelopack_reader::open(pack.u16string());
    if (!reader) return;
    reader->for_each([this](const std::u16string& name, const auto&) { names_.insert(name); });
    source_ = launcher::open_zelopack_source(pack.u16string());
  }
  std::optional<std::string> Read(const std::u16string& name) override {
    return source_ ? source_->Read(name) : std::nullopt;
  }
  std::unique_ptr<dui::FileSource> TakeSource() { return std::move(source_); }

 private:
  std::unique_ptr<dui::FileSource> source_;
};

class FolderFiles : public Files {
 public:
  explicit FolderFiles(const fs::path& folder) : folder_(folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) names_.insert(entry.path().filename().u16string());
  }
  std::optional<std::string> Read(const std::u16string& name) override { return ReadFile(folder_ / fs::path(name)); }

 private:
  fs::path folder_;
};

// The rules the skin's rule file makes (the second one comes with the first).
const std::set<std::u16string> kRules = {u"set_skin_color", u"set_skin_color_darken"};

// Checks one image reference: the base picture exists and decodes; a
// recoloured one is white wherever it is not transparent, so the rule tints
// all of it.
void CheckImageReference(Files& skin, std::u16string_view value, const std::string& where) {
  const std::size_t at = value.find(u'@');
  const std::u16string base(value.substr(0, at));
  ASSERT_TRUE(skin.Has(base)) << where << " names the missing image " << utf16_to_utf8(base);
  const Picture p = Decode(*skin.Read(base));
  ASSERT_TRUE(p.ok()) << utf16_to_utf8(base);
  if (at == std::u16string_view::npos) return;
  EXPECT_TRUE(kRules.count(std::u16string(value.substr(at + 1)))) << where << ": unknown rule in " << utf16_to_utf8(value);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char* px = p.at(x, y);
      if (px[3] == 0) continue;
      ASSERT_TRUE(px[0] == 255 && px[1] == 255 && px[2] == 255)
          << utf16_to_utf8(base) << " is recoloured but has a non-white pixel at " << x << "," << y;
    }
}

std::set<std::u16string> FontNames(Files& skin) {
  std::set<std::u16string> fonts;
  auto xml = ParseXml(skin.Read(u"font.xml").value_or(""));
  if (!xml) return fonts;
  for (const XmlElement* f = dui::FirstChildElement(*xml->root); f; f = dui::NextSiblingElement(*f))
    for (const XmlAttribute* a = f->first_attribute(); a; a = a->next_attribute())
      if (dui::NameOf(*a) == u"name") fonts.insert(std::u16string(dui::ValueOf(*a)));
  return fonts;
}

// Every style file of a skin: known class, known attributes, images present.
void CheckStyles(Files& skin, const std::set<std::u16string>& classes, const std::set<std::u16string>& extra_attributes) {
  const dui::SetterRegistry setters = dui::SetterRegistry::Standard();
  int styles = 0;
  for (const std::u16string& name : skin.names()) {
    if (!EndsWith(name, u".xml") || name == u"font.xml") continue;
    ++styles;
    const std::string where = utf16_to_utf8(name);
    auto xml = ParseXml(*skin.Read(name));
    ASSERT_TRUE(xml) << where;
    const XmlElement* style = dui::FirstChildElement(*xml->root);
    ASSERT_TRUE(style && style->first_attribute()) << where;
    EXPECT_TRUE(classes.count(std::u16string(dui::ValueOf(*style->first_attribute())))) << where;
    const XmlElement* setters_element = dui::FirstChildElement(*style);
    ASSERT_TRUE(setters_element) << where;
    for (const XmlAttribute* a = setters_element->first_attribute(); a; a = a->next_attribute()) {
      const std::u16string attribute(dui::NameOf(*a));
      EXPECT_TRUE(setters.Find(attribute) || extra_attributes.count(attribute)) << where << ": " << utf16_to_utf8(attribute);
      if (NamesImage(attribute)) CheckImageReference(skin, dui::ValueOf(*a), where);
    }
  }
  EXPECT_GT(styles, 5);
}

void CheckAllPicturesDecode(Files& files) {
  int pictures = 0;
  for (const std::u16string& name : files.names()) {
    if (!EndsWith(name, u".png")) continue;
    ++pictures;
    EXPECT_TRUE(Decode(*files.Read(name)).ok()) << utf16_to_utf8(name);
  }
  EXPECT_GT(pictures, 10);
}

class LauncherPacks : public ::testing::Test {
 protected:
  launcher::log_capture capture_;
  PackFiles style_{kArt / "style_pro.zeloz"};
  PackFiles frame_{kArt / "frame_pro.zeloz"};
};

TEST_F(LauncherPacks, OpenWithTheLaunchersReader) {
  EXPECT_GT(style_.names().size(), 40u);
  EXPECT_EQ(frame_.names(), (std::set<std::u16string>{u"alertwindow.xml", u"progresswindow.xml", u"proxywindow.xml"}));
  EXPECT_TRUE(style_.Has(u"font.xml"));
  for (const auto& line : capture_.texts()) EXPECT_EQ(line.find("failed"), std::string::npos) << line;
}

TEST_F(LauncherPacks, EveryPictureDecodes) { CheckAllPicturesDecode(style_); }

TEST_F(LauncherPacks, TheRuleFileHoldsTheSkinColourRuleAndTheColour) {
  const std::optional<std::string> rules = style_.Read(u"skin_b4ae00");
  ASSERT_TRUE(rules);
  // Read as the image cache reads it: up to the first zero byte, CR as LF,
  // lines split at LF, fields at "|". An empty line would be a one-field
  // line and reset the colour, so there must be none.
  std::string text = rules->substr(0, rules->find('\0'));
  std::replace(text.begin(), text.end(), '\r', '\n');
  std::vector<std::vector<std::string>> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    std::vector<std::string> fields;
    std::size_t f = 0;
    for (;;) {
      const std::size_t bar = line.find('|', f);
      fields.push_back(line.substr(f, bar - f));
      if (bar == std::string::npos) break;
      f = bar + 1;
    }
    lines.push_back(fields);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  EXPECT_EQ(lines, (std::vector<std::vector<std::string>>{{"set_skin_color", "modifycolor", "#FFFFFF", "#B4AE00"},
                                                          {"#B4AE00"}}));
}

TEST_F(LauncherPacks, FontsDefineTheDefaultAndNamedFaces) {
  const std::set<std::u16string> fonts = FontNames(style_);
  EXPECT_TRUE(fonts.count(u"Default"));
  EXPECT_TRUE(fonts.count(u"Default.Bold"));
  EXPECT_TRUE(fonts.count(u"Default.Big"));
}

TEST_F(LauncherPacks, StylesUseTheVocabularyAndNameOnlyPresentImages) {
  const dui::ControlFactory factory = dui::ControlFactory::Standard();
  std::set<std::u16string> classes;
  for (const auto& [name, creator] : factory.styles()) classes.insert(name);
  CheckStyles(style_, classes, {});
}

TEST_F(LauncherPacks, LayoutsUseTheVocabularyAndNameOnlyPresentStylesImagesAndFonts) {
  const dui::ControlFactory factory = dui::ControlFactory::Standard();
  const dui::SetterRegistry setters = dui::SetterRegistry::Standard();
  const std::set<std::u16string> fonts = FontNames(style_);
  for (const std::u16string& name : frame_.names()) {
    const std::string where = utf16_to_utf8(name);
    auto xml = ParseXml(*frame_.Read(name));
    ASSERT_TRUE(xml) << where;
    EXPECT_EQ(dui::NameOf(*xml->root), u"Window") << where;
    ForEachElement(*xml->root, [&](const XmlElement& e) {
      EXPECT_TRUE(factory.FindControl(dui::NameOf(e))) << where << ": element " << utf16_to_utf8(dui::NameOf(e));
      for (const XmlAttribute* a = e.first_attribute(); a; a = a->next_attribute()) {
        const std::u16string attribute(dui::NameOf(*a));
        const std::u16string value(dui::ValueOf(*a));
        const bool flag = attribute == u"visible" || attribute == u"enabled" || attribute == u"transparent";
        EXPECT_TRUE(setters.Find(attribute) || flag) << where << ": attribute " << utf16_to_utf8(attribute);
        if (flag) {
          EXPECT_TRUE(value == u"0" || value == u"1") << where << ": flags take 0 or 1";
        }
        if (attribute == u"style") {
          EXPECT_TRUE(style_.Has(value)) << where << ": style " << utf16_to_utf8(value);
        }
        if (attribute == u"font") {
          EXPECT_TRUE(fonts.count(value)) << where << ": font " << utf16_to_utf8(value);
        }
        if (NamesImage(attribute)) CheckImageReference(style_, value, where);
      }
    });
  }
}

// The ids each launcher window looks up, with the kind of control it expects.
class LauncherLayouts : public LauncherPacks {
 protected:
  LauncherLayouts() : loader_(setters_, factory_, no_creators_) { loader_.SetSource(frame_.TakeSource()); }

  std::map<int, dui::Control*> Ids(dui::Control* root) {
    std::map<int, dui::Control*> ids;
    Walk(root, ids);
    return ids;
  }

  static bool Inside(dui::Control* c, dui::Control* ancestor) {
    for (dui::Control* p = c ? c->parent() : nullptr; p; p = p->parent())
      if (p == ancestor) return true;
    return false;
  }

  const dui::SetterRegistry setters_ = dui::SetterRegistry::Standard();
  const dui::ControlFactory factory_ = dui::ControlFactory::Standard();
  const dui::ControlCreatorMap no_creators_;
  dui::LayoutLoader loader_;

 private:
  void Walk(dui::Control* c, std::map<int, dui::Control*>& ids) {
    const int id = c->GetInt(dui::attr::id, -1);
    if (id != -1) {
      EXPECT_FALSE(ids.count(id)) << "id " << id << " twice";
      ids[id] = c;
    }
    if (auto* panel = dynamic_cast<dui::Panel*>(c))
      for (dui::Control* child = panel->first_child(); child; child = child->next()) Walk(child, ids);
  }
};

TEST_F(LauncherLayouts, TheProgressWindowHasItsStatusBarAndPercentage) {
  auto root = loader_.LoadLayout(u"progresswindow.xml");
  ASSERT_TRUE(root);
  const auto ids = Ids(root.get());
  EXPECT_EQ(ids.size(), 3u);
  EXPECT_TRUE(dynamic_cast<dui::Label*>(ids.at(1001)));
  EXPECT_TRUE(dynamic_cast<dui::ProgressBar*>(ids.at(1002)));
  EXPECT_TRUE(dynamic_cast<dui::Label*>(ids.at(1003)));
}

TEST_F(LauncherLayouts, TheAlertHasBothButtonGroupsAndTheNotesPanel) {
  auto root = loader_.LoadLayout(u"alertwindow.xml");
  ASSERT_TRUE(root);
  const auto ids = Ids(root.get());
  for (int id : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2000}) ASSERT_TRUE(ids.count(id)) << id;
  EXPECT_EQ(ids.size(), 10u);
  EXPECT_TRUE(dynamic_cast<dui::Label*>(ids.at(1001)));
  EXPECT_TRUE(dynamic_cast<dui::Label*>(ids.at(1003)));
  for (int id : {1002, 1004, 1007, 1008}) EXPECT_TRUE(dynamic_cast<dui::Button*>(ids.at(id))) << id;
  for (int id : {1005, 1006, 2000}) EXPECT_TRUE(dynamic_cast<dui::Panel*>(ids.at(id))) << id;
  EXPECT_TRUE(Inside(ids.at(1004), ids.at(1005))) << "the one-button group holds its confirm button";
  for (int id : {1007, 1008, 1009}) EXPECT_TRUE(Inside(ids.at(id), ids.at(1006))) << id;
  EXPECT_FALSE(Inside(ids.at(1007), ids.at(1009))) << "1009 is shifted by the confirm button's width";
  for (int id : {1004, 1007}) EXPECT_TRUE(ids.at(id)->FindString(dui::attr::icon)) << id << " draws an icon";
  EXPECT_EQ(root->GetInt(dui::attr::width, -1), -1) << "a long line must widen the alert, not overflow it";
}

TEST_F(LauncherLayouts, TheShadowWindowPaintsANineSliceBackground) {
  auto root = loader_.LoadLayout(u"proxywindow.xml");
  ASSERT_TRUE(root);
  const std::u16string* style = root->FindString(dui::attr::style);
  ASSERT_TRUE(style);
  auto xml = ParseXml(*style_.Read(*style));
  ASSERT_TRUE(xml);
  const XmlElement* e = dui::FirstChildElement(*xml->root);
  EXPECT_EQ(dui::ValueOf(*e->first_attribute()), u"Background");
  std::map<std::u16string, std::u16string> values;
  for (const XmlAttribute* a = dui::FirstChildElement(*e)->first_attribute(); a; a = a->next_attribute())
    values[std::u16string(dui::NameOf(*a))] = dui::ValueOf(*a);
  const Picture shadow = Decode(*style_.Read(values[u"img"]));
  ASSERT_TRUE(shadow.ok());
  int l = 0, t = 0, r = 0, b = 0;
  ASSERT_EQ(std::sscanf(utf16_to_utf8(values[u"scaleGrid"]).c_str(), "%d,%d,%d,%d", &l, &t, &r, &b), 4);
  // The window covers the companion inset by 20, 14, 16, 21: the borders hold
  // at least those margins, the picture has a middle to stretch, and the
  // window's own area is clear.
  EXPECT_GE(l, 20);
  EXPECT_GE(t, 14);
  EXPECT_GE(r, 16);
  EXPECT_GE(b, 21);
  EXPECT_GT(shadow.width, l + r);
  EXPECT_GT(shadow.height, t + b);
  EXPECT_EQ(shadow.at(l, t)[3], 0);
  EXPECT_GT(shadow.at(l, 13)[3], 0) << "shadow just above the window";
  EXPECT_EQ(shadow.at(0, 0)[3], 0) << "faded out at the corner";
}

// The text of a layout without its byte-order mark, for the test trees.
std::string LayoutText(Files& frame, const std::u16string& name) { return frame.Read(name).value_or("   ").substr(3); }

TEST_F(LauncherPacks, TheProgressWindowPlacesItsBarAndLabelsInsideTheWindow) {
  dui::testing::AttachedTree tree(LayoutText(frame_, u"progresswindow.xml"));
  ASSERT_TRUE(tree.root());
  dui::Size size;
  ASSERT_TRUE(tree.root()->FindSize(dui::attr::initSize, &size));
  EXPECT_EQ(size, (dui::Size{420, 150}));
  tree.Layout(size.cx, size.cy);
  EXPECT_EQ(tree.ById(1001)->rect(), (dui::Rect{24, 60, 396, 80}));
  EXPECT_EQ(tree.ById(1002)->rect(), (dui::Rect{24, 92, 396, 100}));
  EXPECT_EQ(tree.ById(1003)->rect(), (dui::Rect{306, 108, 396, 126}));
}

TEST_F(LauncherPacks, TheAlertTakesItsHeightFromItsContentAndSplitsItsButtonBar) {
  dui::testing::AttachedTree tree(LayoutText(frame_, u"alertwindow.xml"));
  ASSERT_TRUE(tree.root());
  // As the alert window does: measure in 800 x 600, size to the result, then
  // give the two-button group its widths and lay out again.
  const dui::Size desired = tree.root()->Measure(800, 600);
  EXPECT_EQ(desired.cx, 380);
  EXPECT_EQ(desired.cy, 2 + 38 + 24 + 40 + 14 + 24 + 24 + 1 + 54);
  tree.Layout(desired.cx, desired.cy);
  const int half = desired.cx / 2;
  tree.ById(1007)->SetValue(dui::attr::width, half);
  tree.ById(1009)->SetRect(dui::attr::margin, {half, 0, 0, 0});
  tree.ById(1008)->SetValue(dui::attr::width, desired.cx - half - 1);
  tree.Layout(desired.cx, desired.cy);
  EXPECT_EQ(tree.ById(1004)->rect(), (dui::Rect{0, 0, 380, 54}));
  EXPECT_EQ(tree.ById(1007)->rect(), (dui::Rect{0, 0, 190, 54}));
  EXPECT_EQ(tree.ById(1009)->rect(), (dui::Rect{190, 0, 380, 54}));
  EXPECT_EQ(tree.ById(1008)->rect(), (dui::Rect{1, 0, 190, 54})) << "right of the 1-pixel divider";
  EXPECT_EQ(tree.ById(1002)->rect(), (dui::Rect{346, 7, 370, 31}));
}

TEST_F(LauncherPacks, ANoteLineWiderThanTheAlertWidensItAndKeepsTheCloseButtonInside) {
  dui::testing::AttachedTree tree(LayoutText(frame_, u"alertwindow.xml"));
  ASSERT_TRUE(tree.root());
  auto* notes = dynamic_cast<dui::Panel*>(tree.ById(2000));
  ASSERT_TRUE(notes);
  auto line = std::make_unique<dui::Label>();
  line->SetFlag(dui::ControlFlags::Enabled | dui::ControlFlags::Visible, true);
  line->SetValue(dui::attr::width, 560);  // a note line 560 pixels long
  notes->AddChild(std::move(line));
  const dui::Size desired = tree.root()->Measure(800, 600);
  EXPECT_EQ(desired.cx, 32 + 560 + 32);
  tree.Layout(desired.cx, desired.cy);
  // As at 380 pixels (right edge 370): the title row keeps it 10 pixels in.
  EXPECT_EQ(tree.ById(1002)->rect().right, desired.cx - 10) << "the close button moves with the right edge";
}

TEST(Splash, IsAnOpaque450By260Picture) {
  const std::optional<std::string> bytes = ReadFile(kArt / "splash" / "default");
  ASSERT_TRUE(bytes);
  const Picture p = Decode(*bytes);
  ASSERT_EQ(p.width, 450);
  ASSERT_EQ(p.height, 260);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) ASSERT_EQ(p.at(x, y)[3], 255) << x << "," << y;
  // White status text goes right-aligned into y 233..260: the band is dark.
  for (int x = 200; x < 446; x += 7) EXPECT_LT(p.at(x, 246)[0] + p.at(x, 246)[1] + p.at(x, 246)[2], 3 * 80) << x;
}

class UninstallerSkin : public ::testing::Test {
 protected:
  FolderFiles style_{kArt / "uninstaller" / "style"};
  FolderFiles frame_{kArt / "uninstaller" / "frame"};

  Picture Load(const std::u16string& name) { return Decode(style_.Read(name).value_or("")); }
};

TEST_F(UninstallerSkin, HoldsEveryFileTheWindowNames) {
  for (const char16_t* name :
       {u"bkgnd.xml", u"button.xml", u"button_gray.xml", u"button_close.xml", u"font.xml", u"bkgnd.png",
        u"page1.png", u"page2.png", u"button_default.png", u"button_hover.png", u"button_active.png",
        u"button_disable.png", u"button_gray_default.png", u"button_gray_hover.png", u"button_gray_active.png",
        u"close_default.png", u"close_hover.png", u"close_active.png", u"checkbox_default.png",
        u"checkbox_hover.png", u"checkbox_click.png", u"checkbox_tick_default.png", u"checkbox_tick_hover.png",
        u"checkbox_tick_click.png", u"pro_bg.png", u"pro_fg.png", u"frame_proxy_bkgnd.png"})
    EXPECT_TRUE(style_.Has(name)) << utf16_to_utf8(name);
  EXPECT_TRUE(frame_.Has(u"proxywindow.xml"));
  CheckAllPicturesDecode(style_);
}

TEST_F(UninstallerSkin, PicturesHaveTheSizesTheLayoutGivesThem) {
  const std::map<std::u16string, std::pair<int, int>> sizes = {
      {u"bkgnd.png", {645, 400}},          {u"page1.png", {645, 320}},         {u"page2.png", {645, 320}},
      {u"button_default.png", {136, 43}},  {u"button_gray_default.png", {136, 43}},
      {u"button_disable.png", {136, 43}},  {u"close_default.png", {27, 27}},   {u"pro_bg.png", {516, 9}},
      {u"pro_fg.png", {516, 9}}};
  for (const auto& [name, size] : sizes) {
    const Picture p = Load(name);
    EXPECT_EQ(p.width, size.first) << utf16_to_utf8(name);
    EXPECT_EQ(p.height, size.second) << utf16_to_utf8(name);
  }
  const Picture bkgnd = Load(u"bkgnd.png");
  for (int y = 0; y < bkgnd.height; y += 9)
    for (int x = 0; x < bkgnd.width; x += 9) ASSERT_EQ(bkgnd.at(x, y)[3], 255) << "the window background is opaque";
}

TEST_F(UninstallerSkin, StateStripsStackWholeStates) {
  const Picture button = Load(u"button_ex.png");
  ASSERT_TRUE(button.ok());
  EXPECT_EQ(button.height % 4, 0);
  EXPECT_EQ(button.height / 4, 43);
  const Picture check = Load(u"checkbox_ex.png");
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.height % 8, 0);
  EXPECT_EQ(check.height / 8, check.width) << "square icons";
  // The strip's up state is the single-state image.
  const Picture up = Load(u"button_default.png");
  EXPECT_TRUE(std::equal(up.rgba.begin(), up.rgba.end(), button.rgba.begin()));
}

TEST_F(UninstallerSkin, TheShadowFrameFitsItsScaleGrid) {
  const Picture frame = Load(u"frame_proxy_bkgnd.png");
  ASSERT_TRUE(frame.ok());
  EXPECT_GT(frame.width, 48);
  EXPECT_GT(frame.height, 48);
  auto xml = ParseXml(*style_.Read(u"frame_proxy_bkgnd.xml"));
  ASSERT_TRUE(xml);
  const XmlElement* setters = dui::FirstChildElement(*dui::FirstChildElement(*xml->root));
  std::map<std::u16string, std::u16string> values;
  for (const XmlAttribute* a = setters->first_attribute(); a; a = a->next_attribute())
    values[std::u16string(dui::NameOf(*a))] = dui::ValueOf(*a);
  EXPECT_EQ(values[u"img"], u"frame_proxy_bkgnd.png");
  EXPECT_EQ(values[u"scaleGrid"], u"24,24,24,24");
  auto proxy = ParseXml(*frame_.Read(u"proxywindow.xml"));
  ASSERT_TRUE(proxy);
  EXPECT_EQ(dui::ValueOf(*proxy->root->first_attribute()), u"frame_proxy_bkgnd.xml");
}

TEST_F(UninstallerSkin, StylesUseTheUninstallersVocabularyAndNameOnlyPresentImages) {
  const dui::ControlFactory factory = dui::ControlFactory::Standard();
  std::set<std::u16string> classes = {u"ButtonEx", u"CheckButtonEx"};
  for (const auto& [name, creator] : factory.styles()) classes.insert(name);
  CheckStyles(style_, classes, {u"imagelist", u"url", u"textspace", u"texteditable", u"textpadding"});
  const std::set<std::u16string> fonts = FontNames(style_);
  for (const char16_t* font : {u"Default", u"Default.Underline", u"Default.Small", u"Default.Big", u"Default.Bold",
                               u"Default.Big.Bold", u"Default.Header", u"Default.Header.Bold"})
    EXPECT_TRUE(fonts.count(font)) << utf16_to_utf8(font);
}

}  // namespace
}  // namespace vcam::artgen
