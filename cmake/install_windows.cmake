# cmake --install on Windows: one program folder, as the zip and the installer ship it. The program
# finds its pictures, sounds and first scores.dat beside itself, its faces in fonts/ with their
# licence, and the licences of everything built into it lie in licences/ as text.
if(NOT WIN32)
  return()
endif()

install(TARGETS vexoids RUNTIME DESTINATION .)
install(DIRECTORY data/pictures data/sounds DESTINATION .)
install(FILES data/scores.dat DESTINATION .)

# The faces the game draws with, as the build places them beside the program (cmake/windows.cmake).
install(FILES ${VEX_FONT_FILES} DESTINATION fonts)
install(FILES /usr/share/doc/fonts-liberation2/copyright DESTINATION fonts RENAME LICENSE-LiberationFonts.txt)

install(FILES LICENSE DESTINATION licences RENAME vexoids.txt)
# The MinGW-w64 start-up code and GCC's runtime go into every program the cross compiler links.
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licences RENAME mingw-w64.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licences RENAME gcc-runtime.txt)
# scripts/build-windows.sh keeps each library's Debian copyright file beside the library.
file(GLOB VEX_WIN64_LICENCES ${VEX_WIN64_DEPS}/share/licenses/*/copyright)
foreach(licence ${VEX_WIN64_LICENCES})
  get_filename_component(library ${licence} DIRECTORY)
  get_filename_component(library ${library} NAME)
  install(FILES ${licence} DESTINATION licences RENAME ${library}.txt)
endforeach()
