# Cross-compiling for 32-bit Windows with Debian's MinGW-w64, posix thread
# model (the win32 model has no std::mutex, which JUCE needs).
#   cmake -G Ninja -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QV_MINGW_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER   ${QV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QV_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# SSE2 arithmetic, as in every 64-bit build: x87 registers keep extra
# precision and the audio would no longer match the other builds bit for bit.
# 32-bit hosts may call in with a stack aligned to 4 bytes only, which SSE
# spills do not survive, so every function that needs more aligns it itself.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")

# Everything links the C and C++ runtimes and winpthreads in, so the module
# imports nothing but system DLLs.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
