#include "dui/controls/edit.h"

#include <algorithm>

#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

namespace {

constexpr std::uint32_t kSelectionColour = 0xFF9933;
constexpr std::uint32_t kTextColour = 0x666666;
constexpr std::uint32_t kSelectedTextColour = 0xFFFFFF;
constexpr std::uint32_t kFormat = TextFormat::NoPrefix | TextFormat::SingleLine;
// Wheel delta per line: 3 lines a notch of 120.
constexpr std::int32_t kWheelPerLine = 40;

UiPlatform* Platform() {
  UiRuntime* runtime = UiRuntime::Instance();
  return runtime ? &runtime->platform() : nullptr;
}

Edit& Self(Control* sender) { return *static_cast<Edit*>(sender); }

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Widths of an editor made without a runtime: nothing is measured, but the
// line table still holds at least one line for the keys to work on.
class NoWidths : public CharWidths {
 public:
  std::int32_t Width(char16_t) override { return 0; }
};

CharWidths& WidthsOf(FontMeasurer* measurer) {
  static NoWidths none;
  return measurer ? static_cast<CharWidths&>(*measurer) : none;
}

}  // namespace

Edit::Edit() {
  SetFlag(ControlFlags::Focusable | ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true);
  AddHandler(EventKind::Attached, nullptr, &OnAttached);
  AddHandler(EventKind::LButtonDown, nullptr, &OnLButtonDown);
  AddHandler(EventKind::MouseMove, nullptr, &OnMouseMove);
  AddHandler(EventKind::MouseWheel, nullptr, &OnMouseWheel);
  AddHandler(EventKind::KeyDown, nullptr, &OnKeyDown);
  AddHandler(EventKind::KeyPress, nullptr, &OnKeyPress);
  AddHandler(EventKind::GotFocus, nullptr, &OnGotFocus);
  AddHandler(EventKind::LostFocus, nullptr, &OnLostFocus);
  AddHandler(EventKind::SetCursor, nullptr, &OnSetCursor);
  if (UiRuntime* runtime = UiRuntime::Instance()) SetFont(runtime->GetFont(u"Default"));
  Rewrap();
}

Edit::~Edit() = default;

void Edit::SetFont(FontHandle font) {
  UiPlatform* platform = Platform();
  if (!platform) return;
  measurer_ = platform->CreateFontMeasurer(font);
  line_height_ = measurer_ ? measurer_->LineHeight() : 0;
  average_width_ = measurer_ ? measurer_->AverageWidth() : 0;
  Rewrap();
}

void Edit::Rewrap() {
  lines_.Wrap(text_, WidthsOf(measurer_.get()), wrap_width_ - 2 * margin_left_);
  first_visible_ = std::min(first_visible_, lines_.count() - 1);
}

void Edit::SetText(std::u16string_view text) {
  text_.Assign(text);
  selection_.Collapse(0);
  first_visible_ = 0;
  preferred_x_ = 0;
  Rewrap();
  Changed();
  RefreshCaret();
}

void Edit::Select(std::size_t anchor, std::size_t caret) {
  selection_.anchor = std::min(anchor, text_.size());
  selection_.caret = std::min(caret, text_.size());
  RefreshCaret();
}

void Edit::Changed() {
  EventArgs changed{EventKind::ValueChange, Routing::Direct, 0, 0, 0};
  RaiseEvent(changed);
}

std::size_t Edit::PageLines() const {
  if (line_height_ <= 0) return 1;
  const std::int32_t n = (rect().height() - margin_top_) / line_height_;
  return n > 1 ? static_cast<std::size_t>(n) : 1;
}

std::int32_t Edit::XOf(std::size_t index) {
  if (!measurer_) return 0;
  const VisualLine& line = lines_[lines_.LineOf(index)];
  const std::size_t end = std::min<std::size_t>(index, line.end);
  std::int32_t x = 0;
  for (EditText::Reader r(text_, line.start); r.position() < end; r.Advance()) x += EditCharWidth(*measurer_, r.Peek());
  return x;
}

std::size_t Edit::IndexAt(std::size_t line_index, std::int32_t x) {
  const VisualLine& line = lines_[line_index];
  if (!measurer_) return line.start;
  // As in the text box: a character's right half belongs to the gap after it.
  std::int32_t right = 0;
  for (EditText::Reader r(text_, line.start); r.position() < line.end; r.Advance()) {
    const std::int32_t w = EditCharWidth(*measurer_, r.Peek());
    right += w;
    if (right >= x) return right - w / 2 < x ? r.position() + 1 : r.position();
  }
  return line.end;
}

std::size_t Edit::PointIndex(Point p) {
  std::int64_t line = static_cast<std::int64_t>(first_visible_);
  if (line_height_ > 0) {
    const std::int32_t y = p.y - margin_top_;
    line += (y < 0 ? y - line_height_ + 1 : y) / line_height_;
  }
  line = std::clamp<std::int64_t>(line, 0, static_cast<std::int64_t>(lines_.count()) - 1);
  return IndexAt(static_cast<std::size_t>(line), p.x - margin_left_);
}

void Edit::MoveToLine(std::size_t line, bool keep_anchor) {
  selection_.caret = IndexAt(line, preferred_x_);
  if (!keep_anchor) selection_.anchor = selection_.caret;
}

void Edit::ScrollCaretIntoView() {
  const std::size_t line = lines_.LineOf(selection_.caret);
  const std::size_t page = PageLines();
  if (line < first_visible_) first_visible_ = line;
  if (line >= first_visible_ + page) first_visible_ = line - page + 1;
}

void Edit::RefreshCaret() {
  Invalidate(false);
  ControlHost* host = window();
  if (!host || !HasFlag(ControlFlags::Focused)) return;
  const std::size_t line = lines_.LineOf(selection_.caret);
  if (!selection_.empty() || line < first_visible_ || line >= first_visible_ + PageLines()) {
    host->HideCaret();
    return;
  }
  const Rect r = GetWindowRect();
  const std::int32_t y = r.top + margin_top_ + static_cast<std::int32_t>(line - first_visible_) * line_height_;
  host->ShowCaretAt(r.left + margin_left_ + XOf(selection_.caret), y);
}

void Edit::ReplaceSelection(std::u16string_view text) {
  const std::size_t from = selection_.min();
  const std::size_t removed = selection_.max() - from;
  if (removed == 0 && text.empty()) return;
  text_.Erase(from, from + removed);
  text_.Insert(from, text);
  lines_.Update(text_, WidthsOf(measurer_.get()), from, removed, text.size());
  first_visible_ = std::min(first_visible_, lines_.count() - 1);
  selection_.Collapse(from + text.size());
  preferred_x_ = XOf(selection_.caret);
  Changed();
}

void* Edit::ClipboardOwner() { return window() ? window()->NativeHandle() : nullptr; }

std::u16string Edit::SelectedText() const { return text_.Copy(selection_.min(), selection_.max()); }

void Edit::EraseSelection() { ReplaceSelection({}); }

// Line breaks and tabs are the editor's own text: pasted as they come.
void Edit::InsertPasted(std::u16string text) { ReplaceSelection(text); }

void Edit::OnAttached(void*, Control* sender, EventArgs&) {
  Edit& edit = Self(sender);
  edit.margin_left_ = edit.margin_top_ = kMargin;
  edit.wrap_width_ = edit.rect().width();
  if (UiRuntime* runtime = UiRuntime::Instance()) edit.SetFont(runtime->GetFont(u"Default"));
  if (const std::u16string* text = edit.FindString(attr::text)) edit.SetText(*text);
}

void Edit::OnLButtonDown(void*, Control* sender, EventArgs&) {
  Edit& edit = Self(sender);
  edit.selection_.Collapse(edit.PointIndex(edit.GetCursorPosition()));
  edit.preferred_x_ = edit.XOf(edit.selection_.caret);
  edit.RefreshCaret();
}

void Edit::OnMouseMove(void*, Control* sender, EventArgs&) {
  Edit& edit = Self(sender);
  if (!edit.HasFlag(ControlFlags::Pressed)) return;
  edit.selection_.caret = edit.PointIndex(edit.GetCursorPosition());
  edit.preferred_x_ = edit.XOf(edit.selection_.caret);
  edit.RefreshCaret();
}

void Edit::OnMouseWheel(void*, Control* sender, EventArgs& args) {
  Edit& edit = Self(sender);
  if (!edit.HasFlag(ControlFlags::Focused)) return;
  const auto delta = static_cast<std::int16_t>((static_cast<std::uintptr_t>(args.param1) >> 16) & 0xFFFF);
  const std::int64_t first = static_cast<std::int64_t>(edit.first_visible_) - delta / kWheelPerLine;
  edit.first_visible_ =
      static_cast<std::size_t>(std::clamp<std::int64_t>(first, 0, static_cast<std::int64_t>(edit.lines_.count()) - 1));
  edit.RefreshCaret();
  args.handled = 1;
}

void Edit::OnKeyDown(void*, Control* sender, EventArgs& args) {
  Edit& edit = Self(sender);
  TextSelection& sel = edit.selection_;
  const std::size_t count = edit.lines_.count();
  const std::size_t line = edit.lines_.LineOf(sel.caret);
  args.handled = 1;
  switch (args.param1) {
    case 8:  // Backspace
      if (sel.empty()) {
        if (sel.caret == 0) return;
        const bool pair = sel.caret >= 2 && edit.text_.At(sel.caret - 2) == u'\r' && edit.text_.At(sel.caret - 1) == u'\n';
        sel.anchor = sel.caret - (pair ? 2 : 1);
      }
      edit.ReplaceSelection({});
      edit.ScrollCaretIntoView();
      break;
    case 33:  // Page Up
    case 34: {
      const std::size_t page = edit.PageLines();
      if (args.param1 == 33) {
        edit.first_visible_ = edit.first_visible_ > page ? edit.first_visible_ - page : 0;
        edit.MoveToLine(line > page ? line - page : 0, false);
      } else {
        edit.first_visible_ = std::min(edit.first_visible_ + page, count - 1);
        edit.MoveToLine(std::min(line + page, count - 1), false);
      }
      break;
    }
    case 35:  // End
      edit.first_visible_ = count - 1;
      sel.Collapse(edit.text_.size());
      edit.preferred_x_ = edit.XOf(sel.caret);
      break;
    case 36:  // Home
      edit.first_visible_ = 0;
      sel.Collapse(0);
      edit.preferred_x_ = 0;
      break;
    case 27:  // Escape
      sel.anchor = sel.caret;
      break;
    case 37:
      if (sel.caret > 0) {
        const bool pair =
            sel.caret >= 2 && edit.text_.At(sel.caret - 2) == u'\r' && edit.text_.At(sel.caret - 1) == u'\n';
        sel.Collapse(sel.caret - (pair ? 2 : 1));
      }
      edit.preferred_x_ = edit.XOf(sel.caret);
      edit.ScrollCaretIntoView();
      break;
    case 39:
      if (sel.caret < edit.text_.size()) {
        const bool pair = sel.caret + 1 < edit.text_.size() && edit.text_.At(sel.caret) == u'\r' &&
                          edit.text_.At(sel.caret + 1) == u'\n';
        sel.Collapse(sel.caret + (pair ? 2 : 1));
      }
      edit.preferred_x_ = edit.XOf(sel.caret);
      edit.ScrollCaretIntoView();
      break;
    case 38:
      if (line > 0) edit.MoveToLine(line - 1, false);
      edit.ScrollCaretIntoView();
      break;
    case 40:
      if (line + 1 < count) edit.MoveToLine(line + 1, false);
      edit.ScrollCaretIntoView();
      break;
    default:
      switch (edit.OnClipboardKey(args.param1)) {
        case Outcome::None:
        case Outcome::Copied:
          return;
        case Outcome::Selected:
          break;
        case Outcome::Edited:
          edit.ScrollCaretIntoView();
          break;
      }
  }
  edit.RefreshCaret();
}

void Edit::OnKeyPress(void*, Control* sender, EventArgs& args) {
  Edit& edit = Self(sender);
  args.handled = 1;
  if (args.param1 == 13) {
    if (edit.enter_breaks_) edit.ReplaceSelection(u"\r\n");
  } else if (args.param1 >= 32 && args.param1 <= 0xFFFF) {
    const auto c = static_cast<char16_t>(args.param1);
    edit.ReplaceSelection(std::u16string_view(&c, 1));
  } else {
    return;
  }
  edit.ScrollCaretIntoView();
  edit.RefreshCaret();
}

void Edit::OnGotFocus(void*, Control* sender, EventArgs&) {
  Edit& edit = Self(sender);
  if (ControlHost* host = edit.window()) host->SetCaretSize(1, edit.line_height_);
  edit.RefreshCaret();
}

void Edit::OnLostFocus(void*, Control* sender, EventArgs&) {
  if (ControlHost* host = sender->window()) host->HideCaret();
}

void Edit::OnSetCursor(void*, Control*, EventArgs& args) {
  if (UiPlatform* platform = Platform()) platform->ShowTextCursor();
  args.handled = 1;
}

Size Edit::ArrangeOverride(std::int32_t width, std::int32_t height) {
  if (width != wrap_width_) {
    wrap_width_ = width;
    Rewrap();
  }
  if (HasFlag(ControlFlags::Focused)) RefreshCaret();
  return {width, height};
}

void Edit::Paint(Painter& painter, const Rect& rect, const Rect& clip) {
  Control::Paint(painter, rect, clip);
  if (!measurer_ || line_height_ <= 0) return;
  const Rect inner{rect.left + margin_left_, rect.top + margin_top_, rect.right - margin_left_, rect.bottom};
  if (inner.right <= inner.left || inner.bottom <= inner.top) return;
  const bool layered = painter.IsLayered();
  painter.Save();
  painter.IntersectClip(inner);
  std::int32_t y = inner.top;
  for (std::size_t i = first_visible_; i < lines_.count() && y < inner.bottom; ++i, y += line_height_) {
    const VisualLine& line = lines_[i];
    std::u16string shown;
    std::int32_t width = 0;
    std::int32_t sel_left = -1, sel_right = -1;
    for (EditText::Reader r(text_, line.start); r.position() < line.end; r.Advance()) {
      const char16_t c = r.Peek();
      if (r.position() == std::max<std::size_t>(selection_.min(), line.start)) sel_left = width;
      if (r.position() == selection_.max()) sel_right = width;
      if (c == u'\t')
        shown.append(4, u' ');
      else if (!IsBreak(c))
        shown.push_back(c);
      width += EditCharWidth(*measurer_, c);
    }
    if (sel_left >= 0 && sel_right < 0) sel_right = width;
    if (selection_.empty() || selection_.max() <= line.start || selection_.min() >= line.end) sel_left = -1;
    const Rect row{inner.left, y, inner.left + width + 1, y + line_height_};
    if (!shown.empty()) painter.DrawText(shown, measurer_->font(), kTextColour, kFormat, row, layered);
    if (sel_left >= 0 && sel_right > sel_left) {
      const Rect band{inner.left + sel_left, y, inner.left + sel_right, y + line_height_};
      painter.Save();
      painter.IntersectClip(band);
      painter.FillRect(band, kSelectionColour);
      painter.DrawText(shown, measurer_->font(), kSelectedTextColour, kFormat, row, layered);
      painter.Restore();
    }
  }
  painter.Restore();
}

}  // namespace vcam::dui
