# The Windows program's icon: assets/icons/<size>x<size>/apps/trivanta.png, the same pictures the
# Linux desktop shows, packed into one .ico at build time by ImageMagick (package imagemagick)
# and compiled into the program as its first icon resource, which its window class finds.
find_program(TRIVANTA_CONVERT convert REQUIRED)

include(${PROJECT_SOURCE_DIR}/cmake/icons.cmake)

set(TRIVANTA_ICON ${PROJECT_BINARY_DIR}/generated/trivanta.ico)
add_custom_command(
    OUTPUT ${TRIVANTA_ICON}
    COMMAND ${TRIVANTA_CONVERT} ${TRIVANTA_ICON_PNGS} ${TRIVANTA_ICON}
    DEPENDS ${TRIVANTA_ICON_PNGS}
    COMMENT "Packing the program's icon")

set(TRIVANTA_RESOURCES ${PROJECT_BINARY_DIR}/generated/trivanta.rc)
file(WRITE ${TRIVANTA_RESOURCES} "1 ICON \"${TRIVANTA_ICON}\"\n")
set_source_files_properties(${TRIVANTA_RESOURCES} PROPERTIES OBJECT_DEPENDS ${TRIVANTA_ICON})
