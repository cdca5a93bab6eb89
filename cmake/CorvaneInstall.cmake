# The installed system and its Debian package. The programs go to bin/, their bundled files
# to share/corvane/, where a program finds them from its own folder (engine/io/data_folders).

include(GNUInstallDirs)

set(CORVANE_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane)

# The data folder as seen from the programs' folder, compiled into the lookup.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
  set(corvane_data_from_bin "${CMAKE_INSTALL_FULL_DATADIR}/corvane")
else()
  file(RELATIVE_PATH corvane_data_from_bin "/${CMAKE_INSTALL_BINDIR}" "/${CORVANE_DATA_DESTINATION}")
endif()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/engine/io/data_folders.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS CORVANE_INSTALLED_DATA_FOLDER="${corvane_data_from_bin}")

install(TARGETS corvane-run RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Scripts ${CMAKE_SOURCE_DIR}/Lineups ${CMAKE_SOURCE_DIR}/help
        DESTINATION ${CORVANE_DATA_DESTINATION})
install(FILES ${CMAKE_SOURCE_DIR}/shell/corvane-defaults.ini DESTINATION ${CORVANE_DATA_DESTINATION})
# Debian keeps a package's documents under the package's own (lower-case) name.
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvane)

if(CORVANE_BUILD_GUI)
  install(TARGETS corvane tavrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/corvane.desktop ${CMAKE_SOURCE_DIR}/desktop/tavrel.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/corvane-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME corvane.xml)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/corvane.svg ${CMAKE_SOURCE_DIR}/desktop/icons/tavrel.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/application-x-corvane-meeting.svg
                ${CMAKE_SOURCE_DIR}/desktop/icons/application-x-corvane-riderdb.svg
                ${CMAKE_SOURCE_DIR}/desktop/icons/application-x-corvane-season.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/CorvaneDocsAndIcons.cmake)

# Debian package: cpack -G DEB in a build configured with the prefix /usr (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corvane Developers")
set(CPACK_PACKAGE_CONTACT "Corvane Developers <dev@corvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "race meeting simulator for motorcycle track racing")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane simulates team leagues, multi-team tournaments and individual
meetings of motorcycle track racing heat by heat, from competition files
that describe the regulations and the programme. It comes with corvane,
the desktop program, tavrel, the rider database editor, and corvane-run,
which runs meetings and statistics on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# libqt6svg6 draws the windows' icons from the shipped SVG files.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, libqt6svg6")
find_program(CORVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(CORVANE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
elseif(CORVANE_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6charts6, libqt6widgets6, libqt6printsupport6, libqt6gui6, libqt6core6, libicu72, libstdc++6, libc6")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libicu72, libstdc++6, libc6")
endif()
include(CPack)
