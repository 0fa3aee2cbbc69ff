# Cross-compiling for Windows with MinGW-w64, the posix-threads compilers (<thread>, <mutex>), for
# FORMALYS_MINGW_ARCH (x86_64 or i686), set by the toolchain file of each architecture. Programs
# built for the tests run under Wine (cmake/wine-run.sh).
set(triplet ${FORMALYS_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FORMALYS_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
# QPDF and libjpeg-turbo, built by scripts/setup-windows.sh.
set(FORMALYS_WINDOWS_CACHE "$ENV{FORMALYS_WINDOWS_CACHE}")
if(NOT FORMALYS_WINDOWS_CACHE)
    set(FORMALYS_WINDOWS_CACHE "$ENV{HOME}/.cache/formalys/windows")
endif()
set(FORMALYS_WINDOWS_PREFIX "${FORMALYS_WINDOWS_CACHE}/${triplet}/current")
list(APPEND CMAKE_PREFIX_PATH "${FORMALYS_WINDOWS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH /usr/${triplet} "${FORMALYS_WINDOWS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
