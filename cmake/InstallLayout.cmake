# Where an installed copy keeps its files, relative to the install prefix,
# and the same places relative to the program so that the build tree (whose
# programs sit in bin/) can be laid out like an installed copy.
include(GNUInstallDirs)

set(LINQUARA_APP_ID com.velmorante.Linquara)
set(LINQUARA_HELP_DIR ${CMAKE_INSTALL_DATADIR}/linquara/help)
# The language modules are looked for beside the program.
set(LINQUARA_MODULE_DIR ${CMAKE_INSTALL_BINDIR})

file(RELATIVE_PATH LINQUARA_HELP_FROM_BIN
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/linquara/help)
file(RELATIVE_PATH LINQUARA_LIB_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
