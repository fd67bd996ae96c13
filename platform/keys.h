// Keys as the window procedure sees them: one press, auto-repeat or release of a key, described
// the same way by every backend, and the messages it gives. A backend names the key (its
// virtual-key code) and what it types; the rest is the same everywhere.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/backend.h"

namespace platform {

// No character: the key types nothing.
inline constexpr char32_t kNoCharacter = 0;

// One press, auto-repeat or release of a key.
struct KeyStroke {
    int virtualKey = 0;      // 0 for a key that has none
    bool extended = false;   // in the navigation cluster or on the right of the main block
    int scanCode = 0;        // the key's hardware number, as key messages carry it
    char32_t character = 0;  // what the key types with the modifiers held, Ctrl and Alt aside
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

// What the key types in GBK bytes: none, one, or two for a character outside ASCII. Ctrl turns
// letters into control characters; Alt alone types nothing.
std::string typedGbk(const KeyStroke& stroke);

// The GBK bytes of one typed character; a character the code page lacks types a question mark,
// as it does on systems whose keyboards type in the code page.
std::string typedCharacterBytes(char32_t ch);

// A key message's lparam: repeat count 1, the scan code, the extended-key bit, the key's
// previous state and, for a release, the transition bit.
intptr_t keyParam(const KeyStroke& stroke);

}  // namespace platform
