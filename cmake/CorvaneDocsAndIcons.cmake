# What the distribution expects beside the programs: manual pages and the changelog compressed,
# the copyright file, AppStream metainfo, and the icons as PNG at the usual sizes, rendered from
# their SVG sources. Made at build time; a tool that is missing leaves its files out with a note.

set(corvane_generated ${CMAKE_BINARY_DIR}/generated)
find_program(CORVANE_GZIP gzip REQUIRED)
find_program(CORVANE_HELP2MAN help2man)
find_program(CORVANE_RSVG rsvg-convert)
set(corvane_generated_files)

# gzip -9n: no name or time stamp, so the same source gives the same bytes.
function(corvane_compress source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${corvane_generated}
    COMMAND sh -c "${CORVANE_GZIP} -9n -c \"$0\" > \"$1\"" ${source} ${output}
    DEPENDS ${source} VERBATIM)
  set(corvane_generated_files ${corvane_generated_files} ${output} PARENT_SCOPE)
endfunction()

corvane_compress(${CMAKE_SOURCE_DIR}/cmake/debian/changelog ${corvane_generated}/changelog.gz)
install(FILES ${corvane_generated}/changelog.gz ${CMAKE_SOURCE_DIR}/cmake/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvane)

# corvane-run's page is made from its --help text, so the two cannot drift apart.
if(CORVANE_HELP2MAN AND NOT CORVANE_FUZZ)
  add_custom_command(OUTPUT ${corvane_generated}/corvane-run.6
    COMMAND ${CMAKE_COMMAND} -E make_directory ${corvane_generated}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1796601600
            ${CORVANE_HELP2MAN} --no-info --section=6 --manual=Games
            "--name=race meetings of motorcycle track racing without a window"
            --include=${CMAKE_SOURCE_DIR}/docs/man/corvane-run.h2m
            --output=${corvane_generated}/corvane-run.6 $<TARGET_FILE:corvane-run>
    DEPENDS corvane-run ${CMAKE_SOURCE_DIR}/docs/man/corvane-run.h2m VERBATIM)
  corvane_compress(${corvane_generated}/corvane-run.6 ${corvane_generated}/corvane-run.6.gz)
  install(FILES ${corvane_generated}/corvane-run.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
elseif(NOT CORVANE_HELP2MAN)
  message(STATUS "help2man not found: corvane-run's manual page is left out")
endif()

if(CORVANE_BUILD_GUI)
  foreach(page corvane tavrel)
    corvane_compress(${CMAKE_SOURCE_DIR}/docs/man/${page}.6 ${corvane_generated}/${page}.6.gz)
    install(FILES ${corvane_generated}/${page}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/org.corvane.corvane.metainfo.xml
                ${CMAKE_SOURCE_DIR}/desktop/org.corvane.tavrel.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  if(CORVANE_RSVG)
    foreach(size 16 32 48 64 128 256)
      foreach(icon apps/corvane apps/tavrel mimetypes/application-x-corvane-meeting
                   mimetypes/application-x-corvane-riderdb
                   mimetypes/application-x-corvane-season)
        get_filename_component(context ${icon} DIRECTORY)
        get_filename_component(name ${icon} NAME)
        set(png ${corvane_generated}/icons/${size}x${size}/${context}/${name}.png)
        add_custom_command(OUTPUT ${png}
          COMMAND ${CMAKE_COMMAND} -E make_directory ${corvane_generated}/icons/${size}x${size}/${context}
          COMMAND ${CORVANE_RSVG} --width=${size} --height=${size} --output=${png}
                  ${CMAKE_SOURCE_DIR}/desktop/icons/${name}.svg
          DEPENDS ${CMAKE_SOURCE_DIR}/desktop/icons/${name}.svg VERBATIM)
        list(APPEND corvane_generated_files ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
      endforeach()
    endforeach()
  else()
    message(STATUS "rsvg-convert not found: the icons are installed as SVG only")
  endif()
endif()

add_custom_target(corvane_docs_and_icons ALL DEPENDS ${corvane_generated_files})
