// libjpeg decoding with every error and warning turned into a result: its default handlers
// print to standard error and end the process, which a runtime loading pictures must not do.
#include "platform/jpeg.h"

#include <bit>
#include <csetjmp>
#include <cstdio>  // jpeglib.h expects FILE to be declared
#include <cstdlib>
#include <utility>

#include <jerror.h>
#include <jpeglib.h>

namespace platform {

namespace {

// libjpeg calls back through `manager`, which comes first so that its address is the trap's.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    JpegResult failure;
};

struct Decoder {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    uint32_t* words;  // malloc'ed output; decodeJpeg takes it over
};

// Leaves libjpeg for the setjmp in runDecoder. libjpeg's own frames are C and hold nothing
// that needs unwinding.
[[noreturn]] void leaveOnError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    trap->failure = trap->manager.msg_code == JERR_OUT_OF_MEMORY ? JpegResult::NoMemory
                                                                 : JpegResult::NotAPicture;
    std::longjmp(trap->jump, 1);
}

// A warning (level below 0) means corrupt data that libjpeg patched up, such as a premature
// end; such a picture is not loaded. Trace messages (level 0 and up) are ignored.
void leaveOnWarning(j_common_ptr info, int level) {
    if (level < 0)
        leaveOnError(info);
}

void stayQuiet(j_common_ptr) {}

// Colour pictures come out as one 0x..RRGGBB word per pixel; CMYK and YCCK ones as CMYK bytes,
// converted afterwards since libjpeg has no conversion from them to RGB.
J_COLOR_SPACE outputSpace(J_COLOR_SPACE stored) {
    if (stored == JCS_CMYK || stored == JCS_YCCK)
        return JCS_CMYK;
    return std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
}

// Decodes into dec.words. Every failure, libjpeg's included, returns false with the reason in
// dec.trap.failure. Nothing in this frame needs destroying, so the long jump may cross it.
bool runDecoder(Decoder& dec, const void* data, size_t count) {
    jpeg_decompress_struct& info = dec.info;
    info.err = jpeg_std_error(&dec.trap.manager);
    dec.trap.manager.error_exit = leaveOnError;
    dec.trap.manager.emit_message = leaveOnWarning;
    dec.trap.manager.output_message = stayQuiet;
    dec.trap.failure = JpegResult::NotAPicture;
    if (setjmp(dec.trap.jump) != 0)
        return false;

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, static_cast<const unsigned char*>(data), count);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > kMaxJpegSide || info.image_height > kMaxJpegSide || info.arith_code)
        return false;
    info.out_color_space = outputSpace(info.jpeg_color_space);
    jpeg_start_decompress(&info);

    const size_t width = info.output_width;
    dec.words = static_cast<uint32_t*>(std::malloc(width * info.output_height * sizeof(uint32_t)));
    if (dec.words == nullptr) {
        dec.trap.failure = JpegResult::NoMemory;
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(dec.words + info.output_scanline * width);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

// How much light an ink value lets through. Pictures with an Adobe marker store inks inverted
// (255 is no ink), as the common editors write them.
uint32_t light(uint8_t ink, bool inverted) {
    return inverted ? ink : 255u - ink;
}

// Turns the CMYK bytes of each word into an RGB word, in place.
void cmykToRgb(uint32_t* words, size_t count, bool inverted) {
    auto* bytes = reinterpret_cast<const uint8_t*>(words);
    for (size_t i = 0; i < count; ++i, bytes += 4) {
        const uint32_t black = light(bytes[3], inverted);
        const auto channel = [&](uint8_t ink) {
            return (light(ink, inverted) * black + 127) / 255;
        };
        words[i] = channel(bytes[0]) << 16 | channel(bytes[1]) << 8 | channel(bytes[2]);
    }
}

// The fourth byte libjpeg leaves in each word is undefined; pixel words keep it 0.
void clearTopBytes(uint32_t* words, size_t count) {
    for (size_t i = 0; i < count; ++i)
        words[i] &= 0x00FFFFFF;
}

}  // namespace

JpegResult decodeJpeg(const void* data, size_t count, JpegPicture& picture) {
    if (data == nullptr || count == 0)
        return JpegResult::NotAPicture;
    Decoder dec{};
    const bool decoded = runDecoder(dec, data, count);
    PixelBuffer words(dec.words);
    const bool cmyk = dec.info.out_color_space == JCS_CMYK;
    const bool inverted = dec.info.saw_Adobe_marker != FALSE;
    const int width = static_cast<int>(dec.info.output_width);
    const int height = static_cast<int>(dec.info.output_height);
    jpeg_destroy_decompress(&dec.info);
    if (!decoded)
        return dec.trap.failure;

    const size_t total = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (cmyk) {
        cmykToRgb(words.get(), total, inverted);
    } else {
        clearTopBytes(words.get(), total);
    }
    picture = JpegPicture{width, height, std::move(words)};
    return JpegResult::Decoded;
}

}  // namespace platform
