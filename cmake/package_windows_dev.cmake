# The runtime for programmers on Windows: `cpack` in a Windows build folder makes, beside the
# game's ZIP and installer, trivanta-graph-<version>-mingw64.zip, a kit for MinGW-w64 that
# unpacks into one folder. It holds the library with its headers, CMake package and pkg-config
# file (cmake/graph_dev_files.cmake), the examples with their CMakeLists.txt, the API reference,
# README.txt, which tells how to build with it, and the licence: the component `dev`. The
# game's ZIP and installer hold the component `game` alone.
include(GNUInstallDirs)
set(PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)

# The Windows libraries the platform layer links (platform/CMakeLists.txt), which are the
# system's own: a program links them by name, and the stack protector's support the archive is
# built with (cmake/hardening.cmake) by its option.
set(GRAPH_SYSTEM_MODULES "")
set(GRAPH_SYSTEM_LIBRARIES user32 gdi32 ole32 windowscodecs winmm)
set(GRAPH_LINK_OPTIONS ${TRIVANTA_HARDEN_LINK_OPTIONS})
include(${CMAKE_CURRENT_LIST_DIR}/graph_dev_files.cmake)

# In Windows' own line ends, which every editor there shows as lines.
configure_file(packaging/windows_kit_README.txt ${PACKAGING_DIR}/README.txt @ONLY
               NEWLINE_STYLE DOS)
install(FILES ${PACKAGING_DIR}/README.txt LICENSE docs/api.md DESTINATION . COMPONENT dev)
install(FILES ${GRAPH_EXAMPLE_FILES} DESTINATION examples COMPONENT dev)

# CPack's archive generators name the one folder in every ZIP after the game's package, so the
# kit is staged by the External generator instead and zipped by cmake/zip_windows_kit.cmake; the
# generator also leaves a description of the kit, trivanta-graph-<version>-mingw64.json.
# cmake/cpack_windows_generators.cmake gives each generator its component.
list(APPEND CPACK_GENERATOR External)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_windows_generators.cmake)
set(CPACK_TRIVANTA_KIT_NAME trivanta-graph-${PROJECT_VERSION}-mingw64)
set(CPACK_TRIVANTA_KIT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/zip_windows_kit.cmake)
set(CPACK_TRIVANTA_GAME_PROJECT "${PROJECT_BINARY_DIR};${PROJECT_NAME};game;/")
