// The start-up logo: the window fades from black to white, the logo fades in at the centre,
// stays, fades out, and the window fades back to black. A key cuts the fade-in or the still
// logo short.
#pragma once

#include <cstddef>

namespace runtime {

// Plays the sequence on the current page with the picture given as JPEG bytes (the program's
// own logo by default); a picture that does not decode is shown as one pixel. When it returns
// the page is black, its background colour black, and timer refresh is on again.
void playLogo(const void* jpeg, size_t bytes);
void playLogo();

}  // namespace runtime
