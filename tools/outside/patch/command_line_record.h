#pragma once
// What the patcher stand-in records about how it was started: its whole
// command line and the arguments after the program name, one per line, so
// that tests read the launcher's process-id argument without parsing.
#include <string>
#include <string_view>

namespace vcam::outside {

inline constexpr char16_t kCommandLineRecordName[] = u"patch-command-line.txt";

// The text after the program name of a Windows command line: the name is
// either quoted (up to the closing quote) or runs to the first blank; blanks
// between name and arguments are skipped.
std::u16string_view arguments_after_program(std::u16string_view command_line);

// "command line\narguments\n" in UTF-8.
std::string command_line_record(std::u16string_view command_line);

}  // namespace vcam::outside
