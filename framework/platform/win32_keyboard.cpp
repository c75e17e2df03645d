// The keyboard: the key state by virtual-key code.
//
// Key messages carry the virtual-key code the user's layout gives the key,
// so a command bound to E acts on the key labelled E. The key state keeps
// letters and digits by the key's place instead (its scan code), so that
// W, A, S and D sit in the same place whatever the layout; every other key
// keeps its code.
#include <array>

#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

std::array<bool, 256> keyDown{};

// Each row of letters and digits: the scan code of its first key and the
// keys a US keyboard has there, from left to right.
struct Row {
    unsigned firstScanCode;
    const char* keys;
};
constexpr Row kRows[] = {
    {0x02, "1234567890"},
    {0x10, "QWERTYUIOP"},
    {0x1E, "ASDFGHJKL"},
    {0x2C, "ZXCVBNM"},
};

int VirtualKeyAtPlace(unsigned scanCode) {
    for (const Row& row : kRows) {
        unsigned column = 0;
        for (const char* key = row.keys; *key; ++key, ++column)
            if (scanCode == row.firstScanCode + column) return *key;
    }
    return 0;
}

bool IsLetterOrDigit(int virtualKey) {
    return (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
}

}  // namespace

// Keys with no place of a letter or digit (punctuation, the numeric pad,
// extended keys) keep the layout's code.
int PlacedVirtualKey(int virtualKey, unsigned scanCode) {
    const int placed = scanCode & 0x100 ? 0 : VirtualKeyAtPlace(scanCode);
    return placed && IsLetterOrDigit(virtualKey) ? placed : virtualKey;
}

void SetKeyState(int virtualKey, bool down) {
    if (virtualKey > 0 && virtualKey < 256) keyDown[virtualKey] = down;
}

void ReleaseAllKeys() { keyDown.fill(false); }

bool IsKeyDown(int virtualKey) { return virtualKey > 0 && virtualKey < 256 && keyDown[virtualKey]; }

}  // namespace ondra::platform
