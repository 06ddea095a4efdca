// The day controller's view of the windows, answered by the screens through the screen context.
#pragma once

#include "screens/ScreenContext.h"
#include "screens/info/DayController.h"

class CDayView : public IDayView {
public:
    explicit CDayView(const CScreenContext& ctx) : m_ctx(ctx) {}

    void Post(int source, int target, int kind, int p1, int p2) override;
    void CentreWindow(int window, int reference) override;
    void EnableElement(int elementId, bool enabled) override;
    void SetElementText(int elementId, const CStr& text, int format) override;
    void ShowMessage(const CStr& text) override;
    bool HasWindow(int window) const override;
    void RefreshDayPanel() override;
    void ClearDayPanel() override;

private:
    const CScreenContext& m_ctx;
};
