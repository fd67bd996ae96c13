// A stand-in for initgraph in drawing tests: page 0 of a given size as the current image,
// without a window.
#pragma once

#include "runtime/graph.h"

class TestPage {
public:
    TestPage(int width, int height);
    ~TestPage();
    TestPage(const TestPage&) = delete;
    TestPage& operator=(const TestPage&) = delete;

    PIMAGE image() const { return page_; }

private:
    PIMAGE page_ = nullptr;
};
