# Runs a runner over every session of the digest set and compares the SHA-256
# of each call trace with the one recorded in SHA256SUMS.
#
#   cmake -DRUNNER="COMMAND" [-DWORK=DIR] [-DSCRIPTS_ONLY=ON] -P tests/digests/check.cmake
#
# RUNNER is the command line that starts a runner (split as a shell would,
# e.g. "wine velbrik-run.exe --plugin Velbrik.dll"); it is given
# `--script FILE --trace FILE`, or `--demo --trace FILE` for the entry
# demo.jsonl (`--demo --size WxH` for demo-WxH.jsonl). The entry NAME.jsonl is the trace of NAME.session in this folder,
# or else in examples/. Traces are written to WORK (default: ./digest-traces);
# those that match are removed, those that differ are kept for inspection.
# SCRIPTS_ONLY skips the demo entries, for a runner without the autopilot.
# Names every failing session and fails if any differs, cannot run, or if a
# session here has no recorded digest.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED RUNNER OR RUNNER STREQUAL "")
  message(FATAL_ERROR "check.cmake: give the runner command with -DRUNNER=...")
endif()
separate_arguments(runner UNIX_COMMAND "${RUNNER}")
set(here "${CMAKE_CURRENT_LIST_DIR}")
get_filename_component(examples "${here}/../../examples" ABSOLUTE)
if(NOT DEFINED WORK)
  set(WORK "${CMAKE_CURRENT_BINARY_DIR}/digest-traces")
endif()
file(MAKE_DIRECTORY "${WORK}")

file(STRINGS "${here}/SHA256SUMS" entries)
set(failed "")
set(listed "")
foreach(entry IN LISTS entries)
  if(NOT entry MATCHES "^([0-9a-f]+)  ([A-Za-z0-9._-]+)\\.jsonl$")
    message(FATAL_ERROR "check.cmake: bad line in SHA256SUMS: ${entry}")
  endif()
  set(want "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  list(APPEND listed "${name}")
  set(trace "${WORK}/${name}.jsonl")
  if(SCRIPTS_ONLY AND name MATCHES "^demo")
    continue()
  elseif(name STREQUAL "demo")
    set(input --demo)
  elseif(name MATCHES "^demo-([0-9]+x[0-9]+)$")
    set(input --demo --size "${CMAKE_MATCH_1}")
  elseif(EXISTS "${here}/${name}.session")
    set(input --script "${here}/${name}.session")
  elseif(EXISTS "${examples}/${name}.session")
    set(input --script "${examples}/${name}.session")
  else()
    message("${name}: no session script")
    list(APPEND failed "${name}")
    continue()
  endif()
  execute_process(COMMAND ${runner} ${input} --trace "${trace}" RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    string(STRIP "${errors}" errors)
    message("${name}: the runner failed (${status}): ${errors}")
    list(APPEND failed "${name}")
    continue()
  endif()
  file(SHA256 "${trace}" got)
  if(got STREQUAL want)
    file(REMOVE "${trace}")
  else()
    message("${name}: trace differs (kept: ${trace})")
    list(APPEND failed "${name}")
  endif()
endforeach()

file(GLOB sessions RELATIVE "${here}" "${here}/*.session")
foreach(session IN LISTS sessions)
  string(REGEX REPLACE "\\.session$" "" name "${session}")
  if(NOT name IN_LIST listed)
    message("${name}: no digest in SHA256SUMS")
    list(APPEND failed "${name}")
  endif()
endforeach()

list(LENGTH listed total)
list(LENGTH failed bad)
if(bad GREATER 0)
  list(JOIN failed " " names)
  message(FATAL_ERROR "failed: ${names}")
endif()
message(STATUS "all ${total} digests match")
