// The match ball's motion, hoop contacts and out-of-bounds test.
#include "match3d/MatchBall.h"

#include "engine/Device.h"
#include "engine/GameObject.h"
#include "engine/Sound.h"

namespace {

void PlaySound(const char* tag) {
    if (g_pQuorelSound != nullptr) {
        g_pQuorelSound->Play(tag);
    }
}

} // namespace

Vec3 ShotAimPoint(const IBallCourt& court, const Vec3& basket, bool spread, float spreadX, float spreadY) {
    Vec3 aim(basket.x, basket.y + CMatchBall::kRimHeight, basket.z);
    if (!spread) {
        return aim;
    }
    // High and to the left only: the spread was tuned so.
    aim.y += spreadY * 0.3f;
    aim.x += spreadX * 0.5f - 0.5f;
    // Aimed beside the rim at the basket's own line, a miss from the wing drifted past the edge of a
    // board standing farther back (the eu halls' at 12.87 m) and left the court untouched: a quarter
    // of the misses there.
    aim.z = court.Backboard(basket.z > 0.0f).planeZ;
    return aim;
}

void CMatchBall::SetModel(CQuorelGameObject* model, float x, float y, float z) {
    model_ = model;
    SetPosition(x, y, z);
}

void CMatchBall::SetHeld(bool held) {
    if (held) {
        held_ = 1;
        return;
    }
    falling_ = 1;
    rising_ = 0;
    verticalSpeed_ = 0.0f;
    held_ = 0;
}

bool CMatchBall::CheckOut(int32_t& side) {
    if (court_ == nullptr) {
        return false;
    }
    int32_t crossed = 0;
    Vec3 point(position_.x, 0.0f, position_.z);
    if (position_.z < court_->CourtMinZ()) {
        crossed = kOutBeyondMinZ;
        point.z = court_->CourtMinZ();
    } else if (position_.z > court_->CourtMaxZ()) {
        crossed = kOutBeyondMaxZ;
        point.z = court_->CourtMaxZ();
    } else if (position_.x < court_->CourtMinX()) {
        crossed = kOutBeyondMinX;
        point.x = court_->CourtMinX();
    } else if (position_.x > court_->CourtMaxX()) {
        crossed = kOutBeyondMaxX;
        point.x = court_->CourtMaxX();
    }
    if (crossed == 0) {
        out_ = 0;
        return false;
    }
    // A ball that stays outside reports its side only once.
    if (out_ == 0) {
        out_ = 1;
        outPoint_ = point;
        side = crossed;
    }
    return true;
}

void CMatchBall::Update(float dt) {
    const float step = dt * speed_;
    const Vec3 candidate = position_ + direction_ * step;
    if (held_ != 0 || loose_ == 0) {
        position_ = candidate;
        if (position_.y >= kLooseHeight) {
            loose_ = 1;
            if (court_ != nullptr) {
                court_->ShotInFlightFlag() = 1;
            }
        }
    } else if (position_.y > kFloorY && falling_ == 1) {
        verticalSpeed_ += kGravity * dt;
        position_.x = candidate.x;
        position_.z = candidate.z;
        position_.y = candidate.y - (verticalSpeed_ * dt + kGravity * dt * dt * 0.5f);
    } else {
        PlaySound("LABDA");
        falling_ = 0;
        rising_ = 1;
        direction_.y = 0.0f;
        if (verticalSpeed_ >= 0.0f) {
            verticalSpeed_ -= dt * kRiseBraking * kGravity;
            position_.x = candidate.x;
            position_.z = candidate.z;
            position_.y = candidate.y + (verticalSpeed_ * dt + kGravity * dt * dt * 0.5f);
        }
        if (verticalSpeed_ < 0.0f) {
            // Top of the bounce: every fall restarts at the same speed, so the ball never rests.
            verticalSpeed_ = kBounceRestart;
            direction_.y = 0.0f;
            rising_ = 0;
            if (position_.y <= kFloorY) {
                position_.y = kFloorY;
            }
            falling_ = 1;
        }
    }
    if (held_ == 0) {
        CollideHoop();
    }
}

void CMatchBall::Bounce(int32_t code, float newZ) {
    loose_ = 1;
    verticalSpeed_ = 1.0f;
    direction_.z = -direction_.z;
    speed_ *= 0.7f;
    hoopContact_ = 1;
    hoopCode_ = code;
    falling_ = 1;
    rising_ = 0;
    position_.z = newZ;
    PlaySound("LABDA_PALANK");
    court_->ShotInFlightFlag() = 1;
}

void CMatchBall::CollideHoop() {
    hoopContact_ = 0;
    hoopCode_ = kHoopNone;
    if (court_ == nullptr || court_->ShotInFlightFlag() != 0) {
        return;
    }
    const float x = position_.x;
    const float y = position_.y;
    const float z = position_.z;
    // The roll decides a shot, not where the ball happens to pass: a made roll scores wherever it
    // meets the hoop or its board, a missed one comes off the rim or the board.
    const bool sure = court_->HandlerSureBasket();
    const bool miss = !sure && court_->HandlerSureMiss();
    // A ball nobody shot (a loose ball, a pass, a tap) never scores: it passes the rim window
    // and only the board turns it away.
    const bool shot = sure || miss;
    const bool rimHeight = 2.9f < y && y < 3.15f;
    const bool rimX = -0.2f < x && x < 0.2f;
    const auto inBox = [&](const BackboardBox& b) {
        return b.xFrom <= x && x <= b.xTo && b.planeZ - 0.15f < z && z <= b.planeZ + 0.15f &&
               b.yBottom <= y && y <= b.yTop;
    };
    const BackboardBox& plus = court_->Backboard(true);
    const BackboardBox& minus = court_->Backboard(false);
    const bool plusRim = rimHeight && rimX && 12.0f < z && z < 12.3f;
    const bool minusRim = rimHeight && rimX && -12.3f < z && z < -12.0f;
    const bool plusBox = inBox(plus);
    const bool minusBox = inBox(minus);
    const bool plusRimZone = 2.8f < y && y < 3.15f && 11.75f < z && z < 12.3f;
    const bool minusRimZone = 2.8f < y && y < 3.15f && -12.3f < z && z < -11.75f;
    // A miss leaves the rim from its front and the board from before its face: put back before the
    // board, a miss off the rim of a hall whose board stands farther back came down behind the rim.
    if (shot && (plusRim || (plusBox && (sure || plusRimZone)))) {
        if (miss) {
            Bounce(kBoardPlusZ, plusRim ? kRimFrontZ : plus.planeZ - 0.27f);
            return;
        }
        hoopCode_ = kRimPlusZ;
        PlaySound("LABDA_HALO");
        hoopContact_ = 1;
        return;
    }
    if (shot && (minusRim || (minusBox && (sure || minusRimZone)))) {
        if (miss) {
            Bounce(kBoardMinusZ, minusRim ? -kRimFrontZ : minus.planeZ + 0.27f);
            return;
        }
        hoopCode_ = kRimMinusZ;
        PlaySound("LABDA_HALO");
        hoopContact_ = 1;
        return;
    }
    if (plusBox) {
        Bounce(kBoardPlusZ, plus.planeZ - 0.27f);
    } else if (minusBox) {
        Bounce(kBoardMinusZ, minus.planeZ + 0.27f);
    }
}

void CMatchBall::Render(double dt, bool secondPass) {
    if (g_pQuorelDevice == nullptr || model_ == nullptr) {
        return;
    }
    Matrix4 world;
    MatrixTranslation(world, position_.x, position_.y, position_.z);
    const Matrix4 kept = g_pQuorelDevice->GetTransform(kTransformWorld);
    g_pQuorelDevice->SetTransform(kTransformWorld, world);
    model_->Render(dt, secondPass);
    g_pQuorelDevice->SetTransform(kTransformWorld, kept);
}
