#pragma once
// Captures OutputDebugString text of this process while it lives. The system
// raises the text as a continuable exception before handing it to a
// debugger; a first vectored handler sees it.
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace vcam::camera::testing {

class DebugOutputCapture {
 public:
  DebugOutputCapture() {
    active_ = this;
    handler_ = ::AddVectoredExceptionHandler(1, &DebugOutputCapture::Handle);
  }
  ~DebugOutputCapture() {
    ::RemoveVectoredExceptionHandler(handler_);
    active_ = nullptr;
  }
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  std::vector<std::string> Messages() {
    std::lock_guard lock(lock_);
    return messages_;
  }

 private:
  static constexpr DWORD kNarrowText = 0x40010006;  // DBG_PRINTEXCEPTION_C
  static constexpr DWORD kWideText = 0x4001000A;    // DBG_PRINTEXCEPTION_WIDE_C

  // Continuing the wide form keeps the system from raising a narrow copy.
  static LONG CALLBACK Handle(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    DebugOutputCapture* self = active_;
    if (!self || record->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    std::string text;
    if (record->ExceptionCode == kNarrowText) {
      if (const auto* narrow = reinterpret_cast<const char*>(record->ExceptionInformation[1])) text = narrow;
    } else if (record->ExceptionCode == kWideText) {
      const auto* wide = reinterpret_cast<const wchar_t*>(record->ExceptionInformation[1]);
      for (; wide && *wide; ++wide) text += static_cast<char>(*wide < 128 ? *wide : '?');
    } else {
      return EXCEPTION_CONTINUE_SEARCH;
    }
    std::lock_guard lock(self->lock_);
    self->messages_.push_back(std::move(text));
    return EXCEPTION_CONTINUE_EXECUTION;
  }

  static inline DebugOutputCapture* active_ = nullptr;
  PVOID handler_ = nullptr;
  std::mutex lock_;
  std::vector<std::string> messages_;
};

}  // namespace vcam::camera::testing
