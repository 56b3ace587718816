#include "dui/testing/test_platform.h"

#include "dui/runtime/ui_runtime.h"
#include "dui/skin/memory_texture.h"

namespace vcam::dui::testing {

TestPlatform::~TestPlatform() {
  for (PostedCall* call : queue_) delete call;
}

bool TestPlatform::Start(UiRuntime& runtime) {
  ++state_.started;
  if (!start_succeeds_) return false;
  runtime.window_classes().push_back(runtime.application_name() + u"_Dispatcher");
  accepting_ = true;
  return true;
}

void TestPlatform::Stop(UiRuntime& runtime) {
  ++state_.stopped;
  RunPending();
  {
    std::lock_guard lock(mutex_);
    accepting_ = false;
  }
  for (const auto& name : runtime.window_classes()) state_.unregistered_classes.push_back(name);
  runtime.window_classes().clear();
}

bool TestPlatform::Post(PostedCall* call) {
  std::lock_guard lock(mutex_);
  if (!accepting_) return false;
  queue_.push_back(call);
  return true;
}

int TestPlatform::RunPending() {
  int n = 0;
  for (;;) {
    PostedCall* call = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return n;
      call = queue_.front();
      queue_.pop_front();
    }
    RunPostedCall(call);
    ++n;
  }
}

std::size_t TestPlatform::pending() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

FontHandle TestPlatform::CreateSkinFont(const FontDefinition& font) {
  ++state_.fonts_alive;
  return new FontDefinition(font);
}

void TestPlatform::DeleteSkinFont(FontHandle font) {
  --state_.fonts_alive;
  delete static_cast<FontDefinition*>(font);
}

Size TestPlatform::MeasureText(FontHandle font, std::u16string_view text, std::uint32_t) {
  return {static_cast<std::int32_t>(text.size()) * kTextCharWidth, TestFontHeight(font)};
}

std::int32_t TestPlatform::FontHeight(FontHandle font) { return TestFontHeight(font); }

std::unique_ptr<Texture> TestPlatform::CreateTexture(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return nullptr;
  return std::make_unique<MemoryTexture>(width, height);
}

namespace {

class TestMeasurer : public FontMeasurer {
 public:
  explicit TestMeasurer(FontHandle font) : font_(font) {}
  FontHandle font() const override { return font_; }
  std::int32_t LineHeight() const override { return TestFontHeight(font_); }
  std::int32_t AverageWidth() const override { return kTextCharWidth; }

 protected:
  std::int32_t MeasureChar(char16_t c) override { return c == kPasswordDot ? kDotWidth : kTextCharWidth; }

 private:
  FontHandle font_;
};

}  // namespace

std::unique_ptr<FontMeasurer> TestPlatform::CreateFontMeasurer(FontHandle font) {
  return std::make_unique<TestMeasurer>(font);
}

bool TestPlatform::ReadClipboardText(void*, std::u16string& text) {
  if (state_.clipboard_locked || !state_.clipboard) return false;
  text = *state_.clipboard;
  return true;
}

bool TestPlatform::WriteClipboardText(void*, std::u16string_view text) {
  if (state_.clipboard_locked) return false;
  ++state_.clipboard_writes;
  state_.clipboard = std::u16string(text);
  return true;
}

std::int32_t TestFontHeight(FontHandle font) {
  if (!font || !FontOf(font).height) return 16;
  const std::int32_t h = *FontOf(font).height;
  return (h < 0 ? -h : h) + 3;
}

const FontDefinition& FontOf(FontHandle font) { return *static_cast<const FontDefinition*>(font); }

}  // namespace vcam::dui::testing
