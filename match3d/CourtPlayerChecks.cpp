// CCourtPlayer skill checks: the reach and steal contests, shots, free throws and passes, each a
// die, the player's skills and the morale, stamina and aggression modifiers against a table.
#include "match/EventLine.h"
#include "match/TacticsData.h"
#include "match3d/CourtPlayer.h"
#include "match3d/MatchContext.h"

#include <algorithm>

namespace {

// Attribute entries the checks read.
constexpr int kEntryMorale = 1;
constexpr int kEntryRebound = 3;
constexpr int kEntryShooting = 5;
constexpr int kEntryBallHandling = 6; // the defence rating of the player record
constexpr int kEntryTwoPoint = 7;
constexpr int kEntryThreePoint = 8;
constexpr int kEntryDunk = 9;
constexpr int kEntryAggression = 11;
constexpr int kEntryFreeThrow = 13;
constexpr int kEntryPassing = 14;
constexpr int kEntryJump = 15; // the skill of the player record the flat court's steal reads

constexpr float kContestReach = 2.5f;
constexpr int kTextMissedDunk = 500011; // "misses a dunk"
constexpr int kTextMissedTwo = 500003;
constexpr int kTextMissedThree = 500007;
// Points off the shot for each metre the marker stands inside reach: a rule of this game's own, not
// the checks'. Without it (the bare checks) the court motion's open looks gave 58 % from the field
// and 118 points a side in 12 seeded matches; with it 53 % and 109, threes 35 % either way.
constexpr float kContestedShotPerMetre = 2.0f;
// A good defender contests harder: each point of the marker's defence over the shooter's shooting
// adds this much a metre, within the bounds. The squads' defence and shooting stand about level in
// every class, so the shots keep their mean; with the flat 2 a club's defence counted only at fouls.
constexpr float kContestedShotPerMetrePerPoint = 0.1f;
constexpr float kContestedShotPerMetreLeast = 1.0f;
constexpr float kContestedShotPerMetreMost = 3.0f;
// A shot his marker contests (within kContestReach) that misses by no more than this is his block:
// the shot was nearly good, and the hand in the shooter's face spoiled it. Against the heavy shot die
// (a face is 7 points) the contest's own penalty, at most 5, turned about one shot in 150 into a
// miss, half a block a side a match; at 9 (a face and a little) 4.3-5 a side, at 8 3.8-4.5.
constexpr float kBlockMargin = 9.0f;
// A pass into a receiver whose marker stands this close, a long one, or one beyond the passer's arm
// (a failed pass check) is a risky one: it slips away kRiskyPassSlip in a hundred. The squads'
// passing stands so far above the pass table's targets that the check alone failed about one pass
// a side a match in the weakest class and none above it; and a pass beyond the arm lost every time
// left a side of poor passers throwing every ball away.
constexpr float kTightMarking = 2.0f;
constexpr float kLongPass = 8.0f;
constexpr double kRiskyPassSlip = 5.0;
// A risky pass slips the more, the better the receiver's marker defends against the passer's passing
// (as the flat court weighs a driver's passing against his defender's defence): this much in a
// hundred a point between them, within the bounds. The squads' passing and defence stand level in
// every class, so a side's bad passes keep their mean; at a flat 5 a poor passer threw as few away
// as a good one.
constexpr double kRiskyPassSlipPerPoint = 0.3;
constexpr double kRiskyPassSlipLeast = 1.0;
constexpr double kRiskyPassSlipMost = 12.0;

int HeightBonus(const CCourtPlayer& player) {
    return (player.height - 200) / 10;
}

} // namespace

float CCourtPlayer::MoraleModifier() const {
    return match->Curve(MatchCurve::Morale).Lookup(TruncatedTensKey(Attribute(kEntryMorale)));
}

float CCourtPlayer::StaminaModifier() const {
    return match->Curve(MatchCurve::Stamina)
        .Lookup(RoundedTensKey(std::max(stamina - kStaminaKeyOffset, -30.0f)));
}

float CCourtPlayer::AggressionModifier() const {
    return match->Curve(MatchCurve::Aggression).Lookup(TruncatedTensKey(Attribute(kEntryAggression)));
}

int CCourtPlayer::SkillCheck(const Vec3& point) {
    if (match == nullptr) {
        return kCheckFailed;
    }
    const float target =
        match->Curve(MatchCurve::BallStealth).Lookup(ReachBandKey(Vec3Distance(position, point)));
    const float sum = static_cast<float>(Attribute(kEntryJump) + match->Roll20()) + AggressionModifier() +
                      StaminaModifier() + MoraleModifier();
    if (sum >= target) {
        return kCheckSucceeded;
    }
    const int second = match->Roll20();
    if (second == 20) {
        injured = 1;
        return kCheckHurt;
    }
    if (second == 19) {
        // In the table as on the player's card: the two must never disagree.
        ++personalFouls;
        ++foulsCharged;
        foulsInAttack += attacking ? 1 : 0;
        return kCheckFoul;
    }
    return kCheckFailed;
}

int CCourtPlayer::ReboundRoll() {
    return match != nullptr ? match->Roll20() + Attribute(kEntryRebound) : 0;
}

int CCourtPlayer::ContestCheck(CCourtPlayer* handler, int foulFrom, bool mayHurt) {
    if (match == nullptr || handler == nullptr) {
        return kCheckFailed;
    }
    const float distance = static_cast<float>(DistanceTo(*handler));
    if (distance >= kContestReach) {
        return kContestOutOfReach;
    }
    // Read at the club's contest level, as a shot is at its shot level: the bare table lets nearly
    // every poke win.
    const float target =
        match->Curve(MatchCurve::BallStealth).Lookup(ReachBandKey(distance)) * contestLevelFactor;
    const float sum =
        static_cast<float>(match->Roll20() + HeightBonus(*handler) + handler->Attribute(kEntryBallHandling)) +
        AggressionModifier() + StaminaModifier() + MoraleModifier();
    if (sum >= target) {
        return kCheckSucceeded;
    }
    const int second = match->Roll20();
    if (second == 20) {
        if (mayHurt) {
            handler->injured = 1;
        }
        return kCheckFailed;
    }
    return second >= foulFrom ? kContestFoul : kCheckFailed;
}

bool CCourtPlayer::ShotFoulCheck(const CCourtPlayer& shooter) {
    if (match == nullptr) {
        return false;
    }
    const float distance = static_cast<float>(DistanceTo(shooter));
    if (distance >= kShotFoulReach) {
        return false;
    }
    // The flat court's challenge: his own height and defence against the reach band's target.
    const float target =
        match->Curve(MatchCurve::BallStealth).Lookup(ReachBandKey(distance)) * contestLevelFactor;
    const float sum =
        static_cast<float>(match->Roll20() + HeightBonus(*this) + Attribute(kEntryBallHandling)) +
        AggressionModifier() + StaminaModifier() + MoraleModifier();
    if (sum >= target) {
        return false; // a clean challenge
    }
    return match->Roll20() >= kShotFoulFrom;
}

int CCourtPlayer::PokeCheck(const CCourtPlayer& handler, int foulFrom) {
    if (match == nullptr) {
        return kCheckFailed;
    }
    const float distance = static_cast<float>(DistanceTo(handler));
    if (distance >= kContestReach) {
        return kContestOutOfReach;
    }
    const float target =
        match->Curve(MatchCurve::BallStealth).Lookup(ReachBandKey(distance)) * contestLevelFactor;
    const float sum = StealDie(match->Percent()) + static_cast<float>(Attribute(kEntryJump)) +
                      AggressionModifier() + StaminaModifier() + MoraleModifier();
    if (sum >= target) {
        return kCheckSucceeded;
    }
    return match->Roll20() >= foulFrom ? kContestFoul : kCheckFailed;
}

bool CCourtPlayer::InterceptCheck(float reach) {
    if (match == nullptr) {
        return false;
    }
    const float target =
        match->Curve(MatchCurve::BallStealth).Lookup(ReachBandKey(reach)) * contestLevelFactor;
    const float sum = StealDie(match->Percent()) + static_cast<float>(Attribute(kEntryJump)) +
                      AggressionModifier() + StaminaModifier() + MoraleModifier();
    return sum >= target;
}

namespace {

// Die, height, shooting and the three modifiers: what every shot adds before its own skill.
float ShotBonus(CCourtPlayer& shooter, IMatchContext& match) {
    return ShotDie(match.Roll20()) +
           static_cast<float>(HeightBonus(shooter) + shooter.Attribute(kEntryShooting) / 10) +
           shooter.AggressionModifier() + shooter.StaminaModifier() + shooter.MoraleModifier();
}

} // namespace

float CCourtPlayer::TwoPointMargin(float distance, bool atRim) {
    // At the rim the flat court dunks one shot in two: the lay-up reads the dunk as much as the two,
    // or a club's dunkers counted for nothing in 3D though the squad's rating counts them.
    const float skill = atRim ? 0.5f * static_cast<float>(Attribute(kEntryTwoPoint) + Attribute(kEntryDunk))
                              : static_cast<float>(Attribute(kEntryTwoPoint));
    const float sum = ShotBonus(*this, *match) + skill - contestPenalty;
    return sum - match->Curve(MatchCurve::TwoPoint).Lookup(TruncatedKey(distance)) *
                     (levelFactor + twoPointLevelShift);
}

float CCourtPlayer::ThreePointMargin(float distance) {
    const float sum =
        ShotBonus(*this, *match) + static_cast<float>(Attribute(kEntryThreePoint)) - contestPenalty;
    // The row of the true distance, as the flat court reads it, a little above the club's level.
    return sum - match->Curve(MatchCurve::ThreePoint).Lookup(TruncatedKey(distance)) *
                     (levelFactor + kThreeLevelShift);
}

bool CCourtPlayer::TwoPointCheck(float distance) {
    return match != nullptr && TwoPointMargin(distance) >= 0.0f;
}

bool CCourtPlayer::ThreePointCheck(float distance) {
    return match != nullptr && ThreePointMargin(distance) >= 0.0f;
}

void CCourtPlayer::FreeThrowCheck() {
    if (match == nullptr) {
        return;
    }
    // An unguarded set shot has its own row of the two-point table: the rows at the line's distance
    // are contested jumpers. The rating weighs as on the flat court (FreeThrowSum).
    const float sum = FreeThrowSum(match->Roll20(), Attribute(kEntryFreeThrow));
    shotScores = match->Curve(MatchCurve::TwoPoint).Lookup(kFreeThrowKey) <= sum ? 1 : 0;
}

// A marker within reach makes the shot harder, the more the nearer he stands and the better he
// defends.
float CCourtPlayer::ContestedShotPenalty(CCourtPlayer** marker) {
    float distance = 0.0f;
    CCourtPlayer* nearest = FindNearestOpponent(position, distance);
    if (nearest == nullptr || distance >= kContestReach) {
        return 0.0f;
    }
    *marker = nearest;
    const float gap = static_cast<float>(nearest->Attribute(kEntryBallHandling) - Attribute(kEntryShooting));
    const float perMetre = std::clamp(kContestedShotPerMetre + kContestedShotPerMetrePerPoint * gap,
                                      kContestedShotPerMetreLeast, kContestedShotPerMetreMost);
    return (kContestReach - distance) * perMetre;
}

bool CCourtPlayer::ShotCheck() {
    const float distance = static_cast<float>(DistanceToAttackedBasket());
    const bool three = BeyondArc(position);
    CCourtPlayer* marker = nullptr;
    contestPenalty = ContestedShotPenalty(&marker);
    shotAttemptOpen = 1;
    shotAttemptThree = three ? 1 : 0;
    if (!three) {
        ++twoPointAttempts;
    } else {
        ++threePointAttempts;
    }
    if (match == nullptr) {
        shotScores = 0;
        return true;
    }
    const float margin = three ? ThreePointMargin(distance)
                               : TwoPointMargin(distance, GetCurrentAnimationId() == kAnimShotClose);
    shotScores = margin >= 0.0f ? 1 : 0;
    // The marker stopped the shot: the same roll would have gone in without his penalty, or it
    // missed by no more than the block's margin with him in the shooter's face.
    if (!shotScores && marker != nullptr && margin + std::max(contestPenalty, kBlockMargin) >= 0.0f) {
        ++marker->blocks;
    }
    return true;
}

void CCourtPlayer::RollReleasedShot() {
    if (match == nullptr) {
        return;
    }
    MatchFlags& flags = match->Flags();
    flags.shotSpot = position;
    if (flags.freeThrows) {
        return;
    }
    ShotCheck();
    // Only the close-range shots count as field goals of their own; one is made when its basket
    // counts (a made roll can still miss the hoop), so they never outnumber the twos.
    shotAttemptClose = GetCurrentAnimationId() == kAnimShotClose ? 1 : 0;
    if (shotAttemptClose)
        ++fieldGoalsAttempted;
    if (!shotScores) {
        // Said when the shot is decided, never as it starts: a make is announced by its basket.
        SayMissedShot();
    }
}

void CCourtPlayer::SayMissedShot() {
    if (match == nullptr) {
        return;
    }
    const int text = shotAttemptClose   ? kTextMissedDunk
                     : shotAttemptThree ? kTextMissedThree
                                        : kTextMissedTwo;
    match->ShowEventLine(MatchEventLine(match->SideName(side), name, match->Text(text)));
}

int CCourtPlayer::PassCheck(const CCourtPlayer& receiver) {
    if (match == nullptr) {
        return kCheckFailed;
    }
    const float target = match->Curve(MatchCurve::PassingTargets)
                             .Lookup(TruncatedKey(static_cast<float>(DistanceTo(receiver))));
    const float sum = static_cast<float>(Attribute(kEntryPassing)) + StaminaModifier() +
                      AggressionModifier() + MoraleModifier();
    return sum >= target ? kCheckSucceeded : kCheckFailed;
}

bool CCourtPlayer::PassGoesAstray(const CCourtPlayer& receiver) {
    if (match == nullptr) {
        return false;
    }
    float marked = 0.0f;
    const CCourtPlayer* marker = FindNearestOpponent(receiver.position, marked);
    const bool tight = marker != nullptr && marked < kTightMarking;
    if (!tight && DistanceTo(receiver) < kLongPass && PassCheck(receiver) == kCheckSucceeded) {
        return false;
    }
    const int gap = marker != nullptr ? marker->Attribute(kEntryBallHandling) - Attribute(kEntryPassing) : 0;
    const double slip =
        std::clamp(kRiskyPassSlip + kRiskyPassSlipPerPoint * gap, kRiskyPassSlipLeast, kRiskyPassSlipMost);
    return match->Percent() < slip;
}
