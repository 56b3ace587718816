#pragma once
// Which progress reports of a download reach the UI thread: a report is
// posted when it advanced by at least 1/256 of the file's total since the
// last posted one, or when it reaches the total, so a file costs at most 257
// posts however small libcurl's steps are. The product is taken in unsigned
// 32 bits, as the progress values are. One throttle serves a worker's files
// in turn: a report below the last posted one starts over from 0.
#include <cstdint>

namespace vcam::launcher {

class progress_throttle {
 public:
  // `now` and `total` of the current file; true when this report is posted.
  bool accept(std::uint32_t now, std::uint32_t total);

 private:
  std::uint32_t last_ = 0;
  // Whether `last_` was itself posted: libcurl repeats its final report, and
  // the total is posted once, not once per repeat.
  bool posted_last_ = false;
};

}  // namespace vcam::launcher
