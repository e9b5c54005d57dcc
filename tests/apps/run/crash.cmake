# A module that faults under a runner: exit status 3, the script line and the
# fault named, the trace up to the fault kept, no temporary file left. What the
# module does not give (a version, a display) shows in the trace as null.
#   cmake -DRUNNER="wine64 host.exe" -DCRASHER=Crasher.dll -DACCESS=NAME -DILLEGAL=NAME -DWORK=DIR -P crash.cmake
# ACCESS and ILLEGAL name the faults as the runner reports them.
cmake_minimum_required(VERSION 3.25)
separate_arguments(runner UNIX_COMMAND "${RUNNER}")
set(kept "\nvelbrik-run: the trace up to the crash is in out/t.jsonl\n")
set(cases
  "open 64 64\nrepaint 2\nrepaint 5\n|3|s.session:3: the module crashed (${ACCESS}) during 'repaint'${kept}|[\"LineTo\",5,5]"
  "open 64 64\nkey 0x2E\n|3|s.session:2: the module crashed (${ILLEGAL}) during 'key'${kept}|[\"@\",\"key\",46]"
  "version\nopen 0 0\n|0||[\"@\",\"version\"]\n[\"=\",null]\n[\"@\",\"open\",0,0]\n[\"=\",null]\n[\"@\",\"unload\"]")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 script)
  list(GET case 1 want)
  list(GET case 2 expected)
  list(GET case 3 last)
  file(REMOVE_RECURSE ${WORK})
  file(MAKE_DIRECTORY ${WORK}/out)
  file(WRITE ${WORK}/s.session "${script}")
  execute_process(COMMAND ${runner} --plugin ${CRASHER} --script s.session --trace out/t.jsonl
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL want OR NOT errors STREQUAL expected)
    message(FATAL_ERROR "status ${status}, said:\n${errors}\nnot ${want} and:\n${expected}")
  endif()
  file(READ ${WORK}/out/t.jsonl trace)
  string(LENGTH "${last}\n" tail)
  string(LENGTH "${trace}" size)
  math(EXPR from "${size} - ${tail}")
  string(SUBSTRING "${trace}" ${from} -1 end)
  if(NOT end STREQUAL "${last}\n")
    message(FATAL_ERROR "the trace ends with ${end}, not ${last}")
  endif()
  file(GLOB left ${WORK}/out/*)
  if(NOT left STREQUAL "${WORK}/out/t.jsonl")
    message(FATAL_ERROR "left in out/: ${left}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
