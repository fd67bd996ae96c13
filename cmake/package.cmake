# `cpack` in a build folder makes the Debian package of what cmake/install.cmake installs; in a
# Windows build, a ZIP and an installer (cmake/package_windows.cmake).
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/package_windows.cmake)
    return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trivanta)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block colour-matching game")
# CPack puts the summary first and indents the text below it as a Debian description wants.
set(CPACK_PACKAGE_DESCRIPTION
    "Pieces of three coloured blocks fall into a well nine columns wide. Three or more blocks of \
one colour in a row, a column or a diagonal vanish and score, the blocks above fall, and chains \
follow. Grey pieces never match; white special blocks drill, blast, recolour and wipe out \
colours.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Trivanta developers <trivanta@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# trivanta_<version>_<architecture>.deb, the architecture being dpkg's own.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# dpkg-shlibdeps (package dpkg-dev) computes the libraries the program links; the game's Chinese
# text needs the two fonts besides, which no library dependency brings in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei, fonts-arphic-uming")

include(CPack)
