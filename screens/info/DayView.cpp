// The day controller's window work carried out on the screen stack and the day panel.
#include "screens/info/DayView.h"

#include "gui/Element.h"
#include "screens/info/DayInfoPanel.h"

void CDayView::Post(int source, int target, int kind, int p1, int p2) {
    m_ctx.Post(source, target, kind, p1, p2);
}

void CDayView::CentreWindow(int window, int reference) {
    m_ctx.CentreWindow(reference, window);
}

void CDayView::EnableElement(int elementId, bool enabled) {
    if (CGuiElement* element = m_ctx.Find(elementId))
        element->SetDisabled(!enabled);
}

void CDayView::SetElementText(int elementId, const CStr& text, int format) {
    m_ctx.SetText(elementId, text, format);
}

void CDayView::ShowMessage(const CStr& text) {
    m_ctx.ShowMessage(text);
}

bool CDayView::HasWindow(int window) const {
    return m_ctx.Find(window) != nullptr;
}

void CDayView::RefreshDayPanel() {
    if (CGameScreen* panel = m_ctx.Screen(ScreenRole::DayInfoPanel))
        panel->Refresh();
}

void CDayView::ClearDayPanel() {
    if (auto* panel = m_ctx.ScreenAs<CDayInfoPanel>(ScreenRole::DayInfoPanel))
        panel->Clear();
}
