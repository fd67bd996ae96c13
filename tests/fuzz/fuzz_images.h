// The images the drawing targets work on: page 0, made afresh for each input so that every input
// starts from a new page's drawing state, and a few more images of sizes the input chooses.
#pragma once

#include <functional>
#include <vector>

#include "runtime/graph.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/test_page.h"

class FuzzImages {
public:
    // Reads the page's size and the other images' sizes from the input.
    FuzzImages(FuzzInput& in, int count);
    ~FuzzImages();
    FuzzImages(const FuzzImages&) = delete;
    FuzzImages& operator=(const FuzzImages&) = delete;

    // An image argument as a program may pass one: 0 for the current image, a page number
    // (most name no page), the page itself, or one of the images.
    PIMAGE argument(FuzzInput& in);
    // An image record itself, as transfers take their sources and masks.
    PIMAGE image(FuzzInput& in);
    // Frees one of the images, which may be the drawing target, and makes another in its place.
    void remake(FuzzInput& in);

    // Makes the input's calls, 64 at most, each one made by `call` from the bytes it
    // reads, and checks after each that no image's spare row was drawn on.
    using Call = void (*)(FuzzInput& in, FuzzImages& images);
    void run(FuzzInput& in, Call call);

private:
    TestPage page_;
    std::vector<PIMAGE> images_;
};

// Makes a drawing call that the image argument's clip rectangle cuts (shapes, text, bars) and
// checks that it changed no pixel of that image outside the rectangle.
void drawInsideClip(PIMAGE arg, const std::function<void()>& draw);

// One call that changes drawing state that text and shapes share: the drawing area, the pen or
// background colour, or the drawing target.
void changeSharedState(FuzzInput& in, FuzzImages& images);
