#include "match2d/Match2DPlayer.h"

#include "engine/GameRand.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DStep.h"
#include "match2d/Match2DTeam.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kTextBallWon = 500000;
constexpr int kTextFoul = 500001;
constexpr int kTextTwoMade = 500002;
constexpr int kTextTwoMissed = 500003;
constexpr int kTextFreeThrowMade = 500004;
constexpr int kTextFreeThrowMissed = 500005;
constexpr int kTextThreeMade = 500006;
constexpr int kTextThreeMissed = 500007;
constexpr int kTextChallengeWon = 500008;
constexpr int kTextExhausted = 500009;
constexpr int kTextDunkMissed = 500011;
constexpr int kTextDunkMade = 500012;

// Beyond the arc a five's three players who lean most to the three let fly. With only those whose
// three was as good as their two, a five's shooters ran from none to five: a club whose centre and
// forwards drove from the arc took 10 threes a match and made 51 % from the field, one of shooters
// 35 threes at 44 %.
constexpr int kFloorShooters = 3;
constexpr float kDunkReach = 2.0f; // a dunk is thrown from under the rim
// A defender farther off cannot poke at the ball. From 1.15 m (1.35 m), once nobody poked from
// behind at a dribbler bringing the ball up, man-to-man sides fouled 12-14 (16-18) times a match.
constexpr float kReach = 1.5f;
// A defender on the dribbler's body has no room to reach in: he blocks the drive. Poking from within
// half a metre he won about one ball in 250 and fouled one time in 20, an eighth of a side's fouls
// (class 1 fouled 25 times a match). Without those pokes class 1 fouls about 23.5 times and
// steals as before. A wider room (0.55-0.6 m) left more drives free to the rim, where a few big
// men made four shots in five over a season, and a tournament's weaker clubs stole too little.
constexpr float kPokeRoom = 0.5f;
// A ball contest rolls a smooth die (any value between its faces) weighing twenty times its face,
// against the reach band's target raised by the offset. On the plain die a poke won only on its top
// faces, so only defenders a few points above their class's steal rating ever won one: a side's
// steals followed its guards' ratings, and over 42 matches one club stole 0.1 balls a match (guards
// at 51 and 54 in a class around 56) and another 13. Now a rating point is worth a twentieth of a
// face: a class's usual defender wins about three pokes in a hundred, one ten points better five.
// The offset was 366 until the coach's changes came like for like with foul trouble by the
// quarter: the five at their own positions then stole 8.6-9.1 balls a side on 0/13 (7.9-8.2
// before) and class 1 on the mix of tactics above 10. 367.25 once every five had three shooters
// beyond the arc: fewer drives to poke at left class 2 under 10 turnovers a side.
constexpr float kContestDieWeight = 20.0f;
// 347 (367.25 before) since a possession's contests wear off (kContestKeep): a poke now wins about
// three times as often, but a possession's fifth contest has an eighth of the first's chance.
constexpr float kContestDieOffset = 347.0f;
// Each ball contest a side's possession comes through (a poke at the holder or his short pass, a
// drive into a defender's body) leaves the next this share of its chance: a side's lost balls
// follow its possessions, not the time its holders spend beside a defender. Counted by the time,
// a side's holders were poked 240-417 times a match and its drives ran into a body 5-18 times, so
// its turnovers ran from 8 to 19 and its steals from 4 to 10 (the quick results 9-16 and 5-8).
constexpr float kContestKeep = 0.6f;
// The holder's ball handling (his passing) counts against a poke at a third of the steal's weight:
// the quick results lose a ball by the same two ratings. At 0.3 the best passers of class 2
// (Riverton) lost a third fewer balls than their rivals, against 6 % in the quick results.
constexpr float kHandlingWeight = 0.15f;
// A poke weighs the defender's steal rating at 0.45 of its gap to the rating his contest level stands
// for (50 at class 0's 1.28, five more for each 0.12): the die's winning faces begin only about eight
// points under a class's usual rating, so at full weight a five three points under its class won
// half as many pokes (Thornbury 3.6 steals a match, Yarmouth 4.5, Glenwick 4.7) and a man ten under
// none. At half the gap Yarmouth stole 4.9 once every five shot from the arc (fewer drives to poke at).
constexpr float kStealRatingWeight = 0.45f;
constexpr float kContestRatingAtClassZero = 50.0f;
constexpr float kContestLevelAtClassZero = 1.28f; // Match2D.cpp, kRegularLevels
constexpr float kContestLevelPerRating = 0.024f;
// The half weight took a tenth of the higher classes' steals (their fives' best stealers count less,
// and their winning faces begin closer to the usual rating): the die offset eases by this much a
// level point above class 0's.
// 5 until the contests wore off: class 0 then stole 8.0 balls a side, class 2 7.1.
constexpr float kContestLevelEase = 13.0f;
// A missed shot with a defender within reach of the shooter may be his block: he rolls a smooth die
// weighing five times its face, his height and defence rating, against the blocking target of his
// reach band raised by the offset. Only a miss can be blocked, so the shooting figures stay as the
// shot's own roll made them; the offset gives a side about 4.5 blocks a match (one miss in ten).
// 70 until each five stepped at its class's pace: the user's class-0 side on a new career's
// man-to-man then blocked 5.5 a match, and Ashford 6-7, a quarter above the quick results' 5.2.
// 72 until the computer kept its man-to-man when behind before the last quarter: its zones had
// left more shooters free, and on 72 the classes then blocked 5.1 / 4.7 / 5.3.
constexpr float kBlockReach = 2.0f;
constexpr float kBlockDieWeight = 5.0f;
constexpr float kBlockDieOffset = 73.0f;
// The block target is the band's times the defender's level (about 53 x 1.28 / 1.4 / 1.52 by
// class, 6.4 more a class) while a class's defenders rate five points more: classes 1 and 2
// blocked 3.8 a side to class 0's 4.6, the quick results 5.2 in every class. A level above class
// 0's takes this much a level off the target (1.8 a class); 25 took class 2 to 5.8.
constexpr float kBlockLevelEase = 15.0f;
constexpr float kBlockEaseFrom = 1.28f; // class 0's league level (Match2D.cpp, kRegularLevels)
// A contested miss not blocked is a shooting foul this often: about one and a half a side a match,
// whose free throws give back part of the points the drives' lost balls (kLostBallShare) cost.
// More made the user's side, cycling through the zones, go to the line 31 times.
constexpr float kShootingFoulShare = 0.08f;
// A driver whose way the defender has blocked (on his body, within kPokeRoom) loses the ball now
// and then, looked at once a second of such contact: seven times in ten between equals, at the
// possession's share (kContestKeep; three in ten before the contests wore off), three more in a
// hundred for every point the defender's defence stands above the driver's passing; a charge (his
// foul) in two of those ten, a travel in the rest. A side loses 1-5 balls a match so. At a fixed
// share the EuroCup's stronger half won 61 % of its matches against the weaker (67 % before).
constexpr int kChargeTicks = 33;
constexpr float kLostBallShare = 0.72f;
constexpr float kLostBallPerPoint = 0.03f;
constexpr float kChargePart = 0.2f;
// A holder fouled within 11 m of the basket was driving at it; farther out the foul counts only
// toward the team-foul bonus.
constexpr float kShootingFoulRange = 11.0f;

} // namespace

// The largest square whose root is at most limit: comparing a square with it decides exactly as
// comparing the root with limit would, without taking the root.
float LargestSquareWithin(float limit) {
    const float up = std::numeric_limits<float>::infinity();
    if (!(limit > 0.0f) || limit == up) {
        // No root is below a negative limit; every one is within infinity; NaN decides nothing.
        return limit < 0.0f ? -1.0f : limit;
    }
    float x = limit * limit;
    while (std::sqrt(x) > limit) {
        x = std::nextafter(x, 0.0f);
    }
    while (std::sqrt(std::nextafter(x, up)) <= limit) {
        x = std::nextafter(x, up);
    }
    return x;
}

float LargestSquareBelow(float limit) {
    return LargestSquareWithin(std::nextafter(limit, 0.0f));
}

const float CMatch2DPlayer::kNearSquare = LargestSquareWithin(0.5f);
const float CMatch2DPlayer::kCloseOutSquare = LargestSquareWithin(kCloseOutGap);

namespace {

// A root below 0.5 (a ball within hands' reach) and below 1.5 (a rebound within reach).
const float kBelowHalfSquare = LargestSquareBelow(0.5f);
const float kBelowReboundSquare = LargestSquareBelow(1.5f);

int Clamp04(int index) {
    return index < 0 ? 0 : (index > 4 ? 4 : index);
}

} // namespace

CMatch2DPlayer::CMatch2DPlayer() = default;

CMatch2DPlayer* CMatch2DPlayer::Clone() const {
    auto* copy = new CMatch2DPlayer;
    *copy = *this;
    return copy;
}

namespace {

// Record word -> place in the attribute array, -1 for words a match player does not copy.
struct AttributeSlots {
    int slot[64];
    constexpr AttributeSlots() : slot() {
        for (int& s : slot) {
            s = -1;
        }
        for (int i = 0; i < 32; ++i) {
            slot[kMatchAttributeWords[i]] = i;
        }
    }
};
constexpr AttributeSlots kSlots;

} // namespace

int CMatch2DPlayer::Attribute(int word) const {
    const int slot = word >= 0 && word < 64 ? kSlots.slot[word] : -1;
    return slot >= 0 ? attributes[slot] : 0;
}

void CMatch2DPlayer::SetAttribute(int word, int value) {
    const int slot = word >= 0 && word < 64 ? kSlots.slot[word] : -1;
    if (slot >= 0) {
        attributes[slot] = value;
    }
}

float CMatch2DPlayer::SpeedForRating(int rating) {
    return 2.0f / static_cast<float>(rating < 1 ? 1 : rating);
}

CMatch2DTeam* CMatch2DPlayer::OwnTeam() const {
    return homeSide ? match->GetHomeTeam() : match->GetAwayTeam();
}

CMatch2DTeam* CMatch2DPlayer::OtherTeam() const {
    return homeSide ? match->GetAwayTeam() : match->GetHomeTeam();
}

void CMatch2DPlayer::SetStartPosition(float x, float y, float z) {
    startPosition = Vec3(x, y, z);
    position = startPosition;
    target = startPosition;
}

void CMatch2DPlayer::SetLookAt(float x, float y, float z) {
    lookAt = Vec3(x, y, z);
    direction = lookAt;
}

void CMatch2DPlayer::MoveStep() {
    MoveStepInline();
}

Vec3 CMatch2DPlayer::RandomPointNear(float radius) const {
    for (int i = 0; i < 1000; ++i) {
        const float a = static_cast<float>(GameRand() % 360) * 3.14159265f / 180.0f;
        const Vec3 candidate(position.x + std::sin(a) * radius, position.y,
                             position.z + std::cos(a) * radius);
        if (!match->IsOutOfCourt(candidate.x, candidate.y, candidate.z)) {
            return candidate;
        }
    }
    return position;
}

void CMatch2DPlayer::TakePossession() {
    OwnTeam()->SetAttacking();
    OtherTeam()->SetDefending();
}

const Vec3& CMatch2DPlayer::Basket() const {
    return homeSide ? match->awayInbound : match->homeInbound;
}

float CMatch2DPlayer::DistanceToBasket() const {
    return Vec3Distance(position, Basket());
}

CMatch2DPlayer* CMatch2DPlayer::FindOpenTeammate() const {
    if (nearestOpponentKnown) {
        return OwnTeam()->FindMostOpen(*OtherTeam(), this, nearestOpponentSquare);
    }
    return OwnTeam()->FindMostOpen(*OtherTeam());
}

bool CMatch2DPlayer::CanPassOver(float distance) const {
    // He knows his own arm: the pass roll has no die, so this is the roll itself.
    const float target = match->passingTargets.Lookup(TruncatedKey(distance)) * levelFactor;
    return target <= static_cast<float>(PassRating()) + CommonTerms() + kPassOverreach;
}

CMatch2DPlayer* CMatch2DPlayer::FindOpenTeammateInRange() const {
    // FindMostOpen with the mates beyond his range left out; he himself is always within it.
    const CMatch2DTeam* own = OwnTeam();
    const CMatch2DTeam* other = OtherTeam();
    CMatch2DPlayer* best = nullptr;
    float bestSquare = 0.0f;
    const int count = std::min(kCourtPlayers, own->PlayerCount());
    for (int i = 0; i < count; ++i) {
        CMatch2DPlayer* player = own->GetPlayer(i);
        if (player != this && !CanPassOver(Vec3Distance(position, player->position))) {
            continue;
        }
        float square = 0.0f;
        if (player == this && nearestOpponentKnown) {
            square = nearestOpponentSquare;
        } else {
            other->FindNearestSquare(player->position, square, nullptr);
        }
        if (square >= bestSquare) {
            bestSquare = square;
            best = player;
        }
    }
    return best;
}

CMatch2DPlayer* CMatch2DPlayer::NearestOpponent(float& distance) const {
    if (nearestOpponentKnown) {
        distance = nearestOpponentDistance;
        return nearestOpponent;
    }
    return OtherTeam()->FindNearest(position, distance, nullptr);
}

CMatch2DPlayer* CMatch2DPlayer::FindRandomTeammate() const {
    return OwnTeam()->RandomTeammate(this);
}

bool CMatch2DPlayer::ShouldShoot() const {
    float d = 0.0f;
    NearestOpponent(d);
    if (d > 2.0f) {
        return true;
    }
    if (Aggression() > 60) {
        return true;
    }
    return CoinFlip();
}

bool CMatch2DPlayer::ThreePointShooter() const {
    // How far his three stands above his two, against each of the five's.
    const int lean = ThreePointRating() - TwoPointRating();
    const CMatch2DTeam* own = OwnTeam();
    const int count = std::min(kCourtPlayers, own->PlayerCount());
    int leaningMore = 0;
    for (int i = 0; i < count; ++i) {
        const CMatch2DPlayer* mate = own->GetPlayer(i);
        leaningMore += mate->ThreePointRating() - mate->TwoPointRating() > lean ? 1 : 0;
    }
    return leaningMore < kFloorShooters;
}

bool CMatch2DPlayer::IsUnguarded() const {
    float d = 0.0f;
    OtherTeam()->FindNearest(position, d, nullptr);
    return d > 2.5f;
}

void CMatch2DPlayer::ResetBallState() {
    freeThrowShooter = 0;
    firstThrowTaken = 0;
    secondThrowTaken = 0;
    receivingPass = 0;
    hasBall = 0;
    attacking = 0;
    lineupSpot = -1;
    match->lastFouled = nullptr;
}

void CMatch2DPlayer::PostEvent(int textId, const CMatch2DPlayer* named) const {
    match->eventText = match->EventText(textId);
    match->eventName = named->name;
    match->eventSide = named->homeSide;
    match->PostEvent();
}

void CMatch2DPlayer::CheckExhaustion() {
    // Nearly every tick his energy is well above the line: no roll, no call.
    if (energy >= 10.0f) {
        return;
    }
    if (energy <= 0.0f || Roll20() >= 19) {
        PostEvent(kTextExhausted, this);
        mustLeave = 1;
        exhausted = 1;
        OwnTeam()->alertEvent = 1;
        leaveTime = static_cast<int>(match->seconds) + 60 * static_cast<int>(match->minutes);
    }
}

static_assert(CMatch2DTeam::kActionQuietTicks * CMatch2DTeam::kStepDrainBound > 0.05f * 1.01f,
              "an action's quiet ticks cover its energy");

void CMatch2DPlayer::Exert() {
    energy -= 0.05f;
    // Fifty steps' worth at once: the side's next look at its tired comes that much sooner.
    OwnTeam()->alertQuietUntil -= CMatch2DTeam::kActionQuietTicks;
}

void CMatch2DPlayer::FinishUpdate() {
    // Only the user's players are remarked on, and only when someone shows the remarks.
    if (userTeam && match->hooks.remarkLine) {
        StaffRemarks();
    }
}

// Inlined into the free-throw update, its only caller: every player runs it every tick of a line-up.
[[gnu::always_inline]] inline void CMatch2DPlayer::LineUpFreeThrows(bool homeShoots) {
    CMatch2DTeam* home = match->GetHomeTeam();
    CMatch2DTeam* away = match->GetAwayTeam();
    // The shooting side stands at the first entries of its table, the other side at the second.
    Vec3(*shootingTable)[2] = homeShoots ? match->shotSpotB : match->shotSpotA;
    Vec3(*otherTable)[2] = homeShoots ? match->shotSpotA : match->shotSpotB;
    CMatch2DTeam* shooting = homeShoots ? home : away;
    CMatch2DTeam* other = homeShoots ? away : home;
    const bool ownSideShoots = (homeSide != 0) == homeShoots;
    if (ownSideShoots) {
        if (freeThrowShooter) {
            target = shootingTable[0][0];
            lineupSpot = 0;
        } else if (lineupSpot < 0 || target != shootingTable[Clamp04(lineupSpot)][0]) {
            const int c = Clamp04(shooting->freeThrowSpot);
            target = shootingTable[c][0];
            lineupSpot = c;
            ++shooting->freeThrowSpot;
        }
    } else if (lineupSpot < 0 || target != otherTable[Clamp04(lineupSpot)][1]) {
        const int c = Clamp04(other->freeThrowSpot - 1);
        target = otherTable[c][1];
        lineupSpot = c;
        ++other->freeThrowSpot;
    }
}

// Steps 2-3 of the update: the free-throw series, lined up, shot and ended.
void CMatch2DPlayer::UpdateFreeThrows() {
    CMatch2DBall& ball = *match->ball;
    const bool homeShoots = match->homeBonus != 0;
    if (!firstThrowTaken && !secondThrowTaken) {
        LineUpFreeThrows(homeShoots);
    }
    StepMeasure measure; // IsNear, measured the way the step measures
    measure.Measure(position, target);
    if (!(measure.square <= kNearSquare)) {
        MoveStepMeasured(measure.from, measure.to, measure.dx, measure.dy, measure.dz, measure.square);
        if (freeThrowShooter) {
            ball.SetPosition(position);
            ball.SetTarget(position);
        }
        return;
    }
    // Only the shooter acts on everyone standing at his spot: the others, at theirs, wait either way,
    // and skip the two searches.
    if (!freeThrowShooter) {
        return;
    }
    if (match->GetAwayTeam()->AllAtTargets() && match->GetHomeTeam()->AllAtTargets()) {
        if (!firstThrowTaken && !secondThrowTaken) {
            ball.SetPosition(position);
            ball.SetTarget(position);
            ShootFreeThrow();
            firstThrowTaken = 1;
        } else if (firstThrowTaken && !secondThrowTaken && !match->shotInFlight && hasBall) {
            ball.SetPosition(position);
            ball.SetTarget(position);
            ShootFreeThrow();
            secondThrowTaken = 1;
        } else if (firstThrowTaken && !secondThrowTaken && !match->shotInFlight && !hasBall) {
            ball.SetPosition(position);
            ball.SetTarget(position);
            hasBall = 1;
        } else if (firstThrowTaken && secondThrowTaken && !match->shotInFlight && !hasBall) {
            (homeShoots ? match->homeBonus : match->awayBonus) = 0;
            ResetBallState();
            match->SwitchPossession();
            match->GetHomeTeam()->freeThrowSpot = 1;
            match->GetAwayTeam()->freeThrowSpot = 1;
            // Every player lines up afresh at the next series.
            for (CMatch2DTeam* team : {match->GetHomeTeam(), match->GetAwayTeam()}) {
                for (auto& p : team->players) {
                    p->lineupSpot = -1;
                }
            }
        }
        return;
    }
    ball.SetPosition(position);
    ball.SetTarget(position);
    return;
}

// Step 8 of the update: the holder decides. Out of line so that the update of the nine players
// without the ball stays a small function.
void CMatch2DPlayer::DecideWithBall() {
    CMatch2DTeam* other = OtherTeam();
    // Nobody moves while the holder decides: his nearest opponent is measured once, and the
    // searches of the open mate, the shot and the dribble read it.
    nearestOpponent = other->FindNearestSquare(position, nearestOpponentSquare, nullptr);
    nearestOpponentDistance =
        nearestOpponent != nullptr ? std::sqrt(nearestOpponentSquare) : CMatch2DTeam::kNoneDistance;
    nearestOpponentKnown = 1;
    // The most open player of a side with court players is always found, and only the pass rule
    // asks who he is: the search (five nearest-opponent searches) waits until then.
    CMatch2DPlayer* mate = nullptr;
    const bool mateFound = OwnTeam()->PlayerCount() > 0;
    if (!mateFound && CoinFlip()) {
        mate = FindRandomTeammate();
    }
    const float d = DistanceToBasket();
    auto passRule = [&]() {
        if (mateFound) {
            mate = FindOpenTeammate();
            // A pass he cannot make goes astray to the other side: he looks for the most open of
            // his side within his range instead (himself included, and then he dribbles on).
            if (mate != this && !CanPassOver(Vec3Distance(position, mate->position))) {
                mate = FindOpenTeammateInRange();
            }
        }
        // The most open player of his side may be the holder himself. Then he keeps the ball and
        // dribbles at the basket; a defender within reach pokes at it (a dribble contest),
        // where a pass to himself would stop him dead and draw a contest every other tick.
        if (mate == this) {
            target = Basket();
            float reach = 0.0f;
            NearestOpponent(reach);
            if (reach < kReach) {
                Dribble();
            }
            return;
        }
        const bool forward = homeSide ? position.z > 0.0f : position.z < 0.0f;
        const bool mateForward = homeSide ? mate->position.z > 0.0f : mate->position.z < 0.0f;
        if (!forward || mateForward) {
            Pass(mate);
        }
    };
    if (mateFound || mate != nullptr) {
        float e = 0.0f;
        CMatch2DPlayer* opponent = NearestOpponent(e);
        const bool threeRange = d > 7.0f && d < 9.0f;
        const bool twoRange = d < 6.8f;
        // An open drive goes on to the rim: the arc lies across every way to the basket, and a
        // driver who pulled up whenever he crossed it took half his side's shots from there.
        // Beyond the arc only one of the five's shooters (ThreePointShooter) lets fly; anyone else
        // plays it as a drive: at the basket when open, else the pass rule. Only a holder in three
        // range asks (every rule below reads it behind threeRange): the five's count is left out of
        // the other decisions, most of them.
        const bool shooter = threeRange && ThreePointShooter();
        if (threeRange && e > 2.0f && (target == Basket() || !shooter)) {
            target = Basket(); // he walks on (step 9)
        } else if (threeRange && !shooter) {
            passRule();
        } else if (threeRange || twoRange) {
            auto shoot = [&]() {
                if (threeRange) {
                    ShootThreePointer();
                } else {
                    Shoot();
                }
            };
            if (e > 2.0f) {
                if (ShouldShoot()) {
                    if (!ChallengeShooter(opponent)) {
                        shoot();
                    }
                } else {
                    Dribble();
                }
            } else if (ShouldShoot()) {
                shoot();
            } else if (CoinFlip()) {
                passRule();
            } else if (ShouldShoot()) {
                if (threeRange) {
                    if (!ChallengeShooter(opponent)) {
                        shoot();
                    }
                } else {
                    shoot();
                }
            } else {
                Dribble();
            }
        } else if (e > 2.0f) {
            target = Basket();
        } else {
            passRule();
        }
    }
    nearestOpponentKnown = 0;
}

// A loose ball chased or a rebound gone for: out of line, as only a step now and then takes it.
void CMatch2DPlayer::ChaseOrRebound() {
    CMatch2DBall& ball = *match->ball;
    if (chase) {
        if ((ball.position - position).LengthSq() > kBelowHalfSquare) {
            target = ball.position;
            MoveStep();
            return;
        }
        match->possessionChanged = 0;
        chase = 0;
        hasBall = 1;
        float d = 0.0f;
        CMatch2DPlayer* mate = OwnTeam()->FindNearest(position, d, this);
        if (mate != nullptr && !CanPassOver(d)) {
            // His side has run up court (against a press, out of a press's spots): a throw that
            // long would go astray, so he brings the ball up himself.
            target = Basket();
            return;
        }
        Pass(mate);
        target = attackSpot;
        return;
    }

    if (rebound) {
        if ((position - ball.position).LengthSq() > kBelowReboundSquare) {
            target = ball.position;
            MoveStep();
            return;
        }
        receivingPass = 0;
        hasBall = 1;
        ball.SetPosition(position);
        ball.SetTarget(position);
        rebound = 0;
        match->missedShot = 0;
        TakePossession();
        return;
    }
}

// A pass on its way to him: he stands until it arrives, then steps on with the ball. A defender
// intercepts one gone astray and his side attacks; a shot on its way to the basket is nobody's pass.
void CMatch2DPlayer::AwaitPass() {
    CMatch2DBall& ball = *match->ball;
    if (match->shotInFlight || (ball.position - position).LengthSq() > kBelowHalfSquare) {
        return;
    }
    receivingPass = 0;
    hasBall = 1;
    ball.SetPosition(position);
    ball.SetTarget(position);
    if (attacking) {
        match->NoteCatch(this);
    } else {
        TakePossession();
        match->GetHomeTeam()->GoToSpots();
        match->GetAwayTeam()->GoToSpots();
        match->possessionTimer = 0.0f;
    }
    if (!receivingPass) {
        MoveStepInline();
        if (hasBall) {
            ball.SetPosition(position);
            ball.SetTarget(position);
        }
    }
}

// The man-to-man rule for the tactics' dispatch; the players' update inlines it (Match2DStep.h).
void CMatch2DPlayer::DefendManInHalf() {
    DefendManInHalfInline();
}

void CMatch2DPlayer::Update() {
    UpdateInline<false>();
    FinishUpdate();
}

void CMatch2DTeam::Update() {
    UpdateCourtPlayers<false>();
}

// ---- rolls and actions ---------------------------------------------------------------------------

float CMatch2DPlayer::CommonTerms() const {
    const float m = match->moraleModifier.Lookup(TruncatedTensKey(Morale()));
    const float s = match->staminaModifier.Lookup(RoundedTensKey(energy));
    const float a = match->aggressionModifier.Lookup(TruncatedTensKey(Aggression()));
    return a + s + m;
}

namespace {

// The shot's die weighs eight times its face. With the plain die a rating point was worth a
// twentieth of the shot, and the best shooters of a club made 95-100 % of their shots over a
// season (layups and put-backs nearly always) while the club shot 48 %; now a rating point or a
// metre of distance moves a shot an eighth as much. The targets move with the weight, so a shot
// the plain die made one time in two still goes in one time in two.
constexpr float kShotDieWeight = 8.0f;
constexpr float kShotDieOffset = 10.5f * (kShotDieWeight - 1.0f);
// The heavier die draws every shot towards even: the twos a little easier and the threes a little
// harder keep a side's shooting where it was (46-48 % in every class, threes 35-37 %; one more on
// the threes once every five had three shooters, who shot 38-40 %).
constexpr float kTwoPointShift = -8.0f;
constexpr float kThreePointShift = 11.0f;

} // namespace

bool CMatch2DPlayer::RollShot(const ModifierCurve& table, int ownRating, float key, float factor,
                              float shift) const {
    const float terms = CommonTerms();
    const int r = Roll20();
    const float sum = kShotDieWeight * static_cast<float>(r) +
                      static_cast<float>((height - 200) / 10 + ShootingRating() / 10 + ownRating) + terms;
    const float target = table.Lookup(key) * factor + kShotDieOffset + shift;
    return target <= sum;
}

float FiveStanding(const CMatch2DTeam& team) {
    const int count = std::min(kCourtPlayers, team.PlayerCount());
    if (count == 0) {
        return 0.0f;
    }
    float sum = 0.0f;
    for (int i = 0; i < count; ++i) {
        sum += team.GetPlayer(i)->overall;
    }
    const float usual =
        kContestRatingAtClassZero + (team.ownLevel - kContestLevelAtClassZero) / kContestLevelPerRating;
    return sum / static_cast<float>(count) - usual;
}

bool CMatch2DPlayer::RollTwoPointer(float distance) const {
    return RollShot(match->twoPointModifier, TwoPointRating(), TruncatedKey(distance),
                    levelFactor + OwnTeam()->ShotLevelShift(), kTwoPointShift);
}

bool CMatch2DPlayer::RollThreePointer(float distance) const {
    return RollShot(match->threePointModifier, ThreePointRating(), TruncatedKey(distance),
                    levelFactor + OwnTeam()->ShotLevelShift(), kThreePointShift);
}

bool CMatch2DPlayer::RollDunk(float distance) const {
    return RollShot(match->dunkingModifier, DunkRating(), TruncatedKey(distance),
                    levelFactor + OwnTeam()->ShotLevelShift(), 0.0f);
}

bool CMatch2DPlayer::RollFreeThrow(float /*distance*/) const {
    // An unguarded set shot from the line has its own row: the rows at 3-4 m are the contested
    // jumpers from there, harder than a layup and easier than a shot from farther out.
    return match->twoPointModifier.Lookup(kFreeThrowKey) <= FreeThrowSum(Roll20(), FreeThrowRating());
}

float CMatch2DPlayer::ContestOdds() const {
    return match->contestOddsHome == homeSide ? match->contestOdds : 1.0f;
}

void CMatch2DPlayer::CameThroughContest() {
    match->contestOdds = ContestOdds() * kContestKeep;
    match->contestOddsHome = homeSide;
}

int CMatch2DPlayer::ContestBall(const Vec3& point, bool countSteal, CMatch2DPlayer* holder) {
    Exert();
    const float d = Vec3Distance(position, point);

    const float target = match->ballStealth.Lookup(ReachBandKey(d)) * ContestLevel() + kContestDieOffset -
                         kContestLevelEase * (ContestLevel() - kContestLevelAtClassZero);
    const float usual =
        kContestRatingAtClassZero + (ContestLevel() - kContestLevelAtClassZero) / kContestLevelPerRating;
    // His steal against the holder's ball handling (his passing), each by its gap to the usual rating.
    const float handling =
        holder != nullptr ? kHandlingWeight * (static_cast<float>(holder->PassRating()) - usual) : 0.0f;
    const float rating = usual + kStealRatingWeight * (static_cast<float>(StealRating()) - usual) - handling;
    // The die's faces from the top down to the winning ones' bottom, of which only the possession's
    // share still wins.
    constexpr float kFaces = kContestDieWeight * 20.0f;
    const float fromTop = kFaces * (1.0f - GameRandUnit());
    const float winning = kFaces - (target - rating - CommonTerms());
    const float odds = holder != nullptr ? holder->ContestOdds() : 1.0f;
    if (fromTop <= odds * winning) {
        if (countSteal) {
            Counter(kStatSteals) += 1;
        }
        return 1;
    }
    if (holder != nullptr) {
        holder->CameThroughContest();
    }
    const int r = Roll20();
    if (r == 20) {
        mustLeave = 1;
        hurt = 1;
        OwnTeam()->alertEvent = 1;
        return 2;
    }
    if (r == 19) {
        (attacking ? attackFouls : defenceFouls) += 1;
        OwnTeam()->teamFouls += 1;
        OwnTeam()->alertEvent = 1;
        return 3;
    }
    return 0;
}

void CMatch2DPlayer::LoseBall() {
    turnovers += 1;
    Counter(kStatPassesFailed) += 1;
}

void CMatch2DPlayer::WinBallFrom(CMatch2DPlayer* loser) {
    match->NoteBallWon();
    loser->hasBall = 0;
    loser->LoseBall();
    ballsWon += 1;
    match->lastPasser = nullptr;
    match->ball->SetTarget(position);
    match->ball->SetPosition(position);
    TakePossession();
    hasBall = 1;
    match->GetHomeTeam()->GoToSpots();
    match->GetAwayTeam()->GoToSpots();
    match->possessionTimer = 0.0f;
}

bool CMatch2DPlayer::ChallengeShooter(CMatch2DPlayer* defender) {
    if (defender == nullptr) {
        return false;
    }
    const float d = Vec3Distance(position, defender->position);
    if (d >= 2.5f || match->stealRun >= CMatch2D::kMaxStealRun || match->InFoulTrouble(*defender)) {
        return false;
    }
    const float target = match->ballStealth.Lookup(ReachBandKey(d)) * ContestLevel();
    const float terms = CommonTerms();
    const float sum =
        static_cast<float>(Roll20() + (defender->height - 200) / 10 + defender->DefenceRating()) + terms;
    if (sum >= target) {
        defender->PostEvent(kTextChallengeWon, defender);
        defender->WinBallFrom(this);
        defender->Counter(kStatBlocks) += 1;
        Counter(kStatChallengeLosses) += 1;
        return true;
    }
    const int r = Roll20();
    if (r == 20) {
        defender->mustLeave = 1;
        defender->hurt = 1;
        defender->OwnTeam()->alertEvent = 1;
    } else if (r == 19) {
        defender->OwnTeam()->alertEvent = 1;
        PostEvent(kTextFoul, defender);
        (defender->attacking ? defender->attackFouls : defender->defenceFouls) += 1;
        defender->OwnTeam()->teamFouls += 1;
        match->lastFouled = this;
        // Fouled in the act of shooting: no shot, two free throws instead.
        if (DistanceToBasket() < kShootingFoulRange) {
            match->AwardFreeThrows(*this);
            return true;
        }
    }
    return false;
}

bool CMatch2DPlayer::Pass(CMatch2DPlayer* receiver) {
    const float terms = CommonTerms();
    if (receiver == nullptr) {
        return false;
    }
    const float dist = Vec3Distance(position, receiver->position);
    const float target = match->passingTargets.Lookup(TruncatedKey(dist)) * levelFactor;
    const float sum = static_cast<float>(PassRating()) + terms;
    Exert();
    CMatch2DBall& ball = *match->ball;
    if (dist <= 1.5f) {
        float dd = 0.0f;
        CMatch2DPlayer* defender = OtherTeam()->FindNearest(ball.position, dd, nullptr);
        if (defender == nullptr) {
            return false; // nobody to pass against: he keeps the ball
        }
        const bool contested = match->ContestAllowed(*defender);
        const int result = contested ? defender->ContestBall(ball.position, true, this) : 0;
        if (contested) {
            match->NoteContest(*defender, result);
        }
        if (result == 1) {
            defender->WinBallFrom(this);
            Counter(kStatPassesLost) += 1;
            return false;
        }
        if (result == 3) {
            match->lastFouled = this;
        }
    }
    if (target <= sum) {
        receiver->receivingPass = 1;
        hasBall = 0;
        ball.SetTarget(receiver->position);
        Counter(kStatPassesCompleted) += 1;
        match->NotePass(this);
        return true;
    }
    const int k = GameRand() % 4;
    CMatch2DPlayer* opponent = homeSide ? match->GetAwayPlayer(k) : match->GetHomePlayer(k);
    if (opponent == nullptr) {
        return false;
    }
    opponent->receivingPass = 1;
    hasBall = 0;
    ball.SetTarget(opponent->position);
    Counter(kStatPassesLost) += 1;
    LoseBall();
    match->lastPasser = nullptr;
    return false;
}

bool CMatch2DPlayer::Dribble() {
    float d = 0.0f;
    CMatch2DPlayer* defender = NearestOpponent(d);
    if (defender == nullptr || !defender->GuardsBallAt(position) || !match->ContestAllowed(*defender)) {
        return false;
    }
    if (d < kPokeRoom) {
        return RunInto(*defender);
    }
    return ContestedBy(*defender);
}

bool CMatch2DPlayer::RunInto(const CMatch2DPlayer& defender) {
    // A driver at five fouls plays careful, as a defender does; and one who ran into his man looks
    // again only a second later.
    if (match->InFoulTrouble(*this) || match->playTicks < nextContestTick) {
        return false;
    }
    nextContestTick = match->playTicks + kChargeTicks;
    // A good ball handler gets out of it against a poor defender more often: his passing against
    // the defender's defence.
    const float share =
        (kLostBallShare + kLostBallPerPoint * static_cast<float>(defender.DefenceRating() - PassRating())) *
        ContestOdds();
    const float u = GameRandUnit();
    if (u >= share) {
        CameThroughContest();
        return false;
    }
    if (u < share * kChargePart) {
        // A charge: his foul (no free throws).
        attackFouls += 1;
        OwnTeam()->alertEvent = 1;
        PostEvent(kTextFoul, this);
    }
    // Charged or stopped dead and travelling, he has lost the ball: the other side brings it in.
    LoseBall();
    match->SwitchPossession();
    return true;
}

bool CMatch2DPlayer::ContestedBy(CMatch2DPlayer& defender) {
    const int result = defender.ContestBall(match->ball->position, true, this);
    match->NoteContest(defender, result);
    if (result == 1) {
        PostEvent(kTextBallWon, &defender);
        defender.WinBallFrom(this);
        return true;
    }
    if (result == 3) {
        match->lastFouled = this;
        PostEvent(kTextFoul, &defender);
        // A driver fouled on his way to the basket goes to the line.
        if (DistanceToBasket() < kShootingFoulRange) {
            match->AwardFreeThrows(*this);
        }
    }
    return false;
}

void CMatch2DPlayer::BeginShot() {
    match->NoteAttempt();
    // The ball goes to the basket: a pass still marked on its way to somebody is void.
    match->GetHomeTeam()->ClearReceivers();
    match->GetAwayTeam()->ClearReceivers();
}

void CMatch2DPlayer::NoteMiss() {
    float d = 0.0f;
    CMatch2DPlayer* defender = NearestOpponent(d);
    if (defender == nullptr || d >= kBlockReach) {
        return;
    }
    const float blockLevel = defender->OwnTeam()->blockLevel;
    const float level = blockLevel > 0.0f ? blockLevel : defender->ContestLevel();
    const float target = match->blockingTargets.Lookup(ReachBandKey(d)) * level + kBlockDieOffset -
                         kBlockLevelEase * (level - kBlockEaseFrom);
    const float sum = kBlockDieWeight * 20.0f * GameRandUnit() +
                      static_cast<float>((defender->height - 200) / 10 + defender->DefenceRating()) +
                      defender->CommonTerms();
    if (sum >= target) {
        defender->Counter(kStatBlocks) += 1;
        Counter(kStatChallengeLosses) += 1;
        return;
    }
    // Or he caught the shooter's arm: two free throws. A defender at five fouls keeps his hands off.
    if (!match->InFoulTrouble(*defender) && GameRandUnit() < kShootingFoulShare) {
        defender->defenceFouls += 1;
        defender->OwnTeam()->teamFouls += 1;
        defender->OwnTeam()->alertEvent = 1;
        PostEvent(kTextFoul, defender);
        match->lastFouled = this;
        match->AwardFreeThrows(*this);
    }
}

void CMatch2DPlayer::Shoot() {
    BeginShot();
    Exert();
    match->ball->SetTarget(Basket());
    hasBall = 0;
    const float d = DistanceToBasket();
    // Only a player at the rim can dunk; from farther out the shot is a jumper.
    const bool dunk = d < kDunkReach && CoinFlip();
    const bool made = dunk ? RollDunk(d) : RollTwoPointer(d);
    OwnTeam()->NoteShotRating(dunk ? DunkRating() : TwoPointRating());
    match->shotInFlight = 1;
    match->missedShot = made ? 0 : 1;
    Counter(kStatFieldGoalsTaken) += 1;
    match->NoteShot(*this, made);
    if (dunk) {
        Counter(kStatDunksTaken) += 1;
    }
    if (made) {
        (homeSide ? match->homePending2 : match->awayPending2) = 1;
        Counter(kStatFieldGoalsMade) += 1;
        if (dunk) {
            Counter(kStatDunksMade) += 1;
        }
    }
    PostEvent(dunk ? (made ? kTextDunkMade : kTextDunkMissed) : (made ? kTextTwoMade : kTextTwoMissed), this);
    if (!made) {
        NoteMiss(); // after the miss is told: a foul on it comes second in the commentary
    }
}

void CMatch2DPlayer::ShootThreePointer() {
    BeginShot();
    Exert();
    match->ball->SetTarget(Basket());
    hasBall = 0;
    const bool made = RollThreePointer(DistanceToBasket());
    OwnTeam()->NoteShotRating(ThreePointRating());
    match->shotInFlight = 1;
    match->missedShot = made ? 0 : 1;
    Counter(kStatThreesTaken) += 1;
    match->NoteShot(*this, made);
    if (made) {
        (homeSide ? match->homePending3 : match->awayPending3) = 1;
        Counter(kStatThreesMade) += 1;
    }
    PostEvent(made ? kTextThreeMade : kTextThreeMissed, this);
    if (!made) {
        NoteMiss();
    }
}

void CMatch2DPlayer::ShootFreeThrow() {
    BeginShot();
    Exert();
    match->ball->SetTarget(Basket());
    hasBall = 0;
    const bool made = RollFreeThrow(DistanceToBasket());
    match->shotInFlight = 1;
    // A missed free throw stays with the shooting side: no rebound, and the next throw still counts.
    match->missedShot = 0;
    Counter(kStatFreeThrowsTaken) += 1;
    if (made) {
        (homeSide ? match->homePending1 : match->awayPending1) = 1;
        Counter(kStatFreeThrowsMade) += 1;
    }
    PostEvent(made ? kTextFreeThrowMade : kTextFreeThrowMissed, this);
}
