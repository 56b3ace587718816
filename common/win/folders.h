#pragma once
#include <string>
#include <string_view>

namespace vcam {

// The folder of the running executable, "/" turned into "\", with a trailing
// "\". Empty if the module path cannot be read.
std::u16string application_folder();

// Creates `folder` and every missing ancestor, outermost first. True when the
// folder exists afterwards.
bool create_folder_path(std::u16string_view folder);

}  // namespace vcam
