# What the Windows builds link, cross-compiled with MinGW-w64 (scripts/setup-windows.sh):
# - QPDF and libjpeg-turbo, static, from the prefix the toolchain file names (CMAKE_PREFIX_PATH);
# - zlib from Debian's libz-mingw-w64-dev;
# - the header-only libraries of the Linux build (nlohmann/json, CLI11) from Debian's own headers,
#   seen through a directory of their own so that no other Linux header reaches the cross build;
# - the C++ runtime, libgcc and winpthreads linked in: the programs and formalys.dll depend on
#   Windows system DLLs only.
find_package(qpdf REQUIRED)
# QPDF's exported target names "jpeg" without the directory where it stands.
set_property(TARGET qpdf::libqpdf APPEND PROPERTY
    INTERFACE_LINK_DIRECTORIES ${FORMALYS_WINDOWS_PREFIX}/lib)
set(debian_headers ${PROJECT_BINARY_DIR}/debian-headers)
file(MAKE_DIRECTORY ${debian_headers})
foreach(library nlohmann CLI)
    file(CREATE_LINK /usr/include/${library} ${debian_headers}/${library} SYMBOLIC)
endforeach()
include_directories(SYSTEM ${debian_headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
add_link_options(-static)

# The programs built for Windows that the build and the tests run (formgen, the test programs) run
# under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${PROJECT_BINARY_DIR}/wine)

if(FORMALYS_BUILD_TESTS)
    # GoogleTest from Debian's sources, built with the cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
