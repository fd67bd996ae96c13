# What every development kit of the runtime holds, the `dev` component: one static archive,
# libtrivanta-graph.a, holding the three layers below the game; the headers a program includes,
# under include/trivanta/ so that "runtime/graph.h" stays their path; a CMake package giving the
# imported target Trivanta::graph; and a pkg-config file. The including file sets GNUInstallDirs'
# folders, PACKAGING_DIR, and what a program that links the archive must link with it: the system
# libraries the platform layer links privately, by their pkg-config names (GRAPH_SYSTEM_MODULES)
# and by their own (GRAPH_SYSTEM_LIBRARIES), and the options of the link (GRAPH_LINK_OPTIONS).
include(CMakePackageConfigHelpers)

add_library(trivanta_graph_archive STATIC
    $<TARGET_OBJECTS:trivanta_platform>
    $<TARGET_OBJECTS:trivanta_draw>
    $<TARGET_OBJECTS:trivanta_runtime>)
set_target_properties(trivanta_graph_archive PROPERTIES
    OUTPUT_NAME trivanta-graph LINKER_LANGUAGE CXX)

# The templates take the lists as words; GRAPH_LINK_FLAGS is all of the link's flags after the
# archive.
list(TRANSFORM GRAPH_SYSTEM_LIBRARIES PREPEND -l OUTPUT_VARIABLE GRAPH_LINK_FLAGS)
list(PREPEND GRAPH_LINK_FLAGS ${GRAPH_LINK_OPTIONS})
list(JOIN GRAPH_LINK_FLAGS " " GRAPH_LINK_FLAGS)
list(JOIN GRAPH_SYSTEM_MODULES " " GRAPH_SYSTEM_MODULES)
list(JOIN GRAPH_SYSTEM_LIBRARIES " " GRAPH_SYSTEM_LIBRARIES)

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
string(STRIP "-pthread ${GRAPH_LINK_FLAGS}" GRAPH_LIBS_PRIVATE)
configure_file(cmake/trivanta-graph.pc.in ${PACKAGING_DIR}/trivanta-graph.pc @ONLY)
install(FILES ${PACKAGING_DIR}/trivanta-graph.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# The examples' sources, with the CMakeLists.txt that builds them against an installed kit and
# the picture the pictures example shows; each kit installs them where it keeps its documents.
set(GRAPH_EXAMPLE_FILES examples/CMakeLists.txt examples/mouse_and_keys.cpp
    examples/pictures.cpp examples/controls.cpp assets/logo.jpg)
