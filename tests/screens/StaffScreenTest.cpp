// The staff screen on the shipped layout with a new league career: hiring fills the category's
// panel and coach card, releasing empties them, and the world's and the career's records follow.
#include "screens/club/StaffScreen.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "engine/GameFolder.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "screens/club/CoachCards.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

struct FakeTraining : CGameScreen, ICoachCards {
    void SetCoachCard(int32_t category, const CoachCard& card) override { cards[category] = card; }
    void FillStaffCards() override { ++redraws; }
    std::map<int32_t, CoachCard> cards;
    int redraws = 0;
};

struct CountingScreen : CGameScreen {
    void Refresh() override { ++refreshes; }
    int refreshes = 0;
};

class StaffScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        kit.screens[ScreenRole::Training] = &training;
        kit.screens[ScreenRole::Statistics] = &statistics;
        screen = std::make_unique<CStaffScreen>(ctx);
        screen->Refresh();
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    // Picks the category's row in the category list, as a click on it does.
    void ChooseCategory(int32_t category) {
        CGuiElement* grid = Find(ID_STAFF_CATEGORIES);
        for (int row = 0; row < grid->GetRowCount(); ++row)
            if (grid->FindCell(0, row)->data == category)
                grid->SetSelectedRow(row, true);
        GuiMessage m = Message(ID_STAFF_CATEGORIES, kMsgSelection);
        screen->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }
    void Send(int source, int kind = kMsgClick) {
        GuiMessage m = Message(source, kind);
        screen->OnMessage(m);
    }
    CStaffRecord* WorldRecord(int32_t id) { return kit.session.worldDB->FindStaff(id); }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    FakeTraining training;
    CountingScreen statistics;
    std::unique_ptr<CStaffScreen> screen;
};

TEST_F(StaffScreenTest, CategoriesAreListedByNameAndCandidatesByTheirs) {
    CGuiElement* categories = Find(ID_STAFF_CATEGORIES);
    ASSERT_EQ(categories->GetRowCount(), 8);
    for (int row = 1; row < 8; ++row)
        EXPECT_LT(categories->FindCell(0, row - 1)->text, categories->FindCell(0, row)->text);
    EXPECT_EQ(screen->SelectedCategory(), categories->FindCell(0, 0)->data);

    ChooseCategory(kStaffScout);
    CGuiElement* candidates = Find(ID_STAFF_CANDIDATES);
    ASSERT_GT(candidates->GetRowCount(), 1);
    for (int row = 0; row < candidates->GetRowCount(); ++row) {
        const StaffEntry* entry = screen->FindEntryById(candidates->FindCell(0, row)->data);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->member.category, kStaffScout);
        // The speciality's share in the card's form.
        EXPECT_EQ(candidates->FindCell(1, row)->text.Std(),
                  std::to_string(entry->member.specialityPercent) + "%");
        if (row > 0) {
            EXPECT_LT(candidates->FindCell(0, row - 1)->text, candidates->FindCell(0, row)->text);
        }
    }
    EXPECT_EQ(screen->SelectedCandidate(), candidates->FindCell(0, 0)->data);
    EXPECT_TRUE(Find(ID_STAFF_HIRE)->IsEnabled());
}

TEST_F(StaffScreenTest, HiringAPhysiotherapistFillsHisPanelAndEnablesItsReleaseButton) {
    ChooseCategory(kStaffPhysiotherapist);
    const int32_t id = screen->SelectedCandidate();
    ASSERT_GE(id, 0);
    const CStr name = screen->FindEntryById(id)->member.name;
    const int32_t extra1 = WorldRecord(id)->extra[1];
    statistics.refreshes = 0;
    Send(ID_STAFF_HIRE);
    // The statistics' club panel lists him at once.
    EXPECT_EQ(statistics.refreshes, 1);

    // Panel 2 is the physiotherapist's: release button 10324 and grid 10332.
    CGuiElement* panel = Find(ID_STAFF_PANEL_2);
    ASSERT_EQ(panel->GetRowCount(), 5);
    EXPECT_EQ(panel->FindCell(1, 0)->text, name);
    EXPECT_TRUE(Find(ID_STAFF_RELEASE_2)->IsEnabled());
    EXPECT_FALSE(Find(ID_STAFF_HIRE)->IsEnabled()) << "the category is filled";
    for (int k : {0, 1, 3, 4, 5, 6, 7})
        EXPECT_FALSE(Find(ID_STAFF_RELEASE_0 + k)->IsEnabled()) << k;
    // Hired, he is no candidate; only a head coach's hire is dated, and no coach card moved.
    CGuiElement* candidates = Find(ID_STAFF_CANDIDATES);
    for (int row = 0; row < candidates->GetRowCount(); ++row)
        EXPECT_NE(candidates->FindCell(0, row)->data, id);
    std::unique_ptr<CStaffRecord> hired = FindHiredStaff(kit.session.careerDB, kStaffPhysiotherapist);
    ASSERT_NE(hired, nullptr);
    EXPECT_EQ(hired->id, id);
    EXPECT_EQ(hired->extra[1], extra1);
    EXPECT_EQ(WorldRecord(id)->clubId, kit.session.UserClub()->id);
    EXPECT_TRUE(training.cards.empty());

    // A second press, or a hire into the filled category, changes nothing.
    Send(ID_STAFF_HIRE);
    EXPECT_EQ(screen->HireOrFire(kStaffPhysiotherapist, screen->SelectedCandidate(), true), nullptr);
    EXPECT_EQ(kit.session.UserClub()->staff.size(), 1u);
}

TEST_F(StaffScreenTest, HeadCoachFillsTheCoachCardAndAReleaseEmptiesIt) {
    kit.session.currentDate = GameDate{2007, 9, 14};
    ChooseCategory(kStaffHeadCoach);
    const int32_t id = screen->SelectedCandidate();
    const StaffEntry candidate = *screen->FindEntryById(id);
    Send(ID_STAFF_HIRE);

    ASSERT_EQ(training.cards.count(kStaffHeadCoach), 1u);
    EXPECT_EQ(training.cards[kStaffHeadCoach].name, candidate.member.name);
    EXPECT_EQ(training.cards[kStaffHeadCoach].skill, candidate.member.skill);
    EXPECT_EQ(training.cards[kStaffHeadCoach].wage, candidate.member.wage);
    EXPECT_EQ(training.redraws, 1);
    EXPECT_TRUE(Find(ID_STAFF_RELEASE_0)->IsEnabled());
    std::unique_ptr<StaffEntry> hired = screen->FindHiredStaff(kStaffHeadCoach);
    ASSERT_NE(hired, nullptr);
    EXPECT_EQ(hired->member.extra[1], 2007);
    EXPECT_EQ(hired->member.extra[2], 9);
    EXPECT_EQ(hired->member.extra[3], 14);

    // The release asks first; "no" keeps him.
    Send(ID_STAFF_RELEASE_0);
    EXPECT_EQ(screen->PendingRelease(), ID_STAFF_RELEASE_0);
    Send(ID_STAFF_RELEASE_NO);
    EXPECT_EQ(screen->PendingRelease(), -1);
    EXPECT_NE(screen->FindHiredStaff(kStaffHeadCoach), nullptr);

    Send(ID_STAFF_RELEASE_0);
    Send(ID_STAFF_RELEASE_YES);
    EXPECT_EQ(screen->FindHiredStaff(kStaffHeadCoach), nullptr);
    EXPECT_EQ(FindHiredStaff(kit.session.careerDB, kStaffHeadCoach), nullptr);
    EXPECT_EQ(training.cards[kStaffHeadCoach].name, CStr());
    EXPECT_EQ(training.cards[kStaffHeadCoach].skill, 0);
    EXPECT_EQ(training.redraws, 2);
    EXPECT_EQ(Find(ID_STAFF_PANEL_0)->GetRowCount(), 0);
    EXPECT_FALSE(Find(ID_STAFF_RELEASE_0)->IsEnabled());
    EXPECT_EQ(WorldRecord(id)->clubId, -1);
    EXPECT_TRUE(kit.session.careerDB->staff.IsEmpty());

    // "Yes" for a category without a member only closes the box.
    Send(ID_STAFF_RELEASE_0);
    Send(ID_STAFF_RELEASE_YES);
    EXPECT_EQ(screen->PendingRelease(), -1);
    EXPECT_TRUE(kit.session.careerDB->staff.IsEmpty());
}

TEST_F(StaffScreenTest, AMemberOfAnotherClubCanBeHiredAway) {
    CMemoryDB* world = kit.session.worldDB;
    CTeam* other = world->teams.At(5);
    ASSERT_NE(other->id, kit.session.UserClub()->id);
    CStaffRecord* scout = nullptr;
    for (CStaffRecord* record : world->staff)
        if (!scout && record->category == kStaffScout)
            scout = record;
    ASSERT_NE(scout, nullptr);
    scout->clubId = other->id;
    other->staff.push_back(scout);
    screen->Refresh();

    ChooseCategory(kStaffScout);
    CGuiElement* candidates = Find(ID_STAFF_CANDIDATES);
    int row = -1;
    for (int r = 0; r < candidates->GetRowCount(); ++r)
        if (candidates->FindCell(0, r)->data == scout->id)
            row = r;
    ASSERT_GE(row, 0) << "another club's scout is a candidate";
    candidates->SetSelectedRow(row, true);
    GuiMessage pick = Message(ID_STAFF_CANDIDATES, kMsgSelection, row);
    screen->OnMessage(pick);
    Send(ID_STAFF_HIRE);

    EXPECT_EQ(scout->clubId, kit.session.UserClub()->id);
    EXPECT_TRUE(other->staff.empty()) << "his old club's list lets him go";
    ASSERT_NE(FindHiredStaff(kit.session.careerDB, kStaffScout), nullptr);
    EXPECT_EQ(FindHiredStaff(kit.session.careerDB, kStaffScout)->id, scout->id);
}

TEST(StaffScreen, WithoutACareerNothingIsListedOrHired) {
    ScreenKit kit;
    ASSERT_TRUE(kit.layoutLoaded);
    CScreenContext ctx = kit.MakeContext();
    CStaffScreen screen(ctx);
    screen.Refresh();
    EXPECT_EQ(kit.stack.FindElement(ID_STAFF_CANDIDATES)->GetRowCount(), 0);
    EXPECT_FALSE(kit.stack.FindElement(ID_STAFF_HIRE)->IsEnabled());
    EXPECT_EQ(screen.FindHiredStaff(kStaffHeadCoach), nullptr);
    EXPECT_EQ(screen.HireOrFire(kStaffHeadCoach, 0, true), nullptr);
    EXPECT_EQ(screen.HireOrFire(12345, 0, true), nullptr);
}

// A career saved with its staff and loaded again has them hired, and the world's records say so.
class StaffSaveTest : public GameFolderTest {};

TEST_F(StaffSaveTest, ASavedAndReloadedCareerKeepsItsStaff) {
    int32_t profileId = -1;
    int32_t coachId = -1;
    int32_t doctorId = -1;
    {
        ScreenKit kit;
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(2, "Keeper"));
        CScreenContext ctx = kit.MakeContext();
        CStaffScreen screen(ctx);
        screen.Refresh();
        for (int32_t category : {kStaffHeadCoach, kStaffTeamDoctor}) {
            screen.HireOrFire(category, -1, false);
            StaffEntry* hired = nullptr;
            for (const auto& entry : screen.Entries())
                if (!hired && entry->member.category == category && entry->member.clubId == -1)
                    hired = screen.HireOrFire(category, entry->member.id, true);
            ASSERT_NE(hired, nullptr);
            (category == kStaffHeadCoach ? coachId : doctorId) = hired->member.id;
        }
        ASSERT_TRUE(kit.session.SaveCurrentCareer());
        profileId = kit.session.careerDB->profiles.At(0)->id;
    }
    ScreenKit kit;
    ASSERT_TRUE(kit.session.LoadSavedCareer(profileId));
    std::unique_ptr<CStaffRecord> coach = FindHiredStaff(kit.session.careerDB, kStaffHeadCoach);
    std::unique_ptr<CStaffRecord> doctor = FindHiredStaff(kit.session.careerDB, kStaffTeamDoctor);
    ASSERT_NE(coach, nullptr);
    ASSERT_NE(doctor, nullptr);
    EXPECT_EQ(coach->id, coachId);
    EXPECT_EQ(doctor->id, doctorId);
    EXPECT_EQ(coach->extra[1], 2007) << "the head coach's hire date";
    EXPECT_EQ(kit.session.worldDB->FindStaff(coachId)->clubId, kit.session.UserClub()->id);

    // The screen lists them as hired, not as candidates.
    CScreenContext ctx = kit.MakeContext();
    CStaffScreen screen(ctx);
    screen.Refresh();
    EXPECT_EQ(screen.HiredId(kStaffHeadCoach), coachId);
    EXPECT_EQ(screen.HiredId(kStaffTeamDoctor), doctorId);
    EXPECT_EQ(kit.stack.FindElement(ID_STAFF_PANEL_3)->FindCell(1, 0)->text, doctor->name);
    int listed = 0;
    for (const auto& entry : screen.Entries())
        listed += entry->member.id == coachId ? 1 : 0;
    EXPECT_EQ(listed, 1);
}

} // namespace
