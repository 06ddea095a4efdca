// The screen context's window helpers.
#include "screens/ScreenContext.h"

#include "engine/Log.h"
#include "gui/Element.h"
#include "gui/ScreenStack.h"
#include "guidefines.h"

#include <algorithm>

CGuiElement* CScreenContext::Find(int id) const {
    return m_stack.FindElement(id);
}

void CScreenContext::Post(int source, int target, int kind, int p1, int p2) const {
    m_stack.PostMessage(source, target, kind, p1, p2);
}

void CScreenContext::SwitchTo(int window) const {
    Post(-1, window, kMsgSwitchTo, 0, 0);
}

void CScreenContext::ShowMessage(const CStr& text) const {
    QuorelLog("[ShowMessage] %s", text.GetText());
    SetText(ID_MSG_TEXT, text);
    m_stack.BringToTop(ID_MESSAGE);
    Post(-1, ID_MESSAGE, kMsgOpenOnTop, 0, 0);
}

void CScreenContext::CentreWindow(int referenceId, int windowId) const {
    CGuiElement* reference = Find(referenceId);
    CGuiElement* window = Find(windowId);
    if (!reference || !window)
        return;
    const ElementDesc& r = reference->Desc();
    const ElementDesc& w = window->Desc();
    // A box centred on something near the screen's edge is pushed back inside it whole.
    const int x = std::clamp(r.x + (r.w - w.w) / 2, 0, std::max(0, kGuiScreenWidth - w.w));
    const int y = std::clamp(r.y + (r.h - w.h) / 2, 0, std::max(0, kGuiScreenHeight - w.h));
    window->MoveTo(x, y);
}

void CScreenContext::SetText(int id, const CStr& text, int format) const {
    CGuiElement* element = Find(id);
    if (!element)
        return;
    if (element->GetType() == GuiElementType::TextBox) {
        element->Clear();
        element->SetText(text);
    } else if (format >= 0) {
        element->SetText(text, format);
    } else {
        element->SetText(text);
    }
}
