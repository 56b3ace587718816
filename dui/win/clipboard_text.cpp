#include "dui/win/clipboard_text.h"

#include <cstring>

namespace vcam::dui {

namespace {

// Closes the clipboard it opened.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

// Unlocks the global memory it locked.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {}
  ~LockedMemory() {
    if (data_) ::GlobalUnlock(memory_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  void* data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

bool ReadClipboardText(HWND owner, std::u16string& text) {
  if (!::IsClipboardFormatAvailable(CF_TEXT)) return false;
  OpenClipboardScope clipboard(owner);
  if (!clipboard.open()) return false;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return false;
  LockedMemory lock(static_cast<HGLOBAL>(data));
  if (!lock.data()) return false;
  // The memory may be larger than the text and is not trusted to be
  // terminated: read no further than its size.
  const SIZE_T units = ::GlobalSize(static_cast<HGLOBAL>(data)) / sizeof(char16_t);
  const auto* chars = static_cast<const char16_t*>(lock.data());
  SIZE_T n = 0;
  while (n < units && chars[n] != 0) ++n;
  text.assign(chars, n);
  return true;
}

bool WriteClipboardText(HWND owner, std::u16string_view text) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * sizeof(char16_t));
  if (!memory) return false;
  {
    LockedMemory lock(memory);
    if (!lock.data()) {
      ::GlobalFree(memory);
      return false;
    }
    std::memcpy(lock.data(), text.data(), text.size() * sizeof(char16_t));
  }
  OpenClipboardScope clipboard(owner);
  if (!clipboard.open() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory)) {
    ::GlobalFree(memory);
    return false;
  }
  return true;  // the clipboard owns the memory now
}

}  // namespace vcam::dui
