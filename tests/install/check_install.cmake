# Installs the build into STAGE (DESTDIR, prefix /usr) and checks what a packaged system needs.

function(fail message)
  message(FATAL_ERROR "installed_layout: ${message}")
endfunction()

file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE installed OUTPUT_QUIET ERROR_VARIABLE install_errors)
if(NOT installed EQUAL 0)
  fail("cmake --install failed: ${install_errors}")
endif()

set(root ${STAGE}/usr)
set(data ${root}/${DATADIR}/corvane)
set(expected
  ${BINDIR}/corvane-run
  ${DATADIR}/corvane/Scripts/league-match.cfg
  ${DATADIR}/corvane/Lineups/Lineups.rdb
  ${DATADIR}/corvane/corvane-defaults.ini
  ${DATADIR}/corvane/help/index.html
  ${DATADIR}/corvane/help/regulations.html
  ${DATADIR}/corvane/help/control.html
  ${DATADIR}/corvane/help/tavrel.html
  ${DATADIR}/doc/corvane/copyright
  ${DATADIR}/doc/corvane/changelog.gz)
if(WITH_MAN_FROM_HELP)
  list(APPEND expected ${MANDIR}/man6/corvane-run.6.gz)
endif()
if(WITH_GUI AND WITH_PNG_ICONS)
  foreach(size 16 32 48 64 128 256)
    list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/corvane.png
                         ${DATADIR}/icons/hicolor/${size}x${size}/mimetypes/application-x-corvane-riderdb.png
                         ${DATADIR}/icons/hicolor/${size}x${size}/mimetypes/application-x-corvane-season.png)
  endforeach()
endif()
if(WITH_GUI)
  list(APPEND expected
    ${BINDIR}/corvane
    ${BINDIR}/tavrel
    ${DATADIR}/applications/corvane.desktop
    ${DATADIR}/applications/tavrel.desktop
    ${DATADIR}/mime/packages/corvane.xml
    ${DATADIR}/icons/hicolor/scalable/apps/corvane.svg
    ${DATADIR}/icons/hicolor/scalable/apps/tavrel.svg
    ${DATADIR}/icons/hicolor/scalable/mimetypes/application-x-corvane-meeting.svg
    ${DATADIR}/icons/hicolor/scalable/mimetypes/application-x-corvane-riderdb.svg
    ${DATADIR}/icons/hicolor/scalable/mimetypes/application-x-corvane-season.svg
    ${MANDIR}/man6/corvane.6.gz
    ${MANDIR}/man6/tavrel.6.gz
    ${DATADIR}/metainfo/org.corvane.corvane.metainfo.xml
    ${DATADIR}/metainfo/org.corvane.tavrel.metainfo.xml)
endif()
foreach(file ${expected})
  if(NOT EXISTS ${root}/${file})
    fail("${file} is not installed")
  endif()
endforeach()
# Every bundled competition the default settings list is installed.
file(STRINGS ${data}/corvane-defaults.ini menu REGEX "^MenuPos")
foreach(line ${menu})
  string(REGEX REPLACE ".*, *([^\"]+)\"?$" "\\1" cfg "${line}")
  if(NOT EXISTS ${data}/Scripts/${cfg})
    fail("the defaults name Scripts/${cfg}, which is not installed")
  endif()
endforeach()
# Nothing of the build tree's own layout leaks into bin/.
if(EXISTS ${root}/${BINDIR}/Scripts)
  fail("Scripts installed beside the programs")
endif()

# The installed corvane-run finds the bundled competition and rider database through
# ../share/corvane, for a user with no files of their own.
set(ENV{HOME} ${STAGE}/home)
set(ENV{XDG_DATA_HOME} ${STAGE}/home/data)
execute_process(COMMAND ${root}/${BINDIR}/corvane-run league-match.cfg --seed 11 --date 01/02/03
                WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE ran OUTPUT_VARIABLE report ERROR_VARIABLE errors)
if(NOT ran EQUAL 0)
  fail("installed corvane-run failed (${ran}): ${errors}")
endif()
if(NOT report MATCHES "\n +15: ")
  fail("installed corvane-run wrote no heats:\n${report}")
endif()

# A competition of the user's own, by plain name, from the user's data folder.
file(READ ${data}/Scripts/league-match.cfg league)
file(WRITE ${STAGE}/home/data/corvane/my-match.cfg "${league}")
execute_process(COMMAND ${root}/${BINDIR}/corvane-run my-match.cfg --seed 11 --date 01/02/03
                WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE ran OUTPUT_VARIABLE mine ERROR_VARIABLE errors)
if(NOT ran EQUAL 0 OR NOT mine STREQUAL report)
  fail("the user's competition was not found or ran differently (${ran}): ${errors}")
endif()

# Desktop entries and the MIME package are well formed where the tools are at hand.
find_program(validate desktop-file-validate)
if(WITH_GUI AND validate)
  foreach(entry corvane tavrel)
    execute_process(COMMAND ${validate} ${root}/${DATADIR}/applications/${entry}.desktop
                    RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT valid EQUAL 0 OR said MATCHES "error")
      fail("${entry}.desktop: ${said}")
    endif()
  endforeach()
endif()
find_program(appstreamcli appstreamcli)
if(WITH_GUI AND appstreamcli)
  file(GLOB metainfo ${root}/${DATADIR}/metainfo/*.metainfo.xml)
  execute_process(COMMAND ${appstreamcli} validate --no-net ${metainfo}
                  RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT valid EQUAL 0)
    fail("metainfo: ${said}")
  endif()
endif()
find_program(xmllint xmllint)
if(WITH_GUI AND xmllint)
  execute_process(COMMAND ${xmllint} --noout ${root}/${DATADIR}/mime/packages/corvane.xml
                  RESULT_VARIABLE valid ERROR_VARIABLE said)
  if(NOT valid EQUAL 0)
    fail("corvane.xml: ${said}")
  endif()
endif()

file(REMOVE_RECURSE ${STAGE})
