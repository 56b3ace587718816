#include "dui/win/alpha_blend.h"

#include <string>

#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::dui {

namespace {

struct Entry {
  bool chosen = false;
  AlphaBlendFunction function = nullptr;
};

// UI thread only, like the rest of the toolkit's drawing.
Entry& ProcessEntry() {
  static Entry entry;
  return entry;
}

AlphaBlendFunction Lookup(UniqueModule module, const char* name) {
  if (!module) return nullptr;
  FARPROC proc = ::GetProcAddress(module.get(), name);
  if (!proc) return nullptr;
  module.release();  // the function is used for the rest of the process
  return reinterpret_cast<AlphaBlendFunction>(reinterpret_cast<void*>(proc));
}

}  // namespace

AlphaBlendFunction LoadAlphaBlendFunction() {
  if (AlphaBlendFunction f = Lookup(UniqueModule(::LoadLibraryW(L"msimg32.dll")), "AlphaBlend")) return f;
  const std::u16string folder = application_folder();
  if (folder.empty()) return nullptr;
  const std::u16string path = folder + u"ZeloAlphaBlend.dll";
  return Lookup(UniqueModule(::LoadLibraryExW(wide(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)),
                "_SSE_AlphaBlend@44");
}

AlphaBlendFunction AlphaBlendEntry() {
  Entry& entry = ProcessEntry();
  if (!entry.chosen) {
    entry.function = LoadAlphaBlendFunction();
    entry.chosen = true;
  }
  return entry.function;
}

void SetAlphaBlendEntry(AlphaBlendFunction function) {
  Entry& entry = ProcessEntry();
  entry.function = function;
  entry.chosen = true;
}

}  // namespace vcam::dui
