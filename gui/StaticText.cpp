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
    if (!m_text.IsEmpty())
        backend.DrawText(m_font, m_text, m_rect, m_format, m_colour);
}
