#include "runtime/graph_state.h"

GraphState& graphstate() {
    // Made on first use and never freed, so that nothing running at process exit can see it
    // destroyed.
    static GraphState* const state = new GraphState();
    return *state;
}
