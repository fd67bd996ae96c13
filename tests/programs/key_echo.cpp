// A program for the end-to-end tests: opens the runtime's window on the X server, says "ready",
// then prints the code of every key readkey returns, one per line, until it reads q. An
// exclamation mark makes the runtime's fatal error: an image call on no image.
#include <cstdio>
#include <cstdlib>

#include "runtime/graph.h"

int main(int argc, char** argv) {
    const int mode = argc > 1 ? std::atoi(argv[1]) : 0;
    initgraph(480, 640, mode);
    std::printf("ready\n");
    std::fflush(stdout);
    for (int key = 0; key != 'q';) {
        key = readkey();
        std::printf("%d\n", key);
        std::fflush(stdout);
        if (key <= 0)
            return 3;
        if (key == '!')
            putimage(0, 0, nullptr);
    }
    hidegraph();
    return 0;
}
