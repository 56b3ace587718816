# Cross build for 32-bit Windows with mingw-w64 (posix thread model).
set(VCAM_MINGW_TRIPLE i686-w64-mingw32)
set(VCAM_MINGW_PROCESSOR i686)
set(VCAM_WIN_DEPS_NAME win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
