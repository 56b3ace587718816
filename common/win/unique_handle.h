#pragma once
// RAII owners for Windows handles. Each owner closes its handle once and is
// movable, never copyable.
#include <windows.h>

#include <utility>

namespace vcam {

template <typename H, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(H h) : h_(h) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
  UniqueResource& operator=(UniqueResource&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Traits::invalid()));
    return *this;
  }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::invalid(); }
  H release() { return std::exchange(h_, Traits::invalid()); }
  void reset(H h = Traits::invalid()) {
    const H old = std::exchange(h_, h);
    if (old != Traits::invalid()) Traits::close(old);
  }
  // For APIs that return a handle through an out-parameter.
  H* put() {
    reset();
    return &h_;
  }

 private:
  H h_ = Traits::invalid();
};

struct KernelHandleTraits {  // handles that are null when absent
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile and snapshots: INVALID_HANDLE_VALUE when absent
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::CloseHandle(h); }
};
struct RegKeyTraits {
  static HKEY invalid() { return nullptr; }
  static void close(HKEY k) { ::RegCloseKey(k); }
};
struct ViewTraits {
  static void* invalid() { return nullptr; }
  static void close(void* p) { ::UnmapViewOfFile(p); }
};
struct GdiObjectTraits {
  static HGDIOBJ invalid() { return nullptr; }
  static void close(HGDIOBJ o) { ::DeleteObject(o); }
};
struct MemoryDcTraits {
  static HDC invalid() { return nullptr; }
  static void close(HDC dc) { ::DeleteDC(dc); }
};
struct ModuleTraits {
  static HMODULE invalid() { return nullptr; }
  static void close(HMODULE m) { ::FreeLibrary(m); }
};
struct LocalMemoryTraits {
  static HLOCAL invalid() { return nullptr; }
  static void close(HLOCAL m) { ::LocalFree(m); }
};

using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;
using UniqueFile = UniqueResource<HANDLE, FileHandleTraits>;
using UniqueKey = UniqueResource<HKEY, RegKeyTraits>;
using UniqueView = UniqueResource<void*, ViewTraits>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, GdiObjectTraits>;
using UniqueMemoryDc = UniqueResource<HDC, MemoryDcTraits>;
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;
using UniqueLocal = UniqueResource<HLOCAL, LocalMemoryTraits>;

// Holds a mutex acquired by a wait; releases it on scope exit.
class MutexLock {
 public:
  // Waits at most `timeout_ms`; owns() tells whether the mutex was acquired
  // (an abandoned mutex counts as acquired).
  MutexLock(HANDLE mutex, DWORD timeout_ms) : mutex_(mutex) {
    if (mutex_) {
      const DWORD r = ::WaitForSingleObject(mutex_, timeout_ms);
      owns_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
  }
  ~MutexLock() {
    if (owns_) ::ReleaseMutex(mutex_);
  }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  bool owns() const { return owns_; }

 private:
  HANDLE mutex_;
  bool owns_ = false;
};

}  // namespace vcam
