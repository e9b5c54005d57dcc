# The DLL's face to the host, read by llvm-readobj: exactly the three exports
# under undecorated names, DllMain as the entry point, and imports from the
# platform's DLLs and the host executable alone, the host's functions under
# their names in the Microsoft C++ ABI (thiscall members on 32 bits).
#   cmake -DDLL=Velbrik.dll -DMAP=Velbrik.map -DARCH=x86|x64 -DHOST=host.exe -DREADOBJ=llvm-readobj -P check-interface.cmake
cmake_minimum_required(VERSION 3.25)
set(exports GetModuleVersion opcDLLExit opcDLLInit)
set(imports
    msvcrt.dll:_vsnprintf msvcrt.dll:acos msvcrt.dll:cos msvcrt.dll:free msvcrt.dll:malloc msvcrt.dll:memset
    msvcrt.dll:sin msvcrt.dll:strlen
    gdi32.dll:Ellipse gdi32.dll:LineTo gdi32.dll:MoveToEx gdi32.dll:SetPixel gdi32.dll:SetTextColor gdi32.dll:TextOutA
    user32.dll:GetCursorPos kernel32.dll:GetProcAddress)
if(ARCH STREQUAL x86)
  set(entry _DllMain@12)
  set(host
      ?InitLib@@YAXPAUHINSTANCE__@@@Z ?Date2Int@@YAHPAD@Z ?oapiRegisterMFDMode@@YAHAAUMFDMODESPEC@@@Z
      ?oapiUnregisterMFDMode@@YA_NH@Z ??0MFD@@QAE@KKPAVVESSEL@@@Z ??1MFD@@UAE@XZ
      ?SelectDefaultPen@MFD@@QBEPAUHPEN__@@PAUHDC__@@K@Z ?ConsumeKeyImmediate@MFD@@UAE_NPAD@Z
      ?WriteStatus@MFD@@UBEXPAX@Z ?ReadStatus@MFD@@UAEXPAX@Z ?StoreStatus@MFD@@UBEXXZ ?RecallStatus@MFD@@UAEXXZ)
else()
  set(entry DllMain)
  set(host
      ?InitLib@@YAXPEAUHINSTANCE__@@@Z ?Date2Int@@YAHPEAD@Z ?oapiRegisterMFDMode@@YAHAEAUMFDMODESPEC@@@Z
      ?oapiUnregisterMFDMode@@YA_NH@Z ??0MFD@@QEAA@KKPEAVVESSEL@@@Z ??1MFD@@UEAA@XZ
      ?SelectDefaultPen@MFD@@QEBAPEAUHPEN__@@PEAUHDC__@@K@Z ?ConsumeKeyImmediate@MFD@@UEAA_NPEAD@Z
      ?WriteStatus@MFD@@UEBAXPEAX@Z ?ReadStatus@MFD@@UEAAXPEAX@Z ?StoreStatus@MFD@@UEBAXXZ ?RecallStatus@MFD@@UEAAXXZ)
endif()
foreach(name ${host})
  list(APPEND imports ${HOST}:${name})
endforeach()

set(failures 0)
function(expect_same what expected actual)
  list(SORT expected)
  list(SORT actual)
  if(NOT expected STREQUAL actual)
    set(missing ${expected})
    set(unexpected ${actual})
    list(REMOVE_ITEM missing ${actual})
    list(REMOVE_ITEM unexpected ${expected})
    message(SEND_ERROR "${what}: missing [${missing}], unexpected [${unexpected}]")
  endif()
endfunction()

function(read_object option out)
  execute_process(COMMAND ${READOBJ} ${option} ${DLL} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${READOBJ} ${option} ${DLL} failed")
  endif()
  # One list item a line; a semicolon in a name would split it, and none has one.
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Exports: the address table's unnamed slot 0 aside, names only.
read_object(--coff-exports lines)
set(names)
foreach(line ${lines})
  if(line MATCHES "^  Name: (.+)$")
    list(APPEND names ${CMAKE_MATCH_1})
  endif()
endforeach()
expect_same(exports "${exports}" "${names}")

# Imports as DLL:NAME; every import is by name.
read_object(--coff-imports lines)
set(names)
foreach(line ${lines})
  if(line MATCHES "^  Name: (.+)$")
    set(dll ${CMAKE_MATCH_1})
  elseif(line MATCHES "^  Symbol: (.+) \\([0-9]+\\)$")
    list(APPEND names ${dll}:${CMAKE_MATCH_1})
  elseif(line MATCHES "Ordinal")
    message(SEND_ERROR "an import by ordinal: ${line}")
  endif()
endforeach()
expect_same(imports "${imports}" "${names}")

# The entry point is DllMain, found by its address in the link map.
read_object(--file-headers lines)
foreach(line ${lines})
  if(line MATCHES "^  AddressOfEntryPoint: (0x[0-9A-Fa-f]+)$")
    set(entry_rva ${CMAKE_MATCH_1})
  elseif(line MATCHES "^  ImageBase: (0x[0-9A-Fa-f]+)$")
    set(base ${CMAKE_MATCH_1})
  endif()
endforeach()
file(READ ${MAP} map)
if(NOT map MATCHES " ${entry} +([0-9a-f]+) " OR NOT DEFINED entry_rva OR NOT DEFINED base)
  message(FATAL_ERROR "no ${entry} in ${MAP}, or no entry point in ${DLL}")
endif()
math(EXPR entry_address "${entry_rva} + ${base}" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR main_address "0x${CMAKE_MATCH_1}" OUTPUT_FORMAT HEXADECIMAL)
if(NOT entry_address STREQUAL main_address)
  message(SEND_ERROR "the entry point is at ${entry_address}, ${entry} at ${main_address}")
endif()
