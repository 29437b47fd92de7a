# Install rules: both programs and the man page of the command line; for the window its help
# page in the data folder, the desktop entry, the AppStream metainfo and the icon theme files.
# `cpack -G DEB` packs the same tree for Debian.
include(GNUInstallDirs)
install(TARGETS framewright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/man/framewright-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET framewright)
  set(FW_APP_ID example.ombrix.Framewright)
  install(TARGETS framewright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The window finds its help page in <prefix>/share/framewright beside bin/.
  install(FILES data/framewright-help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/framewright)
  install(FILES data/${FW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(data/${FW_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/generated/${FW_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/generated/${FW_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size ${FW_ICON_SIZES})
    install(FILES data/icons/framewright-${size}.png RENAME framewright.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES data/icons/framewright.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME framewright)
set(CPACK_PACKAGE_VENDOR "Ombrix Software")
set(CPACK_PACKAGE_CONTACT "Ombrix Software <support@ombrix.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.ombrix.example/framewright/")
# The run-time libraries (Qt, libjpeg, SQLite, zlib) are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
