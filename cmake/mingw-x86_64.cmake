# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, posix thread
# model (the win32 model has no std::mutex, which JUCE needs).
#   cmake -G Ninja -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QV_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
