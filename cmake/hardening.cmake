# The hardening distributions build their packages with, for everything we build: position-
# independent code (PIE programs, and a static runtime library that shared objects may link too),
# stack protection, fortified library calls, and relocations resolved and made read-only at start.
# WebAssembly has none of these to harden: its code is out of the program's reach, its calls are
# checked by type, and it has no relocations or stack protector.
if(EMSCRIPTEN)
    set(TRIVANTA_HARDEN_DEFAULT OFF)
else()
    set(TRIVANTA_HARDEN_DEFAULT ON)
endif()
option(TRIVANTA_HARDEN "Build with stack protection, fortified calls, PIE and full RELRO"
       ${TRIVANTA_HARDEN_DEFAULT})
if(NOT TRIVANTA_HARDEN)
    return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
# mingw-w64 keeps the protector's support (and the fortified calls') in a library of its own,
# which the flag links in; a program that links the runtime's kit links it too
# (cmake/package_windows_dev.cmake).
if(WIN32)
    set(TRIVANTA_HARDEN_LINK_OPTIONS -fstack-protector-strong)
    add_link_options(${TRIVANTA_HARDEN_LINK_OPTIONS})
endif()
# Fortified calls need the optimiser, so debug builds go without; the sanitizers check those
# calls themselves and would be hidden behind the fortified ones.
if(NOT TRIVANTA_SANITIZE AND NOT TRIVANTA_TSAN)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
# Read-only relocations are an ELF matter; Windows programs have none of it.
if(NOT WIN32)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
