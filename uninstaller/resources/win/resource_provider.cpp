#include "uninstaller/resources/win/resource_provider.h"

#include <cstdlib>
#include <cstring>

namespace vcam::uninstaller {

namespace {

ResourceProvider* the_provider = nullptr;

// Resource type names are compared without regard to case.
constexpr const wchar_t* kResourceType = L"_ZeloResc";

}  // namespace

ResourceProvider::ResourceProvider(HMODULE module) : module_(module ? module : ::GetModuleHandleW(nullptr)) {
  the_provider = this;
}

ResourceProvider::~ResourceProvider() {
  if (the_provider == this) the_provider = nullptr;
}

ResourceProvider* ResourceProvider::instance() { return the_provider; }

WORD ResourceProvider::id_of(std::u16string_view name) {
  if (name == u"frame.lz") return 117;
  if (name == u"LG.lua") return 118;
  if (name == u"style.lz") return 119;
  if (name == u"UI.lua") return 120;
  return 0;
}

ResourceBuffer ResourceProvider::load(std::u16string_view name, std::size_t* size) {
  const WORD id = id_of(name);
  if (id == 0) return nullptr;
  HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), kResourceType);
  if (!found) return nullptr;
  const DWORD bytes = ::SizeofResource(module_, found);
  HGLOBAL loaded = ::LoadResource(module_, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return nullptr;
  ResourceBuffer copy = new_resource_buffer(bytes);
  if (!copy) return nullptr;
  std::memcpy(copy.get(), data, bytes);
  if (size) *size = bytes;
  return copy;
}

void ResourceProvider::free(unsigned char* buffer) { std::free(buffer); }

}  // namespace vcam::uninstaller
