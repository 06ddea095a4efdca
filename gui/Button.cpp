// CGuiButton: states, click rules and flat drawing.
#include "gui/Button.h"

#include "gui/Theme.h"

#include <algorithm>

CGuiButton::CGuiButton() : CGuiButton(GuiElementType::Button) {}

CGuiButton::CGuiButton(GuiElementType type)
    : CGuiElement(type), m_colours{GuiTheme::kButtonText, GuiTheme::kButtonTextHover, GuiTheme::kButtonText,
                                   GuiTheme::kButtonTextDisabled} {
    m_desc.frameCount = 4;
    m_font.weight = 700;
}

void CGuiButton::SetColours(uint32_t normal, uint32_t hover, uint32_t pressed, uint32_t disabled) {
    m_colours[0] = normal;
    m_colours[1] = hover;
    m_colours[2] = pressed;
    m_colours[3] = disabled;
}

void CGuiButton::ForceState(int state, bool on) {
    m_forced = on;
    m_forcedState = std::clamp(state, 0, 3);
}

int CGuiButton::GetState() const {
    if (m_forced)
        return m_forcedState;
    if (!IsEnabled())
        return kDisabled;
    if (m_pressed && m_hover)
        return kPressed;
    return m_hover ? kHover : kNormal;
}

void CGuiButton::ApplyText(const CStr& text, const int* format, const uint32_t*) {
    m_text = text;
    if (format)
        m_format = *format;
}

void CGuiButton::OnMouseDown(const GuiContext&, const GuiInput& input) {
    if (IsEnabled() && input.button == GuiMouseButton::Left)
        m_pressed = true;
}

void CGuiButton::OnMouseUp(const GuiContext& ctx, const GuiInput& input, bool inside) {
    bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || !inside || !IsEnabled() || input.button != GuiMouseButton::Left)
        return;
    ctx.Post(m_desc.id, -1, kMsgClick, 0, 0);
    if (input.clicks >= 2)
        ctx.Post(m_desc.id, -1, kMsgDoubleClick, 0, 0);
    ctx.Sound(ClickSound());
}

void CGuiButton::DrawFlat(IGuiBackend& backend, int state) const {
    static constexpr uint32_t kFills[4] = {GuiTheme::kButtonFill, GuiTheme::kButtonHover,
                                           GuiTheme::kButtonPressed, GuiTheme::kButtonDisabled};
    backend.FillRect(m_rect, kFills[state]);
    // A lighter top edge gives the flat button a little lift.
    if (state != kPressed && state != kDisabled)
        backend.FillRect(GuiRect{m_rect.x + 1, m_rect.y + 1, m_rect.w - 2, 1}, ColorWord(255, 255, 255, 40));
    backend.FrameRect(m_rect, state == kHover ? GuiTheme::kAccent : GuiTheme::kButtonBorder, 1);
}

void CGuiButton::DrawCaption(IGuiBackend& backend, int state) const {
    if (m_text.IsEmpty())
        return;
    GuiRect text{m_rect.x + 6, m_rect.y, m_rect.w - 12, m_rect.h};
    if (state == kPressed) {
        text.x += 1;
        text.y += 1;
    }
    backend.DrawText(m_font, m_text, text, m_format, m_colours[state]);
}

void CGuiButton::DrawSelf(IGuiBackend& backend, uint32_t) {
    int state = GetState();
    if (m_image)
        DrawImageFrame(backend, std::min(state, std::max(1, m_desc.frameCount) - 1), m_rect);
    else
        DrawFlat(backend, state);
    DrawCaption(backend, state);
}
