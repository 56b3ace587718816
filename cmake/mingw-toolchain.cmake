# Shared part of the two Windows cross toolchains; the including file sets
# VCAM_MINGW_TRIPLE, VCAM_MINGW_PROCESSOR and VCAM_WIN_DEPS_NAME first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VCAM_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${VCAM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VCAM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VCAM_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${VCAM_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VCAM_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries built from Debian's sources by tools/build-win-deps.sh.
if(NOT VCAM_WIN32_DEPS)
  set(VCAM_WIN32_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build/deps/${VCAM_WIN_DEPS_NAME}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${VCAM_MINGW_TRIPLE} "${VCAM_WIN32_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No mingw DLLs next to the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
