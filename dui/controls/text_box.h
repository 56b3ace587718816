#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dui/controls/clipboard_keys.h"
#include "dui/controls/text/text_line.h"
#include "dui/core/control.h"
#include "dui/runtime/font_measurer.h"

namespace vcam::dui {

// Element "TextBox": a single-line field of at most 2000 characters, scrolled
// horizontally to keep the caret in view. With Checked set when its font is
// applied it shows and measures every character as a dot (a password field).
class TextBox : public Control, public ClipboardKeys {
 public:
  static constexpr std::uint32_t kSelectionColour = 0xFF9933;
  static constexpr std::uint32_t kTextColour = 0x666666;
  static constexpr std::uint32_t kSelectedTextColour = 0xFFFFFF;

  TextBox();
  ~TextBox() override;

  // Replaces the text (keeping at most the first 1999 characters) with the
  // caret at its end; false when the text had to be cut.
  bool SetText(std::u16string_view text);
  const std::u16string& GetText() const { return line_.text(); }
  // Takes a measuring copy of `font` and the password flag from Checked.
  void SetFont(FontHandle font);
  void Select(std::size_t anchor, std::size_t caret);

  bool password() const { return password_; }
  const TextSelection& selection() const { return selection_; }
  std::int32_t scroll_offset() const { return scroll_; }
  std::int32_t line_height() const { return line_height_; }
  std::int32_t margin() const { return margin_x_; }

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;

 private:
  static void OnAttached(void* context, Control* sender, EventArgs& args);
  static void OnLButtonDown(void* context, Control* sender, EventArgs& args);
  static void OnMouseMove(void* context, Control* sender, EventArgs& args);
  static void OnKeyDown(void* context, Control* sender, EventArgs& args);
  static void OnKeyPress(void* context, Control* sender, EventArgs& args);
  static void OnGotFocus(void* context, Control* sender, EventArgs& args);
  static void OnLostFocus(void* context, Control* sender, EventArgs& args);
  static void OnSetCursor(void* context, Control* sender, EventArgs& args);
  static void OnDoubleClick(void* context, Control* sender, EventArgs& args);

  std::int32_t WidthOf(std::size_t n);
  std::int32_t InnerWidth() const;
  std::size_t HitAt(std::int32_t x);
  // Scrolls the caret into view, repaints, and moves or hides the window caret.
  void RefreshCaret();
  std::size_t InsertAtCaret(std::u16string_view text);
  void DeleteSelection();
  void* ClipboardOwner() override;
  TextSelection& EditedSelection() override { return selection_; }
  std::size_t EditedLength() const override { return line_.size(); }
  std::u16string SelectedText() const override;
  void EraseSelection() override;
  void InsertPasted(std::u16string text) override;
  void Changed();

  TextLine line_;
  TextSelection selection_;
  std::unique_ptr<FontMeasurer> measurer_;
  bool password_ = false;
  std::int32_t margin_x_ = 0;
  std::int32_t margin_y_ = 0;
  std::int32_t scroll_ = 0;
  std::int32_t line_height_ = 0;
  std::int32_t arranged_height_ = 0;
};

}  // namespace vcam::dui
