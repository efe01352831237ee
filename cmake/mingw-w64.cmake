# Cross-compiles the viewer for 64-bit Windows with MinGW-w64 (the windows
# preset: cmake --preset windows).
# The -posix compilers carry the C++ threading support of the standard library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ run-times and the threading library linked in: the program
# then needs only DLLs that come with every Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Programs built here run on this machine under Wine, the unit tests with ctest.
find_program(VIEWER_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(VIEWER_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VIEWER_WINE})
endif()
