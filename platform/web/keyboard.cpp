#include "platform/web/keyboard.h"

#include "platform/messages.h"

namespace platform::web {

namespace {

// The few codes in which browsers other than Chrome depart from the virtual-key codes.
int virtualKeyOf(int keyCode) {
    switch (keyCode) {
        case 59:
            return vk::kOemSemicolon;
        case 61:
            return vk::kOemPlus;
        case 173:
            return vk::kOemMinus;
        case 224:
            return vk::kLeftWindows;
        default:
            return keyCode >= 0 && keyCode < 256 ? keyCode : 0;
    }
}

// What the keys whose `key` is a name type.
char32_t namedCharacter(int virtualKey) {
    switch (virtualKey) {
        case vk::kEnter:
            return 13;
        case vk::kEscape:
            return 27;
        case vk::kBackspace:
            return 8;
        case vk::kTab:
            return 9;
        default:
            return kNoCharacter;
    }
}

// The keys a desktop marks as extended: the navigation cluster beside the main block (the
// keypad's own navigation keys are not), the right-hand Ctrl and Alt, and a few others.
bool isExtended(int virtualKey, KeyLocation location) {
    const bool navigation = (virtualKey >= vk::kPageUp && virtualKey <= vk::kDown) ||
                            virtualKey == vk::kInsert || virtualKey == vk::kDelete;
    if (navigation)
        return location == KeyLocation::Standard;
    switch (virtualKey) {
        case vk::kControl:
        case vk::kAlt:
            return location == KeyLocation::Right;
        case vk::kEnter:
            return location == KeyLocation::Numpad;
        case vk::kDivide:
        case vk::kNumLock:
        case vk::kPrintScreen:
        case vk::kMenu:
        case vk::kLeftWindows:
        case vk::kRightWindows:
            return true;
        default:
            return false;
    }
}

}  // namespace

KeyStroke strokeOf(const DomKey& key) {
    KeyStroke stroke;
    stroke.virtualKey = virtualKeyOf(key.keyCode);
    stroke.extended = isExtended(stroke.virtualKey, key.location);
    stroke.character =
        key.character != kNoCharacter ? key.character : namedCharacter(stroke.virtualKey);
    stroke.pressed = key.pressed;
    stroke.wasDown = key.pressed && key.repeat;
    stroke.control = key.control;
    stroke.alt = key.alt;
    return stroke;
}

}  // namespace platform::web
