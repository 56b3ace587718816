#pragma once
// The Windows side of the runtime: the dispatcher window that runs posted
// calls on the UI thread, fonts made from the default GUI font, and the fatal
// alert for a missing layout pack.
#include <windows.h>

#include <atomic>

#include "dui/runtime/ui_platform.h"
#include "dui/win/qpc_clock.h"

namespace vcam::dui {

class WinPlatform : public UiPlatform {
 public:
  WinPlatform() = default;
  ~WinPlatform() override;

  bool Start(UiRuntime& runtime) override;
  void Stop(UiRuntime& runtime) override;
  bool Post(PostedCall* call) override;
  FontHandle CreateSkinFont(const FontDefinition& font) override;
  void DeleteSkinFont(FontHandle font) override;
  [[noreturn]] void LayoutPackFailed() override;
  Size MeasureText(FontHandle font, std::u16string_view text, std::uint32_t format) override;
  std::int32_t FontHeight(FontHandle font) override;
  std::unique_ptr<Texture> CreateTexture(std::int32_t width, std::int32_t height) override;
  void SendSystemCommand(void* native_window, std::uint32_t command) override;
  PreciseClock& Clock() override { return clock_; }
  // The system browser (CLSID_WebBrowser); needs OLE initialised on the thread.
  std::unique_ptr<BrowserView> CreateBrowserView(void* native_window, BrowserEvents& events) override;
  std::unique_ptr<FontMeasurer> CreateFontMeasurer(FontHandle font) override;
  bool ReadClipboardText(void* owner, std::u16string& text) override;
  bool WriteClipboardText(void* owner, std::u16string_view text) override;
  bool ControlKeyDown() override { return ::GetKeyState(VK_CONTROL) < 0; }
  void ShowTextCursor() override { ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM)); }
  std::unique_ptr<RepeatClock> CreateScrollTimer(ScrollBar& bar) override;
  ComboPopup* CreateComboPopup(ComboBox& owner) override;
  void DebugMessage(std::u16string_view text) override;

  HWND dispatcher() const { return dispatcher_.load(); }

 private:
  // Read by posting threads under the runtime lock, written on the UI thread.
  std::atomic<HWND> dispatcher_{nullptr};
  UINT dispatch_message_ = WM_USER + 2;  // set by Start, before any post
  // Measuring DC, made on first use (UI thread).
  HDC measure_dc_ = nullptr;
  QpcClock clock_;
  HDC MeasureDc();
};

}  // namespace vcam::dui
