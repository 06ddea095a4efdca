// CCourtPlayer: one player of the 3D match, with the values copied from his record, his formation
// spots, the state flags the rules and decisions share, and his match statistics.
#pragma once

#include "match3d/AnimatedCharacter.h"

#include <cstdint>

struct CStaffRecord;
class CMatchTeam;
class IMatchContext;

// Paces the ball holder's actions: time accumulated against a fraction of the clip's length.
struct ThresholdAccumulator {
    double time = 0.0;
    void Reset() { time = 0.0; }
    // Adds the step and answers true once the time passes 2 % (modes 0-2, kind 3 only) or 2.5 %
    // (mode 3, any kind) of the reference, starting again from 0. Anything else neither fires nor
    // accumulates.
    bool Fire(int32_t kind, double reference, double add, uint32_t mode);
};

// v scaled by 1 / s.
void Vec3DivideInPlace(Vec3& v, float s);

// The defence tactic in which each defender marks a man; every other one is a zone.
inline constexpr int kManMarkingTactic = 13;

// Results of the reach and contest checks.
inline constexpr int kCheckFailed = 0;
inline constexpr int kCheckSucceeded = 1;
inline constexpr int kCheckHurt = 2;   // reach check: failed and the jumper is hurt
inline constexpr int kCheckFoul = 3;   // reach check: failed with a personal foul
inline constexpr int kContestFoul = 2; // contest check: failed with a foul by the challenger
inline constexpr int kContestOutOfReach = -1;
// The second die's foul faces after a failed contest: reaching in at the dribbler, and at a shot.
// The die shows 0-19. A challenged shot fouls on 14-19, and only from a challenger within
// kShotFoulReach: most fouls are the pokes' (below), and only a shooting foul or one past the fourth
// of a quarter sends a side to the line, so the shots' share keeps the free throws near 24 a match.
// Since a zone's markers stand off their men past the blocking distance fewer shots are challenged,
// and at 17-19 a side went to the line 15-19 times; since risky passes go astray (their throw-ins
// stop the clock) 15-19 gave 20 free throws a side, 16 in class 1.
inline constexpr int kReachInFoulFrom = 12;
inline constexpr int kShotFoulFrom = 14;
// Only a defender within arm's length of the shooter can foul him. Challenged from the contest's
// whole reach (2.5 m), a third of the shooting fouls (2.5 a side a match) came from a marker 2 m or
// more away, where no referee calls one; within this reach the foul faces are three instead of two,
// so a side still earns about 6.5 shooting fouls a match.
inline constexpr float kShotFoulReach = 2.0f;
// A defender's poke at the holder's ball (the dribble contest and the steal clips' swipe) fouls only
// on the 19: he reaches in about once a second, and a wider band would foul out a side.
inline constexpr int kPokeFoulFrom = 19;

// Pass kinds by the clip that throws them.
inline constexpr int kPassChest = 0;
inline constexpr int kPassBounce = 1;
inline constexpr int kPassOverhead = 2;
inline constexpr int kPassOverheadRight = 3;

// Distances the decisions turn on.
inline constexpr float kAtTargetDistance = 0.38f; // "at" a target: this close or closer
inline constexpr float kWalkStartDistance = 0.1f; // nearer targets are not walked to

// The shot's die weighs seven times its face, less the weight's mean, so a shot the plain die made
// one time in two still goes in one time in two. With the plain die a skill point was a twentieth of
// the shot: a shooter with 65 in twos made nine in ten and one with 55 one in ten, and a club without
// 60s in its five made a third of its shots (as the flat court found before it weighed its die). At
// five times the clubs of a class still spread 5-6 points from the field on the same shots: the
// squads whose five drew the lowest two-point ratings (4-8 points below their classmates') made
// 40-42 %. Seven brings that to 4-4.5 points; eight, a little less, counted a better class's
// shooters too little against a weaker class's.
inline constexpr float kShotDieWeight = 7.0f;
inline constexpr float kShotDieMean = 9.5f;
// Threes read the tables this far above the club's level: the heavier die lifts the long shots most
// (at five times 0.14 gave threes at 34-36 %, at seven the same threes need about 0.27); 0.28 keeps
// them near 34 % and leaves the twos a little more room.
inline constexpr float kThreeLevelShift = 0.28f;
inline float ShotDie(int face) {
    return kShotDieWeight * static_cast<float>(face) - (kShotDieWeight - 1.0f) * kShotDieMean;
}

// A defender's reach for the ball (the poke at the dribbler, the swipe, the reach for a pass) rolls a
// smooth die (any value between its faces) weighed six times, less the weight's share of the face
// those contests were won from (18.7: the defenders of every class won 2.3-2.6 pokes in a hundred on
// the plain die, and still do). On the plain die only its top faces ever won, so a steal point moved
// the winning face a whole face: a side two points higher in steal alone stole 12.6 balls to 7.2 and
// won by 8.5 points a match (the flat court 2.4), more than two points in every other skill bought.
inline constexpr float kStealDieWeight = 6.0f;
inline constexpr float kStealDieFrom = 18.7f;
// percent: the match's percent draw, 0-100; the die's face is a fifth of it.
inline float StealDie(double percent) {
    return kStealDieWeight * static_cast<float>(percent / 5.0) - (kStealDieWeight - 1.0f) * kStealDieFrom;
}

inline constexpr int kMatchStateOnCourt = 300000;
inline constexpr int kMatchStateOnBench = 300001;
inline constexpr int kCourtPlayerAttributes = 15;
inline constexpr int kCourtPlayerNameSize = 1000;

class CCourtPlayer : public CAnimatedCharacter {
public:
    CCourtPlayer() = default;
    CCourtPlayer(const CCourtPlayer&) = default;
    // Copies every field, pointers included: a copy shares the marking and pass links of its source
    // and owns nothing, so it may be deleted freely.
    CCourtPlayer& operator=(const CCourtPlayer&) = default;
    ~CCourtPlayer() override = default;

    // The match this player plays in; every decision asks it about the world around him.
    void AttachMatch(IMatchContext* context) { match = context; }

    // The name from the player record, cut to the buffer (never inside a UTF-8 character).
    void SetName(const char* text);

    // The placement spot, and the player put on it.
    void SetHomeSpot(float x, float y, float z);
    // Body and look direction together.
    void SetHomeFacing(float x, float y, float z);

    // Geometry. Distances are three-dimensional; "within" includes the bound.
    Vec3 GetAimPoint() const { return position; } // where team-mates aim their passes
    // Looks at the other player; distance before normalising.
    void AimAt(const CCourtPlayer& other, float& distance);
    void FaceBall();
    bool AtDefenceTarget() const;
    bool AtAttackTarget() const;
    double DistanceTo(const CCourtPlayer& other) const;
    // Distance of the player to the basket the away side defends when away is set, else the home
    // side's.
    double DistanceToBasket(const CCourtPlayer& player, bool away) const;
    // Distance to the basket this player attacks (the other side's).
    double DistanceToAttackedBasket() const;
    // On or beyond the three-point arc of the basket this player attacks.
    bool BeyondArc(const Vec3& spot) const;
    Vec3 AttackedBasket() const;
    Vec3 DefendedBasket() const;
    CMatchTeam* OwnTeam() const;
    CMatchTeam* OtherTeam() const;
    // The opponent on court nearest to the point and his distance to it; false when there is none.
    bool NearestOpponentDistance(const Vec3& point, float& distance);
    bool NearestOpponent(const Vec3& point, CCourtPlayer& opponent, float& distance);
    CCourtPlayer* FindNearestOpponent(const Vec3& point, float& distance);

    // Walking: a target farther than 0.1 becomes the walk target and the player looks toward it.
    void WalkTo(const Vec3& target);
    void WalkToAttackTarget() { WalkTo(attackTarget); }
    // A new random spot within 3 of the attack home when one is due; back home when off court.
    void WalkToAttackSpot();
    // The same within 2 of the defence home; the man-marking tactic keeps its current target.
    void WalkToDefenceSpot(int defenceTacticType);
    // A random attack target within 4 of the attack home (after a catch, for a loose ball).
    void PickWideAttackSpot();
    // The man-marking position: between the basket and the marked opponent, or the loose ball.
    void UpdateDefenceTarget(int defenceTacticType);
    // How far short of his man, on the basket side, a man-to-man marker stands off the ball: beyond
    // the 2.3 m that blocks a shot, so a pass can find a man with room before his marker closes
    // out (the defender nearest the holder steps up to him whatever the tactic). At 1.5 m no
    // receiver was ever open: the holder waited for the forced shot at 21 s of the shot clock, a
    // side had about 84 possessions, and the forced shots over the marker gave the attackers 40 free
    // throws and 40 % of their misses back. At 2.5 m a new career's side, left alone, won 57.5 % of
    // 120 matches against the computer's zone with the models (70 % in class 1): its markers stood
    // near enough a drive to block and challenge it. At 2.8 m it won 52.5 %: the computer's attack
    // takes about 7 shots more a match and the man-to-man fouls 15 times a match instead of 17-19.
    static constexpr float kManMarkingGap = 2.8f;
    // A zone's marker off the ball, once his man is in his part of the court, stands 2.5 m off him,
    // for the same reason. At 2.2 m the man he marked never had room on the catch: he faded away or
    // waited for the forced shot, and the zone 10's small forward, marking a new career's corner
    // man, fouled three of those shots a match and sat out a third of his starts in foul trouble.
    static constexpr float kZoneMarkingGap = 2.5f;
    // How near the floor under a shot in the air the defender nearest it must stand to go for the
    // rebound instead of holding his man or his spot. Never going, the defenders left the attackers
    // a third and more of their misses; going from 3 m, an eighth.
    static constexpr float kReboundChaseReach = 1.5f;
    // How far from the basket at most a man-to-man marker stands while a shot is in the air: he
    // boxes out between his man and the basket, as a zone's back line stands there already. Holding
    // his gap off a man out on the floor, he left the attackers 26-29 % of their misses against the
    // zone's 19-20 %, and a new career's man-to-man lost about three in five of its 3D matches against
    // the computer's zone. At 3.5 m both sides take back 17-19 %; at 3 m the zone 15-16 %.
    static constexpr float kBoxOutDepth = 3.5f;

    // The mind. AiUpdate is the roster's per-frame call and thinks only while the 3D simulation
    // runs; Think is one step of it, choosing a behaviour by the match's phase.
    void AiUpdate(double dt);
    void Think(double dt);
    // Attackers in open play: the holder's decisions, the others walk to and about their spots.
    void ThinkAttack();
    // Defenders in open play and during inbounds: guard from the defence target, walking to it first.
    void ThinkDefault();
    // Defenders while the match waits for a substitution; the called-off player leaves at his spot.
    void ThinkSubstitution();
    // Attackers while the ball is put back into play.
    void ThinkInbound();
    // Attackers during free throws; the holder is the shooter.
    void ThinkFreeThrow();
    // At the defence target: where to guard next, a steal, a loose-ball chase or an idle gesture.
    // guardPoint receives the last guard point worked out (unchanged when none was).
    void DefendPosition(Vec3& guardPoint, int32_t clipCode, CMatchTeam& own);
    // On-ball pressure: true when this defender is the one nearest the holder in the half he defends
    // (anywhere under the pressing tactic) and has stepped up to him, basket side and within reach.
    bool GuardBall(CMatchTeam& own);
    // A very tired player may get hurt; true when he does.
    bool CheckExhaustion();
    // The receiver of a pass: takes the ball once it is close enough, else runs to a loose ball.
    void ThinkCatchPass();
    // The pass is in his hands: play goes on with him as the holder.
    void CompleteCatch();
    // Defenders while a free throw is taken.
    void ThinkFreeThrowDefence();
    // Attackers while the match waits for a substitution; the called-off player leaves at his spot.
    void ThinkSubstitutionAttack();
    // The user's staff and players comment on his fatigue, fouls and shooting, each event once.
    void PostMatchEvents();
    // Direction of a throw from one point to another: lifted by 40 degrees about the z axis.
    static double LaunchDirection(const Vec3& from, Vec3& direction, const Vec3& to);

    // Skill checks against the match's tables.
    int SkillCheck(const Vec3& point);
    // His bid for a rebound another man also reaches: the die and his rebound rating.
    int ReboundRoll();
    // A failed contest is a foul when the second die shows foulFrom or more (20 hurts the handler).
    int ContestCheck(CCourtPlayer* handler, int foulFrom = kReachInFoulFrom, bool mayHurt = true);
    // A defender's challenge of a shot: true when he fouled the shooter (a failed challenge and
    // the second die at kShotFoulFrom or more); out of reach nothing happens.
    bool ShotFoulCheck(const CCourtPlayer& shooter);
    // An opponent's reach for a pass in flight, reach metres from the ball (measured as the loose
    // ball's reach is, from his eyes): true when he takes it.
    bool InterceptCheck(float reach);
    // The on-ball defender's poke at the holder's ball, as on the flat court: his own steal skill
    // and modifiers against the reach band's target at his level. A failed poke fouls on the second
    // die's foulFrom or more; nobody gets hurt. Out of reach (2.5 m) nothing happens.
    int PokeCheck(const CCourtPlayer& handler, int foulFrom);
    bool TwoPointCheck(float distance);
    bool ThreePointCheck(float distance);
    void FreeThrowCheck();
    // The field-goal roll from where the player stands: a three beyond the arc, else a two, each
    // reading the row of its distance to the basket. A miss that the marker's contest made (the
    // roll clears the shot without his penalty) is his block.
    bool ShotCheck();
    // The shot leaves the hands: the roll is made here, from the release spot, which becomes the
    // match's shot spot (a free throw was rolled at the line already).
    void RollReleasedShot();
    // Tells the commentary this player's shot missed: the dunk, three or two it was counted as.
    void SayMissedShot();
    int PassCheck(const CCourtPlayer& receiver);
    // A risky pass (into a tight marker, a long one, or one beyond his arm: a failed pass check)
    // now and then slips from his hands: it goes astray and is lost.
    bool PassGoesAstray(const CCourtPlayer& receiver);
    // Effort costs stamina down to empty and no further: the stamina table reads every row below
    // empty alike, and a player run below it sat on the bench with a negative figure.
    // A player pays 0.85 of each effort's cost, about 2.8 stamina a minute on court: a starter runs
    // from his fitness to the rest threshold in 13-20 minutes, rests once or twice and plays about 30. At the
    // whole cost (before players kept their own positions) a starter ran dry in about five minutes and a
    // match had 80-110 changes; at six tenths the first rest came in the third quarter and a side made 6
    // changes.
    static constexpr float kEffortShare = 0.85f;
    void SpendStamina(float cost) {
        cost *= kEffortShare;
        stamina = stamina > cost ? stamina - cost : 0.0f;
    }
    // The stamina table is read this much below a player's stamina: rested as a basketball side is,
    // the players on court are about that much fresher than when they ran dry every few minutes,
    // and the rolls keep the figures they were tuned to.
    static constexpr float kStaminaKeyOffset = 16.0f;
    // The table modifiers of this player's morale, stamina and aggression.
    float MoraleModifier() const;
    float StaminaModifier() const;
    float AggressionModifier() const;

    // The ball holder's decisions.
    void ThinkBallMoving(CMatchTeam& own);
    void ThinkBallAtTarget(CMatchTeam& own);
    void ReleasePass(CCourtPlayer* receiver, int kind);
    void ReleasePassByDistance();
    void ThinkInboundPass();
    void ThinkInboundThrow();

    // Attribute entries as the checks number them (entry 1 is attributes[0]).
    int32_t Attribute(int entry) const { return entry >= 1 && entry <= 15 ? attributes[entry - 1] : 0; }

    // Identity and the values loaded from the player record.
    int32_t playerId = 0;
    char name[kCourtPlayerNameSize] = {};
    int32_t height = 0;          // centimetres
    int32_t weight = 0;          // kilograms
    int32_t positionId = 0;      // his own position, shown in box scores
    int32_t courtPositionId = 0; // the formation position he fills; a substitute takes it over
    int32_t playsAt = 0;         // the position he plays: a starter's line-up place, else his own
    int32_t shirtNumber = 0;
    float stamina = 0.0f;
    float staminaMax = 0.0f; // bench recovery stops here
    int32_t attributes[kCourtPlayerAttributes] = {};
    float overall = 0.0f;   // his record's overall rating, the mean the squad screens show
    int32_t matchState = 0; // kMatchStateOnCourt or kMatchStateOnBench
    int32_t skinTone = 0;   // 0 picks the dark skin textures
    int32_t bodyTexture = 1;
    int32_t headTexture = 1;
    int32_t shoeTexture = 1;
    int32_t homeKitTexture = 1;
    int32_t awayKitTexture = 1;

    int32_t pointsFromThrees = 0;
    int32_t pointsFromTwos = 0;
    int32_t pointsFromFreeThrows = 0;
    uint8_t attacking = 0;
    Vec3 homeSpot; // where ResetPositions puts him back
    int32_t personalFouls = 0;
    int32_t injured = 0; // he must leave the court: hurt, or worn out (below)
    // Called off by exhaustion: he leaves like a hurt player but is fit for the next match.
    uint8_t exhausted = 0;
    // Match seconds from the tip-off when he was hurt (-1 while fit): the day's incidents list it.
    int32_t injuredAtSecond = -1;
    int32_t dribbleMode = 0;

    // Formation spots. The spot and look-at are the formation file's, with the side's z sign; the
    // home copies are the base the random spots scatter around and ReturnToSpots restores.
    Vec3 attackSpot;
    Vec3 attackLookAt;
    Vec3 attackHome;
    Vec3 attackHomeLookAt;
    Vec3 defenceSpot;
    Vec3 defenceLookAt;
    Vec3 defenceHome;
    Vec3 defenceHomeLookAt;

    int32_t foulsCharged = 0;
    int32_t foulsBooked = 0;
    int32_t foulsInAttack = 0; // of his fouls, those committed while his side had the ball
    uint8_t awaitingPass = 0;
    uint8_t shotTaken = 0;
    uint8_t shotScores = 0;          // the last shot check says the ball goes in
    float contestPenalty = 0.0f;     // what the marker took off the last shot check
    uint8_t passAstray = 0;          // the pass he is about to throw is a bad one: it goes astray
    double nextDribbleContest = 0.0; // the match time from which he may poke at a dribble again
    uint8_t needsNewSpot = 1;
    uint8_t holdSpot = 0;
    uint8_t inboundTaker = 0;
    double lastDt = 0.0;
    int32_t side = 0; // 0 home, 1 away
    uint8_t inSubstitution = 0;
    uint8_t cameOn = 0;
    // One of the five who took the tip-off, and whether the coach's rest rule took him off tired:
    // such a starter goes back on once rested, as a basketball coach plays his five.
    uint8_t starter = 0;
    uint8_t rested = 0;
    uint8_t leaveAnnounced = 0;          // the user was told he must leave (hurt or fouled out)
    CCourtPlayer* replacement = nullptr; // bench player due to replace him
    int32_t passScore = 0;
    uint8_t chasingBall = 0;
    CCourtPlayer* passTarget = nullptr;
    float passDistance = 0.0f;
    CCourtPlayer* marking = nullptr; // the opponent he guards
    Vec3 attackTarget;               // where he goes while his side attacks
    Vec3 defenceTarget;              // where he goes while his side defends
    ThresholdAccumulator actionTimer;

    // Statistics of the match.
    int32_t freeThrowsAttempted = 0;
    int32_t twoPointAttempts = 0;
    int32_t threePointAttempts = 0;
    int32_t twoPointersMade = 0;
    // The kind the last field-goal attempt was counted as, until the basket it may score is credited:
    // a basket must land on the kind its attempt was counted as.
    uint8_t shotAttemptOpen = 0;
    uint8_t shotAttemptThree = 0;
    uint8_t shotAttemptClose = 0; // the open attempt is a close-range shot: a field goal of its own
    // The club's level scales the shot tables, as on the flat court: the tables were set for a
    // check, the squads' 0-100 skills clear them on nearly every roll without it.
    float levelFactor = 1.0f;
    // What a two reads above that level: one level for both kinds of shot could not put a class's
    // field goals and its threes inside their bands together.
    float twoPointLevelShift = 0.0f;
    // The same for a defender's contests (pokes, reaches, challenges): the 3D squads' steal skill
    // rises less from class to class than the shots' level, so the contests have their own.
    float contestLevelFactor = 1.0f;
    int32_t threePointersMade = 0;
    int32_t freeThrowsMade = 0;
    int32_t goodPasses = 0;
    int32_t ballsWon = 0;
    int32_t steals = 0;
    int32_t assists = 0; // passes caught by a teammate who scored from them
    int32_t fieldGoalsMade = 0;
    int32_t fieldGoalsAttempted = 0;
    int32_t blocks = 0; // shots his contest stopped
    int32_t offensiveRebounds = 0;
    int32_t defensiveRebounds = 0;
    int32_t badPasses = 0;
    // Balls he lost to the other side: a pass astray or picked off, the ball stolen from his hands,
    // the ball out off him, the shot clock run out on him. The box score's turnovers.
    int32_t turnovers = 0;
    int32_t secondsOnCourt = 0; // game-clock seconds he was one of the five on court

    uint8_t commentDone[4] = {}; // each commentary event is told once
    uint8_t isUserPlayer = 0;
    // The user club's hired staff of two categories, named in the commentary; the match owns them.
    const CStaffRecord* staffFirst = nullptr;
    const CStaffRecord* staffSecond = nullptr;

    IMatchContext* match = nullptr; // not owned

    // The called-off player at his spot hands over to his replacement; with no replacement, or when
    // the match refuses the swap, he plays on and the substitution ends without a line.
    void FinishSubstitution();

protected:
    // An injured player turns and runs slower; walking and running may leave the court in the
    // substitution phase, when he is on his way off or taking the ball out, a dribble never.
    bool IsInjuredCharacter() const override { return injured > 0; }
    bool StepAllowed(const Vec3& candidate, bool mayLeave) const override;

private:
    void IdleStep();
    // Starts a clip unless it plays already.
    void PlayClip(int32_t animationId, bool loop);
    // Run (paying stamina when asked) or walk, by the distance left.
    void RunOrWalk(float distance, float runBeyond, bool payForRun);
    void ChallengeHandler(CCourtPlayer& handler, int32_t clipCode);
    void DefendPress(Vec3& guardPoint, int32_t clipCode);
    void PressFallback(int32_t clipCode);
    void ThinkHolder(CMatchTeam& own, bool atTarget);
    bool TryDrive();
    float ContestedShotPenalty(CCourtPlayer** marker);
    // What the shot's sum stands above its target: it goes in at 0 or more. atRim: the close-range
    // shot (the lay-up or dunk clip).
    float TwoPointMargin(float distance, bool atRim = false);
    float ThreePointMargin(float distance);
    bool PullsUp(float toBasket, float markerDistance) const;
    bool TakesThree(float toBasket, float markerDistance) const;
    void ShootStep(float dn);
    void PassDecision();
    void ContinuePass();
    void TakeStance();
    void StartIdleVariant(bool restart);
};
