# The Debian package of the three programs, built by CPack's DEB generator from the install
# rules (tools/make-package.sh configures with CMAKE_INSTALL_PREFIX=/usr and runs cpack).
set(VRX_PACKAGE_CONTACT "VRX-L Service developers <vrx-service@example.org>")

# A Debian package carries its copyright and its changelog (compressed, as for a native
# package) in its documentation folder.
find_program(GZIP gzip REQUIRED)
set(package_changelog ${CMAKE_BINARY_DIR}/debian/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${package_changelog} @ONLY)
add_custom_command(OUTPUT ${package_changelog}.gz
  COMMAND ${GZIP} -9nkf ${package_changelog}
  DEPENDS ${package_changelog}
  VERBATIM)
add_custom_target(vrx_package_docs ALL DEPENDS ${package_changelog}.gz)
set(package_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vrx-service)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${package_changelog}.gz
  DESTINATION ${package_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vrx-service)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VRX-L Service developers")
set(CPACK_PACKAGE_CONTACT ${VRX_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "service tool for VRX-L heat calculators
vrx-service connects to a VRX-L heat calculator, an RQ-7 pulse-counting unit
or the additional Modbus interface module on a serial port, identifies it,
reads and writes its settings, reads its current values and services it.

The package also holds vrxctl, which runs the same actions from the command
line, and vrx-sim, an emulated instrument on a pseudo-terminal.")
# The libraries the programs link are found by dpkg-shlibdeps (gensio's libgensio4 among them,
# which also holds the telnet and TCP modules it loads); Qt's SQLite driver is a plugin loaded at
# run time, which it cannot see, Qt's Russian translations are data files the window loads at
# start, and the documents are set in DejaVu Sans, whose glyphs their PDF files embed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
