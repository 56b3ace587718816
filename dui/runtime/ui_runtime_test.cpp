// The runtime's life cycle, packs, and posting events to the UI thread.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <typeinfo>
#include <vector>

#include "dui/controls/button.h"
#include "dui/core/panel.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/counted_button.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::CountedButton;
using testing::TestPlatform;
using testing::TestPlatformState;

class UiRuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto platform = std::make_unique<TestPlatform>(state_);
    platform_ = platform.get();
    ASSERT_TRUE(Initialize(u"zelovcam", std::move(platform)));
    runtime_ = UiRuntime::Instance();
    ASSERT_NE(runtime_, nullptr);
  }
  void TearDown() override { Shutdown(); }

  TestPlatformState state_;
  TestPlatform* platform_ = nullptr;
  UiRuntime* runtime_ = nullptr;
};

TEST_F(UiRuntimeTest, SecondInitializeIsRefusedAndShutdownClearsTheInstance) {
  TestPlatformState other;
  EXPECT_FALSE(Initialize(u"again", std::make_unique<TestPlatform>(other)));
  EXPECT_EQ(UiRuntime::Instance(), runtime_);
  EXPECT_EQ(runtime_->application_name(), u"zelovcam");
  EXPECT_EQ(state_.started, 1);
  Shutdown();
  EXPECT_EQ(UiRuntime::Instance(), nullptr);
  EXPECT_EQ(state_.stopped, 1);
  EXPECT_EQ(state_.unregistered_classes, (std::vector<std::u16string>{u"zelovcam_Dispatcher"}));
  Shutdown();  // twice is harmless
}

TEST(UiRuntimeStart, PlatformThatCannotStartLeavesNoRuntime) {
  TestPlatformState state;
  EXPECT_FALSE(Initialize(u"x", std::make_unique<TestPlatform>(state, false)));
  EXPECT_EQ(UiRuntime::Instance(), nullptr);
  EXPECT_TRUE(Initialize(u"x", std::make_unique<TestPlatform>(state)));
  Shutdown();
}

TEST_F(UiRuntimeTest, PostEventRaisesOnTheUiThreadLater) {
  CountedButton b(EventKind::Click);
  EXPECT_TRUE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 1}));
  EXPECT_EQ(b.counter.count, 0);
  EXPECT_EQ(platform_->RunPending(), 1);
  EXPECT_EQ(b.counter.count, 1);
  EXPECT_EQ(b.counter.arrived_handled, 0) << "a posted event arrives unhandled";
}

TEST_F(UiRuntimeTest, PostedEventToADetachedControlRaisesNothingAndIsFreed) {
  CountedButton b(EventKind::Click);
  EXPECT_TRUE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
  std::unique_ptr<Control> removed = b.root->RemoveChild(b.button);
  EXPECT_EQ(platform_->RunPending(), 1);
  EXPECT_EQ(b.counter.count, 0);
  // Destroyed before the post runs: still nothing, and no use of the freed control.
  b.root->AddChild(std::move(removed));
  EXPECT_TRUE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
  b.root->Detach();
  b.root.reset();
  EXPECT_EQ(platform_->RunPending(), 1);
  EXPECT_EQ(b.counter.count, 0);
}

TEST_F(UiRuntimeTest, PostsFromOtherThreadsAllArrive) {
  CountedButton b(EventKind::Notify);
  std::atomic<int> posted{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 250; ++i)
        if (b.button->PostEvent({EventKind::Notify, Routing::Direct, i, 0, 0})) ++posted;
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(posted.load(), 1000);
  EXPECT_EQ(platform_->RunPending(), 1000);
  EXPECT_EQ(b.counter.count, 1000);
  EXPECT_EQ(b.counter.arrived_handled, 0);
}

TEST_F(UiRuntimeTest, ShutdownRunsPendingPostsAndLaterPostsAreRefused) {
  CountedButton b(EventKind::Click);
  EXPECT_TRUE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
  Shutdown();
  EXPECT_EQ(b.counter.count, 1);
  EXPECT_EQ(b.counter.arrived_handled, 0);
  EXPECT_FALSE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
  EXPECT_FALSE(PostToUiThread([](Control*, EventArgs*) {}, b.button, nullptr));
}

TEST_F(UiRuntimeTest, SkinAndLayoutPacksComeThroughTheOpener) {
  std::vector<std::u16string> opened;
  runtime_->SetPackOpener([&](const std::u16string& path) -> std::unique_ptr<FileSource> {
    opened.push_back(path);
    if (path == u"missing.zeloz") return nullptr;
    auto pack = std::make_unique<MemoryFileSource>();
    pack->Put(u"font.xml", R"(<F><Font name="Default" size="12"/></F>)");
    pack->Put(u"main.xml", R"(<Window><Button/></Window>)");
    pack->Put(u"b.xml", R"(<S><Style c="Button"><A/></Style></S>)");
    return pack;
  });
  EXPECT_TRUE(runtime_->LoadSkinPack(u"resource\\style_pro.zeloz"));
  EXPECT_NE(runtime_->GetFont(u"Default"), nullptr);
  EXPECT_NE(runtime_->GetStyle(u"b.xml"), nullptr);
  runtime_->OpenLayoutPack(u"resource\\frame_pro.zeloz");
  EXPECT_EQ(state_.layout_pack_failures, 0);
  EXPECT_TRUE(runtime_->LoadLayout(u"main.xml"));
  EXPECT_FALSE(runtime_->LoadLayout(u"absent.xml"));

  EXPECT_FALSE(runtime_->LoadSkinPack(u"missing.zeloz"));
  EXPECT_EQ(runtime_->GetFont(u"Default"), nullptr) << "fonts of the old pack are gone";
  EXPECT_EQ(runtime_->GetStyle(u"b.xml"), nullptr);
  runtime_->OpenLayoutPack(u"missing.zeloz");
  EXPECT_EQ(state_.layout_pack_failures, 1);
  EXPECT_EQ(opened.size(), 4u);
}

TEST_F(UiRuntimeTest, ApplicationCreatorsApplyToLayoutsLoadedAfterwards) {
  class Special : public Button {};
  auto pack = std::make_unique<MemoryFileSource>();
  pack->Put(u"main.xml", R"(<Window><Button/></Window>)");
  runtime_->SetLayoutSource(std::move(pack));
  auto before = runtime_->LoadLayout(u"main.xml");
  runtime_->RegisterControlCreator(u"Button", MakeControlCreator<Special>());
  auto after = runtime_->LoadLayout(u"main.xml");
  EXPECT_EQ(typeid(*static_cast<Panel*>(before.get())->first_child()), typeid(Button));
  EXPECT_EQ(typeid(*static_cast<Panel*>(after.get())->first_child()), typeid(Special));
}

}  // namespace
}  // namespace vcam::dui
