// A whole 3D match without a window: four quarters, points on both sides, box scores that add up,
// and the same seed giving the same match.
#include "match3d/HeadlessMatch.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "match/Formation.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int home = 0;
    int away = 0;
    int closeMisses = 0; // close shots whose roll failed
    int misses = 0;      // field goals missed, close shots included
    int defensiveRebounds = 0;
    int ballsWon = 0;
    bool ended = false;
    int periods = 0; // quarters and overtimes played
    std::vector<std::string> lines;
    int assists[2] = {}; // by side
    int baskets[2] = {}; // field goals made, by side
};

// Points from the box score of the side's whole roster.
int BoxPoints(const CMatchTeam& team) {
    int points = 0;
    for (int i = 0; i < team.GetCount(); ++i) {
        const CCourtPlayer& p = *team.GetPlayer(i);
        points += 2 * p.twoPointersMade + 3 * p.threePointersMade + p.freeThrowsMade;
    }
    return points;
}

// Everybody starts with this much stamina (out of 100); 100 is a fresh squad.
Outcome Play(unsigned seed, double quarterSeconds, int& homeBox, int& awayBox, float startStamina = 100.0f,
             float* lowestStamina = nullptr) {
    GameSrand(seed);
    CMatch3D match;
    match.LoadTactics("\\ini\\InitData.xml");
    match.textSource = [](int id) { return CStr::Formatted("<%d>", id); };
    for (int side = 0; side < 2; ++side) {
        CMatchTeam& team = *match.Team(side);
        for (int i = 0; i < team.GetCount(); ++i) {
            CCourtPlayer& p = *team.GetPlayer(i);
            p.playerId = (side == 0 ? 1000 : 2000) + i;
            std::snprintf(p.name, sizeof p.name, "%s %d", side == 0 ? "Home" : "Away", i);
            p.stamina = startStamina;
            p.staminaMax = 100.0f;
            // Players of a league squad: the rolls, not the ball's path, decide the shots.
            p.height = 190 + 3 * i;
            for (int& a : p.attributes) {
                a = 45 + (i * 7 + side * 3) % 15;
            }
        }
    }
    match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    match.PlaceHomeTeam(0, 10);
    match.PlaceAwayTeam(2, 18);
    CHeadlessDisplay display;
    HeadlessMatchOptions options;
    options.quarterSeconds = quarterSeconds;
    PlayHeadlessMatch(match, display, options);
    if (lowestStamina != nullptr) {
        *lowestStamina = 100.0f;
        for (const CMatchTeam* team : {match.homeTeam, match.awayTeam})
            for (const CCourtPlayer* p : team->players)
                *lowestStamina = std::min(*lowestStamina, p->stamina);
    }
    homeBox = BoxPoints(*match.homeTeam);
    awayBox = BoxPoints(*match.awayTeam);
    Outcome o;
    o.home = match.homeScore;
    o.away = match.awayScore;
    o.ended = display.clock.over;
    o.periods = display.clock.quarter;
    o.lines = display.lines;
    for (const CMatchTeam* team : {match.homeTeam, match.awayTeam})
        for (const CCourtPlayer* p : team->players) {
            o.closeMisses += p->fieldGoalsAttempted - p->fieldGoalsMade;
            o.misses +=
                p->twoPointAttempts + p->threePointAttempts - p->twoPointersMade - p->threePointersMade;
            o.defensiveRebounds += p->defensiveRebounds;
            o.ballsWon += p->ballsWon;
            o.assists[p->side] += p->assists;
            o.baskets[p->side] += p->twoPointersMade + p->threePointersMade;
        }
    return o;
}

// Full quarters: shorter ones leave too few shots for both sides to score.
constexpr double kQuarter = 720.0;

TEST(HeadlessMatch, FourQuartersScoreOnBothSidesAndTheBoxScoresAddUp) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    int homeBox = 0;
    int awayBox = 0;
    const Outcome o = Play(7, kQuarter, homeBox, awayBox);
    EXPECT_TRUE(o.ended);
    EXPECT_GE(o.periods, 4);
    EXPECT_NE(o.home, o.away) << "a level fourth quarter goes on to overtime";
    EXPECT_GT(o.home, 0);
    EXPECT_GT(o.away, 0);
    EXPECT_EQ(homeBox, o.home);
    EXPECT_EQ(awayBox, o.away);
    int quarterEnds = 0;
    for (const std::string& line : o.lines) {
        quarterEnds += line.rfind("---------- Quarter ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(quarterEnds, o.periods - 1) << "the last period ends the match instead";
    // The commentary tells what happened: a close shot's miss line only for the misses (never as a
    // shot starts that then goes in), a ball-won line only for a ball won (not a jump ball's tap).
    // Every missed shot is said (two, three or dunk), and every defensive rebound, which gives the
    // ball to the other side.
    int missLines = 0;
    int wonLines = 0;
    int allMissLines = 0;
    int reboundLines = 0;
    for (const std::string& line : o.lines) {
        missLines += line.find("<500011>") != std::string::npos ? 1 : 0;
        wonLines += line.find("<500000>") != std::string::npos ? 1 : 0;
        for (const char* miss : {"<500003>", "<500007>", "<500011>"})
            allMissLines += line.find(miss) != std::string::npos ? 1 : 0;
        reboundLines += line.find("<500037>") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(missLines, o.closeMisses);
    EXPECT_EQ(wonLines, o.ballsWon);
    // Assists are baskets scored from a teammate's pass: some, never more than the baskets.
    EXPECT_GT(o.assists[0] + o.assists[1], 0);
    for (int side = 0; side < 2; ++side)
        EXPECT_LE(o.assists[side], o.baskets[side]) << "side " << side;
    EXPECT_GT(o.misses, 20);
    EXPECT_EQ(allMissLines, o.misses);
    EXPECT_GT(o.defensiveRebounds, 10);
    EXPECT_EQ(reboundLines, o.defensiveRebounds);
}

// Every line of the match reads "club: text", and a line about a player names him right after the
// club: a change reads as a basket does, and a loose ball won is told in the club's pattern.
TEST(HeadlessMatch, EveryEventLineNamesTheClubFirstAndThenThePlayer) {
    int homeBox = 0;
    int awayBox = 0;
    const Outcome o = Play(7, kQuarter, homeBox, awayBox);
    int changes = 0;
    for (const std::string& line : o.lines) {
        if (line.rfind("---------- Quarter ", 0) == 0)
            continue;
        const bool home = line.rfind("Home: ", 0) == 0;
        const bool away = line.rfind("Away: ", 0) == 0;
        EXPECT_TRUE(home || away) << line;
        // Players are named "Home 3" or "Away 7": if one is named, it is right after the club.
        const size_t named = std::min(line.find("Home ", 1), line.find("Away ", 1));
        if (named != std::string::npos) {
            EXPECT_EQ(named, 6u) << line;
        }
        changes += line.find("<500010>") != std::string::npos ? 1 : 0;
    }
    EXPECT_GT(changes, 0) << "a full match has a change of a tired player";
}

TEST(HeadlessMatch, ASquadPlayedOutRunsDownToEmptyAndNoFurther) {
    // Nobody on the bench is fit to come on (a substitute needs more than 40), so the five who start
    // play on with almost nothing left: their runs, passes, shots and swipes once took them below
    // empty, and a player taken off that way showed a negative stamina on the bench.
    int homeBox = 0;
    int awayBox = 0;
    float lowest = -1.0f;
    const Outcome o = Play(5, 60.0, homeBox, awayBox, 3.0f, &lowest);
    EXPECT_TRUE(o.ended);
    EXPECT_GE(lowest, 0.0f);
}

TEST(HeadlessMatch, SameSeedSameMatch) {
    int a1 = 0, a2 = 0, b1 = 0, b2 = 0;
    const Outcome first = Play(11, kQuarter / 2, a1, a2);
    const Outcome second = Play(11, kQuarter / 2, b1, b2);
    EXPECT_EQ(first.home, second.home);
    EXPECT_EQ(first.away, second.away);
    EXPECT_EQ(first.lines, second.lines);
}

} // namespace
