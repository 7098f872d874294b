# Cross-compiling for 32-bit Windows with Debian's MinGW-w64, posix thread
# model (the win32 model has no std::mutex, which JUCE needs).
#   cmake -G Ninja -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QV_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# SSE2 arithmetic, as in every 64-bit build: x87 registers keep extra
# precision and the audio would no longer match the other builds bit for bit.
# 32-bit hosts may call in with a stack aligned to 4 bytes only, which SSE
# spills do not survive, so every function that needs more aligns it itself.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
