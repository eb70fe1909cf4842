# Installing and packaging: both programs, the help page, the desktop entry, the AppStream
# metainfo, the man pages and the icons, and the Debian package that `cpack -G DEB` makes of
# them (scripts/package.sh). The desktop entry, the metainfo and the icons carry the
# program's id, as software centres and desktops look them up by it.

include(GNUInstallDirs)

set(QUILLARAN_ID org.brackenfold.Quillaran)
set(QUILLARAN_HOMEPAGE https://brackenfold.org/quillaran)
set(QUILLARAN_CONTACT quillaran@brackenfold.org)
# The date of this version's release, named by the metainfo and the man pages.
set(QUILLARAN_RELEASE_DATE 2026-12-08)
# No licence has been granted for the program yet; its metadata says so rather than claim one.
# resources/copyright.in words the licence for the package: change both together.
set(QUILLARAN_LICENSE LicenseRef-proprietary)

# Tools that run at build time exit without the leak report of a sanitizer build.
set(QUILLARAN_BUILD_TOOL ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0)

install(TARGETS quillaran quillaran-web RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/QuillaranHelp.htm DESTINATION ${CMAKE_INSTALL_DATADIR}/quillaran)
install(FILES resources/${QUILLARAN_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(resources/${QUILLARAN_ID}.metainfo.xml.in ${QUILLARAN_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QUILLARAN_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(resources/copyright.in copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillaran)

# The Debian changelog, compressed as Debian keeps it. Its newest entry must name this version.
file(STRINGS resources/changelog.in newest_change LIMIT_COUNT 1)
if(NOT newest_change MATCHES "^quillaran \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "resources/changelog.in begins \"${newest_change}\": give version "
    "${PROJECT_VERSION} its entry there")
endif()
configure_file(resources/changelog.in changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillaran)

# The icon: the scalable one, and PNGs at the sizes desktops ask for, rendered from it.
set(QUILLARAN_ICON ${CMAKE_SOURCE_DIR}/resources/icons/quillaran.svg)
set(QUILLARAN_ICON_SIZES 48 128 256)
install(FILES ${QUILLARAN_ICON} RENAME ${QUILLARAN_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
add_executable(quillaran_render_icon resources/icons/RenderIcon.cpp)
target_link_libraries(quillaran_render_icon PRIVATE Qt6::Svg Qt6::Gui)
target_compile_options(quillaran_render_icon PRIVATE ${QUILLARAN_WARNINGS})
set(QUILLARAN_MADE_FILES)
foreach(size IN LISTS QUILLARAN_ICON_SIZES)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${QUILLARAN_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${QUILLARAN_BUILD_TOOL} $<TARGET_FILE:quillaran_render_icon> ${QUILLARAN_ICON} ${size}
      ${png}
    DEPENDS quillaran_render_icon ${QUILLARAN_ICON}
    COMMENT "Rendering the ${size} pixel icon" VERBATIM)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND QUILLARAN_MADE_FILES ${png})
endforeach()

# The man pages: their option and setting lists come from quillaran-web --help.
set(QUILLARAN_MAN_PAGES quillaran quillaran-web)
foreach(page IN LISTS QUILLARAN_MAN_PAGES)
  set(template ${CMAKE_SOURCE_DIR}/resources/man/${page}.1.in)
  set(man ${CMAKE_BINARY_DIR}/man/${page}.1)
  add_custom_command(OUTPUT ${man} ${man}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${QUILLARAN_BUILD_TOOL} bash ${CMAKE_SOURCE_DIR}/scripts/man-page.sh
      $<TARGET_FILE:quillaran-web> ${template} ${man} ${PROJECT_VERSION} ${QUILLARAN_RELEASE_DATE}
    COMMAND gzip -9nkf ${man}
    DEPENDS quillaran-web ${template} ${CMAKE_SOURCE_DIR}/scripts/man-page.sh
    COMMENT "Writing the man page ${page}(1)" VERBATIM)
  install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND QUILLARAN_MADE_FILES ${man}.gz)
endforeach()
add_custom_target(quillaran_installed_files ALL
  DEPENDS ${QUILLARAN_MADE_FILES} ${CMAKE_BINARY_DIR}/changelog.gz)

# The Debian package. Its dependencies are those of the shared libraries the programs link
# (dpkg-shlibdeps, from dpkg-dev), and libqt6svg6, whose plugin draws the SVG icons of the
# toolbar and the window without being linked. xdg-utils opens the web album and the help
# page; qt6-wayland lets the window run on Wayland without X.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillaran)
set(CPACK_PACKAGE_VENDOR Brackenfold)
set(CPACK_PACKAGE_CONTACT "Brackenfold developers <${QUILLARAN_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make a small web photo album of a folder of photographs")
# Lines of at most 80 characters, as Debian's tools show them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quillaran shows the photographs of a folder as framed thumb sketches and"
  "lets you caption, date, order, cross out, crop and turn them. It then"
  "writes a static web album beside them: an index page, thumbs, size-limited"
  "copies and a page per picture. quillaran-web makes the same album without"
  "a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILLARAN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
include(CPack)
