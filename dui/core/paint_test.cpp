// Painting order and clipping of a tree, and styles reached by name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/core/painter.h"
#include "dui/core/panel.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using Log = std::vector<std::string>;
using testing::RecordingPainter;
using testing::Str;

// A style that logs each draw with the control's "text".
class RecordingStyle : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override {
    static_cast<RecordingPainter&>(painter).log.push_back("draw " + utf16_to_utf8(control.GetText()) + " " +
                                                          Str(rect));
  }
};

class Paint : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Initialize(u"paint", std::make_unique<testing::TestPlatform>(state_)));
    UiRuntime* rt = UiRuntime::Instance();
    rt->factory().AddStyle(u"Recording", MakeStyleCreator<RecordingStyle>());
    auto skin = std::make_unique<MemoryFileSource>();
    skin->Put(u"rec.xml", R"(<S><Style class="Recording"><A/></Style></S>)");
    rt->SetSkinSource(std::move(skin));
  }
  void TearDown() override { Shutdown(); }

  testing::TestPlatformState state_;
};

TEST_F(Paint, PanelPaintsItselfThenVisibleChildrenClippedFirstToLast) {
  testing::AttachedTree tree(R"(<Canvas text="root" style="rec.xml">
      <Canvas text="a" style="rec.xml" x="10" y="10" width="50" height="50">
        <Seperator text="a1" style="rec.xml" x="40" y="40" width="30" height="30"/>
      </Canvas>
      <Seperator text="hidden" style="rec.xml" visible="0" width="5" height="5"/>
      <Seperator text="nostyle" width="5" height="5"/>
      <Seperator text="outside" style="rec.xml" x="150" y="0" width="10" height="10"/>
      <Seperator text="b" style="rec.xml" x="0" y="90" width="20" height="20"/>
    </Canvas>)");
  tree.Layout(100, 100);
  RecordingPainter painter;
  tree.root()->Paint(painter, tree.root()->rect(), {0, 0, 100, 100});
  EXPECT_EQ(painter.log, (Log{"draw root 0,0,100,100",
                              "save", "clip 10,10,60,60", "draw a 10,10,60,60",
                              "save", "clip 50,50,60,60", "draw a1 50,50,80,80", "restore",
                              "restore",
                              "save", "clip 0,0,5,5", "restore",
                              "save", "clip 0,90,20,100", "draw b 0,90,20,110", "restore"}));
}

TEST_F(Paint, CollapsedChildIsNotPainted) {
  testing::AttachedTree tree(R"(<Grid><Seperator id="1" text="c" style="rec.xml"/></Grid>)");
  tree.ById(1)->SetFlag(ControlFlags::Collapsed, true);
  tree.Layout(100, 100);
  RecordingPainter painter;
  tree.root()->Paint(painter, {0, 0, 100, 100}, {0, 0, 100, 100});
  EXPECT_TRUE(painter.log.empty());
}

TEST_F(Paint, MissingStyleFileDrawsNothing) {
  testing::AttachedTree tree(R"(<Grid text="g" style="absent.xml"/>)");
  tree.Layout(10, 10);
  RecordingPainter painter;
  tree.root()->Paint(painter, {0, 0, 10, 10}, {0, 0, 10, 10});
  EXPECT_TRUE(painter.log.empty());
}

}  // namespace
}  // namespace vcam::dui
