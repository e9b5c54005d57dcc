# The module as a Windows DLL in the host's C++ ABI, the Microsoft one: clang++
# for a *-windows-msvc target, linked by lld-link, with neither the system's
# headers nor any library of its own (windows/ supplies the few it needs).
# Included by windows-msvc-x86.cmake and windows-msvc-x64.cmake, which set
# CMAKE_CXX_COMPILER_TARGET and VELBRIK_TARGET_FLAGS first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER clang++)
find_program(CMAKE_LINKER NAMES lld-link lld-link-14 REQUIRED)
# Nothing to link a test program against: the compiler checks build libraries.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_CXX_FLAGS_INIT
    "-nostdinc++ -nostdlibinc -fno-exceptions -fno-rtti -fno-threadsafe-statics ${VELBRIK_TARGET_FLAGS}")
# The link rule is lld-link's own, without the platform's default libraries.
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/windows-msvc-rules.cmake)
