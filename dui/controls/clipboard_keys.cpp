#include "dui/controls/clipboard_keys.h"

#include <utility>

#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

namespace {

UiPlatform* Platform() {
  UiRuntime* runtime = UiRuntime::Instance();
  return runtime ? &runtime->platform() : nullptr;
}

}  // namespace

ClipboardKeys::Outcome ClipboardKeys::OnClipboardKey(std::intptr_t key) {
  if (key != 'A' && key != 'C' && key != 'X' && key != 'V') return Outcome::None;
  UiPlatform* platform = Platform();
  if (!platform || !platform->ControlKeyDown()) return Outcome::None;
  switch (key) {
    case 'A': {
      TextSelection& selection = EditedSelection();
      selection.anchor = 0;
      selection.caret = EditedLength();
      return Outcome::Selected;
    }
    case 'C':
      Copy(false);
      return Outcome::Copied;
    case 'X':
      Copy(true);
      return Outcome::Edited;
    default:
      Paste();
      return Outcome::Edited;
  }
}

void ClipboardKeys::Copy(bool cut) {
  if (EditedSelection().empty()) return;
  UiPlatform* platform = Platform();
  if (!platform || !platform->WriteClipboardText(ClipboardOwner(), SelectedText())) return;
  if (cut) EraseSelection();
}

void ClipboardKeys::Paste() {
  UiPlatform* platform = Platform();
  std::u16string text;
  if (!platform || !platform->ReadClipboardText(ClipboardOwner(), text) || text.empty()) return;
  InsertPasted(std::move(text));
}

}  // namespace vcam::dui
