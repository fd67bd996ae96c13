// The blends of a 400 x 200 picture onto a 480 x 640 page beside pixman's OVER of the same two
// stores: the constant blend against a solid mask of the same opacity, the masked blend against
// an a8 mask holding the same opacities.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <vector>

#include "bench/support/bench_page.h"
#include "runtime/graph.h"

namespace {

constexpr int kPageWidth = 480;
constexpr int kPageHeight = 640;
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 200;
constexpr int kLeft = 40;
constexpr int kTop = 220;
constexpr uint32_t kOpacity = 0x80;

// Fills an image with words that vary in every channel, so no blend can take a short cut.
void fillVaried(PIMAGE img, uint32_t seed) {
    for (int i = 0; i < img->width * img->height; ++i) {
        img->pixels[i] = (static_cast<uint32_t>(i) * 2654435761u + seed) & 0x00FFFFFF;
    }
}

// The page, the picture and a mask of varied opacities, and pixman images over the very same
// stores; pixman's a8 mask holds the low bytes of ours.
class BlendScene {
public:
    BlendScene() {
        picture_ = newimage(kPictureWidth, kPictureHeight);
        mask_ = newimage(kPictureWidth, kPictureHeight);
        fillVaried(page_.image(), 17);
        fillVaried(picture_, 91);
        fillVaried(mask_, 5);
        for (int i = 0; i < kPictureWidth * kPictureHeight; ++i) {
            mask_->pixels[i] &= 0xFF;
            maskBytes_[i] = static_cast<uint8_t>(mask_->pixels[i]);
        }
        // x8r8g8b8 reads the top byte as opaque, so OVER through the mask is a plain blend.
        pixmanPage_ = wrap(page_.image());
        pixmanPicture_ = wrap(picture_);
        const pixman_color_t opacity{0, 0, 0, static_cast<uint16_t>(kOpacity * 257)};
        pixmanMask_ = pixman_image_create_solid_fill(&opacity);
        pixmanA8Mask_ =
            pixman_image_create_bits(PIXMAN_a8, kPictureWidth, kPictureHeight,
                                     reinterpret_cast<uint32_t*>(maskBytes_.data()), kPictureWidth);
    }
    ~BlendScene() {
        pixman_image_unref(pixmanA8Mask_);
        pixman_image_unref(pixmanMask_);
        pixman_image_unref(pixmanPicture_);
        pixman_image_unref(pixmanPage_);
        freeimage(mask_);
        freeimage(picture_);
    }
    BlendScene(const BlendScene&) = delete;
    BlendScene& operator=(const BlendScene&) = delete;

    void blendOurs() const { putimage_alphablend(page_.image(), picture_, kLeft, kTop, kOpacity); }
    void blendPixman() const { overPixman(pixmanMask_); }
    void blendOursMasked() const {
        picture_->putimage_alphablend(page_.image(), kLeft, kTop, mask_, 0, 0, 0, 0);
    }
    void blendPixmanMasked() const { overPixman(pixmanA8Mask_); }
    const uint32_t* page() const { return page_.image()->pixels; }

private:
    static pixman_image_t* wrap(PIMAGE img) {
        return pixman_image_create_bits(PIXMAN_x8r8g8b8, img->width, img->height, img->pixels,
                                        img->width * static_cast<int>(sizeof(uint32_t)));
    }

    void overPixman(pixman_image_t* mask) const {
        pixman_image_composite32(PIXMAN_OP_OVER, pixmanPicture_, mask, pixmanPage_, 0, 0, 0, 0,
                                 kLeft, kTop, kPictureWidth, kPictureHeight);
    }

    BenchPage page_{kPageWidth, kPageHeight};
    PIMAGE picture_ = nullptr;
    PIMAGE mask_ = nullptr;
    std::vector<uint8_t> maskBytes_ = std::vector<uint8_t>(kPictureWidth * kPictureHeight);
    pixman_image_t* pixmanPage_ = nullptr;
    pixman_image_t* pixmanPicture_ = nullptr;
    pixman_image_t* pixmanMask_ = nullptr;
    pixman_image_t* pixmanA8Mask_ = nullptr;
};

template <void (BlendScene::*blend)() const>
void runBlend(benchmark::State& state) {
    const BlendScene scene;
    for (auto _ : state) {
        (scene.*blend)();
        benchmark::DoNotOptimize(scene.page());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPictureWidth * kPictureHeight);
}

void BM_ConstantBlend(benchmark::State& state) {
    runBlend<&BlendScene::blendOurs>(state);
}
void BM_PixmanOverSolidMask(benchmark::State& state) {
    runBlend<&BlendScene::blendPixman>(state);
}
void BM_MaskedBlend(benchmark::State& state) {
    runBlend<&BlendScene::blendOursMasked>(state);
}
void BM_PixmanOverA8Mask(benchmark::State& state) {
    runBlend<&BlendScene::blendPixmanMasked>(state);
}

}  // namespace

BENCHMARK(BM_ConstantBlend);
BENCHMARK(BM_PixmanOverSolidMask);
BENCHMARK(BM_MaskedBlend);
BENCHMARK(BM_PixmanOverA8Mask);
