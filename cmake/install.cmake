# What `cmake --install` puts on the system, in two components: `game`, the game with what a
# desktop and a distribution want around it (below), and `dev`, the runtime as a library for other
# programs (cmake/install_dev.cmake). The tests, the benchmarks and the tools are not installed.
# A Windows build installs its own way (cmake/package_windows.cmake).

# The homepage the packages name, the Windows kit's pkg-config file among them.
set(TRIVANTA_HOMEPAGE "https://trivanta.example.org/")
if(WIN32)
    return()
endif()
include(GNUInstallDirs)
include(cmake/debian_docs.cmake)
include(cmake/releases.cmake)

# The AppStream identifier: the reverse of the homepage's domain, and the program.
set(TRIVANTA_APP_ID org.example.trivanta)
set(TRIVANTA_INSTALL_GAMESDIR games CACHE STRING
    "Where the game program is installed, below the prefix (distributions keep games apart)")

# The documents both components carry: the copyright file, which must hold LICENSE's terms, and
# the changelog, both kept under debian/ where the Debian packages take them from.
set(PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)
set(TRIVANTA_COPYRIGHT ${PROJECT_SOURCE_DIR}/debian/copyright)
set(TRIVANTA_CHANGELOG ${PROJECT_SOURCE_DIR}/debian/changelog)
trivanta_check_copyright(${TRIVANTA_COPYRIGHT})
trivanta_gzip(${TRIVANTA_CHANGELOG} ${PACKAGING_DIR}/changelog.gz)

include(cmake/install_dev.cmake)

# Without a window system there is no game to install.
if(NOT TARGET trivanta)
    add_custom_target(trivanta_package_docs ALL DEPENDS ${PACKAGING_DIR}/changelog.gz)
    return()
endif()

install(TARGETS trivanta RUNTIME DESTINATION ${TRIVANTA_INSTALL_GAMESDIR} COMPONENT game)

# The desktop entry starts the game by its full path, which only the install knows: a package is
# configured for one prefix and installed under another.
if(IS_ABSOLUTE ${TRIVANTA_INSTALL_GAMESDIR})
    set(game_path ${TRIVANTA_INSTALL_GAMESDIR}/trivanta)
else()
    set(game_path "\${CMAKE_INSTALL_PREFIX}/${TRIVANTA_INSTALL_GAMESDIR}/trivanta")
endif()
install(CODE "
    set(TRIVANTA_GAME_PATH \"${game_path}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/packaging/trivanta.desktop.in\"
                   \"${PACKAGING_DIR}/trivanta.desktop\" @ONLY)"
    COMPONENT game)
install(FILES ${PACKAGING_DIR}/trivanta.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)

# assets/icons/ is laid out as the hicolor theme is (<size>x<size>/apps/trivanta.png), so the
# sizes tools/make_icons.sh draws are all installed without being listed twice.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor COMPONENT game
        FILES_MATCHING PATTERN "*.png")

# What software centres list: the AppStream metadata, its releases read from the changelog.
trivanta_releases(${TRIVANTA_CHANGELOG} TRIVANTA_RELEASES)
configure_file(${PROJECT_SOURCE_DIR}/packaging/trivanta.metainfo.xml.in
               ${PACKAGING_DIR}/${TRIVANTA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PACKAGING_DIR}/${TRIVANTA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)

# The manual page, and the package's copyright and changelog.
configure_file(${PROJECT_SOURCE_DIR}/packaging/trivanta.6 ${PACKAGING_DIR}/man/trivanta.6 @ONLY)
trivanta_gzip(${PACKAGING_DIR}/man/trivanta.6 ${PACKAGING_DIR}/trivanta.6.gz)
add_custom_target(trivanta_package_docs ALL
    DEPENDS ${PACKAGING_DIR}/changelog.gz ${PACKAGING_DIR}/trivanta.6.gz)
install(FILES ${PACKAGING_DIR}/trivanta.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
        COMPONENT game)
install(FILES ${TRIVANTA_COPYRIGHT} ${PACKAGING_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trivanta COMPONENT game)
