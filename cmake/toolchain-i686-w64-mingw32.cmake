# Windows, i686: see MingwToolchain.cmake.
set(FORMALYS_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
