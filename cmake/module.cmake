# The module: compiled once, linked both as the plug-in and as a library for tests.
# It needs nothing but a C++ compiler; on Windows the plug-in is a DLL (windows/).
add_library(velbrik_objects OBJECT
  module/entry.cpp
  game/frame.cpp
  game/bricks.cpp
  game/motion.cpp
  game/collision.cpp
  game/controls.cpp
  draw/text.cpp
  draw/paddle_ball.cpp
  draw/surface.cpp)
set_target_properties(velbrik_objects PROPERTIES
  POSITION_INDEPENDENT_CODE ON
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
# sin and cos stay separate calls: merging them into one sincos call is up to
# each compiler and must not decide the bits of a rebound.
target_compile_options(velbrik_objects PRIVATE -fno-exceptions -fno-builtin-sin -fno-builtin-cos)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # No unique symbols: they would keep the plug-in loaded after it is closed.
  target_compile_options(velbrik_objects PRIVATE -fno-gnu-unique)
endif()

if(EMSCRIPTEN)
  # No plug-ins in the browser: the module is linked into the programs.
  add_library(velbrik_game STATIC $<TARGET_OBJECTS:velbrik_objects>)
  return()
endif()

# The plug-in: exports only its own entry points and leaves the host's functions
# to whoever loads it (on Windows, to the host executable's import library).
add_library(Velbrik SHARED $<TARGET_OBJECTS:velbrik_objects>)
set_target_properties(Velbrik PROPERTIES PREFIX "")
if(WIN32)
  enable_testing()  # the DLL's checks
  add_subdirectory(windows)
else()
  set_target_properties(Velbrik PROPERTIES LINK_DEPENDS ${CMAKE_SOURCE_DIR}/module/exports.map)
  target_link_options(Velbrik PRIVATE -Wl,--version-script=${CMAKE_SOURCE_DIR}/module/exports.map)
  add_library(velbrik_game STATIC $<TARGET_OBJECTS:velbrik_objects>)
endif()
