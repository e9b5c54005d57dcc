# 64-bit Windows DLLs for the host's 64-bit build.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(VELBRIK_TARGET_FLAGS "")
include(${CMAKE_CURRENT_LIST_DIR}/windows-msvc.cmake)
