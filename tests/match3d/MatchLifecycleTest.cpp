// Building, releasing and owning: what a fresh match holds and what a release leaves behind.
#include "match3d/Match3D.h"

#include <gtest/gtest.h>

TEST(MatchLifecycle, FreshMatchHasFullRostersAndItsConstants) {
    CMatch3D match;
    ASSERT_NE(match.GetHomeTeam(), nullptr);
    ASSERT_NE(match.GetAwayTeam(), nullptr);
    EXPECT_EQ(match.GetHomeTeam()->GetCount(), kRosterSize);
    EXPECT_EQ(match.GetAwayTeam()->GetCount(), kRosterSize);
    // Each slot is its own copy, never shared between teams or slots.
    EXPECT_NE(match.GetHomeTeam()->GetPlayer(0), match.GetHomeTeam()->GetPlayer(1));
    EXPECT_NE(match.GetHomeTeam()->GetPlayer(0), match.GetAwayTeam()->GetPlayer(0));
    EXPECT_EQ(match.GetHomeTeam()->GetPlayer(kRosterSize), nullptr);
    EXPECT_EQ(match.GetHomeTeam()->GetPlayer(-1), nullptr);

    // The free-throw spots mirror each other between the two baskets and lie on the court.
    for (int i = 0; i < 5; ++i) {
        const FreeThrowSpot& near = match.freeThrowSpots[i];
        const FreeThrowSpot& far = match.freeThrowSpots[i + 5];
        EXPECT_EQ(far.attack, Vec3(near.attack.x, 0, -near.attack.z)) << i;
        EXPECT_EQ(far.defence, Vec3(near.defence.x, 0, -near.defence.z)) << i;
        EXPECT_TRUE(match.IsInCourt(near.attack.x, 0, near.attack.z)) << i;
    }
}

TEST(MatchLifecycle, CourtBoundsAreStrict) {
    CMatch3D match;
    EXPECT_TRUE(match.IsInCourt(7.49f, 50.0f, -13.99f));
    EXPECT_FALSE(match.IsInCourt(7.5f, 0, 0));
    EXPECT_FALSE(match.IsInCourt(0, 0, -14.0f));
}

TEST(MatchLifecycle, ReleaseFreesEverythingAndIsSafeTwice) {
    CMatch3D match;
    match.tactics.push_back(new TacticRecord{"Zone", "\\ini\\zone.xml", "14", 14});
    match.cameras.push_back(new CameraRecord);
    match.moraleModifier.AddPoint(10, 1);
    match.spareCurve.AddPoint(1, 1);
    match.stadiumKey = "std_eu_01";
    match.ballHandler = match.GetHomeTeam()->GetPlayer(0);
    match.Release();
    EXPECT_EQ(match.GetHomeTeam(), nullptr);
    EXPECT_EQ(match.GetAwayTeam(), nullptr);
    EXPECT_EQ(match.ballHandler, nullptr); // no link into a freed roster survives
    EXPECT_TRUE(match.tactics.empty());
    EXPECT_TRUE(match.cameras.empty());
    EXPECT_TRUE(match.moraleModifier.IsEmpty());
    EXPECT_TRUE(match.spareCurve.IsEmpty());
    EXPECT_TRUE(match.stadiumKey.IsEmpty());
    EXPECT_EQ(match.GetTacticFile(14).GetText()[0], '\0');
    match.Release();
    match.SetCamera(0);
    match.PlaceHomeTeam(0, 10); // no teams any more: nothing to place, nothing to crash
    match.PlaceTeams(20, 21);
}

namespace {
struct CountedObject {
    explicit CountedObject(int& counter) : deaths(counter) {}
    ~CountedObject() { ++deaths; }
    int& deaths;
};
} // namespace

TEST(MatchLifecycle, SceneObjectsAreFreedOnceThroughTheirCreatorsDeleter) {
    int deaths = 0;
    {
        SceneOwned<CountedObject> owned = AdoptSceneObject(new CountedObject(deaths));
        SceneOwned<CountedObject> empty = NoSceneObject<CountedObject>();
        empty.reset(); // an empty slot has no deleter and needs none
        owned.reset();
        EXPECT_EQ(deaths, 1);
        owned.reset();
        EXPECT_EQ(deaths, 1);
        owned = AdoptSceneObject(new CountedObject(deaths));
    }
    EXPECT_EQ(deaths, 2);
}

TEST(MatchTeamRoster, LooksPlayersUpByPositionAndId) {
    CMatchTeam team;
    CCourtPlayer player;
    for (int i = 0; i < 6; ++i) {
        player.playerId = 100 + i;
        player.courtPositionId = 80063 + (i % 5);
        team.AddPlayer(player);
    }
    int index = -1;
    EXPECT_EQ(team.FindById(104, index), team.GetPlayer(4));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(team.FindById(999, index), nullptr);
    EXPECT_EQ(index, 6);
    EXPECT_EQ(team.FindByPosition(80063), team.GetPlayer(0)); // the first in roster order
    EXPECT_EQ(team.FindByPosition(80068), nullptr);
    team.DeletePlayers();
    EXPECT_EQ(team.GetCount(), 0);
}
