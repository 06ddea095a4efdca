// The starting five and shirt numbers across transfers: a released starter's place is filled from
// the bench, and a signing never wears a team-mate's number.
#include "career/Lineup.h"
#include "career/Mail.h"
#include "career/MatchRecord.h"
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
    // The best fit player is of the freed position as well, so nothing but his rating decides.
    best->words[kWordPosition] = freedSlot;
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

TEST(StartingFive, AStarterHurtInAMatchMakesWayForAFitPlayerOfHisPositionAndTheManagerIsTold) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    CPlayer* starter = nullptr;
    for (CPlayer* player : club.players)
        if (player->words[kWordMatchState] == kOnCourt && starter == nullptr)
            starter = player;
    ASSERT_NE(starter, nullptr);
    const int32_t place = starter->words[kWordPlayedPosition];
    // The bench's one player of that position is its lowest rated; everybody else on it plays a
    // position that does not suit the place.
    const int32_t otherPlace = place == kPositionPointGuard ? kPositionCentre : kPositionPointGuard;
    CPlayer* sameSpot = nullptr;
    for (CPlayer* player : club.players) {
        if (player->words[kWordMatchState] == kOnCourt)
            continue;
        player->words[kWordPosition] = otherPlace;
        if (!sameSpot || CPlayer::ComputeOverall(player, false) < CPlayer::ComputeOverall(sameSpot, false))
            sameSpot = player;
    }
    ASSERT_NE(sameSpot, nullptr);
    sameSpot->words[kWordPosition] = place;

    CTeam* rival = nullptr;
    for (CTeam* team : rig.world->teams)
        if (team->id != club.id && !team->players.empty() && rival == nullptr)
            rival = team;
    ASSERT_NE(rival, nullptr);
    MatchResult result;
    auto fill = [](SideMatchResult& side, CTeam* team, bool user, int score) {
        side.team = team;
        side.user = user;
        side.figures.Score() = score;
        for (CPlayer* player : team->players) {
            PlayerMatchLine line;
            line.player = player;
            line.figures.SecondsPlayed() = 600;
            side.players.push_back(line);
        }
    };
    fill(result.home, &club, true, 80);
    fill(result.away, rival, false, 70);
    for (PlayerMatchLine& line : result.home.players)
        if (line.player == starter)
            line.figures.Injured() = 1;
    const size_t mails = rig.career->emails.Size();
    const GameDate today{2007, 10, 16};
    ASSERT_TRUE(
        RecordMatchResult(result, today, nullptr, MatchRecordTables{rig.career.get(), rig.world.get()}));

    EXPECT_EQ(starter->words[kWordMatchState], kOnBench);
    EXPECT_EQ(sameSpot->words[kWordMatchState], kOnCourt);
    EXPECT_EQ(sameSpot->words[kWordPlayedPosition], place);
    EXPECT_EQ(Starters(club), 5);
    // One mail names who made way, who came in and where.
    ASSERT_EQ(rig.career->emails.Size(), mails + 1);
    const CEmail* mail = rig.career->emails.At(rig.career->emails.Size() - 1);
    EXPECT_EQ(mail->templateRow, 58);
    EXPECT_EQ(mail->placeholders[0], starter->name);
    EXPECT_EQ(mail->placeholders[1], sameSpot->name);
    EXPECT_EQ(mail->day, 16);
    ASSERT_NE(MailTemplate(rig.world.get(), *mail), nullptr);

    // A second match with nobody hurt changes nothing and says nothing.
    for (PlayerMatchLine& line : result.home.players)
        line.figures.Injured() = 0;
    ASSERT_TRUE(
        RecordMatchResult(result, today, nullptr, MatchRecordTables{rig.career.get(), rig.world.get()}));
    EXPECT_EQ(rig.career->emails.Size(), mails + 1);
}

TEST(StartingFive, APlaceGoesToAGuardOrForwardWhoSuitsItBeforeAnyoneElse) {
    CTeam club;
    CPlayer players[7];
    const int32_t slots[5] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                              kPositionPointGuard, kPositionShootingGuard};
    for (int i = 0; i < 7; ++i) {
        players[i].id = i;
        players[i].name = CStr::Formatted("P%d", i);
        players[i].words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
        players[i].words[kWordPlayedPosition] = i < 5 ? slots[i] : kPositionCentre;
        players[i].words[kWordPosition] = i < 5 ? slots[i] : kPositionCentre;
        club.players.push_back(&players[i]);
    }
    // The better bench player is a centre, the other a guard: the shooting guard's place goes to
    // the guard.
    for (int s = 1; s <= 16; ++s) {
        players[5].SkillValue(s) = 80;
        players[6].SkillValue(s) = 40;
    }
    players[6].words[kWordPosition] = kPositionGuard;
    players[4].words[kWordInjured] = 1;
    std::vector<LineupChange> changes;
    EXPECT_EQ(FillStartingFive(club, &changes), 1);
    EXPECT_EQ(players[6].words[kWordMatchState], kOnCourt);
    EXPECT_EQ(players[6].words[kWordPlayedPosition], kPositionShootingGuard);
    EXPECT_EQ(players[5].words[kWordMatchState], kOnBench);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].out, &players[4]);
    EXPECT_EQ(changes[0].in, &players[6]);
    EXPECT_EQ(changes[0].position, kPositionShootingGuard);
    // A career saved before the line-up mails has no template for them: no empty mail goes out.
    CMemoryDB olderWorld;
    CMemoryDB career;
    MailLineupChanges(&olderWorld, &career, club, changes, GameDate{2007, 10, 16});
    EXPECT_EQ(career.emails.Size(), 0);
    // Nobody fit left for a second hurt starter: the change reports the empty place.
    players[3].words[kWordInjured] = 1;
    players[5].words[kWordInjured] = 1;
    changes.clear();
    EXPECT_EQ(FillStartingFive(club, &changes), 0);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].out, &players[3]);
    EXPECT_EQ(changes[0].in, nullptr);
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
