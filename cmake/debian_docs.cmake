# The documents a Debian package carries beside its files, made from the tree's own: the
# machine-readable copyright file from LICENSE, and files compressed as Debian wants them.

# Writes the copyright file of the packages: LICENSE's notice and text in the machine-readable
# format, so that the licence is written down in LICENSE alone.
function(trivanta_copyright_file output)
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
    if(NOT licence MATCHES "^Copyright \\(c\\) ([^\n]+)\n\n")
        message(FATAL_ERROR "LICENSE does not start with its copyright line")
    endif()
    set(holders ${CMAKE_MATCH_1})
    string(REGEX REPLACE "^[^\n]*\n\n" "" text "${licence}")
    # A field's continuation lines start with a space, and an empty one is a lone full stop.
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REGEX REPLACE "\n([^\n])" "\n \\1" text " ${text}")
    file(WRITE ${output}
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
        "Upstream-Name: Trivanta\n"
        "Upstream-Contact: ${TRIVANTA_MAINTAINER}\n"
        "Source: ${TRIVANTA_HOMEPAGE}\n"
        "\n"
        "Files: *\n"
        "Copyright: ${holders}\n"
        "License: Zlib\n"
        "\n"
        "License: Zlib\n"
        "${text}")
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
