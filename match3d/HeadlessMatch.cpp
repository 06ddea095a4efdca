// The headless 3D match: stand-in clips, the display's clocks and the frame loop.
#include "match3d/HeadlessMatch.h"

#include "match3d/Match3D.h"

#include <algorithm>

namespace {

constexpr float kRimHeight = 3.0f;
constexpr float kRimZ = 12.15f;
constexpr float kAtSpot = 0.1f;
constexpr float kShotReleaseHeight = 2.6f;

bool IsPassClip(int32_t a) {
    return a == kAnimPassChest || a == kAnimPassBounce || a == kAnimPassOverhead ||
           a == kAnimPassOverheadRight;
}

bool IsShotClip(int32_t a) {
    return a == kAnimShot || a == kAnimShotFade || a == kAnimShotClose || a == kAnimDribbleMove;
}

void Throw(CMatchBall& ball, const Vec3& to, float speed) {
    Vec3 dir = to - ball.GetPosition();
    dir.Normalize();
    ball.SetDirection(dir.x, dir.y, dir.z);
    ball.SetSpeed(speed);
    ball.SetHeld(false);
    ball.SetLoose(false);
}

} // namespace

void CHeadlessMotion::Release(CMatch3D& match, CCourtPlayer& player, int32_t animation) {
    CMatchBall& ball = *match.ball;
    MatchFlags& flags = match.flags;
    if (animation == kAnimTipOff) {
        if (match.jumpBall == 0 && flags.quarter != 0) {
            return;
        }
        ball.SetSpeed(kPassSpeed);
        ball.SetHeld(false);
        ball.SetLoose(true);
        match.ResolveTipOff();
        flags.lastPasser = &player;
        ++flags.quarter;
        match.jumpBall = 0;
        flags.betweenQuarters = 0;
        player.SetAnimation(kAnimIdle, true);
        return;
    }
    if (animation == kAnimStealLeft || animation == kAnimStealRight) {
        CCourtPlayer* holder = match.BallHolder();
        if (holder == nullptr || holder->side == player.side || !ball.IsHeld()) {
            return;
        }
        flags.stealer = &player;
        const int r = player.PokeCheck(*holder, kPokeFoulFrom);
        if (r == kCheckSucceeded) {
            match.HandleSteal();
        } else if (r == kContestFoul) {
            flags.foulPending = 1;
            match.foulSpot = player.position;
        }
        return;
    }
    if (!player.hasBall) {
        return;
    }
    if (IsPassClip(animation)) {
        if (match.ballAim == Vec3()) {
            return;
        }
        Throw(ball, match.ballAim, kPassSpeed);
        // The throw-in is made: the inbounder no longer waits at the line to pick the ball up.
        if (flags.inbound) {
            player.holdSpot = 0;
            match.inboundThrown = 1;
        }
        flags.lastPasser = &player;
        flags.shooter = nullptr;
    } else if (IsShotClip(animation)) {
        player.RollReleasedShot();
        const Vec3 basket = player.AttackedBasket();
        const float z = basket.z >= 0.0f ? kRimZ : -kRimZ;
        // A shot rolled in goes through the rim; a miss comes off the board beside it.
        const Vec3 target = player.shotScores
                                ? Vec3(0.0f, kRimHeight, z)
                                : Vec3(player.position.x >= 0.0f ? 0.5f : -0.5f, 3.4f,
                                       z >= 0.0f ? match.plusZBoard.planeZ : match.minusZBoard.planeZ);
        // A jump shot leaves the hands above the head, out of every reach: thrown from the hip the
        // stand-in's shots were caught on their way up as passes, a made roll among them.
        const Vec3 from = ball.GetPosition();
        ball.SetPosition(from.x, std::max(from.y, kShotReleaseHeight), from.z);
        Throw(ball, target, kShotSpeed);
        flags.lastPasser = &player;
        flags.shooter = &player;
    } else {
        return;
    }
    player.hasBall = 0;
    player.passing = 0;
    flags.releaseDone = 1;
    player.SetAnimation(kAnimIdle, true);
}

void CHeadlessMotion::Step(CMatch3D& match, float dt) {
    for (CMatchTeam* team : {match.homeTeam, match.awayTeam}) {
        for (int i = 0; team != nullptr && i < team->OnCourtCount(); ++i) {
            CCourtPlayer& p = *team->GetPlayer(i);
            Vec3 to = p.walkTarget - p.position;
            to.y = 0.0f;
            const float distance = to.Length();
            // A receiver waiting for the ball stands, as the court motion's standing clip has him.
            const bool waits = p.awaitingPass && !p.hasBall && p.GetCurrentAnimationId() == kAnimIdle &&
                               !match.flags.substitutionPhase && !p.inSubstitution;
            if (distance > kAtSpot && !waits) {
                const int32_t a = p.GetCurrentAnimationId();
                const bool running = a == kAnimRun || a == kAnimRunDribble;
                const float step =
                    (running ? CAnimatedCharacter::kRunSpeed : CAnimatedCharacter::kWalkSpeed) *
                    static_cast<float>(CAnimatedCharacter::kClipSpeed) * dt;
                to.Normalize();
                p.position += to * (step < distance ? step : distance);
                p.facing = to;
            }
            Clip& clip = clips_[&p];
            const int32_t animation = p.GetCurrentAnimationId();
            if (clip.animation != animation || p.clipRestarted) {
                clip = Clip{animation, 0.0, false};
                p.clipRestarted = 0;
                p.clipFinished = 0;
                p.releaseReached = 0;
            }
            p.clipPeriod = kClipSeconds;
            clip.time += dt;
            if (clip.time >= kClipSeconds * 0.5) {
                p.releaseReached = 1;
                if (!clip.fired && match.ball) {
                    clip.fired = true;
                    Release(match, p, animation);
                }
            }
            if (clip.time >= kClipSeconds) {
                p.clipFinished = 1;
                // Standing and walking clips loop; the release moment comes round again.
                clip.time = 0.0;
                clip.fired = false;
            }
        }
    }
    if (match.ball) {
        match.ball->Update(dt);
    }
}

void PrepareTipOff(CMatch3D& match) {
    for (CMatchTeam* team : {match.homeTeam, match.awayTeam}) {
        team->ResetPositions();
        team->MarkStarters();
    }
    if (match.ball) {
        match.ball->SetPosition(0.0f, 2.8f, 0.0f);
        match.ball->SetHeld(true);
    }
}

long PlayHeadlessMatch(CMatch3D& match, CHeadlessDisplay& display, const HeadlessMatchOptions& options) {
    match.display = &display;
    if (!match.ball)
        match.CreateHeadlessBall();
    CHeadlessMotion motion;
    PrepareTipOff(match);
    CMatchClock& clock = display.clock;
    clock.Reset();
    clock.quarterSeconds = options.quarterSeconds;
    {
        CMatchRandScope stream(match);
        match.JumpBall();
    }
    long steps = 0;
    const long limit = HeadlessFrameLimit(options);
    while (!clock.over && steps < limit) {
        ++steps;
        if (match.paused)
            match.SettleMustLeave(false);
        PlayMatchStep(match, motion);
        if (options.afterStep)
            options.afterStep(match);
        const CMatchClock::Event event =
            clock.CountStep(match.positioningWait != 0, match.flags.inbound != 0, match.flags.quarter > 0,
                            match.homeScore, match.awayScore);
        if (clock.secondPlayed)
            CountCourtSecond(match.homeTeam, match.awayTeam);
        if (event == CMatchClock::Event::QuarterOver) {
            // The break, as the display starts it once the user has read the coach's word.
            CMatchRandScope stream(match);
            match.positioningWait = 0;
            match.EndQuarter();
            ResetPlayersForBreak(match.homeTeam, match.awayTeam);
        }
    }
    // The final whistle ends the match without a break: a made shot still in the air missed.
    if (clock.over)
        match.EndShotInTheAir();
    return steps;
}
