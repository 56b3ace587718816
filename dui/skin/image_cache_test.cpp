// The image cache: loading by name, cached failures, texture rules.
#include <gtest/gtest.h>

#include <memory>

#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/skin_manager.h"
#include "dui/testing/test_platform.h"
#include "dui/testing/test_png.h"

namespace vcam::dui {
namespace {

using testing::EncodePng;
using testing::SolidPng;

class ImageCache : public ::testing::Test {
 protected:
  ImageCache() : platform_(state_), skins_(setters_, factory_, platform_) {
    auto source = std::make_unique<MemoryFileSource>();
    pack_ = source.get();
    skins_.SetSource(std::move(source));
  }

  const SetterRegistry setters_ = SetterRegistry::Standard();
  const ControlFactory factory_ = ControlFactory::Standard();
  testing::TestPlatformState state_;
  testing::TestPlatform platform_;
  SkinManager skins_;
  MemoryFileSource* pack_ = nullptr;
};

TEST_F(ImageCache, ImageIsDecodedOnceAndFailuresAreCachedToo) {
  pack_->Put(u"a.png", SolidPng(3, 2, {200, 100, 50, 128}));
  Texture* a = skins_.GetImage(u"a.png");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->pixels()[0], 0x80643219u) << "named images load premultiplied";
  const int reads = pack_->reads();
  EXPECT_EQ(skins_.GetImage(u"a.png"), a);
  EXPECT_EQ(skins_.GetImage(u"missing.png"), nullptr);
  EXPECT_EQ(skins_.GetImage(u"missing.png"), nullptr);
  EXPECT_EQ(pack_->reads(), reads + 1) << "one read for the missing image, none for the cached one";
  pack_->Put(u"missing.png", SolidPng(1, 1, {0, 0, 0, 255}));
  EXPECT_EQ(skins_.GetImage(u"missing.png"), nullptr) << "the cached null stays until the cache is cleared";
}

TEST_F(ImageCache, ModifyColorRecoloursOnlyMatchingPixelsKeepingTheirAlpha) {
  pack_->Put(u"btn.png", EncodePng(3, 1, {{255, 255, 255, 128}, {255, 255, 254, 128}, {255, 255, 255, 255}}));
  pack_->Put(u"skin_b4ae00", "set_skin_color|modifycolor|#FFFFFF|#B4AE00\n");
  ASSERT_TRUE(skins_.LoadRuleFile(u"skin_b4ae00"));
  Texture* t = skins_.GetImage(u"btn.png@set_skin_color");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->pixels()[0], 0x805A5700u) << "(B4,AE,00) at alpha 128 premultiplied";
  EXPECT_EQ(t->pixels()[1], 0x80808000u | (254u * 128 / 255)) << "not pure white: only premultiplied";
  EXPECT_EQ(t->pixels()[2], 0xFFB4AE00u);
  Texture* dark = skins_.GetImage(u"btn.png@set_skin_color_darken");
  ASSERT_NE(dark, nullptr);
  EXPECT_EQ(dark->pixels()[2], 0xFFA09A00u);
  EXPECT_NE(skins_.GetImage(u"btn.png"), t) << "the plain image is cached apart";
}

TEST_F(ImageCache, ModifyAllAndRedirect) {
  pack_->Put(u"icon.png", EncodePng(2, 1, {{1, 2, 3, 255}, {9, 9, 9, 0}}));
  pack_->Put(u"other.png", SolidPng(5, 4, {0, 0, 0, 255}));
  pack_->Put(u"rules", "white|modifyall|#FFFFFF\ngo|redirect|other.png\n");
  ASSERT_TRUE(skins_.LoadRuleFile(u"rules"));
  Texture* all = skins_.GetImage(u"icon.png@white");
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->pixels()[0], 0xFFFFFFFFu);
  EXPECT_EQ(all->pixels()[1], 0u) << "alpha 0 premultiplies to nothing";
  Texture* go = skins_.GetImage(u"anything@go");
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->width(), 5);
}

TEST_F(ImageCache, UnknownRuleAndTheFirstAtSignSplitTheName) {
  pack_->Put(u"a.png", SolidPng(1, 1, {1, 1, 1, 255}));
  pack_->Put(u"rules", "x@y|modifyall|#000000\ngo|redirect|a.png\n");
  ASSERT_TRUE(skins_.LoadRuleFile(u"rules"));
  EXPECT_EQ(skins_.GetImage(u"a.png@nosuch"), nullptr);
  EXPECT_NE(skins_.GetImage(u"a.png@x@y"), nullptr) << "the rule name is everything after the first at sign";
  EXPECT_EQ(skins_.GetImage(u"a.png@"), nullptr);
  EXPECT_EQ(skins_.GetImage(u"a.png@missing.png@go"), nullptr) << "rule 'missing.png@go' is unknown";
}

TEST_F(ImageCache, RuleFileReplacesRulesAndDropsCachedImages) {
  pack_->Put(u"a.png", SolidPng(1, 1, {255, 255, 255, 255}));
  pack_->Put(u"r1", "#112233\nc|modifyall|#010101\nc|modifyall|#020202\n");
  pack_->Put(u"r2", "d|modifyall|#030303\n");
  ASSERT_TRUE(skins_.LoadRuleFile(u"r1"));
  EXPECT_EQ(skins_.skin_colour(), 0x112233u);
  EXPECT_EQ(skins_.rule_count(), 1u);
  EXPECT_EQ(skins_.GetImage(u"a.png@c")->pixels()[0], 0xFF020202u) << "the later rule of a name wins";
  EXPECT_EQ(skins_.image_count(), 1u);
  ASSERT_TRUE(skins_.LoadRuleFile(u"r2"));
  EXPECT_EQ(skins_.image_count(), 0u);
  EXPECT_EQ(skins_.GetImage(u"a.png@c"), nullptr) << "rules of the earlier file are gone";
  EXPECT_EQ(skins_.skin_colour(), 0x112233u) << "a file without a colour line keeps the colour";
  EXPECT_FALSE(skins_.LoadRuleFile(u"absent"));
  EXPECT_EQ(skins_.rule_count(), 0u) << "a missing file still clears the rules";
}

TEST_F(ImageCache, NewSourceDropsCachedImages) {
  pack_->Put(u"a.png", SolidPng(1, 1, {1, 1, 1, 255}));
  ASSERT_NE(skins_.GetImage(u"a.png"), nullptr);
  auto next = std::make_unique<MemoryFileSource>();
  next->Put(u"a.png", SolidPng(7, 1, {1, 1, 1, 255}));
  skins_.SetSource(std::move(next));
  ASSERT_NE(skins_.GetImage(u"a.png"), nullptr);
  EXPECT_EQ(skins_.GetImage(u"a.png")->width(), 7);
}

TEST(RuntimeRuleFile, RuntimeLoadsTheRuleFileAndReportsTheSkinColour) {
  testing::TestPlatformState state;
  ASSERT_TRUE(Initialize(u"rules", std::make_unique<testing::TestPlatform>(state)));
  UiRuntime* rt = UiRuntime::Instance();
  EXPECT_EQ(rt->skin_colour(), 0u);
  EXPECT_FALSE(rt->LoadRuleFile(u"skin_b4ae00")) << "no skin source yet";
  auto pack = std::make_unique<MemoryFileSource>();
  pack->Put(u"skin_b4ae00", "\xEF\xBB\xBF#B4AE00\r\nset_skin_color|modifycolor|#FFFFFF|#B4AE00\r\n");
  pack->Put(u"w.png", SolidPng(1, 1, {255, 255, 255, 255}));
  rt->SetSkinSource(std::move(pack));
  ASSERT_TRUE(rt->LoadRuleFile(u"skin_b4ae00"));
  EXPECT_EQ(rt->skin_colour(), 0x00B4AE00u);
  ASSERT_NE(rt->GetImage(u"w.png@set_skin_color_darken"), nullptr);
  EXPECT_EQ(rt->GetImage(u"w.png@set_skin_color_darken")->pixels()[0], 0xFFA09A00u);
  Shutdown();
}

}  // namespace
}  // namespace vcam::dui
