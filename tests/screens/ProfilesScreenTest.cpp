// The saved-careers list: careers of all three modes side by side.
#include "screens/start/ProfilesScreen.h"

#include "ScreenTestKit.h"
#include "guidefines.h"

using ProfilesScreenTest = InboxTest;

TEST_F(ProfilesScreenTest, EachRowNamesTheClubOfItsOwnCareer) {
    // The three data sets number their clubs alike: club 4 of one is another club in the others.
    const int32_t sets[3] = {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup};
    const char* managers[3] = {"Ann League", "Ben Euro", "Cas World"};
    std::map<CStr, CStr> expected;
    for (int i = 0; i < 3; ++i) {
        CMemoryDB world;
        ASSERT_TRUE(world.LoadFolder(DataSetFolder(sets[i])));
        const CTeam* club = world.teams.At(3);
        ASSERT_NE(club, nullptr);
        expected[managers[i]] = club->name;
        ASSERT_TRUE(m_session->StartNewCareer(sets[i], club->id, managers[i]));
        ASSERT_TRUE(m_session->SaveCurrentCareer());
    }
    // The world career loaded last is the World cup's.
    CProfilesScreen screen(*m_ctx);
    screen.FillCareers();
    CGuiElement* grid = m_stack.FindElement(ID_PR_GRID);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->GetRowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const CStr manager = grid->FindCell(0, row)->text;
        ASSERT_EQ(expected.count(manager), 1u) << manager.GetText();
        EXPECT_STREQ(grid->FindCell(1, row)->text.GetText(), expected[manager].GetText())
            << manager.GetText();
    }
    // A club no data set knows shows a dash rather than a stranger's name.
    EXPECT_STREQ(screen.ClubName(kDataSetEuroCup, 987654).GetText(), "-");
}

// The saved-careers window lies over the menu background below its "FASTBREAK" title (drawn from
// y 110, 100 high) and inside the 768-high screen.
TEST_F(ProfilesScreenTest, TheWindowLeavesTheTitleFree) {
    CGuiElement* grid = m_stack.FindElement(ID_PR_GRID);
    ASSERT_NE(grid, nullptr);
    CGuiElement* window = grid->Parent();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Parent(), m_stack.FindElement(ID_PROFILES));
    EXPECT_GE(window->Desc().y, 210);
    EXPECT_LE(window->Desc().y + window->Desc().h, 768);
}
