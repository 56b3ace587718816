#pragma once
// Byte buffers from malloc, released with free. Readers hand these out so a
// caller that keeps the bytes may release() the pointer and free it itself.
#include <cstdlib>
#include <memory>

namespace vcam {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

using MallocBuffer = std::unique_ptr<unsigned char[], FreeDeleter>;

}  // namespace vcam
