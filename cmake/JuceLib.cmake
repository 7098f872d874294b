# Compiles the JUCE modules this project needs straight from Debian's module
# sources into one static, position-independent library. Every target that
# uses JUCE links qv_juce and so shares the one compiled copy per build tree.
set(QV_JUCE_MODULES_DIR /usr/share/juce/modules CACHE PATH "Folder holding the JUCE modules")
if(NOT EXISTS ${QV_JUCE_MODULES_DIR}/juce_core/juce_core.h)
  message(FATAL_ERROR "JUCE modules not found in ${QV_JUCE_MODULES_DIR}; run scripts/install-deps.sh")
endif()

set(QV_JUCE_MODULES juce_core juce_events juce_data_structures juce_graphics juce_gui_basics juce_audio_basics)

if(WIN32)
  # Cross-built with MinGW-w64 (scripts/build-windows.sh). Debian's JUCE uses
  # the system's image libraries; MinGW has zlib packaged, libpng and libjpeg
  # come as static cross builds from this folder (include/, lib/).
  set(QV_WIN_DEPS_DIR "" CACHE PATH "Cross-built libpng and libjpeg for this architecture")
  find_path(QV_PNG_INCLUDE_DIR png.h PATHS ${QV_WIN_DEPS_DIR}/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(QV_PNG_LIBRARY png16 PATHS ${QV_WIN_DEPS_DIR}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(QV_JPEG_LIBRARY jpeg PATHS ${QV_WIN_DEPS_DIR}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(QV_ZLIB_LIBRARY NAMES libz.a z)
  if(NOT QV_PNG_INCLUDE_DIR OR NOT QV_PNG_LIBRARY OR NOT QV_JPEG_LIBRARY OR NOT QV_ZLIB_LIBRARY)
    message(FATAL_ERROR "Cross-built libpng/libjpeg or MinGW zlib not found (QV_WIN_DEPS_DIR=${QV_WIN_DEPS_DIR}); "
                        "build with scripts/build-windows.sh")
  endif()
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(QV_JUCE_DEPS REQUIRED IMPORTED_TARGET freetype2 libpng zlib)
  find_package(JPEG REQUIRED)
endif()
find_package(Threads REQUIRED)

set(_qv_juce_sources)
foreach(m IN LISTS QV_JUCE_MODULES)
  list(APPEND _qv_juce_sources ${QV_JUCE_MODULES_DIR}/${m}/${m}.cpp)
endforeach()

add_library(qv_juce STATIC ${_qv_juce_sources})
set(_qv_juce_defs
  JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
  JUCE_USE_CURL=0
  JUCE_WEB_BROWSER=0
  JUCE_MODAL_LOOPS_PERMITTED=0
  JUCE_STANDALONE_APPLICATION=0
  JUCE_DISPLAY_SPLASH_SCREEN=0
  JUCE_USE_XSHM=1
  $<IF:$<CONFIG:Debug>,DEBUG=1,NDEBUG=1>)
foreach(m IN LISTS QV_JUCE_MODULES)
  list(APPEND _qv_juce_defs JUCE_MODULE_AVAILABLE_${m}=1)
endforeach()
if(WIN32)
  # Direct2D and DirectWrite are not available with MinGW; every translation
  # unit must see the same setting.
  list(APPEND _qv_juce_defs JUCE_DIRECT2D=0 JUCE_USE_DIRECTWRITE=0)
endif()
target_compile_definitions(qv_juce PUBLIC ${_qv_juce_defs})
target_include_directories(qv_juce SYSTEM PUBLIC ${QV_JUCE_MODULES_DIR})
target_compile_options(qv_juce PRIVATE -w)
if(WIN32)
  target_include_directories(qv_juce SYSTEM PRIVATE ${QV_PNG_INCLUDE_DIR})
  # The module objects are too large for the default COFF section count.
  target_compile_options(qv_juce PUBLIC -Wa,-mbig-obj)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit MinGW: JUCE's COM helper swaps __uuidof for a template that
    # mingw-w64's IID_PPV_ARGS cannot use; the header puts that right.
    target_compile_options(qv_juce PRIVATE -fpermissive
      -include ${CMAKE_CURRENT_LIST_DIR}/mingw32-com-compat.h)
  endif()
  # The system libraries JUCE's Windows code calls (its module headers list
  # them for MinGW; Debian's build has no automatic linking).
  target_link_libraries(qv_juce PUBLIC ${QV_PNG_LIBRARY} ${QV_JPEG_LIBRARY} ${QV_ZLIB_LIBRARY} Threads::Threads
    uuid wsock32 wininet version ole32 ws2_32 oleaut32 imm32 comdlg32 shlwapi rpcrt4 winmm dxgi
    gdi32 user32 shell32 advapi32 comctl32)
  # The targets below need the plug-in's targets, which are made later, in
  # their folders; this runs once the top-level folder is done.
  #  - The module's export table (its two entry names and the library name)
  #    comes from plugin/QV-DelayTX.def.
  #  - qv-win32-hosting-test: the in-process test of the Win32 window rules,
  #    run under Wine by tests/windows/windows-tests.sh (not built by default).
  function(_qv_windows_targets)
    if(TARGET QV-DelayTX)
      target_sources(QV-DelayTX PRIVATE ${PROJECT_SOURCE_DIR}/plugin/QV-DelayTX.def)
    endif()
    set(_test_dir ${PROJECT_SOURCE_DIR}/tests/windows)
    if(TARGET qv_plugin AND TARGET qv_processor AND EXISTS ${_test_dir}/Win32HostingTest.cpp)
      add_executable(qv-win32-hosting-test EXCLUDE_FROM_ALL ${_test_dir}/Win32HostingTest.cpp ${_test_dir}/CheckLog.cpp)
      target_link_libraries(qv-win32-hosting-test PRIVATE qv_plugin qv_processor)
      set_target_properties(qv-win32-hosting-test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
    endif()
  endfunction()
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _qv_windows_targets)
else()
  target_link_libraries(qv_juce PUBLIC PkgConfig::QV_JUCE_DEPS JPEG::JPEG Threads::Threads ${CMAKE_DL_LIBS} rt)
endif()
