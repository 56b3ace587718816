#pragma once
// The uninstaller's UI files: the skin ("font.xml", styles, images) from the
// container "style.lz" and the layouts from "frame.lz", both resources of the
// executable. A container the executable lacks leaves an empty source, so a
// missing layout is a null root for the caller to report, never an abort.
#include "uninstaller/resources/win/resource_provider.h"

namespace vcam::uninstaller {

// Gives the running UI runtime its skin and layout sources from `provider`;
// false when either container is missing (the sources are set anyway).
bool UseEmbeddedUiFiles(ResourceProvider& provider);

}  // namespace vcam::uninstaller
