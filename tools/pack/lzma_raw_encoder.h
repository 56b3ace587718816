#pragma once
// The compressed form of a container entry: the 5 property bytes for lc=3,
// lp=0, pb=2 and a 64 MiB dictionary, then a raw LZMA stream without end
// marker from liblzma's raw encoder.
#include <vector>

namespace vcam::tools {

// False only when liblzma fails (out of memory).
bool lzma_raw_encode(const std::vector<unsigned char>& input, std::vector<unsigned char>& output);

}  // namespace vcam::tools
