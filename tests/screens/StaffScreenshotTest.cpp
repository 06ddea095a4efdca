// The staff screen inside the career frame and the coaching dialog over the quarter-break message,
// drawn on a real (offscreen) device from the shipped layout and texts; the pictures land in the
// build folder for a look.
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "engine/Device.h"
#include "gui/Element.h"
#include "gui/EngineBackend.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "screens/club/StaffScreen.h"
#include "screens/match/SubstitutionDialog.h"

#include "ScreenTestKit.h"

#include "ShotCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../staff-screenshots";

} // namespace

TEST(StaffScreenshot, StaffScreenAndCoachingDialog) {
    ShotDevice shot(kShots);
    if (shot.SkipReason())
        GTEST_SKIP() << shot.SkipReason();
    {
        ScreenKit kit;
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Shots"));
        CScreenContext ctx = kit.MakeContext();
        CStaffScreen staff(ctx);
        staff.Refresh();
        // A head coach, a physiotherapist and a scout hired; the physiotherapists listed.
        for (int32_t category : {kStaffHeadCoach, kStaffPhysiotherapist, kStaffScout})
            for (const auto& entry : staff.Entries())
                if (entry->member.category == category && staff.HireOrFire(category, entry->member.id, true))
                    break;
        CGuiElement* categories = kit.stack.FindElement(ID_STAFF_CATEGORIES);
        for (int row = 0; row < categories->GetRowCount(); ++row)
            if (categories->FindCell(0, row)->data == kStaffPhysiotherapist)
                categories->SetSelectedRow(row, true);
        GuiMessage pick;
        pick.sID = ID_STAFF_CATEGORIES;
        pick.MSG = kMsgSelection;
        staff.OnMessage(pick);
        ASSERT_TRUE(kit.ShowInFrame(CStaffScreen::kWindow));
        shot.Shoot(kit.stack, "staff.png");

        // The release question over the rightmost panel stays on the screen.
        GuiMessage release;
        release.sID = ID_STAFF_RELEASE_5;
        release.MSG = kMsgClick;
        staff.OnMessage(release);
        kit.stack.ProcessMessages();
        const ElementDesc& box = kit.stack.FindElement(CStaffScreen::kConfirmWindow)->Desc();
        EXPECT_GE(box.x, 0);
        EXPECT_LE(box.x + box.w, 1024);
        EXPECT_LE(box.y + box.h, 768);
        shot.Shoot(kit.stack, "staff_release.png");
        kit.stack.PostMessage(-1, CStaffScreen::kConfirmWindow, kMsgClose, 0, 0);

        // A 2D match at the first break, 24:31 down, and the coaching dialog opened over it.
        CMatch2D match;
        match.homeTeam = std::make_unique<CMatch2DTeam>();
        match.awayTeam = std::make_unique<CMatch2DTeam>();
        const char* names[] = {"Marcus Hale", "Devon Price", "Jonas Berg",
                               "Luka Moreno", "Sam Okafor",  "Tim Vance"};
        for (int i = 0; i < 6; ++i) {
            auto* p = new CMatch2DPlayer();
            p->name = names[i];
            p->SetMatchState(i < 5 ? kOnCourtState : kOnBenchState);
            p->SetAttribute(8, 60);
            match.homeTeam->AddPlayer(p);
        }
        match.homeTeam->score = 24;
        match.awayTeam->score = 31;
        CSubstitutionDialog dialog(ctx);
        dialog.SetMatches(&match, nullptr);
        dialog.SetUserSide([] { return true; });
        dialog.QuarterBreak(true);
        kit.stack.ProcessMessages();
        EXPECT_TRUE(kit.stack.IsLayerActive(ID_QUARTERBREAK));
        shot.Shoot(kit.stack, "quarter_break.png");
        kit.stack.PostMessage(-1, ID_QUARTERBREAK, kMsgClose, 0, 0);
        dialog.Show(true);
        kit.stack.ProcessMessages();
        kit.stack.FindElement(ID_COACH_INSTRUCTIONS)->SetSelection(1);
        kit.stack.FindElement(ID_COACH_PLAYERS)->SetSelection(5);
        shot.Shoot(kit.stack, "coaching.png");
    }
}
