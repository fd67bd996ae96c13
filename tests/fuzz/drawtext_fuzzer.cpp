// Arbitrary GBK byte strings drawn with drawtext and drawchar, in the two Chinese faces and a few
// others, at any cell size (0, negative and huge included), with any anchor, anywhere.
//
// Input: the page's width and height (one byte each), the size of one more image (two bytes),
// then calls until the input ends (64 at most), each a byte choosing the call followed by
// its arguments as tests/fuzz/fuzz_input.h reads them; drawn strings run to the next zero byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/graph.h"
#include "tests/fuzz/fuzz_images.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// GBK face names: the two that map to Chinese faces, the default (null), an empty name, a Latin
// family, a lead byte cut off from its trail byte, and a name past the 31 bytes that are read.
constexpr const char* kFaces[] = {
    "\xBA\xDA\xCC\xE5",  // 黑体
    "\xCB\xCE\xCC\xE5",  // 宋体
    nullptr,
    "",
    "DejaVu Sans Mono",
    "\xBA\xDA\xCC",
    "\xCB\xCE\xCC\xE5 is a name longer than the thirty-one bytes read of it",
};

void drawCall(FuzzInput& in, FuzzImages& images) {
    enum Call { kFontFace, kAnchor, kText, kChar, kMeasure, kShared, kCalls };
    switch (in.byte() % kCalls) {
        case kFontFace: {
            const int height = in.number();
            const int width = in.number();
            const char* face = in.choose(kFaces);
            setfontface(height, width, face, images.argument(in));
            break;
        }
        case kAnchor: {
            const int horiz = in.number();
            const int vert = in.number();
            settextanchor(horiz, vert, images.argument(in));
            break;
        }
        case kText: {
            const int x = in.number();
            const int y = in.number();
            const PIMAGE target = images.argument(in);
            const std::string text = in.text();
            drawInsideClip(target, [&] { drawtext(x, y, text.c_str(), target); });
            break;
        }
        case kChar: {
            const int x = in.number();
            const int y = in.number();
            const int ch = in.number();
            const PIMAGE target = images.argument(in);
            drawInsideClip(target, [&] { drawchar(x, y, ch, target); });
            break;
        }
        case kMeasure: {
            const std::string text = in.text();
            measuretextheight(text.c_str(), images.argument(in));
            break;
        }
        default:
            changeSharedState(in, images);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FuzzImages images(in, 1);
    images.run(in, drawCall);
    return 0;
}
