// The set-up of pages, queues and view, run by the window thread once its window exists and
// again by every later initgraph.
#pragma once

namespace runtime {

void pageSetup();

}  // namespace runtime
