# The runtime as a library for other programs, the `dev` component: one static archive,
# libtrivanta-graph.a, holding the three layers below the game; the headers a program includes,
# under include/trivanta/ so that "runtime/graph.h" stays their path; a CMake package giving the
# imported target Trivanta::graph; a pkg-config file; and the API reference with the examples.
include(CMakePackageConfigHelpers)

add_library(trivanta_graph_archive STATIC
    $<TARGET_OBJECTS:trivanta_platform>
    $<TARGET_OBJECTS:trivanta_draw>
    $<TARGET_OBJECTS:trivanta_runtime>)
set_target_properties(trivanta_graph_archive PROPERTIES
    OUTPUT_NAME trivanta-graph LINKER_LANGUAGE CXX)

# The system libraries the platform layer links privately, by their pkg-config names: a program
# linking the archive links them too.
set(GRAPH_SYSTEM_MODULES freetype2 fontconfig libjpeg)
if(TRIVANTA_X11)
    list(APPEND GRAPH_SYSTEM_MODULES x11 xext)
endif()
list(JOIN GRAPH_SYSTEM_MODULES " " GRAPH_SYSTEM_MODULES)

set(GRAPH_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/trivanta)
set(GRAPH_LIBRARY
    ${CMAKE_INSTALL_LIBDIR}/${CMAKE_STATIC_LIBRARY_PREFIX}trivanta-graph${CMAKE_STATIC_LIBRARY_SUFFIX})
set(GRAPH_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TrivantaGraph)

install(TARGETS trivanta_graph_archive ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
# runtime/graph.h and runtime/control.h, and every header they include.
install(FILES runtime/graph.h runtime/image.h runtime/control.h runtime/child_set.h
        DESTINATION ${GRAPH_INCLUDE_DIR}/runtime COMPONENT dev)
install(FILES draw/image.h DESTINATION ${GRAPH_INCLUDE_DIR}/draw COMPONENT dev)
install(FILES platform/font.h platform/pixel_buffer.h platform/rect.h
        DESTINATION ${GRAPH_INCLUDE_DIR}/platform COMPONENT dev)

configure_package_config_file(cmake/TrivantaGraphConfig.cmake.in
    ${PACKAGING_DIR}/TrivantaGraphConfig.cmake
    INSTALL_DESTINATION ${GRAPH_CMAKE_DIR}
    PATH_VARS GRAPH_INCLUDE_DIR GRAPH_LIBRARY)
write_basic_package_version_file(${PACKAGING_DIR}/TrivantaGraphConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PACKAGING_DIR}/TrivantaGraphConfig.cmake
              ${PACKAGING_DIR}/TrivantaGraphConfigVersion.cmake
        DESTINATION ${GRAPH_CMAKE_DIR} COMPONENT dev)

# The pkg-config file finds the prefix from where it lies, so that an unpacked copy works too.
file(RELATIVE_PATH PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" PC_TO_PREFIX ${PC_TO_PREFIX})
configure_file(cmake/trivanta-graph.pc.in ${PACKAGING_DIR}/trivanta-graph.pc @ONLY)
install(FILES ${PACKAGING_DIR}/trivanta-graph.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

set(GRAPH_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/libtrivanta-graph-dev)
install(FILES docs/api.md ${TRIVANTA_COPYRIGHT} ${PACKAGING_DIR}/changelog.gz
        DESTINATION ${GRAPH_DOC_DIR} COMPONENT dev)
install(FILES examples/CMakeLists.txt examples/mouse_and_keys.cpp examples/pictures.cpp
              examples/controls.cpp assets/logo.jpg
        DESTINATION ${GRAPH_DOC_DIR}/examples COMPONENT dev)
