#include "launcher/assets/md5_digest.h"

#include <cstdint>

extern "C" {
#include <libavutil/md5.h>
#include <libavutil/mem.h>
}

namespace vcam::launcher {

void md5_digest::state_deleter::operator()(AVMD5* state) const { av_free(state); }

md5_digest::md5_digest() : state_(av_md5_alloc()) {
  if (state_) av_md5_init(state_.get());
}

md5_digest::~md5_digest() = default;

void md5_digest::update(const void* bytes, std::size_t count) {
  if (state_ && count != 0) av_md5_update(state_.get(), static_cast<const std::uint8_t*>(bytes), count);
}

std::u16string md5_digest::finish_hex() {
  if (!state_) return {};
  std::uint8_t digest[16];
  av_md5_final(state_.get(), digest);
  state_.reset();
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string hex;
  hex.reserve(32);
  for (std::uint8_t b : digest) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 15]);
  }
  return hex;
}

std::u16string md5_hex(std::string_view bytes) {
  md5_digest digest;
  digest.update(bytes.data(), bytes.size());
  return digest.finish_hex();
}

}  // namespace vcam::launcher
