#pragma once
// The start-up splash: a 450 x 260 picture (application folder +
// "resource\splash\default") with a status line in white along its bottom.
// At most one exists; it lives from the first show_text until hidden with
// destroy, and outlives the UI runtime (the client module drives it after
// the launcher has shut the toolkit down), so it needs nothing of the runtime.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/win/unique_handle.h"
#include "dui/skin/texture.h"
#include "dui/win/back_buffer.h"
#include "dui/win/window_base.h"

namespace vcam::launcher {

class SplashWindow : public dui::WindowBase {
 public:
  static constexpr int kWidth = 450;
  static constexpr int kHeight = 260;
  // The status line's box, colour and DrawText format (right, centred
  // vertically, one line).
  static constexpr RECT kStatusBox{0, 233, 446, 260};
  static constexpr COLORREF kStatusColour = 0xFFFFFF;
  static constexpr UINT kStatusFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

  // The splash, null when there is none.
  static SplashWindow* instance();
  // Creates and shows the splash when there is none, shows it when hidden,
  // and puts `text` on screen before returning.
  static void show_text(std::u16string_view text);
  // Hides the splash; `destroy` also destroys it. Nothing without a splash.
  static void hide(bool destroy);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  const std::u16string& text() const { return text_; }
  bool has_image() const { return image_ != nullptr; }
  // What the last paint left in the back buffer.
  const dui::BackBuffer& back_buffer() const { return buffer_; }

 private:
  // Loads the picture, builds the font and the back buffer; sets instance().
  SplashWindow();
  ~SplashWindow() override;
  // The window, centred; false (and the object deleted) when it could not be made.
  static SplashWindow* create();
  void paint();

  std::unique_ptr<dui::Texture> image_;
  UniqueGdiObject font_;
  dui::BackBuffer buffer_;
  std::u16string text_;
};

}  // namespace vcam::launcher
