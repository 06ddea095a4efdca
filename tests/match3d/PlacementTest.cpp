// Start and side formations: who stands where, with each side's z signs, and bad tactic ids.
#include "engine/Log.h"
#include "engine/TempDir.h"
#include "match/Formation.h"
#include "match3d/Match3D.h"

namespace {

CStr FormationXml(const char* names[5], float z0) {
    CStr xml = "<FileDescriptor><KVTACTICS>";
    for (int i = 0; i < 5; ++i) {
        xml +=
            CStr::Formatted("<PLAYER_POS name=\"%s\" x=\"%d\" y=\"0\" z=\"%g\"/>", names[i], i + 1, z0 + i);
    }
    for (int i = 0; i < 5; ++i) {
        xml += CStr::Formatted("<PLAYER_LOOKAT x=\"%d\" y=\"0.5\" z=\"%g\"/>", -i, z0 + 2 * i);
    }
    return xml + "</KVTACTICS></FileDescriptor>";
}

class Placement : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        const char* slots[5] = {"C", "PF", "SF", "PG", "SG"};
        const char* withGuard[5] = {"C", "PF", "G", "pg", "SG"}; // G matches nobody, pg is not PG
        Write("ini/attack.xml", FormationXml(slots, 5).Std());
        Write("ini/defence.xml", FormationXml(slots, 9).Std());
        Write("ini/guard.xml", FormationXml(withGuard, 1).Std());
        Write("ini/start.xml", FormationXml(slots, -3).Std());
        Write("ini/InitData.xml", R"(<FileDescriptor><TACTICS>
            <TACTIC id="0" file="\ini\attack.xml"/><TACTIC id="1" file="\ini\attack.xml"/>
            <TACTIC id="2" file="\ini\guard.xml"/><TACTIC id="6" file=""/>
            <TACTIC id="10" file="\ini\defence.xml"/><TACTIC id="11" file="\ini\defence.xml"/>
            <TACTIC id="20" file="\ini\start.xml"/><TACTIC id="21" file="\ini\start.xml"/>
            </TACTICS></FileDescriptor>)");
        m_match.LoadTactics("\\ini\\InitData.xml");
        m_match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
        g_pQuorelLog = &m_log;
    }
    void TearDown() override {
        g_pQuorelLog = nullptr;
        TempDirTest::TearDown();
    }
    CCourtPlayer& Home(int slot) { return *m_match.GetHomeTeam()->GetPlayer(slot); }
    CCourtPlayer& Away(int slot) { return *m_match.GetAwayTeam()->GetPlayer(slot); }

    CMatch3D m_match;
    CQuorelLog m_log;
};

} // namespace

TEST_F(Placement, StartFormationsStandAsStoredAndFaceTheCentre) {
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(Home(slot).courtPositionId, kPositionCentre + slot);
        EXPECT_EQ(Home(slot).position, Vec3(slot + 1, 0, -3 + slot)) << slot;
        EXPECT_EQ(Home(slot).homeSpot, Home(slot).position);
        EXPECT_EQ(Away(slot).position, Vec3(slot + 1, 0, -3 + slot)) << slot;
        EXPECT_EQ(Home(slot).facing, Vec3(-(slot + 1), 0, 3 - slot));
        EXPECT_EQ(Home(slot).lookDirection, Home(slot).facing);
    }
    EXPECT_EQ(Home(5).courtPositionId, 0); // the bench keeps its own numbers
    EXPECT_EQ(Home(5).position, Vec3());
    EXPECT_EQ(m_match.GetHomeTeam()->basketPoint, Vec3(0, 0, 12.13f));
    EXPECT_EQ(m_match.GetHomeTeam()->attackedBasketPoint, Vec3(0, 0, -12.13f));
    EXPECT_EQ(m_match.GetAwayTeam()->basketPoint, Vec3(0, 0, -12.13f));
    EXPECT_EQ(m_match.GetAwayTeam()->attackedBasketPoint, Vec3(0, 0, 12.13f));

    m_match.view3D = 0;
    m_match.PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    EXPECT_EQ(m_match.GetHomeTeam()->basketPoint, Vec3(6.25f, 0, 12.25f));
    EXPECT_EQ(m_match.GetAwayTeam()->attackedBasketPoint, Vec3(6.25f, 0, 12.25f));
    EXPECT_EQ(m_match.GetAwayTeam()->basketPoint, Vec3(6.25f, 0, -12.25f));
}

TEST_F(Placement, SidesMirrorAttackAndDefenceByTheirZRules) {
    m_match.PlaceHomeTeam(1, 11);
    m_match.PlaceAwayTeam(1, 11);
    EXPECT_EQ(m_match.GetHomeTeam()->attackTactic, 1);
    EXPECT_EQ(m_match.GetHomeTeam()->defenceTactic, 11);
    for (int slot = 0; slot < 5; ++slot) {
        const float x = static_cast<float>(slot + 1);
        // Home attacks -z: its attack spots and look-ats flip; the away side's stand as written.
        EXPECT_EQ(Home(slot).attackSpot, Vec3(x, 0, -(5.0f + slot))) << slot;
        EXPECT_EQ(Home(slot).attackLookAt, Vec3(-slot, 0.5f, -(5.0f + 2 * slot))) << slot;
        EXPECT_EQ(Away(slot).attackSpot, Vec3(x, 0, 5.0f + slot)) << slot;
        // With the 3D view the home side defends +z as written and the away side flips.
        EXPECT_EQ(Home(slot).defenceSpot, Vec3(x, 0, 9.0f + slot)) << slot;
        EXPECT_EQ(Away(slot).defenceSpot, Vec3(x, 0, -(9.0f + slot))) << slot;
        EXPECT_EQ(Away(slot).defenceLookAt, Vec3(-slot, 0.5f, -(9.0f + 2 * slot))) << slot;
        EXPECT_EQ(Home(slot).defenceTarget, Home(slot).defenceSpot);
        // The base copies that the spots are restored from.
        EXPECT_EQ(Home(slot).attackHome, Home(slot).attackSpot);
        EXPECT_EQ(Home(slot).attackHomeLookAt, Home(slot).attackLookAt);
        EXPECT_EQ(Away(slot).defenceHome, Away(slot).defenceSpot);
        EXPECT_EQ(Away(slot).defenceHomeLookAt, Away(slot).defenceLookAt);
    }
}

TEST_F(Placement, FlatViewMirrorsDefencesTheOtherWayAndLeavesTargets) {
    m_match.view3D = 0;
    m_match.PlaceHomeTeam(0, 10);
    m_match.PlaceAwayTeam(0, 10);
    EXPECT_EQ(Home(1).defenceSpot, Vec3(2, 0, -10));
    EXPECT_EQ(Away(1).defenceSpot, Vec3(2, 0, 10));
    EXPECT_EQ(Home(1).attackSpot, Vec3(2, 0, -6)); // attacks do not depend on the view
    EXPECT_EQ(Home(1).defenceTarget, Vec3());
}

TEST_F(Placement, UnmatchedPositionCodesPlaceNobody) {
    m_match.PlaceHomeTeam(0, 10);
    m_match.PlaceHomeTeam(2, 10);
    EXPECT_EQ(Home(0).attackSpot, Vec3(1, 0, -1));
    EXPECT_EQ(Home(1).attackSpot, Vec3(2, 0, -2));
    EXPECT_EQ(Home(4).attackSpot, Vec3(5, 0, -5));
    // "G" finds no player, and "pg" is not "PG": those two keep the earlier spots.
    EXPECT_EQ(Home(2).attackSpot, Vec3(3, 0, -7));
    EXPECT_EQ(Home(3).attackSpot, Vec3(4, 0, -8));
}

TEST_F(Placement, BadTacticIdsKeepTheFormationOrFallBackToTheDefaults) {
    // At set-up a side without a formation falls back to offence 0 and defence 10.
    m_match.PlaceAwayTeam(42, 6);
    EXPECT_EQ(m_match.GetAwayTeam()->attackTactic, kDefaultOffenceTactic);
    EXPECT_EQ(m_match.GetAwayTeam()->defenceTactic, kDefaultDefenceTactic);
    EXPECT_EQ(Away(0).attackSpot, Vec3(1, 0, 5));
    EXPECT_EQ(Away(0).defenceSpot, Vec3(1, 0, -9));
    EXPECT_EQ(m_log.Entries().size(), 2u);

    // Later a bad id keeps what the side has, spots and ids alike.
    m_match.PlaceAwayTeam(2, 11);
    m_match.PlaceAwayTeam(99, -1);
    EXPECT_EQ(m_match.GetAwayTeam()->attackTactic, 2);
    EXPECT_EQ(m_match.GetAwayTeam()->defenceTactic, 11);
    EXPECT_EQ(Away(0).attackSpot, Vec3(1, 0, 1));
    EXPECT_EQ(m_log.Entries().size(), 4u);
    EXPECT_NE(m_log.Entries().back().Find("-1"), -1);

    // A start formation without a file leaves the players where they are.
    Home(0).position = Vec3(1, 2, 3);
    m_match.PlaceTeams(77, kAwayStartFormation);
    EXPECT_EQ(Home(0).position, Vec3(1, 2, 3));
    EXPECT_EQ(m_log.Entries().size(), 5u);
}

TEST_F(Placement, FormationReaderReadsMissingValuesAsZero) {
    Write("ini/short.xml", R"(<FileDescriptor><KVTACTICS>
        <PLAYER_POS name="C" x="1.5"/><PLAYER_LOOKAT z="2"/></KVTACTICS></FileDescriptor>)");
    Formation formation = ReadFormationFile("\\ini\\short.xml");
    EXPECT_STREQ(formation.spots[0].name.GetText(), "C");
    EXPECT_EQ(formation.spots[0].spot, Vec3(1.5f, 0, 0));
    EXPECT_EQ(formation.spots[0].lookAt, Vec3(0, 0, 2));
    EXPECT_TRUE(formation.spots[4].name.IsEmpty());
    EXPECT_EQ(PositionIdFromCode(formation.spots[4].name), 0);
    EXPECT_EQ(PositionIdFromCode("F"), kPositionForward);
    EXPECT_EQ(PositionIdFromCode("c"), 0);
}

TEST(LikeForLike, OwnPositionFirstThenTheNearestThenAnyoneFreshestAmongEquals) {
    const BenchCandidate bench[] = {{1, kPositionCentre, 90.0f},
                                    {2, kPositionPowerForward, 60.0f},
                                    {3, kPositionSmallForward, 50.0f},
                                    {4, kPositionSmallForward, 70.0f},
                                    {5, 0, 99.0f}};
    // A fresher power forward and centre sit on the bench, but a small forward goes for a small forward.
    EXPECT_EQ(PickLikeForLike(kPositionSmallForward, bench, 5), 4);
    // No guard at all: the nearest to a point guard is a small forward, never the centre.
    EXPECT_EQ(PickLikeForLike(kPositionPointGuard, bench, 5), 4);
    EXPECT_EQ(PickLikeForLike(kPositionForward, bench, 5), 4);
    EXPECT_EQ(PickLikeForLike(kPositionCentre, bench, 5), 1);
    // Only a player of no known position left: he still comes on.
    EXPECT_EQ(PickLikeForLike(kPositionCentre, bench + 4, 1), 5);
    EXPECT_EQ(PickLikeForLike(kPositionCentre, bench, 0), -1);
    EXPECT_EQ(PositionDistance(kPositionPointGuard, kPositionCentre), 8);
    EXPECT_EQ(PositionDistance(kPositionGuard, kPositionShootingGuard), 1);
    EXPECT_EQ(PositionDistance(0, kPositionCentre), kFarPosition);
}
