// Watching the user's flat-court match in the running game: fast play through every break, a
// substitute for a player who must come off, then the finish button.
#pragma once

#include "app/GameManager.h"
#include "gui/GuiMessage.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/match/MatchDayScreen.h"

namespace watched {

// A player of the user's side who must leave is replaced by the first bench player who may play.
inline void BringOnSubstitute(CMatchDayScreen& centre, CMatch2D& match) {
    CMatch2DTeam* side = match.GetHomeTeam()->userTeam ? match.GetHomeTeam() : match.GetAwayTeam();
    for (int i = 0; i < kCourtPlayers; ++i) {
        CMatch2DPlayer* p = side->GetPlayer(i);
        if (p == nullptr || (p->mustLeave == 0 && p->Fouls() < 6))
            continue;
        for (int j = kCourtPlayers; j < side->PlayerCount(); ++j) {
            CMatch2DPlayer* bench = side->GetPlayer(j);
            if (bench->mustLeave == 0 && bench->Fouls() < 6) {
                centre.Substitute2D(p->id, bench->id);
                break;
            }
        }
    }
}

// Frames until the match is over (fast play pressed again after each stop), then the finish
// click. False when the match did not end.
inline bool PlayWatchedMatch(CGameManager& gm) {
    auto* centre = dynamic_cast<CMatchDayScreen*>(gm.Screen(ScreenRole::MatchCentre));
    if (centre == nullptr)
        return false;
    CMatch2D& match = TheMatch2D();
    for (int frame = 0; frame < 100000 && match.quarter < 5; ++frame) {
        if (!centre->Running()) {
            BringOnSubstitute(*centre, match);
            PostGuiMessage(ID_CENTRE_FAST, -1, kMsgClick, 0, 0);
        }
        gm.ProcessMessages();
        centre->FrameStep();
    }
    centre->FrameStep();
    if (match.quarter < 5)
        return false;
    PostGuiMessage(ID_CENTRE_FINISH, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
    gm.ProcessMessages();
    return true;
}

} // namespace watched
