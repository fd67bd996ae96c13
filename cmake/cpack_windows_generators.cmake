# cpack reads this once for each generator of a Windows build (cmake/package_windows_dev.cmake):
# the game's ZIP and installer install the component `game` only; the External generator stages
# the component `dev` in a folder named after the kit, which its script zips.
if(CPACK_GENERATOR STREQUAL "External")
    set(CPACK_COMPONENTS_ALL dev)
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_TRIVANTA_KIT_NAME})
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CPACK_TRIVANTA_KIT_SCRIPT})
else()
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_TRIVANTA_GAME_PROJECT}")
endif()
