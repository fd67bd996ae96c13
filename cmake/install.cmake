# What `cmake --install` puts on the system: the game, its desktop entry and its icons. The
# runtime's static libraries, the tests, the benchmarks and the tools have no install rules, so
# they stay in the build tree.
include(GNUInstallDirs)

# Without a window system there is no game to install; a Windows build installs its own way
# (cmake/package_windows.cmake).
if(NOT TARGET trivanta OR WIN32)
    return()
endif()

install(TARGETS trivanta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/trivanta.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# assets/icons/ is laid out as the hicolor theme is (<size>x<size>/apps/trivanta.png), so the
# sizes tools/make_icons.sh draws are all installed without being listed twice.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
