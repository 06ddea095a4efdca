// CGuiCheckBox: toggling, hover frames and the flat box.
#include "gui/CheckBox.h"

#include "gui/Theme.h"

#include <algorithm>

CGuiCheckBox::CGuiCheckBox() : CGuiElement(GuiElementType::CheckBox) {
    m_desc.frameCount = 6;
    m_colour = GuiTheme::kText;
}

void CGuiCheckBox::SetChecked(bool checked) {
    m_checked = checked ? 1 : 0;
    UpdateFrame();
}

void CGuiCheckBox::OnMouseEnter(const GuiContext&) {
    m_hover = 1;
    UpdateFrame();
}

void CGuiCheckBox::OnMouseLeave(const GuiContext&) {
    m_hover = 0;
    UpdateFrame();
}

void CGuiCheckBox::OnMouseDown(const GuiContext& ctx, const GuiInput& input) {
    if (!IsEnabled() || input.button != GuiMouseButton::Left)
        return;
    m_checked = m_checked ? 0 : 1;
    UpdateFrame();
    ctx.Post(m_desc.id, -1, kMsgClick, 0, 0);
    ctx.Sound("CHECK_CLICK");
}

void CGuiCheckBox::ApplyText(const CStr& text, const int*, const uint32_t* colour) {
    m_text = text;
    if (colour)
        m_colour = *colour;
}

void CGuiCheckBox::DrawSelf(IGuiBackend& backend, uint32_t) {
    DrawBase(backend);
    int size = std::min(18, m_rect.h);
    GuiRect box{m_rect.x, m_rect.y + (m_rect.h - size) / 2, size, size};
    int frame = m_desc.frameIndex;
    if (m_image) {
        box.w = m_image->Width() / std::max(1, m_desc.frameCount);
        box.h = std::min(m_rect.h, m_image->Height());
        box.y = m_rect.y + (m_rect.h - box.h) / 2;
        size = box.w;
        DrawImageFrame(backend, frame, box);
    } else {
        bool checked = frame == 2 || frame == 5;
        bool hover = frame == 4 || frame == 5;
        backend.FillRect(box, GuiTheme::kFieldFill);
        backend.FrameRect(box, hover ? GuiTheme::kAccent : GuiTheme::kFieldBorder, 1);
        if (checked)
            backend.FillRect(GuiRect{box.x + 4, box.y + 4, box.w - 8, box.h - 8}, GuiTheme::kAccent);
    }
    if (!m_text.IsEmpty()) {
        GuiRect text{box.x + size + 8, m_rect.y, m_rect.w - size - 8, m_rect.h};
        backend.DrawText(m_font, m_text, text, kFormatLeftMiddle,
                         IsEnabled() ? m_colour : GuiTheme::kButtonTextDisabled);
    }
}
