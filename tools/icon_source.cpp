// Writes the C++ source of assets/icon.h's pictures from the icon PNG files, so that the program
// carries its icon and the PNG files stay the one place it is drawn.
//   trivanta_icon_source <output.cpp> <picture.png>...     pictures in the order wanted
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The picture's width, height and 0xAARRGGBB pixels, appended to `words`.
bool appendPicture(const char* path, std::vector<uint32_t>& words) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        std::fprintf(stderr, "cannot read %s: %s\n", path, image.message);
        return false;
    }
    image.format = PNG_FORMAT_ARGB;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "cannot decode %s: %s\n", path, image.message);
        return false;
    }
    words.push_back(image.width);
    words.push_back(image.height);
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        words.push_back(uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
                        uint32_t{bytes[at + 2]} << 8 | bytes[at + 3]);
    }
    return true;
}

bool writeSource(const char* path, const std::vector<uint32_t>& words) {
    std::ofstream out(path);
    out << "// Generated from the icon pictures by tools/icon_source.cpp; do not edit.\n"
           "#include <cstddef>\n#include <cstdint>\n\nnamespace assets {\n\n"
           "extern const uint32_t kIconPictures[] = {\n";
    char word[16];
    for (size_t i = 0; i < words.size(); ++i) {
        std::snprintf(word, sizeof word, "0x%08X,", static_cast<unsigned>(words[i]));
        out << (i % 8 == 0 ? "    " : " ") << word << (i % 8 == 7 ? "\n" : "");
    }
    out << "\n};\nextern const size_t kIconPicturesSize = " << words.size()
        << ";\n\n}  // namespace assets\n";
    out.close();
    if (out)
        return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    std::remove(path);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: trivanta_icon_source <output.cpp> <picture.png>...\n");
        return 2;
    }
    std::vector<uint32_t> words;
    for (int i = 2; i < argc; ++i) {
        if (!appendPicture(argv[i], words))
            return 1;
    }
    return writeSource(argv[1], words) ? 0 : 1;
}
