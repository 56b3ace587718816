#pragma once
// Ctrl+A, Ctrl+C, Ctrl+X and Ctrl+V of the text controls, and the clipboard
// calls behind them. A control says what its text holds and how pasted or cut
// text changes it; the keys and the clipboard are handled here once.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dui/controls/text/text_line.h"

namespace vcam::dui {

class ClipboardKeys {
 public:
  // What a key did: nothing (another key, or Ctrl up), a copy that changed
  // nothing, a new selection, or a cut or paste (tried, even when the
  // clipboard refused it).
  enum class Outcome { None, Copied, Selected, Edited };

 protected:
  ~ClipboardKeys() = default;

  Outcome OnClipboardKey(std::intptr_t key);
  // Nothing without a selection; a cut removes it only once the clipboard took it.
  void Copy(bool cut);
  // Nothing when the clipboard holds no text or an empty one.
  void Paste();

  // The native window that owns the clipboard while it is written or read.
  virtual void* ClipboardOwner() = 0;
  virtual TextSelection& EditedSelection() = 0;
  virtual std::size_t EditedLength() const = 0;
  virtual std::u16string SelectedText() const = 0;
  virtual void EraseSelection() = 0;
  virtual void InsertPasted(std::u16string text) = 0;
};

}  // namespace vcam::dui
