// CMatch3D: everything one 3D match holds: rosters, scene objects, cameras, rule state, court
// bounds, free-throw spots and the tactics data. One lives behind g_pMatch3D; every 3D match gets
// a fresh one.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"
#include "match/TacticsData.h"
#include "match3d/CameraRecord.h"
#include "match3d/MatchBall.h"
#include "match3d/MatchTeam.h"
#include "match3d/SceneOwned.h"

#include <cstdint>
#include <vector>

class CQuorelWorld;
class CQuorelGameObject;
class CQuorelRenderTarget;
class CSkinnedMesh;
class CMatchBall;
class CReferee;

// Tactic ids with a meaning of their own.
inline constexpr int kHomeStartFormation = 20;
inline constexpr int kAwayStartFormation = 21;
inline constexpr int kDefaultOffenceTactic = 0;
inline constexpr int kDefaultDefenceTactic = 10;
inline constexpr int kRosterSize = 15;

struct FreeThrowSpot {
    Vec3 attack;
    Vec3 defence;
};

// Entries 0-4 serve the basket at -z, 5-9 the basket at +z; entries 0 and 5 are the shooter's.
inline constexpr int kFreeThrowSpots = 10;
extern const FreeThrowSpot kFreeThrowSpotTable[kFreeThrowSpots];

class CMatch3D {
public:
    CMatch3D();
    CMatch3D(const CMatch3D&) = delete;
    CMatch3D& operator=(const CMatch3D&) = delete;
    ~CMatch3D();

    // Reads the tactic list and the eight curves of an InitData file and resets the court bounds.
    // Nothing is cleared first: a second call appends again.
    void LoadTactics(const CStr& path);
    CStr GetTacticFile(int id) const;
    CMatchTeam* GetHomeTeam() const { return homeTeam; }
    CMatchTeam* GetAwayTeam() const { return awayTeam; }
    // Strictly inside the court bounds; y is ignored.
    bool IsInCourt(float x, float y, float z) const;

    // Start formations before the tip-off, stored coordinates as they stand.
    void PlaceTeams(int homeTacticId, int awayTacticId);
    // One side's attack and defence formations.
    void PlaceHomeTeam(int attackTacticId, int defenceTacticId);
    void PlaceAwayTeam(int attackTacticId, int defenceTacticId);
    // Appends the cameras of one camera descriptor file.
    void LoadCameras(const CStr& path);
    // Points the engine camera along record index; an index out of range does nothing.
    void SetCamera(int index);

    // Frees everything the match owns; safe to call again.
    void Release();
    void ReleaseTeamsAndScene();

    std::vector<CameraRecord*> cameras;
    SceneOwned<CQuorelWorld> arena = NoSceneObject<CQuorelWorld>();
    SceneOwned<CSkinnedMesh> playerMesh = NoSceneObject<CSkinnedMesh>(); // shared by the court players
    SceneOwned<CMatchBall> ball = NoSceneObject<CMatchBall>();
    SceneOwned<CReferee> firstReferee = NoSceneObject<CReferee>();
    SceneOwned<CSkinnedMesh> refereeMesh = NoSceneObject<CSkinnedMesh>(); // shared by the referees
    SceneOwned<CReferee> secondReferee = NoSceneObject<CReferee>();
    SceneOwned<CReferee> thirdReferee = NoSceneObject<CReferee>();
    SceneOwned<CQuorelRenderTarget> scoreboardTexture = NoSceneObject<CQuorelRenderTarget>();
    int32_t sceneCounters[4] = {};
    SceneOwned<CQuorelGameObject> cube = NoSceneObject<CQuorelGameObject>();
    SceneOwned<CQuorelGameObject> logos = NoSceneObject<CQuorelGameObject>();
    uint8_t cubeLoaded = 0;
    int32_t homeScore = 0;
    int32_t awayScore = 0;
    uint8_t paused = 0;
    Vec3 jumpPoint;
    // Fixed points and steps the motion and character code reads.
    float motionPoints[12] = {0, 0, -12, 0, 0, 12, 0, -12.13f, 3, 0, 12.13f, 3};
    BackboardBox plusZBoard;
    BackboardBox minusZBoard;
    FreeThrowSpot freeThrowSpots[kFreeThrowSpots];
    uint8_t modelSkip = 1;
    uint8_t fastMode = 0;
    int32_t homeTeamFouls = 0;
    int32_t awayTeamFouls = 0;
    CMatchTeam* homeTeam = nullptr; // owned
    CMatchTeam* awayTeam = nullptr; // owned
    uint8_t substitutionRequested = 0;
    uint8_t substitutionPhase = 0;
    CCourtPlayer* leavingPlayer = nullptr;
    CCourtPlayer* incomingPlayer = nullptr;
    uint8_t substitutionPending = 0;
    CCourtPlayer* lastReleaser = nullptr; // cannot pick the loose ball up himself
    CCourtPlayer* ballHandler = nullptr;
    CCourtPlayer* passReceiver = nullptr;
    CCourtPlayer* secondPlayer = nullptr; // fouler, stealer or inbound receiver
    uint8_t inbound = 0;
    uint8_t foulPending = 0;
    Vec3 foulSpot;
    uint8_t shotInFlight = 0;
    uint8_t freeThrows = 0;
    int32_t freeThrowsTaken = 0;
    uint8_t formationSwitchArmed = 0;
    int32_t formationSwitchTicks = 0;
    int32_t quarter = 0; // 0 before the tip-off, 1-4, 5 ends the match
    uint8_t positioningWait = 0; // players walk to their places: the display's game clock waits
    uint8_t quarterBreak = 0;    // between two quarters
    uint8_t jumpBall = 0;
    int32_t stateCounters[2] = {};
    float factor = 0.6f;
    ModifierCurve ballStealth;
    ModifierCurve moraleModifier;
    ModifierCurve staminaModifier;
    ModifierCurve aggressionModifier;
    ModifierCurve tacticTargetNum;
    ModifierCurve passingTargets;
    ModifierCurve twoPointModifier;
    ModifierCurve threePointModifier;
    ModifierCurve spareCurve; // never filled here; the file has more tables than this engine reads
    std::vector<TacticRecord*> tactics;
    CStr stadiumKey;
    float courtMinX = -7.5f;
    float courtMaxX = 7.5f;
    float courtMinZ = -14.0f;
    float courtMaxZ = 14.0f;
    int32_t refereeValues[2] = {200, 10};
    float motionSteps[2] = {0.035f, 0.035f};
    float motionScale = 0.2f;
    uint8_t motionSwitch = 1;
    double motionClock = 0.0;
    // Copy of the game's 3D view option; the placements and basket points depend on it.
    uint8_t view3D = 1;

private:
    void PlaceSide(CMatchTeam& team, bool home, int attackTacticId, int defenceTacticId);
};

extern CMatch3D* g_pMatch3D;
