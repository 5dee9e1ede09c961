# Where `cmake --install` puts Korvane, after the Linux conventions (GNUInstallDirs): the
# programs, the desktop integration, the manual pages, the completion and the documentation.
include(GNUInstallDirs)
# GNUInstallDirs names the folder after the project ("Korvane"), and Qt's package files may
# have fixed that already; Debian and the guide's links expect the package's name.
set(KORVANE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/korvane)

set(KORVANE_APP_ID org.korvane.Korvane)
set(KORVANE_DATA ${PROJECT_SOURCE_DIR}/data)

install(TARGETS korvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KORVANE_GUI)
  install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${KORVANE_DATA}/${KORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KORVANE_DATA}/${KORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${KORVANE_DATA}/icons/korvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${KORVANE_APP_ID}.svg)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${KORVANE_DATA}/icons/korvane-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KORVANE_APP_ID}.png)
  endforeach()
endif()
install(FILES ${KORVANE_DATA}/${KORVANE_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${KORVANE_APP_ID}.xml)
install(FILES ${KORVANE_DATA}/completion/korvane-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages, compressed as Debian keeps them. korvane-cli's is made from its own --help,
# so the two cannot disagree; korvane takes no command line, so its page is written out.
find_program(KORVANE_HELP2MAN help2man)
find_program(KORVANE_GZIP gzip REQUIRED)
set(man_pages ${CMAKE_BINARY_DIR}/man/korvane.1.gz)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/korvane.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND ${KORVANE_GZIP} -9n -c ${KORVANE_DATA}/man/korvane.1 > ${CMAKE_BINARY_DIR}/man/korvane.1.gz
  DEPENDS ${KORVANE_DATA}/man/korvane.1 VERBATIM)
# A sanitizer build is never installed, and its program should not run while it is built.
if(KORVANE_HELP2MAN AND NOT KORVANE_SANITIZE)
  list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/korvane-cli.1.gz)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/korvane-cli.1.gz ${CMAKE_BINARY_DIR}/man/korvane-cli.1
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${KORVANE_HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
            --include=${KORVANE_DATA}/man/korvane-cli.h2m --output=${CMAKE_BINARY_DIR}/man/korvane-cli.1
            $<TARGET_FILE:korvane-cli>
    COMMAND ${KORVANE_GZIP} -9nf ${CMAKE_BINARY_DIR}/man/korvane-cli.1 -k
    DEPENDS korvane-cli ${KORVANE_DATA}/man/korvane-cli.h2m VERBATIM)
elseif(NOT KORVANE_SANITIZE)
  message(WARNING "help2man not found: korvane-cli's manual page is not made (scripts/deps.sh installs it)")
endif()
add_custom_target(korvane_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The documentation: the guide and the gallery with their pictures, the examples, and the
# copyright and changelog that Debian expects beside them.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/docs/gallery.md
        ${KORVANE_DATA}/copyright DESTINATION ${KORVANE_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide ${PROJECT_SOURCE_DIR}/docs/gallery
        DESTINATION ${KORVANE_DOCDIR} FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${KORVANE_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.lin")
# The package's version has no Debian revision, so Debian reads it as native: changelog.gz.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND ${KORVANE_GZIP} -9n -c ${KORVANE_DATA}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${KORVANE_DATA}/changelog VERBATIM)
add_custom_target(korvane_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${KORVANE_DOCDIR})

include(cmake/KorvanePackage.cmake)
