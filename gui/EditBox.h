// CGuiEditBox: a one-line text field. Taking the focus posts {id, -1, 20} and plays "EDIT_CLICK";
// losing it (a click elsewhere, Enter or Escape) posts {id, -1, 21}.
#pragma once

#include "gui/Element.h"

class CGuiEditBox : public CGuiElement {
public:
    CGuiEditBox();
    CStr GetText() const override { return m_text; }
    void SetMaxLength(int bytes) { m_maxLength = bytes > 0 ? bytes : 1; }
    bool HasFocus() const { return m_focus; }
    int Caret() const { return m_caret; }
    void SetTextColour(uint32_t colour) override { m_colour = colour; }

    bool WantsFocus() const override { return IsEnabled(); }
    void OnFocus(const GuiContext& ctx, bool gained) override;
    void OnMouseDown(const GuiContext&, const GuiInput&) override {}
    void OnKey(const GuiContext& ctx, int key) override;
    void OnText(const GuiContext& ctx, const CStr& text) override;

protected:
    void ApplyText(const CStr& text, const int* format, const uint32_t* colour) override;
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    CStr m_text;
    int m_caret = 0; // byte offset, always on a character boundary
    int m_maxLength = 32;
    bool m_focus = false;
    uint32_t m_colour = 0xFFFFFFFF;
};
