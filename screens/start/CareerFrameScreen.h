// The career frame's own part: the header texts, the save and main-menu buttons, and the menu
// buttons of the club screens (enabled once their window exists).
#pragma once

#include "screens/ScreenContext.h"
#include "screens/club/ScreenHeader.h"

#include <array>

class CCareerSession;

class CCareerFrameScreen : public CGameScreen {
public:
    explicit CCareerFrameScreen(const CScreenContext& ctx) : m_ctx(ctx), m_header(ctx) {}
    void Refresh() override;
    void OnMessage(GuiMessage& message) override;
    // Enables each menu button whose screen exists and belongs to the open career's mode.
    void UpdateMenuButtons();
    // The window each menu button opens; -1 for an element that is no menu button.
    static int MenuWindowOf(int button);

    CScreenHeader& Header() { return m_header; }
    // The unread-mail counters of the header and the inbox button, counted afresh.
    void UpdateMailCounters();

private:
    const CScreenContext& m_ctx;
    CScreenHeader m_header; // the header strip's picture, date and mail buttons
    // The menu buttons' own tooltips, put back when a league career follows a tournament.
    std::array<CStr, 15> m_menuTooltips;
    bool m_tooltipsKept = false;
};

// Why the last save of the career failed, in a sentence for the player; when the save was to come
// before leaving it, the player also reads that the career stays open.
CStr SaveFailureMessage(const CScreenContext& ctx, bool careerStaysOpen = false);

// A career opens on the club overview, or on the day panel while that window does not exist, so
// the frame is never empty.
void ShowCareerHome(const CScreenContext& ctx);
