#pragma once
// A platform of the tests' own: posted calls wait in a queue until the test
// runs them; fonts are records the test can inspect.
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dui/runtime/ui_platform.h"

namespace vcam::dui::testing {

struct TestPlatformState {
  int started = 0;
  int stopped = 0;
  int layout_pack_failures = 0;
  int fonts_alive = 0;
  std::vector<std::u16string> unregistered_classes;
  struct SystemCommand {
    void* window;
    std::uint32_t command;
  };
  std::vector<SystemCommand> system_commands;
  // The clipboard: its text (none: holds no text); locked: cannot be opened.
  std::optional<std::u16string> clipboard;
  bool clipboard_locked = false;
  int clipboard_writes = 0;
  bool control_key = false;
  int text_cursor_shown = 0;
  std::vector<std::u16string> debug_messages;
};

class TestPlatform : public UiPlatform {
 public:
  // The state outlives the platform so that tests can look after Shutdown.
  explicit TestPlatform(TestPlatformState& state, bool start_succeeds = true)
      : state_(state), start_succeeds_(start_succeeds) {}
  ~TestPlatform() override;

  bool Start(UiRuntime& runtime) override;
  void Stop(UiRuntime& runtime) override;
  bool Post(PostedCall* call) override;
  FontHandle CreateSkinFont(const FontDefinition& font) override;
  void DeleteSkinFont(FontHandle font) override;
  void LayoutPackFailed() override { ++state_.layout_pack_failures; }
  // Fixed metrics: every character kTextCharWidth wide, lines FontHeight high.
  Size MeasureText(FontHandle font, std::u16string_view text, std::uint32_t format) override;
  std::int32_t FontHeight(FontHandle font) override;
  std::unique_ptr<Texture> CreateTexture(std::int32_t width, std::int32_t height) override;
  // Widths kTextCharWidth, the password dot kDotWidth, so that masking shows.
  std::unique_ptr<FontMeasurer> CreateFontMeasurer(FontHandle font) override;
  bool ReadClipboardText(void* owner, std::u16string& text) override;
  bool WriteClipboardText(void* owner, std::u16string_view text) override;
  bool ControlKeyDown() override { return state_.control_key; }
  void ShowTextCursor() override { ++state_.text_cursor_shown; }
  void SendSystemCommand(void* native_window, std::uint32_t command) override {
    state_.system_commands.push_back({native_window, command});
  }
  void DebugMessage(std::u16string_view text) override { state_.debug_messages.emplace_back(text); }

  // Runs the queued calls on the calling thread; returns how many ran.
  int RunPending();
  std::size_t pending() const;

 private:
  TestPlatformState& state_;
  bool start_succeeds_;
  bool accepting_ = false;
  mutable std::mutex mutex_;
  std::deque<PostedCall*> queue_;
};

inline constexpr std::int32_t kTextCharWidth = 7;
inline constexpr std::int32_t kDotWidth = 9;
// A null font is 16 pixels high; a defined one |height| + 3 (or 16 without height).
std::int32_t TestFontHeight(FontHandle font);

// The definition a TestPlatform font handle stands for.
const FontDefinition& FontOf(FontHandle font);

}  // namespace vcam::dui::testing
