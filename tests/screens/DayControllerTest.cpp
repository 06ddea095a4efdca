// The day controller: the daily order, continue runs, the squad check, the user's match hand-off,
// the season's end and leaving a career.
#include "screens/info/DayController.h"
#include "career/StadiumConstruction.h"
#include "engine/GameRand.h"

#include "FakeDayShell.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace daytest;

namespace {

constexpr int kClick = 10;

// One world, its schedule, ledger and host, wired as the game manager wires them.
struct DayRig {
    DayWorld world;
    CFixtureList fixtures;
    CEventList ledger;
    FakeDayShell host{world};
    CDayController controller{host.session, &host, &host, &fixtures};

    explicit DayRig(int clubs = 8, int userSquad = 12, int userStarters = 5)
        : world(clubs, userSquad, userStarters) {
        host.ledger = &ledger;
    }
    // Continue as the player clicks it, waiting for the worker as the frame loop would.
    void Continue() {
        ASSERT_TRUE(controller.HandleButton(10395, kClick));
        controller.FinishWorker();
    }
};

// Training plans on the given September days: one full slot of the first attribute for the user's
// first player, who is returned.
CPlayer* PlanFirstAttribute(DayRig& rig, std::initializer_list<int> days) {
    auto* exercise = rig.world.world->trainingTypes.Append(new CTrainingType());
    exercise->textId = 70101;
    rig.world.world->trainingModifiers.Append(new CTrainingModifier())->value = 100;
    CPlayer* player = rig.world.user->players[0];
    for (int day : days) {
        auto* plan = rig.world.career->trainingDays.Append(new CTrainingDay());
        plan->year = 2007;
        plan->month = 9;
        plan->day = day;
        plan->exercise[0] = 0;
        plan->modifier[0] = 0;
        auto* entry = rig.world.career->trainingEntries.Append(new CTrainingEntry());
        entry->year = 2007;
        entry->month = 9;
        entry->day = day;
        entry->playerId = player->id;
        entry->energy = 100;
    }
    return player;
}

} // namespace

TEST(DayOrder, LeagueDayRunsEveryStepInItsPlace) {
    DayRig rig;
    rig.host.date = GameDate{2007, 8, 31};
    // A whisper two days from its outcome: the day's gossip counts it down by one.
    CWhisper* whisper = rig.world.world->whispers.whispers.Append(new CWhisper());
    whisper->state = 2;
    whisper->year = 2007;
    whisper->month = 8;
    whisper->day = 20;
    bool stop = false;
    EXPECT_FALSE(rig.controller.AdvanceDay(stop)); // no fixtures today
    EXPECT_EQ(rig.host.date, (GameDate{2007, 9, 1}));
    EXPECT_EQ(whisper->state, 1);
    // The season buttons come back each league day; the stadium's only once its window exists.
    EXPECT_TRUE(rig.host.enabledElements.at(ID_FR_BUTTON));
    EXPECT_TRUE(rig.host.enabledElements.at(ID_FR_STADIUM));
    // The 1st of the month books the old month's closing balance on its last day.
    // (The month's wages follow it.)
    ASSERT_GE(rig.ledger.Size(), 1u);
    const size_t booked = rig.ledger.Size();
    const CCalendarEvent* event = rig.ledger.At(0);
    EXPECT_EQ(event->Kind(), kLedgerMonthChange);
    EXPECT_EQ(event->Day(), 31);
    EXPECT_EQ(event->Month(), 8);

    // A mid-month day books nothing; a tournament day runs only the match day and training.
    rig.host.tournament = true;
    rig.host.date = GameDate{2007, 9, 30};
    rig.controller.AdvanceDay(stop);
    EXPECT_EQ(whisper->state, 1); // no gossip on a tournament day
    EXPECT_EQ(rig.ledger.Size(), booked);
}

TEST(DayOrder, AStageOrderedInATournamentIsBuilt) {
    DayRig rig;
    rig.host.tournament = true;
    auto* stadium = rig.world.career->stadiums.Append(new CStadiumRecord());
    stadium->id = 900;
    stadium->teamId = 900;
    for (int k = 0; k < kStadiumPartCount; ++k) {
        auto* part = rig.world.career->wings.Append(new CStadiumWingRecord());
        part->partId = PartIdOfIndex(k);
        part->stadiumId = 900;
        part->stageCost = 10000;
        part->stageDays = 2;
        part->level = k == 0 ? 1 : 0;
    }
    rig.world.career->Link();
    rig.world.user->cash = 1000000;
    ASSERT_EQ(OrderStadiumStage(*rig.world.career, &rig.ledger, rig.host.date, PartIdOfIndex(1), 0,
                                kStadiumStages, CStr("Part")),
              OrderResult::Booked);
    bool stop = false;
    for (int day = 0; day < 3; ++day)
        rig.controller.AdvanceDay(stop);
    EXPECT_EQ(FindClubPart(*rig.world.career, PartIdOfIndex(1))->level, 1);
    EXPECT_TRUE(rig.world.career->myStadiumUpgrades.IsEmpty());
}

TEST(DayOrder, TheStadiumButtonStaysOffWhileItHasNoWindow) {
    DayRig rig;
    rig.host.stadiumWindow = false;
    rig.host.date = GameDate{2007, 8, 20};
    bool stop = false;
    rig.controller.AdvanceDay(stop);
    EXPECT_TRUE(rig.host.enabledElements.at(ID_FR_BUTTON));
    EXPECT_EQ(rig.host.enabledElements.count(ID_FR_STADIUM), 0u);
}

TEST(DayOrder, UsersMatchDaySkipsTrainingAndStopsTheRun) {
    DayRig rig;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.user, rig.world.league, 2007, 9, 5);
    rig.fixtures.AddFixture(rig.world.clubs[1], rig.world.clubs[2], rig.world.league, 2007, 9, 5);
    rig.fixtures.FinishSchedule();
    // A plan for the match day and the day after.
    CPlayer* player = PlanFirstAttribute(rig, {5, 6});
    const int32_t before = player->SkillValue(1);
    rig.host.date = GameDate{2007, 9, 4};
    bool stop = false;
    EXPECT_TRUE(rig.controller.AdvanceDay(stop));
    EXPECT_TRUE(stop);
    EXPECT_EQ(player->SkillValue(1), before);
    // Leaving the match day trains nothing; leaving the day after trains its plan.
    rig.controller.AdvanceDay(stop);
    EXPECT_FALSE(stop);
    EXPECT_EQ(player->SkillValue(1), before);
    rig.controller.AdvanceDay(stop);
    EXPECT_EQ(player->SkillValue(1), before + 1);
}

TEST(DayOrder, APlanSavedForTodayTrainsWhenTheDayIsContinued) {
    DayRig rig;
    CPlayer* player = PlanFirstAttribute(rig, {10, 12});
    const int32_t before = player->SkillValue(1);
    // The player sees the 10th, saves its plan and continues: the 10th's plan trains; the 12th's
    // waits until the 12th is continued.
    rig.host.date = GameDate{2007, 9, 10};
    bool stop = false;
    rig.controller.AdvanceDay(stop);
    EXPECT_EQ(player->SkillValue(1), before + 1);
    rig.controller.AdvanceDay(stop);
    EXPECT_EQ(player->SkillValue(1), before + 1);
    rig.controller.AdvanceDay(stop);
    EXPECT_EQ(player->SkillValue(1), before + 2);
}

TEST(SquadCheck, TooFewPlayersKeepTheDate) {
    {
        DayRig rig(8, 9, 5);
        rig.host.date = GameDate{2007, 9, 10};
        EXPECT_TRUE(rig.controller.HandleButton(10395, kClick));
        EXPECT_FALSE(rig.controller.IsWorkerActive());
        EXPECT_TRUE(rig.host.WasPosted(CDayController::kSquadMessageWindow, 5));
        EXPECT_STREQ(rig.host.TextOf(CDayController::kSquadMessageText).GetText(), "<100195><100196>");
        EXPECT_EQ(rig.host.date, (GameDate{2007, 9, 10}));
    }
    {
        DayRig rig(8, 10, 4);
        GuiMessage click{10050, -1, kClick, 0, 0, 0};
        rig.controller.OnMessage(click);
        EXPECT_EQ(click.sID, -1); // consumed
        GuiMessage other{12345, -1, kClick, 0, 0, 0};
        rig.controller.OnMessage(other);
        EXPECT_EQ(other.sID, 12345);
        EXPECT_STREQ(rig.host.TextOf(CDayController::kSquadMessageText).GetText(), "<100195><100197>");
        EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 1})); // the day did not run
    }
}

TEST(ContinueRun, StopsOnTheUsersMatchDay) {
    GameSrand(21);
    DayRig rig;
    CTeam* user = rig.world.user;
    const auto& clubs = rig.world.clubs;
    rig.fixtures.AddFixture(clubs[0], clubs[1], rig.world.league, 2007, 9, 3);
    rig.fixtures.AddFixture(clubs[2], clubs[3], rig.world.league, 2007, 9, 6);
    rig.fixtures.AddFixture(clubs[4], user, rig.world.league, 2007, 9, 9);
    rig.fixtures.AddFixture(clubs[5], clubs[6], rig.world.league, 2007, 9, 9);
    rig.fixtures.AddFixture(user, clubs[1], rig.world.league, 2007, 9, 20);
    rig.fixtures.FinishSchedule();
    user->fanBase = 100000; // more fans than any hall holds: the attendance shows the seats

    rig.Continue();
    EXPECT_EQ(rig.host.date, (GameDate{2007, 9, 9}));
    EXPECT_EQ(rig.controller.WorkingDate(), rig.host.date);
    EXPECT_FALSE(rig.host.busy);
    EXPECT_FALSE(rig.host.threadRunning);
    for (int i : {0, 1, 3}) {
        const CFixture* played = rig.fixtures.At(i);
        EXPECT_NE(played->homeScore, played->awayScore);
        EXPECT_GE(played->homeScore, 0);
    }
    // The user's fixture went to the match-centre seam; its score waits for the match.
    const CFixture* usersMatch = rig.fixtures.At(2);
    EXPECT_EQ(usersMatch->homeScore, -1);
    EXPECT_EQ(rig.host.handOffs, 1);
    EXPECT_EQ(rig.host.handedOff.fixture, usersMatch);
    EXPECT_EQ(rig.host.handedOff.view, UserMatchView::MatchCentre);
    EXPECT_FALSE(rig.host.handedOff.userAtHome);
    EXPECT_TRUE(rig.host.matchMode);
    EXPECT_TRUE(rig.host.matchRunning);
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kMatchCentreWindow, 6));
    // Away at a club without a stadium: the attendance is reckoned on 300 seats.
    EXPECT_EQ(user->attendance, 300);
    // The panel shows the other fixture of the day and keeps the day's report lines for the match.
    ASSERT_EQ(rig.controller.Board().results.size(), 1u);
    EXPECT_STREQ(rig.controller.Board().results[0].texts[1].GetText(), "Club 6");
    EXPECT_EQ(rig.controller.Board().leaders.size(), 9u);
    EXPECT_FALSE(rig.controller.DayResults().IsEmpty());
    // The last result went to the busy panel.
    EXPECT_STREQ(rig.host.Latest().home.GetText(), "Club 6");

    // Records of the other clubs' matches went to the world database, none to the career's.
    CMemoryDB& world = *rig.world.world;
    EXPECT_EQ(world.matchStats.Size(), 6);
    EXPECT_EQ(world.playerStats.Size(), 6 * 12);
    EXPECT_EQ(rig.world.career->matchStats.Size(), 0);
    EXPECT_EQ(rig.world.career->playerStats.Size(), 0);
    for (const CPlayer* player : clubs[0]->players)
        EXPECT_EQ(player->stats.size(), 1u);
    EXPECT_TRUE(user->players[0]->stats.empty());
}

TEST(ContinueRun, ViewOptionsPickTheMatchWindow) {
    // 3D view; a match run at once; a run at once that stalls before its end.
    for (int mode = 0; mode < 3; ++mode) {
        DayRig rig;
        rig.host.view3D = mode == 0;
        rig.host.noView = mode >= 1;
        rig.host.instantOutcome = UserMatchOutcome{true, mode == 1, 71, 64, {}};
        auto* stadium = new CStadiumRecord();
        auto* wing = new CStadiumWingRecord();
        wing->seats = 1000;
        stadium->wings.push_back(wing);
        rig.world.world->stadiums.Append(stadium);
        rig.world.world->wings.Append(wing);
        rig.world.clubs[0]->stadium = stadium;
        rig.world.user->fanBase = 100000;
        CTeam* home = mode == 2 ? rig.world.user : rig.world.clubs[0];
        CTeam* away = mode == 2 ? rig.world.clubs[0] : rig.world.user;
        rig.fixtures.AddFixture(home, away, rig.world.league, 2007, 8, 2);
        rig.fixtures.FinishSchedule();
        rig.Continue();
        EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 2}));
        if (mode == 2) {
            // At home without a ground the fans come but buy no tickets; away the attendance
            // uses 40 % of the home seats.
            EXPECT_TRUE(rig.controller.UserAtHome());
            EXPECT_GE(rig.world.user->attendance, 10);
            EXPECT_LE(rig.world.user->attendance, 210);
            for (size_t i = 0; i < rig.ledger.Size(); ++i)
                EXPECT_NE(rig.ledger.At(i)->Kind(), kLedgerGateMoney);
        } else {
            EXPECT_EQ(rig.world.user->attendance, 400);
        }
        const CFixture* fixture = rig.fixtures.At(0);
        if (mode == 0) {
            EXPECT_EQ(rig.host.handedOff.view, UserMatchView::Scene3D);
            EXPECT_TRUE(rig.host.WasPosted(CDayController::kMatch3DWindow, 6));
            EXPECT_EQ(fixture->homeScore, -1);
        } else if (mode == 2) {
            // Only a match played to its end is a result.
            EXPECT_EQ(fixture->homeScore, -1);
            EXPECT_EQ(fixture->awayScore, -1);
        } else {
            // Run at once: the result stands and the day panel shows.
            EXPECT_EQ(rig.host.handedOff.view, UserMatchView::Instant);
            EXPECT_EQ(fixture->homeScore, 71);
            EXPECT_EQ(fixture->awayScore, 64);
            EXPECT_FALSE(rig.host.matchMode);
            EXPECT_FALSE(rig.host.matchRunning);
            EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
            // The last fixture's day, played at once, ends the season.
            EXPECT_TRUE(rig.controller.SeasonEndPending());
        }
    }
}

TEST(SeasonEnd, LastFixtureDayLocksTheButtonsUntilTheStageButton) {
    GameSrand(4);
    DayRig rig;
    const auto& clubs = rig.world.clubs;
    rig.fixtures.AddFixture(clubs[0], clubs[1], rig.world.league, 2007, 8, 5);
    rig.fixtures.AddFixture(clubs[2], clubs[3], rig.world.league, 2007, 8, 9);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 9}));
    EXPECT_TRUE(rig.controller.SeasonEndPending());
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
    // The day without the user keeps the panel but not the results.
    EXPECT_EQ(rig.controller.Board().results.size(), 1u);
    EXPECT_TRUE(rig.controller.DayResults().IsEmpty());

    // Another screen opened on the last day: the day buttons run no day but bring the day panel
    // back, from where the statistics button leads on, and each click says why no day follows.
    rig.host.posts.clear();
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_TRUE(rig.controller.HandleButton(10395, kClick));
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_STREQ(rig.host.messages[0].GetText(), "<100373>");
    rig.host.posts.clear();
    EXPECT_TRUE(rig.controller.HandleButton(10782, kClick));
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
    EXPECT_EQ(rig.host.messages.size(), 2u);
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 9}));
    EXPECT_TRUE(rig.controller.SeasonEndPending());
    EXPECT_EQ(rig.controller.Board().results.size(), 1u);
    EXPECT_TRUE(rig.controller.HandleButton(CDayController::kResultsButton, kClick));
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kResultsWindow, 6));
    EXPECT_TRUE(rig.controller.HandleButton(CDayController::kStageButton, kClick));
    EXPECT_FALSE(rig.controller.SeasonEndPending());
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kSeasonEndWindow, 5));
    EXPECT_STREQ(rig.host.TextOf(CDayController::kSeasonEndText).GetText(), "<100164>");
    EXPECT_EQ(rig.host.messages.size(), 2u);
}

TEST(SeasonEnd, WithoutTheResultsWindowTheDayButtonsShowTheSeasonsEnd) {
    DayRig rig;
    rig.host.resultsWindow = false;
    rig.host.nextSeason = false;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 8, 5);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    ASSERT_TRUE(rig.controller.SeasonEndPending());
    // Continue does not run on past the last fixture: it ends the season with the popup, whose
    // next-season button waits for a game that can start one; leaving still works.
    EXPECT_TRUE(rig.controller.HandleButton(10395, kClick));
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kSeasonEndWindow, 5));
    // Asking again shows it again; no day runs past the season's end.
    EXPECT_TRUE(rig.controller.HandleButton(10394, kClick));
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_TRUE(rig.controller.SeasonEndPending());
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 5}));
    EXPECT_STREQ(rig.host.TextOf(CDayController::kSeasonEndText).GetText(), "<100164>");
    EXPECT_FALSE(rig.host.enabledElements.at(CDayController::kNextSeasonButton));
    // Leaving saves first; a career that cannot be saved stays open.
    rig.host.saveWorks = false;
    EXPECT_TRUE(rig.controller.HandleButton(CDayController::kLeaveCareerButton, kClick));
    EXPECT_NE(rig.host.session.careerDB, nullptr);
    rig.host.saveWorks = true;
    EXPECT_TRUE(rig.controller.HandleButton(CDayController::kLeaveCareerButton, kClick));
    EXPECT_EQ(rig.host.saves, 2);
    EXPECT_EQ(rig.host.session.careerDB, nullptr);
    EXPECT_FALSE(rig.controller.SeasonEndPending());
}

TEST(SeasonEnd, ACareerLoadedOnItsLastFixtureDayIsAtTheSeasonsEnd) {
    DayRig rig;
    rig.host.resultsWindow = false;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 8, 5);
    rig.fixtures.FinishSchedule();
    rig.host.date = GameDate{2007, 8, 5}; // as a loaded career finds it: no run ended the season
    ASSERT_FALSE(rig.controller.SeasonEndPending());
    EXPECT_TRUE(rig.controller.HandleButton(10395, kClick));
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_TRUE(rig.controller.SeasonEndPending());
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kSeasonEndWindow, 5));
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 5}));
}

TEST(SeasonEnd, ANewCareerFromTheMenusStartsWithoutTheOldSeasonsEnd) {
    DayRig rig;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 8, 5);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    ASSERT_TRUE(rig.controller.SeasonEndPending());
    // The menus leave the career and start another without the controller's buttons.
    rig.world.career = std::make_unique<CMemoryDB>();
    rig.host.session.careerDB = rig.world.career.get();
    rig.world.career->profiles.Append(new CProfile());
    MakeTeam(*rig.world.career, 901, "Newcomers", 12, 5);
    // ... with its own schedule, from the first day of a season.
    rig.fixtures.Clear();
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 9, 5);
    rig.fixtures.FinishSchedule();
    rig.host.date = GameDate{2007, 8, 1};
    // The old season's end does not hold the buttons: the new season runs, to its own end.
    EXPECT_TRUE(rig.controller.HandleButton(10395, kClick));
    rig.controller.FinishWorker();
    EXPECT_EQ(rig.host.date, (GameDate{2007, 9, 5}));
}

TEST(CareerReset, LeavingClearsEverythingThatPointedIntoTheCareer) {
    GameSrand(8);
    DayRig rig;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.user, rig.world.league, 2007, 8, 3);
    rig.fixtures.AddFixture(rig.world.clubs[1], rig.world.clubs[2], rig.world.league, 2007, 8, 3);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    ASSERT_FALSE(rig.controller.Board().results.empty());
    rig.host.matchMode = false; // the match is over

    EXPECT_TRUE(rig.controller.HandleButton(CDayController::kLeaveCareerButton, kClick));
    EXPECT_EQ(rig.world.career, nullptr);
    EXPECT_TRUE(rig.fixtures.IsEmpty());
    EXPECT_EQ(MakeDateKey(rig.fixtures.LastDate()), 0);
    EXPECT_EQ(rig.fixtures.Season().startYear, 2007);
    EXPECT_EQ(rig.ledger.Size(), 0u);
    EXPECT_TRUE(rig.controller.Board().results.empty());
    EXPECT_TRUE(rig.controller.DayResults().IsEmpty());
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 1}));
    EXPECT_FALSE(rig.controller.SeasonEndPending());
    EXPECT_TRUE(rig.controller.SingleStep());
    EXPECT_TRUE(rig.host.WasPosted(10001, 4));
    for (int window : {10039, 10369, 10759})
        EXPECT_TRUE(rig.host.WasPosted(window, 7));

    // Without a career a day passes without matches.
    bool stop = false;
    EXPECT_FALSE(rig.controller.AdvanceDay(stop));
}

TEST(NextDay, OneDayWorkerAdvancesExactlyOneDay) {
    GameSrand(2);
    DayRig rig;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 8, 2);
    rig.fixtures.AddFixture(rig.world.clubs[2], rig.world.clubs[3], rig.world.league, 2007, 8, 20);
    rig.fixtures.FinishSchedule();
    ASSERT_TRUE(rig.controller.HandleButton(10782, kClick));
    EXPECT_TRUE(rig.controller.IsWorkerActive());
    rig.controller.FinishWorker();
    EXPECT_FALSE(rig.controller.IsWorkerActive());
    EXPECT_TRUE(rig.controller.SingleStep());
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 2}));
    EXPECT_FALSE(rig.host.dayWait);
    EXPECT_NE(rig.fixtures.At(0)->homeScore, -1);
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
}

TEST(ContinueRun, WithoutAMatchEngineTheDayEndsOnThePanel) {
    DayRig rig;
    rig.host.instantOutcome = UserMatchOutcome(); // nobody takes the match
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.user, rig.world.league, 2007, 8, 3);
    rig.fixtures.AddFixture(rig.world.clubs[1], rig.world.clubs[2], rig.world.league, 2007, 8, 3);
    rig.fixtures.AddFixture(rig.world.clubs[3], rig.world.user, rig.world.league, 2007, 8, 9);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 3}));
    EXPECT_FALSE(rig.host.matchMode);
    EXPECT_FALSE(rig.host.matchRunning);
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 6));
    EXPECT_EQ(rig.fixtures.At(0)->homeScore, -1);
    // The next continue goes on to the next match day.
    rig.Continue();
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 9}));
}

TEST(SeasonEnd, ALiveMatchOnTheLastDayRaisesThePopupWhenRecorded) {
    DayRig rig;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 8, 2);
    rig.fixtures.AddFixture(rig.world.user, rig.world.clubs[2], rig.world.league, 2007, 8, 4);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    EXPECT_EQ(rig.host.date, (GameDate{2007, 8, 4}));
    EXPECT_FALSE(rig.controller.SeasonEndPending()); // the match is still to be played
    rig.controller.OnUserMatchRecorded();
    EXPECT_TRUE(rig.controller.SeasonEndPending());
}

TEST(ContinueRun, AFarOffLastFixtureDoesNotKeepTheRunGoing) {
    DayRig rig;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 9, 3);
    // A damaged date the loader missed: the run still ends within a season's reach.
    rig.fixtures.AddFixture(rig.world.clubs[2], rig.world.clubs[3], rig.world.league, 2147483647, 9, 3);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    EXPECT_FALSE(rig.host.busy);
    EXPECT_LT(rig.host.date.year, 2011);
    EXPECT_GT(rig.host.date.year, 2007);
}

TEST(DayLeaders, TheUsersMatchCompetesForTheDaysTopScore) {
    // Played at once: the user's 250 points beat every quick result.
    {
        DayRig rig;
        rig.host.noView = true;
        rig.host.instantOutcome = UserMatchOutcome{false, true, 250, 10, {}};
        rig.fixtures.AddFixture(rig.world.user, rig.world.clubs[0], rig.world.league, 2007, 8, 2);
        rig.fixtures.AddFixture(rig.world.clubs[1], rig.world.clubs[2], rig.world.league, 2007, 8, 2);
        rig.fixtures.AddFixture(rig.world.clubs[3], rig.world.clubs[4], rig.world.league, 2007, 8, 9);
        rig.fixtures.FinishSchedule();
        rig.Continue();
        ASSERT_EQ(rig.controller.Board().leaders.size(), 9u);
        EXPECT_STREQ(rig.controller.Board().leaders[8].texts[0].GetText(), "Users");
    }
    // Watched: the recorded score counts once the match is over; a level score gives the away club.
    {
        DayRig rig;
        rig.fixtures.AddFixture(rig.world.user, rig.world.clubs[0], rig.world.league, 2007, 8, 2);
        rig.fixtures.AddFixture(rig.world.clubs[1], rig.world.clubs[2], rig.world.league, 2007, 8, 2);
        rig.fixtures.AddFixture(rig.world.clubs[3], rig.world.clubs[4], rig.world.league, 2007, 8, 9);
        rig.fixtures.FinishSchedule();
        rig.Continue();
        rig.controller.FinishUserMatch(rig.fixtures.At(0), 240, 240);
        ASSERT_EQ(rig.controller.Board().leaders.size(), 9u);
        EXPECT_STREQ(rig.controller.Board().leaders[8].texts[0].GetText(),
                     rig.world.clubs[0]->name.GetText());
    }
}

TEST(SeasonEnd, TheNextSeasonOpensOnTheDayPanelWithoutAClubWindow) {
    DayRig rig;
    rig.host.clubWindow = false;
    rig.fixtures.AddFixture(rig.world.clubs[0], rig.world.clubs[1], rig.world.league, 2007, 8, 5);
    rig.fixtures.FinishSchedule();
    rig.Continue();
    ASSERT_TRUE(rig.controller.HandleButton(CDayController::kStageButton, kClick));
    rig.host.posts.clear();
    ASSERT_TRUE(rig.controller.HandleButton(CDayController::kNextSeasonButton, kClick));
    // The frame opens with content: the day panel, not an empty area waiting for a club window.
    EXPECT_TRUE(rig.host.WasPosted(CDayController::kDayPanelWindow, 5));
    EXPECT_FALSE(rig.host.WasPosted(ID_CLUBOVERVIEW, 5));
}
