#include "tests/support/runtime_window.h"

#include "runtime/graph_state.h"

void openHeadlessWindow(int width, int height, int mode) {
    platform::headless::use();
    initgraph(width, height, mode);
}

void drainInput() {
    timersleep(500);
    graphstate().keyqueue->clear();
    graphstate().mousequeue->clear();
}
