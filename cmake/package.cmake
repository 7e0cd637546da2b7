# cpack -G DEB: a Debian package of what cmake --install puts under /usr.
if(WIN32)
  return()  # the Windows zip and installer are made by scripts/build-windows.sh
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexoids)
set(CPACK_PACKAGE_VENDOR "The Vexoids developers")
set(CPACK_PACKAGE_CONTACT "The Vexoids developers <devel@vexoids.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade shooter: shoot the falling Vexoids")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Devi Vavaz Vexoids From Hell is a single-window arcade shooter for one player.
 Your ship stands at the bottom of a black playfield; a wave of four Vexoids
 falls toward it, drifting after you. Shoot them for points; once your score
 passes the level's threshold the Evil Boss takes the wave's place, and
 destroying it takes you to the next level, where the wave falls faster.")
include(CPack)
