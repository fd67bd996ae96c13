// Making, resizing, copying and freeing images; the image argument and the drawing target.
#include <gtest/gtest.h>

#include <cstdio>

#include "runtime/fatal.h"
#include "runtime/graph_state.h"
#include "tests/support/exit_codes.h"
#include "tests/support/pixels.h"
#include "tests/support/test_page.h"

namespace {

constexpr RGBVAL kRed = 0xFF0000;
constexpr RGBVAL kBlue = 0x0000FF;

PIMAGE pageSlot(uintptr_t n) {
    return reinterpret_cast<PIMAGE>(n);
}

TEST(NewImage, ClampsSizesAndAppliesTheDefaults) {
    TestPage page(8, 8);
    PIMAGE img = newimage(0, -5);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(imagewidth(img), 1);
    EXPECT_EQ(imageheight(img), 1);
    freeimage(img);

    img = newimage(30, 20);
    EXPECT_EQ(img->tag, kImageTag);
    EXPECT_EQ(getpencolor(img), 0xA8A8A8u);
    EXPECT_EQ(img->fillcolor, 0u);
    EXPECT_EQ(getbackcolor(img), 0u);
    EXPECT_EQ(countColor(img, 0, 0, 0, 30, 20), 600);
    int area[5];
    getdrawarea(&area[0], &area[1], &area[2], &area[3], &area[4], img);
    EXPECT_EQ(std::vector<int>(area, area + 5), (std::vector<int>{0, 0, 30, 20, 1}));
    EXPECT_EQ(img->texthjust, 0);
    EXPECT_EQ(img->textvjust, 2);
    EXPECT_EQ(img->linestyle, 0);
    EXPECT_EQ(img->linewidth, 1);
    freeimage(img);
    freeimage(nullptr);
}

TEST(NewImage, AnImpossibleSizeGivesAnImageThatDrawsNothing) {
    TestPage page(8, 8);
    PIMAGE img = newimage(1 << 30, 1 << 30);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->dc, nullptr);
    fillbar(0, 0, 10, 10, img);
    clearimage(img);
    EXPECT_EQ(readpixel(0, 0, img), 0u);
    EXPECT_EQ(getpencolor(img), 0xFFFFFFFFu);
    freeimage(img);
}

TEST(CreateImage, GivesAFreshStoreAndKeepsTheDrawingState) {
    TestPage page(8, 8);
    PIMAGE img = newimage(10, 10);
    setbrushcolor(kRed, img);
    fillbar(0, 0, 10, 10, img);
    setpencolor(kBlue, img);
    setbackcolor(0x123456, img);
    setdrawarea(2, 2, 5, 5, 1, img);
    EXPECT_EQ(img->createimage(10, 10), 0);
    EXPECT_EQ(countColor(img, 0x123456, 0, 0, 10, 10), 100);
    EXPECT_EQ(getpencolor(img), kBlue);
    EXPECT_EQ(img->viewport[2], 10);

    EXPECT_EQ(img->createimage(40, 3), 0);
    EXPECT_EQ(imagewidth(img), 40);
    EXPECT_EQ(imageheight(img), 3);
    EXPECT_EQ(readpixel(39, 2, img), 0x123456u);

    // A size that cannot be made keeps the old store, with its drawing area zeroed.
    EXPECT_NE(img->createimage(0, 5), 0);
    EXPECT_NE(img->createimage(1 << 30, 1 << 30), 0);
    EXPECT_EQ(imagewidth(img), 40);
    EXPECT_EQ(img->viewport[2], 0);
    freeimage(img);
}

TEST(CopyImage, CopiesPixelsOnlyAndResizesWhenNeeded) {
    TestPage page(8, 8);
    PIMAGE src = newimage(400, 200);
    setbrushcolor(kRed, src);
    fillbar(100, 50, 300, 150, src);
    PIMAGE dst = newimage();
    setpencolor(kBlue, dst);
    dst->copyimage(src);
    EXPECT_EQ(imagewidth(dst), 400);
    EXPECT_EQ(imageheight(dst), 200);
    EXPECT_EQ(pixelsOf(dst), pixelsOf(src));
    EXPECT_EQ(getpencolor(dst), kBlue);

    // Equal sizes: the drawing area stays as it was.
    setdrawarea(5, 5, 50, 50, 1, dst);
    dst->copyimage(src);
    EXPECT_EQ(dst->viewport[0], 5);
    dst->copyimage(dst);
    dst->copyimage(pageSlot(7));  // names no page: nothing happens
    EXPECT_EQ(pixelsOf(dst), pixelsOf(src));
    freeimage(src);
    freeimage(dst);
}

TEST(ImageArgument, ZeroIsTheTargetAndCountsOnlyForCountingCalls) {
    TestPage page(16, 16);
    GraphState& gs = graphstate();
    gs.refreshcountdown = kRefreshFresh;
    setbrushcolor(kRed);
    setfontface(16, 8, "");
    setpenstyle(0, 0, 1);
    settextanchor(0, 2);
    getdrawarea(nullptr, nullptr, nullptr, nullptr, nullptr);
    (void)readpixel(0, 0);
    (void)getpencolor();
    (void)imagewidth();
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh);

    fillbar(0, 0, 1, 1);
    clearimage();
    setpencolor(kRed);
    setbackcolor(0);
    setbackcolorkeep(0);
    setdrawarea(0, 0, 16, 16, 1);
    drawcircle(4, 4, 2);  // once, through drawarc
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh - 7);

    // A page number reaches the page without counting.
    fillbar(0, 0, 4, 4, pageSlot(16));
    EXPECT_EQ(readpixel(3, 3), kRed);
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh - 7);
    // Numbers naming no page draw nothing, and counting calls on a missing target still count.
    fillbar(0, 0, 16, 16, pageSlot(5));
    fillbar(0, 0, 16, 16, pageSlot(4));
    EXPECT_EQ(imagewidth(pageSlot(5)), 0);
    settarget(nullptr);
    gs.target = nullptr;
    fillbar(0, 0, 16, 16);
    EXPECT_EQ(gs.refreshcountdown, kRefreshFresh - 8);
    EXPECT_EQ(imagewidth(), 0);
    EXPECT_EQ(getpencolor(), 0xFFFFFFFFu);
    EXPECT_EQ(getbackcolor(), 0xFFFFFFFFu);
}

TEST(DrawingTarget, FollowsSettargetAndFallsBackToThePage) {
    TestPage page(16, 16);
    PIMAGE other = newimage(4, 4);
    EXPECT_EQ(gettarget(), nullptr);
    EXPECT_EQ(settarget(other), 0);
    EXPECT_EQ(gettarget(), other);
    setbrushcolor(kRed);
    fillbar(0, 0, 16, 16);
    EXPECT_EQ(countColor(other, kRed, 0, 0, 4, 4), 16);
    EXPECT_EQ(countColor(page.image(), kRed, 0, 0, 16, 16), 0);

    // Freeing the target makes drawing go to the page again rather than to freed memory.
    freeimage(other);
    EXPECT_EQ(gettarget(), nullptr);
    fillbar(0, 0, 2, 2);
    EXPECT_EQ(countColor(page.image(), 0xA8A8A8, 0, 0, 16, 16) +
                  countColor(page.image(), 0, 0, 0, 16, 16),
              256);

    settarget(pageSlot(16));
    EXPECT_EQ(gettarget(), page.image());
    settarget(nullptr);
    EXPECT_EQ(gettarget(), nullptr);
}

TEST(DrawingTarget, ImagesWithoutAStoreCanStillBeMadeAndCopiedInto) {
    TestPage page(8, 8);
    PIMAGE storeless = newimage(1 << 30, 1 << 30);
    ASSERT_EQ(storeless->dc, nullptr);
    settarget(storeless);

    // The runtime is open, so none of these may end the process as if it were not.
    PIMAGE made = newimage(3, 2);
    EXPECT_EQ(imagewidth(made), 3);
    EXPECT_EQ(imageheight(made), 2);
    PIMAGE copy = newimage(1 << 30, 1 << 30);
    ASSERT_EQ(copy->dc, nullptr);
    copy->copyimage(made);
    EXPECT_EQ(imagewidth(copy), 3);
    EXPECT_EQ(imageheight(copy), 2);
    EXPECT_EQ(storeless->createimage(5, 4), 0);
    EXPECT_EQ(imagewidth(storeless), 5);
    EXPECT_EQ(imageheight(storeless), 4);

    settarget(nullptr);
    freeimage(copy);
    freeimage(made);
    freeimage(storeless);
}

using ImageDeathTest = ::testing::Test;

TEST(ImageDeathTest, MethodsOnARecordWithoutTheTagEndTheProcess) {
    TestPage page(4, 4);
    PIMAGE img = newimage(2, 2);
    img->tag = 0;
    EXPECT_EXIT(img->createimage(3, 3), ::testing::ExitedWithCode(kFatalExitStatus),
                "TARVEL ERROR message: Fatal error: read/write at 0x\\w+\\. At function "
                "'IMAGE::createimage'");
    EXPECT_EXIT(img->copyimage(page.image()), ::testing::ExitedWithCode(kFatalExitStatus),
                "At function 'IMAGE::copyimage'");
    img->tag = kImageTag;
    freeimage(img);
}

TEST(ImageDeathTest, AnImageMadeBeforeTheRuntimeEndsTheProcess) {
    EXPECT_EXIT(
        newimage(), ::testing::ExitedWithCode(kFatalExitStatus),
        "ERROR message: Fatal error: read/write at 0x\\w\\w\\w\\w\\w\\w\\w\\w+\\. At function "
        "'newimage', construct PIMAGE before 'initgraph'\\?");
}

TEST(ImageDeathTest, TheBoxIsAlsoShownInTheWindow) {
    runtime::setFatalBoxShower(
        [](const char* title, const char*) { std::fprintf(stderr, "box shown: %s\n", title); });
    EXPECT_EXIT(newimage(), ::testing::ExitedWithCode(kFatalExitStatus),
                "box shown: ERROR message");
    runtime::setFatalBoxShower(nullptr);
}

}  // namespace
