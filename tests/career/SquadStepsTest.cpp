// The squad's days on a real career: injuries heal and are reported once, laments are judged ten
// days later, the scout stays within his judgement, sponsors offer one deal at a time.
#include "career/SquadSteps.h"
#include "career/Indicators.h"
#include "career/Mail.h"
#include "career/SponsorSteps.h"
#include "engine/GameRand.h"

#include "CareerRig.h"

#include <gtest/gtest.h>

using namespace daytest;

namespace {

CStadiumWingRecord* Part(CTeam& club, int32_t partId) {
    for (CStadiumWingRecord* wing : club.stadium->wings)
        if (wing->partId == partId)
            return wing;
    return nullptr;
}

} // namespace

TEST(SquadSteps, AnInjuredPlayerHealsByTheDaysSpeedAndIsReportedOnce) {
    GameSrand(8);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    CPlayer& hurt = *club.players[2];
    CPlayer& longer = *club.players[3];
    hurt.words[kWordInjured] = 1;
    hurt.words[kWordDaysOut] = 3;
    longer.words[kWordInjured] = 1;
    longer.words[kWordDaysOut] = 9;
    Part(club, 300063)->level = 3; // the physio room makes it four days a day
    EXPECT_EQ(HealingSpeed(rig.Today()), 4);

    rig.DayAfter(GameDate{2007, 8, 10});
    EXPECT_EQ(hurt.words[kWordInjured], 0);
    EXPECT_EQ(hurt.words[kWordDaysOut], 0);
    EXPECT_EQ(longer.words[kWordDaysOut], 5);
    EXPECT_EQ(rig.CountMails(kMailRowRecovery), 0); // nobody to report it

    const CStaffRecord* physio = rig.Hire(kStaffPhysiotherapist);
    ASSERT_NE(physio, nullptr);
    EXPECT_EQ(HealingSpeed(rig.Today()), 4 + std::max(1, static_cast<int>(physio->skill * 0.05)));
    for (int i = 0; i < 5; ++i)
        rig.Day();
    EXPECT_EQ(longer.words[kWordInjured], 0);
    ASSERT_EQ(rig.CountMails(kMailRowRecovery), 1);
    for (const CEmail* mail : rig.career->emails)
        if (mail->templateRow == kMailRowRecovery) {
            EXPECT_EQ(mail->type, 80057);
            EXPECT_STREQ(mail->senderName.GetText(), physio->name.GetText());
            EXPECT_STREQ(mail->placeholders[0].GetText(), longer.name.GetText());
        }
}

TEST(SquadSteps, ALamentOfChristmasIsJudgedOnTheFourthOfJanuary) {
    GameSrand(6);
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    const CStaffRecord* coach = rig.Hire(kStaffHeadCoach);
    ASSERT_NE(coach, nullptr);
    CPlayer& moaner = *club.players[0];
    CPlayer& other = *club.players[1];
    moaner.words[kWordSatisfaction] = 6;
    moaner.words[kWordAfterSatisfaction] = 7;
    other.words[kWordSatisfaction] = 50;
    CLament* staff = rig.career->laments.AddLament(moaner.id, 2007, 12, 25, 302012, -1, coach->id);
    // A hall part built in the meantime settles its complaint without a penalty.
    CStadiumWingRecord* roof = Part(club, 300050);
    CLament* fixed = rig.career->laments.AddLament(other.id, 2007, 12, 25, 302006, -1, 300050);
    roof->status = 1;

    rig.DayAfter(GameDate{2008, 1, 2});
    EXPECT_EQ(moaner.words[kWordSatisfaction], 6);
    EXPECT_EQ(staff->status, -1);
    rig.Day(); // 4 January
    EXPECT_EQ(moaner.words[kWordSatisfaction], 0);
    EXPECT_EQ(moaner.words[kWordAfterSatisfaction], 0);
    EXPECT_EQ(staff->status, -1); // the coach is still there
    EXPECT_EQ(fixed->status, 1);
    EXPECT_EQ(other.words[kWordSatisfaction], 50);
    // Its day has passed: it is not judged again.
    moaner.words[kWordSatisfaction] = 40;
    rig.RunTo(GameDate{2008, 1, 20});
    EXPECT_EQ(moaner.words[kWordSatisfaction], 40);
}

TEST(SquadSteps, ComplaintsNeedARealCause) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeam& club = *rig.club;
    int32_t object = 0;
    EXPECT_FALSE(LamentCauseHolds(club, 302013, object)); // no assistant coach to blame
    const CStaffRecord* assistant = rig.Hire(kStaffAssistantCoach);
    ASSERT_TRUE(LamentCauseHolds(club, 302013, object));
    EXPECT_EQ(object, assistant->id);
    club.attendance = 777;
    Part(club, 300053)->status = 0;
    Part(club, 300053)->level = 1;
    ASSERT_TRUE(LamentCauseHolds(club, 302011, object));
    EXPECT_EQ(object, 777);
    EXPECT_TRUE(LamentCauseHolds(club, 302010, object));
    EXPECT_EQ(object, -1);

    // Over a long run every complaint made has its mail and names a player of the club.
    GameSrand(9);
    rig.RunTo(GameDate{2008, 6, 1});
    ASSERT_GT(rig.career->laments.Size(), 0);
    int mails = 0;
    for (const CEmail* mail : rig.career->emails)
        mails += IsLamentRow(mail->templateRow) ? 1 : 0;
    EXPECT_EQ(mails, rig.career->laments.Size());
    for (const CLament* lament : rig.career->laments) {
        EXPECT_NE(rig.career->FindPlayer(lament->playerId), nullptr);
        if (lament->subject == 302010) {
            EXPECT_EQ(lament->status, 1);
        }
    }
}

TEST(SquadSteps, TheScoutNamesOnlyPlayersHeCanJudge) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CStaffRecord* scout = rig.Hire(kStaffScout) ? rig.club->staff.back() : nullptr;
    ASSERT_NE(scout, nullptr);
    scout->skill = 55;
    GameSrand(4);
    rig.RunTo(GameDate{2008, 7, 1});
    int tips = 0;
    for (const CEmail* mail : rig.career->emails) {
        if (mail->templateRow != kMailRowScoutTip)
            continue;
        ++tips;
        const CPlayer* named = nullptr;
        for (const CPlayer* player : rig.world->players)
            if (player->name == mail->placeholders[0])
                named = player;
        ASSERT_NE(named, nullptr);
        EXPECT_LE(static_cast<int>(named->overall), 55);
    }
    EXPECT_GT(tips, 0);
    const int32_t countdown = rig.career->careerSteps.Get().scoutCountdown;
    EXPECT_GE(countdown, 2);
    EXPECT_LE(countdown, 100);

    // A scout who can judge nobody sends nothing.
    for (CPlayer* player : rig.world->players)
        player->overall = 99;
    const int before = rig.CountMails(kMailRowScoutTip);
    rig.RunTo(GameDate{2009, 1, 1});
    EXPECT_EQ(rig.CountMails(kMailRowScoutTip), before);
}

TEST(SponsorSteps, APendingOfferBlocksNewOnesUntilItIsDecided) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    ASSERT_GT(rig.world->sponsorOffers.Size(), 0);
    GameSrand(11);
    CareerDay day = rig.Today();
    int offers = 0;
    for (int i = 0; i < 3000; ++i) {
        OfferSponsor(day);
        offers = rig.CountMails(kMailRowOfferKind3) + rig.CountMails(kMailRowOfferKind2);
    }
    ASSERT_EQ(offers, 1);
    const CCareerSteps& steps = rig.career->careerSteps.Get();
    const CSponsorRecord* sponsor = rig.world->sponsorOffers.At(steps.offerSponsor);
    ASSERT_NE(sponsor, nullptr);
    EXPECT_EQ(sponsor->kind, steps.offerVariant == 0 ? 3 : 2);

    // A squad in a middling mood wins it on a good roll: the press makes news of the decision and
    // the squad takes it to heart; the fans do not follow a sponsor's verdict.
    for (CPlayer* player : rig.club->players)
        player->words[kWordSatisfaction] = 30;
    CTeamOpinion* opinion = rig.world->opinions.FindByTeam(rig.club->id);
    ASSERT_NE(opinion, nullptr);
    opinion->current[0] = opinion->previous[0] = 60;
    opinion->current[1] = opinion->previous[1] = 40;
    opinion->current[2] = opinion->previous[2] = 99;
    const CStr company = sponsor->name;
    while (steps.offerSponsor >= 0)
        DecideSponsorOffer(day);
    EXPECT_EQ(steps.offerVariant, -1);
    // The mail that tells the outcome names the company.
    const CEmail* verdict =
        rig.career->emails.Size() > 0 ? rig.career->emails.At(rig.career->emails.Size() - 1) : nullptr;
    ASSERT_NE(verdict, nullptr);
    EXPECT_EQ(verdict->placeholders[0], company);
    const bool won = opinion->current[1] == 41;
    EXPECT_TRUE(won || opinion->current[1] == 39);
    EXPECT_EQ(opinion->current[2], won ? 100 : 97); // never above 100
    EXPECT_EQ(opinion->current[0], 60);
    // The morning's values stay the reference the arrows read.
    EXPECT_EQ(opinion->previous[1], 40);
    EXPECT_EQ(opinion->previous[2], 99);

    EXPECT_EQ(SponsorOutcome(30, 70), 1);
    EXPECT_EQ(SponsorOutcome(30, 30), -1);
    for (int roll = 0; roll < 100; ++roll)
        EXPECT_EQ(SponsorOutcome(70, roll), 0);
}

TEST(SponsorSteps, AnEmptyListOrOneWithoutTheKindMakesNoOffer) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CareerDay day = rig.Today();
    rig.world->sponsorOffers.Clear();
    GameSrand(2);
    for (int i = 0; i < 3000; ++i)
        OfferSponsor(day);
    EXPECT_EQ(rig.career->careerSteps.Get().offerSponsor, -1);
    // A lone sponsor of the kind in the last row is still found, without endless drawing.
    for (int32_t kind : {1, 3}) {
        auto* record = new CSponsorRecord();
        record->kind = kind;
        record->name = kind == 3 ? "Last Row Ltd" : "Other Kind";
        rig.world->sponsorOffers.Append(record);
    }
    for (int i = 0; i < 5000 && rig.career->careerSteps.Get().offerSponsor < 0; ++i)
        OfferSponsor(day);
    const CCareerSteps& steps = rig.career->careerSteps.Get();
    if (steps.offerVariant == 0) {
        EXPECT_EQ(steps.offerSponsor, 1);
    }
    EXPECT_EQ(rig.CountMails(kMailRowOfferKind2), 0); // no kind-2 sponsor: no kind-2 offer
}

// The club's own row warns when low; a result moved it the day it was recorded, so the next
// morning's step leaves it where it is.
TEST(SquadSteps, ALowOpinionIsReportedAndYesterdaysResultIsNotCountedAgain) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeamOpinion* row = rig.world->opinions.FindByTeam(rig.club->id);
    if (!row) {
        row = rig.world->opinions.Append(new CTeamOpinion());
        row->teamId = rig.club->id;
    }
    row->current[0] = 12;
    row->current[1] = 12;
    row->current[2] = 50;
    ASSERT_NE(rig.Hire(kStaffBusinessManager), nullptr);
    CareerDay day = rig.Today();
    day.today = GameDate{2007, 9, 6};
    CheckTeamOpinions(day);
    EXPECT_EQ(row->current[0], 12);
    EXPECT_EQ(rig.CountMails(kMailRowLowOpinion), 0);

    auto* match = rig.career->matchStats.Append(new CMatchStat());
    match->Field(6) = 6;
    match->Field(7) = 9;
    match->Field(8) = 2007;
    match->Field(9) = 70;
    match->Field(10) = 81;
    rig.club->matchStats.push_back(match);
    row->current[0] = 10;
    day.today = GameDate{2007, 9, 7};
    RebaseIndicators(*rig.world);
    CheckTeamOpinions(day);
    EXPECT_EQ(row->current[0], 10);
    EXPECT_EQ(row->current[1], 12);
    EXPECT_EQ(rig.CountMails(kMailRowLowOpinion), 1);
}

// A lament unsettles the squad's mood; its verdict moves it again: down while the shortcoming
// stays, up once it is mended.
TEST(SquadSteps, LamentsAndTheirVerdictsMoveTheSquadsMood) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    CTeamOpinion* row = rig.world->opinions.FindByTeam(rig.club->id);
    ASSERT_NE(row, nullptr);
    row->current[1] = row->previous[1] = 50;
    ASSERT_GE(rig.club->players.size(), 2u);
    const CStaffRecord* coach = rig.Hire(kStaffBusinessManager);
    ASSERT_NE(coach, nullptr);
    CareerDay day = rig.Today();
    CLament* kept =
        rig.career->laments.AddLament(rig.club->players[0]->id, 2007, 12, 25, 302012, -1, coach->id);
    JudgeLament(day, *kept);
    EXPECT_EQ(row->current[1], 48) << "the staff member complained about is still there";
    CLament* gone = rig.career->laments.AddLament(rig.club->players[1]->id, 2007, 12, 25, 302012, -1, -77);
    JudgeLament(day, *gone);
    EXPECT_EQ(row->current[1], 49);

    // Over many days some complaint comes, and each one costs a point when it is made.
    GameSrand(3);
    int made = 0;
    for (int i = 0; i < 2000 && made == 0; ++i) {
        const int before = rig.career->laments.Size();
        const int32_t mood = row->current[1];
        RunLaments(day);
        if (rig.career->laments.Size() > before) {
            made = 1;
            EXPECT_EQ(row->current[1], mood - 1);
        }
    }
    EXPECT_EQ(made, 1);
}

TEST(SquadSteps, TheBusinessManagerWarnsOfEveryLowOpinionRowEachDay) {
    CareerRig rig;
    ASSERT_TRUE(rig.ready) << "the generated league data set is missing";
    auto* row = new CTeamOpinion();
    row->teamId = rig.club->id;
    row->current[0] = 50;
    row->current[1] = 10;
    row->current[2] = 50;
    rig.career->opinions.Append(row);
    CheckTeamOpinions(rig.Today());
    EXPECT_EQ(rig.CountMails(kMailRowLowOpinion), 0); // nobody to warn
    ASSERT_NE(rig.Hire(kStaffBusinessManager), nullptr);
    CheckTeamOpinions(rig.Today());
    CheckTeamOpinions(rig.Today());
    EXPECT_EQ(rig.CountMails(kMailRowLowOpinion), 2);
    row->current[1] = 11;
    CheckTeamOpinions(rig.Today());
    EXPECT_EQ(rig.CountMails(kMailRowLowOpinion), 2);
}
