# The Debian package: `cpack -G DEB` in a build directory (scripts/package.sh does it in a
# release build of its own). It holds what `cmake --install` installs: the console, the
# simulator, the command-line tool, the icon, the desktop entry and the technician's
# guides in Russian and English, under /usr.
set(CPACK_PACKAGE_NAME trelvik-console)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Trelvik")
set(CPACK_PACKAGE_CONTACT "Trelvik service tools <service-tools@trelvik.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service console for the Trelvik display unit and its fuel-level sensors")
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop console with which a technician sets up and tests a Trelvik display unit and its fuel-level sensors over an RS-485 line behind a serial port: polling level and temperature, searching the line, reading and writing calibration tables, setting modes and passwords. Includes trelvik-cli, the same device work from a shell with whole-unit backup and restore, and trelvik-sim, a simulator of the devices on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# dpkg-shlibdeps finds the libraries the programs link (Qt Core, Gui, Widgets, Serial Port,
# the C and C++ runtimes) with their versions. Qt loads the SVG support for the window
# icon as a plugin at run time, which it cannot see, so that one is named here.
# Qt's own texts in Russian (standard buttons, file dialogs: qtbase_ru.qm) come from
# Debian's translations package, which no library links either.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4), qt6-translations-l10n")

install(FILES ${PROJECT_SOURCE_DIR}/docs/guide-ru.md ${PROJECT_SOURCE_DIR}/docs/guide-en.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trelvik-console)

include(CPack)
