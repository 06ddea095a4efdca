// The computer's change of tactics when well behind: through the match's own rules tick, with the
// shipped formations placed.
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "match/Formation.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr const char* kInitDataPath = "\\ini\\InitData.xml";

} // namespace

// Drawn from every defence, two draws in three were a press or the man-to-man, which foul half as
// often again as the zone; the computer's starters sat in foul trouble whole quarters. The man-to-man
// has since come to foul less than the zone, and is drawn too.
TEST(ComputerTactics, WellBehindTheComputerDrawsNewTacticsButNoDefenceThatFoulsMoreThanItsZone) {
    ASSERT_TRUE(FileExists(kInitDataPath)) << "run from the game folder";
    CMatch3D m;
    m.LoadTactics(kInitDataPath);
    m.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    m.PlaceHomeTeam(0, 10);
    m.PlaceAwayTeam(0, 10);
    m.homeTeam->isUserTeam = 1;
    m.awayTeam->isUserTeam = 0;
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < m.Team(side)->GetCount(); ++i) {
            CCourtPlayer& p = *m.Team(side)->GetPlayer(i);
            p.stamina = p.staminaMax = 100.0f; // nobody to rest: only the tactics change
            p.matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
        }
    }
    m.flags.quarter = 2;
    m.homeScore = 60;
    m.awayScore = 40;
    GameSrand(82000);
    std::set<int> attacks;
    std::set<int> defences;
    for (int draw = 0; draw < 200; ++draw) {
        m.formationSwitchArmed = 0; // the lock ran out, still well behind
        m.UpdateFormationsAndSubs();
        ASSERT_EQ(m.formationSwitchArmed, 1) << "twenty behind, it changes its tactics";
        attacks.insert(m.awayTeam->attackTactic);
        defences.insert(m.awayTeam->defenceTactic);
    }
    EXPECT_EQ(attacks.size(), 10u) << "any offence";
    EXPECT_EQ(defences, (std::set<int>{10, 13, 14, 17})) << "the half-court defences, no press";
    EXPECT_EQ(m.homeTeam->defenceTactic, 10) << "the user's own pair stays";
}
