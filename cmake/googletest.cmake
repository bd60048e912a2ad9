# GoogleTest: natively the one installed (Debian's libgtest-dev, found as a package); for
# Windows and WebAssembly, built from its sources (Debian's googletest) with the active
# toolchain, so the tests link against a matching build.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest CONFIG REQUIRED)
    return()
endif()
find_path(GOOGLETEST_SOURCE_DIR CMakeLists.txt PATH_SUFFIXES googletest
          PATHS /usr/src /usr/local/src NO_CMAKE_FIND_ROOT_PATH
          DOC "GoogleTest's sources, built for the target")
if(NOT GOOGLETEST_SOURCE_DIR)
    message(FATAL_ERROR "GoogleTest's sources not found; run tools/setup.sh, or set "
                        "GOOGLETEST_SOURCE_DIR")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(WIN32 OR EMSCRIPTEN)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
