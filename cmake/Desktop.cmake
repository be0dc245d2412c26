# What makes the programs an installed desktop program: install rules, the desktop entry, the
# shared MIME types of the librarian's files, AppStream metadata, icons, manual pages, the user
# manual and the Debian package. Icons, manual pages and the user manual are made at build time
# from the text and drawing in data/ and doc/.
include(GNUInstallDirs)

set(ZEL_APP_ID org.zel1edit.ZEL1Edit)
set(ZEL_RELEASE_DATE 2026-12-07)
set(ZEL_SCREENSHOT_URL "https://zel1edit.org/screenshots"
    CACHE STRING "Where the pictures named in the AppStream metadata are published")
set(ZEL_MAINTAINER "ZEL-1 Edit maintainers <maintainers@zel1edit.org>"
    CACHE STRING "Maintainer of the Debian package")

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(SCDOC scdoc REQUIRED)
find_program(CMARK cmark REQUIRED)

# Icons: the drawing, and PNGs rendered from it at the sizes of the hicolor theme. The editor
# carries the PNGs as its window icon.
set(ZEL_ICON_SVG ${CMAKE_CURRENT_SOURCE_DIR}/data/zel1edit.svg)
set(ZEL_ICON_SIZES 16 32 48 64 128 256)
set(ZEL_ICON_PNGS)
foreach(size ${ZEL_ICON_SIZES})
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons
                     COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ZEL_ICON_SVG}
                     DEPENDS ${ZEL_ICON_SVG} VERBATIM)
  list(APPEND ZEL_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${ZEL_APP_ID}.png)
endforeach()
if(TARGET zel_ui)
  qt_add_resources(zel_ui program_icon PREFIX /program-icon BASE ${CMAKE_CURRENT_BINARY_DIR}/icons
                   FILES ${ZEL_ICON_PNGS})
endif()
install(FILES ${ZEL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ZEL_APP_ID}.svg)

# Manual pages. A page made of several pieces (one per command group) joins them in name order.
set(ZEL_MAN_PAGES)
function(zel_man_page name)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1)
  add_custom_command(OUTPUT ${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
                     COMMAND sh -c "cat \"$@\" | ${SCDOC} > ${page}" sh ${ARGN}
                     COMMAND gzip -9nf ${page}
                     DEPENDS ${ARGN} VERBATIM)
  set(ZEL_MAN_PAGES ${ZEL_MAN_PAGES} ${page}.gz PARENT_SCOPE)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
zel_man_page(zel1edit ${CMAKE_CURRENT_SOURCE_DIR}/doc/man/zel1edit.1.scd)
zel_man_page(zel1-emulator ${CMAKE_CURRENT_SOURCE_DIR}/doc/man/zel1-emulator.1.scd)
file(GLOB ZEL_CLI_PAGE CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/doc/man/zel1-cli/*.scd)
list(SORT ZEL_CLI_PAGE)
zel_man_page(zel1-cli ${ZEL_CLI_PAGE})

# The user manual that Help, "Contents" opens: the README's sections for users, as one page.
set(ZEL_MANUAL ${CMAKE_CURRENT_BINARY_DIR}/doc/manual.html)
add_custom_command(OUTPUT ${ZEL_MANUAL}
                   COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/doc/user-manual.sh
                           ${CMAKE_CURRENT_SOURCE_DIR}/README.md ${ZEL_MANUAL} ${PROJECT_VERSION}
                   DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/README.md
                           ${CMAKE_CURRENT_SOURCE_DIR}/doc/user-manual.sh VERBATIM)
install(FILES ${ZEL_MANUAL} DESTINATION ${CMAKE_INSTALL_DATADIR}/zel1edit)

# The Debian package's own documents.
set(ZEL_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${ZEL_CHANGELOG}
                   COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/doc/changelog > ${ZEL_CHANGELOG}
                   DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/doc/changelog VERBATIM)
install(FILES doc/copyright ${ZEL_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zel1edit)

add_custom_target(zel_docs ALL DEPENDS ${ZEL_MAN_PAGES} ${ZEL_MANUAL} ${ZEL_ICON_PNGS}
                                       ${ZEL_CHANGELOG})

# The desktop entry, the file types and the metadata.
configure_file(data/${ZEL_APP_ID}.metainfo.xml.in ${ZEL_APP_ID}.metainfo.xml @ONLY)
install(FILES data/${ZEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ZEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/${ZEL_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${ZEL_APP_ID}.xml)

foreach(program zel1edit zel1-cli zel1-emulator)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The Debian package: its dependencies are found from the programs' libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zel1edit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and librarian for the ZEL-1 synthesizer module")
# CPack puts the summary first and indents the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "ZEL-1 Edit reads the 20 sounds and 20 groups of a ZEL-1 multi-timbral
synthesizer module over MIDI System Exclusive, edits every parameter live
and keeps a library of sound and group files. A built-in virtual ZEL-1
works without the hardware.

The package also holds zel1-cli, a command-line librarian, and
zel1-emulator, a virtual ZEL-1 on JACK or ALSA MIDI ports.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's platform plugins are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/package)
include(CPack)
