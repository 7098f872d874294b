# Compiles the JUCE modules this project needs straight from Debian's module
# sources into one static, position-independent library. Every target that
# uses JUCE links qv_juce and so shares the one compiled copy per build tree.
set(QV_JUCE_MODULES_DIR /usr/share/juce/modules CACHE PATH "Folder holding the JUCE modules")
if(NOT EXISTS ${QV_JUCE_MODULES_DIR}/juce_core/juce_core.h)
  message(FATAL_ERROR "JUCE modules not found in ${QV_JUCE_MODULES_DIR}; run scripts/install-deps.sh")
endif()

set(QV_JUCE_MODULES juce_core juce_events juce_data_structures juce_graphics juce_gui_basics juce_audio_basics)

find_package(PkgConfig REQUIRED)
pkg_check_modules(QV_JUCE_DEPS REQUIRED IMPORTED_TARGET freetype2 libpng zlib)
find_package(JPEG REQUIRED)
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
target_compile_definitions(qv_juce PUBLIC ${_qv_juce_defs})
target_include_directories(qv_juce SYSTEM PUBLIC ${QV_JUCE_MODULES_DIR})
target_compile_options(qv_juce PRIVATE -w)
target_link_libraries(qv_juce PUBLIC PkgConfig::QV_JUCE_DEPS JPEG::JPEG Threads::Threads ${CMAKE_DL_LIBS} rt)
