# The stand-in's neutral core stays free of platform code: no POSIX, SDL or
# window-system header in it, and every file that needs no third-party library
# compiles for a 32-bit Windows target, which has no 128-bit integers.
#
#   cmake -DSOURCE=DIR [-DCOMPILER=i686-w64-mingw32-g++] -P tests/standin/neutral.cmake
cmake_minimum_required(VERSION 3.25)

set(folders standin/core standin/raster standin/images apps/autopilot)
# These reach a library (FreeType, libpng, giflib) and are only read for includes.
set(library_users standin/raster/font.cpp standin/images/png_writer.cpp standin/images/gif_writer.cpp)
set(forbidden "^[ \t]*#[ \t]*include[ \t]*[<\"](unistd|dlfcn|link|pthread|signal|fcntl|windows|SDL[^/]*|sys/[^>\"]*|X11/[^>\"]*)\\.h[>\"]")

set(failed "")
foreach(folder IN LISTS folders)
  file(GLOB files "${SOURCE}/${folder}/*.h" "${SOURCE}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH name "${SOURCE}" "${file}")
    file(STRINGS "${file}" lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "${forbidden}" OR line MATCHES "__int128|__extension__")
        message("${name}:${number}: platform-specific: ${line}")
        list(APPEND failed "${name}")
      endif()
    endforeach()
    if(DEFINED COMPILER AND file MATCHES "\\.cpp$" AND NOT name IN_LIST library_users)
      execute_process(COMMAND "${COMPILER}" -std=c++20 -fsyntax-only -Wall -Wextra -I "${SOURCE}" "${file}"
                      RESULT_VARIABLE status ERROR_VARIABLE errors)
      if(NOT status EQUAL 0)
        message("${name}: does not compile for ${COMPILER}:\n${errors}")
        list(APPEND failed "${name}")
      endif()
    endif()
  endforeach()
endforeach()

if(failed)
  list(REMOVE_DUPLICATES failed)
  message(FATAL_ERROR "not neutral: ${failed}")
endif()
message(STATUS "the neutral core is free of platform code")
