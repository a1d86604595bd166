# Installing Kestrel (cmake --install) and its Debian package (cpack, make package).
#
# An installation is laid out as the programs find it at run time: the executables in bin/, the
# read-only data in share/kestrel/ beside it (../share/kestrel seen from bin/), and what the
# learner writes in the learner's own folder. The data folder is fixed relative to bin/, so the
# paths here are literal rather than the GNU variables a packager might move apart.

set(kestrel_programs kestrel-sim kestrel-tune)
if(KESTREL_BUILD_GUI)
  list(PREPEND kestrel_programs kestrel)
endif()
install(TARGETS ${kestrel_programs} RUNTIME DESTINATION bin)

# Lessons, the base set, help and the default settings each learner's Kestrel.ini starts from.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Study ${CMAKE_SOURCE_DIR}/data/Doc DESTINATION share/kestrel)
install(FILES ${CMAKE_SOURCE_DIR}/data/Kestrel.ini DESTINATION share/kestrel)
install(FILES ${KESTREL_QM_FILE} DESTINATION share/kestrel/translations)

# The desktop's menu entry, its software-centre description (with this build's version) and icon.
configure_file(${CMAKE_SOURCE_DIR}/packaging/${KESTREL_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${KESTREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${KESTREL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KESTREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${KESTREL_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)

# The Debian package: kestrel_<version>_amd64.deb. The libraries it needs are found by
# dpkg-shlibdeps; the fonts the windows are laid out for, the browser opener, the platform plugin
# Qt loads at run time and the Japanese texts of Qt's standard buttons are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kestrel developers")
set(CPACK_PACKAGE_CONTACT "The Kestrel developers <kestrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching simulator for PID feedback control")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrel lets a learner set up one control loop, run it and watch SV, PV, MV and DV on a chart
recorder, operate the controller in manual, automatic and cascade mode, follow ten guided lessons,
analyse and tune the runs, and keep experiments as projects. kestrel-sim replays lessons and
projects without windows; kestrel-tune prints the tuning mathematics.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, xdg-utils, qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
