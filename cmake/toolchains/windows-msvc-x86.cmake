# 32-bit Windows DLLs for the host's 32-bit build. Doubles are computed in SSE2
# registers, as on Linux, not on the x87 stack, whose wider intermediates would
# change results.
set(CMAKE_SYSTEM_PROCESSOR X86)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
set(VELBRIK_TARGET_FLAGS "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/windows-msvc.cmake)
