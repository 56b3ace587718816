// Which script class a control reports, by the element it was built for.
#include "uninstaller/bindings/control_class.h"

#include <gtest/gtest.h>

#include <string>

namespace vcam::uninstaller {
namespace {

TEST(ScriptClassOf, LayoutPanelsWindowAndGridReportPanel) {
  for (const char16_t* e : {u"Panel", u"Canvas", u"StackPanel", u"DockPanel", u"Grid", u"Window", u"ScrollPanel"})
    EXPECT_EQ(script_class_of(e), ScriptClass::panel) << std::u16string(e).size();
  EXPECT_STREQ(script_class_name(ScriptClass::panel), "Panel");
}

TEST(ScriptClassOf, TheButtonFamilyReportsButton) {
  for (const char16_t* e : {u"Button", u"CheckBox", u"RadioButton", u"ToggleButton", u"ImageButton"})
    EXPECT_EQ(script_class_of(e), ScriptClass::button);
}

TEST(ScriptClassOf, ClassesWithMethodsOfTheirOwn) {
  EXPECT_EQ(script_class_of(u"TextBox"), ScriptClass::text_box);
  EXPECT_EQ(script_class_of(u"Edit"), ScriptClass::edit);
  EXPECT_EQ(script_class_of(u"PowerPoint"), ScriptClass::power_point);
  EXPECT_EQ(script_class_of(u"ProgressBar"), ScriptClass::progress_bar);
  EXPECT_EQ(script_class_of(u"Image"), ScriptClass::image);
}

TEST(ScriptClassOf, OtherElementsAndNearMissesGetNoClass) {
  for (const char16_t* e : {u"Label", u"TitleBar", u"LinkLabel", u"ListBox", u"", u"button", u"Grid "})
    EXPECT_EQ(script_class_of(e), ScriptClass::other);
  EXPECT_STREQ(script_class_name(ScriptClass::other), "");
}

}  // namespace
}  // namespace vcam::uninstaller
