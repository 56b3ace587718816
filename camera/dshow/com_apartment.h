#pragma once
// COM on the calling thread for the owner's life, in the given apartment
// model. Only a successful initialisation is undone, so a thread that had
// chosen another apartment keeps its own.
#include <windows.h>
#include <objbase.h>

namespace vcam::dshow {

class ComApartment {
 public:
  explicit ComApartment(DWORD model) : result_(::CoInitializeEx(nullptr, model)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace vcam::dshow
