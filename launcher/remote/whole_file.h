#pragma once
// Small files read whole into memory: the configuration and the manifest.
// Their size is capped before anything is parsed, so a huge or endless file
// (a wrong download, a device) costs at most the cap plus one read.
#include <cstddef>
#include <string>

namespace vcam::launcher {

// Configuration files are a few hundred bytes; the cap leaves room for
// manifests of thousands of entries.
inline constexpr std::size_t kRemoteFileLimit = 1024 * 1024;

enum class whole_file_result { read, unreadable, too_large };

// Reads the file at `path` into `bytes` (replaced only on success). A file of
// exactly `limit` bytes is read; a longer one is too_large.
whole_file_result read_whole_file(const std::u16string& path, std::size_t limit, std::string& bytes);

}  // namespace vcam::launcher
