#pragma once
// Start of the companion application, the program that publishes the
// camera's pictures, when a client connects the camera and it is not
// running. Its path is the "Run" value of HKEY_CURRENT_USER
// "Software\ZeloVCamera".
#include <string>
#include <string_view>

namespace vcam::camera {

// Reads the path, and unless a process with the same executable file name
// runs already, starts it ("runas"). Reports nothing; when it is running a
// debug message says so.
void RunVCAPP() noexcept;

// The "Run" value, empty when the key or value is missing or the value is
// longer than 255 characters.
std::u16string read_companion_path();

// Whether a running process has `file_name` (case-insensitive) as its
// executable's file name.
bool is_process_running(std::u16string_view file_name);

}  // namespace vcam::camera
