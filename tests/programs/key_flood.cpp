// A program for the key-flood test: opens the runtime's window on the X server and says
// "ready", then reads nothing while the test floods it with keys. The test ends its flood by
// holding F12 down; once that key-down has reached the window every key typed before it has
// been queued, and the program prints the code of every key it can read without waiting, one
// a line, as readkey gives it, then "end".
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/messages.h"
#include "runtime/graph.h"

namespace {

constexpr int kEndOfFlood = vk::kF1 + 11;

}  // namespace

int main() {
    initgraph(480, 640, 0);
    std::printf("ready\n");
    std::fflush(stdout);
    // Only the key state is looked at meanwhile: keyready would take unwanted events off the
    // queue's head and so make room for more.
    while (iskeydown(kEndOfFlood) != 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Read as readkey reads, but through readkeyevent: on a slow machine the flood's keys can be
    // more than a second old by now, and readkey would skip them as stale. keyready leaves the
    // characters and the wanted key-downs at the head; an F-key's code carries 0x100.
    KeyEventInfo key;
    while (keyready() > 0) {
        readkeyevent(&key);
        std::printf("%d\n", key.kind == KEYEV_DOWN ? 0x100 | key.key : key.key);
    }
    std::printf("end\n");
    std::fflush(stdout);
    hidegraph();
    return 0;
}
