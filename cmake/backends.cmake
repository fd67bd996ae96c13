# What follows from the list of backends, TRIVANTA_BACKENDS:
#   TRIVANTA_WINDOW_SYSTEMS     the backends that open a real window (all but headless); the
#                               game, the window tests and the timing benchmark need one
#   TRIVANTA_BACKEND_<NAME>     ON for each listed backend, for what only one of them serves
#                               (TRIVANTA_BACKEND_X11: the tests on a private X server)
if(NOT TRIVANTA_BACKENDS)
    message(FATAL_ERROR "TRIVANTA_BACKENDS lists no backend; `headless` builds without a window system")
endif()
set(TRIVANTA_WINDOW_SYSTEMS)
foreach(name IN LISTS TRIVANTA_BACKENDS)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/platform/${name}/sources.cmake)
        message(FATAL_ERROR "TRIVANTA_BACKENDS names \"${name}\", which has no platform/${name}/sources.cmake")
    endif()
    string(TOUPPER ${name} upper)
    set(TRIVANTA_BACKEND_${upper} ON)
    if(NOT name STREQUAL "headless")
        list(APPEND TRIVANTA_WINDOW_SYSTEMS ${name})
    endif()
endforeach()
message(STATUS "Backends, in the order programs try them: ${TRIVANTA_BACKENDS}")
