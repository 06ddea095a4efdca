// CGuiProgressBar: proportion and drawing.
#include "gui/ProgressBar.h"

#include "gui/Theme.h"

#include <algorithm>

CGuiProgressBar::CGuiProgressBar() : CGuiElement(GuiElementType::ProgressBar) {
    m_desc.fillColour = GuiTheme::kScrollTrack;
    m_desc.borderColour = GuiTheme::kFieldBorder;
    m_desc.borderWidth = 1;
    m_desc.frameCount = 2;
}

void CGuiProgressBar::SetProgress(int value, int maximum) {
    m_maximum = std::max(0, maximum);
    m_value = std::clamp(value, 0, m_maximum);
}

int CGuiProgressBar::FilledWidth() const {
    if (m_maximum <= 0)
        return 0;
    return static_cast<int>(static_cast<int64_t>(m_rect.w) * m_value / m_maximum);
}

void CGuiProgressBar::DrawSelf(IGuiBackend& backend, uint32_t) {
    GuiRect filled{m_rect.x, m_rect.y, FilledWidth(), m_rect.h};
    if (m_image) {
        DrawImageFrame(backend, 0, m_rect);
        backend.SetClip(&filled);
        DrawImageFrame(backend, 1, m_rect);
        backend.SetClip(nullptr);
        return;
    }
    DrawBase(backend);
    if (filled.w > 2)
        backend.FillRect(GuiRect{filled.x + 1, filled.y + 1, filled.w - 2, filled.h - 2}, GuiTheme::kAccent);
    if (filled.w > 2)
        backend.FillRect(GuiRect{filled.x + 1, filled.y + 1, filled.w - 2, std::max(1, filled.h / 3)},
                         ColorWord(255, 255, 255, 50));
}
