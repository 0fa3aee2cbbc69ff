# Windows, x86_64: see MingwToolchain.cmake.
set(FORMALYS_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
