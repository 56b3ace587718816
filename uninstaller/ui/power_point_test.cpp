// The PowerPoint control: images from "imagelist", its ticker, and what it
// paints before, during and after a cross-fade.
#include "uninstaller/ui/power_point.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/memory_texture.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"
#include "dui/testing/test_window.h"

namespace vcam::uninstaller {
namespace {

using dui::testing::RecordingPainter;

struct TickerLog {
  std::vector<std::string> calls;
};

class LoggingTicker : public PowerPoint::Ticker {
 public:
  explicit LoggingTicker(TickerLog& log) : log_(log) {}
  void Start(std::uint32_t interval_ms) override { log_.calls.push_back("start " + std::to_string(interval_ms)); }
  void Stop() override { log_.calls.push_back("stop"); }

 private:
  TickerLog& log_;
};

class PowerPointTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dui::Initialize(u"power_point", std::make_unique<dui::testing::TestPlatform>(platform_),
                                dui::UiProfile::Uninstaller()));
    put_image(u"one.png", 4, 2, 200);
    put_image(u"two.png", 4, 2, 100);
    put_image(u"small.png", 2, 2, 50);
  }
  void TearDown() override {
    show_.reset();
    dui::Shutdown();
  }
  void put_image(const std::u16string& name, int w, int h, std::uint8_t value) {
    auto t = std::make_unique<dui::MemoryTexture>(w, h);
    std::memset(t->pixels(), value, static_cast<std::size_t>(w) * h * 4);
    dui::UiRuntime::Instance()->skins()->PutImage(name, std::move(t));
  }
  PowerPoint& make(const char16_t* list) {
    show_ = std::make_unique<PowerPoint>([this](PowerPoint&) { return std::make_unique<LoggingTicker>(ticker_); });
    if (list) show_->SetString(dui::attr::imagelist, list);
    show_->Attach(&window_);
    return *show_;
  }
  std::vector<std::string> paint() {
    RecordingPainter painter;
    show_->Paint(painter, {10, 20, 110, 70}, {10, 20, 110, 70});
    return painter.log;
  }

  dui::testing::TestPlatformState platform_;
  dui::testing::TestWindow window_;
  TickerLog ticker_;
  std::unique_ptr<PowerPoint> show_;
};

TEST_F(PowerPointTest, AnEmptyOrMissingImageListPaintsNothing) {
  for (const char16_t* list : {static_cast<const char16_t*>(nullptr), u"", u";;", u"missing.png"}) {
    PowerPoint& p = make(list);
    EXPECT_EQ(p.image_count(), 0u);
    p.PlayStart();
    for (int i = 0; i < 200; ++i) p.Tick();
    EXPECT_TRUE(paint().empty());
    show_->Detach();
  }
}

TEST_F(PowerPointTest, ImagesOfAnotherSizeThanTheFirstAreLeftOut) {
  PowerPoint& p = make(u"one.png;small.png;missing.png;two.png");
  EXPECT_EQ(p.image_count(), 2u);
  EXPECT_EQ(p.show().count(), 2u);
  show_->Detach();
}

TEST_F(PowerPointTest, StartedItShowsTheFirstImageAtItsNaturalSizeThenFadesInTheSecond) {
  PowerPoint& p = make(u"one.png;two.png");
  EXPECT_EQ(paint(), (std::vector<std::string>{"image 4x2 10,20,14,22 <- 0,0,4,2"})) << "stopped: the current image";
  p.PlayStart();
  p.PlayStart();
  EXPECT_EQ(ticker_.calls, (std::vector<std::string>{"start 30"})) << "once, at 30 ms";
  for (int i = 0; i < 101; ++i) p.Tick();
  ASSERT_EQ(p.show().index(), 1u);
  for (int i = 0; i < 20; ++i) p.Tick();  // counter 20: the weight is 128
  RecordingPainter painter;
  p.Paint(painter, {10, 20, 110, 70}, {10, 20, 110, 70});
  ASSERT_EQ(painter.log.size(), 1u);
  EXPECT_EQ(painter.log[0], "image 4x2 10,20,14,22 <- 0,0,4,2");
  for (int i = 0; i < 20; ++i) p.Tick();
  p.PlayStop();
  EXPECT_EQ(ticker_.calls.back(), "stop");
  show_->Detach();
}

TEST_F(PowerPointTest, TheFadeFrameBlendsThePreviousAndTheCurrentImage) {
  // A painter that keeps the bytes of what it was asked to draw.
  class KeepingPainter : public RecordingPainter {
   public:
    void DrawImage(const dui::Texture& t, const dui::Rect& dst, const dui::Rect& src) override {
      RecordingPainter::DrawImage(t, dst, src);
      first_byte = reinterpret_cast<const std::uint8_t*>(t.pixels())[0];
      last_byte = reinterpret_cast<const std::uint8_t*>(t.pixels())[t.width() * t.height() * 4 - 1];
    }
    int first_byte = -1, last_byte = -1;
  };
  PowerPoint& p = make(u"one.png;two.png");
  p.PlayStart();
  for (int i = 0; i < 101 + 20; ++i) p.Tick();
  KeepingPainter painter;
  p.Paint(painter, {0, 0, 4, 2}, {0, 0, 4, 2});
  // (200 x 128 + 100 x 128) / 256
  EXPECT_EQ(painter.first_byte, 150);
  EXPECT_EQ(painter.last_byte, 150);
  for (int i = 0; i < 20; ++i) p.Tick();
  p.Paint(painter, {0, 0, 4, 2}, {0, 0, 4, 2});
  EXPECT_EQ(painter.first_byte, 100) << "the fade is over: the second image itself";
  show_->Detach();
}

}  // namespace
}  // namespace vcam::uninstaller
