# `cpack` in a Windows build folder makes a ZIP and an installer (cmake/package_windows.cmake).
# The Debian packages are made from debian/ with the distribution's own tools instead (README,
# "Install").
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/package_windows.cmake)
endif()
