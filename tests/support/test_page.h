// Page 0 of a given size, freshly made, as the current image, on the real runtime with the
// headless backend: every drawing test starts from a page nobody has drawn on, with the drawing
// state a new image has.
#pragma once

#include "runtime/graph.h"

class TestPage {
public:
    TestPage(int width, int height);
    TestPage(const TestPage&) = delete;
    TestPage& operator=(const TestPage&) = delete;

    PIMAGE image() const { return page_; }

private:
    PIMAGE page_ = nullptr;
};
