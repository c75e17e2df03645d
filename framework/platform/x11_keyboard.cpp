// The keyboard: X keycodes to virtual-key codes, and the key state.
//
// A key has two codes. The key state maps letters and digits by the key's
// place on the keyboard (its XKB key name, such as AC01 for the key where a
// US keyboard has A), so that W, A, S and D sit in the same place whatever
// the layout. Key events carry the letter or digit the user's layout prints
// on the key, so that a command bound to E acts on the key labelled E. Every
// other key is mapped by the symbol it produces without modifiers.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <array>
#include <cstring>

#include "framework/keys.h"
#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

std::array<int, 256> vkByKeycode{};
std::array<bool, 256> keyDown{};

// Each keyboard row, from left to right, with the XKB row prefix naming it.
struct Row {
    const char* prefix;
    const char* keys;
};
constexpr Row kRows[] = {
    {"AE", "1234567890"},
    {"AD", "QWERTYUIOP"},
    {"AC", "ASDFGHJKL"},
    {"AB", "ZXCVBNM"},
};

// Virtual key of an XKB key name such as "AD02" (W), or 0.
int VirtualKeyFromKeyName(const char name[XkbKeyNameLength]) {
    for (const Row& row : kRows) {
        if (name[0] != row.prefix[0] || name[1] != row.prefix[1]) continue;
        if (name[2] < '0' || name[2] > '9' || name[3] < '0' || name[3] > '9') return 0;
        const int column = (name[2] - '0') * 10 + (name[3] - '0');
        const int count = static_cast<int>(std::strlen(row.keys));
        return column >= 1 && column <= count ? row.keys[column - 1] : 0;
    }
    return 0;
}

int VirtualKeyFromKeysym(KeySym sym) {
    if (sym >= XK_a && sym <= XK_z) return static_cast<int>('A' + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z) return static_cast<int>(sym);
    if (sym >= XK_0 && sym <= XK_9) return static_cast<int>(sym);
    if (sym >= XK_F1 && sym <= XK_F24) return VK_F1 + static_cast<int>(sym - XK_F1);
    if (sym >= XK_KP_0 && sym <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(sym - XK_KP_0);
    switch (sym) {
        case XK_BackSpace: return VK_BACK;
        case XK_Tab: case XK_ISO_Left_Tab: return VK_TAB;
        case XK_Return: case XK_KP_Enter: return VK_RETURN;
        case XK_Shift_L: case XK_Shift_R: return VK_SHIFT;
        case XK_Control_L: case XK_Control_R: return VK_CONTROL;
        case XK_Alt_L: case XK_Alt_R: case XK_Meta_L: case XK_Meta_R: case XK_ISO_Level3_Shift: return VK_MENU;
        case XK_Pause: return VK_PAUSE;
        case XK_Caps_Lock: return VK_CAPITAL;
        case XK_Escape: return VK_ESCAPE;
        case XK_space: return VK_SPACE;
        case XK_Prior: case XK_KP_Prior: return VK_PRIOR;
        case XK_Next: case XK_KP_Next: return VK_NEXT;
        case XK_End: case XK_KP_End: return VK_END;
        case XK_Home: case XK_KP_Home: return VK_HOME;
        case XK_Left: case XK_KP_Left: return VK_LEFT;
        case XK_Up: case XK_KP_Up: return VK_UP;
        case XK_Right: case XK_KP_Right: return VK_RIGHT;
        case XK_Down: case XK_KP_Down: return VK_DOWN;
        case XK_Insert: case XK_KP_Insert: return VK_INSERT;
        case XK_Delete: case XK_KP_Delete: return VK_DELETE;
        case XK_KP_Multiply: return VK_MULTIPLY;
        case XK_KP_Add: return VK_ADD;
        case XK_KP_Subtract: return VK_SUBTRACT;
        case XK_KP_Decimal: return VK_DECIMAL;
        case XK_KP_Divide: return VK_DIVIDE;
        case XK_Num_Lock: return VK_NUMLOCK;
        case XK_Scroll_Lock: return VK_SCROLL;
        case XK_semicolon: return VK_OEM_1;
        case XK_equal: return VK_OEM_PLUS;
        case XK_comma: return VK_OEM_COMMA;
        case XK_minus: return VK_OEM_MINUS;
        case XK_period: return VK_OEM_PERIOD;
        case XK_slash: return VK_OEM_2;
        case XK_grave: return VK_OEM_3;
        case XK_bracketleft: return VK_OEM_4;
        case XK_backslash: return VK_OEM_5;
        case XK_bracketright: return VK_OEM_6;
        case XK_apostrophe: return VK_OEM_7;
        default: return 0;
    }
}

}  // namespace

void RefreshKeyboardMap() {
    Display* display = X11().display;
    vkByKeycode.fill(0);
    XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    const bool haveNames = keyboard && XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success &&
                           keyboard->names && keyboard->names->keys;
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    for (int keycode = minKeycode; keycode <= maxKeycode && keycode < 256; ++keycode) {
        int vk = haveNames ? VirtualKeyFromKeyName(keyboard->names->keys[keycode].name) : 0;
        if (vk == 0) vk = VirtualKeyFromKeysym(XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, 0));
        vkByKeycode[keycode] = vk;
    }
    if (keyboard) XkbFreeKeyboard(keyboard, 0, True);
}

int VirtualKeyFromKeycode(unsigned keycode) { return keycode < 256 ? vkByKeycode[keycode] : 0; }

int LabelledVirtualKey(unsigned keycode, unsigned state) {
    const int placed = VirtualKeyFromKeycode(keycode);
    if (keycode > 255) return placed;
    const KeySym sym = XkbKeycodeToKeysym(X11().display, static_cast<KeyCode>(keycode),
                                          static_cast<int>(XkbGroupForCoreState(state)), 0);
    const int labelled = VirtualKeyFromKeysym(sym);
    // Keys whose label is no letter or digit (punctuation, letters of other
    // alphabets) keep their place's code, so every key still has one.
    const bool letterOrDigit = (labelled >= 'A' && labelled <= 'Z') || (labelled >= '0' && labelled <= '9');
    return letterOrDigit ? labelled : placed;
}

void SetKeyState(int virtualKey, bool down) {
    if (virtualKey > 0 && virtualKey < 256) keyDown[virtualKey] = down;
}

void ReleaseAllKeys() { keyDown.fill(false); }

bool IsKeyDown(int virtualKey) { return virtualKey > 0 && virtualKey < 256 && keyDown[virtualKey]; }

}  // namespace ondra::platform
