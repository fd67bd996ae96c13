#include "tests/support/test_page.h"

#include "runtime/graph_state.h"

namespace {
// Any non-null surface lets images be made.
const int kTestSurface = 0;
}  // namespace

TestPage::TestPage(int width, int height) {
    GraphState& gs = graphstate();
    gs.drawdc = &kTestSurface;
    gs.width = width;
    gs.height = height;
    page_ = newimage(width, height);
    gs.pages[0] = page_;
    gs.drawpage = 0;
    settarget(nullptr);
    gs.refreshcountdown = kRefreshFresh;
}

TestPage::~TestPage() {
    freeimage(page_);
    GraphState& gs = graphstate();
    for (auto& slot : gs.pages)
        slot = nullptr;
    gs.target = nullptr;
    gs.explicittarget = nullptr;
    gs.drawdc = nullptr;
}
