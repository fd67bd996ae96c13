# `cpack` in a Windows build folder makes trivanta-<version>-win64.zip (the program, README and
# licence) and trivanta-<version>-win64.exe, an installer made with NSIS (Debian: nsis) that
# installs for the current user only, without administrator rights, under
# %LOCALAPPDATA%\Programs\Trivanta, with two Start-menu entries (the second plays with colour
# marks) and an uninstaller. What is installed here is the component `game`; the runtime for
# programmers is the kit beside it (cmake/package_windows_dev.cmake).
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)
install(TARGETS trivanta RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
# The installer's licence page shows the licence.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME trivanta)
set(CPACK_PACKAGE_VENDOR Trivanta)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block colour-matching game")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Trivanta)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Trivanta)
set(CPACK_STRIP_FILES ON)
# The ZIP unpacks into one folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

# The Start-menu entry, which takes the program's own icon.
set(CPACK_PACKAGE_EXECUTABLES trivanta Trivanta)
set(CPACK_NSIS_PACKAGE_NAME Trivanta)
set(CPACK_NSIS_DISPLAY_NAME Trivanta)
set(CPACK_NSIS_INSTALLED_ICON_NAME trivanta.exe)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MUI_ICON ${TRIVANTA_ICON})
set(CPACK_NSIS_MUI_UNIICON ${TRIVANTA_ICON})
# A second Start-menu entry plays with colour marks; the uninstaller removes it with the first.
set(TRIVANTA_MARKS_SHORTCUT "Trivanta with colour marks.lnk")
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\${TRIVANTA_MARKS_SHORTCUT}' '$INSTDIR\\\\trivanta.exe' '--patterns'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA
    "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\${TRIVANTA_MARKS_SHORTCUT}'")

# CPack's own installer script makes a 32-bit installer that asks for administrator rights and
# writes for all users. The copy made here from it, which CPack finds first, makes a 64-bit
# Unicode one (Debian's nsis carries its stubs and plugins) that runs wherever the game does,
# Wine's 64-bit half included, asks for no rights and writes for the current user.
set(TRIVANTA_NSIS_TEMPLATES ${PROJECT_BINARY_DIR}/nsis)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in TRIVANTA_NSIS_SCRIPT)
string(REPLACE "; CPack install script designed for a nmake build"
       "Target amd64-unicode" TRIVANTA_NSIS_SCRIPT "${TRIVANTA_NSIS_SCRIPT}")
string(REPLACE "RequestExecutionLevel admin" "RequestExecutionLevel user"
       TRIVANTA_NSIS_SCRIPT "${TRIVANTA_NSIS_SCRIPT}")
string(REPLACE "SetShellVarContext all" "SetShellVarContext current"
       TRIVANTA_NSIS_SCRIPT "${TRIVANTA_NSIS_SCRIPT}")
string(REPLACE "HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
       "HKCU \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
       TRIVANTA_NSIS_SCRIPT "${TRIVANTA_NSIS_SCRIPT}")
file(WRITE ${TRIVANTA_NSIS_TEMPLATES}/NSIS.template.in "${TRIVANTA_NSIS_SCRIPT}")
set(CPACK_MODULE_PATH ${TRIVANTA_NSIS_TEMPLATES})

include(${CMAKE_CURRENT_LIST_DIR}/package_windows_dev.cmake)
include(CPack)
