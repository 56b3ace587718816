#include "launcher/async/owner_tokens.h"

namespace vcam::launcher {

std::uint32_t owner_tokens::register_token() {
  // After 2^32 registrations the counter wraps; 0 stays the "no owner" value.
  if (++counter_ == 0) ++counter_;
  registered_.insert(counter_);
  return counter_;
}

}  // namespace vcam::launcher
