// Transfers on the shipped world: what a player asks and answers, signing and releasing with
// their fee, ledger entry and certificate, moves that cannot be made, the wage of a newcomer on
// the next first of the month, and a saved career that keeps every move.
#include "career/Transfers.h"
#include "career/CareerSession.h"
#include "career/EventList.h"
#include "database/MemoryDB.h"

#include "CareerRig.h"
#include "GameCopyTest.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace daytest;

namespace {

const CStr kNoClub("No club");

// The first world player of another club with a rating away from 60, so his fee is not 0.
CPlayer* ClubPlayer(CMemoryDB& world, int32_t excludeClub) {
    for (CPlayer* player : world.players)
        if (player->teamId > -1 && player->teamId != excludeClub && MarketRating(*player) != 60)
            return player;
    return nullptr;
}

CPlayer* FreeAgent(CMemoryDB& world) {
    for (CPlayer* player : world.players)
        if (player->teamId <= -1)
            return player;
    return nullptr;
}

bool InSquad(const CTeam& team, const CPlayer* player) {
    return std::find(team.players.begin(), team.players.end(), player) != team.players.end();
}

TransferTerms Terms(const CPlayer& player, int32_t wage, int32_t months) {
    TransferTerms terms;
    terms.playerId = player.id;
    terms.rating = MarketRating(player);
    terms.wage = wage;
    terms.months = months;
    return terms;
}

} // namespace

TEST(Transfers, TheWageDemandFollowsTheFormulaAndStaysInRange) {
    // (50 x 0.01 + 1) x (12 x 0.0833...) x (60 x 0.01) x 250000: the twelfth is a shade under one,
    // so the truncated year is 224999, not 225000.
    EXPECT_EQ(YearlyWageDemand(50, 12, 60), 224999);
    EXPECT_EQ(YearlyWageDemand(50, 12, 60) / 12, 18749);
    // Truncated toward zero: 1.01 x 1 x 0.33 x 250000 = 83325.0000...
    EXPECT_EQ(YearlyWageDemand(1, 12, 33), 83325);
    EXPECT_EQ(YearlyWageDemand(0, 0, 80), 0);
    // Damaged records cannot overflow the conversion.
    EXPECT_EQ(YearlyWageDemand(INT32_MAX, INT32_MAX, 100), INT32_MAX);
    EXPECT_EQ(YearlyWageDemand(INT32_MAX, INT32_MIN, 100), INT32_MIN);
}

TEST(Transfers, TheFeeCountsTheRatingsDistanceFromSixtyAndSaturates) {
    EXPECT_EQ(TransferFee(60, 20000), 0);
    EXPECT_EQ(TransferFee(40, 20000), 400000);
    EXPECT_EQ(TransferFee(80, 20000), 400000);
    EXPECT_EQ(TransferFee(100, kMaxMonthlyWage), INT32_MAX);
    // The wage cap keeps a whole year inside the records.
    EXPECT_LE(static_cast<int64_t>(kMaxMonthlyWage) * 12, INT32_MAX);
    EXPECT_EQ(kMaxMonthlyWage % kWageStep, 0);
}

TEST(Transfers, TheVerdictTableTakesItsFirstMatchingRow) {
    const int64_t demand = 120000;
    struct Case {
        int64_t offered;
        double p1, p2;
        int32_t text;
        bool accepted;
    };
    const Case cases[] = {
        {demand, 80.0, 80.0, 200213, true},          // at the demand, equal clubs
        {demand - 1, 70.0, 80.0, 200213, true},      // below it, his club weaker
        {demand, 100.0, 80.0, 200211, false},        // his club stronger, not twice as strong
        {demand, 160.0, 80.0, 200211, false},        // exactly twice
        {demand, 161.0, 80.0, 200210, false},        // more than twice
        {demand + 1, 60.0, 80.0, 200214, true},      // more money, his club weaker but not by half
        {demand + 1, 40.0, 80.0, 200214, true},      // exactly half
        {demand + 1, 39.0, 80.0, 200215, true},      // far weaker
        {demand * 3 / 2, 80.0, 80.0, 200212, false}, // equal clubs: 1.5 x the demand is not enough
        {demand * 3 / 2 + 1, 80.0, 80.0, 200214, true},
        {demand * 2, 90.0, 80.0, 200214, true},
    };
    for (const Case& c : cases) {
        const OfferVerdict verdict = JudgeOffer(c.offered, demand, c.p1, c.p2);
        EXPECT_EQ(verdict.textId, c.text) << c.offered << " " << c.p1 << " " << c.p2;
        EXPECT_EQ(verdict.accepted, c.accepted) << c.offered << " " << c.p1 << " " << c.p2;
    }
    // No matches on either side count as equal clubs.
    EXPECT_TRUE(JudgeOffer(demand, demand, TeamPointsAverage(nullptr), 0.0).accepted);
}

TEST(Transfers, SigningAClubPlayerMovesHimAndBooksTheFeeAndACertificate) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    CPlayer* player = ClubPlayer(*rig.world, club.id);
    ASSERT_NE(player, nullptr);
    CTeam* former = rig.world->FindTeam(player->teamId);
    ASSERT_NE(former, nullptr);
    const CStr formerName = former->name;
    const int32_t rating = MarketRating(*player);
    const int32_t cash = club.cash;
    const size_t squad = club.players.size();
    const GameDate today{2008, 1, 31};

    ASSERT_EQ(SignPlayer(*rig.world, *rig.career, &rig.ledger, today, Terms(*player, 25000, 13), kNoClub),
              TransferResult::Done);
    EXPECT_EQ(rig.world->FindPlayer(player->id), nullptr);
    EXPECT_FALSE(InSquad(*former, player));
    EXPECT_EQ(rig.career->FindPlayer(player->id), player);
    EXPECT_EQ(club.players.size(), squad + 1);
    EXPECT_TRUE(InSquad(club, player));
    EXPECT_EQ(player->teamId, club.id);
    EXPECT_EQ(player->words[kWordWage], 25000);
    EXPECT_EQ(player->contractMonths, 13);
    EXPECT_EQ(player->contractYear, 2008);
    EXPECT_EQ(player->contractMonth, 1);
    EXPECT_EQ(player->contractDay, 31);
    EXPECT_EQ(player->words[kWordMatchState], kOnBench);

    const int32_t fee = TransferFee(rating, 25000);
    ASSERT_GT(fee, 0);
    EXPECT_EQ(club.cash, cash - fee);
    ASSERT_EQ(rig.CountKind(kLedgerTransfer), 1);
    const CCalendarEvent* event = rig.ledger.At(rig.ledger.Size() - 1);
    ASSERT_EQ(event->Kind(), kLedgerTransfer);
    const auto& booking = std::get<TransferEventData>(event->Payload());
    EXPECT_EQ(booking.scope, kScopeDay);
    EXPECT_EQ(booking.direction, kExpense);
    EXPECT_EQ(booking.amount, fee);
    EXPECT_EQ(booking.text, player->name);
    EXPECT_EQ(event->Day(), 31);
    EXPECT_EQ(event->Month(), 1);

    ASSERT_EQ(rig.career->certificates.Size(), 1);
    const CCertificate* certificate = rig.career->certificates.At(0);
    EXPECT_EQ(certificate->playerName, player->name);
    EXPECT_EQ(certificate->fromTeam, formerName);
    EXPECT_EQ(certificate->toTeam, club.name);
    EXPECT_EQ(certificate->rating, rating);
    EXPECT_EQ(certificate->contractMonths, 13);
    // The certificate lists the fee paid; the player keeps it as his value for a later release.
    EXPECT_EQ(certificate->amount, fee);
    EXPECT_EQ(player->words[kWordCertificateValue], fee);
    EXPECT_EQ(certificate->cardValue, player->words[kWordPlayedPosition]);
    EXPECT_EQ(certificate->year, 2008);
}

TEST(Transfers, AFreeAgentCostsNoFeeAndBooksNothing) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    CPlayer* player = FreeAgent(*rig.world);
    ASSERT_NE(player, nullptr);
    player->words[kWordCertificateValue] = 75000; // the price of an earlier move
    const int32_t cash = rig.club->cash;
    ASSERT_EQ(
        SignPlayer(*rig.world, *rig.career, &rig.ledger, {2007, 9, 2}, Terms(*player, 9000, 12), kNoClub),
        TransferResult::Done);
    EXPECT_EQ(rig.club->cash, cash);
    EXPECT_EQ(rig.CountKind(kLedgerTransfer), 0);
    ASSERT_EQ(rig.career->certificates.Size(), 1);
    EXPECT_EQ(rig.career->certificates.At(0)->fromTeam, kNoClub);
    // No fee, no price, even for a player whose record still names the price of an earlier move.
    EXPECT_EQ(rig.career->certificates.At(0)->amount, 0);
}

TEST(Transfers, TermsPastTheCashOrTheLimitsAreRefusedWithoutAMove) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    CPlayer* player = ClubPlayer(*rig.world, rig.club->id);
    ASSERT_NE(player, nullptr);
    const int32_t fee = TransferFee(MarketRating(*player), 10000);
    ASSERT_GT(fee, 0);
    // The fee and the first month's wage one short of the cash; the largest wage an offer reaches.
    rig.club->cash = fee + 10000 - 1;
    const GameDate day{2007, 9, 2};
    EXPECT_EQ(SignPlayer(*rig.world, *rig.career, &rig.ledger, day, Terms(*player, 10000, 12), kNoClub),
              TransferResult::CashShort);
    rig.club->cash = 100000000;
    EXPECT_EQ(
        SignPlayer(*rig.world, *rig.career, &rig.ledger, day, Terms(*player, kMaxMonthlyWage, 12), kNoClub),
        TransferResult::CashShort);
    for (int32_t months : {0, -3, kMaxContractMonths + 1})
        EXPECT_EQ(
            SignPlayer(*rig.world, *rig.career, &rig.ledger, day, Terms(*player, 10000, months), kNoClub),
            TransferResult::BadTerms);
    EXPECT_EQ(SignPlayer(*rig.world, *rig.career, &rig.ledger, day, Terms(*player, -5000, 12), kNoClub),
              TransferResult::BadTerms);
    EXPECT_EQ(rig.world->FindPlayer(player->id), player);
    EXPECT_EQ(rig.ledger.Size(), 0u);
    EXPECT_EQ(rig.career->certificates.Size(), 0);

    // Exactly enough signs him.
    rig.club->cash = fee + 10000;
    ASSERT_EQ(SignPlayer(*rig.world, *rig.career, &rig.ledger, day, Terms(*player, 10000, 12), kNoClub),
              TransferResult::Done);
    EXPECT_EQ(rig.club->cash, 10000);
}

TEST(Transfers, AMoveThatCannotBeMadeChangesNothing) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    CTeam& club = *rig.club;
    const int32_t cash = club.cash;
    const int worldPlayers = rig.world->players.Size();
    const size_t squad = club.players.size();

    // A player no list holds (gone since the screen was filled): no fee, no entry, no certificate.
    TransferTerms ghost;
    ghost.playerId = 999999;
    ghost.rating = 90;
    ghost.wage = 50000;
    EXPECT_EQ(SignPlayer(*rig.world, *rig.career, &rig.ledger, {2007, 9, 2}, ghost, kNoClub),
              TransferResult::NotFound);
    EXPECT_EQ(ReleasePlayer(*rig.world, *rig.career, {2007, 9, 2}, ghost, kNoClub), TransferResult::NotFound);
    // A world player is not the club's to release.
    CPlayer* other = ClubPlayer(*rig.world, club.id);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(ReleasePlayer(*rig.world, *rig.career, {2007, 9, 2}, Terms(*other, 0, 0), kNoClub),
              TransferResult::NotFound);
    EXPECT_NE(rig.world->FindPlayer(other->id), nullptr);

    // A full squad takes nobody.
    while (static_cast<int>(club.players.size()) < kSquadLimit)
        ASSERT_EQ(SignPlayer(*rig.world, *rig.career, nullptr, {2007, 9, 2},
                             Terms(*FreeAgent(*rig.world), 1000, 1), kNoClub),
                  TransferResult::Done);
    const int certificates = rig.career->certificates.Size();
    EXPECT_EQ(
        SignPlayer(*rig.world, *rig.career, &rig.ledger, {2007, 9, 2}, Terms(*other, 5000, 12), kNoClub),
        TransferResult::SquadFull);
    EXPECT_EQ(rig.world->FindPlayer(other->id), other);
    EXPECT_EQ(rig.career->certificates.Size(), certificates);
    EXPECT_EQ(club.cash, cash);
    EXPECT_EQ(rig.ledger.Size(), 0u);
    EXPECT_EQ(rig.world->players.Size(), worldPlayers - (kSquadLimit - static_cast<int>(squad)));
}

TEST(Transfers, ReleasingSendsThePlayerBackWithoutAClub) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    CTeam& club = *rig.club;
    CPlayer* player = club.players.back();
    const int32_t cash = club.cash;
    TransferTerms terms;
    terms.playerId = player->id;
    terms.rating = 57;
    ASSERT_EQ(ReleasePlayer(*rig.world, *rig.career, {2007, 10, 3}, terms, kNoClub), TransferResult::Done);
    EXPECT_FALSE(InSquad(club, player));
    EXPECT_EQ(rig.career->FindPlayer(player->id), nullptr);
    EXPECT_EQ(rig.world->FindPlayer(player->id), player);
    EXPECT_EQ(player->teamId, -1);
    EXPECT_EQ(club.cash, cash);
    EXPECT_EQ(rig.ledger.Size(), 0u);
    ASSERT_EQ(rig.career->certificates.Size(), 1);
    const CCertificate* certificate = rig.career->certificates.At(0);
    EXPECT_EQ(certificate->fromTeam, club.name);
    EXPECT_EQ(certificate->toTeam, kNoClub);
    EXPECT_EQ(certificate->rating, 57);
    EXPECT_EQ(certificate->month, 10);
}

TEST(Transfers, ASignedPlayersWageIsPaidAtTheNextMonthChange) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready);
    CPlayer* player = FreeAgent(*rig.world);
    ASSERT_NE(player, nullptr);
    const CStr name = player->name;
    ASSERT_EQ(
        SignPlayer(*rig.world, *rig.career, &rig.ledger, {2007, 8, 20}, Terms(*player, 12345, 12), kNoClub),
        TransferResult::Done);
    rig.DayAfter(GameDate{2007, 8, 31});
    int paid = 0;
    for (size_t i = 0; i < rig.ledger.Size(); ++i) {
        const CCalendarEvent* event = rig.ledger.At(i);
        if (event->Kind() != kLedgerWages)
            continue;
        const auto& wage = std::get<WageEventData>(event->Payload());
        if (wage.name == name) {
            EXPECT_EQ(wage.amount, 12345);
            EXPECT_EQ(event->Month(), 9);
            ++paid;
        }
    }
    EXPECT_EQ(paid, 1);
}

using TransferCareerTest = GameCopyTest;

TEST_F(TransferCareerTest, ASavedCareerKeepsEverySigningAndRelease) {
    CCareerSession& s = *m_session;
    ASSERT_TRUE(s.StartNewCareer(kDataSetLeague, s.worldDB->teams.At(1)->id, "Dana Reyes"));
    CTeam* club = s.UserClub();
    CPlayer* signed1 = ClubPlayer(*s.worldDB, club->id);
    ASSERT_NE(signed1, nullptr);
    const int32_t signedId = signed1->id;
    const int32_t formerId = signed1->teamId;
    const int32_t releasedId = club->players.front()->id;
    ASSERT_EQ(
        SignPlayer(*s.worldDB, *s.careerDB, s.ledger, s.currentDate, Terms(*signed1, 30000, 24), kNoClub),
        TransferResult::Done);
    TransferTerms release;
    release.playerId = releasedId;
    release.rating = 50;
    ASSERT_EQ(ReleasePlayer(*s.worldDB, *s.careerDB, s.currentDate, release, kNoClub), TransferResult::Done);
    const int32_t cash = club->cash;
    const size_t squad = club->players.size();
    ASSERT_TRUE(s.SaveCurrentCareer());
    const int32_t profile = s.careerDB->profiles.At(0)->id;

    s.LeaveCareer();
    ASSERT_TRUE(s.LoadSavedCareer(profile));
    club = s.UserClub();
    ASSERT_NE(club, nullptr);
    EXPECT_EQ(club->cash, cash);
    EXPECT_EQ(club->players.size(), squad);
    const CPlayer* back = s.careerDB->FindPlayer(signedId);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(InSquad(*club, back));
    EXPECT_EQ(back->words[kWordWage], 30000);
    EXPECT_EQ(back->contractMonths, 24);
    EXPECT_EQ(s.worldDB->FindPlayer(signedId), nullptr);
    const CTeam* former = s.worldDB->FindTeam(formerId);
    ASSERT_NE(former, nullptr);
    for (const CPlayer* p : former->players)
        EXPECT_NE(p->id, signedId);

    EXPECT_EQ(s.careerDB->FindPlayer(releasedId), nullptr);
    const CPlayer* released = s.worldDB->FindPlayer(releasedId);
    ASSERT_NE(released, nullptr);
    EXPECT_EQ(released->teamId, -1);

    ASSERT_EQ(s.careerDB->certificates.Size(), 2);
    EXPECT_EQ(s.careerDB->certificates.At(0)->toTeam, club->name);
    EXPECT_EQ(s.careerDB->certificates.At(1)->toTeam, kNoClub);
    int transfers = 0;
    for (size_t i = 0; i < s.ledger->Size(); ++i)
        if (s.ledger->At(i)->Kind() == kLedgerTransfer) {
            ++transfers;
            // The signing's certificate still shows the fee booked for it.
            const int32_t fee = std::get<TransferEventData>(s.ledger->At(i)->Payload()).amount;
            EXPECT_GT(fee, 0);
            EXPECT_EQ(s.careerDB->certificates.At(0)->amount, fee);
            EXPECT_EQ(back->words[kWordCertificateValue], fee);
        }
    EXPECT_EQ(transfers, 1);
}
