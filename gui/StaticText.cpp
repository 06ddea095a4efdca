// CGuiStaticText: label drawing.
#include "gui/StaticText.h"

#include "gui/Theme.h"

CGuiStaticText::CGuiStaticText() : CGuiElement(GuiElementType::StaticText) {
    m_colour = GuiTheme::kText;
}

void CGuiStaticText::ApplyText(const CStr& text, const int* format, const uint32_t* colour) {
    m_text = text;
    if (format)
        m_format = *format;
    if (colour)
        m_colour = *colour;
}

void CGuiStaticText::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    if (m_text.IsEmpty())
        return;
    // A framed label keeps its text off the frame.
    int pad = m_desc.borderWidth > 0 ? m_desc.borderWidth + 5 : 0;
    GuiRect inner{m_rect.x + pad, m_rect.y + (pad ? m_desc.borderWidth + 3 : 0), m_rect.w - 2 * pad,
                  m_rect.h - (pad ? 2 * (m_desc.borderWidth + 3) : 0)};
    backend.DrawText(m_font, m_text, inner, m_format, m_colour);
}
