// CGuiButton: a push button with four states (0 normal, 1 hover, 2 pressed, 3 disabled), one
// text colour and one image frame per state. A click posts {id, -1, 10} (and 11 on a
// double-click) and plays its click sound.
#pragma once

#include "gui/Element.h"

class CGuiButton : public CGuiElement {
public:
    CGuiButton();
    CStr GetText() const override { return m_text; }
    void SetColours(uint32_t normal, uint32_t hover, uint32_t pressed, uint32_t disabled) override;
    // While on, the button draws that state's frame whatever the mouse does.
    void ForceState(int state, bool on) override;
    // The state drawn now.
    int GetState() const;
    bool IsHovered() const { return m_hover; }

    enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

    void OnMouseEnter(const GuiContext&) override { m_hover = true; }
    void OnMouseLeave(const GuiContext&) override { m_hover = false; }
    void OnMouseDown(const GuiContext& ctx, const GuiInput& input) override;
    void OnMouseUp(const GuiContext& ctx, const GuiInput& input, bool inside) override;

protected:
    CGuiButton(GuiElementType type);
    void ApplyText(const CStr& text, const int* format, const uint32_t* colour) override;
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;
    virtual const char* ClickSound() const { return "BUTTON_CLICK"; }
    void DrawFlat(IGuiBackend& backend, int state) const;
    void DrawCaption(IGuiBackend& backend, int state) const;

    CStr m_text;
    int m_format = kFormatCentreMiddle;
    uint32_t m_colours[4];
    bool m_hover = false;
    bool m_pressed = false;
    bool m_forced = false;
    int m_forcedState = 0;
};
