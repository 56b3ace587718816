#pragma once
// The file and folder functions of the scripts, thin over the Windows calls.
#include <string>
#include <string_view>

namespace vcam::uninstaller {

bool remove_file(std::u16string_view path);                          // DeleteFileW
bool move_file(std::u16string_view from, std::u16string_view to);    // replacing, copying across volumes
// Every level from the outermost, each ignoring failure; always true.
bool create_directory(std::u16string_view path);
bool file_exists(std::u16string_view path);                          // files and folders
// True when the path does not exist; otherwise whether it is an empty folder.
bool directory_empty(std::u16string_view path);
void set_current_directory(std::u16string_view path);
bool volume_exists(std::u16string_view root);                        // a fixed drive

}  // namespace vcam::uninstaller
