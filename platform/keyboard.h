// Keys as the window procedure sees them: X key symbols translated into virtual-key codes, typed
// GBK characters and key-message parameters. The X11 and headless backends both describe a key
// event as a KeyStroke and deliver the messages keyMessages() gives, so they deliver the same.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/backend.h"

namespace platform {

// One press, auto-repeat or release of a key.
struct KeyStroke {
    uint32_t keysym = 0;           // what the key means with the modifiers held
    uint32_t unshiftedKeysym = 0;  // the key's first level, which names the key itself
    int keycode = 0;               // the X key code, 8 to 255
    bool pressed = true;
    bool wasDown = false;  // a press while the key was already down: an auto-repeat
    bool control = false;  // Ctrl held
    bool alt = false;      // Alt held
};

// A short list that lives on the stack; adding beyond its capacity is ignored.
template <typename T, size_t Capacity>
class FixedList {
public:
    void add(const T& item) {
        if (count_ < Capacity)
            items_[count_++] = item;
    }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + count_; }

private:
    std::array<T, Capacity> items_{};
    size_t count_ = 0;
};

// The messages of one key event: the key-down and one character message per typed byte, or
// the key-up alone.
using KeyMessages = FixedList<Message, 3>;
KeyMessages keyMessages(const KeyStroke& stroke);

// The virtual-key code of a key, or 0 for a key that has none. Keypad keys go by what they mean
// now (a digit with Num Lock, a navigation key without); every other key by its first level, so
// that Shift+1 is still the key 0x31.
int virtualKeyOf(uint32_t keysym, uint32_t unshiftedKeysym);

// What the key types in GBK bytes: none, one, or two for a character outside ASCII. Ctrl turns
// letters into control characters; Alt alone types nothing.
std::string typedGbk(const KeyStroke& stroke);

// A key message's lparam: repeat count 1, scan code (key code − 8), the extended-key bit, the
// key's previous state and, for a release, the transition bit.
intptr_t keyParam(const KeyStroke& stroke);

// The key symbols of a virtual-key code's keys, for asking whether one of them is held; empty
// for codes no key has.
using KeysymList = FixedList<uint32_t, 6>;
KeysymList keysymsOf(int virtualKey);

}  // namespace platform
