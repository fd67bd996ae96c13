#include "runtime/image_arg.h"

#include <cstdint>

#include "runtime/graph_state.h"
#include "runtime/refresh_timer.h"

namespace runtime {

PIMAGE resolveImage(PIMAGE arg, Counts counts) {
    GraphState& gs = graphstate();
    const auto value = reinterpret_cast<uintptr_t>(arg);
    if (value == 0) {
        // The call that uses up the countdown makes the timer's next tick worth having.
        if (counts == Counts::Yes &&
            gs.refreshcountdown.fetch_sub(1, std::memory_order_relaxed) == 1)
            refreshMayBeDue();
        return gs.target;
    }
    if (isPageNumber(arg)) {
        // Only four slots exist; the other small values name no page.
        const uintptr_t slot = value & 15;
        return slot < kPageSlots ? gs.pages[slot].load() : nullptr;
    }
    return arg;
}

PIMAGE drawableImage(PIMAGE arg, Counts counts) {
    PIMAGE img = resolveImage(arg, counts);
    return img != nullptr && img->dc != nullptr ? img : nullptr;
}

}  // namespace runtime
