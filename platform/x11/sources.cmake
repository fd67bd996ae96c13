# A window on an X server through Xlib, presented through MIT-SHM or plain images. The tests talk
# to X servers too, so the libraries are found globally.
include_guard(GLOBAL)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET GLOBAL x11 xext)
target_sources(trivanta_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display.cpp
    ${CMAKE_CURRENT_LIST_DIR}/events.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framebuffer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixel_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/properties.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window.cpp)
target_link_libraries(trivanta_platform PRIVATE PkgConfig::X11)
set_property(GLOBAL APPEND PROPERTY TRIVANTA_SYSTEM_MODULES x11 xext)
set_property(GLOBAL APPEND PROPERTY TRIVANTA_DEV_PACKAGES libx11-dev libxext-dev)
