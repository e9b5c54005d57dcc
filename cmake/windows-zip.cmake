# Packs the Windows download: both DLLs, the install text with the host's name
# filled in (Windows line ends), and the Win32 stand-in host with the font it
# draws text with. Run by the windows-x64 build:
#   cmake -DOUT=ZIP -DSTAGE=DIR -DX86=DLL -DX64=DLL -DHOST=EXE -DHOST_NAME=NAME
#         -DINSTALL_TEXT=FILE -DFONT=TTF [-DSTRIP=TOOL] -P windows-zip.cmake
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/x86 ${STAGE}/x64)
file(COPY ${X86} DESTINATION ${STAGE}/x86)
file(COPY ${X64} DESTINATION ${STAGE}/x64)
file(COPY ${HOST} ${FONT} DESTINATION ${STAGE})
file(READ ${INSTALL_TEXT} text)
string(REPLACE "@VELBRIK_HOST_EXECUTABLE@" "${HOST_NAME}" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${STAGE}/INSTALL.txt "${text}")
get_filename_component(host_file ${HOST} NAME)
if(STRIP)
  execute_process(COMMAND ${STRIP} ${STAGE}/${host_file})  # no debugging symbols in the download
endif()
get_filename_component(font_file ${FONT} NAME)
file(REMOVE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT} --format=zip -- INSTALL.txt x86/Velbrik.dll x64/Velbrik.dll
                        ${host_file} ${font_file}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot make ${OUT}")
endif()
