// The coaching dialog: the head coach's bonus, instructions for one player or the whole five on
// either engine, and the quarter break's form change and message (0:0 is a tie).
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match3d/Match3D.h"
#include "screens/match/SubstitutionDialog.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

TEST(CoachingRules, TheBonusIsATenthOfTheHeadCoachsSkill) {
    EXPECT_EQ(InstructionBonus(47), 4);
    EXPECT_EQ(InstructionBonus(9), 0);
    EXPECT_EQ(InstructionBonus(0), 0);
    EXPECT_EQ(InstructionBonus(100), 10);
}

TEST(CoachingRules, FormMovesByTheScoreWithinItsBounds) {
    EXPECT_EQ(FormAfterQuarterBreak(50, 60, 59), 51); // a narrow lead: 1
    EXPECT_EQ(FormAfterQuarterBreak(50, 10, 60), 42); // trailing 10:60: trunc(8.33) = 8
    EXPECT_EQ(FormAfterQuarterBreak(15, 10, 60), 10); // not below 10
    EXPECT_EQ(FormAfterQuarterBreak(6, 10, 60), 6);   // a form already under 10 is not raised
    EXPECT_EQ(FormAfterQuarterBreak(50, 0, 20), 40);  // no points while trailing: 10
    EXPECT_EQ(FormAfterQuarterBreak(50, 20, 0), 60);  // the other side has none: 10
    EXPECT_EQ(FormAfterQuarterBreak(95, 20, 0), 100); // not above 100
    EXPECT_EQ(FormAfterQuarterBreak(50, 33, 33), 51); // a tie: 1
    EXPECT_EQ(FormAfterQuarterBreak(50, 0, 0), 51);   // 0:0 is a tie too
    EXPECT_EQ(FormAfterQuarterBreak(30, 25, 24), 31); // delta at least 1
}

TEST(CoachingRules, TheCoachsWordFollowsTheScore) {
    int first = 0;
    int second = 0;
    QuarterBreakMessage(0, 0, 0, first, second);
    EXPECT_EQ(first, 700002);
    EXPECT_EQ(second, 700005);
    QuarterBreakMessage(30, 30, 99, first, second);
    EXPECT_EQ(first, 700002);
    EXPECT_EQ(second, 700005);
    QuarterBreakMessage(20, 0, 0, first, second); // g = 1
    EXPECT_EQ(first, 700003);
    EXPECT_EQ(second, 700004);
    QuarterBreakMessage(20, 10, 0, first, second); // g = 0.5
    EXPECT_EQ(first, 700002);
    QuarterBreakMessage(10, 60, 71, first, second); // f = 0.83
    EXPECT_EQ(first, 700007);
    EXPECT_EQ(second, 700009);                       // never the same line twice
    QuarterBreakMessage(45, 100, 41, first, second); // f = 0.55
    EXPECT_EQ(first, 700007);
    EXPECT_EQ(second, 700008);
    QuarterBreakMessage(50, 60, 40, first, second); // f = 0.17
    EXPECT_EQ(first, 700008);
    EXPECT_EQ(second, 700009);
}

// "We are not far behind" is said only when the side is really close, whatever the roll.
TEST(CoachingRules, NotFarBehindOnlyWhenClose) {
    int first = 0;
    int second = 0;
    for (int roll : {0, 50, 99}) {
        QuarterBreakMessage(44, 62, roll, first, second);
        EXPECT_EQ(first, 700008) << roll;
        EXPECT_NE(second, 700006) << roll;
        QuarterBreakMessage(58, 97, roll, first, second);
        EXPECT_EQ(first, 700007) << roll;
        EXPECT_NE(second, first) << roll;
        QuarterBreakMessage(61, 66, roll, first, second);
        EXPECT_EQ(first, 700006) << roll;
        EXPECT_EQ(second, 700009) << roll; // "we can still turn this around", not "outplaying us"
        QuarterBreakMessage(18, 20, roll, first, second);
        EXPECT_EQ(first, 700006) << roll;
    }
}

// The dialog on the shipped layout, with a career whose head coach has skill 47 and both engines'
// matches built in memory. The user's club plays away.
class CoachingDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Coach"));
        CStaffRecord coach;
        coach.id = 900;
        coach.category = kStaffHeadCoach;
        coach.skill = 47;
        ReleaseStaffCategory(kit.session.worldDB, *kit.session.careerDB, kStaffHeadCoach);
        ASSERT_NE(HireStaffMember(kit.session.worldDB, *kit.session.careerDB, coach), nullptr);

        match2D.homeTeam = std::make_unique<CMatch2DTeam>();
        match2D.awayTeam = std::make_unique<CMatch2DTeam>();
        for (CMatch2DTeam* team : {match2D.homeTeam.get(), match2D.awayTeam.get()})
            for (int i = 0; i < 8; ++i) {
                auto* p = new CMatch2DPlayer();
                p->name = CStr::Formatted("Player %d", i);
                // The user's five are the places 1-5, so a list tag is a place, not a row.
                const bool onCourt = team == match2D.awayTeam.get() ? (i >= 1 && i <= 5) : i < 5;
                p->SetMatchState(onCourt ? kOnCourtState : kOnBenchState);
                p->SetAttribute(8, 50); // form
                for (int word : {26, 29, 32, 35, 38, 47})
                    p->SetAttribute(word, 60);
                p->energy = 80.0f;
                team->AddPlayer(p);
            }
        for (CMatchTeam* team : {match3D.GetHomeTeam(), match3D.GetAwayTeam()})
            for (int i = 0; i < team->GetCount(); ++i) {
                CCourtPlayer* p = team->GetPlayer(i);
                snprintf(p->name, sizeof(p->name), "Court %d", i);
                p->matchState = i < 5 ? kMatchStateOnCourt : 300001;
                p->stamina = 90.0f;
                for (int& a : p->attributes)
                    a = 60;
                p->attributes[0] = 50;
            }
        dialog = std::make_unique<CSubstitutionDialog>(ctx);
        dialog->SetMatches(&match2D, &match3D);
        dialog->SetUserSide([] { return false; });
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    void Choose(int list, int row) { Find(list)->SetSelection(row); }
    void ClickApply() {
        GuiMessage m;
        m.sID = ID_COACH_APPLY;
        m.MSG = kMsgClick;
        dialog->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }
    // The message as one line (the text box wraps it).
    CStr MessageText() {
        CStr text = Find(ID_QUARTERBREAK_TEXT)->GetText();
        text.ReplaceChar('\n', ' ');
        return text;
    }
    CMatch2DPlayer* User2D(int place) { return match2D.awayTeam->GetPlayer(place); }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CMatch2D match2D;
    CMatch3D match3D;
    std::unique_ptr<CSubstitutionDialog> dialog;
};

TEST_F(CoachingDialogTest, ListsHoldTheUsersFiveTaggedByPlaceAndTheFourInstructions) {
    dialog->FillLists(true);
    EXPECT_TRUE(dialog->TwoDMode());
    CGuiElement* players = Find(ID_COACH_PLAYERS);
    ASSERT_EQ(players->GetItemCount(), 6);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(players->GetItemData(row), row + 1);
    EXPECT_EQ(players->GetItemData(5), CSubstitutionDialog::kAllPlayers);
    EXPECT_EQ(players->GetItemText(5), kit.language.Get(80019));
    CGuiElement* instructions = Find(ID_COACH_INSTRUCTIONS);
    ASSERT_EQ(instructions->GetItemCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(instructions->GetItemData(row), 500029 + row);

    dialog->FillLists(false);
    EXPECT_FALSE(dialog->TwoDMode());
    EXPECT_EQ(players->GetItemCount(), 6);
    EXPECT_EQ(players->GetItemText(0), CStr("Court 0"));
}

TEST_F(CoachingDialogTest, AnInstructionAddsTheHeadCoachsBonusAndCostsStaminaAndForm) {
    dialog->FillLists(true);
    Choose(ID_COACH_INSTRUCTIONS, 1); // take your shots: two-pointers, three-pointers, dunks
    Choose(ID_COACH_PLAYERS, 0);      // place 1
    kit.shell.overlays[Overlay::Coaching] = true;
    ClickApply();
    CMatch2DPlayer* p = User2D(1);
    EXPECT_EQ(p->Attribute(26), 64);
    EXPECT_EQ(p->Attribute(29), 64);
    EXPECT_EQ(p->Attribute(32), 64);
    EXPECT_EQ(p->Attribute(47), 60);
    EXPECT_EQ(p->Attribute(8), 46);
    EXPECT_FLOAT_EQ(p->energy, 76.0f);
    EXPECT_EQ(User2D(2)->Attribute(26), 60);
    EXPECT_FALSE(kit.shell.overlays[Overlay::Coaching]);

    // 3D: attributes[k] is record attribute k + 1, so passing (attribute 14) is attributes[13].
    dialog->FillLists(false);
    Choose(ID_COACH_INSTRUCTIONS, 0);
    Choose(ID_COACH_PLAYERS, 2);
    ClickApply();
    CCourtPlayer* c = match3D.GetAwayTeam()->GetPlayer(2);
    EXPECT_EQ(c->attributes[13], 64);
    EXPECT_EQ(c->attributes[0], 46);
    EXPECT_FLOAT_EQ(c->stamina, 86.0f);
    EXPECT_EQ(match3D.GetHomeTeam()->GetPlayer(2)->attributes[13], 60) << "only the user's side";
}

TEST_F(CoachingDialogTest, TheTeamRowGivesEachPlayerRowTheInstructionOnce) {
    dialog->FillLists(true);
    Choose(ID_COACH_INSTRUCTIONS, 2); // play physical: aggression, word 38
    Choose(ID_COACH_PLAYERS, 5);
    ClickApply();
    for (int place = 1; place <= 5; ++place)
        EXPECT_EQ(User2D(place)->Attribute(38), 64) << place;
    EXPECT_EQ(User2D(0)->Attribute(38), 60) << "a bench player has no row";
    EXPECT_EQ(User2D(6)->Attribute(38), 60);
}

TEST_F(CoachingDialogTest, WithoutAHeadCoachOrAPlayerNothingChanges) {
    ReleaseStaffCategory(kit.session.worldDB, *kit.session.careerDB, kStaffHeadCoach);
    dialog->FillLists(true);
    Choose(ID_COACH_INSTRUCTIONS, 3);
    Choose(ID_COACH_PLAYERS, 0);
    ClickApply();
    EXPECT_EQ(User2D(1)->Attribute(35), 60);
    EXPECT_EQ(User2D(1)->Attribute(8), 50);

    // A place whose player is gone is skipped, and an unknown instruction does nothing at all.
    dialog->ApplyInstruction2D(match2D.awayTeam.get(), 40, kInstructionPassing);
    dialog->ApplyInstruction3D(match3D.GetAwayTeam(), 40, kInstructionPassing);
    dialog->ApplyInstruction2D(nullptr, 1, kInstructionPassing);
    dialog->ApplyInstruction2D(match2D.awayTeam.get(), 1, 123);
    EXPECT_EQ(User2D(1)->Attribute(8), 50);
}

TEST_F(CoachingDialogTest, AQuarterBreakMovesTheUsersFormAndOpensTheMessage) {
    match2D.homeTeam->score = 60;
    match2D.awayTeam->score = 10;
    dialog->QuarterBreak(true);
    for (int place = 0; place < 8; ++place) {
        EXPECT_EQ(User2D(place)->Attribute(8), 42) << "court and bench lose 8";
        EXPECT_EQ(match2D.homeTeam->GetPlayer(place)->Attribute(8), 50) << "the opponent keeps his";
    }
    EXPECT_TRUE(kit.shell.overlays[Overlay::QuarterBreak]);
    EXPECT_EQ(MessageText().Find(kit.language.Get(700007), 0), 0);
    kit.stack.ProcessMessages();
    EXPECT_TRUE(kit.stack.IsLayerActive(CSubstitutionDialog::kMessageWindow));

    // 0:0 in the 3D match: a tie, form up by one.
    dialog->QuarterBreak(false);
    EXPECT_EQ(match3D.GetAwayTeam()->GetPlayer(0)->attributes[0], 51);
    EXPECT_EQ(match3D.GetAwayTeam()->GetPlayer(9)->attributes[0], 51);
    EXPECT_EQ(match3D.GetHomeTeam()->GetPlayer(0)->attributes[0], 50);
    const CStr tie = kit.language.Get(700002) + " " + kit.language.Get(700005);
    EXPECT_EQ(MessageText(), tie);
}

} // namespace
