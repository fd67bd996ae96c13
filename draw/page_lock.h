// The lock that keeps the window thread's refresh copy of a page apart from drawing on it, and
// the record of what changed on a page since it was last presented.
#pragma once

#include <mutex>

#include "draw/image.h"

namespace draw {

// Held while a drawing call changes the pixels of a page or replaces a page's store, and by the
// window thread while it copies the shown page: a refresh between two drawing calls sees each
// call whole, and never a freed store. Images that are not pages are not locked. `changed`
// (image pixels) joins what the next presentation of the page has to look at.
std::unique_lock<std::mutex> lockIfPage(Image& img, const Rect& changed);
// The same for a change of the whole image.
std::unique_lock<std::mutex> lockIfPage(Image& img);

// The presenters' side: held while they read a page.
std::unique_lock<std::mutex> lockPages();

}  // namespace draw
