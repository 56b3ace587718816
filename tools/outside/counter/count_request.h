#pragma once
// The counter program's one request: the event it is given ("crash" from the
// launcher's crash handler, "uninstall" from the uninstaller) and the time it
// happened, as a GET to the counter URL, within a fixed time limit.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vcam::counter {

// From start to exit: the counter runs while a crashed launcher ends or an
// uninstaller waits, so it never takes longer than this, answered or not.
inline constexpr std::uint32_t kCountDeadlineMs = 4000;

// Names the counter records; anything else is refused before any transfer.
bool is_count_event(std::string_view event);

// One argument, a known event. False with `error` otherwise.
bool parse_count_arguments(const std::vector<std::u16string>& args, std::string& event, std::string& error);

// `base` + "?" (or "&" when it has a query) + "event=EVENT&time=SECONDS",
// seconds since 1970 UTC.
std::string count_url(std::string_view base, std::string_view event, std::int64_t unix_seconds);

// How long the transfer may still take after `elapsed_ms` of the program's
// life: 0 when the deadline has passed.
std::uint32_t remaining_ms(std::uint64_t elapsed_ms);

}  // namespace vcam::counter
