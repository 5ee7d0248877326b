# What `cmake --install` puts in place, and the Debian package built from it
# (scripts/package.sh).
include(GNUInstallDirs)

set(ZTD_APP_ID de.veltrax.ztd)
install(TARGETS ztd RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET ztd-sim)
    install(TARGETS ztd-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES dist/${ZTD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/${ZTD_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES dist/${ZTD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The program carries its help inside; the pages are installed too, to be read
# without it.
install(DIRECTORY help/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/hilfe)
# Qt's own dialogs in German: the program looks beside itself when the
# system's Qt has no German translation.
set(qt_german "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_de.qm")
if(EXISTS "${qt_german}")
    install(FILES "${qt_german}" DESTINATION ${CMAKE_INSTALL_DATADIR}/ztd/translations)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ztd)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Prüfprotokolle nach DIN VDE 0701/0702 mit dem Gerätetester 0701/0702")
set(CPACK_PACKAGE_CONTACT "ztd <ztd@localhost>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the library scan does not find them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, cups")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
