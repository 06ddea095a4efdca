// The tick's shortcuts: distance checks on squares instead of roots, and the side's update that
// runs its players' updates in one loop.
#include "Match2DFixture.h"
#include "match2d/Match2DTeam.h"

#include <cmath>
#include <limits>
#include <random>

namespace {

// Around each limit's square, and for the limits no square reaches, a square compared with the limit
// must answer as the root compared with the limit does.
TEST(Match2DSquareLimits, DecideAsTheRootsDo) {
    const float up = std::numeric_limits<float>::infinity();
    for (const float limit : {0.5f, 1.5f, 1.15f, 2.0f, 2.0f / 60.0f, 2.0f / 99.0f}) {
        const float within = LargestSquareWithin(limit);
        const float below = LargestSquareBelow(limit);
        float s = limit * limit;
        for (int i = 0; i < 300; ++i) {
            s = std::nextafter(s, 0.0f);
        }
        for (int i = 0; i < 600; ++i, s = std::nextafter(s, up)) {
            EXPECT_EQ(s <= within, std::sqrt(s) <= limit) << limit << " " << s;
            EXPECT_EQ(s <= below, std::sqrt(s) < limit) << limit << " " << s;
        }
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const float s : {0.0f, 1e-30f, 0.25f, 1e30f, up}) {
        EXPECT_EQ(s <= LargestSquareWithin(0.0f), std::sqrt(s) <= 0.0f) << s;
        EXPECT_EQ(s <= LargestSquareWithin(-1.0f), std::sqrt(s) <= -1.0f) << s;
        EXPECT_EQ(s <= LargestSquareWithin(up), std::sqrt(s) <= up) << s;
        EXPECT_EQ(s <= LargestSquareWithin(nan), std::sqrt(s) <= nan) << s;
    }
}

class Match2DStepTest : public Match2DTest {
protected:
    void SetUp() override {
        Match2DTest::SetUp();
        GameSrand(7);
        Start(m_home.team, m_away.team, true, true);
    }
    ClubBuilder m_home{1, 12};
    ClubBuilder m_away{2, 12};
};

// Each player's attacking flag is the side's as it stands when his turn comes: a rebound taken by
// the first player makes the other four attack in the same tick.
TEST_F(Match2DStepTest, AReboundTakenInTheSidesUpdateMakesTheRestAttackAtOnce) {
    CMatch2DTeam& home = *match.GetHomeTeam();
    match.homeBonus = 0;
    match.awayBonus = 0;
    home.SetDefending();
    match.GetAwayTeam()->SetAttacking();
    CMatch2DPlayer* taker = home.GetPlayer(0);
    taker->chase = 0;
    taker->rebound = 1;
    match.ball->SetPosition(taker->position);
    home.Update();
    EXPECT_EQ(taker->hasBall, 1);
    EXPECT_EQ(home.attacking, 1);
    for (int i = 0; i < kCourtPlayers; ++i) {
        EXPECT_EQ(home.GetPlayer(i)->attacking, 1) << i;
    }
    EXPECT_EQ(match.GetAwayPlayer(0)->attacking, 0);
}

// A step onto a target closer than his stride puts him exactly on it; a longer one leaves him
// exactly his speed nearer, along the line.
TEST_F(Match2DStepTest, StepsLandOnTheTargetOrOneStrideAlongTheLine) {
    CMatch2DPlayer* p = match.GetHomePlayer(2);
    p->speed = 0.04f;
    p->position = Vec3(1.0f, 0.0f, -2.0f);
    p->target = Vec3(1.03f, 0.0f, -2.0f);
    p->MoveStep();
    EXPECT_EQ(p->position, p->target);
    p->target = Vec3(4.0f, 0.0f, 2.0f);
    const Vec3 from = p->position;
    p->MoveStep();
    EXPECT_NEAR(Vec3Distance(from, p->position), 0.04f, 1e-6f);
    EXPECT_NEAR(Vec3Distance(p->position, p->target) + 0.04f, Vec3Distance(from, p->target), 1e-5f);
    // Standing on his target: no step, no direction, but the effort of standing still.
    const float energy = p->energy;
    p->target = p->position;
    p->MoveStep();
    EXPECT_EQ(p->direction, Vec3());
    EXPECT_FLOAT_EQ(p->energy, energy - 0.001f);
}

// The most open player is the one whose nearest opponent is farthest, the last in the squad among
// equals, whichever player's square the caller already knows: the search that starts from him and
// from each mate's own marker finds the player a plain look at every square finds. On a coarse grid
// many squares tie.
TEST_F(Match2DStepTest, MostOpenIsTheLastOfTheFarthestFromTheirNearestOpponent) {
    CMatch2DTeam& own = *match.GetHomeTeam();
    const CMatch2DTeam& other = *match.GetAwayTeam();
    std::mt19937 draw(11);
    std::uniform_int_distribution<int> cell(-2, 2);
    const auto nearestSquare = [&](const CMatch2DPlayer* p) {
        float best = CMatch2DTeam::kNoneSquare;
        for (int j = 0; j < kCourtPlayers; ++j) {
            best = std::min(best, (other.GetPlayer(j)->position - p->position).LengthSq());
        }
        return best;
    };
    for (int round = 0; round < 400; ++round) {
        for (CMatch2DTeam* team : {match.GetHomeTeam(), match.GetAwayTeam()}) {
            for (int i = 0; i < kCourtPlayers; ++i) {
                team->GetPlayer(i)->position =
                    Vec3(static_cast<float>(cell(draw)), 0.0f, static_cast<float>(cell(draw)));
            }
        }
        CMatch2DPlayer* expected = nullptr;
        float most = 0.0f;
        for (int i = 0; i < kCourtPlayers; ++i) {
            const float s = nearestSquare(own.GetPlayer(i));
            if (s >= most) {
                most = s;
                expected = own.GetPlayer(i);
            }
        }
        ASSERT_EQ(own.FindMostOpen(other), expected) << round;
        for (int k = 0; k < kCourtPlayers; ++k) {
            const CMatch2DPlayer* known = own.GetPlayer(k);
            ASSERT_EQ(own.FindMostOpen(other, known, nearestSquare(known)), expected) << round << " " << k;
        }
    }
}

} // namespace
