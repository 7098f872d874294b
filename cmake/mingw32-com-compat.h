// Force-included into the JUCE modules on 32-bit MinGW (cmake/JuceLib.cmake).
//
// There JUCE's COM helper replaces __uuidof with a template that takes a
// type, while mingw-w64's IID_PPV_ARGS hands __uuidof an expression. The
// system headers are included here first, with the settings JUCE itself
// uses for them, and IID_PPV_ARGS is then redefined to pass the pointee type.
#pragma once

#ifdef __cplusplus
 #ifndef NOMINMAX
  #define NOMINMAX
 #endif
 #define _WINSOCK_DEPRECATED_NO_WARNINGS 1
 #define STRICT 1
 #define WIN32_LEAN_AND_MEAN 1
 #ifndef _WIN32_WINNT
  #define _WIN32_WINNT 0x0600
 #endif
 #define _UNICODE 1
 #define UNICODE 1
 #ifndef _WIN32_IE
  #define _WIN32_IE 0x0501
 #endif

 #include <windows.h>
 #include <objbase.h>
 #include <type_traits>

 #undef IID_PPV_ARGS
 #define IID_PPV_ARGS(pp) __uuidof (std::remove_reference_t<decltype (**(pp))>), IID_PPV_ARGS_Helper (pp)
#endif
