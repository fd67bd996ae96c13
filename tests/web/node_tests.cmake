# The tests that need no display, in the browser build: WebAssembly with the browser backend's
# fonts, code page and pictures, run by node (the toolchain's emulator) with the machine's files
# at hand, as the native tests read them.
target_compile_options(trivanta_tests PRIVATE
    -include ${CMAKE_CURRENT_SOURCE_DIR}/web/no_death_tests.h)
# The faces carry the characters the text tests draw besides the game's.
trivanta_web_faces(trivanta_web_test_faces
    ${PROJECT_SOURCE_DIR}/game/texts.h
    ${CMAKE_CURRENT_SOURCE_DIR}/draw/text_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/draw/text_page.h)
target_link_libraries(trivanta_tests PRIVATE trivanta_web_test_faces)
trivanta_web_program(trivanta_tests)
target_link_options(trivanta_tests PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node)
# One node process runs them all: starting node and WebAssembly for each test alone took most
# of the time.
add_test(NAME trivanta_tests COMMAND trivanta_tests --gtest_brief=1)
set_tests_properties(trivanta_tests PROPERTIES TIMEOUT 600)

# What the browser checks (tools/web/page.test.mjs) load: the screens' expectations as a script
# they put into the page beside the canvas, the key-echoing program on a page of its own, and
# the game opened at its colour chooser on another.
set(LOGO_SOURCE ${PROJECT_BINARY_DIR}/generated/logo_jpeg.cpp)
set_source_files_properties(${LOGO_SOURCE} PROPERTIES GENERATED TRUE)
add_executable(trivanta_screen_checks web/screen_checks.cpp support/program_screens.cpp
               ${LOGO_SOURCE})
add_dependencies(trivanta_screen_checks trivanta_runtime)
target_link_libraries(trivanta_screen_checks PRIVATE trivanta_platform)
target_link_options(trivanta_screen_checks PRIVATE
    -sMODULARIZE=1 -sEXPORT_NAME=loadScreenChecks -sENVIRONMENT=web,worker -sALLOW_MEMORY_GROWTH=1
    -sSINGLE_FILE=1)

add_executable(trivanta_key_echo programs/key_echo.cpp)
target_link_libraries(trivanta_key_echo PRIVATE trivanta_graph trivanta_web_game_faces)
trivanta_web_page(trivanta_key_echo key_echo.html)

add_executable(trivanta_fatal web/fatal_program.cpp)
target_link_libraries(trivanta_fatal PRIVATE trivanta_graph trivanta_web_game_faces)
trivanta_web_page(trivanta_fatal fatal.html)

add_executable(trivanta_close_moment programs/close_moment.cpp)
target_link_libraries(trivanta_close_moment PRIVATE trivanta_game trivanta_web_game_faces)
trivanta_web_page(trivanta_close_moment chooser.html chooser)
