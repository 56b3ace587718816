#pragma once
// A test hook, read from the environment variable VCAM_CLIENT_AUTOPILOT, that
// lets tests and demos drive the client window without a person. The value is
// a list of words separated by blanks or ";":
//   close=N     close the window after N published pictures (entry returns false)
//   restart=N   press the restart button after N published pictures (true)
//   source=card | source=screen   the picture source chosen at start
//   channel=SUFFIX   appended to the frame channel's object names
// Unknown or malformed words make the whole value invalid, so a typo in a
// test never silently runs a client that nobody closes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vcam::client {

enum class PictureSource { TestCard, Screen };

struct ClientAutopilot {
  std::optional<std::uint64_t> close_after;
  std::optional<std::uint64_t> restart_after;
  PictureSource source = PictureSource::TestCard;
  std::u16string channel_suffix;
};

inline constexpr char kAutopilotVariable[] = "VCAM_CLIENT_AUTOPILOT";

// False with `error` naming the bad word.
bool parse_client_autopilot(std::string_view text, ClientAutopilot& out, std::string& error);

}  // namespace vcam::client
