# The browser: a canvas on a web page, the faces the program carries, and the code page built
# from the C library's. Each program links the faces it needs (web/CMakeLists.txt).
include_guard(GLOBAL)
target_sources(trivanta_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keyboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/page_events.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window.cpp)
# The page calls these; nothing in the program does, so they are named for the linker to keep.
target_link_options(trivanta_platform INTERFACE
    --js-library ${CMAKE_CURRENT_LIST_DIR}/page_library.js
    -Wl,-u,trivanta_page_key -Wl,-u,trivanta_page_pointer -Wl,-u,trivanta_page_blur
    -Wl,-u,trivanta_page_error_closed)
set_property(TARGET trivanta_platform APPEND PROPERTY INTERFACE_LINK_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/page_library.js)
