# The runtime as a library for other programs, the `dev` component: the library, its headers, a
# CMake package and a pkg-config file (cmake/graph_dev_files.cmake), and the API reference with
# the examples.

# The system libraries the platform layer links privately, by their pkg-config names, as each
# backend listed them (platform/CMakeLists.txt): a program linking the archive links them too.
get_property(GRAPH_SYSTEM_MODULES GLOBAL PROPERTY TRIVANTA_SYSTEM_MODULES)
set(GRAPH_SYSTEM_LIBRARIES "")
set(GRAPH_LINK_OPTIONS "")
include(cmake/graph_dev_files.cmake)

set(GRAPH_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/libtrivanta-graph-dev)
install(FILES docs/api.md ${PACKAGING_DIR}/copyright ${PACKAGING_DIR}/changelog.gz
        DESTINATION ${GRAPH_DOC_DIR} COMPONENT dev)
install(FILES ${GRAPH_EXAMPLE_FILES} DESTINATION ${GRAPH_DOC_DIR}/examples COMPONENT dev)
