#pragma once
// The window host: shows one control tree in a top-level Win32 window. It
// sizes the window from the layout, paints the tree through a back buffer (or
// as a per-pixel-alpha layered window), turns mouse, keyboard and focus
// messages into routed events with hover, capture and focus tracking, shows
// tooltips, blinks the text caret and runs modal loops.
//
// Applications derive their windows from it, override WindowProc for the
// messages they want and pass the rest on. Objects are made with new; the
// window deletes its object (and its tree) when it is destroyed.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dui/core/control.h"
#include "dui/core/control_host.h"
#include "dui/win/back_buffer.h"
#include "dui/win/drop_target.h"
#include "dui/win/timer.h"
#include "dui/win/window_base.h"
#include "dui/window/dirty_rect_list.h"
#include "dui/window/drop_routing.h"
#include "dui/window/hover_chain.h"

namespace vcam::dui {

class WindowImpl : public WindowBase, public CDropTarget, public ControlHost {
 public:
  WindowImpl();
  ~WindowImpl() override;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // The tree to show; set before Create (or while handling WM_CREATE before
  // passing it on). The window owns it.
  void SetRoot(std::unique_ptr<Control> root);
  Control* root() const { return root_.get(); }

  // Creates the window of the framework class; the size normally comes from
  // the layout (pass a zero rectangle). False when no window was made.
  bool Create(DWORD ex_style, DWORD style, int x, int y, int width, int height, HWND parent);

  // Centres and shows the window and runs messages until EndDialog: the
  // result, hiding the window; 0 when the window went away or WM_QUIT came
  // (the window is then destroyed and WM_QUIT posted again for the outer loop).
  // After 0 the object may be gone.
  std::int32_t ShowDialog();
  void CenterScreen();

  // Layered mode: chosen before Create.
  void set_layered(bool layered) { layered_ = layered; }
  void set_constant_alpha(BYTE alpha) { constant_alpha_ = alpha; }
  void set_per_pixel_alpha(bool on) { per_pixel_alpha_ = on; }
  void AddDirtyRect(const Rect& r);
  void FlushLayered();
  const DirtyRectList& dirty_rects() const { return dirty_; }

  void ShowTooltip(std::u16string_view text);
  void HideTooltip();
  HWND tooltip_window() const { return tooltip_; }
  const std::u16string& tooltip_text() const { return tooltip_text_; }

  // ControlHost.
  void ControlRemoved(Control* control) override;
  void Invalidate(Control* control, bool synchronous) override;
  Point CursorPosition() override;
  void SetFocusedControl(Control* control) override;
  void CaptureControl(Control* control) override;
  void ReleaseControlCapture() override;
  void* NativeHandle() const override { return hwnd_; }
  bool IsLayered() const override { return layered_; }
  void ShowCaretAt(std::int32_t x, std::int32_t y) override;
  void HideCaret() override;
  void SetCaretSize(std::int32_t width, std::int32_t height) override;
  void PostMouseMoveAtCursor() override;
  Point ClientToScreen(Point client) override;
  void EndDialog(std::int32_t result) override;

  // Interaction state.
  Control* focused_control() const { return focused_; }
  Control* last_focused_control() const { return last_focused_; }
  Control* captured_control() const { return captured_; }
  Control* hovered_control() const { return hovered_; }
  const HoverChain& hover_chain() const { return hover_; }
  Rect caret_rect() const {
    return {caret_at_.x, caret_at_.y, caret_at_.x + caret_size_.cx, caret_at_.y + caret_size_.cy};
  }
  bool caret_shown() const { return caret_shown_; }
  bool caret_blinking() const { return caret_timer_.running(); }
  const BackBuffer& back_buffer() const { return buffer_; }
  HRGN round_corner_region() const { return region_; }

 protected:
  // The caret blink timer: toggles the caret at every tick.
  class WindowTimer : public Timer {
   public:
    explicit WindowTimer(WindowImpl& window) : window_(window) {}
    void OnTimer() override;

   private:
    WindowImpl& window_;
  };

  // CDropTarget steps.
  void OnDragEnter(POINTL cursor, DWORD* effect) override;
  void OnDragOver(POINTL cursor, DWORD* effect) override;
  void OnDragLeave() override;
  void OnDrop(POINTL cursor, DWORD* effect) override;
  HWND DropWindow() const override { return hwnd_; }

 private:
  static LRESULT CALLBACK CreationHook(int code, WPARAM wparam, LPARAM lparam);

  LRESULT OnCreate();
  void OnDestroy();
  void OnSize();
  void OnPaint();
  LRESULT OnPrintClient(HDC dc, LPARAM flags);
  LRESULT OnSetCursor(WPARAM wparam, LPARAM lparam);
  LRESULT OnNotify(LPARAM lparam);
  LRESULT OnSysCommand(WPARAM wparam, LPARAM lparam);
  void OnCaptureChanged();
  void OnKillFocus();
  void OnKey(UINT message, WPARAM wparam, LPARAM lparam);
  void OnImeStartComposition();

  // Mouse routing.
  void OnMouseMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnLButtonDown(WPARAM wparam, LPARAM lparam);
  void OnLButtonUp(WPARAM wparam, LPARAM lparam);
  void OnRButtonDown(WPARAM wparam, LPARAM lparam);
  void OnRButtonUp(WPARAM wparam, LPARAM lparam);
  void OnDoubleClick(UINT message, WPARAM wparam, LPARAM lparam);
  void OnMouseWheel(WPARAM wparam, LPARAM lparam);
  void OnMouseMove(WPARAM wparam, LPARAM lparam);
  void OnMouseHover(WPARAM wparam, LPARAM lparam);
  void OnMouseLeave();
  void TrackMouse();
  void FocusWindowFor(LPARAM lparam);
  // Moves hover to the chain of `leaf`: MouseLeave on the live controls that
  // left (outermost first), MouseEnter on those that entered.
  void ChangeHover(Control* leaf, WPARAM wparam, LPARAM lparam);

  Control* HitTest(Point client) const;
  Point CursorClient() const;
  // Invalidates when the control redraws on state changes.
  void Redraw(Control* c);
  // Paints the tree and the caret into the back buffer within `clip`.
  void PaintBuffer(const Rect& clip);
  void ApplyRoundCorner();
  void InvalidateCaret();
  void CaretTick();
  void RequestRepaint(bool synchronous);
  // This object still stands behind `hwnd` (a handler may have destroyed the window).
  bool StillAlive(HWND hwnd) const;

  std::unique_ptr<Control> root_;
  Control* captured_ = nullptr;
  Control* focused_ = nullptr;
  Control* last_focused_ = nullptr;
  Control* hovered_ = nullptr;
  HoverChain hover_;

  BackBuffer buffer_;

  HWND tooltip_ = nullptr;
  TOOLINFOW tool_{};
  std::u16string tooltip_text_;

  bool tracking_ = false;
  // Owned by the system once SetWindowRgn took it: kept to compare, never deleted here.
  HRGN region_ = nullptr;

  Point caret_at_;
  Size caret_size_;
  bool caret_shown_ = false;
  WindowTimer caret_timer_{*this};

  bool layered_ = false;
  BYTE constant_alpha_ = 255;
  bool per_pixel_alpha_ = true;
  DirtyRectList dirty_;

  bool moving_ = false;
  bool repaint_posted_ = false;  // a repaint request waits in the queue
  DropRouting drops_;
};

}  // namespace vcam::dui
