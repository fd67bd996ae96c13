// The runtime's four pages: which one drawing goes to, which one the window shows and which part
// of it, and their set-up.
#pragma once

#include "runtime/image.h"

namespace runtime {

// The set-up of pages, queues and view, run by the window thread once its window exists and
// again by every later initgraph.
void pageSetup();

// Puts an image into a page slot (0 to 3) as a page: from now on its pixels are shared with the
// window thread. Nothing of it counts as presented yet.
void setPage(int slot, PIMAGE page);

}  // namespace runtime
