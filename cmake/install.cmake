# What `cmake --install` puts in place, and the Debian package `cpack -G DEB` makes of it:
#   bin/tolvane, bin/KORVET, bin/rpls-dump
#   share/man/man1/tolvane.1, KORVET.1, rpls-dump.1
#   share/doc/tv-recording-tools/README.md, korvet.md, performance.md
include(GNUInstallDirs)

set(TV_PACKAGE_NAME tv-recording-tools)
set(TV_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${TV_PACKAGE_NAME})

install(TARGETS tolvane KORVET rpls_dump RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md DESTINATION ${TV_DOC_DIR})
# Man pages and docs that are present (each arrives with its own change).
foreach(page tolvane.1 KORVET.1 rpls-dump.1)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/docs/man/${page})
    install(FILES docs/man/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
foreach(doc korvet.md performance.md)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/docs/${doc})
    install(FILES docs/${doc} DESTINATION ${TV_DOC_DIR})
  endif()
endforeach()

set(CPACK_PACKAGE_NAME ${TV_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "tolvane and KORVET developers")
set(CPACK_PACKAGE_CONTACT "tolvane and KORVET developers <tv-recording-tools@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programme information for RPLS playlists, and TS packet-format conversion")
set(CPACK_PACKAGE_DESCRIPTION
    "tolvane writes programme information (date, times, channel, title, descriptions, genres) into the RPLS\n"
    "playlist files of BD recorders, from another RPLS file, a TS recording or the command line.\n"
    "KORVET converts TS recordings between plain 188-byte packets, FW192 and BD192 (.m2ts).\n"
    "rpls-dump shows what an RPLS file holds.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
