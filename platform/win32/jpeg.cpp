// JPEG decoding with the Windows Imaging Component, with the Linux build's rules: only JPEG
// pictures load, none larger than kMaxJpegSide each way, and none that end before their
// end-of-image marker.
#include "platform/jpeg.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace platform {

namespace {

// Releases a COM interface when it goes.
template <typename Interface>
class Com {
public:
    Com() = default;
    ~Com() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    Interface** out() { return &pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// COM is started once on each thread that decodes, in whichever mode the thread already has.
void startCom() {
    thread_local const HRESULT started = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    (void)started;
}

// A JPEG starts with its start-of-image marker and ends with its end-of-image marker, maybe
// followed by padding; the decoder would fill a truncated picture with grey instead.
bool framedAsJpeg(const unsigned char* bytes, size_t count) {
    if (count < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return false;
    for (size_t i = count - 1; i > 2; --i) {
        if (bytes[i - 1] == 0xFF && bytes[i] == 0xD9)
            return true;
    }
    return false;
}

uint32_t bigEndian16(const unsigned char* bytes) {
    return uint32_t{bytes[0]} << 8 | bytes[1];
}

// The start-of-frame markers, which carry the picture's size: 0xC0 to 0xCF but for the Huffman
// table (0xC4), the arithmetic conditioning (0xCC) and the JPEG extension (0xC8) markers.
bool isFrameMarker(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Whether the bytes can hold the picture their frame header claims: every 8 x 8 block of it
// takes at least a bit. The decoder would otherwise fill a picture that claims 16384 x 16384
// pixels from a few bytes with grey, at a cost of a gigabyte and minutes.
bool holdsItsBlocks(const unsigned char* bytes, size_t count) {
    size_t at = 2;
    while (at + 9 <= count && bytes[at] == 0xFF) {
        const unsigned char marker = bytes[at + 1];
        if (isFrameMarker(marker)) {
            const uint64_t height = bigEndian16(bytes + at + 5);
            const uint64_t width = bigEndian16(bytes + at + 7);
            const uint64_t blocks = ((width + 7) / 8) * ((height + 7) / 8);
            return count * 8 >= blocks;
        }
        at += 2 + bigEndian16(bytes + at + 2);
    }
    return false;
}

bool isJpegDecoder(IWICBitmapDecoder* decoder) {
    GUID format{};
    return SUCCEEDED(decoder->GetContainerFormat(&format)) &&
           IsEqualGUID(format, GUID_ContainerFormatJpeg);
}

// The first frame of the picture, when the bytes are a JPEG of an acceptable size.
JpegResult openFrame(IWICImagingFactory* factory, const void* data, size_t count,
                     Com<IWICBitmapFrameDecode>& frame) {
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                            static_cast<DWORD>(count))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        !isJpegDecoder(decoder.get()) || FAILED(decoder->GetFrame(0, frame.out()))) {
        return JpegResult::NotAPicture;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > kMaxJpegSide || height > kMaxJpegSide) {
        return JpegResult::NotAPicture;
    }
    return JpegResult::Decoded;
}

// Converts the frame to one 0x00RRGGBB word per pixel: 32-bit BGR is exactly that in memory,
// except for its fourth byte, which is left undefined.
JpegResult readPixels(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                      JpegPicture& picture) {
    UINT width = 0;
    UINT height = 0;
    frame->GetSize(&width, &height);
    Com<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom))) {
        return JpegResult::NotAPicture;
    }
    const size_t total = size_t{width} * height;
    PixelBuffer words(static_cast<uint32_t*>(std::malloc(total * sizeof(uint32_t))));
    if (words == nullptr)
        return JpegResult::NoMemory;
    const UINT stride = width * sizeof(uint32_t);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(total * sizeof(uint32_t)),
                                     reinterpret_cast<BYTE*>(words.get())))) {
        return JpegResult::NotAPicture;
    }
    for (size_t i = 0; i < total; ++i)
        words[i] &= 0x00FFFFFF;
    picture = JpegPicture{static_cast<int>(width), static_cast<int>(height), std::move(words)};
    return JpegResult::Decoded;
}

}  // namespace

JpegResult decodeJpeg(const void* data, size_t count, JpegPicture& picture) {
    if (data == nullptr || count == 0 || count > MAXDWORD ||
        !framedAsJpeg(static_cast<const unsigned char*>(data), count) ||
        !holdsItsBlocks(static_cast<const unsigned char*>(data), count)) {
        return JpegResult::NotAPicture;
    }
    startCom();
    Com<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.out())))) {
        return JpegResult::NotAPicture;
    }
    Com<IWICBitmapFrameDecode> frame;
    if (const JpegResult opened = openFrame(factory.get(), data, count, frame);
        opened != JpegResult::Decoded) {
        return opened;
    }
    return readPixels(factory.get(), frame.get(), picture);
}

}  // namespace platform
