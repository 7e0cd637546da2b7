# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers, against the libraries that
# scripts/build-windows.sh builds into its cache (pass that folder as VEX_WIN64_DEPS, or in the
# environment variable of the same name).
# The -posix compilers: in GCC 12 only they have std::thread and std::mutex, which the sound uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEX_MINGW_TRIPLET}-windres)

if(NOT VEX_WIN64_DEPS)
  set(VEX_WIN64_DEPS "$ENV{VEX_WIN64_DEPS}")
endif()
if(NOT VEX_WIN64_DEPS)
  message(FATAL_ERROR "VEX_WIN64_DEPS names no folder: scripts/build-windows.sh builds the Windows "
                      "libraries and prints where they lie")
endif()
set(VEX_WIN64_DEPS "${VEX_WIN64_DEPS}" CACHE PATH "The Windows libraries built by scripts/build-windows.sh")
# CMake's test compilations read this file again in a project of their own: they get the folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEX_WIN64_DEPS)

# Libraries, headers and CMake packages come from the cache and MinGW's own folder, never from the
# host; programs (cmake, windres, nasm) from the host.
set(CMAKE_FIND_ROOT_PATH ${VEX_WIN64_DEPS} /usr/${VEX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config (which FindFontconfig and others ask first) reads the cache's .pc files alone.
set(ENV{PKG_CONFIG_LIBDIR} "${VEX_WIN64_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
