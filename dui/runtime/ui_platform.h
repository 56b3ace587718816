#pragma once
// What the runtime needs from the platform: the dispatcher window that runs
// posted calls on the UI thread, fonts, and the fatal alert. Windows supplies
// it (dui/win); tests supply their own.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dui/controls/repeat_clock.h"
#include "dui/core/painter.h"
#include "dui/runtime/browser_view.h"
#include "dui/runtime/precise_clock.h"
#include "dui/runtime/font_measurer.h"
#include "dui/skin/font_definition.h"

namespace vcam::dui {

class ComboBox;
class ComboPopup;
class Control;
class ScrollBar;
class UiRuntime;
struct EventArgs;

// A call posted to the UI thread: function(target, args), then the record is freed.
struct PostedCall {
  Control* target;
  void (*function)(Control* target, EventArgs* args);
  EventArgs* args;
};
// Runs and frees a posted call (the dispatcher calls it on the UI thread).
void RunPostedCall(PostedCall* call);

class UiPlatform {
 public:
  virtual ~UiPlatform() = default;

  // Creates the dispatcher (and registers its window class in the runtime's
  // class list). False when it cannot.
  virtual bool Start(UiRuntime& runtime) = 0;
  // Runs the calls still pending, destroys the dispatcher and unregisters every
  // window class in the runtime's list.
  virtual void Stop(UiRuntime& runtime) = 0;
  // Queues the call for the UI thread; called with the runtime lock held from
  // any thread. False when it was not queued (the caller frees it).
  virtual bool Post(PostedCall* call) = 0;

  virtual FontHandle CreateSkinFont(const FontDefinition& font) = 0;
  virtual void DeleteSkinFont(FontHandle font) = 0;
  // Text measured outside painting (a label's desired size): the DrawText
  // extent with `format` | CalcRect, and the font's ascent + descent. A null
  // font is the system's default GUI font.
  virtual Size MeasureText(FontHandle font, std::u16string_view text, std::uint32_t format) = 0;
  virtual std::int32_t FontHeight(FontHandle font) = 0;
  // A texture of width x height pixels, all zero; null when it cannot be made.
  virtual std::unique_ptr<Texture> CreateTexture(std::int32_t width, std::int32_t height) = 0;
  // Sends a system command to a window (Windows: WM_SYSCOMMAND with lParam 0,
  // synchronously, so a move command returns when the move loop ends).
  virtual void SendSystemCommand(void* native_window, std::uint32_t command) = 0;

  // The text controls' measuring copy of `font`. The default measures each
  // character through MeasureText.
  virtual std::unique_ptr<FontMeasurer> CreateFontMeasurer(FontHandle font);
  // The clipboard's text (CF_UNICODETEXT where it offers text). False, with
  // `text` untouched, when it cannot be opened or holds no text.
  virtual bool ReadClipboardText(void* /*owner*/, std::u16string& /*text*/) { return false; }
  // Replaces the clipboard's content with `text`; false when it cannot.
  virtual bool WriteClipboardText(void* /*owner*/, std::u16string_view /*text*/) { return false; }
  // The Ctrl key is held (shortcuts of the text controls).
  virtual bool ControlKeyDown() { return false; }
  // Shows the text-selection (I-beam) mouse cursor.
  virtual void ShowTextCursor() {}
  // The scroll bar's auto-repeat clock, ticking ScrollBar::OnRepeat every
  // 150 ms while started; null where the platform has none (the bar then
  // acts on the press only).
  virtual std::unique_ptr<RepeatClock> CreateScrollTimer(ScrollBar& bar);
  // The window a combo box drops its list into; null where there is none. The
  // popup belongs to its window and tells the combo box when it goes.
  virtual ComboPopup* CreateComboPopup(ComboBox& owner);
  // A line for the debugger (Windows: OutputDebugStringW).
  virtual void DebugMessage(std::u16string_view text);

  // The layout pack cannot be opened: tell the user and end the process.
  // (Returns only where the platform is a test's.)
  virtual void LayoutPackFailed() = 0;

  // The counter of short timed waits; the steady clock unless the platform has
  // a better one.
  virtual PreciseClock& Clock() { return steady_clock_; }

  // A web browser in the native window, reporting to `events` (which outlives
  // it); null where the platform has no browser or it cannot be made.
  virtual std::unique_ptr<BrowserView> CreateBrowserView(void* native_window, BrowserEvents& events) {
    (void)native_window;
    (void)events;
    return nullptr;
  }

 private:
  SteadyClock steady_clock_;
};

}  // namespace vcam::dui
