// The start-up logo, played in virtual time and watched frame by frame.
#include <gtest/gtest.h>

#include <vector>

#include "assets/logo.h"
#include "draw/blend.h"
#include "runtime/graph_state.h"
#include "runtime/logo.h"
#include "tests/support/runtime_window.h"

namespace {

using platform::headless::Frame;

constexpr double kPeriod = 1000.0 / 60;
constexpr int kFullSequence = 208;

// The decoded logo, as the sequence shows it.
struct Logo {
    Logo() : image(newimage()) { image->getimage(assets::kLogoJpeg, assets::kLogoJpegSize); }
    ~Logo() { freeimage(image); }
    RGBVAL at(int x, int y) const { return image->pixels[y * image->width + x]; }
    PIMAGE image;
};

class StartupLogo : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessWindow(480, 640);
        drainInput();
        // As at the start of a program: the page's background is black.
        setbackcolorkeep(0, nullptr);
    }
    void TearDown() override { platform::headless::recordFrames(false); }

    // Plays the sequence; returns its frames, the last presentation (of the black page after
    // it) left out.
    std::vector<Frame> play(const void* jpeg = assets::kLogoJpeg,
                            size_t bytes = assets::kLogoJpegSize) {
        delayframe(1);  // nothing left over to show
        platform::headless::recordFrames(true);
        start = now();
        runtime::playLogo(jpeg, bytes);
        std::vector<Frame> frames = platform::headless::recordedFrames();
        platform::headless::recordFrames(false);
        if (!frames.empty())
            frames.pop_back();
        return frames;
    }

    double start = 0;
};

TEST_F(StartupLogo, PlaysItsFramesAtSixtyPerSecondAndEndsOnABlackPage) {
    const std::vector<Frame> frames = play();
    ASSERT_EQ(frames.size(), static_cast<size_t>(kFullSequence));
    // About 3.47 s: the cadence starts a millisecond or two in, after the logo is decoded.
    EXPECT_NEAR(frames.back().atMs - start, kFullSequence * kPeriod, 3.0);
    // Black lead-in, then the background greys up to white.
    EXPECT_EQ(frames[19].pixel(0, 0), 0u);
    EXPECT_EQ(frames[20].pixel(0, 0), 0u);
    EXPECT_EQ(frames[21].pixel(0, 0), 0x080808u);
    EXPECT_EQ(frames[51].pixel(0, 0), 0xF8F8F8u);
    EXPECT_EQ(frames[52].pixel(0, 0), 0xFFFFFFu);
    // And back down to grey 7 at the end.
    EXPECT_EQ(frames[kFullSequence - 32].pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(frames.back().pixel(0, 0), 0x070707u);

    const GraphState& gs = graphstate();
    EXPECT_EQ(getbackcolor(nullptr), 0u);
    EXPECT_EQ(platform::headless::lastFrame().pixel(240, 320), 0u);
    EXPECT_EQ(readpixel(240, 320, nullptr), 0u);
    EXPECT_FALSE(gs.manualpresent);
}

TEST_F(StartupLogo, ShowsTheLogoWholeAtTheCentre) {
    const std::vector<Frame> frames = play();
    ASSERT_EQ(frames.size(), static_cast<size_t>(kFullSequence));
    const Logo logo;
    ASSERT_EQ(imagewidth(logo.image), 400);
    ASSERT_EQ(imageheight(logo.image), 200);
    const Frame& still = frames[84 + 30];
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 400; x += 7)
            ASSERT_EQ(still.pixel(40 + x, 220 + y), logo.at(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(still.pixel(39, 220), 0xFFFFFFu);
    EXPECT_EQ(still.pixel(40, 219), 0xFFFFFFu);
}

TEST_F(StartupLogo, FadesOutFromTheOpacityTheFadeInReached) {
    const std::vector<Frame> frames = play();
    ASSERT_EQ(frames.size(), static_cast<size_t>(kFullSequence));
    const Logo logo;
    const RGBVAL ink = logo.at(200, 100);
    // Fade-in 0, 8, ..., 248; still; fade-out 252, 244, ..., 4.
    EXPECT_EQ(frames[52].pixel(240, 320), draw::blendWord(0xFFFFFF, ink, 0));
    EXPECT_EQ(frames[83].pixel(240, 320), draw::blendWord(0xFFFFFF, ink, 248));
    for (int i = 0; i < 32; ++i) {
        const uint32_t opacity = 252 - 8 * i;
        EXPECT_EQ(frames[144 + i].pixel(240, 320), draw::blendWord(0xFFFFFF, ink, opacity)) << i;
    }
}

TEST_F(StartupLogo, AKeyInTheFirstFadeInFrameCutsItTo87Frames) {
    // The key arrives while the last background frame waits, so the first fade-in frame sees it.
    platform::headless::pressKey(now() + 51.5 * kPeriod, "a");
    const std::vector<Frame> frames = play();
    EXPECT_EQ(frames.size(), 87u);
    // The keys were thrown away: the program starts without them.
    EXPECT_EQ(keyready(), 0);
}

TEST_F(StartupLogo, AKeyDuringTheStillLogoShortensOnlyThatPhase) {
    // Seen by the twelfth still frame, which is the last; the fade-out keeps its 32 frames.
    platform::headless::pressKey(now() + 94.5 * kPeriod, "x");
    const std::vector<Frame> frames = play();
    EXPECT_EQ(frames.size(), static_cast<size_t>(20 + 32 + 32 + 12 + 32 + 32));
}

TEST_F(StartupLogo, KeysDuringTheBackgroundFadeAndShiftAloneCutNothing) {
    platform::headless::pressKey(now() + 30.5 * kPeriod, "b");
    platform::headless::keyDown(now() + 60.5 * kPeriod, "Shift_L");
    platform::headless::keyUp(now() + 70.5 * kPeriod, "Shift_L");
    EXPECT_EQ(play().size(), static_cast<size_t>(kFullSequence));
}

TEST_F(StartupLogo, ANarrowWindowShowsTheLogoAtHalfSize) {
    openHeadlessWindow(400, 300);
    const std::vector<Frame> frames = play();
    ASSERT_EQ(frames.size(), static_cast<size_t>(kFullSequence));
    const Frame& still = frames[100];
    // A 200 x 100 logo with its top-left corner at (100, 100), white around it.
    EXPECT_EQ(still.pixel(99, 150), 0xFFFFFFu);
    EXPECT_EQ(still.pixel(300, 150), 0xFFFFFFu);
    EXPECT_EQ(still.pixel(200, 99), 0xFFFFFFu);
    EXPECT_EQ(still.pixel(200, 200), 0xFFFFFFu);
    const Logo logo;
    EXPECT_EQ(still.pixel(100 + 20, 100 + 50), logo.at(40, 100));
}

TEST_F(StartupLogo, APictureThatDoesNotDecodeStillPlaysTheWholeSequence) {
    const unsigned char notAPicture[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
    const std::vector<Frame> frames = play(notAPicture, sizeof notAPicture);
    ASSERT_EQ(frames.size(), static_cast<size_t>(kFullSequence));
    // One black pixel at the centre of the white window.
    EXPECT_EQ(frames[100].pixel(239, 319), 0u);
    EXPECT_EQ(frames[100].pixel(240, 319), 0xFFFFFFu);
}

}  // namespace
