// A client module without the entry the launcher looks for.
#include <windows.h>

extern "C" __declspec(dllexport) int some_other_entry() { return 0; }
