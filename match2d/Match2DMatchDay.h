// The flat-court match on a match day: the one engine of the running game, its tactics, the user's
// fixture played through it and the statistics records it leaves.
#pragma once

#include "database/GameDate.h"
#include "database/Table.h"
#include "match/UserMatch.h"

class CMatch2D;
struct CMatchStat;
struct CPlayerStat;
struct CTeam;

// The running game's flat-court engine (g_pMatch2D), made on first use and kept to the end.
CMatch2D& TheMatch2D();
// Reads "\ini\InitData.xml" into it once; later calls do nothing.
void LoadMatch2DTactics();

// The finished match's figures: one line per club and per player who was in its line-up.
MatchResult Match2DResult(const CMatch2D& match, CTeam* home, CTeam* away);

// The match day's hand-off. A 2D match the user would watch is played at once while there is no
// match-centre screen to show it (matchCentreShown false): not taken, but finished with its score
// and its figures, which the day records. The 3D view is not this engine's: not taken.
UserMatchOutcome PlayUserMatch2D(CMatch2D& match, const UserMatchSetup& setup, bool matchCentreShown);
