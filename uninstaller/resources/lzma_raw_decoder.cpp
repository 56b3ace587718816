#include "uninstaller/resources/lzma_raw_decoder.h"

#include <lzma.h>

#include <memory>

#include "common/malloc_buffer.h"
#include "uninstaller/resources/resource_pack_format.h"

namespace vcam::uninstaller {

namespace {

class stream_owner {
 public:
  stream_owner() = default;
  ~stream_owner() { lzma_end(&stream_); }
  stream_owner(const stream_owner&) = delete;
  stream_owner& operator=(const stream_owner&) = delete;
  lzma_stream* get() { return &stream_; }

 private:
  lzma_stream stream_ = LZMA_STREAM_INIT;
};

}  // namespace

bool lzma_raw_decode(const unsigned char* input, std::size_t input_size, unsigned char* output,
                     std::size_t unpacked_size) {
  namespace fmt = resource_pack_format;
  if (input_size < fmt::lzma_properties_size) return false;

  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  if (lzma_properties_decode(&filters[0], nullptr, input, fmt::lzma_properties_size) != LZMA_OK) return false;
  std::unique_ptr<void, FreeDeleter> owned(filters[0].options);
  auto* options = static_cast<lzma_options_lzma*>(filters[0].options);

  // The stream never reaches further back than the bytes decoded so far, so a
  // dictionary larger than the entry only costs memory (the containers name
  // 64 MiB, a lot for a few kilobytes of layout).
  if (options->dict_size > unpacked_size) {
    options->dict_size = unpacked_size < LZMA_DICT_SIZE_MIN ? LZMA_DICT_SIZE_MIN : static_cast<std::uint32_t>(unpacked_size);
  }
  // The known size ends the stream; an end marker right after it is accepted.
  filters[0].id = LZMA_FILTER_LZMA1EXT;
  options->ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
  options->ext_size_low = static_cast<std::uint32_t>(std::uint64_t{unpacked_size});
  options->ext_size_high = static_cast<std::uint32_t>(std::uint64_t{unpacked_size} >> 32);

  stream_owner stream;
  if (lzma_raw_decoder(stream.get(), filters) != LZMA_OK) return false;
  lzma_stream* s = stream.get();
  s->next_in = input + fmt::lzma_properties_size;
  s->avail_in = input_size - fmt::lzma_properties_size;
  s->next_out = output;
  s->avail_out = unpacked_size;
  for (;;) {
    const lzma_ret ret = lzma_code(s, LZMA_FINISH);
    if (ret == LZMA_STREAM_END) return s->total_out == unpacked_size;
    if (ret != LZMA_OK) return false;
  }
}

}  // namespace vcam::uninstaller
