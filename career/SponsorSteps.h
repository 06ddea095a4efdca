// Sponsors: now and then a sponsor offers a deal; the squad's mood decides whether it comes off.
// One offer is pending at a time; it is kept with the career until it is decided.
#pragma once

#include "career/MoneySteps.h"

constexpr int kMailRowOfferKind3 = 49;
constexpr int kMailRowOfferKind2 = 50;
constexpr int kMailRowOfferLostVariant1 = 53;
constexpr int kMailRowOfferLostVariant0 = 54;
constexpr int kMailRowOfferWonVariant1 = 56;
constexpr int kMailRowOfferWonVariant0 = 57;
// The most draws for a sponsor of the wanted kind before the first of that kind is taken.
constexpr int kSponsorDraws = 1000;

// A 1 % chance a day of a new offer, while none is pending: a kind-3 sponsor (variant 0) or a
// kind-2 one (variant 1).
void OfferSponsor(const CareerDay& day);
// The pending offer is won or lost by the squad's mood, or stays pending.
void DecideSponsorOffer(const CareerDay& day);
// -1 lost, +1 won, 0 undecided, for a squad mood and a roll of 0-99.
int SponsorOutcome(int mood, int roll);
