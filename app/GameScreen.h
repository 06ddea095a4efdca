// CGameScreen: what the game manager needs of every screen object: a refresh that refills it
// whole from the databases, and a look at every GUI message (consume by setting sID to -1).
#pragma once

#include "gui/GuiMessage.h"

class CGameScreen {
public:
    virtual ~CGameScreen() = default;
    virtual void Refresh() {}
    // Return values of handlers carry no meaning to the manager; only sID = -1 consumes.
    virtual void OnMessage(GuiMessage&) {}
};

// Every screen's place in the manager, in the order messages are offered outside a match.
enum class ScreenRole : int {
    StatsCompare,
    DayController,
    ViewMode,
    Results,
    Lineup,
    Tactics,
    Inbox,
    News,
    Header,
    Staff,
    Training,
    Finance,
    IncomeReport,
    ExpenseReport,
    Sponsor,
    Ticket,
    FunShop,
    Transfer,
    StadiumUpgrade,
    Statistics,
    MainMenu,
    Profiles,
    NewCareer,
    Options,
    Commentary,
    // Not offered messages outside a match, or only in match mode:
    ClubOverview,
    Indicators,
    Certificates,
    DayInfoPanel,
    PlayerInfo,
    MatchHud,
    MatchCentre,
    Substitution,
    Count
};
