// CGuiStaticText: a one-line (or top-left multi-line) label with its own format and colour.
#pragma once

#include "gui/Element.h"

class CGuiStaticText : public CGuiElement {
public:
    CGuiStaticText();
    CStr GetText() const override { return m_text; }
    void SetTextColour(uint32_t colour) override { m_colour = colour; }
    uint32_t GetTextColour() const { return m_colour; }
    int GetFormat() const { return m_format; }
    CStr TooltipAt(int x, int y) const override;

protected:
    void ApplyText(const CStr& text, const int* format, const uint32_t* colour) override;
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    // A one-line label: cut short with "..." when it does not fit.
    bool SingleLine() const;

    CStr m_text;
    int m_format = kFormatLeftMiddle;
    uint32_t m_colour = 0xFFFFFFFF;
};
