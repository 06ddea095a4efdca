// The in-match display on the shipped layout with a scripted match, a hand-driven clock and a
// recording crowd: quarters and breaks, the buttons, labels, event lines and the live panels.
#include "screens/match/MatchHud.h"

#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "gui/Backend.h"
#include "gui/Button.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "guidefines.h"

#include "MatchHudKit.h"
#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace screentest;

namespace {

struct HudRig {
    MatchScreenRig rig;
    ScriptedMatch match;
    RecordingCrowd crowd;
    uint32_t now = 5000;
    CMatchHud hud{rig.ctx};

    HudRig() {
        hud.SetClock([this] { return now; });
        hud.SetSound(&crowd);
        hud.SetMatch(&match);
        hud.SetTeamNames("Harbour Lions", "Valley Bears");
    }
    // One frame after the given milliseconds.
    void Frame(uint32_t ms) {
        now += ms;
        hud.TickGameClock();
        hud.UpdateClock();
    }
    CGuiElement* Find(int id) { return rig.stack.FindElement(id); }
    int Pending(int target, int kind) const {
        int n = 0;
        for (const GuiMessage& m : rig.stack.PendingMessages())
            n += m.cID == target && m.MSG == kind ? 1 : 0;
        return n;
    }
    void Click(int id) {
        GuiMessage m;
        m.sID = id;
        m.MSG = kMsgClick;
        hud.OnMessage(m);
        EXPECT_EQ(m.sID, -1) << id << " is consumed";
    }
};

} // namespace

TEST(MatchHudClock, QuarterOnePausesAfter720SecondsAndOpensTheBreak) {
    HudRig r;
    r.Click(ID_HUD_PLAY);
    ASSERT_TRUE(r.hud.Started());
    EXPECT_EQ(r.match.jumpBalls, 1);
    for (int s = 0; s < 719; ++s)
        r.Frame(1000);
    EXPECT_STREQ(r.hud.ClockText().GetText(), "11:59");
    EXPECT_EQ(r.hud.Quarter(), 1);
    EXPECT_EQ(r.Pending(ID_QUARTERBREAK, kMsgOpenOnTop), 0);

    r.Frame(1000);
    EXPECT_EQ(r.hud.Quarter(), 2);
    EXPECT_TRUE(r.hud.Paused());
    EXPECT_TRUE(r.match.paused);
    EXPECT_TRUE(r.rig.shell.paused);
    EXPECT_EQ(r.match.breaks, 1);
    EXPECT_EQ(r.Pending(ID_QUARTERBREAK, kMsgOpenOnTop), 1);
    EXPECT_TRUE(r.rig.shell.overlays[static_cast<int>(Overlay::QuarterBreak)]);
    EXPECT_STREQ(r.hud.ClockText().GetText(), "00:00");
    EXPECT_STREQ(r.hud.QuarterText().GetText(), "2");
    EXPECT_STREQ(r.Find(ID_HUD_CLOCK)->GetText().GetText(), "00:00");

    // Paused, the clock stands until play is pressed; then it counts from the press.
    r.Frame(5000);
    EXPECT_EQ(r.hud.GameClock(), 0.0);
    r.Click(ID_HUD_PLAY);
    EXPECT_FALSE(r.match.paused);
    r.Frame(999);
    EXPECT_EQ(r.hud.GameClock(), 0.0);
    r.Frame(1);
    EXPECT_EQ(r.hud.GameClock(), 1.0);
}

TEST(MatchHudClock, TheBreakShowsBothTablesAsThePanelsShowTheQuarter) {
    HudRig r;
    r.Click(ID_HUD_PLAY);
    for (int s = 0; s < 719; ++s)
        r.Frame(1000);
    // The quarter's last second: a foul on each side and two free throws made.
    CCourtPlayer& home = *r.match.home.GetPlayer(0);
    home.foulsCharged = 1;
    home.freeThrowsMade = 2;
    r.match.away.GetPlayer(1)->foulsBooked = 1;
    r.Frame(1000);
    ASSERT_EQ(r.Pending(ID_QUARTERBREAK, kMsgOpenOnTop), 1);
    auto* homeTable = static_cast<CGuiGridControl*>(r.Find(ID_BOX_HOME));
    auto* awayTable = static_cast<CGuiGridControl*>(r.Find(ID_BOX_AWAY));
    ASSERT_NE(homeTable->FindCell(4, 0), nullptr);
    EXPECT_STREQ(homeTable->FindCell(4, 0)->text.GetText(), "2");
    EXPECT_STREQ(homeTable->FindCell(5, 0)->text.GetText(), "1");
    ASSERT_NE(awayTable->FindCell(5, 1), nullptr);
    EXPECT_STREQ(awayTable->FindCell(5, 1)->text.GetText(), "1");
}

TEST(MatchHudClock, TheTablesFollowFoulsBasketsAndChangesDuringPlay) {
    HudRig r;
    std::strcpy(r.match.home.GetPlayer(0)->name, "Cole Starter");
    std::strcpy(r.match.home.GetPlayer(6)->name, "Reed Sixth");
    r.Click(ID_HUD_PLAY);
    r.hud.FrameStep();
    auto* homeTable = static_cast<CGuiGridControl*>(r.Find(ID_BOX_HOME));
    auto* awayTable = static_cast<CGuiGridControl*>(r.Find(ID_BOX_AWAY));
    ASSERT_NE(homeTable->FindCell(5, 0), nullptr);
    EXPECT_STREQ(homeTable->FindCell(5, 0)->text.GetText(), "0");
    // Mid-quarter: a foul and a three, then the home side's first man goes to the bench. The
    // player's card shows them at once; so does the table, not at the next break.
    r.match.home.GetPlayer(0)->foulsCharged = 3;
    r.match.away.GetPlayer(2)->threePointersMade = 1;
    r.now += 1000;
    r.hud.FrameStep();
    EXPECT_EQ(r.hud.Quarter(), 1);
    EXPECT_STREQ(homeTable->FindCell(5, 0)->text.GetText(), "3");
    ASSERT_NE(awayTable->FindCell(4, 2), nullptr);
    EXPECT_STREQ(awayTable->FindCell(4, 2)->text.GetText(), "3");
    r.match.home.Substitute(100, 106);
    r.now += 1000;
    r.hud.FrameStep();
    EXPECT_NE(std::strstr(homeTable->FindCell(0, 0)->text.GetText(), "Reed Sixth"), nullptr)
        << homeTable->FindCell(0, 0)->text.GetText();
}

TEST(MatchHudClock, APlayersFoulsCountOverTheWholeMatchAcrossTheBreak) {
    HudRig r;
    r.match.home.GetPlayer(0)->personalFouls = 5;
    r.match.away.GetPlayer(1)->personalFouls = 6;
    r.match.away.GetPlayer(2)->personalFouls = 9;
    // On the bench too: his card and the table keep one count, and the sixth foul sends him off
    // whichever quarter it comes in.
    r.match.home.GetPlayer(6)->personalFouls = 4;
    r.match.home.GetPlayer(3)->position = Vec3(2.0f, 0.0f, -5.0f);
    r.hud.Play();
    r.hud.SetGameClock(719.0);
    r.Frame(1000);
    ASSERT_EQ(r.hud.Quarter(), 2);
    EXPECT_EQ(r.match.home.GetPlayer(0)->personalFouls, 5);
    EXPECT_EQ(r.match.away.GetPlayer(1)->personalFouls, 6);
    EXPECT_EQ(r.match.away.GetPlayer(2)->personalFouls, 9);
    EXPECT_EQ(r.match.home.GetPlayer(6)->personalFouls, 4);
    // Everybody on court turns to the centre spot.
    const Vec3 facing = r.match.home.GetPlayer(3)->facing;
    EXPECT_FLOAT_EQ(facing.x, -2.0f);
    EXPECT_FLOAT_EQ(facing.z, 6.0f);
}

TEST(MatchHudClock, TheFourthQuarterEndsTheMatchWithoutABreak) {
    HudRig r;
    r.rig.session.matchMode = 1;
    r.hud.Play();
    for (int quarter = 1; quarter <= 3; ++quarter) {
        r.hud.SetGameClock(719.0);
        r.Frame(1000);
        ASSERT_EQ(r.hud.Quarter(), quarter + 1);
        r.hud.Play();
    }
    EXPECT_EQ(r.Pending(ID_QUARTERBREAK, kMsgOpenOnTop), 3);
    r.match.homeScore = 81;
    r.match.awayScore = 78;
    r.hud.SetGameClock(719.0);
    r.Frame(1000);
    EXPECT_EQ(r.Pending(ID_QUARTERBREAK, kMsgOpenOnTop), 3);
    EXPECT_EQ(r.match.breaks, 3);
    // The last period ends the match's play as the breaks end theirs: a shot in the air is settled.
    EXPECT_EQ(r.match.finalWhistles, 1);
    // Back to waiting for the next tip-off.
    EXPECT_FALSE(r.hud.Started());
    EXPECT_EQ(r.hud.Quarter(), 1);
    EXPECT_EQ(r.hud.GameClock(), 0.0);
    EXPECT_FALSE(r.rig.shell.matchRunning);
    EXPECT_EQ(r.rig.session.matchMode, 0);
    ASSERT_EQ(r.crowd.stopped.size(), 1u);
    EXPECT_EQ(r.crowd.stopped[0], "ATMOSPHERE");
}

// The scripted sessions' seam: the final whistle holds the display paused with the final score
// until Play (or Fast) lets the end go on.
TEST(MatchHudClock, AHeldFinalWhistleWaitsForPlayBeforeTheMatchEnds) {
    for (bool fast : {false, true}) {
        HudRig r;
        r.rig.session.matchMode = 1;
        int ends = 0;
        int held = 0;
        r.hud.SetEndHandler([&ends] { ++ends; });
        r.hud.HoldFinalWhistle([&held] { ++held; });
        r.hud.Play();
        for (int quarter = 1; quarter <= 3; ++quarter) {
            r.hud.SetGameClock(719.0);
            r.Frame(1000);
            r.hud.Play();
        }
        r.match.homeScore = 81;
        r.match.awayScore = 78;
        r.hud.SetGameClock(719.0);
        r.Frame(1000);
        EXPECT_EQ(held, 1);
        EXPECT_EQ(ends, 0);
        // The held score is the final one: a shot in the air was settled at the whistle, once.
        EXPECT_EQ(r.match.finalWhistles, 1);
        EXPECT_TRUE(r.hud.FinalWhistleHeld());
        EXPECT_TRUE(r.hud.Paused());
        EXPECT_TRUE(r.match.paused);
        EXPECT_TRUE(r.rig.shell.matchRunning);
        EXPECT_EQ(r.hud.Quarter(), 4);
        r.Frame(1000);
        r.Frame(1000);
        EXPECT_EQ(held, 1) << "held once";
        EXPECT_EQ(ends, 0);
        fast ? r.Click(ID_HUD_FAST) : r.Click(ID_HUD_PLAY);
        EXPECT_EQ(ends, 1);
        EXPECT_FALSE(r.hud.FinalWhistleHeld());
        EXPECT_FALSE(r.hud.Started()) << "no tip-off for a match that is over";
        EXPECT_EQ(r.match.jumpBalls, 1);
        EXPECT_FALSE(r.rig.shell.matchRunning);
        EXPECT_EQ(r.rig.session.matchMode, 0);
        ASSERT_EQ(r.crowd.stopped.size(), 1u);
    }
}

TEST(MatchHudClock, ALevelScorePlaysFiveMinuteOvertimesUntilOneSideLeads) {
    HudRig r;
    r.rig.session.matchMode = 1;
    r.hud.Play();
    const int linesAtStart = r.hud.EventLineCount();
    r.match.homeScore = r.match.awayScore = 88;
    for (int quarter = 1; quarter <= 4; ++quarter) {
        r.hud.SetGameClock(719.0);
        r.Frame(1000);
        ASSERT_EQ(r.hud.Quarter(), quarter + 1) << "level after the fourth: overtime";
        ASSERT_TRUE(r.hud.Started());
        r.hud.Play();
    }
    // Every period's jump ball is announced once.
    EXPECT_EQ(r.hud.EventLineCount(), linesAtStart + 4);
    EXPECT_EQ(r.match.breaks, 4);
    // The overtime lasts five minutes; still level, another one follows.
    r.hud.SetGameClock(298.0);
    r.Frame(1000);
    EXPECT_EQ(r.hud.Quarter(), 5);
    r.Frame(1000);
    ASSERT_EQ(r.hud.Quarter(), 6);
    r.hud.Play();
    r.match.awayScore = 91;
    r.hud.SetGameClock(299.0);
    r.Frame(1000);
    EXPECT_FALSE(r.hud.Started()) << "a side leads: the match is over";
    EXPECT_EQ(r.match.breaks, 5);
    EXPECT_FALSE(r.rig.shell.matchRunning);
}

TEST(MatchHudClock, OneSecondAFrameAtMostAndFasterInFastMode) {
    HudRig r;
    r.hud.Play();
    r.Frame(9000); // a long frame
    EXPECT_EQ(r.hud.GameClock(), 1.0);
    r.Frame(600); // the rest of the long frame was dropped
    EXPECT_EQ(r.hud.GameClock(), 1.0);
    r.Click(ID_HUD_FAST);
    EXPECT_TRUE(r.hud.Fast());
    EXPECT_TRUE(r.match.fast);
    EXPECT_TRUE(r.rig.shell.fast);
    r.Frame(400);
    EXPECT_EQ(r.hud.GameClock(), 2.0);
    // Play while fast goes back to normal speed without stopping: 400 ms are 0.4 s of play again
    // (the 0.6 s left over from the long frame's second carry on).
    r.Click(ID_HUD_PLAY);
    EXPECT_FALSE(r.hud.Fast());
    EXPECT_FALSE(r.hud.Paused());
    r.Frame(200);
    EXPECT_EQ(r.hud.GameClock(), 2.0);
    r.Frame(200);
    EXPECT_EQ(r.hud.GameClock(), 3.0);
    r.Click(ID_HUD_PAUSE);
    EXPECT_TRUE(r.hud.Paused());
    EXPECT_TRUE(r.match.paused);
    r.Frame(3000);
    EXPECT_EQ(r.hud.GameClock(), 3.0);
}

TEST(MatchHudButtons, TheRunningSpeedsButtonLooksPressed) {
    HudRig r;
    auto state = [&r](int id) {
        auto* button = dynamic_cast<CGuiButton*>(r.Find(id));
        return button ? button->GetState() : -1;
    };
    r.Click(ID_HUD_PLAY);
    EXPECT_EQ(state(ID_HUD_PLAY), CGuiButton::kPressed);
    EXPECT_NE(state(ID_HUD_FAST), CGuiButton::kPressed);
    r.Click(ID_HUD_FAST);
    EXPECT_EQ(state(ID_HUD_FAST), CGuiButton::kPressed);
    EXPECT_NE(state(ID_HUD_PLAY), CGuiButton::kPressed);
    r.Click(ID_HUD_PAUSE);
    EXPECT_EQ(state(ID_HUD_PAUSE), CGuiButton::kPressed);
    EXPECT_NE(state(ID_HUD_FAST), CGuiButton::kPressed);
}

TEST(MatchHudClock, TheTickCountWrapsWithoutStoppingTheClock) {
    HudRig r;
    r.now = 0xFFFFFF00u;
    r.hud.Play();
    r.Frame(1000); // past the wrap
    EXPECT_EQ(r.hud.GameClock(), 1.0);
}

TEST(MatchHudClock, TheFirstPressOfFastStartsTheMatchAtNormalSpeed) {
    HudRig r;
    r.Click(ID_HUD_FAST);
    EXPECT_TRUE(r.hud.Started());
    EXPECT_FALSE(r.hud.Fast());
    EXPECT_FALSE(r.match.fast);
    EXPECT_EQ(r.match.jumpBalls, 1);
    r.Frame(400);
    EXPECT_EQ(r.hud.GameClock(), 0.0);
    r.Click(ID_HUD_FAST);
    EXPECT_TRUE(r.hud.Fast());
    EXPECT_EQ(r.match.jumpBalls, 1);
}

TEST(MatchHudClock, TheShotClockWaitsForInboundsAndTheFirstQuarterAndWrapsAt24) {
    // The label counts down the seconds left of the possession, as a shot clock does.
    HudRig r;
    r.hud.Play();
    r.match.quarter = 0; // the match's own quarter has not begun
    r.Frame(1000);
    EXPECT_STREQ(r.hud.ShotClockText().GetText(), "24");
    r.match.quarter = 1;
    r.match.inbound = true;
    r.Frame(1000);
    EXPECT_STREQ(r.hud.ShotClockText().GetText(), "24");
    r.match.inbound = false;
    r.match.positioningWait = true; // the game clock waits, the shot clock runs
    r.Frame(1000);
    EXPECT_EQ(r.hud.GameClock(), 2.0);
    EXPECT_STREQ(r.hud.ShotClockText().GetText(), "23");
    r.match.positioningWait = false;
    r.hud.SetShotClock(22.0);
    r.Frame(1000);
    EXPECT_STREQ(r.hud.ShotClockText().GetText(), "01");
    r.Frame(1000);
    EXPECT_STREQ(r.hud.ShotClockText().GetText(), "24");
    EXPECT_STREQ(r.Find(ID_HUD_SHOTCLOCK)->GetText().GetText(), "24");
}

TEST(MatchHudScore, EachSidesPointsUnderItsNameAndTheCrowdCheersEachChange) {
    HudRig r;
    r.hud.PlayCrowdReaction(10, 12);
    // The home name stands left of the score, the away name right of it.
    EXPECT_LT(r.Find(ID_HUD_HOME)->Rect().x, r.Find(ID_HUD_SCORE)->Rect().x);
    EXPECT_GT(r.Find(ID_HUD_AWAY)->Rect().x, r.Find(ID_HUD_SCORE)->Rect().x);
    EXPECT_STREQ(r.hud.ScoreText().GetText(), "010 - 012");
    EXPECT_STREQ(r.Find(ID_HUD_SCORE)->GetText().GetText(), "010 - 012");
    EXPECT_EQ(r.crowd.Count("WAAA_BELSO"), 2);
    r.hud.PlayCrowdReaction(10, 12);
    EXPECT_EQ(r.crowd.Count("WAAA_BELSO"), 2);
    r.hud.SetOutdoor(1);
    r.hud.PlayCrowdReaction(13, 12);
    EXPECT_EQ(r.crowd.Count("WAAA_KULSO"), 1);
    // Without a sound device nothing plays, and the scores are still taken in.
    r.hud.SetSound(nullptr, false);
    r.hud.PlayCrowdReaction(15, 12);
    r.hud.SetSound(&r.crowd);
    r.hud.PlayCrowdReaction(15, 12);
    EXPECT_EQ(r.crowd.Count("WAAA_KULSO"), 1);
}

TEST(MatchHudScore, TheAmbientCrowdLoopsIndoorsAndShoutsOnlyOnItsSecond) {
    // Over ten matches: the loop plays every second; a shout comes when the draw (30-129) hits the
    // running second, so only within those, at most once a second, and some matches have one.
    std::vector<int> shoutSeconds;
    for (unsigned seed = 1; seed <= 10; ++seed) {
        HudRig r;
        GameSrand(seed);
        r.hud.UpdateAtmosphere();
        EXPECT_EQ(r.crowd.Count("ATMOSPHERE"), 0); // not before the tip-off
        r.hud.Play();
        for (int s = 1; s <= 400; ++s) {
            r.now += 1000;
            const size_t before = r.crowd.played.size();
            r.hud.UpdateAtmosphere();
            const int extra = static_cast<int>(r.crowd.played.size() - before) - 1;
            ASSERT_GE(extra, 0) << s;
            ASSERT_LE(extra, 1) << s;
            if (extra == 1)
                shoutSeconds.push_back(s);
        }
        EXPECT_EQ(r.crowd.Count("ATMOSPHERE"), 400);
        // Outdoors the loop stays off.
        r.hud.SetOutdoor(1);
        r.hud.UpdateAtmosphere();
        EXPECT_EQ(r.crowd.Count("ATMOSPHERE"), 400);
    }
    EXPECT_GE(shoutSeconds.size(), 3u);
    for (int second : shoutSeconds) {
        EXPECT_GE(second, 30);
        EXPECT_LE(second, 129);
    }
}

TEST(MatchHudEvents, TheFirstLineLeavesTwoRowsAndTheNewestLineInView) {
    HudRig r;
    auto* grid = static_cast<CGuiGridControl*>(r.Find(ID_HUD_EVENTS));
    ASSERT_NE(grid, nullptr);
    r.hud.Play();
    EXPECT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(r.hud.EventLineCount(), 2);
    EXPECT_STREQ(grid->FindCell(0, 0)->text.GetText(), "<61000>Harbour Lions");
    EXPECT_EQ(grid->CellTextColour(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(r.Pending(ID_MATCHHUD, kMsgScrollDown), 1);
    for (int i = 0; i < 30; ++i)
        r.hud.ShowEventLine(MatchEventLine("Valley Bears", "Smith", CStr::Formatted("line %d", i)));
    EXPECT_EQ(grid->GetRowCount(), 32);
    EXPECT_STREQ(grid->FindCell(0, 30)->text.GetText(), "Valley Bears: Smith line 29");
    EXPECT_EQ(grid->ScrollPos(), grid->ScrollMax());
    EXPECT_STREQ(MatchEventLine("Valley Bears", "", "Tip-off").GetText(), "Valley Bears: Tip-off");
}

// A line wider than the list goes on in the rows below, as on the flat court: every row fits and
// nothing is cut to "...".
TEST(MatchHudEvents, ALongLineWrapsIntoRowsThatFit) {
    HudRig r;
    auto* grid = static_cast<CGuiGridControl*>(r.Find(ID_HUD_EVENTS));
    ASSERT_NE(grid, nullptr);
    r.hud.Play();
    // The list keeps one empty row below its lines: the lines are the cells before it.
    const int rows = grid->GetRowCount() - 1;
    const CStr text = MatchEventLine("Valley Bears", "Terrence Schneider",
                                     "misses a long three-point attempt from the corner after a pass out "
                                     "of the double team");
    r.hud.ShowEventLine(text);
    ASSERT_GT(grid->GetRowCount() - 1, rows + 1);
    EXPECT_EQ(r.hud.EventLineCount(), grid->GetRowCount());
    CStr joined;
    for (int row = rows; row < grid->GetRowCount() - 1; ++row) {
        ASSERT_NE(grid->FindCell(0, row), nullptr) << row;
        const CStr& piece = grid->FindCell(0, row)->text;
        EXPECT_LE(GuiBackend().TextWidth(grid->Font(), piece), grid->ColumnWidth(0) - 10) << piece.GetText();
        EXPECT_EQ(piece.Find("..."), -1) << piece.GetText();
        joined += row > rows ? " " : "";
        joined += piece;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(grid->ScrollPos(), grid->ScrollMax());
}

TEST(MatchHudCameras, FixedCamerasAndAnAutomaticOneThatNeedsCameras) {
    HudRig r;
    GameSrand(5);
    r.Click(ID_HUD_CAM2);
    ASSERT_EQ(r.match.cameraCalls.size(), 1u);
    EXPECT_EQ(r.match.cameraCalls[0], 1);
    r.Click(ID_HUD_CAMAUTO);
    EXPECT_EQ(r.hud.CameraMode(), 3);
    r.now += 7499;
    r.hud.UpdateAutoCamera();
    EXPECT_EQ(r.match.cameraCalls.size(), 1u);
    r.now += 1;
    r.hud.UpdateAutoCamera();
    ASSERT_EQ(r.match.cameraCalls.size(), 2u);
    EXPECT_GE(r.match.cameraCalls[1], 0);
    EXPECT_LT(r.match.cameraCalls[1], 3);
    // An arena without cameras keeps its view instead of dividing by zero.
    r.match.cameras = 0;
    r.now += 7500;
    r.hud.UpdateAutoCamera();
    EXPECT_EQ(r.match.cameraCalls.size(), 2u);
    // Without a match the buttons do nothing, but still take the click.
    r.hud.SetMatch(nullptr);
    r.Click(ID_HUD_CAM1);
    EXPECT_EQ(r.hud.CameraMode(), 3);
}

TEST(MatchHudButtons, TacticsPausesOpensTheWindowAndFillsTheUsersBoxScore) {
    HudRig r;
    r.match.home.GetPlayer(0)->stamina = 59.6f;
    std::strcpy(r.match.home.GetPlayer(0)->name, "Ortega");
    r.hud.Play();
    r.Click(ID_HUD_FAST);
    r.Click(ID_HUD_TACTICS);
    EXPECT_TRUE(r.hud.Paused());
    EXPECT_FALSE(r.hud.Fast());
    EXPECT_EQ(r.Pending(ID_TACTICS, kMsgOpenOnTop), 1);
    EXPECT_TRUE(r.rig.shell.overlays[static_cast<int>(Overlay::Tactics)]);
    auto* home = static_cast<CGuiGridControl*>(r.Find(ID_BOX_HOME));
    auto* bench = static_cast<CGuiGridControl*>(r.Find(ID_BOX_HOME_BENCH));
    EXPECT_STREQ(home->FindCell(0, 0)->text.GetText(), "Ortega");
    EXPECT_EQ(bench->GetRowCount(), 7);
    EXPECT_STREQ(bench->HeaderText(2).GetText(), "<200220>");
    EXPECT_EQ(static_cast<CGuiGridControl*>(r.Find(ID_BOX_AWAY))->CellCount(0), 0);

    // The coaching button leaves the clock running.
    r.Click(ID_HUD_PLAY);
    r.Click(ID_HUD_COACHING);
    EXPECT_FALSE(r.hud.Paused());
    EXPECT_EQ(r.Pending(ID_SUBSTITUTION, kMsgOpenOnTop), 1);
    EXPECT_TRUE(r.rig.shell.overlays[static_cast<int>(Overlay::Coaching)]);
}

// The live panel and the box score under it show one stamina at one moment, whatever its
// fraction: 58.5 reads 59 on both, 59.4 reads 59 and 0.5 reads 1.
TEST(MatchHudStatistics, ThePanelAndTheBoxScoreShowOneStaminaAtOneMoment) {
    HudRig r;
    const float staminas[] = {58.5f, 59.4f, 59.6f, 0.5f, 99.5f};
    for (int i = 0; i < 5; ++i)
        r.match.home.GetPlayer(i)->stamina = staminas[i];
    r.hud.SetStatisticsTeam(&r.match.home);
    r.hud.UpdateStatsPanel();
    r.hud.UpdateBoxScores();
    const int panels[5] = {ID_HUD_PANEL1, ID_HUD_PANEL2, ID_HUD_PANEL3, ID_HUD_PANEL4, ID_HUD_PANEL5};
    const char* shown[5] = {"59", "59", "60", "1", "100"};
    auto* box = r.Find(ID_BOX_HOME);
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(r.Find(panels[i])->FindCell(1, 1)->text.GetText(), shown[i]) << staminas[i];
        EXPECT_STREQ(box->FindCell(2, i)->text.GetText(), shown[i]) << staminas[i];
    }
    // Play runs on and nobody scores: the stamina drops on the panel and in the table alike, and
    // the bench the user scrolled stays where he left it.
    CGuiElement* bench = r.Find(ID_BOX_HOME_BENCH);
    bench->ScrollTo(2);
    const int scrolled = bench->ScrollPos();
    r.match.home.GetPlayer(0)->stamina = 57.4f;
    r.hud.UpdateStatsPanel();
    r.hud.UpdateBoxScores();
    EXPECT_STREQ(r.Find(ID_HUD_PANEL1)->FindCell(1, 1)->text.GetText(), "57");
    EXPECT_STREQ(box->FindCell(2, 0)->text.GetText(), "57");
    EXPECT_EQ(bench->ScrollPos(), scrolled);
}

TEST(MatchHudStatistics, LivePanelsShowTheStatisticsTeamAndEmptyWithoutOne) {
    HudRig r;
    auto* first = static_cast<CGuiGridControl*>(r.Find(ID_HUD_PANEL1));
    auto* last = static_cast<CGuiGridControl*>(r.Find(ID_HUD_PANEL5));
    r.hud.UpdateStatsPanel(); // no statistics team yet
    EXPECT_EQ(first->GetRowCount(), 5);
    EXPECT_EQ(first->CellCount(0), 0);

    CCourtPlayer& p = *r.match.home.GetPlayer(0);
    std::strcpy(p.name, "Ortega");
    p.stamina = 59.6f;
    p.attributes[0] = 71;
    p.pointsFromTwos = 8;
    p.pointsFromThrees = 6;
    p.pointsFromFreeThrows = 3;
    p.personalFouls = 2;
    r.hud.SetStatisticsTeam(&r.match.home);
    r.hud.UpdateStatsPanel();
    const char* expected[5][2] = {
        {"Ortega", ""}, {"<70101>", "60"}, {"<70102>", "71"}, {"<200222>", "17"}, {"<61001>", "2"}};
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 2; ++col)
            EXPECT_STREQ(first->FindCell(col, row)->text.GetText(), expected[row][col]) << row << col;
    EXPECT_EQ(last->CellCount(0), 5);

    // A frame with nothing new leaves the panel as it is; the next figure shows at once.
    r.hud.UpdateStatsPanel();
    EXPECT_STREQ(first->FindCell(1, 3)->text.GetText(), "17");
    p.pointsFromTwos = 10;
    p.stamina = 58.4f;
    r.hud.UpdateStatsPanel();
    EXPECT_STREQ(first->FindCell(1, 3)->text.GetText(), "19");
    EXPECT_STREQ(first->FindCell(1, 1)->text.GetText(), "58");
    p.injured = 1;
    r.hud.UpdateStatsPanel();
    EXPECT_STREQ(first->FindCell(0, 0)->text.GetText(), "Ortega<100356>");

    // A side short of five players leaves the missing panels empty, not stale.
    CMatchTeam small;
    for (int i = 0; i < 3; ++i)
        small.AddPlayer(CCourtPlayer());
    r.hud.SetStatisticsTeam(&small);
    r.hud.UpdateStatsPanel();
    EXPECT_EQ(first->CellCount(0), 5);
    EXPECT_EQ(last->CellCount(0), 0);
    r.hud.SetStatisticsTeam(static_cast<CMatchTeam*>(nullptr));
    r.hud.UpdateStatsPanel();
    EXPECT_EQ(first->CellCount(0), 0);
}

TEST(MatchHudLayout, EveryElementSitsInsideTheScreenAndTheCaptionsAreSet) {
    HudRig r;
    CGuiElement* root = r.Find(ID_MATCHHUD);
    ASSERT_NE(root, nullptr);
    for (int id : {ID_HUD_CAM1,      ID_HUD_CAM2,       ID_HUD_CAM3,      ID_HUD_CAMAUTO,     ID_HUD_SCORE,
                   ID_HUD_HOME,      ID_HUD_AWAY,       ID_HUD_CAP_SHOT,  ID_HUD_CAP_QUARTER, ID_HUD_CAP_TIME,
                   ID_HUD_SHOTCLOCK, ID_HUD_QUARTER,    ID_HUD_CLOCK,     ID_HUD_EVENTS,      ID_HUD_TACTICS,
                   ID_HUD_PLAY,      ID_HUD_FAST,       ID_HUD_PAUSE,     ID_HUD_PANEL1,      ID_HUD_PANEL2,
                   ID_HUD_PANEL3,    ID_HUD_PANEL4,     ID_HUD_PANEL5,    ID_HUD_COACHING,    ID_BOX_AWAY,
                   ID_BOX_HOME,      ID_BOX_HOME_BENCH, ID_BOX_AWAY_BENCH}) {
        CGuiElement* e = root->FindChild(id);
        ASSERT_NE(e, nullptr) << id;
        const ElementDesc& d = e->Desc();
        EXPECT_TRUE(d.x >= 0 && d.y >= 0 && d.x + d.w <= 1024 && d.y + d.h <= 768) << id;
    }
    // No two named elements of the display overlap.
    std::vector<const CGuiElement*> named;
    for (const auto& child : root->Children())
        if (child->GetId() >= 0)
            named.push_back(child.get());
    for (size_t i = 0; i < named.size(); ++i)
        for (size_t j = i + 1; j < named.size(); ++j) {
            const ElementDesc& a = named[i]->Desc();
            const ElementDesc& b = named[j]->Desc();
            const bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
            EXPECT_TRUE(apart) << named[i]->GetId() << " overlaps " << named[j]->GetId();
        }
    EXPECT_STREQ(r.Find(ID_HUD_CAP_QUARTER)->GetText().GetText(), "<60040>");
    EXPECT_STREQ(r.Find(ID_HUD_TACTICS)->GetText().GetText(), "<200163>");
    EXPECT_STREQ(r.Find(ID_HUD_HOME)->GetText().GetText(), "Harbour Lions");
}

TEST(MatchHudSounds, EveryCrowdAndBallTagHasItsSoundFile) {
    std::string text;
    ASSERT_TRUE(ReadWholeFile("\\sounds\\sounds.txt", text));
    for (const char* tag : {"ATMOSPHERE",  "WAAA_BELSO",
                            "AHH_BELSO",   "FUJJ",
                            "SZURK_BELSO", "DAD1",
                            "DAD2",        "DAD3",
                            "DAD4",        "DAD5",
                            "DAD6",        "DAD7",
                            "DAD8",        "DAD9",
                            "DAD10",       "DAD11",
                            "DAD12",       "WAAA_KULSO",
                            "OOH_KULSO",   "SZURK_KULSO",
                            "BRAVO_KULSO", "BRAVO_KULSO_SHORT",
                            "LABDA",       "LABDA_HALO",
                            "LABDA_PALANK"}) {
        const std::string key = std::string("\n") + tag + " ";
        const size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos) << tag;
        const size_t from = at + key.size();
        const std::string file = text.substr(from, text.find(' ', from) - from);
        std::string wav;
        EXPECT_TRUE(ReadWholeFile(file.c_str(), wav) && wav.size() > 1000) << tag << " " << file;
    }
}

// The day's incidents give the time a player was hurt: the game clock of the step that hurt him,
// counted from the tip-off over the quarters already played, kept from the first step that saw it.
TEST(MatchHudClock, AHurtPlayerIsDatedByTheMatchClockOnce) {
    HudRig r;
    r.hud.Play();
    for (int quarter = 1; quarter <= 2; ++quarter) {
        r.hud.SetGameClock(719.0);
        r.Frame(1000);
        r.hud.Play();
    }
    ASSERT_EQ(r.hud.Quarter(), 3);
    r.hud.SetGameClock(125.0);
    CCourtPlayer* hurt = r.match.away.GetPlayer(2);
    CCourtPlayer* fit = r.match.home.GetPlayer(0);
    hurt->injured = 1;
    r.Frame(1000);
    EXPECT_EQ(hurt->injuredAtSecond, 2 * 720 + 125);
    EXPECT_EQ(fit->injuredAtSecond, -1);
    r.Frame(1000);
    EXPECT_EQ(hurt->injuredAtSecond, 2 * 720 + 125) << "dated once";
    // On the bench nobody gets hurt: only the five on court are looked at.
    r.match.away.GetPlayer(7)->injured = 1;
    r.Frame(1000);
    EXPECT_EQ(r.match.away.GetPlayer(7)->injuredAtSecond, -1);
}
