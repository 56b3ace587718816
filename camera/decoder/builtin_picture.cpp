// The logo card drawn by tools/jpeg/make_logo_card.sh; its bytes are generated
// into logo_card_bytes.inc at build time from camera/decoder/logo_card.jpg.
#include "camera/decoder/placeholder_decoder.h"

namespace vcam::camera {
namespace {

constexpr std::uint8_t kLogoCard[] = {
#include "logo_card_bytes.inc"
};

}  // namespace

std::span<const std::uint8_t> builtin_placeholder_jpeg() { return kLogoCard; }

}  // namespace vcam::camera
