# Cross-compiles the Windows program with MinGW-w64 for ZARVO_MINGW_TARGET (i686 for the shipped
# 32-bit program, x86_64 for the 64-bit one); ctest runs its tests through Wine of the same width.
set(CMAKE_SYSTEM_NAME Windows)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZARVO_MINGW_TARGET)
set(triplet ${ZARVO_MINGW_TARGET}-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# NOTE: Debian's `wine` always starts the 32-bit loader when wine32 is installed, even where
# the kernel cannot run it, so 64-bit programs are started through the 64-bit loader itself.
if(ZARVO_MINGW_TARGET STREQUAL "x86_64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
