# Installing and packaging: the programs, the plug-in and the host library in
# one folder (the programs find the plug-in beside them), the programs also on
# the command path, and the README, its pictures and the examples as docs.
# `cpack -G DEB` in a build folder makes the Debian package.
include(GNUInstallDirs)
set(velbrik_libdir ${CMAKE_INSTALL_LIBDIR}/velbrik)
set_target_properties(velbrik-run velbrik-play PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS velbrik-run velbrik-play Velbrik velbrik_standin
        RUNTIME DESTINATION ${velbrik_libdir} LIBRARY DESTINATION ${velbrik_libdir})
foreach(program velbrik-run velbrik-play)
  install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${CMAKE_INSTALL_LIBDIR}/velbrik/${program}
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" SYMBOLIC)")
endforeach()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/velbrik)
install(DIRECTORY docs/ examples DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/velbrik)

set(CPACK_PACKAGE_NAME velbrik)
set(CPACK_PACKAGE_VENDOR "Velbrik")
set(CPACK_PACKAGE_CONTACT "Velbrik developers <velbrik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A brick-breaker display mode for the simulator's cockpit displays, with a stand-in host to run it")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libsdl2-2.0-0, libfreetype6, libpng16-16, libgif7, fonts-dejavu-core")
include(CPack)
