# The installed layout: executables in bin/, the player library in the library folder, the
# program's data in share/zentrik (found from bin/ as ../share/zentrik), and the desktop entry,
# icon and AppStream data where desktops look for them. `cpack -G DEB` packs the same tree.
set(ZENTRIK_APP_ID "app.zentrik.Zentrik" CACHE STRING "AppStream component id")
set(ZENTRIK_RELEASE_DATE "2026-12-07" CACHE STRING "Date of this release, for the AppStream metadata")
set(ZENTRIK_SCREENSHOT_URL "https://zentrik.invalid/screenshots/MapEdit.png"
    CACHE STRING "Where the published screenshot of the map editor can be fetched")

install(TARGETS zentrik-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zentrik)
    install(TARGETS zentrik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zentrik)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/zentrik) # the about box links to it
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR})

configure_file(packaging/zentrik.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${ZENTRIK_APP_ID}.metainfo.xml @ONLY)
install(FILES packaging/zentrik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/zentrik.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${ZENTRIK_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES docs/screenshots/MapEdit.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zentrik/screenshots OPTIONAL)

set(CPACK_PACKAGE_NAME zentrik)
set(CPACK_PACKAGE_VENDOR "Zentrik developers")
set(CPACK_PACKAGE_CONTACT "Zentrik developers <zentrik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor for the data files of Wolfenstein 3D and the games built on its engine")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6multimedia6 (>= 6.4), libadplug-2.3.3-0, libpng16-16, libsndfile1, libsoxr0, libc6, libstdc++6")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
include(CPack)
