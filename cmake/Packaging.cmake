# The Debian package: `cpack -G DEB` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (the library looks for the machine stand-in
# under the configured prefix, so package and build must agree).
set(CPACK_PACKAGE_NAME linquara)
set(CPACK_PACKAGE_VENDOR Velmorante)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fax address book editor for the Quillabrex K7710/K7910")
set(CPACK_PACKAGE_DESCRIPTION
  "Linquara reads the fax speed dials and group dials of a Quillabrex K7710/K7910
over USB, edits them on the PC and writes them back, and edits the PC Fax
Address Book of the PC fax driver. The package carries the abiflink library,
a simulated machine behind a stand-in still-image library, and its front
panel qvs-machine.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Linquara team <linquara@velmorante.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Libraries the binaries link come from dpkg-shlibdeps; the Qt plugins the
# program loads at run time (window system, SVG icons, SQLite for the mail
# program's address book) do not show up there and are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, adwaita-icon-theme | breeze-icon-theme, hicolor-icon-theme")

include(CPack)
