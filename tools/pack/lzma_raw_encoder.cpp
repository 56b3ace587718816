#include "tools/pack/lzma_raw_encoder.h"

#include <lzma.h>

#include <cstring>

#include "uninstaller/resources/resource_pack_format.h"

namespace vcam::tools {

namespace fmt = uninstaller::resource_pack_format;

bool lzma_raw_encode(const std::vector<unsigned char>& input, std::vector<unsigned char>& output) {
  lzma_options_lzma options;
  if (lzma_lzma_preset(&options, 9)) return false;
  options.lc = 3;
  options.lp = 0;
  options.pb = 2;
  // The header always names 64 MiB. The encoder itself needs no more
  // dictionary than the input is long; a smaller one saves hundreds of
  // megabytes of match-finder tables for small files, and a stream made with
  // it is valid for any larger dictionary.
  constexpr std::uint32_t kDictionary = 64u << 20;
  options.dict_size = kDictionary;
  if (input.size() < kDictionary) {
    options.dict_size = input.size() < LZMA_DICT_SIZE_MIN ? LZMA_DICT_SIZE_MIN : static_cast<std::uint32_t>(input.size());
  }
  options.ext_flags = 0;  // no end marker: the container holds the size
  options.ext_size_low = 0;
  options.ext_size_high = 0;
  const lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

  std::size_t capacity = input.size() + input.size() / 2 + 4096;
  for (;;) {
    output.assign(fmt::lzma_properties_size + capacity, 0);
    std::memcpy(output.data(), fmt::lzma_properties, fmt::lzma_properties_size);
    std::size_t written = fmt::lzma_properties_size;
    const lzma_ret ret = lzma_raw_buffer_encode(filters, nullptr, input.data(), input.size(), output.data(),
                                                &written, output.size());
    if (ret == LZMA_OK) {
      output.resize(written);
      return true;
    }
    if (ret != LZMA_BUF_ERROR) return false;
    capacity *= 2;
  }
}

}  // namespace vcam::tools
