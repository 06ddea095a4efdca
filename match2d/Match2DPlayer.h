// CMatch2DPlayer: one player of the flat-court match: a copy of his record's ratings, his place and
// movement, his ball and free-throw state, fouls, statistics counters and the staff's remarks.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

#include <cstdint>

class CMatch2D;
class CMatch2DTeam;
class ModifierCurve;
struct CStaffRecord;

// Statistics counters of a match player, numbered as the result write-back reads them.
enum Match2DCounter : int {
    kStatFieldGoalsTaken = 350, // two-pointers and dunks
    kStatThreesTaken = 351,
    kStatFreeThrowsTaken = 352,
    kStatDunksMade = 353,
    kStatDunksTaken = 354,
    kStatFieldGoalsMade = 355,
    kStatThreesMade = 356,
    kStatFreeThrowsMade = 357,
    kStatPassesCompleted = 358,
    kStatPassesFailed = 359, // his turnovers: every ball he lost (astray, picked off, stolen, a violation)
    kStatChallengeLosses = 360,
    kStatSteals = 361,
    kStatBlocks = 362, // shots he challenged away from the shooter
    kStatPassesLost = 363,
    kStatOffensiveRebounds = 364,
    kStatDefensiveRebounds = 365,
};
constexpr int kFirstCounter = 350;
constexpr int kCounterCount = 16;
constexpr int kOnCourtState = 300000;
constexpr int kOnBenchState = 300001;

// The record words copied into a match player, in the order of its attribute array.
constexpr int kMatchAttributeWords[32] = {7,  8,  10, 11, 13, 14, 16, 17, 19, 20, 22, 23, 25, 26, 28, 29,
                                          31, 32, 34, 35, 37, 38, 40, 41, 43, 44, 46, 50, 52, 47, 49, 54};
constexpr int kMatchStateSlot = 31;
static_assert(kMatchAttributeWords[kMatchStateSlot] == 54, "the match state is record word 54");

class CMatch2DPlayer {
public:
    CMatch2DPlayer();
    // A new player with every field of this one.
    CMatch2DPlayer* Clone() const;

    // Record word -> match attribute value (0 for a word that is not copied).
    int Attribute(int word) const;
    void SetAttribute(int word, int value);

    int Morale() const { return Attribute(8); }
    int SpeedRating() const { return Attribute(11); }
    int ReboundRating() const { return Attribute(14); }
    int ShootingRating() const { return Attribute(20); }
    int DefenceRating() const { return Attribute(23); }
    int TwoPointRating() const { return Attribute(26); }
    int ThreePointRating() const { return Attribute(29); }
    int DunkRating() const { return Attribute(32); }
    int Aggression() const { return Attribute(38); }
    int FreeThrowRating() const { return Attribute(44); }
    int PassRating() const { return Attribute(47); }
    int StealRating() const { return Attribute(50); }
    // Read for every player at every tick: straight from its place in the attribute array.
    int MatchState() const { return attributes[kMatchStateSlot]; }
    void SetMatchState(int state) { attributes[kMatchStateSlot] = state; }
    // Distance per tick for a speed rating; ratings below 1 count as 1 so a zero never stalls a match.
    static float SpeedForRating(int rating);

    int& Counter(int number) { return counters[number - kFirstCounter]; }
    int Counter(int number) const { return counters[number - kFirstCounter]; }
    int Fouls() const { return attackFouls + defenceFouls; }

    Vec3 GetPosition() const { return position; }
    void SetStartPosition(float x, float y, float z);
    void SetLookAt(float x, float y, float z);
    void SetTarget(float x, float y, float z) { target = Vec3(x, y, z); }
    void SetTarget(const Vec3& v) { target = v; }
    void MoveStep();
    // Within half a metre: the largest square whose root is at most 0.5, so no root is taken.
    static const float kNearSquare;
    // A marker more than this off his man runs to him at this multiple of his pace.
    static constexpr float kCloseOutGap = 1.5f;
    static constexpr float kCloseOutPace = 2.0f;
    static const float kCloseOutSquare; // the largest square within kCloseOutGap
    bool IsNear(const Vec3& point) const { return (position - point).LengthSq() <= kNearSquare; }
    Vec3 RandomPointNear(float radius) const;
    void TakePossession();
    float DistanceToBasket() const;
    const Vec3& Basket() const;
    CMatch2DPlayer* FindOpenTeammate() const;
    CMatch2DPlayer* FindRandomTeammate() const;
    // Whether his pass over that distance would arrive: he throws no pass that would go astray,
    // kPassOverreach points of misjudgement aside. A pass just beyond his arm goes astray to the
    // other side: one to five a side a match, where with none the box score's lost passes read
    // 0-0 for whole matches. 4 until the computer kept its man-to-man when behind before the last
    // quarter: fewer long passes against its zones, and classes 1 and 2 threw 0.55-0.65 astray.
    static constexpr float kPassOverreach = 5.0f;
    bool CanPassOver(float distance) const;
    // The most open player of his side among those he can pass to; himself when he is the most open.
    CMatch2DPlayer* FindOpenTeammateInRange() const;
    bool ShouldShoot() const;
    // One of the three of the five on court whose three stands highest above his two (ties count
    // alike): the players who shoot from beyond the arc.
    bool ThreePointShooter() const;
    bool IsUnguarded() const;
    void ResetBallState();
    void CheckExhaustion();
    void Update();

    // Actions and their rolls.
    bool RollTwoPointer(float distance) const;
    bool RollThreePointer(float distance) const;
    bool RollDunk(float distance) const;
    bool RollFreeThrow(float distance) const;
    // countSteal false for the tip-off: a jump ball won is no steal. holder: the man whose ball it
    // is (his ball handling counts against the defender's steal); none at a jump ball.
    int ContestBall(const Vec3& point, bool countSteal = true, CMatch2DPlayer* holder = nullptr);
    // The share of a contest's winning chance left against his side's ball in this possession, and
    // its shrinking once he came through one.
    float ContestOdds() const;
    void CameThroughContest();
    // True when the shot is off: the defender won the ball, or fouled him (free throws instead).
    bool ChallengeShooter(CMatch2DPlayer* defender);
    bool Pass(CMatch2DPlayer* receiver);
    bool Dribble();
    // The defender pokes at this holder's ball: true when he won it; a foul may send the holder to
    // the line.
    bool ContestedBy(CMatch2DPlayer& defender);
    // The defender stands on his body and blocks his drive: true when he lost the ball to him (a
    // charge or a travel).
    bool RunInto(const CMatch2DPlayer& defender);
    // A ball he lost to the other side, booked as his turnover: a pass astray or picked off, the ball
    // stolen or challenged away from him, a violation while he held it.
    void LoseBall();
    // His field goal missed: the defender at him may have blocked it.
    void NoteMiss();
    void Shoot();
    void ShootThreePointer();
    void ShootFreeThrow();

    // Defensive positioning by the defence tactic id.
    static constexpr int kManToManDefence = 13;
    void ApplyDefenceTactic();
    void DefendZone();
    void DefendPressWide();
    void DefendPressDeep();
    void DefendManInHalf();
    void DefendPressHalf();
    void DefendPress();
    void DefendHelp();
    void DefendBallHolder();
    // The holder this defender steps up to: he is his side's nearest to the ball, under any defence
    // but man-to-man, in the half he defends (a press: anywhere). Null otherwise.
    CMatch2DPlayer* BallToGuard() const;
    // Whether he defends the ball at that point: in the half his side defends, anywhere under a
    // press. Elsewhere he is getting back, and does not reach in at a dribbler he runs past.
    bool GuardsBallAt(const Vec3& point) const;
    // A pressing defender the ball has passed (it is nearer the basket he defends than he is), or
    // whose man has run by him toward it.
    bool PressBeaten() const;

    void StaffRemarks();

    CMatch2DTeam* OwnTeam() const;
    CMatch2DTeam* OtherTeam() const;

    float speed = 0.0f;
    int32_t id = 0;
    CStr name;
    int32_t height = 0;
    int32_t weight = 0;
    int32_t positionId = 0;
    int32_t positionIdCopy = 0;
    int32_t word4 = 0;
    float energy = 0.0f;
    float maxEnergy = 0.0f;
    int32_t attributes[32] = {};

    uint8_t attacking = 0;
    uint8_t hasBall = 0;
    Vec3 startPosition, position, lookAt, direction, target;
    int32_t attackFouls = 0;
    int32_t defenceFouls = 0;
    int32_t mustLeave = 0;
    uint8_t exhausted = 0;    // he must leave for running himself empty
    uint8_t startedMatch = 0; // one of the five who started
    // The coach's rest rule took him off tired (not the user by hand): a starter goes back on once
    // rested, as a basketball coach plays his five.
    uint8_t restedByRule = 0;
    // Of them, one rested for his fouls (too many for the quarter): he goes back on once the
    // quarter allows his fouls, not only once his legs are fresh.
    uint8_t restedForFouls = 0;
    // Hurt in a ball contest: he leaves and is out for days. One only worn out (the other reason to
    // leave) is fit again for the next match.
    uint8_t hurt = 0;
    Vec3 attackSpot, attackLookAt, defenceSpot, defenceLookAt;
    Vec3 currentAttackSpot, currentAttackLookAt, currentDefenceSpot, currentDefenceLookAt;

    uint8_t homeSide = 0;
    // Side by side: a player's update looks at the three at once.
    uint8_t chase = 0;
    uint8_t rebound = 0;
    uint8_t receivingPass = 0;
    uint8_t freeThrowShooter = 0;
    uint8_t firstThrowTaken = 0;
    uint8_t secondThrowTaken = 0;

    int32_t attackTacticId = 0;
    int32_t defenceTacticId = 0;
    int32_t counters[kCounterCount] = {};
    int32_t lineupSpot = -1;
    CMatch2DPlayer* markedOpponent = nullptr;
    int32_t teamNumber = 0;
    int32_t leaveTime = 0;
    float levelFactor = 0.0f;
    // His record's overall rating, the mean the squad screens show (FiveStanding).
    float overall = 0.0f;
    // Added to the level for the ball contests (a poke, a shooter's challenge): a tournament's
    // clubs contest the ball at a level of their own.
    float contestLevelStep = 0.0f;
    float ContestLevel() const { return levelFactor + contestLevelStep; }
    // Box-score figures the result write-back does not read: passes that set up a made basket, and
    // balls lost to the other side (stolen, won at a shot, or passed astray).
    int32_t assists = 0;
    int32_t turnovers = 0;
    int32_t ballsWon = 0; // balls he took from an opponent: steals and shots challenged away
    // Playing ticks spent on court (0.03 s each): the time a player's statistics record shows.
    int32_t secondsOnCourt = 0; // whole clock seconds he was one of the five on court
    // The first playing tick at which he may poke at the ball again.
    int32_t nextContestTick = 0;
    // A marker running to his man: his next step is a run (the man-to-man rule sets it, the step
    // clears it).
    uint8_t closingOut = 0;

    uint8_t remarkFatigueOrFouls = 0;
    uint8_t remarkExhausted = 0;
    uint8_t remarkShooting = 0;
    uint8_t remarkMood = 0;
    uint8_t userTeam = 0;
    const CStaffRecord* staffA = nullptr; // category 80055
    const CStaffRecord* staffB = nullptr; // category 80056

    CMatch2D* match = nullptr; // the engine this player plays in

private:
    float CommonTerms() const; // morale + stamina + aggression terms
    bool RollShot(const ModifierCurve& table, int ownRating, float key, float factor, float shift) const;
    void PostEvent(int textId, const CMatch2DPlayer* named) const;
    void WinBallFrom(CMatch2DPlayer* loser);
    void BeginShot();
    void LineUpFreeThrows(bool homeShoots);
    bool PressStep(bool zoneTest, float zoneHome, float zoneAway, float manDistance, float otherDistance,
                   bool keepMan);
    CMatch2DPlayer* TheMan();
    void FinishUpdate();
    // A pass, a shot or a ball contest: its energy, and the side's quiet window shortened to match.
    void Exert();
    // The rarer branches of Update, kept out of it so the common one stays small.
    [[gnu::noinline]] void UpdateFreeThrows();
    [[gnu::noinline]] void DecideWithBall();
    // The nearest opponent and his distance: measured once while a holder decides, else searched.
    CMatch2DPlayer* NearestOpponent(float& distance) const;
    CMatch2DPlayer* nearestOpponent = nullptr;
    float nearestOpponentDistance = 0.0f;
    float nearestOpponentSquare = 0.0f;
    uint8_t nearestOpponentKnown = 0;
    void MoveStepInline();
    // The way from his position to his target, measured by a rule that looked at it this tick: the
    // step then takes it as it is.
    struct StepMeasure {
        Vec3 from, to;
        float dx = 0.0f, dy = 0.0f, dz = 0.0f, square = 0.0f;
        bool valid = false;
        void Measure(const Vec3& position, const Vec3& target);
    };
    void MoveStepMeasured(const Vec3& from, const Vec3& to, float dx, float dy, float dz, float square);
    template <bool kOpenPlay> void UpdateInline();
    void ChaseOrRebound();
    void AwaitPass();
    void DefendManInHalfInline(StepMeasure* measure = nullptr);
    friend class CMatch2DTeam; // its update inlines the players'
};

// How far the five on court stand above the rating their level already counts: their mean overall
// rating (as the squad screens show it) less the rating the club's own level stands for (50 at class
// 0's, five more a class; a tournament club's from its squad's steal ratings). Not the level two clubs
// meet at: a tournament's stronger half then stood three points above the weaker and won 96 %. Nor the
// shot level: a tournament club's follows its five's shooting alone.
float FiveStanding(const CMatch2DTeam& team);

// The largest square whose root is at most (below) limit: a square compared with it decides exactly
// as the root compared with limit would.
float LargestSquareWithin(float limit);
float LargestSquareBelow(float limit);
