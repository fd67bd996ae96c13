# Windows: its own window, GDI glyphs, its code page conversions and the Windows Imaging
# Component's JPEG decoder.
include_guard(GLOBAL)
target_sources(trivanta_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/console.cpp
    ${CMAKE_CURRENT_LIST_DIR}/font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/font_faces.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sleeper.cpp
    ${CMAKE_CURRENT_LIST_DIR}/typing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wide_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_class.cpp)
target_link_libraries(trivanta_platform PRIVATE user32 gdi32 ole32 windowscodecs winmm)
