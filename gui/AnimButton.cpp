// CGuiAnimButton: frame stepping while hovered; a pulsing accent edge when it has no strip.
#include "gui/AnimButton.h"

#include "gui/Theme.h"

#include <algorithm>

CGuiAnimButton::CGuiAnimButton() : CGuiButton(GuiElementType::AnimButton) {
    m_desc.frameCount = 8;
}

void CGuiAnimButton::OnMouseEnter(const GuiContext& ctx) {
    CGuiButton::OnMouseEnter(ctx);
    m_hoverStart = ctx.nowMs;
}

int CGuiAnimButton::FrameAt(uint32_t nowMs) const {
    int frames = std::max(1, m_desc.frameCount);
    if (!m_hover || !IsEnabled())
        return 0;
    return static_cast<int>((nowMs - m_hoverStart) * static_cast<uint32_t>(m_fps) / 1000u % frames);
}

void CGuiAnimButton::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    int state = GetState();
    m_desc.frameIndex = FrameAt(nowMs);
    if (m_image) {
        DrawImageFrame(backend, m_desc.frameIndex, m_rect);
    } else {
        DrawFlat(backend, state);
        if (m_hover && IsEnabled()) {
            // Without a strip the animation is a glow that swells and fades with the frames.
            int frames = std::max(1, m_desc.frameCount);
            int phase = m_desc.frameIndex < frames / 2 ? m_desc.frameIndex : frames - m_desc.frameIndex;
            uint8_t alpha = static_cast<uint8_t>(std::min(255, 60 + phase * 300 / frames));
            backend.FrameRect(GuiRect{m_rect.x - 2, m_rect.y - 2, m_rect.w + 4, m_rect.h + 4},
                              ColorWord(242, 140, 40, alpha), 2);
        }
    }
    DrawCaption(backend, state);
}
