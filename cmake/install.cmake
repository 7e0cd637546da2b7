# cmake --install: the program in the games folder, its data in a folder of its own, and what a
# desktop needs to offer it: a menu entry, icons, AppStream metainfo, a manual page, the licences.
if(WIN32)
  return()  # cmake/install_windows.cmake lays out the Windows program folder
endif()
set(VEX_APP_ID org.vexoids.vexoids)

install(TARGETS vexoids RUNTIME DESTINATION ${VEX_INSTALL_GAMESDIR})
install(DIRECTORY data/pictures data/sounds DESTINATION ${VEX_INSTALL_DATADIR})
install(FILES data/scores.dat DESTINATION ${VEX_INSTALL_DATADIR})

install(FILES dist/${VEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES dist/icons/${size}x${size}.png DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VEX_APP_ID}.png)
endforeach()

configure_file(dist/${VEX_APP_ID}.metainfo.xml.in ${VEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# The manual page and the changelog go compressed without a timestamp, as Debian wants them.
find_program(VEX_GZIP gzip REQUIRED)
configure_file(dist/vexoids.6.in vexoids.6 @ONLY)
add_custom_command(OUTPUT vexoids.6.gz
  COMMAND ${VEX_GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/vexoids.6 > vexoids.6.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/vexoids.6 VERBATIM)
add_custom_command(OUTPUT changelog.gz
  COMMAND ${VEX_GZIP} -9nc ${PROJECT_SOURCE_DIR}/dist/changelog > changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/changelog VERBATIM)
add_custom_target(compressed_docs ALL DEPENDS vexoids.6.gz changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vexoids.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
