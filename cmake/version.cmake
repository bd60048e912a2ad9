# The version, from project(VERSION): a header for the programs, and on Windows a
# version resource for each delivered binary.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version/version.hpp.in
               ${CMAKE_BINARY_DIR}/generated/tessivar_version.hpp @ONLY)
add_library(tessivar_version INTERFACE)
target_include_directories(tessivar_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${PROJECT_VERSION}\n")

# add_version_resource(TARGET FILE_NAME DESCRIPTION APP|DLL)
function(add_version_resource target file_name description type)
    if(NOT WIN32)
        return()
    endif()
    set(RC_FILE_NAME ${file_name})
    set(RC_DESCRIPTION ${description})
    set(RC_FILE_TYPE VFT_${type})
    set(rc ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/version/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
