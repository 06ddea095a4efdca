// Small value types the toolkit shares: rectangles, fonts, draw-text formats, element type codes
// and the plain input events the application shell feeds in (1024 x 768 client coordinates).
#pragma once

#include "engine/Str.h"

#include <cstdint>

struct GuiRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool IsEmpty() const { return w <= 0 || h <= 0; }
};

struct GuiFont {
    CStr face = "Arial";
    int size = 14;
    int weight = 400; // 700 and above draws bold
};

// Draw-text formats, the values screens pass with every text.
enum GuiDrawFormat : int {
    kFormatTopLeft = 0,
    kFormatCentre = 1,
    kFormatLeftMiddle = 4,
    kFormatCentreMiddle = 5,
    kFormatRightMiddle = 6,
};

enum class GuiElementType : int {
    Window = 0,
    Picture = 1,
    StaticText = 2,
    TextBox = 3,
    Button = 4,
    AnimButton = 5,
    CheckBox = 6,
    ListBox = 7,
    ComboBox = 8,
    Grid = 9,
    EditBox = 10,
    ScrollBar = 11,
    ProgressBar = 12,
};

const char* GuiElementTypeName(GuiElementType type);

enum GuiKey : int {
    kGuiKeyNone = 0,
    kGuiKeyBackspace = 8,
    kGuiKeyTab = 9,
    kGuiKeyEnter = 13,
    kGuiKeyEscape = 27,
    kGuiKeySpace = 32,
    kGuiKeyDelete = 127,
    kGuiKeyLeft = 1000,
    kGuiKeyRight,
    kGuiKeyUp,
    kGuiKeyDown,
    kGuiKeyHome,
    kGuiKeyEnd,
    kGuiKeyPageUp,
    kGuiKeyPageDown,
};

// The client area every layout is drawn for.
constexpr int kGuiScreenWidth = 1024;
constexpr int kGuiScreenHeight = 768;

enum class GuiInputKind : int { MouseMove, MouseDown, MouseUp, Wheel, Key, Text };
enum class GuiMouseButton : int { None, Left, Right, Middle };

// One input event as the shell hands it over.
struct GuiInput {
    GuiInputKind kind = GuiInputKind::MouseMove;
    int x = 0, y = 0;                             // mouse position, client space
    GuiMouseButton button = GuiMouseButton::None; // MouseDown / MouseUp
    int clicks = 1;                               // 2 on the second press of a double-click
    int wheel = 0;                                // notches, positive away from the user (up)
    int key = kGuiKeyNone;                        // Key: a GuiKey or a plain ASCII code
    CStr text;                                    // Text: UTF-8 typed characters
    uint32_t timeMs = 0;                          // event time, for tooltip delays
};
