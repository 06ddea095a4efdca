// Court character motion: each frame the referees and the on-court players move and animate, and
// the ball holder's clip becomes a basketball action. The ball stays in the right hand through the
// swing and leaves it at the moment the hand's path reaches the clip's release point; the dribbles
// bounce it off the floor and catch it again; the steal clips reach for the holder's ball.
#include "engine/Camera.h"
#include "engine/GameRand.h"
#include "engine/Sound.h"
#include "match3d/CourtPlayer.h"
#include "match3d/Match3D.h"
#include "match3d/MatchBall.h"
#include "match3d/Referee.h"

#include <cmath>

namespace {

constexpr float kTipOffThrowSpeed = 6.0f;
constexpr float kTipOffHandAbove = 2.6f;
constexpr float kTipOffHeading = 210.0f;
constexpr float kStealLeftHandBelow = 0.5f;
constexpr float kStealRightHeading = 300.0f;
constexpr float kStealStamina = 0.05f;
constexpr float kShotStamina = 0.05f;
constexpr float kDribbleFloor = 0.125f;
constexpr float kDribbleCatchSlack = 0.0625f;
constexpr float kSideLineRefereeX = -6.0f;
constexpr float kBaselineRefereeX = -3.5f;

// Everything a handler reads of the hand in one frame.
struct Hand {
    Vec3 p;    // right-hand ball point, world
    Vec3 l;    // left-hand ball point, world
    Vec3 h;    // right hand's ball-frame offset, model space
    Vec3 d;    // stored point minus p: negative y while the hand rises
    float xy;  // HeadingFromXY(h)
    float yx;  // HeadingFromYX(h)
    float dir; // HeadingFromDirection(h)
};

Hand ReadHand(CCourtPlayer& player, bool storePoint) {
    Hand hand;
    player.GetRightHandBallPosition(hand.p);
    player.GetLeftHandBallPosition(hand.l);
    player.GetHandBallOffset(hand.h, 0);
    if (storePoint) {
        Vec3 stored;
        player.GetStoredPosition(stored);
        hand.d = stored - hand.p;
        player.SetStoredPosition(hand.p.x, hand.p.y, hand.p.z);
    }
    hand.xy = HeadingFromXY(hand.h);
    hand.yx = HeadingFromYX(hand.h);
    hand.dir = HeadingFromDirection(hand.h);
    return hand;
}

// The clips whose handler keeps the last hand point to see which way the hand moves.
bool StoresHandPoint(int32_t id) {
    return id == kAnimTipOff || id == kAnimPassBounce || id == kAnimPassOverheadRight || id == kAnimShot ||
           id == kAnimShotFade || id == kAnimDribbleMove || id == kAnimWalkDribble || id == kAnimRunDribble;
}

Vec3 Direction(const Vec3& from, const Vec3& to) {
    Vec3 v = to - from;
    v.Normalize();
    return v;
}

void PlayBounceSound() {
    if (g_pQuorelSound != nullptr) {
        g_pQuorelSound->Play(CStr("LABDA"));
    }
}

} // namespace

bool CCourtPlayer::StepAllowed(const Vec3& candidate, bool mayLeave) const {
    if (match == nullptr || match->IsInsideCourt(candidate.x, candidate.y, candidate.z)) {
        return true;
    }
    // The player taking the ball out walks to a spot beyond the line: held inside, he ran on the spot
    // along the sideline and the throw-in (and the match) waited until the quarter ran out.
    const MatchFlags& flags = match->Flags();
    if (mayLeave && (flags.substitutionPhase != 0 || inSubstitution != 0 ||
                     (flags.inbound != 0 && flags.inbounder == this))) {
        return true;
    }
    // One left outside (the inbounder after his throw, a substitute who came on where the other
    // left the court) walks back in: held there, he stood until the quarter's end, and with the
    // ball in his hands free throws, a change and the match waited with him. Only steps that bring
    // him nearer on every line he is beyond, and keep him inside the others, are his.
    const bool outX = !match->IsInsideCourt(position.x, 0.0f, 0.0f);
    const bool outZ = !match->IsInsideCourt(0.0f, 0.0f, position.z);
    if (!outX && !outZ) {
        return false;
    }
    const bool xNearer =
        outX ? std::fabs(candidate.x) < std::fabs(position.x) : match->IsInsideCourt(candidate.x, 0.0f, 0.0f);
    const bool zNearer =
        outZ ? std::fabs(candidate.z) < std::fabs(position.z) : match->IsInsideCourt(0.0f, 0.0f, candidate.z);
    return xNearer && zNearer;
}

namespace {

// The holder's side of the motion, one character and one frame at a time.
class CourtMotion {
public:
    CourtMotion(CMatch3D& match, float dt) : m_(match), ball_(*match.ball), dt_(dt) {}

    void TipOff(CCourtPlayer& p);
    void Steal(CCourtPlayer& p);
    void Holder(CCourtPlayer& p);

private:
    void Release(CCourtPlayer& p);
    void Pass(CCourtPlayer& p, const Hand& hand, float speed, bool towardReceiver);
    void Shot(CCourtPlayer& p, const Hand& hand, float speed);
    void Dribble(CCourtPlayer& p, const Hand& hand, bool running);

    CMatch3D& m_;
    CMatchBall& ball_;
    float dt_;
};

void CourtMotion::TipOff(CCourtPlayer& p) {
    const Hand hand = ReadHand(p, true);
    if (!(hand.d.y < 0.0f && hand.p.y > p.position.y + kTipOffHandAbove && hand.xy > kTipOffHeading)) {
        return;
    }
    ball_.SetSpeed(kTipOffThrowSpeed);
    ball_.SetHeld(false);
    ball_.SetLoose(true);
    m_.ResolveTipOff();
    m_.flags.lastPasser = &p;
    p.SetAnimation(kAnimIdle, true);
    ++m_.flags.quarter;
    m_.jumpBall = 0;
    m_.flags.betweenQuarters = 0;
}

void CourtMotion::Steal(CCourtPlayer& p) {
    const int32_t id = p.GetCurrentAnimationId();
    if (id != kAnimStealLeft && id != kAnimStealRight) {
        return;
    }
    const Hand hand = ReadHand(p, false);
    const bool reach = id == kAnimStealLeft ? hand.l.y < kStealLeftHandBelow : hand.yx > kStealRightHeading;
    if (!reach || !ball_.IsHeld()) {
        return;
    }
    CCourtPlayer* holder =
        m_.ballHandler != nullptr && m_.ballHandler->hasBall ? m_.ballHandler : m_.BallHolder();
    if (holder == nullptr || holder == &p || holder->side == p.side) {
        return;
    }
    // One roll per pass through the clip: the hand stays in reach for several frames, and a roll in
    // each of them would call a string of fouls from one swing, more of them the higher the frame rate.
    const double period = p.GetClipPeriod();
    const int32_t loop = period > 0.0 ? static_cast<int32_t>(p.clipTime / period) : 0;
    if (p.stealRollLoop == loop) {
        return;
    }
    p.stealRollLoop = loop;
    ball_.SetDirection(0.0f, 0.0f, 0.0f);
    ball_.SetSpeed(0.0f);
    m_.flags.stealer = &p;
    p.SpendStamina(kStealStamina);
    // The swipe is the flat court's contest: his own steal skill against the reach band, not the
    // handler's height and handling added to his side of the roll.
    const int r = p.PokeCheck(*holder, kPokeFoulFrom);
    if (r == kCheckSucceeded) {
        m_.HandleSteal();
    } else if (r == kContestFoul) {
        m_.flags.foulPending = 1;
        m_.foulSpot = p.position;
    }
}

void CourtMotion::Release(CCourtPlayer& p) {
    ball_.SetHeld(false);
    p.hasBall = 0;
    p.passing = 0;
    p.releaseReached = 1;
    m_.dribbleOut = 0;
    m_.flags.releaseDone = 1;
    m_.flags.lastPasser = &p;
    p.SetAnimation(kAnimIdle, true);
}

void CourtMotion::Pass(CCourtPlayer& p, const Hand& hand, float speed, bool towardReceiver) {
    // The decision left the receiver's point (or, for the bounce pass, the flight direction) here.
    const Vec3 aim = m_.ballAim;
    const int32_t id = p.GetCurrentAnimationId();
    Release(p);
    m_.flags.shooter = nullptr;
    ball_.SetSpeed(speed);
    const Vec3 direction = towardReceiver ? Direction(hand.p, aim) : aim;
    ball_.SetDirection(direction.x, direction.y, direction.z);
    ball_.SetLoose(false);
    if (m_.flags.inbound) {
        // The throw-in is made: the rules end the inbound once the ball is back on the court.
        m_.inboundThrown = 1;
        p.holdSpot = 0;
    }
    if (id == kAnimPassChest) {
        // The passer moves off after the pass.
        p.holdSpot = 0;
        p.needsNewSpot = 1;
        p.WalkToAttackSpot();
    }
}

void CourtMotion::Shot(CCourtPlayer& p, const Hand& hand, float speed) {
    const int32_t id = p.GetCurrentAnimationId();
    p.RollReleasedShot();
    Release(p);
    m_.flags.shooter = &p;
    // A made roll flies straight at the rim; only a miss takes the spread.
    const bool spread = !p.noScatter && !p.shotScores;
    float spreadY = 0.0f;
    float spreadX = 0.0f;
    if (spread) {
        spreadY = static_cast<float>(GameRand()) / kGameRandMax;
        spreadX = static_cast<float>(GameRand()) / kGameRandMax;
    }
    const Vec3 basket = p.AttackedBasket();
    const Vec3 aim = ShotAimPoint(m_, basket, spread, spreadX, spreadY);
    p.noScatter = 0;
    p.SpendStamina(kShotStamina);
    if (id == kAnimShot) {
        // The throw's strength by the distance along the floor to the spot under the basket line.
        const float d = Vec3Distance(p.position, Vec3(aim.x, aim.y - CMatchBall::kRimHeight, basket.z));
        speed = d <= 2.2f ? 8.0f : d <= 4.0f ? 6.0f : d <= 6.5f ? 7.0f : 8.0f;
    }
    ball_.SetSpeed(speed);
    ball_.SetLoose(false);
    const Vec3 direction = Direction(hand.p, aim);
    ball_.SetDirection(direction.x, direction.y, direction.z);
}

void CourtMotion::Dribble(CCourtPlayer& p, const Hand& hand, bool running) {
    const float k = p.GetTrackSpeed() * (running ? 0.5f : 0.43f);
    bool bounce = m_.dribbleOut != 0;
    if (!bounce && hand.d.y >= 0.0f) {
        bounce = running ? hand.yx <= 278.0f
                         : hand.xy >= 25.0f && hand.xy <= 200.0f && !(hand.xy > 55.0f && hand.xy < 65.0f);
    }
    if (!bounce) {
        ball_.SetPosition(hand.p.x, hand.p.y, hand.p.z);
        return;
    }
    m_.dribbleOut = 1;
    m_.dribbleDown = m_.dribbleUp ? 0 : 1;
    Vec3 b = ball_.GetPosition();
    if (b.y > kDribbleFloor && m_.dribbleDown) {
        ball_.SetSpeed(ball_.GetSpeed() + k);
        const Vec3 direction =
            running
                ? Direction(Vec3(), p.lookDirection + Vec3(0.0f, -1.0f, 0.0f))
                : Direction(hand.p, Vec3(hand.p.x + hand.h.x, kDribbleFloor + hand.h.y, hand.p.z + hand.h.z));
        ball_.SetDirection(direction.x, direction.y, direction.z);
        return;
    }
    m_.dribbleUp = 1;
    bool caught = ball_.GetSpeed() - k < 0.0f;
    if (!caught) {
        b = ball_.GetPosition();
        const Vec3 direction = Direction(b, hand.p);
        ball_.SetDirection(direction.x, direction.y, direction.z);
        caught = ball_.GetPosition().y + kDribbleCatchSlack > hand.p.y;
    }
    if (caught) {
        ball_.SetSpeed(running ? 7.0f : 1.43f);
        ball_.SetDirection(0.0f, 0.0f, 0.0f);
        ball_.SetPosition(hand.p.x, hand.p.y, hand.p.z);
        m_.dribbleDown = 0;
        m_.dribbleOut = 0;
        m_.dribbleUp = 0;
        PlayBounceSound();
    }
}

void CourtMotion::Holder(CCourtPlayer& p) {
    const int32_t id = p.GetCurrentAnimationId();
    const Hand hand = ReadHand(p, StoresHandPoint(id));
    bool release = false;
    switch (id) {
    case kAnimIdleBall:
        ball_.SetPosition(hand.p.x, hand.p.y, hand.p.z);
        return;
    case kAnimWalkDribble:
    case kAnimRunDribble:
        Dribble(p, hand, id == kAnimRunDribble);
        return;
    case kAnimPassChest:
        if (hand.yx >= 212.0f && hand.p.y >= p.position.y + 1.0f) {
            Pass(p, hand, 6.0f, true);
            return;
        }
        break;
    case kAnimPassBounce:
        if (hand.yx >= 215.0f) {
            Pass(p, hand, 3.0f, false);
            return;
        }
        break;
    case kAnimPassOverhead:
        if (hand.dir <= 35.0f) {
            Pass(p, hand, 9.0f, true);
            return;
        }
        break;
    case kAnimPassOverheadRight:
        if (m_.dribbleOut ||
            (hand.d.y >= 0.0f && hand.xy <= 50.0f && (hand.d.y == 0.0f || hand.dir <= 20.0f))) {
            Pass(p, hand, 9.5f, true);
            return;
        }
        break;
    case kAnimShot:
        release = hand.d.y >= 0.0f && !(hand.xy < 100.0f && hand.dir > 30.0f) && hand.p.y >= 2.4f;
        if (release) {
            Shot(p, hand, 0.0f);
            return;
        }
        break;
    case kAnimShotFade:
        if (hand.d.y >= 0.0f && (hand.xy >= 236.0f || hand.dir >= 214.0f)) {
            Shot(p, hand, 6.0f);
            return;
        }
        break;
    case kAnimShotClose:
        if (hand.xy >= 310.0f) {
            Shot(p, hand, 5.0f);
            return;
        }
        break;
    case kAnimDribbleMove:
        if (hand.p.y >= p.position.y + 2.4f && hand.dir > 50.0f && hand.dir < 55.0f && hand.xy > 65.0f &&
            hand.xy < 75.0f && hand.yx > 195.0f && hand.yx < 205.0f) {
            Shot(p, hand, 9.0f);
            return;
        }
        break;
    default:
        return;
    }
    // Until its moment the ball follows the hand through the swing.
    ball_.SetPosition(hand.p.x, hand.p.y, hand.p.z);
}

} // namespace

void CMatch3D::UpdateCharacters(float dt) {
    for (CRefereeBase* referee : referees) {
        if (referee != nullptr && referee->HasInstance()) {
            referee->Update(dt);
        }
    }
    for (CAnimatedCharacter* character : characters) {
        auto* p = dynamic_cast<CCourtPlayer*>(character);
        // A player without a mesh instance sits the match out: nothing to move or pose.
        if (p == nullptr || !p->shown || !p->HasInstance()) {
            continue;
        }
        p->Update(dt);
        if (p->clipTime == 0.0) {
            p->releaseReached = 0; // a clip started since the last frame
        }
        p->clipTime += dt;
        // The decisions wait for the middle of a clip before they act again.
        if (p->clipTime >= 0.5 * p->GetClipPeriod()) {
            p->releaseReached = 1;
        }
        if (!ball) {
            continue;
        }
        CourtMotion motion(*this, dt);
        if ((flags.quarter == 0 || jumpBall) && p->GetCurrentAnimationId() == kAnimTipOff) {
            motion.TipOff(*p);
        } else if (!p->hasBall) {
            motion.Steal(*p);
        } else {
            motion.Holder(*p);
        }
    }
    lastFrameStep = dt;
    if (ball) {
        ball->Update(dt);
    }
}

void CMatch3D::RenderCharacters(float dt) {
    Vec3 eye;
    if (g_pQuorelCamera != nullptr) {
        g_pQuorelCamera->GetPosition(eye);
    }
    for (CAnimatedCharacter* character : characters) {
        if (character != nullptr && character->shown && character->HasInstance()) {
            character->AdvanceTime(dt, &eye);
            character->Render();
        }
    }
    for (CRefereeBase* referee : referees) {
        if (referee != nullptr && referee->shown && referee->HasInstance()) {
            referee->AdvanceTime(dt, &eye);
            referee->Render();
        }
    }
    if (ball) {
        ball->Render(dt, false);
    }
}

void CMatch3D::PlaceReferees() {
    CReferee* refs[3] = {firstReferee.get(), secondReferee.get(), thirdReferee.get()};
    const Vec3 posts[3] = {Vec3(kSideLineRefereeX, 0.0f, 0.0f), Vec3(kBaselineRefereeX, 0.0f, courtMinZ),
                           Vec3(kBaselineRefereeX, 0.0f, -courtMinZ)};
    for (int i = 0; i < 3; ++i) {
        CReferee* r = refs[i];
        if (r == nullptr) {
            continue;
        }
        r->match = this;
        r->position = posts[i];
        r->baselineReferee = i == 0 ? 0 : 1;
        r->target = posts[i];
        r->walkTarget = posts[i];
        // Everyone looks across the court, toward the side-line referee's opposite side.
        r->SetFacing(-kSideLineRefereeX, 0.0f, 0.0f);
    }
}

void CMatch3D::UpdateActors(float dt) {
    if (paused || !view3D) {
        return;
    }
    CReferee* refs[3] = {firstReferee.get(), secondReferee.get(), thirdReferee.get()};
    if (flags.quarter == 0) {
        ThinkTeams(dt);
        for (CReferee* r : refs) {
            if (r != nullptr) {
                r->FaceBall();
            }
        }
    } else if (flags.quarter >= 1 && !jumpBall) { // overtimes too
        ThinkTeams(dt);
        if (refs[0] != nullptr) {
            refs[0]->Think();
        }
        for (int i = 1; i < 3; ++i) {
            if (refs[i] != nullptr) {
                refs[i]->FaceBall();
                refs[i]->Think();
            }
        }
    }
}
