# A native build of this project beside the browser build, made as part of
# it: the glyph-table maker the browser build's text needs, and the Linux
# runner, cockpit and plug-in that the node runner and the page are checked
# against.
include(ExternalProject)

set(VELBRIK_NATIVE_DIR ${CMAKE_BINARY_DIR}/native)
set(VELBRIK_NATIVE_BIN ${VELBRIK_NATIVE_DIR}/bin)
ExternalProject_Add(velbrik_native
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${VELBRIK_NATIVE_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELBRIK_TESTS=OFF -DVELBRIK_BENCH=OFF
             -DVELBRIK_WERROR=${VELBRIK_WERROR}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target make_glyph_table velbrik-run velbrik-play Velbrik
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${VELBRIK_NATIVE_BIN}/make_glyph_table ${VELBRIK_NATIVE_BIN}/velbrik-run ${VELBRIK_NATIVE_BIN}/velbrik-play
  USES_TERMINAL_BUILD ON)
