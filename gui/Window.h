// CGuiWindow: a framed panel with an optional caption bar; the root of every screen layer.
#pragma once

#include "gui/Element.h"

class CGuiWindow : public CGuiElement {
public:
    CGuiWindow();
    void SetCaption(const CStr& text) override { m_caption = text; }
    const CStr& GetCaption() const { return m_caption; }
    void SetCaptionBar(bool on) { m_captionBar = on; }
    bool HasCaptionBar() const { return m_captionBar; }

protected:
    void DrawSelf(IGuiBackend& backend, uint32_t nowMs) override;

private:
    CStr m_caption;
    bool m_captionBar = false;
};

// CGuiPicture: a shape or picture; its image, or its fill when it has none.
class CGuiPicture : public CGuiElement {
public:
    CGuiPicture() : CGuiElement(GuiElementType::Picture) {}
};
