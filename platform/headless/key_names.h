// The keys scripts type on the headless backend, by name, as on a keyboard with a US layout.
#pragma once

#include <optional>
#include <string_view>

#include "platform/keys.h"

namespace platform::headless {

// The stroke of the key a name stands for, pressed, with no modifiers held. Names are those X
// gives its key symbols: a letter or digit as itself ("a", "A", "7"), punctuation by its name
// ("comma", "bracketleft", "exclam"), and the other keys by theirs ("space", "Return", "Left",
// "F1", "Shift_L", "KP_Home", "Num_Lock"). Any character can also be named by its code point,
// "U+4E2D", as a key that types it. Nothing for a name of no key.
std::optional<KeyStroke> keyNamed(std::string_view name);

}  // namespace platform::headless
