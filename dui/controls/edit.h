#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dui/controls/clipboard_keys.h"
#include "dui/controls/text/edit_text.h"
#include "dui/controls/text/text_line.h"
#include "dui/controls/text/visual_lines.h"
#include "dui/core/control.h"
#include "dui/runtime/font_measurer.h"

namespace vcam::dui {

// Element "Edit": a multi-line editor. Its text keeps CR LF line breaks and
// is shown wrapped to the control's width; the wheel scrolls it by lines
// while it has the focus.
class Edit : public Control, public ClipboardKeys {
 public:
  static constexpr std::int32_t kMargin = 5;

  Edit();
  ~Edit() override;

  // Replaces the whole text and wraps it again; caret and view at the start.
  void SetText(std::u16string_view text);
  std::u16string GetText() const { return text_.Text(); }
  void SetFont(FontHandle font);
  void Select(std::size_t anchor, std::size_t caret);

  const EditText& text() const { return text_; }
  const VisualLines& lines() const { return lines_; }
  const TextSelection& selection() const { return selection_; }
  std::size_t first_visible() const { return first_visible_; }
  std::int32_t line_height() const { return line_height_; }
  // Lines that fit the inner height wholly (at least one).
  std::size_t PageLines() const;

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;

 private:
  static void OnAttached(void* context, Control* sender, EventArgs& args);
  static void OnLButtonDown(void* context, Control* sender, EventArgs& args);
  static void OnMouseMove(void* context, Control* sender, EventArgs& args);
  static void OnMouseWheel(void* context, Control* sender, EventArgs& args);
  static void OnKeyDown(void* context, Control* sender, EventArgs& args);
  static void OnKeyPress(void* context, Control* sender, EventArgs& args);
  static void OnGotFocus(void* context, Control* sender, EventArgs& args);
  static void OnLostFocus(void* context, Control* sender, EventArgs& args);
  static void OnSetCursor(void* context, Control* sender, EventArgs& args);

  void Rewrap();
  // Replaces the selection with `text` and re-wraps the lines it touched.
  void ReplaceSelection(std::u16string_view text);
  // x of `index` within its visual line, from the inner left edge.
  std::int32_t XOf(std::size_t index);
  // The character of `line` nearest to x (from the inner left edge).
  std::size_t IndexAt(std::size_t line, std::int32_t x);
  std::size_t PointIndex(Point p);
  void MoveToLine(std::size_t line, bool keep_anchor);
  void ScrollCaretIntoView();
  void RefreshCaret();
  void* ClipboardOwner() override;
  TextSelection& EditedSelection() override { return selection_; }
  std::size_t EditedLength() const override { return text_.size(); }
  std::u16string SelectedText() const override;
  void EraseSelection() override;
  void InsertPasted(std::u16string text) override;
  void Changed();

  EditText text_;
  VisualLines lines_;
  TextSelection selection_;
  std::unique_ptr<FontMeasurer> measurer_;
  std::int32_t margin_left_ = kMargin;
  std::int32_t margin_top_ = kMargin;
  std::int32_t line_height_ = 0;
  std::int32_t average_width_ = 0;
  std::size_t first_visible_ = 0;
  std::int32_t preferred_x_ = 0;
  std::int32_t wrap_width_ = 0;
  bool enter_breaks_ = true;
};

}  // namespace vcam::dui
