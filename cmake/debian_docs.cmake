# The documents installed beside the program and the runtime, as a Debian package carries them:
# the machine-readable copyright file, checked against LICENSE, and files compressed as Debian
# wants them.

# Fails unless the machine-readable copyright file gives LICENSE's copyright line and licence
# text to the project's files, so that the licence is written down alike in both.
function(trivanta_check_copyright copyright)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${PROJECT_SOURCE_DIR}/LICENSE ${copyright})
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
    if(NOT licence MATCHES "^Copyright \\(c\\) ([^\n]+)\n\n")
        message(FATAL_ERROR "LICENSE does not start with its copyright line")
    endif()
    set(holders ${CMAKE_MATCH_1})
    string(REGEX REPLACE "^[^\n]*\n\n" "" text "${licence}")
    # A field's continuation lines start with a space, and an empty one is a lone full stop.
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REGEX REPLACE "\n([^\n])" "\n \\1" text " ${text}")
    file(READ ${copyright} written)
    string(FIND "${written}" "Files: *\nCopyright: ${holders}\nLicense: Zlib\n" files_at)
    string(FIND "${written}" "\n\nLicense: Zlib\n${text}" text_at)
    if(files_at EQUAL -1 OR text_at EQUAL -1)
        message(FATAL_ERROR "${copyright} does not give the project's files LICENSE's copyright "
                            "line (${holders}) and licence text: write them there alike")
    endif()
endfunction()

# Compresses a file at build time as Debian wants documents and manual pages: gzip at its best,
# with neither name nor time stamp, so that the same file always gives the same bytes.
function(trivanta_gzip input output)
    get_filename_component(name ${output} NAME_WLE)
    get_filename_component(folder ${output} DIRECTORY)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${input} ${folder}/${name}
        COMMAND gzip -9nf ${folder}/${name}
        DEPENDS ${input}
        VERBATIM)
endfunction()
