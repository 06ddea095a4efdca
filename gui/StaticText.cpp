// CGuiStaticText: label drawing.
#include "gui/StaticText.h"

#include "gui/Backend.h"
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
    backend.DrawText(m_font, SingleLine() ? FitTextToWidth(backend, m_font, m_text, inner.w) : m_text, inner,
                     m_format, m_colour);
}

bool CGuiStaticText::SingleLine() const {
    // Labels centred on their line; a top-left label may run over several lines.
    return (m_format == kFormatLeftMiddle || m_format == kFormatCentreMiddle ||
            m_format == kFormatRightMiddle) &&
           m_text.FindChar('\n') < 0;
}

CStr CGuiStaticText::TooltipAt(int x, int y) const {
    // A label cut short shows itself whole.
    const int pad = m_desc.borderWidth > 0 ? m_desc.borderWidth + 5 : 0;
    if (m_tooltip.IsEmpty() && SingleLine() && GuiBackend().TextWidth(m_font, m_text) > m_rect.w - 2 * pad)
        return m_text;
    return CGuiElement::TooltipAt(x, y);
}
