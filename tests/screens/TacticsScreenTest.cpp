// The tactics screen on the shipped layout: tactic ids from the combos, the formation markers,
// swaps between court and bench in the squad records and in a 3D match.
#include "screens/match/TacticsScreen.h"

#include "database/MemoryDB.h"
#include "engine/Xml.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "gui/TextTable.h"
#include "guidefines.h"
#include "match/Formation.h"
#include "match/TacticsData.h"
#include "match3d/Match3D.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace screentest;

namespace {

CCourtPlayer CourtPlayer(int32_t id, bool onCourt) {
    CCourtPlayer p;
    p.playerId = id;
    p.matchState = onCourt ? kOnCourt : kOnBench;
    return p;
}

// The user's squad as the home side of a 3D match, with the places no squad player took left
// as the loader leaves them (fifteen a side).
void UserSquadAtHome(CMatch3D& match, const CTeam& club) {
    match.homeTeam->DeletePlayers();
    for (size_t i = 0; i < club.players.size(); ++i) {
        CCourtPlayer p = CourtPlayer(club.players[i]->id, i < 5);
        p.SetName(club.players[i]->name.GetText());
        p.stamina = 80.0f;
        match.homeTeam->AddPlayer(p);
    }
    while (match.homeTeam->GetCount() < kRosterSize)
        match.homeTeam->AddPlayer(CCourtPlayer());
}

std::vector<std::string> Names(CGuiElement* grid) {
    std::vector<std::string> names;
    for (int row = 0; row < grid->GetRowCount(); ++row) {
        const GuiGridCell* cell = grid->FindCell(0, row);
        names.push_back(cell ? cell->text.Std() : std::string());
    }
    return names;
}

// Running a 3D match with the user at home, the tactics window open over it.
struct Tactics3D {
    MatchScreenRig rig;
    CTacticsScreen screen{rig.ctx};
    CMatch3D match;
    CGuiElement* court = nullptr;
    CGuiElement* bench = nullptr;

    Tactics3D() {
        UserSquadAtHome(match, *rig.Club());
        g_pMatch3D = &match;
        rig.session.matchMode = 1;
        rig.session.view3D = 1;
        screen.userIsHome = 1;
        screen.Refresh();
        court = rig.stack.FindElement(ID_TA_COURT_GRID);
        bench = rig.stack.FindElement(ID_TA_BENCH_GRID);
    }
    ~Tactics3D() { g_pMatch3D = nullptr; }
    const std::string& Name(int squadIndex) const {
        return rig.Club()->players[static_cast<size_t>(squadIndex)]->name.Std();
    }
    CCourtPlayer* Player(int squadIndex) {
        int index = 0;
        return match.homeTeam->FindById(rig.Club()->players[static_cast<size_t>(squadIndex)]->id, index);
    }
    // Picks a row of each grid and presses "Swap players", as the mouse does.
    void Swap(int courtRow, int benchRow) {
        GuiMessage pickCourt{ID_TA_COURT_GRID, -1, kMsgSelection, courtRow, 0, 0};
        GuiMessage pickBench{ID_TA_BENCH_GRID, -1, kMsgSelection, benchRow, 0, 0};
        GuiMessage swap{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
        screen.OnMessage(pickCourt);
        screen.OnMessage(pickBench);
        screen.OnMessage(swap);
    }
};

} // namespace

TEST(TacticsMarkers, SeventeenPixelsAUnitFromTheCourtCentre) {
    const GuiRect court{100, 50, 400, 300};
    int left = 0;
    int top = 0;
    // An attack point is drawn mirrored in z, a defence point as stored.
    MarkerTopLeft(court, 20, 20, Vec3(2.0f, 0.0f, -3.0f), left, top);
    EXPECT_EQ(left, 324);
    EXPECT_EQ(top, 139);
    MarkerTopLeft(court, 20, 20, Vec3(2.0f, 0.0f, 3.0f), left, top);
    EXPECT_EQ(left, 324);
    EXPECT_EQ(top, 241);
    // Products truncate toward zero on both sides of the centre.
    MarkerTopLeft(court, 20, 20, Vec3(-0.1f, 0.0f, 0.1f), left, top);
    EXPECT_EQ(left, 289); // 300 - 10 - 1
    EXPECT_EQ(top, 191);  // 200 - 10 + 1
}

TEST(TacticsIds, ItemsMapToTacticsAndNothingChosenPlaysTheFirstOfEach) {
    EXPECT_EQ(OffenceTacticOfItem(-1), 0);
    EXPECT_EQ(DefenceTacticOfItem(-1), 10);
    EXPECT_EQ(OffenceTacticOfItem(0), 0);
    EXPECT_EQ(OffenceTacticOfItem(9), 9);
    EXPECT_EQ(DefenceTacticOfItem(5), 15);
    EXPECT_EQ(DefenceTacticOfItem(10), 10);
    EXPECT_STREQ(TacticPreviewFile(16), TacticPreviewFile(15));
    EXPECT_STREQ(TacticPreviewFile(20), "");
    EXPECT_EQ(BandColour(9.7f), CTacticsScreen::kRed);
    EXPECT_EQ(BandColour(59.9f), CTacticsScreen::kYellow);
    EXPECT_EQ(BandColour(60.0f), CTacticsScreen::kGreen);
}

TEST(TacticsScreen, CombosWithoutSelectionGiveTacticsZeroAndTen) {
    MatchScreenRig rig;
    CTacticsScreen screen(rig.ctx);
    CGuiElement* offence = rig.stack.FindElement(ID_TA_OFFENCE);
    CGuiElement* defence = rig.stack.FindElement(ID_TA_DEFENCE);
    ASSERT_NE(offence, nullptr);
    ASSERT_NE(defence, nullptr);
    screen.Refresh();
    offence->SetSelection(-1);
    defence->SetSelection(-1);
    EXPECT_EQ(screen.GetOffenceTactic(), 0);
    EXPECT_EQ(screen.GetDefenceTactic(), 10);
    // The player picks from the lists: the combos tell the screen.
    offence->SetSelection(3);
    defence->SetSelection(7);
    GuiMessage pickOffence{ID_TA_OFFENCE, -1, kMsgSelection, 3, 0, 0};
    GuiMessage pickDefence{ID_TA_DEFENCE, -1, kMsgSelection, 7, 0, 0};
    screen.OnMessage(pickOffence);
    screen.OnMessage(pickDefence);
    EXPECT_EQ(screen.GetOffenceTactic(), 3);
    EXPECT_EQ(screen.GetDefenceTactic(), 17);
    // They are the career's choices, saved with it.
    EXPECT_EQ(rig.session.userAttack.load(), 3);
    EXPECT_EQ(rig.session.userDefence.load(), 17);
    // A refresh refills the items but keeps the choice.
    screen.Refresh();
    EXPECT_EQ(offence->GetItemCount(), 10);
    EXPECT_STREQ(offence->GetItemText(3).GetText(), "<200125>");
    EXPECT_EQ(screen.GetOffenceTactic(), 3);
    EXPECT_EQ(screen.GetDefenceTactic(), 17);
}

TEST(TacticsScreen, MarkersShowTheChosenFormationsAndTheTextDescribesTheChoice) {
    MatchScreenRig rig;
    CTacticsScreen screen(rig.ctx);
    screen.Refresh();
    CGuiElement* offence = rig.stack.FindElement(ID_TA_OFFENCE);
    offence->SetSelection(4);
    GuiMessage choose{ID_TA_OFFENCE, -1, kMsgSelection, 4, 0, 0};
    screen.OnMessage(choose);
    EXPECT_EQ(choose.sID, -1);

    const ElementDesc& court = rig.stack.FindElement(ID_TA_COURT)->Desc();
    for (int i = 0; i < 5; ++i) {
        const Vec3& p = screen.Preview(4).points[i];
        const ElementDesc& marker = rig.stack.FindElement(ID_TA_ATTACK_MARKER1 + i)->Desc();
        // 17 pixels a unit from the court's centre; the attack is drawn mirrored.
        const int left = court.x + court.w / 2 - marker.h / 2 + static_cast<int>(17.0f * p.x);
        const int top = court.y + court.h / 2 - marker.w / 2 + static_cast<int>(17.0f * -p.z);
        EXPECT_EQ(marker.x, left) << i;
        EXPECT_EQ(marker.y, top) << i;
        // Every shipped formation stays on the drawn court.
        EXPECT_GE(marker.x, court.x);
        EXPECT_LE(marker.x + marker.w, court.x + court.w);
        EXPECT_GE(marker.y, court.y);
        EXPECT_LE(marker.y + marker.h, court.y + court.h);
    }
    // Defence items 5 and 6 share one formation file.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(screen.Preview(15).points[i].x, screen.Preview(16).points[i].x);
        EXPECT_EQ(screen.Preview(15).points[i].z, screen.Preview(16).points[i].z);
    }
    const Vec3 d0 = screen.Preview(screen.GetDefenceTactic()).points[0];
    const ElementDesc& m0 = rig.stack.FindElement(ID_TA_DEFENCE_MARKER1)->Desc();
    const int left = court.x + court.w / 2 - m0.h / 2 + static_cast<int>(17.0f * d0.x);
    const int top = court.y + court.h / 2 - m0.w / 2 + static_cast<int>(17.0f * d0.z);
    EXPECT_EQ(m0.x, left);
    EXPECT_EQ(m0.y, top);

    // After a refresh nothing is hovered; the text still describes the chosen tactic.
    screen.Refresh();
    EXPECT_STREQ(rig.stack.FindElement(ID_TA_OFFENCE_TEXT)->GetText().GetText(), "<200146>");
}

TEST(TacticsScreen, SwapOutsideAMatchSwapsTheRecordsOfTheFirstStarterAndBenchPlayer) {
    MatchScreenRig rig;
    CTacticsScreen screen(rig.ctx);
    screen.Refresh();
    CTeam* club = rig.Club();
    CPlayer* starter = club->players[0];
    CPlayer* sub = club->players[5];
    starter->words[kWordPlayedPosition] = kPositionCentre;
    sub->words[kWordPlayedPosition] = kPositionPointGuard;
    ASSERT_EQ(screen.selectedStarterId, starter->id);
    ASSERT_EQ(screen.selectedBenchId, sub->id);

    GuiMessage click{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(click);
    EXPECT_EQ(click.sID, -1);
    EXPECT_EQ(sub->words[kWordMatchState], kOnCourt);
    EXPECT_EQ(sub->words[kWordPlayedPosition], kPositionCentre);
    EXPECT_EQ(starter->words[kWordMatchState], kOnBench);
    EXPECT_EQ(club->players[0], sub);
    EXPECT_EQ(club->players[5], starter);
    EXPECT_EQ(screen.selectedStarterId, -1);
    EXPECT_EQ(screen.selectedBenchId, -1);
    auto* court = rig.stack.FindElement(ID_TA_COURT_GRID);
    EXPECT_EQ(court->FindCell(0, 0)->data, sub->id);
    EXPECT_EQ(court->GetRowCount(), 5);
    EXPECT_EQ(rig.stack.FindElement(ID_TA_BENCH_GRID)->GetRowCount(), 7);

    // An injured starter may make way for a fit player; the picks are dropped.
    GuiMessage pickBench{ID_TA_BENCH_GRID, -1, kMsgSelection, 0, 0, 0};
    GuiMessage pickCourt{ID_TA_COURT_GRID, -1, kMsgSelection, 1, 0, 0};
    screen.OnMessage(pickBench);
    screen.OnMessage(pickCourt);
    CPlayer* injured = club->players[1];
    ASSERT_EQ(screen.selectedStarterId, injured->id);
    injured->words[kWordInjured] = 1;
    GuiMessage again{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(again);
    EXPECT_EQ(injured->words[kWordMatchState], kOnBench);
    EXPECT_EQ(screen.selectedBenchId, -1);
}

TEST(TacticsScreen, ARefusedSwapInA3DMatchLeavesNoCalledOffPlayer) {
    MatchScreenRig rig;
    CTacticsScreen screen(rig.ctx);
    CTeam* club = rig.Club();
    CMatch3D match;
    // The match comes with two rosters of default players: the user's squad replaces the home one.
    match.homeTeam->DeletePlayers();
    for (size_t i = 0; i < club->players.size(); ++i)
        match.homeTeam->AddPlayer(CourtPlayer(club->players[i]->id, i < 5));
    g_pMatch3D = &match;
    rig.session.matchMode = 1;
    rig.session.view3D = 1;
    screen.userIsHome = 1;
    screen.Refresh();
    // During a 3D match nothing is preselected.
    EXPECT_EQ(screen.selectedStarterId, -1);

    CPlayer* firstStarter = club->players[0];
    int index = 0;
    CCourtPlayer* leaving = match.homeTeam->FindById(club->players[0]->id, index);
    CCourtPlayer* fouledOut = match.homeTeam->FindById(club->players[6]->id, index);
    fouledOut->personalFouls = 6;
    screen.selectedStarterId = club->players[0]->id;
    screen.selectedBenchId = club->players[6]->id;
    GuiMessage click{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(click);
    EXPECT_EQ(click.sID, -1);
    EXPECT_EQ(leaving->inSubstitution, 0);
    EXPECT_EQ(leaving->replacement, nullptr);
    EXPECT_EQ(match.flags.calledOffUser, nullptr);
    EXPECT_EQ(screen.substitutionPending, 0);
    // A swap during the match leaves the starting five of the squad records alone.
    EXPECT_EQ(firstStarter->words[kWordMatchState], kOnCourt);

    // An allowed one names the replacement together with the called-off flag.
    CPlayer* nextStarter = club->players[1];
    CPlayer* fresh = club->players[7];
    screen.selectedStarterId = nextStarter->id;
    screen.selectedBenchId = fresh->id;
    GuiMessage second{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(second);
    CCourtPlayer* out = match.homeTeam->FindById(nextStarter->id, index);
    EXPECT_EQ(out->inSubstitution, 1);
    EXPECT_EQ(out->replacement, match.homeTeam->FindById(fresh->id, index));
    EXPECT_EQ(screen.substitutionPending, 1);

    // With a hurt player still on court, Done keeps the window for his change and nothing else
    // (the layout's own action would take the frame away from the match).
    CCourtPlayer* hurt = match.homeTeam->GetPlayer(3);
    hurt->injured = 1;
    rig.shell.overlays[static_cast<int>(Overlay::Tactics)] = true;
    GuiMessage blocked{ID_TA_APPLY, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(blocked);
    EXPECT_EQ(blocked.sID, -1);
    EXPECT_TRUE(rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    EXPECT_EQ(match.flags.substitutionPhase, 0);
    hurt->injured = 0;

    // Apply hands it to the match and closes the overlay.
    rig.shell.overlays[static_cast<int>(Overlay::Tactics)] = true;
    GuiMessage apply{ID_TA_APPLY, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(apply);
    EXPECT_EQ(apply.sID, -1);
    EXPECT_EQ(match.flags.substitutionPhase, 1);
    EXPECT_EQ(screen.substitutionPending, 0);
    EXPECT_FALSE(rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    // ... and the window itself, which otherwise covered the court until the match ended.
    int closes = 0;
    for (const GuiMessage& m : rig.stack.PendingMessages())
        closes += m.cID == ID_TACTICS && m.MSG == kMsgClose ? 1 : 0;
    EXPECT_EQ(closes, 1);
    g_pMatch3D = nullptr;
}

namespace {

// The game's own texts, for the tests that read what a player reads.
const CTextTable& GameTexts() {
    static const CTextTable texts = [] {
        CTextTable t;
        t.Load("\\guifiles\\lang_en.txt");
        return t;
    }();
    return texts;
}

CStr PopupText(MatchScreenRig& rig) {
    const CGuiElement* text = rig.stack.FindElement(ID_MATCH_POPUP_TEXT);
    return text ? text->GetText() : CStr();
}

} // namespace

TEST(TacticsScreen, AHurtOrFouledOutPlayerIsMarkedInTheListsAndARefusedSwapSaysWhy) {
    {
        SCOPED_TRACE("between matches");
        MatchScreenRig rig(12, 5, [](int id) { return GameTexts().Get(id); });
        CTeam* club = rig.Club();
        CPlayer* hurt = club->players[6];
        hurt->words[kWordInjured] = 1;
        CTacticsScreen screen(rig.ctx);
        screen.Refresh();
        // The bench list names him hurt, in red.
        auto* bench = static_cast<CGuiGridControl*>(rig.stack.FindElement(ID_TA_BENCH_GRID));
        int row = -1;
        for (int r = 0; r < bench->GetRowCount(); ++r)
            if (bench->FindCell(0, r) && bench->FindCell(0, r)->data == hurt->id)
                row = r;
        ASSERT_GE(row, 0);
        EXPECT_EQ(bench->FindCell(0, row)->text, hurt->name + GameTexts().Get(100356));
        EXPECT_EQ(bench->CellTextColour(0, row), CTacticsScreen::kRed);

        screen.selectedStarterId = club->players[0]->id;
        screen.selectedBenchId = hurt->id;
        GuiMessage swap{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
        screen.OnMessage(swap);
        rig.stack.ProcessMessages();
        EXPECT_EQ(hurt->words[kWordMatchState], kOnBench);
        EXPECT_EQ(club->players[0]->words[kWordMatchState], kOnCourt);
        EXPECT_TRUE(rig.stack.IsLayerActive(ID_MATCH_POPUP));
        const CStr said = PopupText(rig);
        EXPECT_NE(said.Find(hurt->name), -1) << said.GetText();
        EXPECT_NE(said.Find("injured"), -1) << said.GetText();
    }
    {
        SCOPED_TRACE("in a 3D match");
        Tactics3D t;
        t.Player(6)->personalFouls = 6;
        t.screen.Refresh();
        EXPECT_NE(Names(t.bench)[1].find(t.rig.ctx.Text(100357).Std()), std::string::npos);
        t.Swap(0, 1);
        t.rig.stack.ProcessMessages();
        EXPECT_EQ(t.Player(0)->replacement, nullptr);
        EXPECT_TRUE(t.rig.stack.IsLayerActive(ID_MATCH_POPUP));
        EXPECT_EQ(PopupText(t.rig), t.rig.ctx.Text(500072));
    }
}

// "Swap players" with only one of the two picked changes nothing and tells the player to pick
// one on court and one on the bench.
TEST(TacticsScreen3D, ASwapWithOnePlayerPickedSaysTwoAreNeeded) {
    Tactics3D t;
    const std::vector<std::string> before = Names(t.court);
    GuiMessage pickCourt{ID_TA_COURT_GRID, -1, kMsgSelection, 0, 0, 0};
    GuiMessage swap{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    t.screen.OnMessage(pickCourt);
    t.screen.OnMessage(swap);
    t.rig.stack.ProcessMessages();
    EXPECT_EQ(Names(t.court), before);
    EXPECT_EQ(t.Player(0)->replacement, nullptr);
    ASSERT_TRUE(t.rig.stack.IsLayerActive(ID_MATCH_POPUP));
    const CStr said = PopupText(t.rig);
    EXPECT_EQ(said, t.rig.ctx.Text(500073));
    EXPECT_NE(GameTexts().Get(500073).Find("two players"), -1);
}

TEST(TacticsScreen, ApplyOutsideAMatchIsLeftToTheLayout) {
    MatchScreenRig rig;
    CTacticsScreen screen(rig.ctx);
    screen.Refresh();
    GuiMessage apply{ID_TA_APPLY, -1, kMsgClick, 0, 0, 0};
    screen.OnMessage(apply);
    EXPECT_EQ(apply.sID, ID_TA_APPLY);
}

TEST(TacticsContent, TacticNamesAgreeWithTheTacticsFile) {
    CTextTable language;
    ASSERT_TRUE(language.Load("\\guifiles\\lang_en.txt"));
    std::vector<TacticRecord*> tactics;
    ReadTacticList(OpenInitData("\\ini\\InitData.xml"), tactics);
    ASSERT_GE(tactics.size(), 20u);
    for (int id = 0; id < 20; ++id) {
        CStr name = tactics[static_cast<size_t>(id)]->name;
        EXPECT_STREQ(language.Get(200122 + id).GetText(), name.GetText()) << id;
        EXPECT_FALSE(language.Get(200142 + id).IsEmpty()) << id;
        EXPECT_STREQ(tactics[static_cast<size_t>(id)]->file.GetText(), TacticPreviewFile(id)) << id;
    }
    DeletePointerVector(tactics);
}

TEST(TacticsScreen, ALoadedCareersTacticsShowOnTheCombos) {
    MatchScreenRig rig;
    CTacticsScreen screen(rig.ctx);
    rig.session.userAttack = 5;
    rig.session.userDefence = 12;
    screen.Refresh();
    EXPECT_EQ(screen.GetOffenceTactic(), 5);
    EXPECT_EQ(screen.GetDefenceTactic(), 12);
}

TEST(TacticsScreen3D, TheBenchListsTheSquadOnlyAndASwapShowsTheFiveWhoWillPlay) {
    Tactics3D t;
    // Twelve players: five on court, seven on the bench, no empty rows for the unused places.
    ASSERT_EQ(t.court->GetRowCount(), 5);
    ASSERT_EQ(t.bench->GetRowCount(), 7);
    for (const std::string& name : Names(t.bench))
        EXPECT_FALSE(name.empty());
    EXPECT_EQ(t.bench->FindCell(0, 7), nullptr);
    EXPECT_EQ(Names(t.bench)[1], t.Name(6));

    // The first starter for the second bench player: the lists show the change at once, in
    // the places the two had, while the match carries it out once play goes on.
    t.Swap(0, 1);
    EXPECT_EQ(t.screen.substitutionPending, 1);
    EXPECT_EQ(t.Player(0)->replacement, t.Player(6));
    EXPECT_EQ(Names(t.court)[0], t.Name(6));
    EXPECT_EQ(Names(t.bench)[1], t.Name(0));
    EXPECT_EQ(t.court->GetRowCount(), 5);
    EXPECT_EQ(t.bench->GetRowCount(), 7);

    // A second change beside it; the one on his way in cannot be called off again, nor the
    // one on his way off brought on for someone else.
    t.Swap(1, 2);
    EXPECT_EQ(Names(t.court)[1], t.Name(7));
    t.Swap(0, 3);
    EXPECT_EQ(Names(t.court)[0], t.Name(6));
    EXPECT_EQ(t.Player(8)->matchState, kOnBench);
    t.Swap(2, 1);
    EXPECT_EQ(t.Player(2)->inSubstitution, 0);
    EXPECT_EQ(t.Player(0)->replacement, t.Player(6));

    // Swapping the first pair back takes that change back; the other stands.
    t.Swap(0, 1);
    EXPECT_EQ(t.Player(0)->inSubstitution, 0);
    EXPECT_EQ(t.Player(0)->replacement, nullptr);
    EXPECT_EQ(Names(t.court)[0], t.Name(0));
    EXPECT_EQ(Names(t.court)[1], t.Name(7));
    EXPECT_EQ(t.screen.substitutionPending, 1);

    // Done hands it to the match; once it is carried out the lists show the same five.
    GuiMessage done{ID_TA_APPLY, -1, kMsgClick, 0, 0, 0};
    t.screen.OnMessage(done);
    EXPECT_EQ(t.match.flags.substitutionPhase, 1);
    const std::vector<std::string> shown = Names(t.court);
    t.match.homeTeam->Substitute(t.Player(1)->playerId, t.Player(7)->playerId);
    t.screen.FillLineupGrids();
    EXPECT_EQ(Names(t.court), shown);
    EXPECT_EQ(Names(t.bench).size(), 7u);
}

TEST(TacticsScreen3D, EscapeLeavesTheWindowOverTheMatchAsDoneDoes) {
    Tactics3D t;
    t.rig.stack.screens = [&t](GuiMessage& m) { t.screen.OnMessage(m); };
    t.rig.stack.PostMessage(ID_HUD_TACTICS, ID_TACTICS, kMsgOpenOnTop, ID_HUD_TACTICS, 0);
    t.rig.stack.ProcessMessages();
    ASSERT_TRUE(t.rig.stack.IsLayerActive(ID_TACTICS));
    t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)] = true;
    t.Swap(0, 0);
    // Escape, then the frames that carry out what it set off.
    auto pressEscape = [&t] {
        GuiInput escape;
        escape.kind = GuiInputKind::Key;
        escape.key = kGuiKeyEscape;
        t.rig.stack.DispatchInput(escape);
        for (int frame = 0; frame < 3; ++frame)
            t.rig.stack.ProcessMessages();
    };

    // A hurt player on court with no change made keeps the window open, as Done does, and the
    // layout's own action never takes the frame from the match.
    t.Player(3)->injured = 1;
    pressEscape();
    EXPECT_TRUE(t.rig.stack.IsLayerActive(ID_TACTICS));
    EXPECT_TRUE(t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    EXPECT_FALSE(t.rig.stack.IsLayerActive(ID_DAYPANEL));
    EXPECT_EQ(t.match.flags.substitutionPhase, 0);
    t.Player(3)->injured = 0;

    // Otherwise the change goes to the match and the window closes.
    pressEscape();
    EXPECT_EQ(t.match.flags.substitutionPhase, 1);
    EXPECT_FALSE(t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    EXPECT_FALSE(t.rig.stack.IsLayerActive(ID_TACTICS));
    EXPECT_FALSE(t.rig.stack.IsLayerActive(ID_DAYPANEL));

    // With nobody on the bench who may come on, a hurt player stays and the window still closes.
    t.rig.stack.PostMessage(ID_HUD_TACTICS, ID_TACTICS, kMsgOpenOnTop, ID_HUD_TACTICS, 0);
    t.rig.stack.ProcessMessages();
    t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)] = true;
    t.match.flags.substitutionPhase = 0;
    for (int i = 5; i < 12; ++i)
        t.Player(i)->injured = 1;
    t.Player(3)->injured = 1;
    pressEscape();
    EXPECT_EQ(t.match.flags.substitutionPhase, 0);
    EXPECT_FALSE(t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    EXPECT_FALSE(t.rig.stack.IsLayerActive(ID_TACTICS));
    EXPECT_FALSE(t.rig.stack.IsLayerActive(ID_DAYPANEL));
}

// While the other side's change is under way the match records no swap, so a hurt player of the
// user's must not hold the window either: it would keep the paused match waiting for good.
TEST(TacticsScreen3D, AHurtPlayerHoldsNoWindowWhileTheOtherSidesChangeIsUnderWay) {
    for (const bool phase : {false, true}) {
        SCOPED_TRACE(phase ? "change carried out" : "change requested");
        Tactics3D t;
        t.rig.stack.screens = [&t](GuiMessage& m) { t.screen.OnMessage(m); };
        t.rig.stack.PostMessage(ID_HUD_TACTICS, ID_TACTICS, kMsgOpenOnTop, ID_HUD_TACTICS, 0);
        t.rig.stack.ProcessMessages();
        ASSERT_TRUE(t.rig.stack.IsLayerActive(ID_TACTICS));
        t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)] = true;
        t.Player(3)->injured = 1;
        (phase ? t.match.flags.substitutionPhase : t.match.flags.substitutionRequested) = 1;

        t.Swap(3, 0);
        EXPECT_EQ(t.Player(3)->inSubstitution, 0) << "no swap is recorded during another change";
        GuiInput escape; // presses "Done"
        escape.kind = GuiInputKind::Key;
        escape.key = kGuiKeyEscape;
        t.rig.stack.DispatchInput(escape);
        for (int frame = 0; frame < 3; ++frame)
            t.rig.stack.ProcessMessages();
        EXPECT_FALSE(t.rig.stack.IsLayerActive(ID_TACTICS));
        EXPECT_FALSE(t.rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    }
}

// The match carries out one change at a time: a swap made while another is under way is not
// recorded, and the player is told so in the message window instead of seeing it vanish; once the
// change is done the same swap goes through.
TEST(TacticsScreen3D, ASwapDuringAnotherChangeIsRefusedWithAMessage) {
    for (const bool phase : {false, true}) {
        SCOPED_TRACE(phase ? "change carried out" : "change requested");
        Tactics3D t;
        (phase ? t.match.flags.substitutionPhase : t.match.flags.substitutionRequested) = 1;
        const std::vector<std::string> court = Names(t.court);
        t.Swap(1, 2);
        t.rig.stack.ProcessMessages();
        EXPECT_EQ(t.Player(1)->inSubstitution, 0);
        EXPECT_EQ(t.Player(1)->replacement, nullptr);
        EXPECT_EQ(t.screen.substitutionPending, 0);
        EXPECT_EQ(Names(t.court), court);
        EXPECT_TRUE(t.rig.stack.IsLayerActive(ID_MATCH_POPUP));
        EXPECT_TRUE(t.rig.shell.overlays[static_cast<int>(Overlay::Popup)]);
        const CGuiElement* text = t.rig.stack.FindElement(ID_MATCH_POPUP_TEXT);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetText(), t.rig.ctx.Text(500034));
        EXPECT_FALSE(text->GetText().IsEmpty());
        EXPECT_EQ(t.screen.selectedStarterId, -1);
        EXPECT_EQ(t.screen.selectedBenchId, -1);

        t.match.flags.substitutionPhase = t.match.flags.substitutionRequested = 0;
        t.Swap(1, 2);
        EXPECT_EQ(t.Player(1)->replacement, t.Player(7));
        EXPECT_EQ(t.screen.substitutionPending, 1);
        EXPECT_EQ(Names(t.court)[1], t.Name(7));
    }
}
