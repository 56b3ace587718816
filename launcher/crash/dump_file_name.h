#pragma once
// The name of a crash dump: the local time of the fault to the millisecond,
// in the dump folder: "<folder>\YYYYMMDDhhmmssmmm.dmp".
#include <string>
#include <string_view>

namespace vcam::launcher {

struct local_time {
  unsigned year, month, day, hour, minute, second, milliseconds;
};

std::u16string dump_file_name(std::u16string_view dump_folder, const local_time& time);

}  // namespace vcam::launcher
