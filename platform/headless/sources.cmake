# No display: virtual time, scripted input, recorded frames.
include_guard(GLOBAL)
target_sources(trivanta_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framebuffer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scheduler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window.cpp)
