// CMatchBall: the one ball of a 3D match. It flies in a straight line when thrown, falls and
// bounces under gravity when loose, touches the rims and backboards, and reports when it leaves the
// court. It reads the court and the shot state through IBallCourt, so it runs without a scene.
#pragma once

#include "engine/Math3D.h"

#include <cstdint>

class CQuorelGameObject;

// A backboard as the ball sees it: x span, y span and the plane it stands in.
struct BackboardBox {
    float xFrom = 0.0f;
    float xTo = 0.0f;
    float yTop = 0.0f;
    float yBottom = 0.0f;
    float planeZ = 0.0f;
};

// Contact codes of CMatchBall::GetHoopContact.
inline constexpr int32_t kHoopNone = -1;
inline constexpr int32_t kBoardPlusZ = 0;
inline constexpr int32_t kBoardMinusZ = 1;
inline constexpr int32_t kRimMinusZ = 2; // the home side's basket
inline constexpr int32_t kRimPlusZ = 3;  // the away side's basket

// Sides of CMatchBall::CheckOut.
inline constexpr int32_t kOutBeyondMinZ = 1;
inline constexpr int32_t kOutBeyondMaxZ = 2;
inline constexpr int32_t kOutBeyondMinX = 3;
inline constexpr int32_t kOutBeyondMaxX = 4;

// What the ball reads of the match around it.
class IBallCourt {
public:
    virtual ~IBallCourt() = default;
    virtual float CourtMinX() const = 0;
    virtual float CourtMaxX() const = 0;
    virtual float CourtMinZ() const = 0;
    virtual float CourtMaxZ() const = 0;
    virtual const BackboardBox& Backboard(bool plusZ) const = 0;
    // Set once a shot can no longer score; the hoops ignore the ball while it is set.
    virtual uint8_t& ShotInFlightFlag() = 0;
    // The shooter's roll said the shot goes in; false when nobody handles the ball.
    virtual bool HandlerSureBasket() const = 0;
    // The shooter's roll said the shot misses: the rim and the board turn it away. A ball for which
    // neither roll holds is nobody's shot and never scores.
    virtual bool HandlerSureMiss() const { return false; }
};

// Where a shot flies, basket being the point under the rim: a made roll (or a shot without the
// spread) straight at the rim; a miss high and to the left of it by the spread (spreadX, spreadY from 0
// to 1), at the face of the hall's own board behind the rim, so it comes off the rim or that board.
Vec3 ShotAimPoint(const IBallCourt& court, const Vec3& basket, bool spread, float spreadX, float spreadY);

class CMatchBall {
public:
    static constexpr float kGravity = 5.0f;
    static constexpr float kRiseBraking = 1.35f;
    static constexpr float kFloorY = 0.125f;
    static constexpr float kBounceRestart = 0.8f; // downward speed every fall starts with
    static constexpr float kLooseHeight = 4.0f;   // a flight this high can no longer score
    static constexpr float kRimHeight = 3.0f;     // the rim above the point under it
    // A miss off the rim leaves it from its front, toward the court: every hall's rim stands here,
    // whatever the distance of its board.
    static constexpr float kRimFrontZ = 12.03f;

    explicit CMatchBall(IBallCourt* court = nullptr) : court_(court) {}

    void AttachCourt(IBallCourt* court) { court_ = court; }
    void SetModel(CQuorelGameObject* model, float x, float y, float z);
    CQuorelGameObject* GetModel() const { return model_; }

    Vec3 GetPosition() const { return position_; }
    void SetPosition(float x, float y, float z) { position_ = Vec3(x, y, z); }
    float GetSpeed() const { return speed_; }
    void SetSpeed(float speed) { speed_ = speed; }
    Vec3 GetDirection() const { return direction_; }
    void SetDirection(float x, float y, float z) { direction_ = Vec3(x, y, z); }
    // Letting go drops the ball from rest.
    void SetHeld(bool held);
    bool IsHeld() const { return held_ != 0; }
    void SetLoose(bool loose) { loose_ = loose ? 1 : 0; }
    bool IsLoose() const { return loose_ != 0; }
    bool IsFalling() const { return falling_ != 0; }
    float VerticalSpeed() const { return verticalSpeed_; }
    // Valid for the step in which the hoop test ran.
    bool HasHoopContact() const { return hoopContact_ != 0; }
    int32_t GetHoopContact() const { return hoopCode_; }
    // The rules have dealt with the contact. Only a free ball's step looks for a new one, so a ball
    // held after a made free throw would report the old contact again on every tick.
    void ClearHoopContact() {
        hoopContact_ = 0;
        hoopCode_ = kHoopNone;
    }
    Vec3 GetOutPoint() const { return outPoint_; }

    // Where the guided motion puts the ball after t seconds (no gravity).
    Vec3 PredictPosition(float t) const { return position_ + direction_ * (speed_ * t); }
    // True while outside the court; side is written only on the step the ball crosses a line (end
    // lines first).
    bool CheckOut(int32_t& side);
    // One motion step, then the hoop test unless the ball is held.
    void Update(float dt);
    void CollideHoop();
    // Draws the model at the ball's position; nothing without a device or a model.
    void Render(double dt, bool secondPass);

private:
    // Off a backboard: reversed along z at 70 % speed, loose, and no longer a scoring shot.
    void Bounce(int32_t code, float newZ);

    IBallCourt* court_ = nullptr; // not owned
    Vec3 outPoint_;
    uint8_t out_ = 0;
    CQuorelGameObject* model_ = nullptr; // the scene owns it
    Vec3 position_;
    float speed_ = 0.5f;
    Vec3 direction_;
    uint8_t rising_ = 1;
    uint8_t falling_ = 0;
    float verticalSpeed_ = 0.0f;
    uint8_t held_ = 1;
    uint8_t loose_ = 1;
    uint8_t hoopContact_ = 0;
    int32_t hoopCode_ = 0;
};
