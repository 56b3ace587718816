# Cross build for 64-bit Windows with mingw-w64 (posix thread model).
set(VCAM_MINGW_TRIPLE x86_64-w64-mingw32)
set(VCAM_MINGW_PROCESSOR AMD64)
set(VCAM_WIN_DEPS_NAME win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
