// The faces a program in the browser carries, since a web page can read no installed fonts: one
// for each of the two face names, cut to the characters the program draws. Each program links
// one set of definitions (web/CMakeLists.txt makes them with tools/web/font_text.py).
#pragma once

#include <cstddef>

namespace platform::web {

// "黑体": WenQuanYi Zen Hei Mono, the face Linux desktops give that name.
extern const unsigned char kSansFace[];
extern const size_t kSansFaceSize;
// "宋体": AR PL UMing CN, likewise.
extern const unsigned char kSerifFace[];
extern const size_t kSerifFaceSize;

}  // namespace platform::web
