// Transfers: the wage a market player asks, his verdict on an offer, and the two moves of a player
// record between the world and the career (a signing with its fee, a release). Each move books
// its certificate, and a signing's fee goes into the ledger, so a saved career keeps every move.
#pragma once

#include "database/GameDate.h"
#include "engine/Str.h"
#include "engine/TextRun.h"

#include <climits>
#include <cstdint>

class CEventList;
class CMemoryDB;
struct CPlayer;
struct CTeam;

// A squad holds at most this many players; the market stays closed to a full one.
constexpr int kSquadLimit = 15;
// The offered monthly wage moves in these steps and never below one step by the minus button.
constexpr int32_t kWageStep = 5000;
// The largest monthly wage an offer reaches: its yearly sum must still fit the records.
constexpr int32_t kMaxMonthlyWage = (INT32_MAX / 12) / kWageStep * kWageStep;

// The text naming a player without a club (and the market filter for them).
constexpr int32_t kTextNoClub = 200088;

// The card value of a player's attribute n (1-16): the second integer of these triples.
constexpr int kCardAttributeTriple[16] = {1, 3, 4, 15, 16, 5, 6, 7, 8, 9, 14, 10, 11, 12, 2, 13};

// The player's overall rating as the market shows it (truncated).
int32_t MarketRating(const CPlayer& player);

// The yearly wage a player asks: attribute 13 of his card, his wage factor and his rating raise it.
// Kept within int32 however large the inputs are.
int32_t YearlyWageDemand(int32_t attribute13, int32_t wageFactor, int32_t rating);

// The fee paid to a player's former club: |rating - 60| times the monthly wage, kept within int32.
int32_t TransferFee(int32_t rating, int32_t monthlyWage);

// The points a team scored per match over all its match records; 0 without any.
double TeamPointsAverage(const CTeam* team);

struct OfferVerdict {
    int32_t textId = 0;
    bool accepted = false;
};
// The player's answer to a yearly offer against his yearly demand, by how strong his club (p1) and
// the asking club (p2) score per match.
OfferVerdict JudgeOffer(int64_t offered, int64_t demand, double p1, double p2);
// The verdicts' texts JudgeOffer answers with.
constexpr TextRun kOfferVerdictTexts{200210, 6};

// What the screen knows of the player it moves.
struct TransferTerms {
    int32_t playerId = -1;
    int32_t rating = 0; // the rating the certificate carries (and a signing's fee counts)
    int32_t wage = 0;   // monthly, for a signing
    int32_t months = 0; // contract length, for a signing
};

// A contract runs at least a month and at most this many.
constexpr int32_t kMinContractMonths = 1;
constexpr int32_t kMaxContractMonths = 600;

// CashShort: the fee and the first month's wage are more than the club holds. BadTerms: no wage or
// a contract outside the month limits.
enum class TransferResult { Done, NotFound, SquadFull, NoClub, CashShort, BadTerms };

// Signs a world player for the user's club: his record moves into the career database and the
// club's squad with the new wage and contract from today. A player of another club costs that
// club's fee, taken from the cash and booked as a transfer when there is a ledger. A certificate
// records the move at the fee paid, which stays with the player as his certificate value. Nothing
// changes unless the player is found, the squad has room, the terms are inside their limits and
// the club can pay the fee and the first month's wage.
TransferResult SignPlayer(CMemoryDB& world, CMemoryDB& career, CEventList* ledger, const GameDate& today,
                          const TransferTerms& terms, const CStr& noClubText);

// Releases a player of the club's squad: his record goes back to the world without a club, and a
// certificate records the move. Nothing changes when he is not in the squad.
TransferResult ReleasePlayer(CMemoryDB& world, CMemoryDB& career, const GameDate& today,
                             const TransferTerms& terms, const CStr& noClubText);
