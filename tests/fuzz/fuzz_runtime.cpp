// What every target starts from: the runtime, opened once per process on the headless backend.
// Closing its window only asks the program, so that a close message among the inputs does not
// end the fuzzer.
#include "runtime/graph.h"
#include "tests/support/runtime_window.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    openHeadlessWindow(64, 48, MODE_KEEPPROCESSONCLOSE);
    return 0;
}
