// CMatchTeam: one side of the 3D match. Places 0-4 of the roster are on court, the rest on the bench.
#pragma once

#include "match3d/CourtPlayer.h"

#include <cstdint>
#include <vector>

class IMatchContext;

class CMatchTeam {
public:
    CMatchTeam() = default;
    CMatchTeam(const CMatchTeam&) = delete;
    CMatchTeam& operator=(const CMatchTeam&) = delete;
    ~CMatchTeam();

    // Appends a heap copy of the player.
    void AddPlayer(const CCourtPlayer& player);
    // Takes ownership of the player.
    void AddPlayerPointer(CCourtPlayer* player);
    void DeletePlayers();
    int GetCount() const { return static_cast<int>(players.size()); }
    // Null out of range.
    CCourtPlayer* GetPlayer(int index) const;
    // The first player, in roster order, filling that formation position; null when none.
    CCourtPlayer* FindByPosition(int positionId) const;
    // The first player with the id and his place; null and the count when none.
    CCourtPlayer* FindById(int playerId, int& index) const;
    // The first player holding the ball; null when none.
    CCourtPlayer* GetBallHolder() const;
    // Places 0-4, or fewer when the roster is short.
    int OnCourtCount() const { return GetCount() < kOnCourt ? GetCount() : kOnCourt; }

    // Hands the match to the roster and every player in it (and to players added later).
    void AttachMatch(IMatchContext* context);
    // One decision step of the players on court.
    void Think(double dt);
    void ClearAwaitingPass();
    void ClearChaseFlags();
    // Every player back to his placement spot, the per-play flags cleared.
    void ResetPositions();
    // The incoming player takes the outgoing one's place, spots and marker; nothing happens unless
    // both are in the roster.
    void Substitute(int outId, int inId);
    // The first on-court player who is hurt, fouled out (six fouls), in foul trouble or below 35
    // stamina; -1 when none.
    static constexpr float kRestBelow = 35.0f; // stamina at which a court player is rested
    static constexpr float kFitAbove = 40.0f;  // stamina a substitute needs
    // A bench player's rest a tick (a hurt one at a fifth): 2.7 a minute, a little slower than a
    // player on court tires, so a starter rested from 35 sits 15-20 minutes before he is back near
    // his fitness (at 7.5 a minute he was back within five and starters played 38).
    static constexpr float kRecovery = 0.0009f;
    static constexpr float kHurtRecovery = 0.00018f;
    int PickPlayerToRest() const;
    // The user's side in a watched match: the first on-court player who is tired or in foul trouble
    // and not already in a change; the hurt and the fouled-out leave through the user's window.
    int PickUserPlayerToRest() const;
    // Fouls that make foul trouble in the quarter: a coach sits a player with two in the first,
    // three in the second, four in the third and five from the fourth, so he is rested before his
    // sixth and comes back when the next quarter allows his count.
    static int FoulTroubleAt(int quarter);
    bool InFoulTrouble(const CCourtPlayer& player) const;
    // In foul trouble and a fit substitute no more than a position from his own is there (or none
    // at all, which starts no change anyway).
    bool RestForFouls(const CCourtPlayer& player) const;
    // Someone on the bench who may come on (not hurt, not fouled out), tired or not, and not
    // already named to come on for another player in a change not yet carried out.
    bool HasFitSubstitute() const;
    // The bench player a coach sends on for the leaving player: fit (not hurt, fewer than six
    // fouls, not in foul trouble, above 40 stamina, not named for another change), of the leaving
    // player's position, else the nearest, else anyone; the freshest among equals. Without a
    // leaving player (an id not on court) the freshest fit one. Negative when none: -2 when the
    // last one looked at is hurt, else -1.
    int PickSubstitute(int leavingId = -1) const;
    // For a player who must leave when nobody fit is left: anyone who may come on (as
    // HasFitSubstitute), tired or in foul trouble, picked like for like; -1 when none.
    int PickAnySubstitute(int leavingId) const;
    // The five on court become the starters, nobody rested yet: at the tip-off.
    void MarkStarters();
    // A starter the rest rule took off goes back on at this share of his own fitness: rested at the
    // threshold, about eleven minutes on the bench. At 0.95 (a quarter or more) a starter who
    // rested twice was near 24 minutes, and the user's side, left alone, made under 15 changes a
    // match. He takes the place of the player on court who did not start nearest his position (the
    // most tired among equals).
    static constexpr float kBackShare = 0.80f;
    // The rested starter ready to go back on (fit, not in foul trouble, rested to his share; the
    // freshest first), and the player who makes room for him; -1 when none.
    int PickStarterToReturn() const;
    int PickToMakeRoom(int returningId = -1) const;
    // The pair a computer side draws when well behind: any offence 0-9 and one of the half-court
    // defences that foul no more than its own zone 10. Drawn from 10-18, two draws in three were a
    // press (11, 12, 15, 16, 18) or the man-to-man 13, which fouled 26-37 times a match against the
    // zone's 21, and the computer's starters sat in foul trouble, up to one in six under 24 minutes.
    // The man-to-man, mended since (its markers 2.8 m off their men), fouls least: about 15 a match
    // against the zone's 19, so a side behind may draw it too.
    static constexpr int kDefencesWhenBehind[] = {10, 13, 14, 17};
    void DrawTacticsWhenBehind(int& attack, int& defence) const;
    // One tick of the bench getting its breath back.
    void RecoverBench();

    // Statistics totals over the whole roster, bench included (a player taken off still counts);
    // 0 for an empty roster. The pair totals set both values and return the player count.
    int32_t TotalSteals() const;
    int32_t TotalOffensiveRebounds() const;
    int32_t TotalDefensiveRebounds() const;
    int32_t TotalTwoPointersMade() const;
    int32_t TotalThreePointersMade() const;
    int32_t TotalTwoPointAttempts() const;
    int32_t TotalThreePointAttempts() const;
    int32_t TotalBlocks() const;
    int32_t TotalTurnovers() const;
    int TotalPasses(int32_t& good, int32_t& bad) const;
    int TotalFreeThrows(int32_t& made, int32_t& attempted) const;
    int TotalFieldGoals(int32_t& made, int32_t& attempted) const;

    std::vector<CCourtPlayer*> players; // owned
    int32_t attackTactic = 0;           // 0-9
    int32_t defenceTactic = 0;          // 10-19
    Vec3 basketPoint;                   // under the basket this side defends
    Vec3 attackedBasketPoint;           // under the basket its shots aim at
    int32_t score = 0;
    uint8_t loaded = 0;
    uint8_t isUserTeam = 0;
    // A formation of each kind has been placed; until then a bad tactic id falls back to the defaults.
    uint8_t attackPlaced = 0;
    uint8_t defencePlaced = 0;
    IMatchContext* match = nullptr; // not owned
    int32_t substitutions = 0;      // changes carried out in the match
    // The overall rating the club's class stands for (a class rates five points above the one below).
    float usualRating = 0.0f;
    // The five on court: their mean overall rating above the one their class stands for. Two clubs of
    // a class compare their squads as the squad screens show them; between classes the levels count
    // the gap already.
    float FiveStanding() const;

    static constexpr int kOnCourt = 5;
};
