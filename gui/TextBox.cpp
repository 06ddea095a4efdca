// CGuiTextBox: wrapping on append, line scrolling, clipped drawing.
#include "gui/TextBox.h"

#include "gui/Theme.h"

#include <algorithm>

CGuiTextBox::CGuiTextBox() : CGuiElement(GuiElementType::TextBox) {
    m_colour = GuiTheme::kText;
}

void CGuiTextBox::Clear() {
    m_lines.clear();
    m_first = 0;
}

CStr CGuiTextBox::GetText() const {
    CStr all;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i)
            all.Append('\n');
        all.Append(m_lines[i]);
    }
    return all;
}

void CGuiTextBox::ApplyText(const CStr& text, const int*, const uint32_t* colour) {
    if (colour)
        m_colour = *colour;
    std::vector<CStr> wrapped = WrapGuiText(GuiBackend(), m_font, text, m_desc.w - 2 * kPadding);
    m_lines.insert(m_lines.end(), wrapped.begin(), wrapped.end());
}

int CGuiTextBox::VisibleLines() const {
    int lineHeight = std::max(1, GuiBackend().LineHeight(m_font));
    return std::max(1, (m_desc.h - 2 * kPadding) / lineHeight);
}

int CGuiTextBox::ScrollMax() const {
    return std::max(0, static_cast<int>(m_lines.size()) - VisibleLines());
}

void CGuiTextBox::ScrollTo(int line) {
    m_first = std::clamp(line, 0, ScrollMax());
}

void CGuiTextBox::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    int lineHeight = std::max(1, backend.LineHeight(m_font));
    GuiRect inner{m_rect.x + kPadding, m_rect.y + kPadding, m_rect.w - 2 * kPadding, m_rect.h - 2 * kPadding};
    backend.SetClip(&m_rect);
    int rows = VisibleLines();
    for (int i = 0; i < rows && m_first + i < static_cast<int>(m_lines.size()); ++i) {
        GuiRect line{inner.x, inner.y + i * lineHeight, inner.w, lineHeight};
        backend.DrawText(m_font, m_lines[m_first + i], line, kFormatLeftMiddle, m_colour);
    }
    backend.SetClip(nullptr);
    // A thin bar on the right shows there is more text to scroll to.
    int maxFirst = ScrollMax();
    if (maxFirst > 0 && m_scrollHint) {
        int track = m_rect.h - 4;
        int thumb = std::max(12, track * rows / static_cast<int>(m_lines.size()));
        int top = m_rect.y + 2 + (track - thumb) * m_first / maxFirst;
        backend.FillRect(GuiRect{m_rect.x + m_rect.w - 5, top, 3, thumb}, GuiTheme::kScrollThumb);
    }
}
