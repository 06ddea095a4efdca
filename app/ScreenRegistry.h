// The screen registry: one row per screen role with its factory, its place in the message order
// outside and inside a match, and its refresh group. A new screen fills in its row's factory.
#pragma once

#include "screens/ScreenContext.h"

#include <memory>
#include <vector>

class CGameManager;

struct ScreenRow {
    ScreenRole role;
    // Null while the screen is still to come.
    std::unique_ptr<CGameScreen> (*make)(CGameManager& gm);
    int messageOrder; // place among the screens offered messages outside a match; -1 none
    int matchOrder;   // place in match mode; -1 not offered during a match
    int refreshGroup; // 0 club screens, 1 money screens, 2 statistics; -1 none
    int refreshOrder; // place inside the group
    bool leagueOnly;  // left out of the refresh in the tournament modes (the money screens)
};

// Every role once, in the order the screens are made.
const std::vector<ScreenRow>& ScreenRegistry();
