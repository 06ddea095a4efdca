// CMatch3D: everything one 3D match holds: rosters, scene objects, cameras, rule state, court
// bounds, free-throw spots and the tactics data. One lives behind g_pMatch3D; every 3D match gets
// a fresh one.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"
#include "match/TacticsData.h"
#include "match3d/CameraRecord.h"
#include "match3d/MatchBall.h"
#include "match3d/MatchContext.h"
#include "match3d/MatchTeam.h"
#include "match3d/SceneOwned.h"

#include <cstdint>
#include <functional>
#include <vector>

class CQuorelWorld;
class CQuorelGameObject;
class CQuorelRenderTarget;
class CQuorelTexture;
class CSkinnedMesh;
struct CStaffRecord;
struct CTeam;
class CMatchBall;
class CReferee;
class CRefereeBase;
class CAnimatedCharacter;
class IMatchDisplay;

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

// A court player's body radius: the reach for the ball and the sphere that blocks a pass lane.
inline constexpr float kBodyRadius = 0.9f;

// The vector from a's eye point to b's, and its squared length.
Vec3 EyeLineVector(const CCourtPlayer& a, const CCourtPlayer& b, float& lengthSq);

class CMatch3D : public IMatchContext, public IBallCourt {
public:
    CMatch3D();
    CMatch3D(const CMatch3D&) = delete;
    CMatch3D& operator=(const CMatch3D&) = delete;
    ~CMatch3D() override;

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

    // IMatchContext: what the court players see of the match.
    MatchFlags& Flags() override { return flags; }
    CMatchTeam* Team(int side) override;
    int Rand() override;
    const ModifierCurve& Curve(MatchCurve curve) const override;
    bool IsInsideCourt(float x, float y, float z) const override { return IsInCourt(x, y, z); }
    float EndLinePointZ(bool plusZ) const override { return plusZ ? courtMaxZ + 0.01f : courtMinZ - 0.01f; }
    bool SimulationOn() const override { return view3D != 0; }
    Vec3 BallPosition() const override;
    Vec3 BallPredictedPosition(double dt) const override;
    bool BallInHand() const override;
    void SetBallInHand(bool inHand) override;
    void SetBallSpeed(float speed) override;
    void SetBallAim(const Vec3& aim) override;
    void StopBall() override;
    CCourtPlayer* ChoosePassTarget(CCourtPlayer& holder) override;
    bool IsDefenderAhead(const CCourtPlayer& holder) override;
    void ExchangePlayers(int outId, int inId, int substitutionSide) override;
    bool FreeThrowReady() override;
    bool ThrowInOverdue() const override;
    // On-court players only; before the opening tip-off the jumpers (slot 0) are left out.
    CCourtPlayer* NearestPlayer(int side, const Vec3& point, const CCourtPlayer* skip) override;
    double GameClock() const override;
    double ShotClock() const override;
    CStr SideName(int side) const override;
    void ShowEventLine(const CStr& text) override;
    void RefreshBoxScores() override {}
    CStr Text(int textId) const override;
    ICommentarySink* Commentary() override { return commentary; }

    // IBallCourt: what the ball sees.
    float CourtMinX() const override { return courtMinX; }
    float CourtMaxX() const override { return courtMaxX; }
    float CourtMinZ() const override { return courtMinZ; }
    float CourtMaxZ() const override { return courtMaxZ; }
    const BackboardBox& Backboard(bool plusZ) const override { return plusZ ? plusZBoard : minusZBoard; }
    uint8_t& ShotInFlightFlag() override { return flags.shotInFlight; }
    bool HandlerSureBasket() const override;
    bool HandlerSureMiss() const override;
    bool FoulShooter(CCourtPlayer& shooter) override;

    // A ball of the match's own, for a match without a scene (the loader gives it a model).
    void CreateHeadlessBall();

    // One step of the rules. The players think before it and move after it.
    void Tick(float dt);
    void UpdateFormationsAndSubs();
    // The computer's rest rule for the user's side: a tired player goes off for the freshest fit one.
    void RestUserSide(int side);
    // With nobody to rest, a rested starter of the side goes back on once fresh; true when asked for.
    bool ReturnRestedStarter(int side, CCourtPlayer*& calledOff);
    // Asks for leaving's change for incoming at the next dead ball; calledOff names who is called off.
    void RequestChange(int side, CCourtPlayer* leaving, CCourtPlayer* incoming, CCourtPlayer*& calledOff);
    bool SubstitutionDone();
    bool UserPlayerMustLeave();
    // Tells the user of every player of his side who must leave (hurt or fouled out), once each,
    // whatever is under way: one already walking off in a change is told too.
    void AnnounceMustLeave();
    // The rules stopped the match for a player who must leave (a sixth foul, an injury): every side
    // the computer coaches (both unless userAnswers) sends on a substitute at once. True, and the
    // pause lifted, unless the user's side still has to make its change in the tactics window.
    bool SettleMustLeave(bool userAnswers);
    // From the match screens: swaps the two players unless the incoming one may not play (hurt or
    // fouled out), and returns the incoming one; null when neither roster holds him.
    CCourtPlayer* RequestSubstitution(int outId, int inId, bool computerSide);
    void HandleFouls();
    void HandleSteal();
    void HandleLooseBall();
    void RunToRebound(float dt);
    // Called by the display when a quarter's time is up.
    void EndQuarter();
    // A made shot still in the air at the end of a period (the last one too) is said as the miss
    // the box score counts.
    void EndShotInTheAir();
    // The centres go up for the tip-off.
    void JumpBall();
    void HandleOutOfBounds();
    // A throw-in nobody has brought in after the longest line-up is handed to a player of the
    // side on the court: the ball is never left dead for good.
    void HandThrowInOver();
    void ResolveShot();
    // At the tap of the jump ball: who wins it and where the ball goes.
    void ResolveTipOff();
    void SetHomeAttacking(bool attacking) { SetSideAttacking(homeTeam, attacking); }
    void SetAwayAttacking(bool attacking) { SetSideAttacking(awayTeam, attacking); }
    bool FreeThrowPlayersReady();
    void ThinkTeams(double dt);
    // The on-court player of slot round(4r), slots 0 and 4 half as likely.
    CCourtPlayer* PickRandomPlayer(CMatchTeam& team);
    // An opponent's body stands in the lane, nearer to the passer than the receiver.
    bool IsPassBlocked(const CCourtPlayer& passer, const CCourtPlayer& receiver);
    void ReturnToSpots();
    bool OpponentNearerBaseline(const CCourtPlayer& player);
    bool CoinFlip();

    // Scene set-up (the loader calls these in its order).
    // Clears the quarter and phase counters; full also replaces both teams with fresh rosters.
    void ResetMatchState(bool full);
    // Two new teams of fifteen default players each.
    void CreateTeams();
    // Fills both rosters from the clubs' squads (starters first), pairs the direct opponents and,
    // unless modelSkip is set, loads the player model with each player's kit, face and shoes.
    void LoadPlayerModels(CTeam* home, CTeam* away, bool userAtHome);
    // The three referees at their posts, and their model unless modelSkip is set.
    void LoadReferee();
    // The arena of a World descriptor; another type leaves the arena empty.
    void LoadSceneWorld(const CStr& path);
    void CreateBall(const CStr& path);
    void LoadCube(const CStr& path);
    void LoadLogos(const CStr& path);
    // ---- Court character motion, once per frame of the shown match (CharacterMotion.cpp).
    // Moves and animates the referees and the on-court players, plays out the holder's pass, shot,
    // dribble and tip-off clips and the steal clips, then moves the ball.
    void UpdateCharacters(float dt);
    // Advances the characters' animation and draws them, the referees and the ball.
    void RenderCharacters(float dt);
    // The scoreboard cube over the centre circle; its four screens (kijelzo_01-04) show the
    // scoreboard picture, unlit, when there is one.
    void RenderCube(CQuorelTexture* scoreboard);
    // Where the cube hangs: over the centre spot, above the players' heads.
    Vec3 cubePosition{0.0f, 8.5f, 0.0f};
    // Puts the three referees at their posts facing across the court: the side-line referee at
    // (-6, 0, 0) following the play, the baseline referees at (-3.5, 0, -14) and (-3.5, 0, 14).
    void PlaceReferees();
    // The decisions of both teams and the referees, each frame of the shown match.
    void UpdateActors(float dt);
    // Registries the characters join in LoadAnimations (not owned): every court player of both
    // rosters, bench included, and the three referees.
    std::vector<CAnimatedCharacter*> characters;
    std::vector<CRefereeBase*> referees;
    uint8_t dribbleOut = 0;  // the ball has left the hand for a bounce
    uint8_t dribbleDown = 0; // the bounce is on its way down
    uint8_t dribbleUp = 0;   // the bounce is on its way back up
    double lastFrameStep = 0.0;

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
    SceneOwned<CQuorelGameObject> ballModel = NoSceneObject<CQuorelGameObject>(); // the ball draws it
    uint8_t cubeLoaded = 0;
    uint8_t videoCube = 1; // the game's EnableVideoCube option: the cube and its screens are shown
    int32_t homeScore = 0;
    int32_t awayScore = 0;
    uint8_t paused = 0;
    // The match's own random sequence between its steps (CMatchRandScope); it starts where the
    // game's sequence stands at the match's first step.
    uint32_t randState = 0;
    uint8_t randSeeded = 0;
    Vec3 jumpPoint;
    // Fixed points and steps the motion and character code reads.
    float motionPoints[12] = {0, 0, -12, 0, 0, 12, 0, -12.13f, 3, 0, 12.13f, 3};
    // The hall court's boards until the arena sets its own.
    BackboardBox plusZBoard{-0.85f, 0.85f, 3.75f, 2.75f, 12.3f};
    BackboardBox minusZBoard{-0.85f, 0.85f, 3.75f, 2.75f, -12.3f};
    FreeThrowSpot freeThrowSpots[kFreeThrowSpots];
    uint8_t modelSkip = 1;
    uint8_t fastMode = 0;
    int32_t homeTeamFouls = 0;
    int32_t awayTeamFouls = 0;
    CMatchTeam* homeTeam = nullptr; // owned
    CMatchTeam* awayTeam = nullptr; // owned
    CCourtPlayer* incomingPlayer = nullptr;
    uint8_t substitutionPending = 0;
    CCourtPlayer* ballHandler = nullptr;
    CCourtPlayer* passReceiver = nullptr;
    CCourtPlayer* inboundReceiver = nullptr;
    Vec3 foulSpot;
    int32_t freeThrowsTaken = 0;
    uint8_t formationSwitchArmed = 0;
    int32_t formationSwitchTicks = 0;
    uint8_t positioningWait = 0;  // players walk to their places: the display's game clock waits
    double positioningTime = 0.0; // how long the present wait has lasted
    double inboundTime = 0.0;     // how long the present throw-in has lasted
    // The ball went out through the net: the throw-in after a field goal is played on the running
    // clock; every other throw-in (a foul, the ball out of bounds, after free throws) stops it.
    uint8_t basketScored = 0;
    uint8_t ballPlacedOut = 0; // the rules put the ball behind the end line after free throws
    uint8_t throwInOnClock = 0;
    // The longest the clock waits for one line-up: a wait that never ends lets the clock run on.
    static constexpr double kLongestPositioningWait = 30.0;
    // A change is made in a few seconds: the run to the bench takes three at most, and one who has
    // not got there by then hands over where he stands rather than hold the dead ball.
    static constexpr double kLongestChangeWalk = 5.0;
    // The shooter waits a few seconds at the line for the others to take their places on the lane;
    // one held up by another on his spot stood there, the ball dead, for the half minute of the
    // longest line-up at nearly every series.
    static constexpr double kLongestFreeThrowLineUp = 6.0;
    double changeTime = 0.0; // how long the present change has lasted
    // A throw-in is taken in a few seconds: a taker who has not got the ball by then takes it where
    // he stands.
    static constexpr double kLongestThrowInWait = 8.0;
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
    int32_t userClubId = -1; // the manager's club: its side is the user's team
    // The wait screen's progress while the models load: stages done of the stages.
    std::function<void(int done, int steps)> loadProgress;
    // Copies of the user's two coaching staff members the user's players consult.
    SceneOwned<CStaffRecord> userStaff[2] = {NoSceneObject<CStaffRecord>(), NoSceneObject<CStaffRecord>()};
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

    // The phases and the players the rules name (the fouler and stealer is flags.stealer, the one
    // who last let the ball go flags.lastPasser, the user's called-off player flags.calledOffUser).
    MatchFlags flags;
    IMatchDisplay* display = nullptr;      // not owned; null without a display
    ICommentarySink* commentary = nullptr; // not owned
    std::function<CStr(int textId)> textSource;
    // The user's side has a player who must leave (name, hurt rather than fouled out).
    std::function<void(const CStr& name, bool hurt, bool onHisWay)> onMustLeavePopup;
    // The user must pick a substitute: the display opens the tactics window.
    std::function<void()> onUserMustLeave;
    Vec3 ballAim; // where the holder's next throw goes
    int32_t lastOutSide = 0;
    uint8_t tipBall = 0; // the loose ball is a jump ball's tap, no pass to steal
    // Fouls: each side's team fouls of the running quarter (the bonus), whether the pending foul
    // was on a shot, and the side that inbounds after a foul without free throws (-1: none).
    int32_t quarterFouls[2] = {0, 0};
    uint8_t shootingFoul = 0;
    int32_t foulInboundSide = -1;
    // A shot has gone up (or free throws were given) since the shot clock last started: its running
    // out is then no violation.
    uint8_t shotOnClock = 0;
    // The opponents who have reached for the pass in flight: one try each.
    CCourtPlayer* interceptTried[5] = {};
    int32_t interceptTries = 0;
    uint8_t inboundThrown = 0; // the inbounder has let the ball go
    // How long the thrown-in ball has been on its way: one not on the court by kThrowInFlight never
    // came in (it flew along the line, or to a team-mate outside), and the other side takes it out.
    double throwInFlight = 0.0;
    static constexpr double kThrowInFlight = 1.0;
    // Throw-ins that missed the court one after the other: the second is handed in, so two sides
    // whose throws both fly along the line cannot pass the ball over and back for good.
    int32_t throwInsMissed = 0;
    // The dribble contest: the time played, and the balls won by pokes since the last shot.
    double playTime = 0.0;
    int32_t stealRun = 0;
    // The user's side is rested as the computer's is, except for a while after the user's own
    // change: his choice stands, and a player he keeps on court when tired may be exhausted.
    static constexpr double kUserChangeHold = 60.0;
    double userChangeAt = -kUserChangeHold;
    int32_t shotClockViolations[2] = {0, 0}; // balls each side lost to the shot clock
    // The player of a side who last had the ball: its holder, else the passer of the ball in the
    // air (a shot is nobody's lost ball), else the last who took it; null when none of that side.
    CCourtPlayer* LastInHands(int side);
    // Who sent the ball out while a change was asked for: the throw-in waits for the change, and
    // his lost ball is booked with it.
    CCourtPlayer* outLoser = nullptr;
    // The flat court's guard: the nearest defender within reach pokes at the ball, every 0.5 s. The
    // on-ball defender stands 1.0 m off the holder; from 1.5 m the pokes (about 380 a side a match)
    // gave 18 of a side's 24 fouls and 6 of its 10 steals, at 1.3 m a third fewer of each.
    static constexpr float kDribbleReach = 1.3f;
    static constexpr double kContestPause = 0.5;
    static constexpr double kFoulPause = 2.0;
    // Beyond scoring range the guard shadows the man bringing the ball up and reaches in seldom, as
    // the flat court's man-to-man pokes every eighth tick there: poking twice a second the length of
    // the court gave a third of a side's reach-in fouls (about 5 a match) with the holder 10 m or more
    // from the basket he attacks.
    static constexpr float kScoringRange = 9.0f;
    static constexpr double kFarContestPause = 2.0;
    static constexpr int32_t kMaxStealRun = 4;
    void ContestDribble(float dt);
    // The clock stops while the players line up for free throws or a substitution is carried out,
    // as a referee stops it at a dead ball.
    void UpdatePositioningWait(float dt);

private:
    void SetSideAttacking(CMatchTeam* team, bool attacking);
    void LooseBallIsARebound();
    void FollowHolder();
    void TakeBall(CCourtPlayer& taker);
    void EndFreeThrows(CCourtPlayer* shooter);
    void ResetShotClock();
    // The shot clock ran out with no shot since it started: the other side takes the ball out.
    void CheckShotClock();
    void EventLine(const CCourtPlayer& player, int textId);
    CCourtPlayer* SubstituteOnSide(int side, int outId, int inId);
    void PlaceSide(CMatchTeam& team, bool home, int attackTacticId, int defenceTacticId);
};

extern CMatch3D* g_pMatch3D;
