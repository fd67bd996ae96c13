# The toolchain of the browser build: Debian's Emscripten compiles everything to WebAssembly
# with pthreads, and node runs what the build runs (the tests). FreeType and libjpeg-turbo come
# from TRIVANTA_WEB_DEPS, where tools/web/build_deps.sh installed them; pkg-config looks there
# and nowhere else.
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/web.cmake -DTRIVANTA_WEB_DEPS=<prefix>
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Checks in try_compile projects read the toolchain again and need the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRIVANTA_WEB_DEPS)
if(NOT TRIVANTA_WEB_DEPS)
    message(FATAL_ERROR "Set TRIVANTA_WEB_DEPS to the prefix tools/web/build_deps.sh filled")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${TRIVANTA_WEB_DEPS})
set(ENV{PKG_CONFIG_LIBDIR} ${TRIVANTA_WEB_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
# Emscripten's JavaScript optimiser, run when it links, needs acorn, which Debian installs where
# node does not look by itself.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# Every object shares the memory of the program's threads, and uses WebAssembly's 128-bit
# vectors, which every current browser and node run: the drawing layer's span loops have a
# variant of their own for them (draw/simd/wasm_simd128.cpp), and the compiler brings them to
# other loops. A module is checked whole when it loads, so there is no choosing at run time.
set(CMAKE_C_FLAGS_INIT "-pthread -msimd128")
set(CMAKE_CXX_FLAGS_INIT "-pthread -msimd128")

# node 18 and later would fetch the program's .wasm file as a URL, which a path is not.
find_program(TRIVANTA_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TRIVANTA_NODE} --no-experimental-fetch)
