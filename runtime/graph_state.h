// The runtime's one process-wide record.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "draw/image.h"

inline constexpr int kPageSlots = 4;

// The presentation state: 255 right after a presentation; every counting drawing call on image
// argument 0 subtracts one.
inline constexpr int32_t kRefreshFresh = 255;

struct GraphState {
    // The drawing surface new images are made against: the page drawn on, or the window until
    // the first page exists. Null before initgraph, when no image may be made.
    const void* drawdc = nullptr;
    int width = 0;
    int height = 0;
    std::array<PIMAGE, kPageSlots> pages{};
    int drawpage = 0;
    PIMAGE target = nullptr;          // what image argument 0 resolves to
    PIMAGE explicittarget = nullptr;  // the image chosen with settarget, null to follow drawpage
    // Written by the drawing thread and read by the window thread's refresh timer.
    std::atomic<int32_t> refreshcountdown{0};
};

// The record; it lives until the process ends.
GraphState& graphstate();
