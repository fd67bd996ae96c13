# cpack's External generator runs this with the development kit staged in
# <CPACK_TEMPORARY_DIRECTORY>/dev/<CPACK_PACKAGE_FILE_NAME>/ (cmake/cpack_windows_generators.cmake).
# It zips that folder, so that the ZIP unpacks into one folder, and hands the ZIP to cpack, which
# puts it beside the other packages.
set(kit_zip ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E tar cf ${kit_zip} --format=zip ${CPACK_PACKAGE_FILE_NAME}
    WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}/dev
    COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${kit_zip})
