// CGuiTextBox: multi-line, word-wrapped, scrollable text. SetText appends its wrapped lines, so a
// screen replaces the text with Clear then SetText.
#pragma once

#include "gui/Element.h"

class CGuiTextBox : public CGuiElement {
public:
    CGuiTextBox();
    void Clear() override;
    CStr GetText() const override;
    void SetTextColour(uint32_t colour) override { m_colour = colour; }
    uint32_t GetTextColour() const { return m_colour; }
    const std::vector<CStr>& Lines() const { return m_lines; }
    int VisibleLines() const;

    bool IsScrollable() const override { return true; }
    int ScrollPos() const override { return m_first; }
    int ScrollMax() const override;
    void ScrollTo(int line) override;

    static constexpr int kPadding = 6;

protected:
    void ApplyText(const CStr& text, const int* format, const uint32_t* colour) override;
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    std::vector<CStr> m_lines;
    int m_first = 0; // first visible line
    uint32_t m_colour = 0xFFFFFFFF;
};
