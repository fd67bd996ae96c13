// Keys as the page's DOM describes them, translated into the platform's key strokes.
#pragma once

#include "platform/keys.h"

namespace platform::web {

// Where the DOM says a key sits (KeyboardEvent.location).
enum class KeyLocation { Standard = 0, Left = 1, Right = 2, Numpad = 3 };

// One keydown or keyup of the page.
struct DomKey {
    int keyCode = 0;         // KeyboardEvent.keyCode: the virtual-key code, in Chrome
    char32_t character = 0;  // KeyboardEvent.key when that is one character, else 0
    KeyLocation location = KeyLocation::Standard;
    bool pressed = true;
    bool repeat = false;  // an auto-repeat
    bool control = false;
    bool alt = false;
};

// The stroke of a key event. Keys whose `key` is a name rather than a character type what they
// type on the desktop (Enter 13, Escape 27, Backspace 8, Tab 9); the DOM tells no scan codes.
KeyStroke strokeOf(const DomKey& key);

}  // namespace platform::web
