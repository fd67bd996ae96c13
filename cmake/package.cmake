# `cpack` in a build folder makes the packages of what cmake/install.cmake installs: on Debian
# one package per component, `trivanta` (the game) and `libtrivanta-graph-dev` (the runtime for
# programmers); in a Windows build, a ZIP and an installer (cmake/package_windows.cmake).
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/package_windows.cmake)
    return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trivanta)
set(CPACK_PACKAGE_VENDOR "the Trivanta authors")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TRIVANTA_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_COMPONENT_GAME_DISPLAY_NAME "Trivanta")
set(CPACK_COMPONENT_DEV_DISPLAY_NAME "Trivanta graphics runtime for programmers")
set(CPACK_STRIP_FILES ON)

# Debian: the first line of each description is the package's summary; the rest stays within 80
# columns.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TRIVANTA_MAINTAINER})
# <name>_<version>_<architecture>.deb, the architecture being dpkg's own.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE trivanta)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME trivanta)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_DESCRIPTION "falling-block colour-matching game
Pieces of three coloured blocks fall into a well nine columns wide. Three or
more blocks of one colour in a row, a column or a diagonal vanish and score,
the blocks above fall, and chains follow. Grey pieces never match; white
special blocks drill, blast, recolour and wipe out colours.")
# dpkg-shlibdeps (package dpkg-dev) computes the libraries the program links; the game's Chinese
# text needs the two fonts besides, which no library dependency brings in.
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "fonts-wqy-zenhei, fonts-arphic-uming")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtrivanta-graph-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "immediate-mode graphics runtime of the Trivanta game
A small runtime for drawing programs in C++20: a window on its own thread,
off-screen images with software-rasterised bars, arcs, text in fixed cells,
transfers and alpha blends, JPEG loading, keyboard and mouse input, frame
pacing, and a tree of controls.
.
This package holds the static library, its headers, a CMake package and a
pkg-config file, the API reference and three example programs.")
# The CMake package and the pkg-config file find the libraries the runtime links through
# pkg-config, in their development packages; the two Chinese faces serve its text.
get_property(DEV_PACKAGES GLOBAL PROPERTY TRIVANTA_DEV_PACKAGES)
list(APPEND DEV_PACKAGES pkg-config)
list(JOIN DEV_PACKAGES ", " CPACK_DEBIAN_DEV_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_DEV_PACKAGE_RECOMMENDS "fonts-wqy-zenhei, fonts-arphic-uming")

include(CPack)
