// Sponsor offers and their outcome.
#include "career/SponsorSteps.h"

#include "career/Indicators.h"
#include "career/Mail.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <algorithm>

namespace {

int RollBelow(double n) {
    return static_cast<int>(GameRand() / static_cast<double>(kGameRandMax) * n);
}

void ClearOffer(CCareerSteps& steps) {
    steps.offerDay = steps.offerMonth = steps.offerYear = steps.offerSponsor = steps.offerVariant = -1;
}

bool OfferPending(const CCareerSteps& steps) {
    return steps.offerSponsor >= 0;
}

} // namespace

int SponsorOutcome(int mood, int roll) {
    if (mood < 65 && roll > 60)
        return 1;
    if (mood < 35 && roll < 40)
        return -1;
    return 0;
}

void OfferSponsor(const CareerDay& day) {
    if (!day.career || !day.career->teams.At(0))
        return;
    CCareerSteps& steps = day.career->careerSteps.Get();
    if (OfferPending(steps) || RollBelow(100) != 50)
        return;
    const int variant = RollBelow(2);
    if (variant > 1)
        return;
    const int32_t kind = variant == 0 ? 3 : 2;
    const int row = variant == 0 ? kMailRowOfferKind3 : kMailRowOfferKind2;
    // Only a list that has a sponsor of the kind is drawn from, and the draw is bounded: the last
    // record comes up only once in 32,768 rolls.
    const CSponsorTable* sponsors = day.world ? &day.world->sponsorOffers : nullptr;
    int first = -1;
    for (int i = 0; sponsors && i < sponsors->Size(); ++i)
        if (sponsors->At(i)->kind == kind) {
            first = i;
            break;
        }
    if (first < 0)
        return;
    const int n = sponsors->Size();
    int chosen = -1;
    for (int draw = 0; draw < kSponsorDraws && chosen < 0; ++draw) {
        const int i = std::min(RollBelow(n - 1), n - 1);
        if (sponsors->At(i)->kind == kind)
            chosen = i;
    }
    if (chosen < 0)
        chosen = first;
    steps.offerDay = day.today.day;
    steps.offerMonth = day.today.month;
    steps.offerYear = day.today.year;
    steps.offerSponsor = chosen;
    steps.offerVariant = variant;
    CreateEmail(day.world, day.career, row, day.today.year, day.today.month, day.today.day, CStr(),
                sponsors->At(chosen)->name, kMailTypeOffer);
}

void DecideSponsorOffer(const CareerDay& day) {
    CTeam* club = day.career ? day.career->teams.At(0) : nullptr;
    if (!club || club->players.empty())
        return;
    CCareerSteps& steps = day.career->careerSteps.Get();
    if (!OfferPending(steps))
        return;
    int64_t satisfaction = 0;
    for (const CPlayer* player : club->players)
        satisfaction += player->words[kWordSatisfaction];
    const int mood = static_cast<int>(satisfaction / static_cast<int64_t>(club->players.size()));
    const int outcome = SponsorOutcome(mood, RollBelow(100));
    if (outcome == 0)
        return;
    int row = -1;
    if (steps.offerVariant == 0)
        row = outcome > 0 ? kMailRowOfferWonVariant0 : kMailRowOfferLostVariant0;
    else if (steps.offerVariant == 1)
        row = outcome > 0 ? kMailRowOfferWonVariant1 : kMailRowOfferLostVariant1;
    // The mail names the company whose offer it decides.
    const CSponsorRecord* sponsor = day.world ? day.world->sponsorOffers.At(steps.offerSponsor) : nullptr;
    if (row >= 0)
        CreateEmail(day.world, day.career, row, day.today.year, day.today.month, day.today.day, CStr(),
                    LookUpText(day.text, 302081), kMailTypeClub, {sponsor ? sponsor->name : CStr()});
    // A deal won makes news and lifts the squad; one refused does the opposite. The reference stays
    // the morning's value, so the arrows show the day's whole move.
    if (day.world) {
        MoveClubIndicator(*day.world, club->id, kPressIndicator, 2 * outcome);
        MoveClubIndicator(*day.world, club->id, kMoodIndicator, outcome);
    }
    ClearOffer(steps);
}
