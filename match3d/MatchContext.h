// IMatchContext: what a court player's mind sees of the 3D match around it - the phase flags and
// the players the rules have named, both rosters, the ball, the court, the tables of the skill
// checks, the random source, the display's clocks and lines and the commentary. The 3D match
// implements it; tests give a small fake, so the decisions run without a scene.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

#include <cstdint>

class CCourtPlayer;
class CMatchTeam;
class ModifierCurve;

// The match's phase and the players its rules have picked out. The rules write them; the players
// read them and write the few the decisions own (shooter, release, last passer, stealer, shot spot).
struct MatchFlags {
    int32_t quarter = 0;                // 0 before the tip-off, 1-4, 5 once the match is over
    uint8_t betweenQuarters = 0;        // the break between two quarters
    uint8_t substitutionPhase = 0;      // play waits while a called-off player walks off
    uint8_t substitutionRequested = 0;  // a substitution is asked for and not yet carried out
    uint8_t substitutionSide = 0;       // which team substitutes (compared with the home user flag)
    uint8_t inbound = 0;                // the ball is being put back into play
    uint8_t freeThrows = 0;             // a free-throw series runs
    uint8_t shotInFlight = 0;           // a shot is on its way to the basket
    uint8_t foulPending = 0;            // a foul waits for its call
    uint8_t releaseDone = 0;            // the ball has left the hands of the last pass or shot
    uint8_t passAstray = 0;             // the pass in the air went astray: none of the passer's side takes it
    CCourtPlayer* shooter = nullptr;    // who shot last
    CCourtPlayer* lastPasser = nullptr; // who passed last; cannot run after his own loose pass
    // The last caught pass: a basket scored by its receiver is the passer's assist.
    CCourtPlayer* assistPasser = nullptr;
    CCourtPlayer* assistReceiver = nullptr;
    CCourtPlayer* stealer = nullptr;        // who tries a steal; checked when his clip reaches its moment
    CCourtPlayer* inbounder = nullptr;      // who takes the ball out
    CCourtPlayer* freeBallHolder = nullptr; // who last picked up a loose ball
    CCourtPlayer* calledOffAuto = nullptr;  // called off by the computer's substitution
    CCourtPlayer* calledOffUser = nullptr;  // called off by the user's substitution
    Vec3 shotSpot;                          // where the last shot left the hands
    int32_t actionCountdown = 0;            // lowered once per player step while above 0
    int32_t currentPlayer = 0;              // place (0-4) of the player thinking now

    bool IsCalledOff(const CCourtPlayer* player) const {
        return player != nullptr && (player == calledOffAuto || player == calledOffUser);
    }
};

// The three-point arc, a rule of this game: a shot released this far or farther from the point just
// behind the middle of the end line (not from the basket) is worth three. The shot check, the shot
// choice and the scoreboard all ask this one test.
inline constexpr float kThreePointDistance = 7.95f;
// The end line's point of the default court (the arena may move the end lines).
inline constexpr float kDefaultEndLinePointZ = 14.01f;
bool BeyondThreePointArc(const Vec3& spot, float endLinePointZ);

// The tables of "ini\InitData.xml" the checks read.
enum class MatchCurve {
    BallStealth,
    Morale,
    Stamina,
    Aggression,
    TacticTargetNum,
    PassingTargets,
    TwoPoint,
    ThreePoint,
};

// Where the staff and player remarks about the user's players go (the commentary popup).
class ICommentarySink {
public:
    virtual ~ICommentarySink() = default;
    // Colour 0 plain, 1 highlighted.
    virtual void AddLine(const CStr& text, int32_t colour) = 0;
};

class IMatchContext {
public:
    virtual ~IMatchContext() = default;

    virtual MatchFlags& Flags() = 0;
    // 0 home, 1 away; null when that roster is gone.
    virtual CMatchTeam* Team(int side) = 0;
    // A random value 0..32767: the game's own generator, scripted in tests.
    virtual int Rand() = 0;
    virtual const ModifierCurve& Curve(MatchCurve curve) const = 0;
    // Strictly inside the court bounds; y is ignored.
    virtual bool IsInsideCourt(float x, float y, float z) const = 0;
    // The z of the point just behind the middle of the end line of the basket at +z or -z, which
    // the three-point arc is drawn around.
    virtual float EndLinePointZ(bool plusZ) const {
        return plusZ ? kDefaultEndLinePointZ : -kDefaultEndLinePointZ;
    }
    // The court players think only while the game's 3D simulation option is on.
    virtual bool SimulationOn() const = 0;

    // The ball.
    virtual Vec3 BallPosition() const = 0;
    // Where the ball will be after dt at its current speed and direction.
    virtual Vec3 BallPredictedPosition(double dt) const = 0;
    virtual bool BallInHand() const = 0;
    // Clearing the flag also clears the ball's other hand flags.
    virtual void SetBallInHand(bool inHand) = 0;
    virtual void SetBallSpeed(float speed) = 0;
    // The point or direction the ball is thrown toward when the holder's clip releases it.
    virtual void SetBallAim(const Vec3& aim) = 0;
    // The ball stops dead (caught).
    virtual void StopBall() = 0;

    // The rules' services.
    // The team-mate the pass scoring rates best for the holder; null when none.
    virtual CCourtPlayer* ChoosePassTarget(CCourtPlayer& holder) = 0;
    // An opponent stands between the holder and the basket along the court's long axis.
    virtual bool IsDefenderAhead(const CCourtPlayer& holder) = 0;
    // Carries out a substitution unless the incoming player may not play.
    virtual void ExchangePlayers(int outId, int inId, int substitutionSide) = 0;
    // During free throws: true once every player stands at his place; always true otherwise.
    virtual bool FreeThrowReady() = 0;
    // A throw-in has waited longer than one takes: its taker takes the ball where he stands.
    virtual bool ThrowInOverdue() const { return false; }
    // The on-court player of a side nearest to a point, skip left out; null when none.
    virtual CCourtPlayer* NearestPlayer(int side, const Vec3& point, const CCourtPlayer* skip);
    // The nearest defender contests a shot about to leave the hands; true when he fouled the
    // shooter, who then goes to the line instead of shooting.
    virtual bool FoulShooter(CCourtPlayer& /*shooter*/) { return false; }

    // The in-match display.
    virtual double GameClock() const = 0; // seconds elapsed in the quarter
    virtual double ShotClock() const = 0; // seconds of the running possession
    virtual CStr SideName(int side) const = 0;
    virtual void ShowEventLine(const CStr& text) = 0;
    virtual void RefreshBoxScores() = 0;

    // Language text; empty for an unknown id.
    virtual CStr Text(int textId) const = 0;
    // Null when the popup or the staff screen is absent: then nobody comments.
    virtual ICommentarySink* Commentary() = 0;

    // Helpers on the random source, with the rounding the formulas were tuned with.
    // 0..20, 20 only for the highest value.
    int Roll20();
    // 0..100 as a real number (percent draws compare it with inclusive bounds).
    double Percent();
    // Uniform in [-a, a].
    float Offset(float a);

    // The player holding the ball: the home side's first, else the away side's; null when none.
    CCourtPlayer* BallHolder();
};
