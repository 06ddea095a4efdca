// The stadium upgrade screen on the shipped layout: which Build buttons come on, the progress
// bars, the league's limits, the cash test before an order and the order itself through the
// question box.
#include "screens/stadium/StadiumUpgradeScreen.h"
#include "career/CareerSession.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "gui/Window.h"
#include "screens/start/CareerFrameScreen.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Club "Bexley" in a league of kind 100005 and class 1; the core and the seat classes built once,
// every stage unit 10,000 and 10 days.
struct StadiumFixture : ::testing::Test {
    ScreenKit kit;
    std::unique_ptr<CScreenContext> ctx;
    std::unique_ptr<CStadiumUpgradeScreen> screen;
    CTeam* club = nullptr;
    CLeague* league = nullptr;

    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        CCareerSession& session = kit.session;
        session.careerDB = new CMemoryDB();
        club = session.careerDB->teams.Append(new CTeam());
        club->id = 2;
        club->name = "Bexley";
        club->cash = 1000000;
        league = session.careerDB->leagues.Append(new CLeague());
        league->type = 100005;
        league->classNumber = 1;
        auto* profile = session.careerDB->profiles.Append(new CProfile());
        profile->id = 1;
        auto* stadium = session.careerDB->stadiums.Append(new CStadiumRecord());
        stadium->id = 2;
        stadium->teamId = 2;
        for (int k = 0; k < kStadiumPartCount; ++k) {
            auto* part = session.careerDB->wings.Append(new CStadiumWingRecord());
            part->partId = PartIdOfIndex(k);
            part->stadiumId = 2;
            part->stageCost = 10000;
            part->stageDays = 10;
            bool seats = part->partId >= kFirstSeatPart && part->partId <= kLastSeatPart;
            part->level = k == 0 || seats ? 1 : 0;
            part->seats = seats ? 500 : 0;
        }
        session.careerDB->Link();
        ctx = std::make_unique<CScreenContext>(kit.MakeContext());
        screen = std::make_unique<CStadiumUpgradeScreen>(*ctx);
        screen->Refresh();
    }

    CStadiumWingRecord& Part(int k) { return *FindClubPart(*kit.session.careerDB, PartIdOfIndex(k)); }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    bool OrderOn(int k) { return Find(StadiumPartIds(k).order)->IsEnabled(); }
    int Bar(int k) { return Find(StadiumPartIds(k).bar)->Rect().w; }
    bool Click(int id) {
        GuiMessage msg;
        msg.sID = id;
        msg.MSG = kMsgClick;
        screen->OnMessage(msg);
        return msg.sID == -1;
    }
    // The window the last posted opening message opens; -1 without one.
    int OpenedWindow() {
        int opened = -1;
        for (const GuiMessage& msg : kit.stack.PendingMessages())
            if (msg.MSG == kMsgOpenOnTop)
                opened = msg.cID;
        return opened;
    }
    void AddLimit(int part, int limit, int leagueClass = 1) {
        auto* record = kit.session.worldDB->stadiumUpgrades.Append(new CStadiumUpgradeRecord());
        for (int s = 0; s < 4; ++s)
            record->elements[s] = CStr::Formatted("ID_STADIUM_STAGE%d_%.2d", s + 1, part);
        record->elements[4] = CStr::Formatted("ID_STADIUM_ORDER_%.2d", part);
        record->elements[5] = CStr::Formatted("ID_STADIUM_INFO_%.2d", part);
        record->elements[6] = CStr::Formatted("ID_STADIUM_GRID_%.2d", part);
        record->leagueKind = 100005;
        record->leagueClass = leagueClass;
        record->stageLimit = limit;
    }
};

TEST_F(StadiumFixture, BuildButtonsFollowTheCoreTheLevelAndRunningWork) {
    // After a refresh each part shows its next stage.
    EXPECT_TRUE(OrderOn(0));  // the core's second stage
    EXPECT_TRUE(OrderOn(3));  // a part's first stage under a core of level 1
    EXPECT_FALSE(OrderOn(7)); // a seat class's second stage needs the core at 3 stages
    EXPECT_EQ(Bar(0), 0);
    EXPECT_EQ(screen->ChosenStage(), -1);
    EXPECT_EQ(screen->CurrentPart(), 17);

    screen->SelectStage(0, 0); // built
    EXPECT_FALSE(OrderOn(0));
    EXPECT_EQ(Bar(0), 175);
    screen->SelectStage(0, 2); // after the next one
    EXPECT_FALSE(OrderOn(0));
    EXPECT_EQ(Bar(0), 0);

    // Stage 2 of the core in work for 3 of its 20 days: 3 x 175 / 20 = 26.25.
    Part(0).daysDone = 3;
    screen->SelectStage(0, 1);
    EXPECT_FALSE(OrderOn(0));
    EXPECT_EQ(Bar(0), 26);
    Part(4).daysDone = 3; // a first stage of 10 days, 3 done: 52.5
    screen->SelectStage(4, 0);
    EXPECT_EQ(Bar(4), 52);

    // A finished part shows its last stage, built.
    Part(5).level = 4;
    Part(0).level = 4;
    Part(0).daysDone = 0;
    screen->RebuildViews();
    EXPECT_FALSE(OrderOn(5));
    EXPECT_EQ(Bar(5), 175);
}

// A Build button that is off says why in its tooltip; one that is on keeps its own.
TEST_F(StadiumFixture, AnOffBuildButtonSaysWhy) {
    auto tip = [&](int k) { return Find(StadiumPartIds(k).order)->GetTooltip().Std(); };
    screen->SelectStage(0, 2); // the hall's third stage before its second
    EXPECT_FALSE(OrderOn(0));
    EXPECT_EQ(tip(0), "Build stage 2 first.");
    screen->SelectStage(3, 1); // a part's second stage under a hall of one stage
    EXPECT_FALSE(OrderOn(3));
    EXPECT_EQ(tip(3), "The arena hall must reach stage 2 first.");
    screen->SelectStage(0, 0);
    EXPECT_EQ(tip(0), "Stage 1 is built.");
    Part(0).daysDone = 3;
    screen->SelectStage(0, 1);
    EXPECT_EQ(tip(0), "Stage 2 is being built.");
    AddLimit(4, 1);
    AddLimit(6, 0);
    screen->RebuildViews();
    screen->SelectStage(4, 1);
    EXPECT_EQ(tip(4), "Your league allows no stage beyond 1 here.");
    screen->SelectStage(6, 0);
    EXPECT_EQ(tip(6), "Your league allows no building here.");
    screen->SelectStage(5, 0);
    EXPECT_TRUE(OrderOn(5));
    EXPECT_EQ(tip(5).find("first"), std::string::npos) << tip(5);
}

TEST_F(StadiumFixture, TheBuildingTimeCountsItsDaysInTheRightNumber) {
    auto buildingTime = [&](int k) {
        const GuiGridCell* cell = Find(StadiumPartIds(k).grid)->FindCell(1, 2);
        return cell ? cell->text.Std() : std::string("<none>");
    };
    screen->SelectStage(4, 0);
    EXPECT_EQ(buildingTime(4), "10 days");
    Part(4).stageDays = 1;
    screen->SelectStage(4, 0);
    EXPECT_EQ(buildingTime(4), "1 day");
    screen->SelectStage(4, 1);
    EXPECT_EQ(buildingTime(4), "2 days");
}

TEST_F(StadiumFixture, TheCaptionLeavesOutAMissingLeagueAndNamesATournamentsOneYear) {
    const CStr caption = static_cast<CGuiWindow*>(Find(ID_STADIUM))->GetCaption();
    // The fixture's league has no name: it is left out, not shown as an empty part.
    EXPECT_EQ(caption.Find(" /  / "), -1) << caption.GetText();
    EXPECT_EQ(caption.Find("Stadium / Bexley / "), 0) << caption.GetText();
    EXPECT_NE(caption.Find(" / 2007-2008 Season"), -1) << caption.GetText();

    SeasonSpan& season = kit.session.fixtureList->Season();
    season.startYear = 2006;
    season.endYear = 2006;
    screen->RebuildViews();
    const CStr tournament = static_cast<CGuiWindow*>(Find(ID_STADIUM))->GetCaption();
    EXPECT_NE(tournament.Find(" / 2006 Season"), -1) << tournament.GetText();
    EXPECT_EQ(tournament.Find("2006-2006"), -1) << tournament.GetText();
}

TEST_F(StadiumFixture, LeagueLimitsTurnOffStagesBeyondThem) {
    AddLimit(3, 2);
    AddLimit(6, 0);
    AddLimit(9, 0, 2); // another class: no effect
    screen->RebuildViews();
    EXPECT_TRUE(Find(StadiumPartIds(3).stages[0])->IsEnabled());
    EXPECT_TRUE(Find(StadiumPartIds(3).stages[1])->IsEnabled());
    EXPECT_FALSE(Find(StadiumPartIds(3).stages[2])->IsEnabled());
    EXPECT_FALSE(Find(StadiumPartIds(3).stages[3])->IsEnabled());
    EXPECT_TRUE(OrderOn(3));
    EXPECT_EQ(screen->StageLimit(3), 2);

    EXPECT_FALSE(Find(StadiumPartIds(6).stages[0])->IsEnabled());
    EXPECT_FALSE(OrderOn(6));
    EXPECT_TRUE(Find(StadiumPartIds(6).info)->IsEnabled());
    EXPECT_EQ(Find(StadiumPartIds(6).grid)->FindCell(0, 0), nullptr);
    EXPECT_TRUE(Find(StadiumPartIds(9).stages[3])->IsEnabled());
    EXPECT_EQ(screen->StageLimit(9), 4);
}

TEST_F(StadiumFixture, EqualCashAsksOneLessIsRefused) {
    club->cash = 20000; // the core's second stage
    EXPECT_TRUE(Click(StadiumPartIds(0).stages[1]));
    EXPECT_TRUE(Click(StadiumPartIds(0).order));
    EXPECT_EQ(OpenedWindow(), ID_STADIUM_ASK_BOX);
    EXPECT_NE(Find(ID_STADIUM_ASK_TEXT)->GetText().Std().find(" 2"), std::string::npos);
    kit.stack.ProcessMessages();

    club->cash = 19999;
    EXPECT_TRUE(Click(StadiumPartIds(0).order));
    EXPECT_EQ(OpenedWindow(), ID_STADIUM_INFO_BOX);
    EXPECT_NE(Find(ID_STADIUM_INFO_TEXT)->GetText().Std().find("cash does not reach"), std::string::npos);
    EXPECT_TRUE(Click(ID_STADIUM_ASK_YES)); // a stray yes books nothing
    EXPECT_EQ(club->cash, 19999);
    EXPECT_EQ(kit.session.ledger->Size(), 0u);
}

// An enabled Build button always does something: with no stage picked, or another part's picked,
// it asks for the stage its own panel shows; the order moves the header's cash at once.
TEST_F(StadiumFixture, BuildOrdersTheStageItsPanelShowsAndTheHeaderShowsThePayment) {
    struct HeaderProbe : CGameScreen {
        int refreshes = 0;
        void Refresh() override { ++refreshes; }
        void OnMessage(GuiMessage&) override {}
    } header;
    kit.screens[ScreenRole::Header] = &header;
    ASSERT_EQ(screen->ChosenStage(), -1);
    ASSERT_TRUE(OrderOn(3));
    EXPECT_TRUE(Click(StadiumPartIds(3).order));
    EXPECT_EQ(OpenedWindow(), ID_STADIUM_ASK_BOX);
    kit.stack.ProcessMessages();
    EXPECT_TRUE(Click(ID_STADIUM_ASK_YES));
    EXPECT_EQ(Part(3).daysDone, 1);
    EXPECT_EQ(club->cash, 1000000 - 10000);
    EXPECT_EQ(header.refreshes, 1);

    // A stage of the core picked, then part 5's Build: part 5's shown stage is asked for.
    Click(StadiumPartIds(0).stages[1]);
    EXPECT_TRUE(Click(StadiumPartIds(5).order));
    EXPECT_EQ(screen->CurrentPart(), 5);
    EXPECT_EQ(screen->ChosenStage(), 0);
    EXPECT_EQ(OpenedWindow(), ID_STADIUM_ASK_BOX);
}

TEST_F(StadiumFixture, TheQuestionAndTheInfoBoxStayWholeOnTheScreenForEveryPart) {
    // The boxes are centred on the part's Build button; the right-hand column's ran off the screen.
    for (int k = 0; k < 18; ++k)
        for (int box : {ID_STADIUM_ASK_BOX, ID_STADIUM_INFO_BOX}) {
            ctx->CentreWindow(StadiumPartIds(k).order, box);
            const GuiRect rect = Find(box)->Rect();
            EXPECT_GE(rect.x, 0) << k;
            EXPECT_GE(rect.y, 0) << k;
            EXPECT_LE(rect.x + rect.w, 1024) << k;
            EXPECT_LE(rect.y + rect.h, 768) << k;
        }
}

TEST_F(StadiumFixture, YesBooksTheAskedStageOnce) {
    club->cash = 20000;
    Click(StadiumPartIds(0).stages[1]);
    Click(StadiumPartIds(0).order);
    EXPECT_TRUE(Click(ID_STADIUM_ASK_YES));
    EXPECT_EQ(club->cash, 0);
    ASSERT_EQ(kit.session.ledger->Size(), 1u);
    EXPECT_EQ(kit.session.ledger->At(0)->Kind(), kLedgerStadiumUpgrade);
    EXPECT_EQ(Part(0).daysDone, 1);
    EXPECT_EQ(kit.session.careerDB->myStadiumUpgrades.Size(), 1);
    EXPECT_EQ(screen->ChosenStage(), -1);
    EXPECT_FALSE(OrderOn(0));
    // A second yes finds no open question.
    Click(ID_STADIUM_ASK_YES);
    EXPECT_EQ(kit.session.ledger->Size(), 1u);
}

TEST_F(StadiumFixture, PickingAnotherStageWhileAskedBooksNothing) {
    Click(StadiumPartIds(0).stages[1]);
    Click(StadiumPartIds(0).order);
    ASSERT_EQ(OpenedWindow(), ID_STADIUM_ASK_BOX);
    Click(StadiumPartIds(0).stages[0]); // a built stage, under the open question
    Click(ID_STADIUM_ASK_YES);
    EXPECT_EQ(club->cash, 1000000);
    EXPECT_EQ(kit.session.ledger->Size(), 0u);
    EXPECT_EQ(Part(0).level, 1);
    EXPECT_EQ(Part(0).daysDone, 0);
}

} // namespace

namespace {

TEST_F(StadiumFixture, InfoOpensThePartsDescriptionAndOtherMessagesAreLeftAlone) {
    EXPECT_TRUE(Click(StadiumPartIds(14).info));
    EXPECT_EQ(OpenedWindow(), ID_STADIUM_INFO_BOX);
    EXPECT_NE(Find(ID_STADIUM_INFO_TEXT)->GetText().Std().find("fun shop"), std::string::npos);
    EXPECT_EQ(Find(ID_STADIUM_INFO_TEXT)->GetText().Std().find("\\n"), std::string::npos);

    GuiMessage select;
    select.sID = StadiumPartIds(3).stages[0];
    select.MSG = kMsgSelection;
    screen->OnMessage(select);
    EXPECT_EQ(select.sID, StadiumPartIds(3).stages[0]);
    EXPECT_FALSE(Click(ID_STADIUM));
}

} // namespace

namespace {

// The frame's menu update, run after every new career and load, keeps the career's own limits.
TEST_F(StadiumFixture, TheFramesStadiumAndFunShopButtonsKeepTheCareersLimits) {
    CCareerFrameScreen frame(*ctx);
    auto on = [&](int id) { return Find(id)->IsEnabled(); };
    frame.UpdateMenuButtons();
    EXPECT_TRUE(on(ID_FR_STADIUM));
    EXPECT_FALSE(on(ID_FR_FUNSHOP)) << "no fun shop built";
    EXPECT_TRUE(on(ID_FR_FINANCES));

    league->classNumber = 3; // the bottom league builds nothing
    screen->Refresh();
    frame.UpdateMenuButtons();
    EXPECT_FALSE(on(ID_FR_STADIUM));

    Part(14).level = 1;
    league->classNumber = 4;
    frame.UpdateMenuButtons();
    EXPECT_TRUE(on(ID_FR_STADIUM));
    EXPECT_TRUE(on(ID_FR_FUNSHOP));
}

} // namespace
