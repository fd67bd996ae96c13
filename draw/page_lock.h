// The lock that keeps the window thread's refresh copy of a page apart from drawing on it.
#pragma once

#include <mutex>

#include "draw/image.h"

namespace draw {

// Held while a drawing call changes the pixels of a page or replaces a page's store, and by the
// window thread while it copies the shown page: a refresh between two drawing calls sees each
// call whole, and never a freed store. Images that are not pages are not locked.
std::unique_lock<std::mutex> lockIfPage(const IMAGE* img);

// The window thread's side: held while it reads a page.
std::unique_lock<std::mutex> lockPages();

}  // namespace draw
