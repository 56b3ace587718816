#pragma once
// The capture tool's command line.
//
//   vcam_capture --help
//   vcam_capture --list
//   vcam_capture --device NAME [--caps] [--size WxH] [--frames N | --seconds S]
//                [--png I,J,... | --png-every K] [--out FOLDER] [--no-clock]
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vcam::capture {

struct CaptureOptions {
  bool help = false;
  bool list_devices = false;
  std::u16string device;                     // friendly name, exact
  bool list_capabilities = false;
  std::optional<std::int32_t> width, height; // SetFormat with this size
  std::int64_t frames = 0;                   // stop after this many samples
  std::int64_t milliseconds = 0;             // or after this long
  std::vector<std::int64_t> png_frames;      // sample indexes written as PNG
  std::int64_t png_every = 0;                // or every K-th sample
  std::u16string out_folder;                 // where PNGs go; empty: current folder
  bool no_clock = false;                     // run the graph without a reference clock

  // Whether sample `index` is to be written as a PNG.
  bool wants_png(std::int64_t index) const;
};

struct ParsedOptions {
  std::optional<CaptureOptions> options;
  std::string error;  // set when options is empty
};

// `args` excludes the program name. Without --frames or --seconds a capture
// takes 30 samples.
ParsedOptions parse_capture_options(const std::vector<std::u16string>& args);

std::string capture_usage();

}  // namespace vcam::capture
