#include "tests/support/test_page.h"

#include "runtime/graph_state.h"
#include "runtime/pages.h"
#include "tests/support/runtime_window.h"

TestPage::TestPage(int width, int height) {
    openHeadlessWindow(width, height);
    GraphState& gs = graphstate();
    freeimage(gs.pages[0]);
    page_ = newimage(width, height);
    runtime::setPage(0, page_);
    setdrawpage(0);
    settarget(nullptr);
    gs.refreshcountdown = kRefreshFresh;
}
