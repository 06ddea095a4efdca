// The toolkit's look: flat fills and thin borders in a dark court-side palette with an orange
// accent. Colour words (alpha in the lowest byte).
#pragma once

#include "engine/Color.h"

namespace GuiTheme {
constexpr uint32_t kWindowFill = ColorWord(22, 29, 40);
constexpr uint32_t kWindowShadow = ColorWord(0, 0, 0, 110);
constexpr uint32_t kWindowBorder = ColorWord(70, 86, 108);
constexpr uint32_t kCaptionFill = ColorWord(36, 58, 88);
constexpr uint32_t kCaptionAccent = ColorWord(242, 140, 40);
constexpr uint32_t kCaptionText = ColorWord(245, 247, 250);
constexpr int kCaptionHeight = 26;

constexpr uint32_t kText = ColorWord(232, 236, 242);
constexpr uint32_t kTextDim = ColorWord(140, 150, 165);

constexpr uint32_t kButtonFill = ColorWord(44, 60, 82);
constexpr uint32_t kButtonHover = ColorWord(58, 82, 112);
constexpr uint32_t kButtonPressed = ColorWord(200, 110, 30);
constexpr uint32_t kButtonDisabled = ColorWord(36, 41, 49);
constexpr uint32_t kButtonBorder = ColorWord(92, 112, 138);
constexpr uint32_t kButtonText = ColorWord(240, 243, 247);
constexpr uint32_t kButtonTextHover = ColorWord(255, 209, 102);
constexpr uint32_t kButtonTextDisabled = ColorWord(110, 118, 130);

constexpr uint32_t kFieldFill = ColorWord(14, 19, 27);
constexpr uint32_t kFieldBorder = ColorWord(70, 86, 108);
constexpr uint32_t kFocusBorder = ColorWord(242, 140, 40);

constexpr uint32_t kRowAlt = ColorWord(255, 255, 255, 10);
constexpr uint32_t kRowHover = ColorWord(255, 255, 255, 30);
constexpr uint32_t kRowSelected = ColorWord(242, 140, 40, 110);
constexpr uint32_t kGridLine = ColorWord(44, 56, 72);
constexpr uint32_t kHeaderFill = ColorWord(34, 48, 66);
constexpr uint32_t kHeaderHover = ColorWord(46, 64, 88);

constexpr uint32_t kScrollTrack = ColorWord(26, 34, 45);
constexpr uint32_t kScrollThumb = ColorWord(78, 96, 120);
constexpr uint32_t kScrollThumbHover = ColorWord(104, 126, 154);

constexpr uint32_t kAccent = ColorWord(242, 140, 40);
constexpr uint32_t kTooltipFill = ColorWord(255, 246, 213, 245);
constexpr uint32_t kTooltipBorder = ColorWord(60, 50, 30);
constexpr uint32_t kTooltipText = ColorWord(30, 26, 18);
constexpr uint32_t kTooltipDelayMs = 600;
} // namespace GuiTheme
