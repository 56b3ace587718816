#pragma once
// The digest of a whole file, as the manifest and the update description
// carry it: 32 lower-case hex digits, or an empty text when the file cannot
// be read (an empty file included, so it never matches and is fetched).
#include <cstdint>
#include <string>

namespace vcam::launcher {

// On Windows through a read-only file mapping, one view at a time; elsewhere
// through the C library. A file that is being written by someone else, or
// whose size changes while it is read, gives the empty text.
std::u16string file_md5(const std::u16string& path);

// Whether a file's digest is the expected one. The empty text (an unreadable
// file) matches nothing, not even an empty expectation, so a missing file is
// never taken for a verified one.
inline bool digest_matches(const std::u16string& file_digest, const std::u16string& expected) {
  return !file_digest.empty() && file_digest == expected;
}

// The same through the C library on every build, for tools and tests.
std::u16string file_md5_stdio(const std::u16string& path);

// The view size of the mapped read: the allocation granularity doubled until
// it is at least 16 KiB (a granularity of 0 counts as 1).
std::uint32_t md5_view_size(std::uint32_t allocation_granularity);

}  // namespace vcam::launcher
