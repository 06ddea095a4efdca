// CGuiScrollBar: arrows, track and thumb.
#include "gui/ScrollBar.h"

#include "gui/Theme.h"

#include <algorithm>

CGuiScrollBar::CGuiScrollBar() : CGuiElement(GuiElementType::ScrollBar) {
    m_desc.fillColour = GuiTheme::kScrollTrack;
}

CGuiElement* CGuiScrollBar::Target() const {
    CGuiElement* root = const_cast<CGuiScrollBar*>(this);
    while (root->Parent())
        root = root->Parent();
    if (m_targetId != -1) {
        if (CGuiElement* target = root->FindChild(m_targetId))
            return target;
    }
    return Parent();
}

int32_t CGuiScrollBar::TargetMessageId() const {
    CGuiElement* target = Target();
    return target ? target->GetId() : m_targetId;
}

GuiRect CGuiScrollBar::ThumbRect() const {
    CGuiElement* target = Target();
    int arrow = ArrowSize();
    int track = (Vertical() ? m_rect.h : m_rect.w) - 2 * arrow;
    int maxPos = target ? target->ScrollMax() : 0;
    int pos = target ? target->ScrollPos() : 0;
    int thumb = std::max(arrow, track / (maxPos + 1 > 0 ? std::min(maxPos + 1, 8) : 1));
    int offset = maxPos > 0 ? (track - thumb) * pos / maxPos : 0;
    if (Vertical())
        return GuiRect{m_rect.x + 2, m_rect.y + arrow + offset, m_rect.w - 4, thumb};
    return GuiRect{m_rect.x + arrow + offset, m_rect.y + 2, thumb, m_rect.h - 4};
}

int CGuiScrollBar::PositionAt(int x, int y) const {
    CGuiElement* target = Target();
    int maxPos = target ? target->ScrollMax() : 0;
    int arrow = ArrowSize();
    int track = (Vertical() ? m_rect.h : m_rect.w) - 2 * arrow;
    int along = Vertical() ? y - m_rect.y - arrow : x - m_rect.x - arrow;
    if (track <= 0)
        return 0;
    return std::clamp((along * (maxPos + 1)) / track, 0, maxPos);
}

void CGuiScrollBar::OnMouseMove(const GuiContext& ctx, int x, int y) {
    int along = Vertical() ? y - m_rect.y : x - m_rect.x;
    int length = Vertical() ? m_rect.h : m_rect.w;
    m_hoverPart = along < ArrowSize()             ? 1
                  : along >= length - ArrowSize() ? 2
                  : ThumbRect().Contains(x, y)    ? 3
                                                  : 0;
    if (m_dragging) {
        int pos = PositionAt(x, y);
        if (pos != m_lastPosted) {
            m_lastPosted = pos;
            ctx.Post(m_desc.id, TargetMessageId(), kMsgScrollStep, pos, 0);
        }
    }
}

void CGuiScrollBar::OnMouseDown(const GuiContext& ctx, const GuiInput& input) {
    if (!IsEnabled() || input.button != GuiMouseButton::Left)
        return;
    int along = Vertical() ? input.y - m_rect.y : input.x - m_rect.x;
    int length = Vertical() ? m_rect.h : m_rect.w;
    if (along < ArrowSize()) {
        ctx.Post(m_desc.id, TargetMessageId(), kMsgScrollUp, 0, 0);
        ctx.Sound("SCROLL_CLICK");
    } else if (along >= length - ArrowSize()) {
        ctx.Post(m_desc.id, TargetMessageId(), kMsgScrollDown, 0, 0);
        ctx.Sound("SCROLL_CLICK");
    } else {
        m_dragging = true;
        m_lastPosted = PositionAt(input.x, input.y);
        ctx.Post(m_desc.id, TargetMessageId(), kMsgScrollStep, m_lastPosted, 0);
    }
}

void CGuiScrollBar::DrawSelf(IGuiBackend& backend, uint32_t nowMs) {
    CGuiElement::DrawSelf(backend, nowMs);
    int arrow = ArrowSize();
    GuiRect first = Vertical() ? GuiRect{m_rect.x, m_rect.y, m_rect.w, arrow}
                               : GuiRect{m_rect.x, m_rect.y, arrow, m_rect.h};
    GuiRect second = Vertical() ? GuiRect{m_rect.x, m_rect.y + m_rect.h - arrow, m_rect.w, arrow}
                                : GuiRect{m_rect.x + m_rect.w - arrow, m_rect.y, arrow, m_rect.h};
    GuiRect parts[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        const GuiRect& r = parts[i];
        backend.FillRect(r, m_hoverPart == i + 1 ? GuiTheme::kButtonHover : GuiTheme::kButtonFill);
        backend.FrameRect(r, GuiTheme::kButtonBorder, 1);
        // Arrow head made of shrinking pixel rows pointing away from the track.
        int cx = r.x + r.w / 2;
        int cy = r.y + r.h / 2;
        for (int k = 0; k < 4; ++k) {
            int span = 2 * k + 1;
            int offset = (i == 0 ? k : 3 - k) - 2;
            if (Vertical())
                backend.FillRect(GuiRect{cx - k, cy + offset, span, 1}, GuiTheme::kText);
            else
                backend.FillRect(GuiRect{cx + offset, cy - k, 1, span}, GuiTheme::kText);
        }
    }
    CGuiElement* target = Target();
    if (target && target->IsScrollable() && target->ScrollMax() > 0)
        backend.FillRect(ThumbRect(), m_hoverPart == 3 || m_dragging ? GuiTheme::kScrollThumbHover
                                                                     : GuiTheme::kScrollThumb);
}
