# What a Windows build adds to the program: its resources (icon, manifest, version) and the faces
# it draws with, in fonts/ beside it with their licence.
find_program(VEX_MAGICK convert REQUIRED)
set(VEX_RC_VERSION ${PROJECT_VERSION}.0)
string(REPLACE "." "," VEX_RC_VERSION_COMMAS ${VEX_RC_VERSION})
set(VEX_WINDOWS_DIR ${PROJECT_BINARY_DIR}/windows)
set(VEX_ICON_FILE ${VEX_WINDOWS_DIR}/vexoids.ico)
set(VEX_MANIFEST_FILE ${VEX_WINDOWS_DIR}/vexoids.manifest)
configure_file(cmake/windows/vexoids.manifest ${VEX_MANIFEST_FILE} @ONLY)
configure_file(cmake/windows/vexoids.rc.in ${VEX_WINDOWS_DIR}/vexoids.rc @ONLY)
# The game's own 32x32 icon, enlarged without smoothing for the larger sizes Explorer shows.
add_custom_command(OUTPUT ${VEX_ICON_FILE}
  COMMAND ${VEX_MAGICK} ${PROJECT_SOURCE_DIR}/data/pictures/icon.bmp -filter point
          ( -clone 0 -resize 16x16 ) ( -clone 0 ) ( -clone 0 -resize 48x48 ) ( -clone 0 -resize 256x256 )
          -delete 0 ${VEX_ICON_FILE}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/pictures/icon.bmp
  COMMENT "Making the program's icon" VERBATIM)
set_source_files_properties(${VEX_WINDOWS_DIR}/vexoids.rc
  PROPERTIES OBJECT_DEPENDS "${VEX_ICON_FILE};${VEX_MANIFEST_FILE}")
target_sources(vexoids PRIVATE ${VEX_WINDOWS_DIR}/vexoids.rc)
# A program for the desktop: no console window opens when it starts from Explorer.
set_target_properties(vexoids PROPERTIES WIN32_EXECUTABLE TRUE)

set(VEX_FONTS_DIR /usr/share/fonts/truetype/liberation2 CACHE PATH "Where fonts-liberation2's faces lie")
set(VEX_FONT_FILES ${VEX_FONTS_DIR}/LiberationSans-Regular.ttf ${VEX_FONTS_DIR}/LiberationSans-Bold.ttf)
add_custom_target(game_fonts ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:vexoids>/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VEX_FONT_FILES} $<TARGET_FILE_DIR:vexoids>/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different /usr/share/doc/fonts-liberation2/copyright
          $<TARGET_FILE_DIR:vexoids>/fonts/LICENSE-LiberationFonts.txt
  COMMENT "Placing the game's fonts beside the program" VERBATIM)
add_dependencies(vexoids game_fonts)
