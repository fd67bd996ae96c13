// What the runtime asks of the page, on the page's thread: platform/web/page_library.js.
// Calls from a worker are carried to the page's thread; those that return something, or read
// memory that the caller may free, wait there until they have run.
#pragma once

#include <cstdint>

extern "C" {

// Shows a canvas of the client size on the page and starts its event handlers.
void trivanta_page_open(int width, int height);
void trivanta_page_resize(int width, int height);
void trivanta_page_show(int visible);
void trivanta_page_set_title(const char* utf8);
void trivanta_page_hide_cursor(int hidden);
// The page's area in CSS pixels: width in the high 16 bits, height in the low 16 bits.
int trivanta_page_viewport_size();
// Puts `width` x `height` RGBA words, row after row, on the canvas at (left, top). The page's
// thread only.
void trivanta_page_paint(const uint32_t* rows, int left, int top, int width, int height);
// Shows a dialog over the page; closing it calls trivanta_page_error_closed().
void trivanta_page_show_error(const char* utf8Title, const char* utf8Text);
}
