# The runtime as a library for other programs, the `dev` component: the library, its headers, a
# CMake package and a pkg-config file (cmake/graph_dev_files.cmake), and the API reference with
# the examples.

# The system libraries the platform layer links privately, by their pkg-config names, as each
# backend listed them (platform/CMakeLists.txt): a program linking the archive links them too.
get_property(GRAPH_SYSTEM_MODULES GLOBAL PROPERTY TRIVANTA_SYSTEM_MODULES)
set(GRAPH_SYSTEM_LIBRARIES "")
set(GRAPH_LINK_OPTIONS "")
include(cmake/graph_dev_files.cmake)

# The development package must bring in those libraries' own development files, which each
# backend names by their Debian packages: a backend added to the build is refused here until
# debian/control's libtrivanta-graph-dev depends on them too.
get_property(GRAPH_DEV_PACKAGES GLOBAL PROPERTY TRIVANTA_DEV_PACKAGES)
file(READ ${PROJECT_SOURCE_DIR}/debian/control control)
string(REGEX MATCH "Package: libtrivanta-graph-dev\n.*" dev_stanza "${control}")
foreach(package IN LISTS GRAPH_DEV_PACKAGES)
    if(NOT dev_stanza MATCHES "\n ${package},")
        message(FATAL_ERROR "debian/control: libtrivanta-graph-dev does not depend on ${package}, "
                            "which the runtime's archive needs")
    endif()
endforeach()

set(GRAPH_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/libtrivanta-graph-dev)
install(FILES docs/api.md ${TRIVANTA_COPYRIGHT} ${PACKAGING_DIR}/changelog.gz
        DESTINATION ${GRAPH_DOC_DIR} COMPONENT dev)
install(FILES ${GRAPH_EXAMPLE_FILES} DESTINATION ${GRAPH_DOC_DIR}/examples COMPONENT dev)
