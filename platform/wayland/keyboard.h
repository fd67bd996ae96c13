// The keyboard as the compositor describes it: its keymap and modifier state through
// xkbcommon, compose sequences from the locale's table, and the keys held down. Key symbols
// are X11's, so the shared table turns them into the platform's key strokes.
#pragma once

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/keys.h"

namespace platform::wayland {

// How the program repeats a held key: the first repeat after `delayMs`, then `rate` a second;
// a rate of 0 repeats nothing.
struct KeyRepeat {
    int rate = 25;
    int delayMs = 600;
};

class Keyboard {
public:
    Keyboard();
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // Takes the keymap the compositor sent as `size` bytes of `fd` (which it closes); false,
    // with why in `error`, when it cannot be read, and keys are ignored until one can.
    bool loadKeymap(uint32_t format, int fd, uint32_t size, std::string& error);
    void setModifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);

    // The stroke of a press or release of the key with the compositor's number `key`; a press
    // is fed to the compose sequence in progress. Null when no keymap is loaded.
    std::optional<KeyStroke> stroke(uint32_t key, bool pressed);
    // The stroke of an auto-repeat of a held key.
    std::optional<KeyStroke> repeatStroke(uint32_t key);
    // Whether the keymap lets the key repeat.
    bool repeats(uint32_t key) const;

    // The keys held, for asking about them: marked as they go down and up, and all released
    // when the window loses the focus.
    void setHeld(uint32_t key, bool held);
    void releaseAll() { held_.reset(); }
    bool held(int virtualKey) const;

    // Whether Shift and Ctrl are held, for mouse messages.
    bool shift() const;
    bool control() const;

private:
    KeyStroke strokeOf(uint32_t key, uint32_t keysym) const;
    uint32_t composed(uint32_t keysym);

    xkb_context* context_;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
    xkb_compose_table* composeTable_ = nullptr;
    xkb_compose_state* compose_ = nullptr;
    std::bitset<768> held_;  // by the compositor's key number
};

}  // namespace platform::wayland
