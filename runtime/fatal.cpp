#include "runtime/fatal.h"

#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "runtime/image_arg.h"

namespace runtime {

namespace {

std::atomic<FatalBoxShower> boxShower{nullptr};

constexpr int kFatalExitCode = -11;

}  // namespace

void setFatalBoxShower(FatalBoxShower shower) {
    boxShower.store(shower);
}

void fatalBox(const char* title, const char* text) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    std::fflush(stderr);
    if (FatalBoxShower shower = boxShower.load())
        shower(title, text);
    // The process ends here without running exit handlers: the state that led here is broken.
    std::_Exit(kFatalExitCode);
}

void checkImage(const IMAGE* img, const char* method) {
    const auto address = reinterpret_cast<uintptr_t>(img);
    if (!isPageNumber(img) && img->tag == kImageTag)
        return;
    char text[160];
    std::snprintf(text, sizeof text,
                  "Fatal error: read/write at 0x%0*" PRIXPTR ". At function '%s'",
                  static_cast<int>(2 * sizeof address), address, method);
    fatalBox("TARVEL ERROR message", text);
}

void fatalImageBeforeInit(const IMAGE* img) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Fatal error: read/write at 0x%08" PRIxPTR
                  ". At function 'newimage', construct PIMAGE before 'initgraph'?",
                  reinterpret_cast<uintptr_t>(img));
    fatalBox("ERROR message", text);
}

}  // namespace runtime
