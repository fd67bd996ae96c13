# Writes the page's offline worker from its template, with the files it keeps and its cache
# named after a hash of them, so that every build that changes one of them has a cache of its
# own.
#   cmake -DINPUT=<template> -DOUTPUT=<worker> -DSITE=<folder> -DFILES=<file>,<file>...
#         -P service_worker.cmake
string(REPLACE "," ";" FILES "${FILES}")
set(hashes "")
set(quoted "'./'")
foreach(file IN LISTS FILES)
    file(SHA256 "${SITE}/${file}" hash)
    string(APPEND hashes "${file} ${hash}\n")
    string(APPEND quoted ", '${file}'")
endforeach()
string(SHA256 BUILD "${hashes}")
string(SUBSTRING "${BUILD}" 0 16 BUILD)
set(FILES "${quoted}")
configure_file("${INPUT}" "${OUTPUT}" @ONLY)
