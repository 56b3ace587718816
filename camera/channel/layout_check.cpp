// Compiled, not run: the shared-region layouts must come out the same for
// 32- and 64-bit code, since the companion, the filter and the uninstaller of
// either bitness meet in one region. The build compiles this file with -m32
// and -m64; the static assertions in the headers do the checking.
#include "camera/channel/channel_names.h"
#include "camera/channel/frame_header.h"

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);
