# The Windows build of the programs (mingw-w64): the Win32 stand-in host over
# the neutral core, and the plug-in built beside it from this same source tree
# as DLLs in the Microsoft C++ ABI, with the module-only settings of the
# windows-x86 and windows-x64 presets. The 64-bit DLL is put beside the host.
set(VELBRIK_HOST_EXECUTABLE "velbrik-run-win32.exe" CACHE STRING
    "File name of the host executable: the Win32 stand-in host is built under it, and the plug-in imports from it")
set(VELBRIK_HOST_INCLUDE_DIR "" CACHE PATH "Passed to the plug-in's build (see windows/CMakeLists.txt)")
set(VELBRIK_HOST_IMPORT_LIBRARY "" CACHE FILEPATH "Passed to the plug-in's build (see windows/CMakeLists.txt)")

add_subdirectory(standin)
add_subdirectory(apps)

include(ExternalProject)
enable_testing()
foreach(arch x64 x86)
  set(dll_build ${CMAKE_BINARY_DIR}/dll-${arch})
  set(dlls ${dll_build}/bin/Velbrik.dll)
  if(arch STREQUAL x64)
    list(APPEND dlls ${dll_build}/bin/Crasher.dll)  # for the crash test
  endif()
  ExternalProject_Add(velbrik_dll_${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${dll_build}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchains/windows-msvc-${arch}.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DVELBRIK_MODULE_ONLY=ON
      -DVELBRIK_WERROR=${VELBRIK_WERROR}
      -DVELBRIK_HOST_EXECUTABLE=${VELBRIK_HOST_EXECUTABLE}
      -DVELBRIK_HOST_INCLUDE_DIR=${VELBRIK_HOST_INCLUDE_DIR}
      -DVELBRIK_HOST_IMPORT_LIBRARY=${VELBRIK_HOST_IMPORT_LIBRARY}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${dlls})
  # The DLL's own checks (exports, imports, entry point, code), run from here.
  add_test(NAME windows.dll-${arch} COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${dll_build} --output-on-failure)
endforeach()
ExternalProject_Add_Step(velbrik_dll_x64 beside_host
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/dll-x64/bin/Velbrik.dll ${CMAKE_BINARY_DIR}/bin/
  DEPENDEES build
  ALWAYS ON
  BYPRODUCTS ${CMAKE_BINARY_DIR}/bin/Velbrik.dll)
add_dependencies(velbrik-run-win32 velbrik_dll_x64)

add_subdirectory(tests/win32)

# The Windows download, build/windows-x64/velbrik-windows.zip.
set(zip ${CMAKE_BINARY_DIR}/velbrik-windows.zip)
set(dejavu /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf)
add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -DOUT=${zip} -DSTAGE=${CMAKE_BINARY_DIR}/windows-zip
          -DX86=${CMAKE_BINARY_DIR}/dll-x86/bin/Velbrik.dll -DX64=${CMAKE_BINARY_DIR}/dll-x64/bin/Velbrik.dll
          -DHOST=$<TARGET_FILE:velbrik-run-win32> -DHOST_NAME=${VELBRIK_HOST_EXECUTABLE}
          -DINSTALL_TEXT=${CMAKE_SOURCE_DIR}/windows/INSTALL.txt -DFONT=${dejavu} -DSTRIP=${CMAKE_STRIP}
          -P ${CMAKE_SOURCE_DIR}/cmake/windows-zip.cmake
  DEPENDS velbrik-run-win32 velbrik_dll_x86 velbrik_dll_x64 ${CMAKE_SOURCE_DIR}/windows/INSTALL.txt
          ${CMAKE_SOURCE_DIR}/cmake/windows-zip.cmake
  COMMENT "Packing velbrik-windows.zip")
add_custom_target(velbrik-windows-zip ALL DEPENDS ${zip})
add_test(NAME windows.zip COMMAND ${CMAKE_COMMAND} -DZIP=${zip} -DHOST=${VELBRIK_HOST_EXECUTABLE}
                                  -P ${CMAKE_SOURCE_DIR}/tests/win32/zip-contents.cmake)
