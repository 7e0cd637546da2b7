# cmake --install on Windows: one program folder, as the zip and the installer ship it. The program
# finds its pictures, sounds and first scores.dat beside itself, its faces in fonts/ (Windows has
# no fontconfig), and the licences of everything built into it lie in licences/ as text.
if(NOT WIN32)
  return()
endif()

install(TARGETS vexoids RUNTIME DESTINATION .)
install(DIRECTORY data/pictures data/sounds DESTINATION .)
install(FILES data/scores.dat DESTINATION .)

# Liberation Sans, the family the game draws in, from Debian's fonts-liberation2.
set(VEX_LIBERATION_DIR /usr/share/fonts/truetype/liberation2 CACHE PATH "Where the Liberation faces shipped with the game lie")
install(FILES ${VEX_LIBERATION_DIR}/LiberationSans-Regular.ttf ${VEX_LIBERATION_DIR}/LiberationSans-Bold.ttf
        DESTINATION fonts)

install(FILES LICENSE DESTINATION licences RENAME vexoids.txt)
install(FILES /usr/share/doc/fonts-liberation2/copyright DESTINATION licences RENAME fonts-liberation2.txt)
# The MinGW-w64 start-up code and GCC's runtime go into every program the cross compiler links.
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licences RENAME mingw-w64.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licences RENAME gcc-runtime.txt)
# scripts/build-windows.sh keeps each library's Debian copyright file beside the library.
file(GLOB VEX_WIN64_LICENCES LIST_DIRECTORIES true ${VEX_WIN64_DEPS}/share/licenses/*)
foreach(library ${VEX_WIN64_LICENCES})
  get_filename_component(name ${library} NAME)
  if(NOT name STREQUAL "googletest")
    install(FILES ${library}/copyright DESTINATION licences RENAME ${name}.txt)
  endif()
endforeach()
