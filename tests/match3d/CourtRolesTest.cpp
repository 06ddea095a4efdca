// Who plays which role on the 3D court: the starters their line-up places whatever their row, and
// after a change the five share the roles out by their positions.
#include "match3d/CourtRoles.h"
#include "database/Records.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "match/Formation.h"
#include "match3d/BoxScoreBatch.h"
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Twelve players whose first five start at the line-up places given, in that row order; the bench
// plays its own positions.
struct Club {
    CTeam team;
    std::vector<std::unique_ptr<CPlayer>> players;

    Club(int id, const std::vector<int32_t>& places) {
        team.id = id;
        team.name = CStr::Formatted("Club %d", id);
        team.stadiumKey = "std_eu_01";
        for (int i = 0; i < 12; ++i) {
            auto p = std::make_unique<CPlayer>();
            p->id = id * 100 + i;
            p->name = CStr::Formatted("Player %d-%d", id, i);
            p->words[kWordHeight] = 190 + i;
            p->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
            p->words[kWordPosition] = i < 5 ? places[static_cast<size_t>(i)] : kPositionCentre + i % 5;
            p->words[kWordPlayedPosition] = i < 5 ? places[static_cast<size_t>(i)] : 0;
            for (int s = 0; s < kSkillCount; ++s)
                p->SkillValue(s) = 50;
            team.players.push_back(p.get());
            players.push_back(std::move(p));
        }
    }
};

int32_t RoleOf(const CMatchTeam& team, int playerId) {
    int index = 0;
    const CCourtPlayer* p = team.FindById(playerId, index);
    return p != nullptr ? p->courtPositionId : 0;
}

} // namespace

TEST(CourtRoles, EveryStarterPlaysHisLineUpPlaceWhateverHisRow) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    // Every club of the world lists its five in this order.
    const std::vector<int32_t> listed = {kPositionCentre, kPositionPowerForward, kPositionPointGuard,
                                         kPositionSmallForward, kPositionShootingGuard};
    Club home(1, listed);
    // A line-up that plays its natural point guard at shooting guard and the other way round.
    Club away(2, {kPositionShootingGuard, kPositionPointGuard, kPositionCentre, kPositionPowerForward,
                  kPositionSmallForward});
    away.players[0]->words[kWordPosition] = kPositionPointGuard;
    away.players[1]->words[kWordPosition] = kPositionShootingGuard;
    std::unique_ptr<CMatch3D> match = LoadSeededMatch3D(home.team, away.team, 5, false);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(RoleOf(*match->homeTeam, 100 + i), listed[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(RoleOf(*match->awayTeam, 200 + i),
                  away.players[static_cast<size_t>(i)]->words[kWordPlayedPosition])
            << i;
    }
    // The point guard brings the ball up from the point guard's spot, and his direct opponent is
    // the other side's point guard.
    const CCourtPlayer* pointGuard = match->homeTeam->FindByPosition(kPositionPointGuard);
    ASSERT_NE(pointGuard, nullptr);
    EXPECT_EQ(pointGuard->playerId, 102);
    ASSERT_NE(pointGuard->marking, nullptr);
    EXPECT_EQ(pointGuard->marking->playerId, 201);
    EXPECT_NE(pointGuard->attackHome, match->homeTeam->FindByPosition(kPositionSmallForward)->attackHome);
}

class RolesOnCourt : public ::testing::Test {
protected:
    void SetUp() override {
        GameSrand(7);
        const int32_t five[5] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                                 kPositionPointGuard, kPositionShootingGuard};
        CMatchTeam& team = *m.homeTeam;
        for (int i = 0; i < team.GetCount(); ++i) {
            CCourtPlayer& p = *team.GetPlayer(i);
            p.playerId = 100 + i;
            p.stamina = p.staminaMax = 100.0f;
            p.matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
            p.playsAt = p.courtPositionId = i < 5 ? five[i] : 0;
            // Each role's spots tell it apart.
            p.attackHome = Vec3(static_cast<float>(i), 0.0f, -5.0f);
            p.defenceHome = Vec3(static_cast<float>(i), 0.0f, 5.0f);
            p.homeSpot = Vec3(static_cast<float>(i), 0.0f, 0.0f);
        }
    }
    CCourtPlayer& Home(int i) { return *m.homeTeam->GetPlayer(i); }
    CMatch3D m;
};

TEST_F(RolesOnCourt, AGuardComingOnForTheCentreSendsTheForwardsUpOneRoleEach) {
    Home(7).playsAt = kPositionShootingGuard;
    CCourtPlayer* centre = &Home(0);
    CCourtPlayer* powerForward = &Home(1);
    CCourtPlayer* smallForward = &Home(2);
    m.ExchangePlayers(100, 107, 0);
    CCourtPlayer* guard = &Home(0);
    ASSERT_EQ(guard->playerId, 107);
    EXPECT_EQ(centre->matchState, kMatchStateOnBench);
    // The power forward plays centre, the small forward power forward, the guard small forward:
    // nobody is more than one role from his own.
    EXPECT_EQ(powerForward->courtPositionId, kPositionCentre);
    EXPECT_EQ(smallForward->courtPositionId, kPositionPowerForward);
    EXPECT_EQ(guard->courtPositionId, kPositionSmallForward);
    for (int i = 0; i < 5; ++i)
        EXPECT_LE(RoleMisfit(Home(i).playsAt, Home(i).courtPositionId), 2) << i;
    // Each goes to the spots of his new role.
    EXPECT_EQ(powerForward->attackHome, Vec3(0.0f, 0.0f, -5.0f));
    EXPECT_EQ(powerForward->attackTarget, Vec3(0.0f, 0.0f, -5.0f));
    EXPECT_EQ(smallForward->defenceHome, Vec3(1.0f, 0.0f, 5.0f));
    EXPECT_EQ(guard->homeSpot, Vec3(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(Home(3).courtPositionId, kPositionPointGuard) << "the guards stay where they are";
}

TEST_F(RolesOnCourt, APlayerOfTheSameRoleTakesItOverAndNobodyElseMoves) {
    Home(8).playsAt = kPositionPointGuard;
    m.ExchangePlayers(103, 108, 0);
    EXPECT_EQ(Home(3).playerId, 108);
    EXPECT_EQ(Home(3).courtPositionId, kPositionPointGuard);
    EXPECT_EQ(Home(3).attackHome, Vec3(3.0f, 0.0f, -5.0f));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Home(i).courtPositionId, kPositionCentre + i) << i;
}

TEST_F(RolesOnCourt, GuardsAndForwardsOfNoExactPositionShareTheirTwoRoles) {
    const int32_t five[5] = {kPositionForward, kPositionGuard, kPositionCentre, kPositionGuard,
                             kPositionForward};
    for (int i = 0; i < 5; ++i) {
        Home(i).playsAt = five[i];
        Home(i).courtPositionId = 0;
    }
    DealCourtRoles(*m.homeTeam);
    EXPECT_EQ(Home(2).courtPositionId, kPositionCentre);
    for (int i : {1, 3})
        EXPECT_TRUE(Home(i).courtPositionId == kPositionPointGuard ||
                    Home(i).courtPositionId == kPositionShootingGuard)
            << i;
    for (int i : {0, 4})
        EXPECT_TRUE(Home(i).courtPositionId == kPositionSmallForward ||
                    Home(i).courtPositionId == kPositionPowerForward)
            << i;
    EXPECT_NE(Home(1).courtPositionId, Home(3).courtPositionId);
    EXPECT_NE(Home(0).courtPositionId, Home(4).courtPositionId);
}
