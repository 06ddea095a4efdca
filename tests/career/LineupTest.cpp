// The starting five and shirt numbers across transfers: a released starter's place is filled from
// the bench, and a signing never wears a team-mate's number.
#include "career/Lineup.h"
#include "career/Transfers.h"
#include "database/MemoryDB.h"
#include "match/Formation.h"

#include "CareerRig.h"

#include <gtest/gtest.h>

#include <set>

using namespace daytest;

namespace {

int Starters(const CTeam& club) {
    int count = 0;
    for (const CPlayer* player : club.players)
        if (player->words[kWordMatchState] == kOnCourt)
            ++count;
    return count;
}

std::set<int32_t> StarterSlots(const CTeam& club) {
    std::set<int32_t> slots;
    for (const CPlayer* player : club.players)
        if (player->words[kWordMatchState] == kOnCourt)
            slots.insert(player->words[kWordPlayedPosition]);
    return slots;
}

TransferTerms TermsFor(const CPlayer& player) {
    TransferTerms terms;
    terms.playerId = player.id;
    terms.rating = MarketRating(player);
    terms.wage = 20000;
    terms.months = 12;
    return terms;
}

} // namespace

TEST(StartingFive, AReleasedStarterIsReplacedByTheBestFitBenchPlayerInHisPosition) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    ASSERT_EQ(Starters(club), 5);
    CPlayer* leaving = nullptr;
    for (CPlayer* player : club.players)
        if (player->words[kWordMatchState] == kOnCourt)
            leaving = player;
    ASSERT_NE(leaving, nullptr);
    const int32_t freedSlot = leaving->words[kWordPlayedPosition];
    // The bench's best is hurt: the next best fit player comes in.
    CPlayer* hurt = nullptr;
    CPlayer* best = nullptr;
    double bestRating = -1.0, hurtRating = -1.0;
    for (CPlayer* player : club.players) {
        if (player->words[kWordMatchState] == kOnCourt)
            continue;
        const double rating = CPlayer::ComputeOverall(player, false);
        if (rating > hurtRating) {
            best = hurt;
            bestRating = hurtRating;
            hurt = player;
            hurtRating = rating;
        } else if (rating > bestRating) {
            best = player;
            bestRating = rating;
        }
    }
    ASSERT_NE(best, nullptr);
    hurt->words[kWordInjured] = 1;

    ASSERT_EQ(
        ReleasePlayer(*rig.world, *rig.career, GameDate{2007, 9, 1}, TermsFor(*leaving), CStr("No club")),
        TransferResult::Done);
    EXPECT_EQ(Starters(club), 5);
    EXPECT_EQ(best->words[kWordMatchState], kOnCourt);
    EXPECT_EQ(best->words[kWordPlayedPosition], freedSlot);
    EXPECT_EQ(hurt->words[kWordMatchState], kOnBench);
    EXPECT_EQ(StarterSlots(club).size(), 5u);
}

TEST(StartingFive, AnInjuredStarterMakesWayAndASquadOfFourFitStartsFour) {
    CTeam club;
    CPlayer players[6];
    const int32_t slots[5] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                              kPositionPointGuard, kPositionShootingGuard};
    for (int i = 0; i < 6; ++i) {
        players[i].id = i;
        players[i].words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
        players[i].words[kWordPlayedPosition] = i < 5 ? slots[i] : kPositionCentre;
        club.players.push_back(&players[i]);
    }
    players[1].words[kWordInjured] = 1;
    EXPECT_EQ(FillStartingFive(club), 1);
    EXPECT_EQ(players[1].words[kWordMatchState], kOnBench);
    EXPECT_EQ(players[5].words[kWordMatchState], kOnCourt);
    EXPECT_EQ(players[5].words[kWordPlayedPosition], kPositionPowerForward);
    // A full five is left alone.
    EXPECT_EQ(FillStartingFive(club), 0);
    // Nobody fit on the bench: four start, nobody hurt is sent on.
    players[2].words[kWordInjured] = 1;
    EXPECT_EQ(FillStartingFive(club), 0);
    EXPECT_EQ(Starters(club), 4);
}

TEST(ShirtNumbers, ASigningTakesTheLowestFreeNumberAndKeepsAFreeOne) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    // A free agent with a number a team-mate wears already.
    CPlayer* newcomer = nullptr;
    for (CPlayer* player : rig.world->players)
        if (player->teamId <= -1)
            newcomer = player;
    ASSERT_NE(newcomer, nullptr);
    ASSERT_FALSE(club.players.empty());
    newcomer->words[kWordShirtNumber] = club.players[0]->words[kWordShirtNumber];
    ASSERT_EQ(SignPlayer(*rig.world, *rig.career, &rig.ledger, GameDate{2007, 9, 1}, TermsFor(*newcomer),
                         CStr("No club")),
              TransferResult::Done);
    std::set<int32_t> numbers;
    for (const CPlayer* player : club.players)
        EXPECT_TRUE(numbers.insert(player->words[kWordShirtNumber]).second)
            << "two players wear #" << player->words[kWordShirtNumber];
    EXPECT_GE(newcomer->words[kWordShirtNumber], 4);

    CTeam small;
    CPlayer a, b, c;
    a.words[kWordShirtNumber] = 4;
    b.words[kWordShirtNumber] = 6;
    c.words[kWordShirtNumber] = 23;
    small.players = {&a, &b, &c};
    GiveFreeShirtNumber(small, c);
    EXPECT_EQ(c.words[kWordShirtNumber], 23);
    c.words[kWordShirtNumber] = 6;
    GiveFreeShirtNumber(small, c);
    EXPECT_EQ(c.words[kWordShirtNumber], 5);
}
