// CGuiProgressBar: a bar filled in proportion to value / maximum; with a two-frame strip the
// second frame is the filled part.
#pragma once

#include "gui/Element.h"

class CGuiProgressBar : public CGuiElement {
public:
    CGuiProgressBar();
    void SetProgress(int value, int maximum) override;
    int Value() const { return m_value; }
    int Maximum() const { return m_maximum; }
    // Filled width in pixels for the current value.
    int FilledWidth() const;

protected:
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    int m_value = 0;
    int m_maximum = 100;
};
