// CGuiWindow: flat chrome drawn by code, so every window reads the same without skin images.
#include "gui/Window.h"

#include "gui/Theme.h"

CGuiWindow::CGuiWindow() : CGuiElement(GuiElementType::Window) {
    m_desc.fillColour = GuiTheme::kWindowFill;
    m_desc.borderColour = GuiTheme::kWindowBorder;
    m_desc.borderWidth = 1;
    m_font.size = 15;
    m_font.weight = 700;
}

void CGuiWindow::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    // A screen window that does not fill the screen floats over the one below.
    if (!Parent() && (m_rect.w < 1024 || m_rect.h < 768)) {
        backend.FillRect(GuiRect{m_rect.x + 6, m_rect.y + 6, m_rect.w, m_rect.h}, GuiTheme::kWindowShadow);
        backend.FillRect(GuiRect{m_rect.x + 3, m_rect.y + 3, m_rect.w, m_rect.h}, GuiTheme::kWindowShadow);
    }
    CGuiElement::DrawSelf(backend, nowMs);
    if (!m_captionBar)
        return;
    GuiRect bar{m_rect.x + 1, m_rect.y + 1, m_rect.w - 2, GuiTheme::kCaptionHeight - 1};
    if (!m_image)
        backend.FillRect(bar, GuiTheme::kCaptionFill);
    backend.FillRect(GuiRect{bar.x, bar.y + bar.h, bar.w, 2}, GuiTheme::kCaptionAccent);
    GuiRect text{bar.x + 10, bar.y, bar.w - 20, bar.h};
    backend.SetClip(&bar);
    backend.DrawText(m_font, m_caption, text, kFormatLeftMiddle, GuiTheme::kCaptionText);
    backend.SetClip(nullptr);
}
