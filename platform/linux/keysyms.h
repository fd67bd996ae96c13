// Keys as the Linux window systems describe them, by key symbol and key code, translated into
// the platform's key strokes: virtual-key codes, typed characters and scan codes. The key
// symbols are X's, which xkbcommon shares, and so are the key codes.
#pragma once

#include <cstdint>

#include "platform/keys.h"

namespace platform {

// X numbers keys from 8; the scan code of a key is its key code less this.
inline constexpr int kFirstKeycode = 8;

// The stroke of a key event, pressed and without modifiers: `keysym` is what the key means with
// the modifiers held, `unshiftedKeysym` the key's first level, which names the key itself, and
// `keycode` the X key code.
KeyStroke strokeOf(uint32_t keysym, uint32_t unshiftedKeysym, int keycode);

// The virtual-key code of a key, or 0 for a key that has none. Keypad keys go by what they mean
// now (a digit with Num Lock, a navigation key without); every other key by its first level, so
// that Shift+1 is still the key 0x31.
int virtualKeyOf(uint32_t keysym, uint32_t unshiftedKeysym);

// The key symbols of a virtual-key code's keys, for asking whether one of them is held; empty
// for codes no key has.
using KeysymList = FixedList<uint32_t, 6>;
KeysymList keysymsOf(int virtualKey);

}  // namespace platform
