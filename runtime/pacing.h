// Frame pacing helpers shared by the blocking reads.
#pragma once

namespace runtime {

// One idle step of a blocking read: presents what was drawn since the last presentation, then
// sleeps 1 ms. 1 while the window is open, 0 once it is closed.
int idlewait();
// Hands the queued events to the control tree and runs its update pass.
void dispatchframe();

}  // namespace runtime
