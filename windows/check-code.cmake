# The 32-bit DLL's code: doubles are computed in SSE2 registers, the x87 stack
# only loading and storing the doubles that the calling convention returns on
# it; and every member function of the module's display class is thiscall.
#   cmake -DDLL=Velbrik.dll -DMAP=Velbrik.map -DOBJDUMP=llvm-objdump -P check-code.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${DLL} OUTPUT_VARIABLE code RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -d ${DLL} failed")
endif()
string(REGEX MATCHALL "\n *[0-9a-f]+:[ \t]+[a-z][a-z0-9]*" instructions "${code}")
list(TRANSFORM instructions REPLACE "^.*[ \t]" "")
set(x87 ${instructions})
list(FILTER x87 INCLUDE REGEX "^f")
list(FILTER x87 EXCLUDE REGEX "^f(ld|stp)[ls]?$")
list(REMOVE_DUPLICATES x87)
if(x87)
  message(SEND_ERROR "x87 arithmetic in ${DLL}: ${x87}")
endif()
if(NOT "mulsd" IN_LIST instructions)
  message(SEND_ERROR "no SSE2 multiplication of doubles in ${DLL}")
endif()

# Member functions in the Microsoft scheme: access, then const-ness of this,
# then the calling convention, E for thiscall (data members have a digit there).
file(READ ${MAP} map)
string(REGEX MATCHALL "[?][^ \n]*BrickMFD@@[A-Z][^ \n]*" members "${map}")
list(REMOVE_DUPLICATES members)
set(others ${members})
list(FILTER others EXCLUDE REGEX "BrickMFD@@[A-Z][AB]E")
list(LENGTH members count)
if(count EQUAL 0 OR others)
  message(SEND_ERROR "of ${count} member functions in ${MAP}, not thiscall: [${others}]")
endif()
