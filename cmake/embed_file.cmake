# Writes a C++ source that holds a file's bytes as an array, so that the program carries the
# file and reads nothing from disk.
#   cmake -DINPUT=<file> -DOUTPUT=<source> -DNAMESPACE=<ns> -DSYMBOL=<name> -P embed_file.cmake
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
# Sixteen bytes a line.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}" "// Generated from ${name} by cmake/embed_file.cmake; do not edit.
#include <cstddef>

namespace ${NAMESPACE} {

extern const unsigned char ${SYMBOL}[] = {
    ${bytes}
};
extern const size_t ${SYMBOL}Size = ${size};

}  // namespace ${NAMESPACE}
")
