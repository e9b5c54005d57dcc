# Build rules for the Microsoft target, read after the platform's own: a DLL is
# linked by lld-link alone, with no default libraries and no manifest; compile
# flags for a build type carry no runtime library choice.
set(CMAKE_CXX_CREATE_SHARED_LIBRARY
    "<CMAKE_LINKER> /nologo /dll /nodefaultlib /manifest:no <LINK_FLAGS> /out:<TARGET> /implib:<TARGET_IMPLIB> <OBJECTS> <LINK_LIBRARIES>")
set(CMAKE_CXX_STANDARD_LIBRARIES_INIT "")
set(CMAKE_CXX_FLAGS_DEBUG_INIT "-O0 -g")
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-O2 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO_INIT "-O2 -g -DNDEBUG")
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Os -DNDEBUG")
foreach(runtime MultiThreaded MultiThreadedDLL MultiThreadedDebug MultiThreadedDebugDLL)
  set(CMAKE_CXX_COMPILE_OPTIONS_MSVC_RUNTIME_LIBRARY_${runtime} "")
endforeach()
