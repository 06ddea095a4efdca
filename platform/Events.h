// Window events as the game sees them: plain values, no windowing-library types.
#pragma once

#include <cstdint>

// Keys the game reacts to by name; printable keys use their lower-case ASCII code.
enum QuorelKey : int32_t {
    kKeyNone = 0,
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyReturn = 13,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyDelete = 127,
    kKeyLeft = 0x1000,
    kKeyRight,
    kKeyUp,
    kKeyDown,
    kKeyHome,
    kKeyEnd,
    kKeyPageUp,
    kKeyPageDown,
    kKeyShift,
    kKeyControl,
    kKeyAlt,
    kKeyF1 = 0x1100, // F2..F12 follow
    kKeyF12 = kKeyF1 + 11,
};

enum class QuorelEventType : int32_t {
    None,
    Quit,      // the window was closed
    MouseMove, // x, y in client coordinates (1024 x 768 space); dx, dy relative motion
    MouseDown, // button 1 left, 2 middle, 3 right; clicks = 2 for a double-click
    MouseUp,
    MouseWheel, // wheel > 0 away from the user
    KeyDown,    // key, repeat
    KeyUp,
    TextInput,   // text holds one UTF-8 sequence
    FocusGained, // the window became active
    FocusLost,
};

struct QuorelEvent {
    QuorelEventType type = QuorelEventType::None;
    int32_t x = 0, y = 0;
    int32_t dx = 0, dy = 0;
    int32_t button = 0;
    int32_t clicks = 0;
    int32_t wheel = 0;
    int32_t key = kKeyNone;
    bool repeat = false;
    char text[32] = {};
};
