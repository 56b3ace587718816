// Stands in for the companion application in the tests: runs until the test
// signals the quit event, and never longer than a minute.
#include <windows.h>

#include "camera/filter/win/testing/companion_names.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HANDLE quit = ::CreateEventW(nullptr, TRUE, FALSE, vcam::camera::testing::kCompanionQuitEvent);
  if (!quit) return 1;
  ::WaitForSingleObject(quit, 60'000);
  ::CloseHandle(quit);
  return 0;
}
