// The match centre of the flat-court match on the shipped layout: the court mapping, the tables, the
// buttons and the recording of a finished match, and a watched match against the same match run at
// once.
#include "screens/match/MatchDayScreen.h"
#include "engine/GameRand.h"
#include "gui/Button.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "guidefines.h"
#include "match/Formation.h"
#include "match2d/Match2D.h"
#include "screens/FormatFigures.h"
#include "screens/match/CommentaryPopup.h"
#include "screens/match/MatchHud.h"
#include "screens/match/TacticsScreen.h"

#include "FakeDayShell.h"
#include "ScreenTestKit.h"
#include "screens/info/DayController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using screentest::MatchScreenRig;

constexpr uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(b) << 24) | (static_cast<uint32_t>(g) << 16) |
           (static_cast<uint32_t>(r) << 8) | 0xFFu;
}

class Crowd : public IHudSound {
public:
    void Play(const char* tag) override { played.emplace_back(tag); }
    void Stop(const char* tag) override { stopped.emplace_back(tag); }
    std::vector<std::string> played;
    std::vector<std::string> stopped;
};

// A rig with the match centre on its own engine: the user's club at home against the world's first.
struct CentreRig {
    MatchScreenRig rig;
    CMatch2D match;
    std::unique_ptr<CMatchDayScreen> centre;
    Crowd crowd;
    CTeam* home = nullptr;
    CTeam* away = nullptr;

    explicit CentreRig(int squad = 12) : rig(squad) {
        EXPECT_TRUE(match.LoadTactics("\\ini\\InitData.xml"));
        centre = std::make_unique<CMatchDayScreen>(rig.ctx);
        centre->SetMatch(&match);
        centre->SetSound(&crowd);
        rig.screens[ScreenRole::MatchCentre] = centre.get();
        // The engine tells the screen as the running game's hooks do.
        match.hooks.text = [this](int id) { return rig.ctx.Text(id); };
        match.hooks.commentary = [this](const CStr& text, const CStr& name, bool homeSide) {
            centre->AddCommentary(text, name, homeSide);
        };
        match.hooks.leavePopup = [this](const CStr& name, int reason) {
            centre->ShowInfoPopup(name, reason != 0);
        };
        match.hooks.quarterBreak = [this] { centre->OnQuarterBreak(); };
        home = rig.Club();
        away = rig.session.worldDB->teams.At(0);
    }
    void Setup(bool instant) {
        ASSERT_TRUE(SetupMatch2D(match, home, away, true, instant));
        centre->SetupMatch(home, away);
    }
    CGuiElement* Find(int id) const { return rig.ctx.Find(ID_MATCHCENTRE)->FindChild(id); }
    void Click(int id) {
        GuiMessage m{id, -1, kMsgClick, 0, 0, 0};
        centre->OnMessage(m);
    }
    // Fast play through every stop, a substitute for a player who must leave.
    void Watch() {
        for (int frame = 0; frame < 100000 && match.quarter < 5; ++frame) {
            if (!centre->Running()) {
                CMatch2DTeam* side = match.GetHomeTeam();
                for (int i = 0; i < kCourtPlayers; ++i) {
                    CMatch2DPlayer* p = side->GetPlayer(i);
                    if (p->mustLeave == 0 && p->Fouls() < 6)
                        continue;
                    for (int j = kCourtPlayers; j < side->PlayerCount(); ++j)
                        if (side->GetPlayer(j)->mustLeave == 0 && side->GetPlayer(j)->Fouls() < 6) {
                            centre->Substitute2D(p->id, side->GetPlayer(j)->id);
                            break;
                        }
                }
                Click(ID_CENTRE_FAST);
            }
            centre->FrameStep();
        }
        centre->FrameStep();
    }
};

int Points(const CPlayerStat& s) {
    // Dunks, other two-pointers, threes and free throws as the record keeps them.
    return 2 * s.Field(13) + 2 * s.Field(15) + 3 * s.Field(17) + s.Field(21);
}

} // namespace

TEST(MatchDayCourt, CourtPointsMapToTheirPixels) {
    int left = 0, top = 0;
    // Court picture at (352, 100), 320 x 620; markers 24 x 24.
    CourtToPixel(352, 100, 320, 620, 24, 24, Vec3(0.0f, 3.0f, 0.0f), left, top);
    EXPECT_EQ(left, 352 + 160 - 12);
    EXPECT_EQ(top, 100 + 310 - 12);
    CourtToPixel(352, 100, 320, 620, 24, 24, Vec3(14.0f, 0.0f, 7.0f), left, top);
    EXPECT_EQ(left, 352 + 160 - 12 + 280);
    EXPECT_EQ(top, 100 + 310 - 12 + 147);
    // Truncation toward zero.
    CourtToPixel(352, 100, 320, 620, 24, 24, Vec3(-0.99f, 0.0f, -0.99f), left, top);
    EXPECT_EQ(left, 352 + 160 - 12 - 19);
    EXPECT_EQ(top, 100 + 310 - 12 - 20);
    // Odd sizes halve toward zero as well.
    CourtToPixel(0, 0, 101, 51, 13, 13, Vec3(), left, top);
    EXPECT_EQ(left, 50 - 6);
    EXPECT_EQ(top, 25 - 6);
}

TEST(MatchDayCourt, PercentagesAndFoulColours) {
    // The centre's shares read as every screen's: two decimals, the caption says "%".
    EXPECT_STREQ(RateText(0, 3).GetText(), "0.00");
    EXPECT_STREQ(RateText(0, 0).GetText(), "0.00");
    EXPECT_STREQ(RateText(1, 3).GetText(), "33.33");
    EXPECT_STREQ(RateText(459, 1000).GetText(), "45.90");
    EXPECT_EQ(FoulColour(0), Rgb(0, 255, 0));
    EXPECT_EQ(FoulColour(3), Rgb(252, 255, 0));
    EXPECT_EQ(FoulColour(4), Rgb(255, 87, 0));
    EXPECT_EQ(FoulColour(6), Rgb(255, 2, 0));
    // Seven and more fouls stay red instead of wrapping round the colour byte.
    EXPECT_EQ(FoulColour(7), Rgb(255, 0, 0));
    EXPECT_EQ(FoulColour(12), Rgb(255, 0, 0));
}

TEST(MatchDayCourt, MarkersFollowThePlayersAndOnlyTheBallHolderIsHighlighted) {
    CentreRig r;
    r.Setup(false);
    CMatch2DPlayer* holder = r.match.GetHomeTeam()->GetPlayer(2);
    for (int i = 0; i < 5; ++i) {
        r.match.GetHomeTeam()->GetPlayer(i)->hasBall = 0;
        r.match.GetAwayTeam()->GetPlayer(i)->hasBall = 0;
    }
    holder->hasBall = 1;
    holder->position = Vec3(14.0f, 0.0f, 7.0f);
    r.match.ball->position = Vec3(0.0f, 0.0f, 0.0f);
    r.centre->PlaceCourtMarkers();
    const ElementDesc& court = r.Find(ID_CENTRE_COURT)->Desc();
    CGuiElement* marker = r.Find(ID_CENTRE_HOME_MARKER3);
    EXPECT_EQ(marker->Desc().x + marker->Desc().w / 2, court.x + court.w / 2 + 280);
    EXPECT_EQ(marker->Desc().y + marker->Desc().h / 2, court.y + court.h / 2 + 147);
    EXPECT_EQ(marker->Rect().x, marker->Desc().x);
    int highlighted = 0;
    for (int id = ID_CENTRE_AWAY_MARKER1; id <= ID_CENTRE_HOME_MARKER5; ++id)
        highlighted += r.Find(id)->IsEnabled() ? 0 : 1;
    EXPECT_EQ(highlighted, 1);
    EXPECT_FALSE(marker->IsEnabled());
    EXPECT_TRUE(r.Find(ID_CENTRE_BALL)->IsEnabled());
    EXPECT_FALSE(r.Find(ID_CENTRE_BALL)->IsActive());
    EXPECT_FALSE(marker->IsActive());
}

TEST(MatchDayCourt, TablesShowTheBoxScoresAndTheComparison) {
    CentreRig r(7);
    r.Setup(false);
    CMatch2DTeam& home = *r.match.GetHomeTeam();
    home.GetPlayer(0)->energy = 10.0f;
    home.GetPlayer(1)->energy = 60.0f;
    home.GetPlayer(2)->energy = 9.9f;
    home.GetPlayer(3)->mustLeave = 1;
    home.GetPlayer(4)->Counter(kStatThreesMade) = 2;
    home.GetPlayer(4)->Counter(kStatFieldGoalsMade) = 3;
    home.GetPlayer(4)->Counter(kStatDunksMade) = 1;
    home.GetPlayer(4)->Counter(kStatFreeThrowsMade) = 4;
    home.GetPlayer(4)->Counter(kStatThreesTaken) = 3;
    home.GetPlayer(4)->defenceFouls = 4;
    r.match.GetAwayTeam()->GetPlayer(0)->Counter(kStatThreesTaken) = 5;
    r.centre->FillHostBoxScore();
    r.centre->FillVisitorBoxScore();
    r.centre->FillTeamStats();

    CGuiElement* first = r.Find(ID_CENTRE_BOX_HOME);
    CGuiElement* bench = r.Find(ID_CENTRE_BOX_HOME_BENCH);
    EXPECT_EQ(first->GetRowCount(), 5);
    EXPECT_EQ(bench->GetRowCount(), 2); // seven players
    EXPECT_EQ(first->FindCell(2, 0)->colour, Rgb(255, 255, 0));
    EXPECT_EQ(first->FindCell(2, 1)->colour, Rgb(0, 255, 0));
    EXPECT_EQ(first->FindCell(2, 2)->colour, Rgb(255, 0, 0));
    EXPECT_EQ(first->FindCell(0, 3)->colour, Rgb(255, 0, 0)); // must leave: name in red
    EXPECT_EQ(first->FindCell(0, 4)->colour, 0xFFFFFFFFu);
    EXPECT_STREQ(first->FindCell(4, 4)->text.GetText(), "16");
    EXPECT_STREQ(first->FindCell(5, 4)->text.GetText(), "4");
    EXPECT_EQ(first->FindCell(5, 4)->colour, Rgb(255, 87, 0));
    EXPECT_EQ(bench->FindCell(0, 1)->data, 6);

    CGuiElement* comparison = r.Find(ID_CENTRE_COMPARISON);
    ASSERT_EQ(comparison->GetRowCount(), 13);
    EXPECT_STREQ(comparison->FindCell(2, 11)->text.GetText(), "2");
    EXPECT_STREQ(comparison->FindCell(2, 12)->text.GetText(), "66.67");
    EXPECT_STREQ(comparison->FindCell(3, 12)->text.GetText(), "0.00"); // five attempts, none made
    EXPECT_EQ(comparison->FindCell(2, 6)->data, 6);
    EXPECT_EQ(comparison->FindCell(2, 5)->data, 0);
}

TEST(MatchDayCourt, PlayPauseAndTheTipOffLine) {
    CentreRig r;
    r.Setup(false);
    EXPECT_FALSE(r.Find(ID_CENTRE_FINISH)->IsEnabled());
    EXPECT_FALSE(r.Find(ID_CENTRE_PAUSE)->IsEnabled());
    r.Click(ID_CENTRE_PLAY);
    r.Click(ID_CENTRE_PLAY);
    EXPECT_EQ(r.centre->CommentaryCount(), 1); // the tip-off line once
    // It names the home club once.
    const CStr tipOff = r.Find(ID_CENTRE_COMMENTARY)->FindCell(0, 0)->text;
    const int first = tipOff.Find(r.home->name);
    EXPECT_GE(first, 0) << tipOff.GetText();
    EXPECT_EQ(tipOff.Find(r.home->name, first + 1), -1) << tipOff.GetText();
    EXPECT_TRUE(r.centre->Running());
    EXPECT_EQ(r.match.ticksPerFrame, CMatchDayScreen::kPlayTicks);
    EXPECT_FALSE(r.Find(ID_CENTRE_TACTICS)->IsEnabled());
    r.centre->FrameStep();
    EXPECT_TRUE(r.centre->AtmospherePlaying());
    EXPECT_EQ(std::count(r.crowd.played.begin(), r.crowd.played.end(), "ATMOSPHERE"), 1);
    r.centre->FrameStep();
    EXPECT_EQ(std::count(r.crowd.played.begin(), r.crowd.played.end(), "ATMOSPHERE"), 1);
    // The running speed's button looks lit, not greyed, as on the 3D display.
    auto state = [&r](int id) { return static_cast<CGuiButton*>(r.Find(id))->GetState(); };
    EXPECT_EQ(state(ID_CENTRE_PLAY), CGuiButton::kPressed);
    EXPECT_NE(state(ID_CENTRE_FAST), CGuiButton::kPressed);
    r.Click(ID_CENTRE_FAST);
    EXPECT_EQ(r.match.ticksPerFrame, CMatchDayScreen::kFastTicks);
    EXPECT_TRUE(r.Find(ID_CENTRE_PLAY)->IsEnabled());
    EXPECT_FALSE(r.Find(ID_CENTRE_FAST)->IsEnabled());
    EXPECT_EQ(state(ID_CENTRE_FAST), CGuiButton::kPressed);
    EXPECT_NE(state(ID_CENTRE_PLAY), CGuiButton::kPressed);
    r.Click(ID_CENTRE_PAUSE);
    EXPECT_NE(state(ID_CENTRE_FAST), CGuiButton::kPressed);
    EXPECT_NE(state(ID_CENTRE_PLAY), CGuiButton::kPressed);
    EXPECT_FALSE(r.centre->Running());
    EXPECT_EQ(r.match.paused, 1);
    const float minutes = r.match.minutes, seconds = r.match.seconds;
    r.centre->FrameStep();
    EXPECT_EQ(r.match.minutes, minutes);
    EXPECT_EQ(r.match.seconds, seconds);

    // A player who must leave: the match stops and the next play gives the tip-off line again.
    r.centre->ShowInfoPopup("Webb", true);
    EXPECT_TRUE(r.rig.shell.overlays[static_cast<int>(Overlay::Popup)]);
    EXPECT_STREQ(r.rig.ctx.Find(ID_MATCH_POPUP_TEXT)->GetText().GetText(), "Webb <100205>");
    EXPECT_TRUE(r.centre->ForcedSubstitution());
    r.Click(ID_CENTRE_PLAY);
    EXPECT_EQ(r.centre->CommentaryCount(), 2);
}

// The scripted window sessions watch a whole match in a minute or two: the shell's clock scale
// multiplies both speeds (the match itself stops a frame's run at every break or message).
TEST(MatchDayCourt, TheShellsClockScaleMultipliesBothSpeeds) {
    CentreRig r;
    r.rig.shell.clockScale = 4;
    r.Setup(false);
    r.Click(ID_CENTRE_PLAY);
    EXPECT_EQ(r.match.ticksPerFrame, 4 * CMatchDayScreen::kPlayTicks);
    r.Click(ID_CENTRE_FAST);
    EXPECT_EQ(r.match.ticksPerFrame, 4 * CMatchDayScreen::kFastTicks);
}

TEST(MatchDayCourt, TimeOutsStopAtSevenButTheTacticsWindowAlwaysTakesItsMessages) {
    CentreRig r;
    r.Setup(false);
    CMatch2DTeam& user = *r.match.GetHomeTeam();
    for (int i = 0; i < 9; ++i) {
        r.rig.shell.overlays[static_cast<int>(Overlay::Tactics)] = false;
        r.Click(ID_CENTRE_TACTICS);
        EXPECT_TRUE(r.rig.shell.overlays[static_cast<int>(Overlay::Tactics)]) << "opening " << i;
    }
    EXPECT_EQ(user.timeOuts, CMatchDayScreen::kMaxTimeOuts);
    EXPECT_STREQ(r.Find(ID_CENTRE_COMPARISON)->FindCell(2, 1)->text.GetText(), "7");
    // A forced substitution makes the next opening free.
    user.timeOuts = 3;
    r.centre->ShowInfoPopup("Webb", false);
    r.Click(ID_CENTRE_TACTICS);
    EXPECT_EQ(user.timeOuts, 3);
    EXPECT_FALSE(r.centre->ForcedSubstitution());
    r.Click(ID_CENTRE_TACTICS);
    EXPECT_EQ(user.timeOuts, 4);
}

TEST(MatchDayCourt, AnInstantRunRecordsEachClubAndPlayerOnce) {
    CentreRig r;
    GameSrand(21);
    r.Setup(true);
    r.match.ticksPerFrame = kInstantTicksPerFrame;
    r.centre->ShowSpeedButtons(false);
    r.centre->Update();
    ASSERT_TRUE(r.match.IsOver());
    EXPECT_EQ(r.centre->CommentaryCount(), 0); // nobody watches an instant run
    EXPECT_TRUE(r.crowd.played.empty());
    CMemoryDB& career = *r.rig.session.careerDB;
    CMemoryDB& world = *r.rig.session.worldDB;
    const int careerStats = career.playerStats.Size();
    const int worldStats = world.playerStats.Size();
    std::vector<int32_t> chosenFive;
    for (const CPlayer* player : r.home->players)
        chosenFive.push_back(player->words[kWordMatchState]);
    // A substitution in the match: the user's starting five for the next match stays as chosen.
    CMatch2DTeam& userSide = *r.match.GetHomeTeam();
    ASSERT_TRUE(userSide.userTeam != 0);
    ASSERT_GT(userSide.PlayerCount(), 5);
    userSide.Substitute(userSide.GetPlayer(0)->id, userSide.GetPlayer(5)->id);
    r.centre->RecordMatch(r.home, r.away);
    r.centre->RecordMatch(r.home, r.away); // a second call records nothing

    // The user's club's records in the career, the other's in the world.
    ASSERT_EQ(career.matchStats.Size(), 1);
    ASSERT_EQ(world.matchStats.Size(), 1);
    const CMatchStat& homeStat = *career.matchStats.At(0);
    const CMatchStat& awayStat = *world.matchStats.At(0);
    EXPECT_EQ(homeStat.Field(9), r.match.GetHomeTeam()->score);
    // The centre's "Turnovers" row reads what the records book.
    r.centre->FillTeamStats();
    CGuiElement* comparison = r.Find(ID_CENTRE_COMPARISON);
    EXPECT_EQ(comparison->FindCell(2, 6)->text.Std(), std::to_string(homeStat.PassesFailed()));
    EXPECT_EQ(comparison->FindCell(3, 6)->text.Std(), std::to_string(awayStat.PassesFailed()));
    EXPECT_GT(homeStat.PassesFailed() + awayStat.PassesFailed(), 6)
        << "a whole match loses more balls than that";
    EXPECT_EQ(homeStat.Field(10), r.match.GetAwayTeam()->score);
    EXPECT_EQ(awayStat.Field(9), r.match.GetAwayTeam()->score);
    EXPECT_EQ(homeStat.Field(5), 0);
    EXPECT_EQ(awayStat.Field(5), 1);
    EXPECT_EQ(homeStat.Field(3), r.home->id);
    EXPECT_EQ(homeStat.Field(4), r.away->id);
    EXPECT_EQ(r.home->matchStats.back(), &homeStat);

    EXPECT_EQ(career.playerStats.Size() - careerStats, static_cast<int>(r.home->players.size()));
    EXPECT_EQ(world.playerStats.Size() - worldStats, static_cast<int>(r.away->players.size()));
    int homePoints = 0;
    int startersAfter = 0;
    size_t squadIndex = 0;
    for (const CPlayer* player : r.home->players) {
        const int32_t chosenState = chosenFive[squadIndex++];
        ASSERT_FALSE(player->stats.empty());
        const CPlayerStat& s = *player->stats.back();
        EXPECT_EQ(s.Field(10), Points(s));
        EXPECT_EQ(s.Field(11), 1);
        EXPECT_EQ(s.Field(30), s.Field(22) + s.Field(23));
        EXPECT_EQ(s.Field(2), r.rig.session.currentDate.year);
        homePoints += s.Field(10);
        int index = 0;
        const CMatch2DPlayer* p = r.match.GetHomeTeam()->FindById(player->id, index);
        ASSERT_NE(p, nullptr);
        // A fit starter keeps his place; one hurt in the match makes way for the bench.
        if (chosenState == kOnCourt && player->words[kWordInjured] == 0) {
            EXPECT_EQ(player->words[kWordMatchState], kOnCourt) << player->name.GetText();
        }
        if (player->words[kWordInjured] != 0) {
            EXPECT_EQ(player->words[kWordMatchState], kOnBench) << player->name.GetText();
        }
        startersAfter += player->words[kWordMatchState] == kOnCourt ? 1 : 0;
        // Hurt, he is out for days; one only worn out left the court but is fit again.
        EXPECT_EQ(player->words[kWordInjured], p->hurt != 0 ? 1 : 0);
        EXPECT_EQ(player->words[kWordDaysOut], p->hurt != 0 ? 10 : 0);
    }
    EXPECT_EQ(startersAfter, 5) << "the next match starts with five";
    if (!r.match.forfeited) {
        EXPECT_EQ(homePoints, r.match.GetHomeTeam()->score);
    }
}

// The day's field-goal list holds a flat-court player's baskets once each: the engine's field goals
// hold his dunks, which are reported as close shots (a dunk counted four points among the day's
// field goals and towards the top scorer).
TEST(MatchDayCourt, ADunkReachesTheDaysFieldGoalsOnce) {
    CentreRig r;
    GameSrand(21);
    r.Setup(true);
    r.match.ticksPerFrame = kInstantTicksPerFrame;
    r.centre->ShowSpeedButtons(false);
    r.centre->Update();
    ASSERT_TRUE(r.match.IsOver());
    std::unique_ptr<CMemoryDB> none;
    daytest::FakeDayShell host(none, none);
    host.date = r.rig.session.currentDate;
    CDayController day(host.session, &host, &host, r.rig.session.fixtureList);
    r.rig.screens[ScreenRole::DayController] = &day;
    CMatch2DPlayer& dunker = *r.match.GetHomeTeam()->GetPlayer(0);
    dunker.Counter(kStatFieldGoalsMade) = 3; // one of them a dunk
    dunker.Counter(kStatDunksMade) = 1;
    dunker.Counter(kStatThreesMade) = 0;
    r.centre->RecordMatch(r.home, r.away);
    int twoPoints = -1;
    for (const MatchDayEntry& entry : day.DayResults().List(CDayResults::kFieldGoals))
        if (entry.playerName == dunker.name && entry.teamName == r.match.GetHomeTeam()->name)
            twoPoints = entry.value;
    EXPECT_EQ(twoPoints, 6) << "three baskets of two points";
}

// The day panel's "Best defender" counted a quick result's blocks but the user's match's balls won
// (steals and blocks together, the steals counted again in their own list): his defenders led the
// day on the steals alone. Every engine now reports a defender's blocks (the 3D match's recorder:
// Match3DRecord.TheBestDefenderIsCountedByHisBlocks).
TEST(MatchDayCourt, TheBestDefenderCountsBlocksInEveryEngine) {
    CentreRig r;
    GameSrand(21);
    r.Setup(true);
    r.match.ticksPerFrame = kInstantTicksPerFrame;
    r.centre->ShowSpeedButtons(false);
    r.centre->Update();
    ASSERT_TRUE(r.match.IsOver());
    std::unique_ptr<CMemoryDB> none;
    daytest::FakeDayShell host(none, none);
    host.date = r.rig.session.currentDate;
    CDayController day(host.session, &host, &host, r.rig.session.fixtureList);
    r.rig.screens[ScreenRole::DayController] = &day;
    CMatch2DPlayer& defender = *r.match.GetAwayTeam()->GetPlayer(0);
    defender.Counter(kStatBlocks) = 2;
    defender.Counter(kStatSteals) = 3;
    defender.ballsWon = 5;
    r.centre->RecordMatch(r.home, r.away);
    int listed = -1;
    for (const MatchDayEntry& entry : day.DayResults().List(CDayResults::kDefence))
        if (entry.playerName == defender.name && entry.teamName == r.match.GetAwayTeam()->name)
            listed = entry.value;
    EXPECT_EQ(listed, 2) << "the flat court's defender by his blocks";
}

TEST(MatchDayCourt, APlayerOutsideTheMatchKeepsHisRecord) {
    CentreRig r(16); // one more than a match squad holds
    r.Setup(true);
    r.match.ticksPerFrame = kInstantTicksPerFrame;
    r.centre->ShowSpeedButtons(false);
    r.centre->Update();
    CPlayer* left = r.home->players.back();
    left->words[kWordInjured] = 1;
    left->words[kWordDaysOut] = 4;
    r.centre->RecordMatch(r.home, r.away);
    EXPECT_TRUE(left->stats.empty());
    EXPECT_EQ(left->words[kWordDaysOut], 4);
    EXPECT_EQ(r.rig.session.careerDB->playerStats.Size(), 15);
}

TEST(MatchDayCourt, TheFinishButtonRecordsOnceAndOnlyAtTheEnd) {
    GameSrand(5);
    CentreRig r;
    r.Setup(false);
    CFixture fixture;
    fixture.home = r.home;
    fixture.away = r.away;
    r.centre->SetFixture(&fixture);
    r.Click(ID_CENTRE_FINISH); // disabled and not over
    EXPECT_FALSE(r.centre->Recorded());
    r.Watch();
    ASSERT_TRUE(r.match.IsOver());
    EXPECT_TRUE(r.Find(ID_CENTRE_FINISH)->IsEnabled());
    EXPECT_GT(r.centre->CommentaryCount(), 20);
    EXPECT_GT(r.crowd.played.size(), 10u);
    r.Click(ID_CENTRE_FINISH);
    r.Click(ID_CENTRE_FINISH);
    EXPECT_EQ(r.rig.session.careerDB->matchStats.Size(), 1);
    EXPECT_EQ(fixture.homeScore, r.match.GetHomeTeam()->score);
    EXPECT_EQ(fixture.awayScore, r.match.GetAwayTeam()->score);
    EXPECT_FALSE(r.Find(ID_CENTRE_FINISH)->IsEnabled());
    EXPECT_EQ(r.crowd.stopped.back(), "ATMOSPHERE");
    EXPECT_FALSE(r.rig.shell.matchRunning);

    // Without a fixture the finish still records the next match and writes no score anywhere.
    r.Setup(false);
    r.Watch();
    r.Click(ID_CENTRE_FINISH);
    EXPECT_EQ(r.rig.session.careerDB->matchStats.Size(), 2);
}

TEST(MatchDayCourt, RunAtOnceTheUsersSideIsCoachedAsTheComputersAndPlaysItsMatchOut) {
    // The rig's clubs foul fifty times a match. Watched, the user's players reach in as he lets them
    // and this rig takes them off at six fouls only: the side runs out of players. Run at once the
    // computer coaches his side, and its players one foul from fouling out hold back as the
    // computer's do; left reaching in, it forfeited under every seed.
    for (unsigned int seed : {1u, 4u, 7u}) {
        CentreRig instant;
        GameSrand(seed);
        ASSERT_TRUE(SetupMatch2D(instant.match, instant.home, instant.away, true, true));
        instant.match.RunTicks(kInstantTicksPerFrame);
        ASSERT_TRUE(instant.match.IsOver());
        EXPECT_FALSE(instant.match.forfeited) << "seed " << seed;
        EXPECT_GT(instant.match.GetHomeTeam()->score, 20) << "seed " << seed;
        EXPECT_GT(instant.match.GetAwayTeam()->score, 20) << "seed " << seed;
    }
}

TEST(MatchDayCourt, OnlyAPlayerWhoMayPlayComesOn) {
    CentreRig r;
    r.Setup(false);
    CMatch2DTeam& user = *r.match.GetHomeTeam();
    const int out = user.GetPlayer(0)->id;
    CMatch2DPlayer* fouledOut = user.GetPlayer(5);
    fouledOut->attackFouls = 2;
    fouledOut->defenceFouls = 4;
    CMatch2DPlayer* hurt = user.GetPlayer(6);
    hurt->mustLeave = 1;
    r.centre->Substitute2D(out, fouledOut->id);
    r.centre->Substitute2D(out, hurt->id);
    EXPECT_EQ(user.GetPlayer(0)->id, out);
    const int fresh = user.GetPlayer(7)->id;
    r.centre->Substitute2D(out, fresh);
    int index = 0;
    EXPECT_EQ(user.FindById(fresh, index)->MatchState(), kOnCourtState);
    EXPECT_LT(index, kCourtPlayers);
    EXPECT_EQ(user.FindById(out, index)->MatchState(), kOnBenchState);
}

TEST(MatchDayCourt, ASwapFromTheTacticsWindowShowsWhoIsOnCourtNow) {
    // Twelve players fill twelve of the match's fifteen places.
    CentreRig r;
    r.Setup(false);
    g_pMatch2D = &r.match;
    r.rig.session.matchMode = 1;
    r.rig.session.view3D = 0;
    CTacticsScreen tactics(r.rig.ctx);
    tactics.userIsHome = 1;
    tactics.FillLineupGrids();
    CGuiElement* court = r.rig.stack.FindElement(ID_TA_COURT_GRID);
    auto* bench = static_cast<CGuiGridControl*>(r.rig.stack.FindElement(ID_TA_BENCH_GRID));
    // Only the seven squad players sit on the bench: no blank rows to pick.
    EXPECT_EQ(bench->GetRowCount(), 7);
    EXPECT_EQ(bench->CellCount(0), 7);

    CMatch2DTeam& user = *r.match.GetHomeTeam();
    CMatch2DPlayer* starter = user.GetPlayer(0);
    CMatch2DPlayer* sub = user.GetPlayer(5);
    starter->positionId = starter->positionIdCopy = kPositionCentre;
    sub->positionId = sub->positionIdCopy = kPositionPointGuard;
    const int32_t starterId = starter->id;
    const CStr subName = sub->name;
    tactics.selectedStarterId = starterId;
    tactics.selectedBenchId = sub->id;
    GuiMessage click{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
    tactics.OnMessage(click);
    int place = 0;
    const CMatch2DPlayer* on = user.FindById(sub->id, place);
    ASSERT_LT(place, kCourtPlayers);
    ASSERT_EQ(on->MatchState(), kOnCourtState);
    // He stays a point guard; the five are seated again by their positions, and the window shows
    // the place he plays now.
    EXPECT_EQ(on->positionId, kPositionPointGuard);
    EXPECT_STREQ(court->FindCell(0, place)->text.GetText(), subName.GetText());
    EXPECT_STREQ(court->FindCell(1, place)->text.GetText(),
                 CStr::Formatted("<%d>", kPositionPointGuard).GetText());
    EXPECT_STREQ(court->FindCell(2, place)->text.GetText(),
                 CStr::Formatted("<%d>", on->positionIdCopy).GetText());
    // The match centre's box score follows at once, not at the next frame of play.
    EXPECT_STREQ(r.Find(ID_CENTRE_BOX_HOME)->FindCell(0, place)->text.GetText(), subName.GetText());
    EXPECT_EQ(bench->CellCount(0), 7);
    g_pMatch2D = nullptr;
}

// Swap with one player picked takes the other from the bench: the one the list shows picked, never
// a row nobody highlighted. Between matches (the squad records) and in a watched flat-court match.
TEST(TacticsSwap, WithOnePlayerPickedTheBenchPlayerSwappedIsTheOneShownPicked) {
    CentreRig r;
    CTacticsScreen tactics(r.rig.ctx);
    tactics.userIsHome = 1;
    CGuiElement* court = r.rig.stack.FindElement(ID_TA_COURT_GRID);
    CGuiElement* bench = r.rig.stack.FindElement(ID_TA_BENCH_GRID);
    auto names = [](CGuiElement* grid) {
        std::vector<std::string> out;
        for (int row = 0; row < grid->GetRowCount(); ++row)
            if (const GuiGridCell* cell = grid->FindCell(0, row))
                out.push_back(cell->text.Std());
        return out;
    };
    auto listed = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    auto pickThirdStarterAndSwap = [&](const char* when) {
        SCOPED_TRACE(when);
        // The user picks the third player on court, as a click does.
        court->SetSelectedRow(2, true);
        GuiMessage pick{ID_TA_COURT_GRID, -1, kMsgSelection, 2, 0, 0};
        tactics.OnMessage(pick);
        const int shownBench = bench->GetSelectedRow();
        ASSERT_EQ(shownBench, 0) << "the bench player Swap takes is shown picked";
        const std::string leaving = court->FindCell(0, 2)->text.Std();
        const std::string coming = bench->FindCell(0, shownBench)->text.Std();
        GuiMessage swap{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
        tactics.OnMessage(swap);
        EXPECT_TRUE(listed(names(court), coming));
        EXPECT_TRUE(listed(names(bench), leaving));
        EXPECT_FALSE(listed(names(court), leaving));
        // Nothing is picked after a swap, and nothing is shown picked.
        EXPECT_EQ(court->GetSelectedRow(), -1);
        EXPECT_EQ(bench->GetSelectedRow(), -1);
    };

    tactics.Refresh();
    EXPECT_EQ(court->GetSelectedRow(), 0) << "the preselected starter is shown picked";
    pickThirdStarterAndSwap("between matches");

    r.Setup(false);
    g_pMatch2D = &r.match;
    r.rig.session.matchMode = 1;
    r.rig.session.view3D = 0;
    tactics.FillLineupGrids();
    pickThirdStarterAndSwap("in a watched flat-court match");
    g_pMatch2D = nullptr;
}

// At a quarter break the break's window stands over the court: Fast (or Play) closes it as its own
// "Back to the game" does, so play never runs under it.
TEST(MatchDayCourt, FastAtAQuarterBreakClosesTheBreaksWindow) {
    for (int button : {ID_CENTRE_FAST, ID_CENTRE_PLAY}) {
        CentreRig r;
        // The break opens its window as the running game's hook does.
        r.match.hooks.quarterBreak = [&r] {
            r.centre->OnQuarterBreak();
            r.rig.ctx.Post(ID_QUARTERBREAK_OK, ID_QUARTERBREAK, kMsgOpenOnTop, ID_QUARTERBREAK_OK, 0);
        };
        r.Setup(false);
        r.Click(ID_CENTRE_FAST);
        for (int frame = 0; frame < 100000 && r.match.quarter < 2; ++frame)
            r.centre->FrameStep();
        r.rig.stack.ProcessMessages();
        ASSERT_TRUE(r.rig.stack.IsLayerActive(ID_QUARTERBREAK))
            << "the first quarter ended without its break";
        ASSERT_FALSE(r.centre->Running());
        r.Click(button);
        // The button's click, then the close it fires.
        r.rig.stack.ProcessMessages();
        r.rig.stack.ProcessMessages();
        EXPECT_FALSE(r.rig.stack.IsLayerActive(ID_QUARTERBREAK)) << "play runs under the break's window";
        EXPECT_TRUE(r.centre->Running());
    }
}

// At the final whistle nothing is left to play: Play, Fast and Pause stand off, the clock reads the
// last period's end (not a second before it) and the commentary's last line says the match is over.
TEST(MatchDayCourt, TheFinalWhistleStopsTheButtonsTheClockAndSaysSo) {
    CentreRig r;
    GameSrand(9);
    r.Setup(false);
    r.Watch();
    ASSERT_TRUE(r.match.IsOver());
    for (int id : {ID_CENTRE_PLAY, ID_CENTRE_FAST, ID_CENTRE_PAUSE})
        EXPECT_FALSE(r.Find(id)->IsEnabled()) << id;
    EXPECT_TRUE(r.Find(ID_CENTRE_FINISH)->IsEnabled());
    CGuiElement* clock = r.Find(ID_CENTRE_CLOCK);
    EXPECT_STREQ(clock->FindCell(5, 0)->text.GetText(), r.match.overtimes > 0 ? "5:00" : "12:00");
    EXPECT_STREQ(clock->FindCell(3, 0)->text.GetText(), "4");
    CGuiElement* commentary = r.Find(ID_CENTRE_COMMENTARY);
    ASSERT_GT(commentary->GetRowCount(), 0);
    EXPECT_EQ(commentary->FindCell(0, commentary->GetRowCount() - 1)->text, r.rig.ctx.Text(61002));
}

// A staff remark at full speed stops play under its window, naming the player on court; Fast again
// closes the window (emptied) and plays on with the court in sight.
TEST(MatchDayCourt, ARemarkAtFullSpeedStopsPlayAndFastAgainClosesItsWindow) {
    CentreRig r;
    CCommentaryPopup remarks(r.rig.ctx);
    r.rig.screens[ScreenRole::Commentary] = &remarks;
    r.match.hooks.remarkLine = [&remarks](const CStr& text, int colour) { remarks.AddLine(text, colour); };
    r.Setup(false);
    r.Click(ID_CENTRE_FAST);
    r.centre->FrameStep();
    ASSERT_TRUE(r.centre->Running());
    ASSERT_FALSE(r.rig.stack.IsLayerActive(ID_COMMENTARY));
    // A shooter of the user's misses nearly all he takes: the coach speaks of him in the next tick.
    CMatch2DPlayer* cold = r.match.GetHomeTeam()->GetPlayer(0);
    ASSERT_TRUE(cold->userTeam);
    ASSERT_EQ(cold->MatchState(), kOnCourtState);
    cold->Counter(kStatFieldGoalsTaken) = 11;
    cold->Counter(kStatFieldGoalsMade) = 1;
    r.centre->FrameStep();
    r.rig.stack.ProcessMessages();
    CGuiElement* list = r.rig.stack.FindElement(ID_COMMENTARY_LIST);
    ASSERT_TRUE(r.rig.stack.IsLayerActive(ID_COMMENTARY));
    ASSERT_GE(list->GetItemCount(), 1);
    EXPECT_NE(list->GetItemText(list->GetItemCount() - 1).Find(cold->name.GetText()), -1);
    EXPECT_FALSE(r.centre->Running()) << "play ran on at full speed under the remark's window";

    r.Click(ID_CENTRE_FAST);
    r.rig.stack.ProcessMessages();
    EXPECT_TRUE(r.centre->Running());
    EXPECT_FALSE(r.rig.stack.IsLayerActive(ID_COMMENTARY));
    EXPECT_EQ(list->GetItemCount(), 0);
    r.centre->FrameStep();
    EXPECT_TRUE(r.centre->Running()) << "the closed window stopped play again";
}

TEST(MatchDayCourt, TheClockAndTheFoulsStayTrueWhileTheMatchStandsStill) {
    CentreRig r;
    r.Setup(false);
    r.Click(ID_CENTRE_PLAY);
    for (int frame = 0; frame < 40; ++frame)
        r.centre->Update();
    r.Click(ID_CENTRE_PAUSE);
    const CStr time =
        CStr::Formatted("%d:%.2d", static_cast<int>(r.match.minutes), static_cast<int>(r.match.seconds));
    // The tactics button counts a time-out and refills the comparison: the clock keeps its figures.
    r.Click(ID_CENTRE_TACTICS);
    CGuiElement* clock = r.Find(ID_CENTRE_CLOCK);
    ASSERT_NE(clock->FindCell(5, 0), nullptr);
    EXPECT_STREQ(clock->FindCell(5, 0)->text.GetText(), time.GetText());
    ASSERT_NE(clock->FindCell(3, 0), nullptr);
    EXPECT_STREQ(clock->FindCell(3, 0)->text.GetText(), "1");

    // A sixth foul stops the match with its message; the fouls column says the same.
    CMatch2DPlayer* fouler = r.match.GetHomeTeam()->GetPlayer(0);
    fouler->attackFouls = 1;
    fouler->defenceFouls = 5;
    r.centre->ShowInfoPopup(fouler->name, false);
    EXPECT_STREQ(r.Find(ID_CENTRE_BOX_HOME)->FindCell(5, 0)->text.GetText(), "6");
}

TEST(MatchDayCourt, TheClubsPicturesComeFromTheirLogos) {
    CentreRig r;
    r.home->logo = "images\\WinObjects\\match_court.png"; // any picture the game folder has
    r.away->logo = "images\\WinObjects\\Logos\\no_such_logo.png";
    r.Setup(false);
    EXPECT_STREQ(r.Find(ID_CENTRE_HOME_PICTURE)->Desc().imagePath.GetText(),
                 "\\images\\WinObjects\\match_court.png");
    // A missing file leaves the frame empty.
    EXPECT_TRUE(r.Find(ID_CENTRE_AWAY_PICTURE)->Desc().imagePath.IsEmpty());
}

// A commentary line wider than the box goes on in the rows below: every row fits, nothing is cut,
// and the lines are still counted one each.
TEST(MatchDayCourt, ALongCommentaryLineWrapsIntoRowsThatFit) {
    CentreRig r;
    r.Setup(false);
    auto* box = dynamic_cast<CGuiGridControl*>(r.Find(ID_CENTRE_COMMENTARY));
    ASSERT_NE(box, nullptr);
    const int rows = box->GetRowCount();
    const int lines = r.centre->CommentaryCount();
    const CStr text = "misses a long three-point attempt from the corner after a pass out of the double team";
    r.centre->AddCommentary(text, "Terrence Schneider", true);
    EXPECT_EQ(r.centre->CommentaryCount(), lines + 1);
    ASSERT_GT(box->GetRowCount(), rows + 1);
    CStr joined;
    for (int row = rows; row < box->GetRowCount(); ++row) {
        const CStr& piece = box->FindCell(0, row)->text;
        EXPECT_LE(GuiBackend().TextWidth(box->Font(), piece), box->ColumnWidth(0) - 10) << piece.GetText();
        joined += row > rows ? " " : "";
        joined += piece;
    }
    EXPECT_NE(joined.Find(text), -1) << joined.GetText();
    // As the 3D display writes a line: "Club: Player text".
    EXPECT_EQ(joined.Find(r.home->name.Concat(": Terrence Schneider misses")), 0) << joined.GetText();
}

// The commentary list follows its newest row, however many rows the lines before it took: a line
// that wrapped into two rows scrolled the list one row, and the lag grew with every such line
// until the final whistle's line lay out of sight below the box.
TEST(MatchDayCourt, TheCommentaryShowsItsNewestRowAfterLinesThatWrap) {
    CentreRig r;
    r.Setup(false);
    auto* box = dynamic_cast<CGuiGridControl*>(r.Find(ID_CENTRE_COMMENTARY));
    ASSERT_NE(box, nullptr);
    for (int i = 0; i < 30; ++i) {
        r.centre->AddCommentary(i % 2 == 0
                                    ? "misses a long three-point attempt from the corner after a pass out of "
                                      "the double team"
                                    : "scores two points.",
                                "Terrence Schneider", i % 3 == 0);
        r.rig.stack.ProcessMessages();
    }
    ASSERT_GT(box->GetRowCount(), box->VisibleRows() + 30);
    EXPECT_EQ(box->ScrollPos(), box->ScrollMax()) << box->GetRowCount() << " rows";
    EXPECT_EQ(box->ScrollPos() + box->VisibleRows(), box->GetRowCount());
}

TEST(MatchDayCourt, WhoCannotPlayIsMarkedInEveryListAndARefusedSwapSaysWhy) {
    CentreRig r;
    r.Setup(false);
    g_pMatch2D = &r.match;
    r.rig.session.matchMode = 1;
    r.rig.session.view3D = 0;
    CMatch2DTeam& user = *r.match.GetHomeTeam();
    CMatch2DPlayer* hurt = user.GetPlayer(5);
    hurt->mustLeave = 1;
    CMatch2DPlayer* fouledOut = user.GetPlayer(6);
    fouledOut->attackFouls = 2;
    fouledOut->defenceFouls = 4;
    const CStr injuredMark = r.rig.ctx.Text(100356);
    const CStr fouledOutMark = r.rig.ctx.Text(100357);

    r.centre->FillHostBoxScore();
    auto* box = static_cast<CGuiGridControl*>(r.Find(ID_CENTRE_BOX_HOME_BENCH));
    EXPECT_EQ(box->FindCell(0, 0)->text, hurt->name + injuredMark);
    EXPECT_EQ(box->FindCell(0, 1)->text, fouledOut->name + fouledOutMark);
    EXPECT_EQ(box->CellTextColour(0, 1), 0x0000FFFFu);
    EXPECT_STREQ(box->FindCell(5, 1)->text.GetText(), "6");

    CTacticsScreen tactics(r.rig.ctx);
    tactics.userIsHome = 1;
    tactics.FillLineupGrids();
    auto* bench = static_cast<CGuiGridControl*>(r.rig.stack.FindElement(ID_TA_BENCH_GRID));
    EXPECT_EQ(bench->FindCell(0, 0)->text, hurt->name + injuredMark);
    EXPECT_EQ(bench->FindCell(0, 1)->text, fouledOut->name + fouledOutMark);
    EXPECT_EQ(bench->CellTextColour(0, 0), CTacticsScreen::kRed);

    const int32_t starter = user.GetPlayer(0)->id;
    const struct {
        const CMatch2DPlayer* coming;
        int reason;
    } refusals[] = {{hurt, 500071}, {fouledOut, 500072}};
    for (const auto& refusal : refusals) {
        tactics.selectedStarterId = starter;
        tactics.selectedBenchId = refusal.coming->id;
        GuiMessage swap{ID_TA_SWAP, -1, kMsgClick, 0, 0, 0};
        tactics.OnMessage(swap);
        r.rig.stack.ProcessMessages();
        EXPECT_EQ(user.GetPlayer(0)->id, starter);
        EXPECT_TRUE(r.rig.stack.IsLayerActive(ID_MATCH_POPUP));
        const CGuiElement* text = r.rig.stack.FindElement(ID_MATCH_POPUP_TEXT);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetText(), r.rig.ctx.Text(refusal.reason));
    }
    g_pMatch2D = nullptr;
}

// The match centre with the tactics window and the engine's call for it as the game connects them,
// and a user who changes nobody himself: OK to a message, Done to the window, Fast to a stopped match.
// The flat match seeds the game's stream from the wall clock as it is made: the seed given here
// comes after it, so a case plays the same match in every run (seeded before, a case played another
// match each second, and now and then one whose substitute was rested or hurt within its frames).
struct HandsOffCentre {
    CentreRig r;
    CTacticsScreen tactics{r.rig.ctx};
    int windows = 0;
    explicit HandsOffCentre(unsigned int seed = 1) {
        GameSrand(seed);
        r.Setup(false);
        g_pMatch2D = &r.match;
        r.rig.session.matchMode = 1;
        r.rig.session.view3D = 0;
        tactics.userIsHome = 1;
        r.rig.screens[ScreenRole::Tactics] = &tactics;
        r.rig.stack.screens = [this](GuiMessage& m) {
            if (r.rig.shell.overlays[Overlay::Tactics] && m.sID != -1)
                tactics.OnMessage(m);
            if (m.sID != -1)
                r.centre->OnMessage(m);
            if (m.sID != -1)
                tactics.OnMessage(m);
        };
        const CScreenContext& ctx = r.rig.ctx;
        r.match.hooks.substituteNeeded = [&ctx](int) {
            ctx.Post(ID_TACTICS_SOURCE, ID_TACTICS, kMsgClick, ID_TACTICS_SOURCE, 0);
        };
    }
    ~HandsOffCentre() { g_pMatch2D = nullptr; }
    void Click(int id) {
        r.rig.stack.PostMessage(id, -1, kMsgClick, 0, 0);
        r.rig.stack.ProcessMessages();
        r.rig.stack.ProcessMessages();
    }
    void Frame() {
        r.centre->FrameStep();
        r.rig.stack.ProcessMessages();
        if (r.rig.stack.IsLayerActive(ID_MATCH_POPUP)) {
            Click(ID_MATCH_POPUP_OK);
        } else if (r.rig.stack.IsLayerActive(ID_TACTICS)) {
            ++windows;
            Click(ID_TA_APPLY);
        } else if (!r.centre->Running() && r.match.quarter < 5) {
            Click(ID_CENTRE_FAST);
        }
    }
};

// A player of the user's who must leave comes with his change made in the window that opens for it:
// Done alone sends on the computer's own pick (like for like) and play goes on. Before, Done closed
// the window with him still on court and the engine stopped the match for him again at the next
// tick, for good.
TEST(MatchDayCourt, DoneAloneTakesOffWhoMustLeaveForTheOfferedSubstitute) {
    HandsOffCentre u;
    CMatch2DTeam& user = *u.r.match.GetHomeTeam();
    u.Click(ID_CENTRE_FAST);
    for (int i = 0; i < 20; ++i)
        u.Frame();
    CMatch2DPlayer* hurt = user.GetPlayer(2);
    const int hurtId = hurt->id;
    const int freshestId = user.PickForcedSubstitute(hurtId);
    ASSERT_GE(freshestId, 0);
    hurt->mustLeave = 1;
    const int ticks = u.r.match.playTicks;
    // The change as Done leaves it: later in the match the substitute may be rested or hurt himself.
    for (int i = 0; i < 300 && u.windows == 0; ++i)
        u.Frame();
    ASSERT_EQ(u.windows, 1) << "one Done made the change";
    int index = 0;
    EXPECT_EQ(user.FindById(hurtId, index)->MatchState(), kOnBenchState);
    EXPECT_EQ(user.FindById(freshestId, index)->MatchState(), kOnCourtState);
    for (int i = 0; i < 300; ++i)
        u.Frame();
    EXPECT_EQ(user.FindById(hurtId, index)->MatchState(), kOnBenchState);
    EXPECT_TRUE(u.r.centre->Running());
    EXPECT_GT(u.r.match.playTicks, ticks + 2000);
}

// Two of the user's must leave at one tick, one with his sixth foul while the other is hurt: the
// message names both (the second once replaced the first's), and one Done makes both changes, each
// the computer's like-for-like pick.
TEST(MatchDayCourt, TwoWhoMustLeaveAtOnceAreBothNamedAndOneDoneChangesBoth) {
    HandsOffCentre u;
    CMatch2DTeam& user = *u.r.match.GetHomeTeam();
    u.Click(ID_CENTRE_FAST);
    for (int i = 0; i < 20; ++i)
        u.Frame();
    CMatch2DPlayer* fouled = user.GetPlayer(1);
    CMatch2DPlayer* hurt = user.GetPlayer(3);
    const int fouledId = fouled->id;
    const int hurtId = hurt->id;
    const CStr fouledName = fouled->name;
    const CStr hurtName = hurt->name;
    const int forFouled = user.PickForcedSubstitute(fouledId);
    ASSERT_GE(forFouled, 0);
    fouled->defenceFouls = 6;
    hurt->mustLeave = 1;
    user.alertEvent = 1;
    // Frames until the message stands in front.
    for (int i = 0; i < 10 && !u.r.rig.stack.IsLayerActive(ID_MATCH_POPUP); ++i) {
        u.r.centre->FrameStep();
        u.r.rig.stack.ProcessMessages();
    }
    ASSERT_TRUE(u.r.rig.stack.IsLayerActive(ID_MATCH_POPUP));
    const CGuiElement* text = u.r.rig.stack.FindElement(ID_MATCH_POPUP_TEXT);
    ASSERT_NE(text, nullptr);
    const std::string message = text->GetText().GetText();
    EXPECT_NE(message.find(fouledName.GetText()), std::string::npos) << message;
    EXPECT_NE(message.find(hurtName.GetText()), std::string::npos) << message;
    // Both changes as Done leaves them: later in the match the substitute may be rested or hurt
    // himself (a second window is then his).
    for (int i = 0; i < 300 && u.windows == 0; ++i)
        u.Frame();
    ASSERT_EQ(u.windows, 1) << "one Done made both changes";
    int index = 0;
    EXPECT_EQ(user.FindById(fouledId, index)->MatchState(), kOnBenchState);
    EXPECT_EQ(user.FindById(hurtId, index)->MatchState(), kOnBenchState);
    EXPECT_EQ(user.FindById(forFouled, index)->MatchState(), kOnCourtState);
    // Play goes on, and neither is asked for again.
    for (int i = 0; i < 300; ++i)
        u.Frame();
    EXPECT_EQ(user.FindById(fouledId, index)->MatchState(), kOnBenchState);
    EXPECT_EQ(user.FindById(hurtId, index)->MatchState(), kOnBenchState);
    EXPECT_TRUE(u.r.centre->Running());
}

// A whole watched match left alone ends, nobody of the user's runs himself empty, and each side's
// minutes add up to the match's length.
TEST(MatchDayCourt, AWatchedMatchLeftAloneEndsWithNoExhaustionAndWholeMinutes) {
    for (unsigned int seed : {3u, 8u}) {
        SCOPED_TRACE(seed);
        HandsOffCentre u(seed);
        for (int frame = 0; frame < 200000 && u.r.match.quarter < 5; ++frame)
            u.Frame();
        ASSERT_TRUE(u.r.match.IsOver());
        EXPECT_FALSE(u.r.match.forfeited);
        const int length = 4 * 720 + 300 * u.r.match.overtimes;
        for (const CMatch2DTeam* team : {u.r.match.GetHomeTeam(), u.r.match.GetAwayTeam()}) {
            int seconds = 0;
            for (int i = 0; i < team->PlayerCount(); ++i) {
                const CMatch2DPlayer* p = team->GetPlayer(i);
                seconds += p->secondsOnCourt;
                if (team->userTeam) {
                    EXPECT_EQ(p->exhausted, 0) << p->name.GetText();
                }
            }
            EXPECT_EQ(seconds, 5 * length);
        }
    }
}

TEST(MatchDayCourt, TheShotClockCountsDownTheSecondsLeft) {
    CentreRig r;
    r.Setup(false);
    CGuiElement* clock = r.Find(ID_CENTRE_CLOCK);
    const struct {
        float elapsed;
        const char* shown;
    } cases[] = {{0.0f, "24"}, {0.4f, "24"}, {1.0f, "23"}, {15.5f, "9"}, {23.9f, "1"}, {24.0f, "0"}};
    for (const auto& c : cases) {
        r.match.possessionTimer = c.elapsed;
        r.centre->FillTeamStats();
        ASSERT_NE(clock->FindCell(1, 0), nullptr);
        EXPECT_STREQ(clock->FindCell(1, 0)->text.GetText(), c.shown) << c.elapsed;
    }
}
