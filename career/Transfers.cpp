// Transfers between the world and the user's club.
#include "career/Transfers.h"

#include "career/Calendar.h"
#include "career/EventList.h"
#include "career/Lineup.h"
#include "database/MemoryDB.h"
#include "database/Ownership.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void AddCertificate(CMemoryDB& career, const CPlayer& player, const CStr& from, const CStr& to,
                    const TransferTerms& terms, int32_t months, const GameDate& today) {
    auto* certificate = new CCertificate();
    certificate->playerName = player.name;
    certificate->fromTeam = from;
    certificate->toTeam = to;
    certificate->amount = player.words[kWordCertificateValue];
    certificate->rating = terms.rating;
    certificate->contractMonths = months;
    certificate->cardValue = player.words[kWordPlayedPosition];
    certificate->day = today.day;
    certificate->month = today.month;
    certificate->year = today.year;
    career.certificates.Append(certificate);
}

} // namespace

int32_t MarketRating(const CPlayer& player) {
    return static_cast<int32_t>(CPlayer::ComputeOverall(const_cast<CPlayer*>(&player), false));
}

int32_t YearlyWageDemand(int32_t attribute13, int32_t wageFactor, int32_t rating) {
    const double demand =
        (attribute13 * 0.01 + 1.0) * (wageFactor * 0.08333333333333333) * (rating * 0.01) * 250000.0;
    // Damaged or extreme records must not overflow the conversion.
    if (!(demand < static_cast<double>(INT32_MAX)))
        return demand != demand ? 0 : INT32_MAX;
    if (demand <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<int32_t>(demand);
}

int32_t TransferFee(int32_t rating, int32_t monthlyWage) {
    const int64_t distance = std::llabs(static_cast<int64_t>(rating) - 60);
    return Saturate(distance * monthlyWage);
}

double TeamPointsAverage(const CTeam* team) {
    if (!team || team->matchStats.empty())
        return 0.0;
    int64_t points = 0;
    for (const CMatchStat* stat : team->matchStats)
        points += stat->Score();
    return static_cast<double>(points) / static_cast<double>(team->matchStats.size());
}

OfferVerdict JudgeOffer(int64_t offered, int64_t demand, double p1, double p2) {
    if (offered <= demand) {
        if (p1 <= p2)
            return {200213, true};
        if (p1 <= 2.0 * p2)
            return {200211, false};
        return {200210, false};
    }
    if (p1 < p2)
        return {2.0 * p1 >= p2 ? 200214 : 200215, true};
    if (static_cast<double>(offered) > 1.5 * static_cast<double>(demand))
        return {200214, true};
    return {200212, false};
}

TransferResult SignPlayer(CMemoryDB& world, CMemoryDB& career, CEventList* ledger, const GameDate& today,
                          const TransferTerms& terms, const CStr& noClubText) {
    CTeam* club = career.teams.At(0);
    if (!club)
        return TransferResult::NoClub;
    if (static_cast<int>(club->players.size()) >= kSquadLimit)
        return TransferResult::SquadFull;
    // The record is found before anything is booked: a player who cannot move costs nothing.
    CPlayer* player = world.FindPlayer(terms.playerId);
    if (!player)
        return TransferResult::NotFound;
    const CTeam* former = player->teamId > -1 ? world.FindTeam(player->teamId) : nullptr;
    const CStr fromName = former ? former->name : noClubText;
    const bool hadClub = player->teamId > -1;
    if (terms.wage < 0 || terms.wage > kMaxMonthlyWage || terms.months < kMinContractMonths ||
        terms.months > kMaxContractMonths)
        return TransferResult::BadTerms;
    const int32_t wage = terms.wage;
    const int32_t months = terms.months;
    // The fee is only charged with a ledger to book it in, but the first month's wage always falls due.
    const int64_t fee64 = hadClub && ledger ? std::llabs(static_cast<int64_t>(terms.rating) - 60) * wage : 0;
    if (fee64 + wage > std::max<int64_t>(club->cash, 0))
        return TransferResult::CashShort;
    if (!MovePlayer(world, career, player, club))
        return TransferResult::NotFound;

    player->contractMonths = months;
    player->contractYear = today.year;
    player->contractMonth = today.month;
    player->contractDay = today.day;
    player->words[kWordWage] = wage;
    // A newcomer starts on the bench; the line-up screen puts him in.
    player->words[kWordMatchState] = kOnBench;
    GiveFreeShirtNumber(*club, *player);

    int32_t fee = 0;
    if (hadClub && ledger) {
        fee = TransferFee(terms.rating, wage);
        club->cash = Saturate(static_cast<int64_t>(club->cash) - fee);
        ledger->BookEntry(TransferEventData{}, kLedgerTransfer, today, kScopeDay, kExpense, player->name,
                          fee);
    }
    // The certificate's price is the player's certificate value: what this move cost the club, so
    // the list shows the fee (nothing for a player without a club) and a later release carries it.
    player->words[kWordCertificateValue] = fee;
    AddCertificate(career, *player, fromName, club->name, terms, months, today);
    return TransferResult::Done;
}

TransferResult ReleasePlayer(CMemoryDB& world, CMemoryDB& career, const GameDate& today,
                             const TransferTerms& terms, const CStr& noClubText) {
    CTeam* club = career.teams.At(0);
    if (!club)
        return TransferResult::NoClub;
    auto it = std::find_if(club->players.begin(), club->players.end(),
                           [&terms](const CPlayer* p) { return p->id == terms.playerId; });
    if (it == club->players.end())
        return TransferResult::NotFound;
    CPlayer* player = *it;
    const bool wasStarter = player->words[kWordMatchState] == kOnCourt;
    if (!MovePlayer(career, world, player, nullptr))
        return TransferResult::NotFound;
    player->words[kWordMatchState] = kOnBench;
    // The next match must not start with four: the best fit player on the bench takes his place.
    if (wasStarter)
        FillStartingFive(*club);
    AddCertificate(career, *player, club->name, noClubText, terms, player->contractMonths, today);
    return TransferResult::Done;
}
