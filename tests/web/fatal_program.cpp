// A program for the browser checks: opens its window, then hands an image call a page number
// where an image belongs, which the runtime reports in its fatal error box before it stops.
#include "runtime/graph.h"

int main() {
    initgraph(480, 640, 0);
    putimage(0, 0, reinterpret_cast<PIMAGE>(3));
    return 0;
}
