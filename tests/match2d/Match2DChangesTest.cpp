// The changes a coach makes on the flat court: like for like, the five re-seated by their positions
// after a change, foul trouble by the quarter on both sides, and every player who must leave told.
#include "Match2DFixture.h"
#include "database/Careers.h"
#include "match/Formation.h"
#include "match2d/Match2DBatch.h"

#include <cstdlib>

namespace {

CMatch2DPlayer* Player(const CMatch2DTeam& team, int id) {
    int index = 0;
    return team.FindById(id, index);
}

bool OnCourt(const CMatch2DTeam& team, int id) {
    const CMatch2DPlayer* p = Player(team, id);
    return p != nullptr && p->MatchState() == kOnCourtState;
}

// The bench of a side built by ClubBuilder lists C, PF, SF, PG, SG, C, PF: every bench player tired
// but the named ones, each at the energy given.
void TireBenchBut(CMatch2DTeam& side, std::initializer_list<std::pair<int, float>> fit) {
    for (int i = kCourtPlayers; i < side.PlayerCount(); ++i)
        side.GetPlayer(i)->energy = 30.0f;
    for (const auto& [index, energy] : fit)
        side.GetPlayer(index)->energy = energy;
}

class Match2DChanges : public Match2DTest {
protected:
    // Both clubs of twelve; the user's side at home, watched or run at once; the tip-off played.
    void Begin(bool watched, unsigned int seed) {
        GameSrand(seed);
        home = std::make_unique<ClubBuilder>(1, 12);
        away = std::make_unique<ClubBuilder>(2, 12);
        Start(home->team, away->team, true, !watched);
        match.TickClock(0);
    }
    std::unique_ptr<ClubBuilder> home, away;
};

// A tired point guard makes way for the bench's point guard when he is fit, though a fresher centre
// sits first on the bench: on the computer's side, on the user's side run at once and watched. A
// fouled-out point guard likewise, on the computer's side. Before, the computer brought on the first
// rested bench player and the watched user's side the freshest, whatever their positions.
TEST_F(Match2DChanges, AChangeBringsOnThePlayerOfTheLeavingPlayersPositionWhenOneIsFit) {
    for (const bool watched : {false, true}) {
        for (const bool userSide : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "watched " << watched << " user " << userSide);
            Begin(watched, 31);
            CMatch2DTeam& side = userSide ? *match.GetHomeTeam() : *match.GetAwayTeam();
            CMatch2DPlayer& guard = *side.GetPlayer(3);
            ASSERT_EQ(guard.positionId, kPositionPointGuard);
            const int guardId = guard.id;
            const int benchGuard = side.GetPlayer(8)->id;
            ASSERT_EQ(side.GetPlayer(8)->positionId, kPositionPointGuard);
            TireBenchBut(side, {{5, 100.0f}, {8, 60.0f}});
            guard.energy = CMatch2DTeam::kRestBelow - 1.0f;
            match.UpdateRules();
            EXPECT_FALSE(OnCourt(side, guardId));
            EXPECT_TRUE(OnCourt(side, benchGuard));
            EXPECT_EQ(Player(side, benchGuard)->positionIdCopy, kPositionPointGuard);
        }
    }
    // Six fouls: the computer's forced change is the same pick, fit or not.
    Begin(false, 37);
    CMatch2DTeam& side = *match.GetAwayTeam();
    const int guardId = side.GetPlayer(3)->id;
    const int benchGuard = side.GetPlayer(8)->id;
    TireBenchBut(side, {{5, 100.0f}, {8, 60.0f}});
    side.GetPlayer(3)->defenceFouls = 6;
    side.alertEvent = 1;
    match.UpdateRules();
    EXPECT_FALSE(OnCourt(side, guardId));
    EXPECT_TRUE(OnCourt(side, benchGuard));
    EXPECT_EQ(side.PickForcedSubstitute(side.GetPlayer(0)->id), side.GetPlayer(5)->id)
        << "a centre for a centre";
}

// After a change the five play their own positions' spots: a shooting guard who comes on for a power
// forward plays small forward, and the small forward plays power forward, each on his seat's spots
// and at its place in the squad (whom he marks man-to-man). Before, the guard took the forward's seat.
TEST_F(Match2DChanges, TheFlatCourtReseatsTheFiveByTheirPositionsAfterAChange) {
    Begin(false, 41);
    CMatch2DTeam& side = *match.GetAwayTeam();
    Vec3 attackSpot[kCourtPlayers];
    Vec3 defenceSpot[kCourtPlayers];
    for (int i = 0; i < kCourtPlayers; ++i) {
        attackSpot[i] = side.GetPlayer(i)->attackSpot;
        defenceSpot[i] = side.GetPlayer(i)->defenceSpot;
    }
    const int forward = side.GetPlayer(1)->id; // PF
    const int small = side.GetPlayer(2)->id;   // SF
    const int guard = side.GetPlayer(9)->id;   // SG, the one fit on the bench
    TireBenchBut(side, {{9, 90.0f}});
    side.GetPlayer(1)->energy = CMatch2DTeam::kRestBelow - 1.0f;
    match.UpdateRules();
    ASSERT_FALSE(OnCourt(side, forward));
    ASSERT_TRUE(OnCourt(side, guard));
    EXPECT_EQ(Player(side, small)->positionIdCopy, kPositionPowerForward);
    EXPECT_EQ(Player(side, guard)->positionIdCopy, kPositionSmallForward);
    // Each seat keeps its place and its spots.
    EXPECT_EQ(side.GetPlayer(1)->id, small);
    EXPECT_EQ(side.GetPlayer(2)->id, guard);
    for (int i = 0; i < kCourtPlayers; ++i) {
        const CMatch2DPlayer& p = *side.GetPlayer(i);
        EXPECT_EQ(p.teamNumber, i);
        EXPECT_EQ(p.attackSpot, attackSpot[i]) << i;
        EXPECT_EQ(p.defenceSpot, defenceSpot[i]) << i;
        EXPECT_LE(PositionDistance(p.positionId, p.positionIdCopy), 2) << p.name.GetText();
    }
}

// Foul trouble is the quarter's: three fouls in the first quarter rest a starter of the user's
// watched side as the computer's, and he is back in the second; a starter rested at five in the
// third plays the fourth. Before, the user's side was rested only at four, and nobody rested for his
// fouls ever came back.
TEST_F(Match2DChanges, FoulTroubleRestsAStarterForTheQuarterOnBothSidesAndHeComesBack) {
    for (const bool userSide : {true, false}) {
        SCOPED_TRACE(userSide ? "user, watched" : "computer");
        Begin(true, 43);
        CMatch2DTeam& side = userSide ? *match.GetHomeTeam() : *match.GetAwayTeam();
        TireBenchBut(side, {{5, 90.0f}, {6, 90.0f}, {7, 90.0f}});
        CMatch2DPlayer& starter = *side.GetPlayer(1);
        const int id = starter.id;
        starter.defenceFouls = 3;
        side.alertEvent = 1;
        match.UpdateRules();
        ASSERT_FALSE(OnCourt(side, id)) << "three fouls in the first quarter";
        EXPECT_TRUE(Player(side, id)->restedForFouls);
        EXPECT_FALSE(match.paused);

        // Not back while the first quarter lasts, however fresh.
        Player(side, id)->energy = Player(side, id)->maxEnergy;
        side.alertEvent = 1;
        match.UpdateRules();
        EXPECT_FALSE(OnCourt(side, id));
        match.quarter = 2;
        side.alertEvent = 1;
        match.UpdateRules();
        EXPECT_TRUE(OnCourt(side, id)) << "the second quarter allows three";

        // Five in the third: off; back in the fourth.
        match.quarter = 3;
        Player(side, id)->defenceFouls = 5;
        side.alertEvent = 1;
        match.UpdateRules();
        ASSERT_FALSE(OnCourt(side, id));
        Player(side, id)->energy = Player(side, id)->maxEnergy;
        match.quarter = 4;
        side.alertEvent = 1;
        match.UpdateRules();
        EXPECT_TRUE(OnCourt(side, id)) << "five fouls play the fourth quarter";
    }
}

// Every player of the watched user's side who must leave is told, whatever else happens at the same
// tick: one with his sixth foul who is also below the rest line (the rest rule took him off without
// a word before), and one hurt at the same tick. The match stops once for the window.
TEST_F(Match2DChanges, EveryPlayerOfTheUsersWhoMustLeaveIsToldWhateverElseIsUnderWay) {
    Begin(true, 47);
    std::vector<std::pair<CStr, int>> told;
    int asked = 0;
    match.hooks.leavePopup = [&told](const CStr& name, int reason) { told.emplace_back(name, reason); };
    match.hooks.substituteNeeded = [&asked](int) { ++asked; };
    CMatch2DTeam& user = *match.GetHomeTeam();
    CMatch2DPlayer& fouled = *user.GetPlayer(2);
    CMatch2DPlayer& hurt = *user.GetPlayer(4);
    fouled.defenceFouls = 6;
    fouled.energy = CMatch2DTeam::kRestBelow - 5.0f;
    hurt.mustLeave = 1;
    hurt.hurt = 1;
    user.alertEvent = 1;
    match.UpdateRules();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].first, fouled.name);
    EXPECT_EQ(told[0].second, 0);
    EXPECT_EQ(told[1].first, hurt.name);
    EXPECT_EQ(told[1].second, 1);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(match.paused);
    EXPECT_EQ(fouled.MatchState(), kOnCourtState) << "his change is the user's window's";

    // The window's change: the computer's pick for each, no minute's hold after it.
    const int fouledId = fouled.id;
    const int hurtId = hurt.id;
    const int pick = user.PickForcedSubstitute(fouledId);
    ASSERT_TRUE(match.ForcedChange(user, fouledId));
    ASSERT_TRUE(match.ForcedChange(user, hurtId));
    EXPECT_TRUE(OnCourt(user, pick));
    EXPECT_FALSE(OnCourt(user, fouledId));
    EXPECT_FALSE(OnCourt(user, hurtId));
    EXPECT_LT(user.userChangeTick, 0);
}

// The computer's players who must leave are said in the commentary before their change.
TEST_F(Match2DChanges, TheComputersFouledOutAndHurtAreSaid) {
    Begin(false, 53);
    match.hooks.text = [](int id) { return CStr::Formatted("%d", id); };
    std::vector<CStr> lines;
    match.hooks.commentary = [&lines](const CStr& text, const CStr& name, bool) {
        lines.push_back(name + " " + text);
    };
    CMatch2DTeam& side = *match.GetAwayTeam();
    const CStr fouled = side.GetPlayer(0)->name;
    const CStr hurt = side.GetPlayer(3)->name;
    side.GetPlayer(0)->attackFouls = 6;
    side.GetPlayer(3)->mustLeave = 1;
    side.alertEvent = 1;
    match.UpdateRules();
    const auto said = [&lines](const CStr& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(said(fouled + " 500013"));
    EXPECT_TRUE(said(hurt + " 500014"));
}

// At like tactics the computer's side fouls as often as the user's: well behind, its coach tries
// another offence at once and another defence only in the last quarter. Every other defence fouls
// more than its man-to-man: drawn from the first quarter, the changes took the computer's class-0
// side to 21.9 fouls a match against the user's 19.9.
TEST_F(Match2DChanges, AtLikeTacticsTheComputerFoulsAsOftenAsTheUser) {
    const auto isPress = [](int id) { return id == 11 || id == 12 || id == 15 || id == 16; };
    int lastQuarterPresses = 0;
    for (int quarter = 1; quarter <= 4; ++quarter) {
        for (unsigned seed = 0; seed < 24; ++seed) {
            SCOPED_TRACE(::testing::Message() << "quarter " << quarter << " seed " << seed);
            Begin(false, 500 + seed);
            const int before = match.GetAwayTeam()->defenceTacticId;
            match.quarter = quarter;
            match.GetHomeTeam()->score = 30;
            match.GetAwayTeam()->score = 19;
            match.UpdateRules();
            ASSERT_TRUE(match.scoreGapActive) << "eleven behind, the computer's coach changes";
            const int defence = match.GetAwayTeam()->defenceTacticId;
            if (quarter < 4) {
                EXPECT_EQ(defence, before);
            } else {
                EXPECT_GE(defence, 10);
                EXPECT_LE(defence, 18);
                lastQuarterPresses += isPress(defence) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(lastQuarterPresses, 0) << "late and well behind, a press is still a choice";

    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        SCOPED_TRACE(leagueClass);
        const Match2DBatchFigures f =
            PlayMatch2DBatch(match, ClubsOfClass(world, leagueClass), kSanitizedBuild ? 4 : 300,
                             2027 + leagueClass, Match2DBatchTactics::NewCareer);
        if (kSanitizedBuild) {
            continue;
        }
        EXPECT_LE(f.computerSide.fouls, 1.1 * f.userSide.fouls);
        EXPECT_LE(f.userSide.fouls, 1.1 * f.computerSide.fouls);
    }
}

} // namespace
