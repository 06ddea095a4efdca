// CMatch2DTeam: one side of the flat-court match (players, tactic ids, score, fouls, the searches the
// rules need and the statistics sums); CMatch2DBall: the ball marker.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"
#include "match2d/Match2DPlayer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

class CMatch2D;

constexpr int kCourtPlayers = 5;
constexpr int kMatchSquad = 15;

class CMatch2DTeam {
public:
    CMatch2DTeam() = default;
    ~CMatch2DTeam() { ClearPlayers(); }
    CMatch2DTeam(const CMatch2DTeam&) = delete;
    CMatch2DTeam& operator=(const CMatch2DTeam&) = delete;

    void ClearPlayers() { players.clear(); }
    void AddPlayerCopy(const CMatch2DPlayer& player);
    void AddPlayer(CMatch2DPlayer* player);
    int PlayerCount() const { return static_cast<int>(players.size()); }

    CMatch2DPlayer* FindById(int id, int& index) const;
    CMatch2DPlayer* GetPlayer(int index) const {
        // One unsigned comparison covers a negative index too.
        return static_cast<size_t>(index) < players.size() ? players[static_cast<size_t>(index)].get()
                                                           : nullptr;
    }
    CMatch2DPlayer* FindByPosition(int positionId) const;
    // Gives the five on court five different formation positions: each keeps the position he
    // plays where it is still free, else his own, else the first one left (C, PF, SF, PG, SG).
    void SeatCourtPositions();
    // The nearest of the court players 0-4 other than excluded; a later one replaces the best only
    // when strictly nearer. None within kNoneDistance: null, the distance kNoneDistance.
    CMatch2DPlayer* FindNearest(const Vec3& point, float& distance, const CMatch2DPlayer* excluded) const;
    // The same with the squared distance (kNoneSquare when none).
    CMatch2DPlayer* FindNearestSquare(const Vec3& point, float& square, const CMatch2DPlayer* excluded) const;
    static constexpr float kNoneDistance = 100000.0f;
    static constexpr float kNoneSquare = kNoneDistance * kNoneDistance;
    // known: a player whose nearest opponent is sqrt(knownSquare) away, already measured this tick.
    CMatch2DPlayer* FindMostOpen(const CMatch2DTeam& other, const CMatch2DPlayer* known = nullptr,
                                 float knownSquare = 0.0f) const;
    CMatch2DPlayer* RandomTeammate(const CMatch2DPlayer* player) const;
    CMatch2DPlayer* FindBallHolder(const Vec3& point, float& distance) const;
    bool AllAtTargets() const;

    // Bench players free to come on: no must-leave flag and fewer fouls than foulLimit. The user's
    // players leave at six fouls, the computer's at four (so it brings on nobody who has four).
    int FindBenchPlayer(int foulLimit = 6) const;
    int FindRestedBenchPlayer(int foulLimit = 6); // settles the bench's rest first
    int FindMustLeave() const;
    int FindTired() const;
    bool HasMustLeaveOnCourt(int& id) const;
    bool HasFiveFouls(int& id) const { return HasFouls(5, id); }
    bool HasFouls(int limit, int& id) const;
    bool HasSixFouls(int& id) const;
    // A court player who is tired, must leave or has foulLimit fouls: without one the rules' searches
    // above find nothing, and one pass over the squad replaces them all.
    bool HasCourtAlert(int foulLimit) const;
    // The least energy a court player has above the rest line (kRestBelow); 0 when one is at or below it.
    float CourtEnergyMargin() const;
    // Between full looks at the court alert (CMatch2D::CourtAlert): set by a foul, a must-leave flag
    // or a substitution, else no look is needed before the play tick quietUntil.
    uint8_t alertEvent = 1;
    int32_t alertQuietUntil = 0;
    // A court player's step costs 0.001 energy; the bound leaves room for the float's rounding. An
    // action (CMatch2DPlayer::Exert) costs 0.05, under this many steps' worth at the bound.
    static constexpr float kStepDrainBound = 0.0011f;
    static constexpr int kActionQuietTicks = 50;

    void Substitute(int outgoingId, int incomingId);
    // A change the user made himself: it holds the automatic rest of his side back for a while.
    void UserSubstitute(int outgoingId, int incomingId);
    // The first court player below the rest line who may still play (no must-leave flag, fewer than six
    // fouls: a player who must leave goes by his own rule, and is told); -1 when none.
    int FindTiredToRest() const;
    // The freshest bench player fit to come on (no must-leave flag, fewer than six fouls, rested to
    // kFitToComeOn); -1 when none. Settles the bench's rest first.
    int FindFreshestBenchPlayer(int foulLimit = 6);
    // The rules bring on only a substitute with at least this energy: a fresher one than the tired
    // player he replaces (any bench player once swapped two tired players every tick).
    static constexpr float kFitToComeOn = 40.0f;
    // A starter the rest rule took off goes back on at this share of his own fitness (and at
    // kFitToComeOn at least), for the most tired player on court who did not start.
    static constexpr float kBackShare = 0.95f;
    // The bench's rest a play tick: 3.5 a minute of the clock, so a starter rested at the line sits
    // 9-17 minutes by his fitness before he is back at his share (at 10 a minute he was back within
    // six and starters played 35-36 minutes).
    static constexpr float kBenchRest = 0.00175f;
    // The coach rests a court player below this energy (exhaustion still comes below 10): rested at
    // 20, a match had 16-20 changes and a starter's stints were long.
    static constexpr float kRestBelow = 36.0f;
    // A starter rested for his fouls goes back on once the quarter allows them and he has this share
    // of his fitness (and kFitToComeOn at least): the sit was for his fouls, not his legs.
    static constexpr float kFoulBackShare = 0.6f;
    // The rested starter ready to go back on: no must-leave flag, fewer than foulLimit fouls, rested
    // to his share; the freshest first. -1 when none. Settles the bench's rest first.
    int FindStarterToReturn(int foulLimit);
    // The court player who did not start and whom the rules may take off (no must-leave flag, fewer
    // than six fouls: those are left to their own rules) to make room for a player of forPosition:
    // the nearest position first, the most tired among equals. -1 when none.
    int FindToMakeRoom(int forPosition = 0) const;
    // The change a coach makes for the player leaving: a bench player of his own position, else of
    // the nearest, else anyone (PickLikeForLike, the freshest among equals), of those with no
    // must-leave flag, fewer than foulLimit fouls and at least minEnergy. -1 when none. Settles the
    // bench's rest first.
    int PickSubstitute(int leavingId, int foulLimit, float minEnergy);
    // The change for a player who must leave (six fouls, hurt): the pick among the fit (kFitToComeOn),
    // else among all who may play. The computer makes it; the user's window offers it.
    int PickForcedSubstitute(int leavingId);
    // After a change the five play the spots and roles of their own positions where the five allow
    // it: each seat (C, PF, SF, PG, SG, with its spots and its place in the squad, which sets whom
    // he marks man-to-man) goes to the player whose own position lies nearest, the fewest moving.
    void ReseatByPosition();
    // Play ticks at least until a rested starter is ready to go back on with someone to make room
    // for him: 0 when one is ready now, -1 when none waits. Settles the bench's rest first.
    int TicksToStarterReturn(int foulLimit);
    void GoToSpots();
    void SetAttacking();
    void SetDefending();
    int GetTeamFouls() const { return teamFouls; }
    void ClearBall();
    void ClearReceivers();
    void ChaseBall(const Vec3& ballPosition);
    void ResetForQuarter();
    void Update();
    // Both sides' court players, the home side's first: the match's tick, in one call (one call a
    // side cost a twelfth of a player's update in its entry and exit alone).
    static void UpdateSides(CMatch2DTeam& home, CMatch2DTeam& away);
    // Adds the rest the bench players gained over the ticks since the last call: the match settles
    // it before anyone reads a bench player's energy (substitutions, the end of RunTicks).
    void SettleBench();
    int32_t restTicks = 0;
    int32_t substitutions = 0; // changes made in the match
    // The match's play tick of the user's last change of his own (the automatic rest waits after it).
    static constexpr int kUserChangeHoldTicks = 2000; // a minute of the clock, 0.03 s a tick
    int32_t userChangeTick = -kUserChangeHoldTicks;

    int SumCounter(int number) const;
    int SumFieldGoalsTaken() const { return SumCounter(kStatFieldGoalsTaken); }
    int SumThreePointersTaken() const { return SumCounter(kStatThreesTaken); }
    int SumFreeThrowsTaken() const { return SumCounter(kStatFreeThrowsTaken); }
    int SumFieldGoalsMade() const { return SumCounter(kStatFieldGoalsMade); }
    int SumThreePointersMade() const { return SumCounter(kStatThreesMade); }
    int SumFreeThrowsMade() const { return SumCounter(kStatFreeThrowsMade); }
    int SumChallengeLosses() const { return SumCounter(kStatChallengeLosses); }
    int SumSteals() const { return SumCounter(kStatSteals); }
    int SumOffensiveRebounds() const { return SumCounter(kStatOffensiveRebounds); }
    int SumDefensiveRebounds() const { return SumCounter(kStatDefensiveRebounds); }
    int SumBlocks() const { return SumCounter(kStatBlocks); }
    int SumCounter363() const { return SumCounter(kStatPassesLost); }
    void GetDunkTotals(int& made, int& taken) const;
    void GetPassTotals(int& completed, int& failed) const;
    void GetFreeThrowTotals(int& made, int& taken) const;
    int SumFouls() const;
    int SumAssists() const;
    // Balls lost by the players, and by the side when the shot clock runs out with the ball nobody's.
    int SumTurnovers() const;
    // The turnovers the records book (a club's field 28): every ball a player lost and the side's own.
    int BookedTurnovers() const { return SumCounter(kStatPassesFailed) + teamTurnovers; }
    // The shot clock ran out: the holder (or the man a pass is flying to) lost the ball.
    void ShotClockViolation();
    int32_t shotClockViolations = 0;
    int32_t teamTurnovers = 0; // violations with nobody of the side holding the ball

    // Free-throw line-up entry the next player of this side takes. Starts at 1 each match and after
    // each series; the readers clamp it to the table.
    int freeThrowSpot = 1;

    CStr name;
    std::vector<std::unique_ptr<CMatch2DPlayer>> players;
    int32_t attackTacticId = 0;
    int32_t defenceTacticId = 0;
    int32_t score = 0;
    int32_t teamFouls = 0;
    // The level the club's own squad stands for, before two clubs' levels meet (FiveStanding): its
    // class's, or a tournament club's from its squad's steal ratings.
    float ownLevel = 1.28f;
    // A tournament side's shooting level was read from its starters' shooting (shotLevelRating, 0
    // for a league side, whose class sets it); its shots so far move it by how far the ratings they
    // were taken with stand from that (ShotLevelShift).
    float shotLevelRating = 0.0f;
    float shotRatingSum = 0.0f;
    int32_t shotRatingCount = 0;
    float ShotLevelShift() const;
    void NoteShotRating(int rating);
    // The level a tournament side's blocks are rolled at (TournamentBlockLevels); 0: its contests'.
    float blockLevel = 0.0f;
    int32_t timeOuts = 0; // the user's time-outs, counted by the match centre's tactics button
    CStr secondName;
    uint8_t userTeam = 0;
    uint8_t attacking = 0;
    CMatch2D* match = nullptr;

private:
    template <bool kOpenPlay> void UpdateCourtPlayers(); // Update's loop, inlined into its callers
};

// The searches run many times a tick: inline, so each caller's loop needs no call.
inline CMatch2DPlayer* CMatch2DTeam::FindNearestSquare(const Vec3& point, float& square,
                                                       const CMatch2DPlayer* excluded) const {
    // Run many times a tick: squares are compared, and the caller takes a root only if it needs one.
    // The answer is kept in locals so that the store through `square` does not make the compiler
    // read the squad again.
    CMatch2DPlayer* best = nullptr;
    float bestSquare = kNoneSquare;
    const int count = std::min(kCourtPlayers, PlayerCount());
    const std::unique_ptr<CMatch2DPlayer>* court = players.data();
    for (int i = 0; i < count; ++i) {
        CMatch2DPlayer* player = court[i].get();
        const float s = (player->position - point).LengthSq();
        if (s < bestSquare && player != excluded) {
            bestSquare = s;
            best = player;
        }
    }
    square = bestSquare;
    return best;
}

inline CMatch2DPlayer* CMatch2DTeam::FindNearest(const Vec3& point, float& distance,
                                                 const CMatch2DPlayer* excluded) const {
    float square = 0.0f;
    CMatch2DPlayer* best = FindNearestSquare(point, square, excluded);
    distance = best != nullptr ? std::sqrt(square) : kNoneDistance;
    return best;
}

class CMatch2DBall {
public:
    void SetPosition(float x, float y, float z) { position = Vec3(x, y, z); }
    void SetPosition(const Vec3& v) { position = v; }
    void SetTarget(float x, float y, float z) { target = Vec3(x, y, z); }
    void SetTarget(const Vec3& v) { target = v; }
    // One tick: a fixed distance toward the target (it steps over and back once there).
    void Step();

    Vec3 position;
    Vec3 target;
    float speed = 0.1f;
    Vec3 direction;
};

// Inline: the match steps the ball every tick.
inline void CMatch2DBall::Step() {
    // Normalize, without the root when the ball lies on its target (most ticks: in a holder's hands).
    direction = target - position;
    const float square = direction.LengthSq();
    if (square > 0.0f) {
        const float length = std::sqrt(square);
        direction.x /= length;
        direction.y /= length;
        direction.z /= length;
    }
    position += direction * speed;
}
