#include "platform/wayland/keyboard.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdlib>

#include "platform/linux/keysyms.h"

namespace platform::wayland {

namespace {

// The compositor numbers keys as the kernel does; xkbcommon, as X does, from 8.
constexpr uint32_t kKeycodeOffset = 8;

// The locale whose compose sequences apply, as the C library chooses it.
const char* composeLocale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

// The code point of the first character of a UTF-8 string, as a key symbol.
uint32_t keysymOfUtf8(const char* utf8) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    uint32_t code = bytes[0];
    int trailing = 0;
    if (code >= 0xF0) {
        code &= 0x07;
        trailing = 3;
    } else if (code >= 0xE0) {
        code &= 0x0F;
        trailing = 2;
    } else if (code >= 0xC0) {
        code &= 0x1F;
        trailing = 1;
    }
    for (int i = 1; i <= trailing; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return XKB_KEY_NoSymbol;
        code = code << 6 | (bytes[i] & 0x3F);
    }
    return code == 0 ? XKB_KEY_NoSymbol : xkb_utf32_to_keysym(code);
}

}  // namespace

Keyboard::Keyboard() : context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
    if (context_ == nullptr)
        return;
    composeTable_ =
        xkb_compose_table_new_from_locale(context_, composeLocale(), XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (composeTable_ != nullptr)
        compose_ = xkb_compose_state_new(composeTable_, XKB_COMPOSE_STATE_NO_FLAGS);
}

Keyboard::~Keyboard() {
    xkb_compose_state_unref(compose_);
    xkb_compose_table_unref(composeTable_);
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

bool Keyboard::loadKeymap(uint32_t format, int fd, uint32_t size, std::string& error) {
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    state_ = nullptr;
    keymap_ = nullptr;
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || context_ == nullptr || size == 0) {
        close(fd);
        error = "the Wayland compositor sent no keymap the program can read";
        return false;
    }
    // A size beyond the end of the file would fault when read.
    struct stat file {};
    if (fstat(fd, &file) != 0 || file.st_size < static_cast<off_t>(size)) {
        close(fd);
        error = "the keymap the Wayland compositor sent is cut short";
        return false;
    }
    // Private: the compositor may share one map with every client.
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (text == MAP_FAILED) {
        error = "cannot read the keymap the Wayland compositor sent";
        return false;
    }
    // The text ends in a zero byte, which is not part of it.
    const auto* chars = static_cast<const char*>(text);
    size_t length = size;
    while (length > 0 && chars[length - 1] == '\0')
        --length;
    keymap_ = xkb_keymap_new_from_buffer(context_, chars, length, XKB_KEYMAP_FORMAT_TEXT_V1,
                                         XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap_ != nullptr)
        state_ = xkb_state_new(keymap_);
    if (state_ == nullptr) {
        error = "the keymap the Wayland compositor sent is broken";
        return false;
    }
    return true;
}

void Keyboard::setModifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group) {
    if (state_ != nullptr)
        xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}

std::optional<KeyStroke> Keyboard::stroke(uint32_t key, bool pressed) {
    if (state_ == nullptr)
        return std::nullopt;
    uint32_t keysym = xkb_state_key_get_one_sym(state_, key + kKeycodeOffset);
    if (pressed)
        keysym = composed(keysym);
    KeyStroke stroke = strokeOf(key, keysym);
    stroke.pressed = pressed;
    return stroke;
}

std::optional<KeyStroke> Keyboard::repeatStroke(uint32_t key) {
    if (state_ == nullptr)
        return std::nullopt;
    KeyStroke stroke = strokeOf(key, xkb_state_key_get_one_sym(state_, key + kKeycodeOffset));
    stroke.wasDown = true;
    return stroke;
}

// What a pressed key means once the compose sequence in progress has seen it: the key itself
// outside a sequence, nothing inside one, the composed character at its end.
uint32_t Keyboard::composed(uint32_t keysym) {
    if (compose_ == nullptr ||
        xkb_compose_state_feed(compose_, keysym) != XKB_COMPOSE_FEED_ACCEPTED)
        return keysym;
    switch (xkb_compose_state_get_status(compose_)) {
        case XKB_COMPOSE_COMPOSING:
            return XKB_KEY_NoSymbol;
        case XKB_COMPOSE_COMPOSED: {
            uint32_t result = xkb_compose_state_get_one_sym(compose_);
            if (result == XKB_KEY_NoSymbol) {
                char utf8[16];
                xkb_compose_state_get_utf8(compose_, utf8, sizeof utf8);
                result = keysymOfUtf8(utf8);
            }
            xkb_compose_state_reset(compose_);
            return result;
        }
        case XKB_COMPOSE_CANCELLED:
            xkb_compose_state_reset(compose_);
            return XKB_KEY_NoSymbol;
        case XKB_COMPOSE_NOTHING:
        default:
            return keysym;
    }
}

// The key's first level names the key itself, as on X11, so that Shift+1 is still the key 1.
KeyStroke Keyboard::strokeOf(uint32_t key, uint32_t keysym) const {
    const xkb_keycode_t keycode = key + kKeycodeOffset;
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap_, keycode, 0, 0, &syms);
    const uint32_t unshifted = count > 0 ? syms[0] : XKB_KEY_NoSymbol;
    KeyStroke stroke = platform::strokeOf(keysym, unshifted, static_cast<int>(keycode));
    stroke.control =
        xkb_state_mod_name_is_active(state_, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
    stroke.alt =
        xkb_state_mod_name_is_active(state_, XKB_MOD_NAME_ALT, XKB_STATE_MODS_EFFECTIVE) > 0;
    return stroke;
}

bool Keyboard::repeats(uint32_t key) const {
    return keymap_ != nullptr && xkb_keymap_key_repeats(keymap_, key + kKeycodeOffset) != 0;
}

void Keyboard::setHeld(uint32_t key, bool held) {
    if (key < held_.size())
        held_[key] = held;
}

// A virtual-key code is held when a held key has one of its key symbols on any level of the
// first layout, as X finds a key symbol's key.
bool Keyboard::held(int virtualKey) const {
    if (keymap_ == nullptr || held_.none())
        return false;
    const KeysymList wanted = keysymsOf(virtualKey);
    for (uint32_t key = 0; key < held_.size(); ++key) {
        if (!held_[key])
            continue;
        const xkb_keycode_t keycode = key + kKeycodeOffset;
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap_, keycode, 0);
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(keymap_, keycode, 0, level, &syms);
            for (int i = 0; i < count; ++i) {
                for (const uint32_t keysym : wanted) {
                    if (syms[i] == keysym)
                        return true;
                }
            }
        }
    }
    return false;
}

bool Keyboard::shift() const {
    return state_ != nullptr &&
           xkb_state_mod_name_is_active(state_, XKB_MOD_NAME_SHIFT, XKB_STATE_MODS_EFFECTIVE) > 0;
}

bool Keyboard::control() const {
    return state_ != nullptr &&
           xkb_state_mod_name_is_active(state_, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
}

}  // namespace platform::wayland
