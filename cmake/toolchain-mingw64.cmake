# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, for std::thread),
# the tests run under Wine:
#   cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARNWICK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNWICK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWICK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWICK_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the executables through Wine, in a prefix of the build's own.
set(TARNWICK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${TARNWICK_WINEPREFIX})
