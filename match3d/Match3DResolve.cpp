// Turning what the ball did into match events: out of bounds and the inbound, shots and free
// throws scored, the tip-off, and the pass target a ball holder chooses.
#include "engine/GameRand.h"
#include "match/EventLine.h"
#include "match/Formation.h"
#include "match3d/Match3D.h"

#include <cmath>

namespace {

constexpr int kTextTwo = 500002;
constexpr int kTextFreeThrowMade = 500004;
constexpr int kTextFreeThrowMissed = 500005;
constexpr int kTextThree = 500006;
constexpr int kTextOutOfBounds = 500036;
constexpr int kTextTipOff = 500038;
constexpr int kMaxRedraws = 1000;

} // namespace

void CMatch3D::EndFreeThrows(CCourtPlayer* shooter) {
    flags.freeThrows = 0;
    // The ball lies behind the end line for the other side's throw-in: no ball lost.
    ballPlacedOut = 1;
    freeThrowsTaken = 0;
    if (shooter != nullptr) {
        shooter->hasBall = 0;
        shooter->shotTaken = 0;
    }
    ReturnToSpots();
}

void CMatch3D::HandleOutOfBounds() {
    if (!ball) {
        return;
    }
    if (flags.inbound) {
        if (inboundTime >= kLongestPositioningWait) {
            HandThrowInOver();
            return;
        }
        const Vec3 at = ball->GetPosition();
        // Where the thrown ball is: in the hands of the player who caught it, or its own point.
        const CCourtPlayer* holder = ball->IsHeld() ? BallHolder() : nullptr;
        const bool caught = holder != nullptr && holder != flags.inbounder;
        const Vec3 thrownAt = caught ? holder->position : at;
        const bool thrownIn =
            inboundThrown && (caught || !ball->IsHeld()) && IsInCourt(thrownAt.x, thrownAt.y, thrownAt.z);
        // A throw that has not come onto the court by now never will: it flew on along the line (once
        // for the rest of a quarter, the clock running and nobody able to reach it), or a team-mate
        // outside caught it. The ball is out again, and the other side's, as at any ball out.
        const bool missedCourt = inboundThrown && !thrownIn && throwInFlight >= kThrowInFlight;
        if (missedCourt && throwInsMissed > 0) {
            HandThrowInOver();
            return;
        }
        if (missedCourt) {
            ++throwInsMissed;
            if (flags.inbounder != nullptr) {
                flags.inbounder->holdSpot = 0;
            }
            flags.inbound = 0;
            flags.inbounder = nullptr;
            inboundThrown = 0;
            inboundReceiver = nullptr;
        } else if (!flags.substitutionRequested || inboundThrown || IsInCourt(at.x, at.y, at.z)) {
            // The throw-in is over once the thrown ball is on the court; a throw nobody catches
            // can then go out again.
            if (thrownIn) {
                throwInsMissed = 0;
                flags.inbound = 0;
                flags.inbounder = nullptr;
                inboundThrown = 0;
            }
            return;
        }
    }
    if (flags.inbound) {
        // A change asked for while the ball is still dead for the throw-in is made before it, not
        // at the dead ball after (a minute and more of play later, at times); the same side then
        // takes the ball out, on the clock as before if it follows a basket.
        const CCourtPlayer* away = awayTeam->GetPlayer(0);
        foulInboundSide = away != nullptr && away->attacking ? 1 : 0;
        basketScored = throwInOnClock;
        if (flags.inbounder != nullptr) {
            flags.inbounder->holdSpot = 0;
        }
        flags.inbound = 0;
        flags.inbounder = nullptr;
        inboundReceiver = nullptr;
    }
    int32_t side = 0;
    if (flags.freeThrows) {
        if (!ball->CheckOut(side)) {
            return;
        }
        CCourtPlayer* shooter = flags.shooter;
        ++freeThrowsTaken;
        ball->SetSpeed(0.0f);
        ball->SetDirection(0, 0, 0);
        if (shooter != nullptr) {
            shooter->SetAnimation(kAnimIdleBall, true);
            shooter->hasBall = 1;
            ++shooter->freeThrowsAttempted;
        }
        if (freeThrowsTaken > 1 || shooter == nullptr) {
            const bool home = shooter == nullptr || shooter->side == 0;
            // Behind the end line of the basket the shooter attacks: the opponents inbound next.
            const bool plusZ = shooter != nullptr ? shooter->AttackedBasket().z > 0.0f : !home;
            ball->SetPosition(0.0f, 0.0f, plusZ ? courtMaxZ + 0.01f : courtMinZ - 0.01f);
            EndFreeThrows(shooter);
        } else {
            ball->SetHeld(true);
        }
        return;
    }
    // A ball in the hands is out with the player who holds it: the hand that swings it over the
    // line while he dribbles along the end line, his feet inside, is play on. Counted by the ball
    // alone, a side lost six or seven balls a match that way, held by a player who never left the
    // court.
    if (ball->IsHeld()) {
        const CCourtPlayer* holder = BallHolder();
        if (holder != nullptr && IsInCourt(holder->position.x, holder->position.y, holder->position.z)) {
            return;
        }
    }
    if (!ball->CheckOut(side)) {
        return;
    }
    // A ball still outside from an exit already reported (after a substitution walk, say) keeps
    // the side of that exit, and the player it went out off.
    if (side == 0) {
        side = lastOutSide;
    } else {
        lastOutSide = side;
        // Whoever had it lost it: the player who carried it out or the passer of the ball in the
        // air. A missed shot or a rebound tapped out is nobody's lost ball.
        outLoser = BallHolder();
        if (outLoser == nullptr && flags.shotInFlight == 0 && flags.lastPasser != flags.shooter) {
            outLoser = flags.lastPasser;
        }
    }
    const Vec3 p = ball->GetOutPoint();
    flags.shotInFlight = 0;
    if (flags.substitutionRequested) {
        for (CMatchTeam* team : {homeTeam, awayTeam}) {
            for (int i = 0; i < team->OnCourtCount(); ++i) {
                CCourtPlayer* player = team->GetPlayer(i);
                // The ball is dead while the change is made: a player who carried it out (a
                // called-off one on his way to the bench, say) lets it go, or he would stand with
                // it and hold the change, and the match, for good.
                player->hasBall = 0;
                if (player->inSubstitution) {
                    (player->attacking ? player->attackTarget : player->defenceTarget) =
                        Vec3(courtMaxX + 0.05f, 0.0f, 0.0f);
                }
            }
        }
        flags.substitutionPhase = 1;
        if (ball->IsHeld()) {
            ball->SetHeld(false);
        }
        ball->SetLoose(true);
        return;
    }
    // The ball changes sides. Without a home centre the team flag of the first slot decides.
    CCourtPlayer* homeCentre = homeTeam->FindByPosition(kPositionCentre);
    const CCourtPlayer* reference = homeCentre != nullptr ? homeCentre : homeTeam->GetPlayer(0);
    // After a foul without free throws the fouled side takes it out, whoever attacked.
    const bool awayGets =
        foulInboundSide >= 0 ? foulInboundSide == 1 : reference != nullptr && reference->attacking;
    // A ball that went out of play is lost, and said so; one the rules put out (after a basket, the
    // last free throw, a foul or the shot clock, each with its own line) is not.
    if (foulInboundSide < 0 && !basketScored && !ballPlacedOut) {
        ShowEventLine(MatchEventLine(SideName(awayGets ? 0 : 1), CStr(), Text(kTextOutOfBounds)));
        if (outLoser != nullptr && outLoser->side == (awayGets ? 0 : 1)) {
            ++outLoser->turnovers;
        }
    }
    outLoser = nullptr;
    flags.passAstray = 0;
    ballPlacedOut = 0;
    foulInboundSide = -1;
    SetHomeAttacking(!awayGets);
    SetAwayAttacking(awayGets);
    CMatchTeam& team = awayGets ? *awayTeam : *homeTeam;
    CCourtPlayer* receiver = PickRandomPlayer(team);
    CCourtPlayer* inbounder = PickRandomPlayer(team);
    // Drawn until a different player comes up; the slot decides, not the id, so five players with
    // one id (short rosters) cannot hang it, and the draws are bounded.
    for (int draw = 0; inbounder == receiver && draw < kMaxRedraws; ++draw) {
        inbounder = PickRandomPlayer(team);
    }
    if (inbounder == receiver) {
        for (int i = 0; i < team.OnCourtCount(); ++i) {
            if (team.GetPlayer(i) != receiver) {
                inbounder = team.GetPlayer(i);
                break;
            }
        }
    }
    const float u = static_cast<float>(Rand()) / static_cast<float>(kGameRandMax);
    Vec3 q = p;
    switch (side) {
    case kOutBeyondMinZ:
        q = Vec3(p.x + (3 * u - 2), p.y, p.z + (awayGets ? 3.5f : 3.0f));
        break;
    case kOutBeyondMaxZ:
        q = Vec3(p.x + (awayGets ? 2 - 3 * u : 3 * u - 2), p.y, p.z - (awayGets ? 3.5f : 3.0f));
        break;
    case kOutBeyondMinX:
        q = Vec3(p.x + 2.0f, p.y, p.z - (awayGets ? 3 - 3 * u : 3 * u - 2));
        break;
    default:
        q = Vec3(p.x - 2.0f, p.y, p.z - (awayGets ? 3 - 3 * u : 3 * u - 2));
        break;
    }
    if (IsInCourt(q.x, q.y, q.z)) {
        if (side == kOutBeyondMinZ || side == kOutBeyondMaxZ) {
            q.x = p.x - (q.x - p.x);
        } else {
            q.z = awayGets ? p.z + (3 - 3 * u) : p.z;
        }
    }
    if (receiver != nullptr) {
        receiver->attackTarget = q;
        receiver->holdSpot = 0;
    }
    if (inbounder != nullptr && inbounder != receiver) {
        inbounder->attackTarget = p;
        inbounder->holdSpot = 1;
        flags.inbounder = inbounder;
    }
    inboundReceiver = receiver;
    flags.inbound = 1;
    inboundThrown = 0;
    // Each throw-in waits afresh, after a change made at this dead ball or one thrown out again.
    positioningTime = 0.0;
    inboundTime = 0.0;
    throwInFlight = 0.0;
    throwInOnClock = basketScored;
    basketScored = 0;
    // Nobody may run off with the ball before the inbounder has it.
    flags.lastPasser = nullptr;
    if (CCourtPlayer* holder = BallHolder()) {
        holder->hasBall = 0;
    }
    if (ball->IsHeld()) {
        ball->SetHeld(false);
    }
    ball->SetLoose(true);
    ResetShotClock();
    ball->SetDirection(0, 0, 0);
}

namespace {

// A basket is made on the kind its attempt was counted as: a shot checked as a three from a spot
// worth two moves its attempt over, and a basket without an open attempt (the ball of an earlier
// miss dropping in) brings its own, so no kind ever shows more made than attempted.
void CountScoredAttempt(CCourtPlayer& shooter, bool three) {
    const bool counted = shooter.shotAttemptOpen != 0;
    if (counted && (shooter.shotAttemptThree != 0) != three) {
        --(three ? shooter.twoPointAttempts : shooter.threePointAttempts);
    }
    if (!counted || (shooter.shotAttemptThree != 0) != three) {
        ++(three ? shooter.threePointAttempts : shooter.twoPointAttempts);
    }
    shooter.shotAttemptOpen = 0;
}

} // namespace

void CMatch3D::ResolveShot() {
    if (!ball || !ball->HasHoopContact()) {
        return;
    }
    const int32_t code = ball->GetHoopContact();
    ball->ClearHoopContact();
    CCourtPlayer* shooter = flags.shooter;
    if (code == kBoardPlusZ || code == kBoardMinusZ) {
        if (!flags.freeThrows) {
            return;
        }
        ++freeThrowsTaken;
        if (shooter != nullptr) {
            ++shooter->freeThrowsAttempted;
        }
        if (freeThrowsTaken < 2) {
            ball->SetSpeed(0.0f);
            ball->SetDirection(0, 0, 0);
            // The board marked the miss as a dead shot; the second throw must be able to score.
            flags.shotInFlight = 0;
            if (shooter != nullptr) {
                // Both ends give the shooter the ball back for his second throw.
                shooter->SetAnimation(kAnimIdleBall, true);
                shooter->hasBall = 1;
                shooter->shotTaken = 0;
                EventLine(*shooter, kTextFreeThrowMissed);
            }
            ball->SetHeld(true);
        } else {
            ball->SetPosition(0.0f, 0.0f, code == kBoardPlusZ ? courtMaxZ + 0.01f : courtMinZ - 0.01f);
            ball->SetDirection(0.0f, -0.95f, 0.0f);
            EndFreeThrows(shooter);
        }
        return;
    }
    const bool homeScores = code == kRimMinusZ;
    int32_t& matchScore = homeScores ? homeScore : awayScore;
    CMatchTeam* scoringTeam = homeScores ? homeTeam : awayTeam;
    // Only a shooter of the scoring side is credited, and a field goal nobody is credited with does
    // not count: the scoreboard must always add up to the box score.
    CCourtPlayer* credited = shooter != nullptr && shooter->side == (homeScores ? 0 : 1) ? shooter : nullptr;
    if (credited == nullptr && !flags.freeThrows) {
        return;
    }
    const float endZ = code == kRimMinusZ ? courtMinZ - 0.01f : courtMaxZ + 0.01f;
    if (flags.freeThrows) {
        ++freeThrowsTaken;
        ++matchScore;
        ++scoringTeam->score;
        if (credited != nullptr) {
            ++credited->freeThrowsAttempted;
            ++credited->freeThrowsMade;
            ++credited->pointsFromFreeThrows;
            EventLine(*credited, kTextFreeThrowMade);
        }
        if (freeThrowsTaken < 2) {
            ball->SetSpeed(0.0f);
            ball->SetDirection(0, 0, 0);
            if (shooter != nullptr) {
                shooter->SetAnimation(kAnimIdleBall, true);
                shooter->hasBall = 1;
                shooter->shotTaken = 0;
            }
            ball->SetHeld(true);
        } else {
            ball->SetPosition(0.0f, 0.95f, endZ);
            ball->SetDirection(0, 0, 0);
            EndFreeThrows(shooter);
        }
        return;
    }
    ball->SetPosition(0.0f, 0.95f, endZ);
    ball->SetDirection(0, 0, 0);
    ball->SetHeld(false);
    ball->SetLoose(true);
    basketScored = 1;
    const bool three = BeyondThreePointArc(flags.shotSpot, endZ);
    matchScore += three ? 3 : 2;
    scoringTeam->score += three ? 3 : 2;
    if (credited != nullptr) {
        if (!three && credited->shotAttemptOpen != 0 && credited->shotAttemptClose != 0) {
            ++credited->fieldGoalsMade;
        }
        credited->shotAttemptClose = 0;
        CountScoredAttempt(*credited, three);
        if (three) {
            ++credited->threePointersMade;
            credited->pointsFromThrees += 3;
        } else {
            ++credited->twoPointersMade;
            credited->pointsFromTwos += 2;
        }
        EventLine(*credited, three ? kTextThree : kTextTwo);
        if (flags.assistPasser != nullptr && flags.assistReceiver == credited)
            ++flags.assistPasser->assists;
    }
    flags.assistPasser = nullptr;
    flags.assistReceiver = nullptr;
    flags.shooter = nullptr;
}

void CMatch3D::ResolveTipOff() {
    if (homeTeam == nullptr || awayTeam == nullptr) {
        return;
    }
    const Vec3 jump = jumpPoint;
    tipBall = 1;
    if (view3D) {
        auto drawReceiver = [this](CMatchTeam& team) {
            const double u = static_cast<double>(Rand()) / kGameRandMax;
            int k = static_cast<int>(std::lround(2.0 * u)) + 2;
            if (k == 3) {
                k = 4;
            }
            return team.GetPlayer(k < team.OnCourtCount() ? k : team.OnCourtCount() - 1);
        };
        CCourtPlayer* homeReceiver = drawReceiver(*homeTeam);
        CCourtPlayer* awayReceiver = drawReceiver(*awayTeam);
        bool homeWins = false;
        if (CoinFlip()) {
            homeWins = homeReceiver != nullptr && homeReceiver->SkillCheck(jump) == kCheckSucceeded;
        } else {
            homeWins = !(awayReceiver != nullptr && awayReceiver->SkillCheck(jump) == kCheckSucceeded);
        }
        CCourtPlayer* receiver = homeWins ? homeReceiver : awayReceiver;
        CMatchTeam* winner = homeWins ? homeTeam : awayTeam;
        SetHomeAttacking(homeWins);
        SetAwayAttacking(!homeWins);
        if (receiver != nullptr) {
            EventLine(*receiver, kTextTipOff);
            receiver->awaitingPass = 1;
            // Without a centre the tap goes from the jump point.
            const CCourtPlayer* centre = winner->FindByPosition(kPositionCentre);
            Vec3 dir = receiver->position - (centre != nullptr ? centre->position : jump);
            dir.y = 0.0f;
            dir.Normalize();
            if (ball) {
                ball->SetDirection(dir.x, dir.y, dir.z);
            }
        }
        return;
    }
    CCourtPlayer* home = NearestPlayer(0, jump, nullptr);
    CCourtPlayer* away = NearestPlayer(1, jump, nullptr);
    bool homeWins = false;
    if (CoinFlip()) {
        homeWins = home != nullptr && home->SkillCheck(jump) == kCheckSucceeded;
    } else {
        homeWins = !(away != nullptr && away->SkillCheck(jump) == kCheckSucceeded);
    }
    SetHomeAttacking(homeWins);
    SetAwayAttacking(!homeWins);
    if (CCourtPlayer* taker = homeWins ? home : away) {
        taker->hasBall = 1;
    }
}

CCourtPlayer* CMatch3D::ChoosePassTarget(CCourtPlayer& handler) {
    CMatchTeam* own = Team(handler.side == 1 ? 1 : 0);
    CMatchTeam* other = Team(handler.side == 1 ? 0 : 1);
    if (own == nullptr || other == nullptr) {
        return nullptr;
    }
    CCourtPlayer* choice = nullptr;
    int best = -1;
    float e = 0.0f; // kept from the previous team-mate when one has no opponent near
    for (int i = 0; i < own->OnCourtCount(); ++i) {
        CCourtPlayer* t = own->GetPlayer(i);
        if (t == &handler) {
            continue;
        }
        int score = 0;
        const float b = Vec3Distance(t->position, other->basketPoint);
        if (b <= 2.0f) {
            score += 6;
        } else if (b < 4.0f) {
            score += 5;
        } else if (b == 4.0f) {
            score += 4;
        } else if (b <= 6.0f) {
            score += 3;
        } else if (b <= 9.0f) {
            score += 2;
        }
        if (!IsPassBlocked(handler, *t)) {
            score += 5;
        }
        float found = 0.0f;
        if (t->NearestOpponentDistance(t->position, found)) {
            e = found;
        }
        if (e > 2.0f && e <= 4.0f) {
            score += 2;
        } else if (e > 4.0f && e <= 6.0f) {
            score += 3;
        }
        t->passScore = score;
        if (score > best && Vec3Distance(t->position, handler.position) > 1.0f) {
            best = score;
            choice = t;
        }
    }
    return choice;
}
