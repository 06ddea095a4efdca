// One process, two careers: a tournament started after a league career shows nothing of the first,
// and the frame's save status speaks only of a save that just happened.
#include "app/GameManager.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameFolder.h"
#include "gui/Element.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"

#include <gtest/gtest.h>

class CareerSwitch : public GameFolderTest {};

namespace {

CStr TextOf(CGameManager& gm, int id) {
    CGuiElement* element = gm.FindElement(id);
    return element ? element->GetText() : CStr("<missing>");
}

void Click(CGameManager& gm, int id) {
    gm.PostMessage(id, -1, kMsgClick, 0, 0);
    gm.ProcessMessages();
}

} // namespace

TEST_F(CareerSwitch, ATournamentAfterALeagueCareerShowsNothingOfIt) {
    CGameManager gm;
    CGuiLayoutLoader loader(gm);
    ASSERT_TRUE(loader.Load());
    ASSERT_TRUE(gm.CreateScreens(GameOptions()));
    gm.CreateRegisteredScreens();
    CCareerSession& session = gm.Session();
    const CTeam* leagueClub = session.worldDB->teams.At(0);
    ASSERT_NE(leagueClub, nullptr);
    // The world is rebuilt with every career: keep the club's id and name, not the record.
    const int32_t leagueClubId = leagueClub->id;
    const CStr leagueClubName = leagueClub->name;
    ASSERT_TRUE(session.StartNewCareer(kDataSetLeague, leagueClubId, CStr("Tester")));
    gm.RefreshAllScreens();
    const CStr leagueLine = TextOf(gm, ID_FR_LEAGUE);
    EXPECT_EQ(gm.FindElement(ID_FR_FINANCES)->Desc().enabled, 1);

    // The league career's own choices: result only and other tactics.
    Click(gm, ID_VM_RESULT);
    ASSERT_EQ(session.resultOnly.load(), 1);
    session.userAttack = 4;
    Click(gm, ID_FR_SAVE);
    EXPECT_STREQ(TextOf(gm, ID_FR_STATUS).GetText(), "Career saved.");
    // Any change of the career after it (here a refresh, as after a day) takes the word back.
    gm.RefreshAllScreens();
    EXPECT_STREQ(TextOf(gm, ID_FR_STATUS).GetText(), "");
    Click(gm, ID_FR_SAVE);
    EXPECT_STREQ(TextOf(gm, ID_FR_STATUS).GetText(), "Career saved.");

    ASSERT_TRUE(session.StartNewCareer(kDataSetEuroCup, 4, CStr("Cupper")));
    gm.RefreshAllScreens();
    const CTeam* cupClub = session.UserClub();
    ASSERT_NE(cupClub, nullptr);
    EXPECT_STRNE(cupClub->name.GetText(), leagueClubName.GetText());
    EXPECT_STREQ(TextOf(gm, ID_FR_CLUB).GetText(), cupClub->name.GetText());
    EXPECT_STRNE(TextOf(gm, ID_FR_LEAGUE).GetText(), leagueLine.GetText());
    EXPECT_EQ(TextOf(gm, ID_FR_LEAGUE).Find("Tester"), -1);
    EXPECT_STREQ(TextOf(gm, ID_FR_STATUS).GetText(), "");
    // The money screens are not kept up in a tournament: their buttons do not open them.
    for (int button :
         {ID_FR_FINANCES, ID_FR_SPONSORS, ID_FR_TICKETS, ID_FR_FUNSHOP, ID_FR_STADIUM, ID_FR_TRANSFERS})
        EXPECT_EQ(gm.FindElement(button)->Desc().enabled, 0) << button;
    EXPECT_EQ(gm.FindElement(ID_FR_SQUAD)->Desc().enabled, 1);
    // The view and the tactics are the options' defaults again.
    EXPECT_EQ(session.resultOnly.load(), session.options.enableFastSimulation ? 1 : 0);
    EXPECT_EQ(session.view3D.load(), session.options.enable3DSimulation ? 1 : 0);
    EXPECT_EQ(session.userAttack.load(), 0);
    // No loan or ledger row of the league career came along.
    ASSERT_NE(session.careerDB, nullptr);
    EXPECT_EQ(session.careerDB->loans.Size(), 0u);

    // Back to a league career: the money screens open again, with their own tooltips.
    const CStr financeTip = gm.FindElement(ID_FR_FINANCES)->GetTooltip();
    ASSERT_TRUE(session.StartNewCareer(kDataSetLeague, leagueClubId, CStr("Again")));
    gm.RefreshAllScreens();
    EXPECT_EQ(gm.FindElement(ID_FR_FINANCES)->Desc().enabled, 1);
    EXPECT_STRNE(gm.FindElement(ID_FR_FINANCES)->GetTooltip().GetText(), financeTip.GetText());
}
