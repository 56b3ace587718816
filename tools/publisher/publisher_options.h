#pragma once
// Command line and schedule of the test publisher.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vcam::publisher {

struct PublisherOptions {
  std::int32_t width = 800;
  std::int32_t height = 600;
  std::uint32_t fps = 15;
  bool bottom_up = false;
  std::uint32_t first_number = 0;
  std::optional<std::uint64_t> freeze_after_frames;  // no new stamp after this many pictures
  std::optional<std::uint64_t> freeze_after_ms;
  std::optional<std::uint64_t> withdraw_after_frames;  // width 0 after this many pictures
  std::optional<std::uint64_t> withdraw_after_ms;
  std::optional<std::uint64_t> duration_ms;            // run until stopped when absent
  std::u16string names_suffix;                         // appended to the object names (tests)
  bool quiet = false;
  bool help = false;
};

// Parses the arguments after the program name. False with a message naming
// the bad argument.
bool parse_publisher_options(const std::vector<std::u16string>& args, PublisherOptions& out, std::string& error);

std::string publisher_usage();

// What the publisher does at a tick of its schedule, given how many pictures
// it has published and how long it has run.
enum class PublisherStep { Publish, Hold, Withdraw, Stop };
PublisherStep publisher_step(const PublisherOptions& options, std::uint64_t published, std::uint64_t elapsed_ms);

}  // namespace vcam::publisher
