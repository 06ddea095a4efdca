// CCourtPlayer: one player of the 3D match, with the values copied from his record, his formation
// spots, the state flags the rules and decisions share, and his match statistics.
#pragma once

#include "match3d/AnimatedCharacter.h"

#include <cstdint>

struct CStaffRecord;

// Paces the ball holder's actions: time accumulated against a fraction of the clip's length.
struct ThresholdAccumulator {
    double time = 0.0;
    void Reset() { time = 0.0; }
};

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

    // The placement spot, and the player put on it.
    void SetHomeSpot(float x, float y, float z);
    // Body and look direction together.
    void SetHomeFacing(float x, float y, float z);

    // Identity and the values loaded from the player record.
    int32_t playerId = 0;
    char name[kCourtPlayerNameSize] = {};
    int32_t height = 0;          // centimetres
    int32_t weight = 0;          // kilograms
    int32_t positionId = 0;      // his own position, shown in box scores
    int32_t courtPositionId = 0; // the formation position he fills; a substitute takes it over
    int32_t shirtNumber = 0;
    float stamina = 0.0f;
    float staminaMax = 0.0f; // bench recovery stops here
    int32_t attributes[kCourtPlayerAttributes] = {};
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
    int32_t injured = 0;
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
    uint8_t awaitingPass = 0;
    uint8_t shotTaken = 0;
    uint8_t shotScores = 0; // the last shot check says the ball goes in
    uint8_t needsNewSpot = 1;
    uint8_t holdSpot = 0;
    uint8_t inboundTaker = 0;
    double lastDt = 0.0;
    int32_t side = 0; // 0 home, 1 away
    uint8_t inSubstitution = 0;
    uint8_t cameOn = 0;
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
    int32_t threePointersMade = 0;
    int32_t freeThrowsMade = 0;
    int32_t goodPasses = 0;
    int32_t ballsWon = 0;
    int32_t steals = 0;
    int32_t fieldGoalsMade = 0;
    int32_t fieldGoalsAttempted = 0;
    int32_t finalStatCount = 0;
    int32_t offensiveRebounds = 0;
    int32_t defensiveRebounds = 0;
    int32_t badPasses = 0;
    int32_t clockTicks = 0;

    uint8_t commentDone[4] = {}; // each commentary event is told once
    uint8_t isUserPlayer = 0;
    // The user club's hired staff of two categories, named in the commentary; the match owns them.
    const CStaffRecord* staffFirst = nullptr;
    const CStaffRecord* staffSecond = nullptr;
};
