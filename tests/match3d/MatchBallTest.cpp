// The match ball: loose bounces, guided flight, rims, backboards and the court lines.
#include "match3d/MatchBall.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FakeCourt : public IBallCourt {
public:
    FakeCourt() {
        plus = {-0.85f, 0.85f, 3.75f, 2.75f, 12.3f};
        minus = {-0.85f, 0.85f, 3.75f, 2.75f, -12.3f};
    }
    float CourtMinX() const override { return -7.5f; }
    float CourtMaxX() const override { return 7.5f; }
    float CourtMinZ() const override { return -14.0f; }
    float CourtMaxZ() const override { return 14.0f; }
    const BackboardBox& Backboard(bool plusZ) const override { return plusZ ? plus : minus; }
    uint8_t& ShotInFlightFlag() override { return shotInFlight; }
    bool HandlerSureBasket() const override { return sureBasket; }
    bool HandlerSureMiss() const override { return sureMiss; }

    BackboardBox plus;
    BackboardBox minus;
    uint8_t shotInFlight = 0;
    bool sureBasket = false;
    bool sureMiss = false;
};

// Highest and lowest y over a stretch of steps.
std::pair<float, float> Span(CMatchBall& ball, int steps, float dt) {
    float top = -1e9f;
    float bottom = 1e9f;
    for (int i = 0; i < steps; ++i) {
        ball.Update(dt);
        top = std::max(top, ball.GetPosition().y);
        bottom = std::min(bottom, ball.GetPosition().y);
    }
    return {top, bottom};
}

} // namespace

TEST(MatchBall, DroppedBallSettlesIntoSmallSteadyBounce) {
    FakeCourt court;
    CMatchBall ball(&court);
    ball.SetPosition(0, 3, 0);
    ball.SetDirection(0, 0, 0);
    ball.SetHeld(false);
    ASSERT_TRUE(ball.IsLoose());
    const float dt = 0.02f;
    const auto first = Span(ball, 100, dt);
    EXPECT_LT(first.first, 3.0f) << "the drop starts from rest";
    EXPECT_LT(first.second, 0.2f) << "it reaches the floor";
    Span(ball, 1000, dt); // settle
    const auto late = Span(ball, 500, dt);
    const auto later = Span(ball, 500, dt);
    EXPECT_NEAR(late.first, later.first, 0.01f) << "a steady bounce";
    EXPECT_LT(later.first, 0.6f) << "a small bounce";
    EXPECT_GT(later.first - later.second, 0.005f) << "it never comes to rest";
    EXPECT_GT(later.second, -0.2f) << "it stays on the floor";
    EXPECT_EQ(ball.GetHoopContact(), kHoopNone);
}

TEST(MatchBall, GuidedFlightAndHeldBall) {
    FakeCourt court;
    CMatchBall ball(&court);
    ball.SetLoose(false);
    ball.SetHeld(false);
    ball.SetPosition(0, 3.5f, 0);
    ball.SetDirection(0, 1, 0);
    ball.SetSpeed(5.0f);
    ball.Update(0.1f);
    EXPECT_FLOAT_EQ(ball.GetPosition().y, 4.0f);
    EXPECT_TRUE(ball.IsLoose()) << "a flight reaching 4.0 becomes loose";
    EXPECT_EQ(court.shotInFlight, 1);

    // A held ball moves only by the guided step and is never tested against the rim.
    FakeCourt court2;
    CMatchBall held(&court2);
    held.SetHeld(true);
    held.SetPosition(0, 3.0f, 12.0f);
    held.SetDirection(0, 0, 1);
    held.SetSpeed(1.0f);
    held.Update(0.1f);
    EXPECT_FLOAT_EQ(held.GetPosition().z, 12.1f);
    EXPECT_FALSE(held.HasHoopContact());
    EXPECT_EQ(held.PredictPosition(0.5f).z, 12.6f);
}

TEST(MatchBall, RimWindowsScoreUnlessShotInFlight) {
    FakeCourt court;
    CMatchBall ball(&court);
    ball.SetHeld(false);
    // Nobody's shot (no made or missed roll) passes the rim window unnoticed.
    ball.SetPosition(0.1f, 3.0f, 12.15f);
    ball.CollideHoop();
    EXPECT_FALSE(ball.HasHoopContact());
    ball.SetPosition(0.0f, 3.0f, -12.25f);
    ball.CollideHoop();
    EXPECT_EQ(ball.GetHoopContact(), kBoardMinusZ) << "the board still turns it away";
    court.shotInFlight = 0;
    court.sureBasket = true;
    ball.SetPosition(0.1f, 3.0f, 12.15f);
    ball.CollideHoop();
    EXPECT_TRUE(ball.HasHoopContact());
    EXPECT_EQ(ball.GetHoopContact(), kRimPlusZ);
    ball.SetPosition(-0.1f, 3.1f, -12.1f);
    ball.CollideHoop();
    EXPECT_EQ(ball.GetHoopContact(), kRimMinusZ);
    // The window is strict.
    ball.SetPosition(0.2f, 3.0f, -12.1f);
    ball.CollideHoop();
    EXPECT_FALSE(ball.HasHoopContact());
    // A shot that can no longer score passes the rim unnoticed.
    court.shotInFlight = 1;
    ball.SetPosition(0.0f, 3.0f, 12.15f);
    ball.CollideHoop();
    EXPECT_FALSE(ball.HasHoopContact());
    EXPECT_EQ(ball.GetHoopContact(), kHoopNone);
}

TEST(MatchBall, BackboardBouncesOrCountsSureBasket) {
    FakeCourt court;
    CMatchBall ball(&court);
    ball.SetLoose(false);
    ball.SetHeld(false);
    ball.SetPosition(0.6f, 3.5f, 12.3f);
    ball.SetDirection(0.3f, 0.2f, 0.9f);
    ball.SetSpeed(6.0f);
    ball.CollideHoop();
    EXPECT_TRUE(ball.HasHoopContact());
    EXPECT_EQ(ball.GetHoopContact(), kBoardPlusZ);
    EXPECT_FLOAT_EQ(ball.GetDirection().x, 0.3f);
    EXPECT_FLOAT_EQ(ball.GetDirection().y, 0.2f);
    EXPECT_FLOAT_EQ(ball.GetDirection().z, -0.9f);
    EXPECT_FLOAT_EQ(ball.GetSpeed(), 6.0f * 0.7f);
    EXPECT_FLOAT_EQ(ball.GetPosition().z, 12.3f - 0.27f);
    EXPECT_TRUE(ball.IsLoose());
    EXPECT_TRUE(ball.IsFalling());
    EXPECT_EQ(court.shotInFlight, 1);

    // The -z board mirrors it.
    FakeCourt other;
    CMatchBall back(&other);
    back.SetHeld(false);
    back.SetPosition(-0.5f, 3.6f, -12.2f);
    back.SetDirection(0, 0, -1);
    back.SetSpeed(4.0f);
    back.CollideHoop();
    EXPECT_EQ(back.GetHoopContact(), kBoardMinusZ);
    EXPECT_FLOAT_EQ(back.GetPosition().z, -12.3f + 0.27f);
    EXPECT_FLOAT_EQ(back.GetDirection().z, 1.0f);

    // With the shooter's sure-basket roll the board counts as the basket, far from the rim.
    FakeCourt sure;
    sure.sureBasket = true;
    CMatchBall in(&sure);
    in.SetHeld(false);
    in.SetPosition(0.8f, 3.7f, 12.4f);
    in.CollideHoop();
    EXPECT_EQ(in.GetHoopContact(), kRimPlusZ);
    EXPECT_EQ(sure.shotInFlight, 0);
}

TEST(MatchBall, TheRollDecidesTheShotNotThePathOfTheBall) {
    // A missed roll through the rim window or the rim's part of the board comes off the board.
    const struct {
        float x, y, z;
        int32_t board;
    } misses[] = {{0.1f, 3.0f, 12.15f, kBoardPlusZ},
                  {-0.1f, 3.1f, -12.1f, kBoardMinusZ},
                  {0.5f, 3.0f, 12.2f, kBoardPlusZ},
                  {-0.5f, 2.9f, -12.25f, kBoardMinusZ}};
    for (const auto& c : misses) {
        FakeCourt court;
        court.sureMiss = true;
        CMatchBall ball(&court);
        ball.SetLoose(false);
        ball.SetHeld(false);
        ball.SetPosition(c.x, c.y, c.z);
        ball.SetDirection(0, 0, c.z > 0 ? 1.0f : -1.0f);
        ball.SetSpeed(6.0f);
        ball.CollideHoop();
        EXPECT_EQ(ball.GetHoopContact(), c.board) << c.x << " " << c.y << " " << c.z;
        EXPECT_EQ(court.shotInFlight, 1) << "it can no longer score";
        ball.CollideHoop();
        EXPECT_FALSE(ball.HasHoopContact());
    }

    // Released from anywhere in range straight at the rim, as a made roll flies, it scores; a
    // missed roll on the same path does not.
    for (const float fromZ : {10.0f, 6.0f, 3.0f, -1.0f}) {
        for (const bool made : {true, false}) {
            FakeCourt court;
            court.sureBasket = made;
            court.sureMiss = !made;
            CMatchBall ball(&court);
            ball.SetLoose(false);
            ball.SetHeld(false);
            const Vec3 hand(fromZ < 5.0f ? 1.5f : 0.0f, 2.45f, fromZ);
            Vec3 d = Vec3(0.0f, 3.0f, 12.13f) - hand;
            d.Normalize();
            ball.SetPosition(hand.x, hand.y, hand.z);
            ball.SetDirection(d.x, d.y, d.z);
            ball.SetSpeed(8.0f);
            int32_t contact = kHoopNone;
            for (int i = 0; i < 200 && contact == kHoopNone; ++i) {
                ball.Update(0.02f);
                if (ball.HasHoopContact())
                    contact = ball.GetHoopContact();
            }
            EXPECT_EQ(contact, made ? kRimPlusZ : kBoardPlusZ) << fromZ << (made ? " made" : " missed");
        }
    }
}

TEST(MatchBall, CheckOutReportsEachExitOnce) {
    FakeCourt court;
    CMatchBall ball(&court);
    int32_t side = 0;
    ball.SetPosition(7.5f, 0, 14.0f);
    EXPECT_FALSE(ball.CheckOut(side)) << "the lines are inside";
    ball.SetPosition(8.0f, 0, 15.0f);
    EXPECT_TRUE(ball.CheckOut(side));
    EXPECT_EQ(side, kOutBeyondMaxZ) << "end lines first";
    EXPECT_FLOAT_EQ(ball.GetOutPoint().z, 14.0f);
    EXPECT_FLOAT_EQ(ball.GetOutPoint().x, 8.0f);
    side = 0;
    ball.SetPosition(8.0f, 0, 16.0f);
    EXPECT_TRUE(ball.CheckOut(side));
    EXPECT_EQ(side, 0) << "still out: no new side";
    ball.SetPosition(0, 0, 0);
    EXPECT_FALSE(ball.CheckOut(side));
    ball.SetPosition(-7.6f, 1.0f, 3.0f);
    EXPECT_TRUE(ball.CheckOut(side));
    EXPECT_EQ(side, kOutBeyondMinX);
    EXPECT_FLOAT_EQ(ball.GetOutPoint().x, -7.5f);
    EXPECT_FLOAT_EQ(ball.GetOutPoint().z, 3.0f);
}
