#include "dui/controls/text_box.h"

#include <algorithm>

#include "dui/controls/text/auto_scroll_clock.h"
#include "dui/controls/text/char_widths.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

namespace {

constexpr std::int32_t kMarginAfterAttach = 8;
constexpr std::uint32_t kFormat = TextFormat::NoPrefix | TextFormat::SingleLine | TextFormat::VCenter;

UiPlatform* Platform() {
  UiRuntime* runtime = UiRuntime::Instance();
  return runtime ? &runtime->platform() : nullptr;
}

TextBox& Self(Control* sender) { return *static_cast<TextBox*>(sender); }

}  // namespace

TextBox::TextBox() {
  SetFlag(ControlFlags::WantDoubleClick | ControlFlags::Focusable | ControlFlags::CaptureOnPress |
              ControlFlags::RedrawOnState,
          true);
  AddHandler(EventKind::Attached, nullptr, &OnAttached);
  AddHandler(EventKind::LButtonDown, nullptr, &OnLButtonDown);
  AddHandler(EventKind::MouseMove, nullptr, &OnMouseMove);
  AddHandler(EventKind::KeyDown, nullptr, &OnKeyDown);
  AddHandler(EventKind::KeyPress, nullptr, &OnKeyPress);
  AddHandler(EventKind::GotFocus, nullptr, &OnGotFocus);
  AddHandler(EventKind::LostFocus, nullptr, &OnLostFocus);
  AddHandler(EventKind::SetCursor, nullptr, &OnSetCursor);
  AddHandler(EventKind::LButtonDbClick, nullptr, &OnDoubleClick);
  if (UiRuntime* runtime = UiRuntime::Instance()) SetFont(runtime->GetFont(u"Default"));
}

TextBox::~TextBox() = default;

void TextBox::SetFont(FontHandle font) {
  UiPlatform* platform = Platform();
  if (!platform) return;
  measurer_ = platform->CreateFontMeasurer(font);
  line_height_ = measurer_ ? measurer_->LineHeight() : 0;
  password_ = HasFlag(ControlFlags::Checked);
}

std::int32_t TextBox::WidthOf(std::size_t n) {
  return measurer_ ? PrefixWidth(*measurer_, line_.text(), n, password_) : 0;
}

std::int32_t TextBox::InnerWidth() const { return rect().width() - 2 * margin_x_; }

std::size_t TextBox::HitAt(std::int32_t x) {
  return measurer_ ? HitIndex(*measurer_, line_.text(), x, scroll_, password_) : line_.size();
}

bool TextBox::SetText(std::u16string_view text) {
  const bool fits = text.size() < TextLine::kCapacity;
  if (text.substr(0, TextLine::kCapacity - 1) == line_.text()) return fits;
  line_.Assign(text);
  scroll_ = 0;
  selection_.Collapse(line_.size());
  Changed();
  const std::int32_t width = WidthOf(line_.size());
  if (width > InnerWidth()) scroll_ = std::max(0, width - InnerWidth());
  if (HasFlag(ControlFlags::Focused)) RefreshCaret();
  Invalidate(false);
  return fits;
}

void TextBox::Select(std::size_t anchor, std::size_t caret) {
  selection_.anchor = std::min(anchor, line_.size());
  selection_.caret = std::min(caret, line_.size());
  RefreshCaret();
}

void TextBox::Changed() {
  EventArgs changed{EventKind::ValueChange, Routing::Direct, 0, 0, 0};
  RaiseEvent(changed);
}

void TextBox::RefreshCaret() {
  const std::int32_t cw = WidthOf(selection_.caret);
  const std::int32_t iw = InnerWidth();
  if (cw > scroll_ + iw) scroll_ = cw - iw;
  if (cw < scroll_) scroll_ = cw;
  Invalidate(false);
  ControlHost* host = window();
  if (!host || !HasFlag(ControlFlags::Focused)) return;
  if (!selection_.empty()) {
    host->HideCaret();
    return;
  }
  const Rect r = GetWindowRect();
  host->ShowCaretAt(r.left + margin_x_ + cw - scroll_, (r.top + r.bottom - line_height_) / 2);
}

std::size_t TextBox::InsertAtCaret(std::u16string_view text) {
  const std::size_t n = line_.Insert(selection_.caret, text);
  if (n == 0) return 0;
  selection_.Collapse(selection_.caret + n);
  Changed();
  return n;
}

void TextBox::DeleteSelection() {
  if (selection_.empty()) return;
  const std::size_t from = selection_.min(), to = selection_.max();
  const std::int32_t removed = WidthOf(to) - WidthOf(from);
  line_.Erase(from, to);
  scroll_ = std::max(0, scroll_ - removed);
  selection_.Collapse(from);
  Changed();
}

void* TextBox::ClipboardOwner() { return window() ? window()->NativeHandle() : nullptr; }

std::u16string TextBox::SelectedText() const {
  return line_.text().substr(selection_.min(), selection_.max() - selection_.min());
}

void TextBox::EraseSelection() { DeleteSelection(); }

// One line only: line breaks and other control characters become spaces.
void TextBox::InsertPasted(std::u16string text) {
  DeleteSelection();
  for (char16_t& c : text)
    if (c < 32) c = u' ';
  InsertAtCaret(text);
}

void TextBox::OnAttached(void*, Control* sender, EventArgs&) {
  TextBox& box = Self(sender);
  box.margin_x_ = kMarginAfterAttach;
  if (UiRuntime* runtime = UiRuntime::Instance()) {
    const std::u16string* font = box.FindString(attr::font);
    box.SetFont(runtime->GetFont(font ? std::u16string_view(*font) : u"Default"));
  }
  if (const std::u16string* text = box.FindString(attr::text)) box.SetText(*text);
}

void TextBox::OnLButtonDown(void*, Control* sender, EventArgs&) {
  TextBox& box = Self(sender);
  box.selection_.Collapse(box.HitAt(box.GetCursorPosition().x - box.margin_x_));
  box.RefreshCaret();
}

void TextBox::OnMouseMove(void*, Control* sender, EventArgs&) {
  TextBox& box = Self(sender);
  if (!box.HasFlag(ControlFlags::Pressed)) return;
  const std::int32_t x = box.GetCursorPosition().x - box.margin_x_;
  std::size_t& caret = box.selection_.caret;
  if (x > box.InnerWidth()) {
    if (caret < box.line_.size() && AutoScrollClock::Shared().Step()) ++caret;
  } else if (x < 0) {
    if (caret > 0 && AutoScrollClock::Shared().Step()) --caret;
  } else {
    caret = box.HitAt(x);
  }
  box.RefreshCaret();
}

void TextBox::OnKeyDown(void*, Control* sender, EventArgs& args) {
  TextBox& box = Self(sender);
  TextSelection& sel = box.selection_;
  args.handled = 1;
  switch (args.param1) {
    case 8:  // Backspace
      if (sel.empty()) {
        if (sel.caret == 0) return;
        sel.anchor = sel.caret - 1;
      }
      box.DeleteSelection();
      break;
    case 37:
    case 38:
      if (sel.caret > 0) sel.Collapse(sel.caret - 1);
      break;
    case 39:
    case 40:
      if (sel.caret < box.line_.size()) sel.Collapse(sel.caret + 1);
      break;
    default:
      if (const Outcome done = box.OnClipboardKey(args.param1); done == Outcome::None || done == Outcome::Copied) return;
      break;
  }
  box.RefreshCaret();
}

void TextBox::OnKeyPress(void*, Control* sender, EventArgs& args) {
  TextBox& box = Self(sender);
  args.handled = 1;
  const auto c = static_cast<char16_t>(args.param1);
  if (args.param1 < 32 || args.param1 > 0xFFFF) return;
  box.DeleteSelection();
  box.InsertAtCaret(std::u16string_view(&c, 1));
  box.RefreshCaret();
}

void TextBox::OnGotFocus(void*, Control* sender, EventArgs&) {
  TextBox& box = Self(sender);
  if (ControlHost* host = box.window()) host->SetCaretSize(1, box.line_height_);
  box.RefreshCaret();
}

void TextBox::OnLostFocus(void*, Control* sender, EventArgs&) {
  TextBox& box = Self(sender);
  if (ControlHost* host = box.window()) host->HideCaret();
  box.selection_.Collapse(box.selection_.caret);
  box.Invalidate(false);
}

void TextBox::OnSetCursor(void*, Control*, EventArgs& args) {
  if (UiPlatform* platform = Platform()) platform->ShowTextCursor();
  args.handled = 1;
}

void TextBox::OnDoubleClick(void*, Control* sender, EventArgs&) {
  TextBox& box = Self(sender);
  box.selection_.anchor = 0;
  box.selection_.caret = box.line_.size();
  box.RefreshCaret();
}

Size TextBox::MeasureOverride(std::int32_t, std::int32_t) { return {0, line_height_ + 2 * margin_y_}; }

Size TextBox::ArrangeOverride(std::int32_t width, std::int32_t height) {
  arranged_height_ = height;
  // A text set while the box was narrower (or not yet arranged) may be
  // scrolled further than the new width needs.
  scroll_ = std::clamp(scroll_, 0, std::max(0, WidthOf(line_.size()) - (width - 2 * margin_x_)));
  if (HasFlag(ControlFlags::Focused)) RefreshCaret();
  return {width, height};
}

void TextBox::Paint(Painter& painter, const Rect& rect, const Rect& clip) {
  Control::Paint(painter, rect, clip);
  if (!measurer_) return;
  const Rect inner{rect.left + margin_x_, rect.top, rect.right - margin_x_, rect.bottom};
  if (inner.right <= inner.left) return;
  const std::u16string shown =
      password_ ? std::u16string(line_.size(), kPasswordDot) : line_.text();
  const std::int32_t x0 = inner.left - scroll_;
  const Rect text_rect{x0, rect.top, x0 + WidthOf(line_.size()) + 1, rect.bottom};
  const bool layered = painter.IsLayered();
  painter.Save();
  painter.IntersectClip(inner);
  painter.DrawText(shown, measurer_->font(), kTextColour, kFormat, text_rect, layered);
  if (!selection_.empty()) {
    const Rect band{x0 + WidthOf(selection_.min()), rect.top, x0 + WidthOf(selection_.max()), rect.bottom};
    painter.IntersectClip(band);
    painter.FillRect(Rect{std::max(band.left, inner.left), band.top, std::min(band.right, inner.right), band.bottom},
                     kSelectionColour);
    painter.DrawText(shown, measurer_->font(), kSelectedTextColour, kFormat, text_rect, layered);
  }
  painter.Restore();
}

}  // namespace vcam::dui
