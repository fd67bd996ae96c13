// The fatal error boxes: a programming mistake that the runtime cannot draw around.
#pragma once

#include "runtime/image.h"

namespace runtime {

// Shows a fatal error in a modal box where a window exists; the first initgraph installs the
// backend's error box.
using FatalBoxShower = void (*)(const char* title, const char* text);
void setFatalBoxShower(FatalBoxShower shower);

// Prints "title: text" to standard error, shows the box, and ends the process with code -11.
[[noreturn]] void fatalBox(const char* title, const char* text);

// The validity check every IMAGE method runs first: a record without the image tag (or a null
// or page-number handle) ends the process with a box naming the method.
void checkImage(const IMAGE* img, const char* method);

// The box for an image made before initgraph.
[[noreturn]] void fatalImageBeforeInit(const IMAGE* img);

}  // namespace runtime
