// CGuiCheckBox: a box with a label. Frames: 0 unchecked, 2 checked, 4 unchecked hovered, 5 checked
// hovered. A click toggles it, posts {id, -1, 10} and plays "CHECK_CLICK"; screens that run radio
// groups set the checked byte and frame themselves.
#pragma once

#include "gui/Element.h"

class CGuiCheckBox : public CGuiElement {
public:
    CGuiCheckBox();
    void SetChecked(bool checked) override;
    bool IsChecked() const override { return m_checked != 0; }
    CStr GetText() const override { return m_text; }
    bool IsHovered() const { return m_hover != 0; }
    void SetTextColour(uint32_t colour) override { m_colour = colour; }

    void OnMouseEnter(const GuiContext&) override;
    void OnMouseLeave(const GuiContext&) override;
    void OnMouseDown(const GuiContext& ctx, const GuiInput& input) override;

    static int FrameFor(bool checked, bool hover) { return checked ? (hover ? 5 : 2) : (hover ? 4 : 0); }

    uint8_t m_checked = 0;
    uint8_t m_hover = 0;

protected:
    void ApplyText(const CStr& text, const int* format, const uint32_t* colour) override;
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    void UpdateFrame() { m_desc.frameIndex = FrameFor(m_checked != 0, m_hover != 0); }
    CStr m_text;
    uint32_t m_colour = 0xFFFFFFFF;
};
