// CGuiScrollBar: arrows and a thumb for a scrollable element (its target, or its parent). The up
// and down arrows post {id, target, 15} and {id, target, 16}; a click on the track or a thumb drag
// posts {id, target, 18, position}. Arrow clicks play "SCROLL_CLICK".
#pragma once

#include "gui/Element.h"

class CGuiScrollBar : public CGuiElement {
public:
    CGuiScrollBar();
    void SetTargetId(int32_t id) { m_targetId = id; }
    int32_t TargetId() const { return m_targetId; }
    // The element scrolled: the target id found from the root of this tree, else the parent.
    CGuiElement* Target() const;

    void OnMouseMove(const GuiContext& ctx, int x, int y) override;
    void OnMouseDown(const GuiContext& ctx, const GuiInput& input) override;
    void OnMouseUp(const GuiContext&, const GuiInput&, bool) override { m_dragging = false; }
    void OnMouseLeave(const GuiContext&) override { m_hoverPart = 0; }

protected:
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    bool Vertical() const { return m_rect.h >= m_rect.w; }
    int ArrowSize() const { return Vertical() ? m_rect.w : m_rect.h; }
    GuiRect ThumbRect() const;
    int PositionAt(int x, int y) const;
    int32_t TargetMessageId() const;
    int m_targetId = -1;
    bool m_dragging = false;
    int m_hoverPart = 0; // 1 up arrow, 2 down arrow, 3 thumb
    int m_lastPosted = -1;
};
