#pragma once
// ResourceProvider: the uninstaller's embedded files, resources of type
// "_ZELORESC" in its own executable, by name:
//   "frame.lz" 117 (layout container)   "LG.lua" 118 (uninstall procedure)
//   "style.lz" 119 (skin container)     "UI.lua" 120 (window script)
// One provider exists per process; it is reached through instance(), which
// its constructor sets and its destructor clears.
#include <windows.h>

#include <cstddef>
#include <string_view>

#include "uninstaller/resources/resource_pack.h"

namespace vcam::uninstaller {

class ResourceProvider {
 public:
  // Reads the resources of `module` (null: the program's executable).
  explicit ResourceProvider(HMODULE module = nullptr);
  virtual ~ResourceProvider();
  ResourceProvider(const ResourceProvider&) = delete;
  ResourceProvider& operator=(const ResourceProvider&) = delete;

  // A copy of the named resource followed by four zero bytes (scripts can be
  // used as NUL-terminated text); *size receives the size without them. Null
  // for an unknown name or a resource the executable lacks.
  virtual ResourceBuffer load(std::u16string_view name, std::size_t* size);
  // Releases a buffer from load that its owner gave up (ResourceBuffer::release).
  virtual void free(unsigned char* buffer);

  static ResourceProvider* instance();

  // The resource id of a name, 0 for an unknown name.
  static WORD id_of(std::u16string_view name);

 private:
  HMODULE module_;
};

}  // namespace vcam::uninstaller
