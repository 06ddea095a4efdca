// CGuiAnimButton: a button whose image strip plays while the mouse is over it.
#pragma once

#include "gui/Button.h"

class CGuiAnimButton : public CGuiButton {
public:
    CGuiAnimButton();
    // Frames per second of the hover animation.
    void SetFrameRate(int fps) { m_fps = fps > 0 ? fps : 1; }
    int FrameAt(uint32_t nowMs) const;
    void OnMouseEnter(const GuiContext& ctx) override;

protected:
    const char* ClickSound() const override { return "ANIMBUTTON_CLICK"; }
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    int m_fps = 12;
    uint32_t m_hoverStart = 0;
};
