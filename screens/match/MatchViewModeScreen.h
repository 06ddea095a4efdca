// CMatchViewModeScreen: how the user's matches are played - in 3D, as the 2D match on the
// match-centre screen, or as a result only. Three boxes, exactly one checked, kept in step with the
// session's 3D and result-only bytes that the match day reads.
#pragma once

#include "screens/ScreenContext.h"

#include <cstdint>

// The session's two bytes for the three modes.
struct ViewModeFlags {
    uint8_t view3D = 0;
    uint8_t resultOnly = 0;
};

// The flags after a click on one of the three boxes (0 3D, 1 2D, 2 result only). The clicked box is
// the choice whether or not it was checked: a second click on "Result only" must not quietly turn
// the next match into a 3D one.
ViewModeFlags ViewModeAfterClick(int box);
// The box that shows the flags (0, 1 or 2); 3D wins over result only.
int ViewModeBox(const ViewModeFlags& flags);

class CMatchViewModeScreen : public CGameScreen {
public:
    explicit CMatchViewModeScreen(const CScreenContext& ctx);
    void Refresh() override;
    void OnRefresh() { Refresh(); }
    void OnMessage(GuiMessage& message) override;

private:
    // Checks one box, clears the others, keeping each box's hover look.
    void ShowBox(int box);

    const CScreenContext& m_ctx;
    CGuiElement* root = nullptr;
};
