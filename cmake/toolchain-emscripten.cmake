# WebAssembly with the emscripten on the PATH (Debian's by default): its own toolchain
# file, found beside its emcc, wherever it is installed.
find_program(TESSIVAR_EMCC emcc REQUIRED)
get_filename_component(emcc_file ${TESSIVAR_EMCC} REALPATH)
get_filename_component(emscripten_root ${emcc_file} DIRECTORY)
if(NOT EXISTS ${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
    message(FATAL_ERROR "no Emscripten.cmake beside ${emcc_file}; run tools/setup.sh")
endif()
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
