// Images: a JPEG loaded from a file, copied, scaled, combined with a raster operation and blended,
// with a constant opacity and through a mask drawn for the purpose. Any key or the window's close
// button ends the program.
//   pictures [picture.jpg]      the picture defaults to logo.jpg in the current folder
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "runtime/graph.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kThumbWidth = 200;
constexpr int kThumbHeight = 100;
// A raster operation combines source, destination and brush bit by bit; this one is the source
// exclusive-or the destination. (SRCCOPY, the plain copy, is the only one the header names.)
constexpr uint32_t kSourceXorDest = 0x00660046;

std::vector<char> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A mask whose low byte, the opacity, falls from 255 on the left to 0 on
// the right in bands eight pixels wide.
PIMAGE fadingMask(int width, int height) {
    PIMAGE mask = newimage(width, height);
    for (int left = 0; left < width; left += 8) {
        setbrushcolor(static_cast<RGBVAL>(255 - 255 * left / width), mask);
        fillbar(left, 0, left + 8, height, mask);
    }
    return mask;
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "logo.jpg";
    const std::vector<char> bytes = readFile(path);

    initgraph(kWidth, kHeight);
    settitle("Pictures");
    PIMAGE picture = newimage();
    // 0 when the bytes were a picture; the image then takes the picture's size.
    if (picture->getimage(bytes.data(), bytes.size()) != 0) {
        std::fprintf(stderr, "pictures: %s is not a JPEG picture that can be read\n", path);
        return 1;
    }
    const int width = imagewidth(picture);
    const int height = imageheight(picture);

    // A hatched background, so that the blends below have something to show through.
    setbackcolor(0x303848);
    setbrushpattern(7, 0x8090A0);
    fillbar(0, 0, kWidth, kHeight);
    setfontface(16, 8, FACE_HEI);
    setpencolor(0xFFFFFF);

    // The picture as it is, and scaled to a thumbnail of 200 x 100 pixels.
    putimage(10, 30, picture);
    drawtext(10, 10, "copied");
    PIMAGE thumb = newimage(kThumbWidth, kThumbHeight);
    putimage(thumb, 0, 0, kThumbWidth, kThumbHeight, picture, 0, 0, width, height);
    putimage(430, 30, thumb);
    drawtext(430, 10, "scaled");

    // The thumbnail combined with what is below it, blended at half opacity, and blended through
    // a mask that fades it out from left to right.
    thumb->putimage(nullptr, 10, 300, kSourceXorDest);
    drawtext(10, 280, "exclusive-or");
    putimage_alphablend(nullptr, thumb, 220, 300, 128);
    drawtext(220, 280, "half opacity");
    PIMAGE mask = fadingMask(kThumbWidth, kThumbHeight);
    thumb->putimage_alphablend(nullptr, 430, 300, mask, 0, 0, kThumbWidth, kThumbHeight);
    drawtext(430, 280, "through a mask");

    readkey();  // shows the page and waits for a key
    freeimage(mask);
    freeimage(thumb);
    freeimage(picture);
    return 0;
}
