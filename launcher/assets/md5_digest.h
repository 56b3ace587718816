#pragma once
// MD5 (RFC 1321) fed in pieces, on libavutil's implementation (a library the
// camera already links), ending in the 32 lower-case hex digits the manifest
// and the update description carry.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

struct AVMD5;

namespace vcam::launcher {

class md5_digest {
 public:
  md5_digest();
  ~md5_digest();
  md5_digest(const md5_digest&) = delete;
  md5_digest& operator=(const md5_digest&) = delete;

  // False when the state could not be allocated; such a digest ignores input
  // and finishes as an empty text.
  bool valid() const { return state_ != nullptr; }
  void update(const void* bytes, std::size_t count);
  // "%02x" per byte of the digest; ends the digest (start a new one to reuse).
  std::u16string finish_hex();

 private:
  struct state_deleter {
    void operator()(AVMD5* state) const;
  };
  std::unique_ptr<AVMD5, state_deleter> state_;
};

// The digest of `bytes` as 32 lower-case hex digits.
std::u16string md5_hex(std::string_view bytes);

}  // namespace vcam::launcher
