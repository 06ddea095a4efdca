// The 3D match's rules tick: substitutions, fouls, steals, loose balls and rebounds, the quarter end
// and the jump ball, and the small operations the rules and the players' minds share.
#include "engine/GameRand.h"
#include "engine/Log.h"
#include "match/EventLine.h"
#include "match/Formation.h"
#include "match/ReboundEdge.h"
#include "match3d/CourtRoles.h"
#include "match3d/Match3D.h"
#include "match3d/MatchDisplay.h"

#include <algorithm>
#include <cmath>

namespace {

// A player's eye point, where reach and pass lanes are measured from.
constexpr float kEyeHeight = 0.95f;
// The rebound reach margin beyond the body radius.
constexpr float kReboundMargin = 0.4f;
constexpr float kBoxOut = 0.55f; // how much nearer a defender counts at a rebound
// The better five (CMatchTeam::FiveStanding) takes its share of the rebounds (ReboundEdgeChance) only
// through a man going for the ball, within this much beyond the rebound's reach.
constexpr float kReboundEdgeReach = 1.0f;
constexpr int kFormationSwitchGap = 8;
constexpr int kFormationSwitchLock = 10000;
constexpr int kTextBallWon = 500000;
constexpr int kTextFoul = 500001;
constexpr int kTextShotClock = 500035;
constexpr int kTextOnTheAttack = 100954; // the away side wins a loose ball both sides reached
constexpr int kTextDefensiveRebound = 500037;
constexpr int kBonusFouls = 5; // the fifth team foul of a quarter and every one after: free throws

Vec3 EyePoint(const CCourtPlayer& p) {
    return p.position + Vec3(0.0f, kEyeHeight, 0.0f);
}

} // namespace

// ---- IMatchContext

CMatchTeam* CMatch3D::Team(int side) {
    return side == 0 ? homeTeam : side == 1 ? awayTeam : nullptr;
}

int CMatch3D::Rand() {
    return GameRand();
}

const ModifierCurve& CMatch3D::Curve(MatchCurve curve) const {
    switch (curve) {
    case MatchCurve::BallStealth:
        return ballStealth;
    case MatchCurve::Morale:
        return moraleModifier;
    case MatchCurve::Stamina:
        return staminaModifier;
    case MatchCurve::Aggression:
        return aggressionModifier;
    case MatchCurve::TacticTargetNum:
        return tacticTargetNum;
    case MatchCurve::PassingTargets:
        return passingTargets;
    case MatchCurve::TwoPoint:
        return twoPointModifier;
    case MatchCurve::ThreePoint:
        return threePointModifier;
    }
    return spareCurve;
}

Vec3 CMatch3D::BallPosition() const {
    return ball ? ball->GetPosition() : Vec3();
}

Vec3 CMatch3D::BallPredictedPosition(double dt) const {
    return ball ? ball->PredictPosition(static_cast<float>(dt)) : Vec3();
}

bool CMatch3D::BallInHand() const {
    return ball && ball->IsHeld();
}

void CMatch3D::SetBallInHand(bool inHand) {
    if (ball) {
        ball->SetHeld(inHand);
    }
}

void CMatch3D::SetBallSpeed(float speed) {
    if (ball) {
        ball->SetSpeed(speed);
    }
}

void CMatch3D::SetBallAim(const Vec3& aim) {
    ballAim = aim;
}

void CMatch3D::StopBall() {
    if (ball) {
        ball->SetSpeed(0.0f);
        ball->SetDirection(0, 0, 0);
    }
}

bool CMatch3D::IsDefenderAhead(const CCourtPlayer& holder) {
    return OpponentNearerBaseline(holder);
}

void CMatch3D::ExchangePlayers(int outId, int inId, int substitutionSide) {
    SubstituteOnSide(substitutionSide == 1 ? 1 : 0, outId, inId);
}

bool CMatch3D::FreeThrowReady() {
    // A player who cannot reach his place (another stands on it) would hold the throw, and the
    // match, for good: after a few seconds the shooter goes ahead.
    return FreeThrowPlayersReady() || positioningTime >= kLongestFreeThrowLineUp;
}

bool CMatch3D::ThrowInOverdue() const {
    return flags.inbound && inboundTime >= kLongestThrowInWait;
}

CCourtPlayer* CMatch3D::NearestPlayer(int side, const Vec3& point, const CCourtPlayer* skip) {
    CMatchTeam* team = Team(side);
    if (team == nullptr) {
        return nullptr;
    }
    CCourtPlayer* nearest = nullptr;
    float best = 100000.0f;
    for (int i = 0; i < team->OnCourtCount(); ++i) {
        CCourtPlayer* player = team->GetPlayer(i);
        if (player == nullptr || player == skip || (view3D && flags.quarter == 0 && i == 0)) {
            continue;
        }
        const float distance = Vec3Distance(player->position, point);
        if (distance < best) {
            best = distance;
            nearest = player;
        }
    }
    return nearest;
}

double CMatch3D::GameClock() const {
    return display != nullptr ? display->GameClock() : 0.0;
}

double CMatch3D::ShotClock() const {
    return display != nullptr ? display->ShotClock() : 0.0;
}

CStr CMatch3D::SideName(int side) const {
    if (display == nullptr) {
        return side == 0 ? CStr("Home") : CStr("Away");
    }
    return side == 0 ? display->HomeTeamName() : display->AwayTeamName();
}

void CMatch3D::ShowEventLine(const CStr& text) {
    if (display != nullptr) {
        display->ShowEventLine(text);
    }
}

CStr CMatch3D::Text(int textId) const {
    return textSource ? textSource(textId) : CStr();
}

void CMatch3D::ResetShotClock() {
    shotOnClock = 0;
    if (display != nullptr) {
        display->ResetShotClock();
    }
}

void CMatch3D::EventLine(const CCourtPlayer& player, int textId) {
    ShowEventLine(MatchEventLine(SideName(player.side), player.name, Text(textId)));
}

// ---- IBallCourt

bool CMatch3D::HandlerSureBasket() const {
    // Only the one who shot can have rolled the shot in; nobody shot means no sure basket.
    return flags.shooter != nullptr && flags.shooter->shotScores != 0;
}

bool CMatch3D::HandlerSureMiss() const {
    return flags.shooter != nullptr && flags.shooter->shotScores == 0;
}

// ---- The tick

void CMatch3D::Tick(float dt) {
    if (homeTeam == nullptr || awayTeam == nullptr) {
        return;
    }
    homeTeam->RecoverBench();
    awayTeam->RecoverBench();
    AnnounceMustLeave();
    UpdatePositioningWait(dt);
    if (flags.substitutionPhase) {
        if (changeTime >= kLongestChangeWalk) {
            // One who cannot reach the bench (he circles his spot, or another stands on it) would
            // hold the change, and the match, for good: after the longest run to the bench he hands
            // over where he stands.
            for (CMatchTeam* team : {homeTeam, awayTeam}) {
                for (int i = 0; i < team->OnCourtCount(); ++i) {
                    CCourtPlayer* p = team->GetPlayer(i);
                    if (p->inSubstitution && !p->cameOn) {
                        p->FinishSubstitution();
                    }
                }
            }
        }
        if (SubstitutionDone()) {
            flags.substitutionPhase = 0;
            for (CMatchTeam* team : {homeTeam, awayTeam}) {
                for (int i = 0; i < team->OnCourtCount(); ++i) {
                    CCourtPlayer* p = team->GetPlayer(i);
                    p->inSubstitution = 0;
                    p->cameOn = 0;
                }
            }
            flags.substitutionRequested = 0;
            flags.calledOffAuto = flags.calledOffUser = nullptr;
        }
        ResolveShot();
        return;
    }
    if (UserPlayerMustLeave() && !substitutionPending && !flags.inbound && !flags.freeThrows &&
        flags.quarter >= 1) {
        paused = 1;
        if (onUserMustLeave) {
            onUserMustLeave();
        }
    }
    UpdateFormationsAndSubs();
    CheckShotClock();
    LooseBallIsARebound();
    if (!flags.freeThrows) {
        HandleLooseBall();
        RunToRebound(dt);
    }
    FollowHolder();
    ContestDribble(dt);
    HandleFouls();
    HandleOutOfBounds();
    ResolveShot();
    // Throws given on this step stop the clock on this step: counted on, the period's last second
    // ended it with the throws still owed.
    if (flags.freeThrows && flags.quarter >= 1) {
        positioningWait = 1;
    }
}

// As on the flat court, the nearest defender within reach of the holder pokes at the ball every 0.5 s
// (a fouler waits longer) with his own steal skill; after four balls won in a row without a shot the
// side with the ball plays on.
void CMatch3D::ContestDribble(float dt) {
    playTime += dt;
    if (flags.shooter != nullptr) {
        stealRun = 0;
    }
    if (!ball || !ball->IsHeld() || flags.inbound || flags.freeThrows || flags.foulPending ||
        flags.shotInFlight || flags.quarter <= 0 || stealRun >= kMaxStealRun) {
        return;
    }
    CCourtPlayer* holder = BallHolder();
    if (holder == nullptr || holder->shotTaken || holder->passing) {
        return;
    }
    const int32_t clip = holder->GetCurrentAnimationId();
    // The dribble and the ball held in the stance; a pass or shot on its way is not pokeable.
    if (clip != kAnimWalkDribble && clip != kAnimRunDribble && clip != kAnimIdleBall) {
        return;
    }
    float reach = 0.0f;
    CCourtPlayer* defender = holder->FindNearestOpponent(holder->position, reach);
    if (defender == nullptr || reach >= kDribbleReach || playTime < defender->nextDribbleContest) {
        return;
    }
    // Only the 19 on the second die fouls and nobody gets hurt, as on the flat court's dribble: a
    // poke this often with the reach-in's wider foul band would foul out a side.
    const int r = defender->PokeCheck(*holder, kPokeFoulFrom);
    // A helper (the nearest, marking another man) reaches in seldom, in a zone and in the man-to-man
    // alike: standing between his spot and the man on the ball he was the nearest so often that the
    // zone's small and power forwards fouled 5-6 times a match, and the man-to-man's helpers, poking
    // four times as often as the zone's, won a new career's side two balls a match more than the
    // computer's zone (11.8 steals against 7.3) and three matches in five against like clubs.
    const bool helper = defender->marking != holder;
    const bool far = helper || holder->DistanceToAttackedBasket() > kScoringRange;
    defender->nextDribbleContest = playTime + (r == kContestFoul ? kFoulPause
                                               : far             ? kFarContestPause
                                                                 : kContestPause);
    if (r == kCheckSucceeded) {
        flags.stealer = defender;
        HandleSteal();
        ++stealRun;
    } else if (r == kContestFoul) {
        flags.stealer = defender;
        flags.foulPending = 1;
        foulSpot = defender->position;
    }
}

// A side that neither shoots nor loses the ball kept it for good (a holder hemmed in with nobody to
// pass to, a pass nobody goes for): after 24 s without a shot the ball goes to the other side, taken
// out at the side line level with it, as after a foul.
void CMatch3D::CheckShotClock() {
    // A shot counts from the moment it leaves the hands.
    if (flags.shotInFlight || flags.freeThrows || (flags.shooter != nullptr && ball && !ball->IsHeld())) {
        shotOnClock = 1;
    }
    if (display == nullptr || !display->TakeShotClockRanOut()) {
        return;
    }
    const bool shot = shotOnClock != 0;
    shotOnClock = 0;
    if (shot || !ball || flags.quarter <= 0 || flags.betweenQuarters || flags.inbound || flags.freeThrows ||
        flags.foulPending || flags.substitutionPhase || jumpBall || tipBall) {
        return;
    }
    const Vec3 at = ball->GetPosition();
    if (!IsInCourt(at.x, at.y, at.z)) {
        return; // already dead: the out-of-bounds handling takes it on
    }
    const CCourtPlayer* first = homeTeam->GetPlayer(0);
    const int attackingSide = first != nullptr && first->attacking ? 0 : 1;
    if (CCourtPlayer* loser = LastInHands(attackingSide)) {
        ++loser->turnovers;
    }
    for (CMatchTeam* team : {homeTeam, awayTeam}) {
        team->ClearAwaitingPass();
        for (int i = 0; i < team->OnCourtCount(); ++i) {
            CCourtPlayer* p = team->GetPlayer(i);
            p->hasBall = 0;
            p->shotTaken = 0;
            p->passing = 0;
            p->passTarget = nullptr;
        }
    }
    ShowEventLine(MatchEventLine(SideName(attackingSide), CStr(), Text(kTextShotClock)));
    ++shotClockViolations[attackingSide];
    ball->SetPosition(at.x >= 0.0f ? courtMaxX + 0.04f : courtMinX - 0.04f, 0.95f, at.z);
    ball->SetHeld(false);
    ball->SetSpeed(0.0f);
    ball->SetDirection(0, 0, 0);
    flags.lastPasser = nullptr;
    foulInboundSide = 1 - attackingSide;
}

// A ball left lying on the court that nobody let go of (no pass, no shot) was nobody's to take: the
// loose-ball rule only hands on a released ball. The players go for it as for a rebound, so it
// never lies there while the clock runs.
void CMatch3D::LooseBallIsARebound() {
    if (!ball || ball->IsHeld() || flags.lastPasser != nullptr || flags.shotInFlight || flags.inbound ||
        flags.freeThrows || flags.substitutionPhase || flags.quarter <= 0 || flags.betweenQuarters ||
        jumpBall || tipBall || BallHolder() != nullptr) {
        return;
    }
    const Vec3 at = ball->GetPosition();
    if (IsInCourt(at.x, at.y, at.z)) {
        flags.shotInFlight = 1;
    }
}

void CMatch3D::UpdatePositioningWait(float dt) {
    const bool throwIn = flags.inbound && !throwInOnClock;
    const bool lineUp = flags.freeThrows || flags.substitutionPhase;
    const bool deadBall = flags.quarter >= 1 && (lineUp || throwIn);
    positioningTime = deadBall ? positioningTime + dt : 0.0;
    changeTime = flags.substitutionPhase ? changeTime + dt : 0.0;
    // Counted after a basket too, when the clock runs on through the throw-in.
    inboundTime = flags.inbound && flags.quarter >= 1 ? inboundTime + dt : 0.0;
    throwInFlight = flags.inbound && inboundThrown ? throwInFlight + dt : 0.0;
    // A throw-in holds the clock until the ball is back on the court, as the rules see that it always
    // comes: the taker picks the ball up where he stands once it is overdue, a throw that misses the
    // court goes to the other side, and after the longest line-up the ball is handed in. Run on after
    // 8 s, a throw-in nobody could bring in once let a quarter run out at 0-0. Free throws hold it
    // through the whole series however long the walk to the lane: the shooter goes ahead after the
    // longest line-up, so the series always ends.
    positioningWait =
        deadBall && (!lineUp || flags.freeThrows || positioningTime < kLongestPositioningWait) ? 1 : 0;
}

void CMatch3D::FollowHolder() {
    if (!ball || !ball->IsHeld()) {
        return;
    }
    if (CCourtPlayer* holder = BallHolder()) {
        ballHandler = holder;
        const Vec3 hand = holder->GetHandBallPosition(0);
        ball->SetPosition(hand.x, hand.y, hand.z);
    }
}

bool CMatch3D::UserPlayerMustLeave() {
    CMatchTeam* user = homeTeam->isUserTeam == 1 ? homeTeam : awayTeam->isUserTeam == 1 ? awayTeam : nullptr;
    if (user == nullptr) {
        return false; // two computer sides: nobody to ask
    }
    AnnounceMustLeave();
    if (!user->HasFitSubstitute()) {
        return false; // nobody may come on: he stays, as on the computer's side
    }
    for (int i = 0; i < user->OnCourtCount(); ++i) {
        const CCourtPlayer* p = user->GetPlayer(i);
        if ((p->injured != 0 || p->personalFouls > 5) && !p->inSubstitution) {
            return true;
        }
    }
    return false;
}

void CMatch3D::AnnounceMustLeave() {
    CMatchTeam* user = homeTeam->isUserTeam == 1 ? homeTeam : awayTeam->isUserTeam == 1 ? awayTeam : nullptr;
    if (user == nullptr || !onMustLeavePopup) {
        return;
    }
    // The user hears of it whichever end his side plays at, and also of one whose change is
    // already under way: a sixth foul on his way to the bench once took him off unannounced.
    for (int i = 0; i < user->OnCourtCount(); ++i) {
        CCourtPlayer* p = user->GetPlayer(i);
        if ((p->injured != 0 || p->personalFouls > 5) && p->leaveAnnounced == 0) {
            p->leaveAnnounced = 1;
            onMustLeavePopup(CStr(p->name), p->injured != 0, p->inSubstitution != 0);
        }
    }
}

bool CMatch3D::SettleMustLeave(bool userAnswers) {
    bool userToAnswer = false;
    for (int side = 0; side < 2; ++side) {
        CMatchTeam* team = Team(side);
        if (team == nullptr) {
            continue;
        }
        const bool user = userAnswers && team->isUserTeam == 1 && team->HasFitSubstitute();
        for (int i = 0; i < team->OnCourtCount(); ++i) {
            CCourtPlayer* p = team->GetPlayer(i);
            // One already walking off in a substitution goes on his way once play resumes.
            if ((p->injured == 0 && p->personalFouls <= 5) || p->inSubstitution) {
                continue;
            }
            if (user) {
                userToAnswer = true;
                continue;
            }
            // The computer sends on its first fit substitute at once; with nobody fit on the bench
            // the player stays (a side never plays four).
            int substitute = team->PickSubstitute(p->playerId);
            if (substitute < 0) {
                substitute = team->PickAnySubstitute(p->playerId); // a tired one rather than nobody
            }
            if (substitute >= 0) {
                SubstituteOnSide(side, p->playerId, substitute);
            }
        }
    }
    if (userToAnswer) {
        // The user hears why and makes the change in the tactics window.
        UserPlayerMustLeave();
        if (onUserMustLeave) {
            onUserMustLeave();
        }
        return false;
    }
    paused = 0;
    return true;
}

void CMatch3D::UpdateFormationsAndSubs() {
    if (flags.quarter <= 0) {
        return;
    }
    if (formationSwitchArmed) {
        if (formationSwitchTicks < kFormationSwitchLock) {
            ++formationSwitchTicks;
        }
        if (formationSwitchTicks >= kFormationSwitchLock) {
            formationSwitchTicks = 0;
            formationSwitchArmed = 0;
        }
    }
    // Every side the computer coaches: the user's opponent, or both when neither is the user's.
    // Two computer sides keep a change each, the second in the slot the user's change would use:
    // sharing one, a side's change waiting for its dead ball held the other side's tired player
    // on the court until a later one, and players ran themselves into injury waiting.
    const bool bothComputer = homeTeam->isUserTeam != 1 && awayTeam->isUserTeam != 1;
    auto changeOf = [this](int side) {
        return (flags.calledOffAuto != nullptr && flags.calledOffAuto->side == side) ||
               (flags.calledOffUser != nullptr && flags.calledOffUser->side == side);
    };
    for (int side = 0; side < 2; ++side) {
        CMatchTeam* computer = Team(side);
        if (computer->isUserTeam == 1) {
            RestUserSide(side);
            continue;
        }
        const int own = side == 0 ? homeScore : awayScore;
        const int other = side == 0 ? awayScore : homeScore;
        if (own + kFormationSwitchGap < other && !formationSwitchArmed) {
            formationSwitchArmed = 1;
            int attack = 0;
            int defence = 0;
            computer->DrawTacticsWhenBehind(attack, defence);
            if (side == 0) {
                PlaceHomeTeam(attack, defence);
            } else {
                PlaceAwayTeam(attack, defence);
            }
        }
        if (flags.substitutionPhase || (bothComputer ? changeOf(side) : flags.substitutionRequested != 0)) {
            continue;
        }
        CCourtPlayer*& calledOff =
            bothComputer && flags.calledOffAuto != nullptr ? flags.calledOffUser : flags.calledOffAuto;
        if (bothComputer && calledOff != nullptr) {
            continue;
        }
        const int outId = computer->PickPlayerToRest();
        const int inId = computer->PickSubstitute(outId);
        if (outId < 0 || inId < 0) {
            ReturnRestedStarter(side, calledOff);
            continue;
        }
        int index = 0;
        CCourtPlayer* leaving = computer->FindById(outId, index);
        CCourtPlayer* incoming = computer->FindById(inId, index);
        if (leaving == nullptr || incoming == nullptr || leaving == incoming) {
            continue;
        }
        leaving->rested = leaving->injured == 0 ? 1 : 0;
        RequestChange(side, leaving, incoming, calledOff);
    }
}

bool CMatch3D::ReturnRestedStarter(int side, CCourtPlayer*& calledOff) {
    CMatchTeam* team = Team(side);
    const int inId = team->PickStarterToReturn();
    const int outId = inId >= 0 ? team->PickToMakeRoom(inId) : -1;
    int index = 0;
    CCourtPlayer* leaving = outId >= 0 ? team->FindById(outId, index) : nullptr;
    CCourtPlayer* incoming = inId >= 0 ? team->FindById(inId, index) : nullptr;
    if (leaving == nullptr || incoming == nullptr || leaving == incoming) {
        return false;
    }
    RequestChange(side, leaving, incoming, calledOff);
    return true;
}

void CMatch3D::RequestChange(int side, CCourtPlayer* leaving, CCourtPlayer* incoming,
                             CCourtPlayer*& calledOff) {
    substitutionPending = 1;
    flags.substitutionRequested = 1;
    flags.substitutionSide = static_cast<uint8_t>(side);
    leaving->inSubstitution = 1;
    leaving->replacement = incoming;
    calledOff = leaving;
    incomingPlayer = incoming;
}

void CMatch3D::RestUserSide(int side) {
    CMatchTeam* user = Team(side);
    // A change the user asked for in the tactics window holds the automatic rest back.
    if (flags.calledOffUser != nullptr && flags.calledOffUser->side == side) {
        userChangeAt = playTime;
    }
    if (flags.substitutionPhase || flags.substitutionRequested != 0 || flags.calledOffAuto != nullptr ||
        flags.calledOffUser != nullptr || playTime - userChangeAt < kUserChangeHold) {
        return;
    }
    // The tired and those in foul trouble, as the computer rests his; the hurt and the fouled-out
    // leave through the user's own window.
    const int outId = user->PickUserPlayerToRest();
    const int inId = outId >= 0 ? user->PickSubstitute(outId) : -1;
    int index = 0;
    CCourtPlayer* leaving = outId >= 0 ? user->FindById(outId, index) : nullptr;
    CCourtPlayer* incoming = inId >= 0 ? user->FindById(inId, index) : nullptr;
    if (leaving == nullptr || incoming == nullptr || leaving == incoming) {
        // A starter the rule rested goes back on; one the user took off himself stays off.
        ReturnRestedStarter(side, flags.calledOffAuto);
        return;
    }
    leaving->rested = 1;
    RequestChange(side, leaving, incoming, flags.calledOffAuto);
}

bool CMatch3D::SubstitutionDone() {
    // The players carry the swap out themselves; it is done once nobody is still walking off. The
    // player who came on keeps his substitution flag until the phase ends: he is not walking off.
    for (CMatchTeam* team : {homeTeam, awayTeam}) {
        for (int i = 0; i < team->OnCourtCount(); ++i) {
            const CCourtPlayer* p = team->GetPlayer(i);
            if (p->inSubstitution && !p->cameOn) {
                return false;
            }
        }
    }
    substitutionPending = 0;
    return true;
}

CCourtPlayer* CMatch3D::RequestSubstitution(int outId, int inId, bool computerSide) {
    const bool computerHome = homeTeam != nullptr && homeTeam->isUserTeam != 1;
    return SubstituteOnSide(computerSide == computerHome ? 0 : 1, outId, inId);
}

CCourtPlayer* CMatch3D::SubstituteOnSide(int side, int outId, int inId) {
    CMatchTeam* team = Team(side);
    int index = 0;
    CCourtPlayer* incoming = team != nullptr ? team->FindById(inId, index) : nullptr;
    if (incoming == nullptr) {
        // The other roster before giving up: a caller may name the side the other way round.
        team = Team(1 - side);
        incoming = team != nullptr ? team->FindById(inId, index) : nullptr;
        if (incoming == nullptr) {
            return nullptr;
        }
    }
    if (incoming->injured != 0 || incoming->foulsCharged + incoming->foulsBooked >= 6 ||
        incoming->personalFouls > 5) {
        return incoming;
    }
    team->Substitute(outId, inId);
    // He takes the role his position fits, a team-mate moving over where that suits both.
    DealCourtRoles(*team);
    return incoming;
}

bool CMatch3D::FoulShooter(CCourtPlayer& shooter) {
    if (flags.freeThrows || flags.inbound || flags.foulPending) {
        return false;
    }
    CCourtPlayer* defender = NearestPlayer(shooter.side == 1 ? 0 : 1, shooter.position, nullptr);
    if (defender == nullptr || !defender->ShotFoulCheck(shooter)) {
        return false;
    }
    flags.stealer = defender;
    flags.foulPending = 1;
    shootingFoul = 1;
    foulSpot = defender->position;
    return true;
}

void CMatch3D::HandleFouls() {
    if (!flags.foulPending) {
        return;
    }
    const bool onShot = shootingFoul != 0;
    shootingFoul = 0;
    CCourtPlayer* fouler = flags.stealer;
    if (fouler == nullptr) {
        flags.foulPending = 0; // nobody to book it on
        return;
    }
    ++fouler->personalFouls;
    ++fouler->foulsCharged;
    fouler->foulsInAttack += fouler->attacking ? 1 : 0;
    const int foulSide = fouler->side == 1 ? 1 : 0;
    ++(foulSide == 0 ? homeTeamFouls : awayTeamFouls);
    ++quarterFouls[foulSide];
    EventLine(*fouler, kTextFoul);
    if (fouler->personalFouls > 5) {
        paused = 1;
    }
    // Only a holder of the other side can have been fouled.
    CCourtPlayer* shooter = BallHolder();
    if (shooter != nullptr && shooter->side == foulSide) {
        shooter = nullptr;
    }
    // Two free throws for a foul on a shot, and for every foul from the team's fifth of a quarter.
    const bool bonus = quarterFouls[foulSide] >= kBonusFouls;
    if (shooter == nullptr || !(onShot || bonus)) {
        if (ball) {
            const float x = foulSpot.x >= 0.0f ? courtMaxX + 0.04f : courtMinX - 0.04f;
            ball->SetPosition(x, 0.95f, foulSpot.z);
            ball->SetHeld(false);
            ball->SetDirection(0, 0, 0);
        }
        if (shooter != nullptr) {
            shooter->hasBall = 0;
            shooter->shotTaken = 0;
        }
        // The fouled side keeps the ball: it takes it out at the side line.
        foulInboundSide = 1 - foulSide;
        flags.foulPending = 0;
        return;
    }
    flags.freeThrows = 1;
    flags.foulPending = 0;
    freeThrowsTaken = 0;
    SetHomeAttacking(foulSide == 1);
    SetAwayAttacking(foulSide == 0);
    shooter->hasBall = 1;
    shooter->shotTaken = 0;
    flags.shooter = shooter;
    ballHandler = shooter;
    if (ball) {
        ball->SetHeld(true);
    }
    // The line-up at the basket the shooter attacks: entries 5-9 at +z, 0-4 at -z.
    const bool plusZ = shooter->AttackedBasket().z > 0.0f;
    const int attackBase = plusZ ? 5 : 0;
    const int defenceBase = plusZ ? 0 : 5;
    shooter->attackTarget = freeThrowSpots[attackBase].attack;
    CMatchTeam* attackers = Team(shooter->side == 1 ? 1 : 0);
    CMatchTeam* defenders = Team(foulSide);
    int entry = attackBase + 1;
    for (int i = 0; i < 4 && i < attackers->OnCourtCount(); ++i) {
        CCourtPlayer* p = attackers->GetPlayer(i);
        if (p == shooter) {
            continue;
        }
        p->attackTarget = freeThrowSpots[entry++].attack;
    }
    for (int i = 0; i < 4 && i < defenders->OnCourtCount(); ++i) {
        defenders->GetPlayer(i)->defenceTarget = freeThrowSpots[defenceBase + i + (plusZ ? 0 : 1)].defence;
    }
}

void CMatch3D::HandleSteal() {
    CCourtPlayer* stealer = flags.stealer;
    CCourtPlayer* victim = BallHolder();
    if (stealer == nullptr) {
        return;
    }
    // Taken before the sides change over, which lets the holder go.
    if (CCourtPlayer* loser = LastInHands(1 - stealer->side)) {
        ++loser->turnovers;
    }
    SetHomeAttacking(stealer->side == 0);
    SetAwayAttacking(stealer->side == 1);
    EventLine(*stealer, kTextBallWon);
    if (victim != nullptr && victim != stealer) {
        victim->hasBall = 0;
        victim->shotTaken = 0;
        victim->passing = 0;
        victim->chasingBall = 0;
        victim->SetAnimation(kAnimIdle, false);
    }
    stealer->hasBall = 1;
    ++stealer->steals;
    ++stealer->ballsWon;
    stealer->passing = 0;
    stealer->needsNewSpot = 1;
    stealer->SetAnimation(kAnimIdleBall, false);
    ballHandler = stealer;
    if (ball) {
        ball->SetDirection(0, 0, 0);
        ball->SetSpeed(0.0f);
        ball->SetHeld(true);
    }
    flags.lastPasser = nullptr;
    flags.passAstray = 0;
    ResetShotClock();
    flags.shotInFlight = 0;
}

void CMatch3D::RunToRebound(float dt) {
    if (!flags.shotInFlight || !ball) {
        return;
    }
    const Vec3 p = ball->PredictPosition(dt);
    const Vec3 spot(p.x, 0.0f, p.z);
    for (int side = 0; side < 2; ++side) {
        if (CCourtPlayer* nearest = NearestPlayer(side, p, nullptr)) {
            (nearest->attacking ? nearest->attackTarget : nearest->defenceTarget) = spot;
        }
    }
}

void CMatch3D::TakeBall(CCourtPlayer& taker) {
    // A ball taken ends any pass still awaited: a receiver left waiting, the taker among them,
    // only stands looking for a ball that is not coming.
    homeTeam->ClearAwaitingPass();
    awayTeam->ClearAwaitingPass();
    taker.passing = 0;
    taker.shotTaken = 0;
    taker.SetAnimation(kAnimIdleBall, false);
    if (ball) {
        ball->SetDirection(0, 0, 0);
        ball->SetSpeed(0.0f);
        ball->SetHeld(true);
    }
    flags.lastPasser = nullptr;
    flags.passAstray = 0;
    flags.shooter = nullptr;
    ballHandler = &taker;
}

void CMatch3D::HandThrowInOver() {
    const CCourtPlayer* first = homeTeam->GetPlayer(0);
    CMatchTeam& team = first != nullptr && first->attacking ? *homeTeam : *awayTeam;
    // The receiver if he stands in the court, else one of his side who does, else anyone of it.
    CCourtPlayer* taker = nullptr;
    const auto inCourt = [this](const CCourtPlayer* p) {
        return p != nullptr && IsInCourt(p->position.x, p->position.y, p->position.z);
    };
    if (inboundReceiver != nullptr && inboundReceiver->side == (&team == awayTeam ? 1 : 0) &&
        inCourt(inboundReceiver)) {
        taker = inboundReceiver;
    }
    for (int i = 0; taker == nullptr && i < team.OnCourtCount(); ++i) {
        CCourtPlayer* p = team.GetPlayer(i);
        if (p != flags.inbounder && inCourt(p)) {
            taker = p;
        }
    }
    if (taker == nullptr) {
        taker = team.GetPlayer(0);
    }
    if (taker == nullptr) {
        return;
    }
    for (CMatchTeam* side : {homeTeam, awayTeam}) {
        for (int i = 0; i < side->OnCourtCount(); ++i) {
            CCourtPlayer* p = side->GetPlayer(i);
            p->hasBall = 0;
            p->passing = 0;
            p->passTarget = nullptr;
        }
    }
    if (flags.inbounder != nullptr) {
        flags.inbounder->holdSpot = 0;
    }
    flags.inbound = 0;
    flags.inbounder = nullptr;
    inboundThrown = 0;
    inboundReceiver = nullptr;
    throwInsMissed = 0;
    TakeBall(*taker);
    taker->hasBall = 1;
}

void CMatch3D::HandleLooseBall() {
    if (flags.quarter <= 0 || !ball) {
        return;
    }
    const Vec3 at = ball->GetPosition();
    CCourtPlayer* home = NearestPlayer(0, at, nullptr);
    CCourtPlayer* away = NearestPlayer(1, at, nullptr);
    const float homeDistance = home != nullptr ? Vec3Distance(at, EyePoint(*home)) : 1e9f;
    const float awayDistance = away != nullptr ? Vec3Distance(at, EyePoint(*away)) : 1e9f;
    if (flags.shotInFlight) {
        // The defenders box out: they stand between the attackers and the basket, so they reach
        // a rebound from farther off.
        const auto reaches = [](const CCourtPlayer* p, float distance) {
            return p != nullptr && distance - (p->attacking ? 0.0f : kBoxOut) < kBodyRadius + kReboundMargin;
        };
        const bool homeReach = reaches(home, homeDistance);
        const bool awayReach = reaches(away, awayDistance);
        CCourtPlayer* taker = nullptr;
        if (homeReach && awayReach) {
            // Both at the ball: each the die and his rebound rating, the nearer on a level roll
            // (a defender counts his box-out), as on the flat court. The steal table's reach
            // contest read the other man's height and defence, so the better rebounder won no more.
            const int homeRoll = home->ReboundRoll();
            const int awayRoll = away->ReboundRoll();
            const float homeNear = homeDistance - (home->attacking ? 0.0f : kBoxOut);
            const float awayNear = awayDistance - (away->attacking ? 0.0f : kBoxOut);
            taker = homeRoll != awayRoll ? (homeRoll > awayRoll ? home : away)
                                         : (homeNear <= awayNear ? home : away);
        } else if (homeReach) {
            taker = home;
        } else if (awayReach) {
            taker = away;
        }
        if (taker == nullptr) {
            return;
        }
        const float gap = homeTeam->FiveStanding() - awayTeam->FiveStanding();
        CCourtPlayer* better = gap > 0.0f ? home : away;
        const float betterDistance = better == home ? homeDistance : awayDistance;
        if (gap != 0.0f && taker != better && better != nullptr &&
            betterDistance - (better->attacking ? 0.0f : kBoxOut) <
                kBodyRadius + kReboundMargin + kReboundEdgeReach &&
            Percent() < 100.0f * ReboundEdgeChance(gap)) {
            taker = better;
        }
        TakeBall(*taker);
        if (!taker->attacking) {
            ++taker->defensiveRebounds;
            EventLine(*taker, kTextDefensiveRebound);
            ResetShotClock();
            SetHomeAttacking(taker->side == 0);
            SetAwayAttacking(taker->side == 1);
        } else {
            ++taker->offensiveRebounds;
        }
        taker->hasBall = 1;
        homeTeam->ClearChaseFlags();
        awayTeam->ClearChaseFlags();
        for (CCourtPlayer* p : {home, away}) {
            if (p != nullptr) {
                p->attackTarget = p->attackHome;
                p->defenceTarget = p->defenceHome;
            }
        }
        taker->PickWideAttackSpot();
        flags.shotInFlight = 0;
        return;
    }
    if (ball->IsHeld() || flags.lastPasser == nullptr) {
        interceptTries = 0;
        return;
    }
    bool homeReach = home != nullptr && homeDistance < kBodyRadius;
    bool awayReach = away != nullptr && awayDistance < kBodyRadius;
    // An opponent in reach of the pass gets one try to take it; failing, he lets it fly on.
    if (!tipBall) {
        CCourtPlayer* opponent = flags.lastPasser->side == 1 ? home : away;
        bool& reach = flags.lastPasser->side == 1 ? homeReach : awayReach;
        if (reach && opponent != nullptr) {
            bool tried = false;
            for (int i = 0; i < interceptTries; ++i) {
                tried = tried || interceptTried[i] == opponent;
            }
            if (!tried && interceptTries < 5) {
                interceptTried[interceptTries++] = opponent;
                // The band of the reach that let him try: from his feet a ball at chest height
                // always read a metre or more, the hardest bands, though it passed within his arms.
                reach = opponent->InterceptCheck(opponent == home ? homeDistance : awayDistance);
            } else {
                reach = false;
            }
        }
    }
    CCourtPlayer* taker = nullptr;
    bool contested = false;
    if (homeReach && awayReach) {
        taker = homeDistance < awayDistance ? home : away;
        contested = true;
    } else if (homeReach) {
        taker = home;
    } else if (awayReach) {
        taker = away;
    }
    if (taker == nullptr || taker == flags.lastPasser) {
        return; // nobody near, or the one who let it go: he never takes it straight back
    }
    if (flags.passAstray && taker->side == flags.lastPasser->side) {
        return; // a pass gone astray is out of his team-mates' reach
    }
    const bool tapped = tipBall != 0;
    tipBall = 0;
    if (taker->side == flags.lastPasser->side) {
        // A team-mate's ball in his hands is a pass caught, whoever it was meant for.
        taker->CompleteCatch();
        flags.shooter = nullptr;
        ballHandler = taker;
        homeTeam->ClearChaseFlags();
        awayTeam->ClearChaseFlags();
        return;
    }
    CCourtPlayer* passer = flags.lastPasser;
    TakeBall(*taker);
    homeTeam->ClearAwaitingPass();
    awayTeam->ClearAwaitingPass();
    flags.inbound = 0;
    flags.inbounder = nullptr;
    flags.foulPending = 0;
    // An opponent's pass taken is a ball stolen; the tap of a jump ball is nobody's, and no steal.
    if (!tapped) {
        EventLine(*taker, kTextBallWon);
        ++taker->steals;
        ++taker->ballsWon;
        ++passer->turnovers;
    }
    if (!taker->attacking) {
        ResetShotClock();
        SetHomeAttacking(taker->side == 0);
        SetAwayAttacking(taker->side == 1);
        if (contested && taker == away) {
            ShowEventLine(MatchEventLine(SideName(1), CStr(), Text(kTextOnTheAttack)));
        }
    }
    taker->hasBall = 1;
    taker->PickWideAttackSpot();
    homeTeam->ClearChaseFlags();
    awayTeam->ClearChaseFlags();
}

void CMatch3D::EndShotInTheAir() {
    // A shot still in the air when a period ends is dead: its roll went in, so nothing said it, but
    // the box score counts it a miss. Say so, as every miss is said.
    CCourtPlayer* shooter = flags.shooter;
    if (shooter != nullptr && !flags.freeThrows && shooter->shotAttemptOpen != 0 &&
        shooter->shotScores != 0 && ball && !ball->IsHeld()) {
        shooter->SayMissedShot();
        shooter->shotAttemptOpen = 0;
        shooter->shotAttemptClose = 0;
    }
}

void CMatch3D::EndQuarter() {
    if (homeTeam == nullptr || awayTeam == nullptr) {
        return;
    }
    EndShotInTheAir();
    homeTeam->ResetPositions();
    awayTeam->ResetPositions();
    for (int i = 0; i < CMatchTeam::kOnCourt; ++i) {
        for (CMatchTeam* team : {homeTeam, awayTeam}) {
            if (CCourtPlayer* p = team->GetPlayer(i)) {
                p->SetAnimation(kAnimIdle, false);
                Vec3 toCentre = p->position * -1.0f;
                toCentre.Normalize();
                p->facing = toCentre;
                p->lookDirection = toCentre;
                p->hasBall = 0;
            }
        }
    }
    ResetShotClock();
    if (ball) {
        ball->SetPosition(0.0f, 2.8f, 0.0f);
        ball->SetDirection(0, 0, 0);
        ball->SetHeld(true);
    }
    flags.foulPending = 0;
    flags.shotInFlight = 0;
    flags.freeThrows = 0;
    flags.inbound = 0;
    // A quarter that ends in the middle of a series or an inbound leaves nothing behind.
    freeThrowsTaken = 0;
    flags.inbounder = nullptr;
    basketScored = 0;
    ballPlacedOut = 0;
    throwInOnClock = 0;
    flags.shooter = nullptr;
    flags.lastPasser = nullptr;
    flags.stealer = nullptr;
    flags.passAstray = 0;
    outLoser = nullptr;
    // The bonus counts the fouls of the new quarter from nothing.
    quarterFouls[0] = quarterFouls[1] = 0;
    shootingFoul = 0;
    foulInboundSide = -1;
    flags.betweenQuarters = 1;
    ShowEventLine(CStr("---------- Quarter ") + CStr::Formatted("%d ends ----------", flags.quarter));
    JumpBall();
    // One of the user's who must leave as the quarter ends is changed over the break: the throw-in
    // or free throws that held his window back ended with the quarter.
    if (!substitutionPending && UserPlayerMustLeave()) {
        paused = 1;
        if (onUserMustLeave) {
            onUserMustLeave();
        }
    }
}

void CMatch3D::JumpBall() {
    if (!view3D) {
        return;
    }
    jumpBall = 1;
    for (CMatchTeam* team : {homeTeam, awayTeam}) {
        CCourtPlayer* centre = team != nullptr ? team->FindByPosition(kPositionCentre) : nullptr;
        if (centre == nullptr) {
            QuorelLog("[CMatch3D::JumpBall] No centre in the %s team",
                      team == homeTeam ? "home" : "visiting");
            continue;
        }
        centre->SetAnimation(kAnimTipOff, true);
    }
}

// ---- Small operations

CCourtPlayer* CMatch3D::LastInHands(int side) {
    const auto ofSide = [side](CCourtPlayer* p) { return p != nullptr && p->side == side ? p : nullptr; };
    if (CCourtPlayer* holder = ofSide(BallHolder())) {
        return holder;
    }
    const bool shot = flags.lastPasser != nullptr && flags.lastPasser == flags.shooter;
    if (CCourtPlayer* passer = shot ? nullptr : ofSide(flags.lastPasser)) {
        return passer;
    }
    return ofSide(ballHandler);
}

void CMatch3D::SetSideAttacking(CMatchTeam* team, bool attacking) {
    if (team == nullptr) {
        return;
    }
    for (int i = 0; i < team->OnCourtCount(); ++i) {
        CCourtPlayer* p = team->GetPlayer(i);
        p->hasBall = 0;
        // The ball changes hands: no pass of the old possession is still on its way to anyone. A
        // receiver left waiting would take the ball out of the new holder's hands while his own
        // side defends, and nobody would ever attack with it.
        p->awaitingPass = 0;
        p->attacking = attacking ? 1 : 0;
    }
}

bool CMatch3D::FreeThrowPlayersReady() {
    if (!flags.freeThrows) {
        return true;
    }
    for (CMatchTeam* team : {homeTeam, awayTeam}) {
        for (int i = 1; i < team->OnCourtCount(); ++i) {
            const CCourtPlayer* p = team->GetPlayer(i);
            const bool ready = p->attacking ? p->AtAttackTarget() : p->AtDefenceTarget();
            if (!ready) {
                return false;
            }
        }
    }
    return true;
}

Vec3 EyeLineVector(const CCourtPlayer& a, const CCourtPlayer& b, float& lengthSq) {
    const Vec3 v = EyePoint(b) - EyePoint(a);
    lengthSq = v.LengthSq();
    return v;
}

void CMatch3D::ThinkTeams(double dt) {
    if (!view3D) {
        return;
    }
    homeTeam->Think(dt);
    awayTeam->Think(dt);
}

CCourtPlayer* CMatch3D::PickRandomPlayer(CMatchTeam& team) {
    const double r = static_cast<double>(Rand()) / kGameRandMax;
    const int slot = static_cast<int>(std::lround(4.0 * r));
    return team.GetPlayer(slot < team.OnCourtCount() ? slot : team.OnCourtCount() - 1);
}

bool CMatch3D::IsPassBlocked(const CCourtPlayer& passer, const CCourtPlayer& receiver) {
    CMatchTeam* opponents = Team(passer.side == 1 ? 0 : 1);
    if (opponents == nullptr) {
        return false;
    }
    const Vec3 from = EyePoint(passer);
    Vec3 dir = EyePoint(receiver) - from;
    const float receiverDistance = dir.Length();
    dir.Normalize();
    if (receiverDistance <= 0.0f) {
        return false;
    }
    for (int i = 0; i < opponents->OnCourtCount(); ++i) {
        const CCourtPlayer* o = opponents->GetPlayer(i);
        // Ray against the sphere around his eye point.
        const Vec3 toCentre = EyePoint(*o) - from;
        const float along = Vec3Dot(toCentre, dir);
        const float missSq = toCentre.LengthSq() - along * along;
        const bool hit = missSq <= kBodyRadius * kBodyRadius &&
                         (along >= 0.0f || toCentre.LengthSq() <= kBodyRadius * kBodyRadius);
        if (hit && Vec3Distance(passer.position, o->position) < receiverDistance) {
            return true;
        }
    }
    return false;
}

void CMatch3D::ReturnToSpots() {
    for (CMatchTeam* team : {homeTeam, awayTeam}) {
        for (int i = 1; i < team->OnCourtCount(); ++i) {
            CCourtPlayer* p = team->GetPlayer(i);
            p->defenceTarget = p->defenceHome;
            p->attackTarget = p->attackHome;
            p->needsNewSpot = 1;
        }
    }
}

bool CMatch3D::OpponentNearerBaseline(const CCourtPlayer& player) {
    CMatchTeam* opponents = Team(player.side == 1 ? 0 : 1);
    if (opponents == nullptr) {
        return false;
    }
    const float z = player.position.z;
    for (int i = 0; i < opponents->OnCourtCount(); ++i) {
        const float oz = opponents->GetPlayer(i)->position.z;
        if (player.side == 1) {
            if (z < 0.0f ? oz < z : oz > z) {
                return true;
            }
        } else if (z < 0.0f ? std::fabs(oz) > std::fabs(z) + 1.0f : oz > z + 1.0f) {
            return true;
        }
    }
    return false;
}

bool CMatch3D::CoinFlip() {
    return Roll20() >= 10;
}
