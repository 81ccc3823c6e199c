# Cross build for 64-bit Windows with mingw-w64 (the POSIX thread model, for std::thread and
# std::mutex): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQN_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no compiler run-time DLLs to copy next to them or into a Wine prefix.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under Wine; CTest and the test discovery go through it.
find_program(QN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QN_WINE})
endif()
