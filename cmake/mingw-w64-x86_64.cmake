# Cross build for 64-bit Windows with Debian's mingw-w64, POSIX threads variant
# (GoogleTest needs std::thread and friends, which the win32 variant lacks).
# Test programs run under Wine. Use:
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DMODSETUP_BUILD_UI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MODSETUP_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MODSETUP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MODSETUP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MODSETUP_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MODSETUP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the programs need no DLL of the compiler beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and custom commands run the Windows programs through Wine.
find_program(MODSETUP_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(MODSETUP_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MODSETUP_WINE})
endif()
