# Cross-build for Windows with MinGW-w64, posix thread model (std::thread, std::mutex).
# VERADIN_ARCH picks the target: i686 (the shipped 32-bit program, the default) or
# x86_64 (the same code for test machines whose kernel cannot run 32-bit Wine).
if(NOT VERADIN_ARCH)
  set(VERADIN_ARCH i686)
endif()
set(VERADIN_ARCH ${VERADIN_ARCH} CACHE STRING "i686 or x86_64")
set(_triple ${VERADIN_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VERADIN_ARCH})
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine_run.sh)
