// The 3D match behind the in-match display: one seeded match played three ways - headless, and at
// normal speed and fast with the game's frames - ends with the same score and box score (the Fast
// button changes how long a match takes, never its result); a player who must leave stops the
// clock until the user's change, or is replaced by the computer at once.
#include "database/Records.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "match3d/BoxScoreBatch.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "screens/match/Match3DHudLink.h"
#include "screens/match/MatchHud.h"
#include "screens/match/SubstitutionDialog.h"
#include "screens/match/TacticsScreen.h"

#include "gui/Element.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Squad {
    CTeam team;
    std::vector<std::unique_ptr<CPlayer>> players;

    Squad(int id, int skill) {
        team.id = id;
        team.name = CStr::Formatted("Club %d", id);
        team.stadiumKey = "std_eu_01";
        for (int i = 0; i < 12; ++i) {
            auto p = std::make_unique<CPlayer>();
            p->id = id * 100 + i;
            p->name = CStr::Formatted("Player %d-%d", id, i);
            p->words[kWordHeight] = 186 + 2 * i;
            p->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
            for (int s = 0; s < kSkillCount; ++s)
                p->SkillValue(s) = skill + (i * 7 + s * 3) % 15;
            team.players.push_back(p.get());
            players.push_back(std::move(p));
        }
    }
};

// What the match left: the score and every player's line of the box score.
// Fields of one player's line in Result::box: id, two-point attempts and makes, three-point attempts
// and makes, free throws taken and made, offensive and defensive rebounds, steals, fouls.
constexpr size_t kBoxFields = 11;

struct Result {
    int home = 0, away = 0;
    bool ended = false;
    std::vector<int> box;
};

Result ResultOf(const CMatch3D& match, bool ended) {
    Result r{match.homeScore, match.awayScore, ended, {}};
    for (const CMatchTeam* team : {match.homeTeam, match.awayTeam})
        for (const CCourtPlayer* p : team->players)
            r.box.insert(r.box.end(),
                         {p->playerId, p->twoPointAttempts, p->twoPointersMade, p->threePointAttempts,
                          p->threePointersMade, p->freeThrowsAttempted, p->freeThrowsMade,
                          p->offensiveRebounds, p->defensiveRebounds, p->steals, p->foulsCharged});
    return r;
}

// The box-score batches' scene, without models.
std::unique_ptr<CMatch3D> Load(Squad& home, Squad& away, unsigned seed) {
    std::unique_ptr<CMatch3D> match = LoadSeededMatch3D(home.team, away.team, seed, false);
    // The game's sequence moves on between the load and the first step, as a real frame's would.
    GameSrand(seed * 7u + 1u);
    return match;
}

Result PlayHeadless(Squad& home, Squad& away, unsigned seed) {
    std::unique_ptr<CMatch3D> match = Load(home, away, seed);
    CHeadlessDisplay display;
    PlayHeadlessMatch(*match, display, HeadlessMatchOptions{});
    return ResultOf(*match, display.clock.over);
}

// Frames of frameMs on the display's clock through its frame step; every break is answered with
// the chosen speed button, as a user would press it. A clock running `rate` times the wall clock
// (the scripted sessions' quick clock) moves frameMs a frame all the same.
Result PlayWatched(Squad& home, Squad& away, unsigned seed, bool fast, uint32_t frameMs, long& frames,
                   int rate = 1) {
    std::unique_ptr<CMatch3D> match = Load(home, away, seed);
    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CMatchHud hud(ctx);
    uint32_t now = 1000;
    hud.SetClock([&now] { return now; }, rate);
    hud.SetSound(nullptr, false);
    CHeadlessMotion motion;
    CMatch3DHudLink link(*match, &motion);
    bool ended = false;
    hud.SetMatch(&link);
    hud.SetEndHandler([&ended] { ended = true; });
    match->display = &hud;
    PrepareTipOff(*match);
    hud.Play();
    frames = 0;
    while (!ended && frames < 2000000) {
        ++frames;
        now += frameMs;
        // A frame's own random draws (the crowd) come between the match's steps.
        GameRand();
        hud.FrameStep();
        if (!ended && hud.Paused())
            fast ? hud.PlayFast() : hud.Play();
        else if (fast && !hud.Fast())
            hud.PlayFast();
    }
    match->display = nullptr;
    return ResultOf(*match, ended);
}

TEST(Match3DPace, OneSeedIsOneMatchHeadlessWatchedAndWatchedFast) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    Squad home(3, 52);
    Squad away(4, 48);
    const Result headless = PlayHeadless(home, away, 77);
    ASSERT_TRUE(headless.ended);
    // A real match was played: shots went up all match long (the stand-in motion with these squads
    // scores little, about 25 points between the sides, so the points alone say less).
    int shots = 0;
    for (size_t i = 0; i + kBoxFields <= headless.box.size(); i += kBoxFields)
        shots += headless.box[i + 1] + headless.box[i + 3];
    EXPECT_GT(shots, 60) << "a real match was played";
    EXPECT_GT(headless.home, 0);
    EXPECT_GT(headless.away, 0);
    EXPECT_NE(headless.home, headless.away);

    long normalFrames = 0;
    long fastFrames = 0;
    const Result normal = PlayWatched(home, away, 77, false, 16, normalFrames);
    const Result fast = PlayWatched(home, away, 77, true, 17, fastFrames);
    ASSERT_TRUE(normal.ended);
    ASSERT_TRUE(fast.ended);
    EXPECT_EQ(normal.home, headless.home);
    EXPECT_EQ(normal.away, headless.away);
    EXPECT_EQ(normal.box, headless.box);
    EXPECT_EQ(fast.home, headless.home);
    EXPECT_EQ(fast.away, headless.away);
    EXPECT_EQ(fast.box, headless.box);
    // A clock second a wall second at normal speed (about 48 minutes of running clock at 16 ms a
    // frame), one per 400 ms fast.
    EXPECT_GE(normalFrames * 16, 4L * 720 * 1000);
    EXPECT_LT(fastFrames * 17, normalFrames * 16 / 2);
}

// The watched match as the game plays it: a fourth quarter that ends level goes on to overtime and
// the match ends only once a side leads.
TEST(Match3DPace, ALevelFourthQuarterOfTheWatchedMatchGoesToOvertime) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    Squad home(3, 52);
    Squad away(4, 48);
    std::unique_ptr<CMatch3D> match = Load(home, away, 91);
    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CMatchHud hud(ctx);
    uint32_t now = 1000;
    hud.SetClock([&now] { return now; }, 1);
    hud.SetSound(nullptr, false);
    CHeadlessMotion motion;
    CMatch3DHudLink link(*match, &motion);
    bool ended = false;
    hud.SetMatch(&link);
    hud.SetEndHandler([&ended] { ended = true; });
    match->display = &hud;
    PrepareTipOff(*match);
    hud.PlayFast();
    bool skipped = false;
    int periods = 0;
    for (long frames = 0; !ended && frames < 2000000; ++frames) {
        now += 17;
        hud.FrameStep();
        periods = std::max(periods, hud.Quarter());
        if (hud.Quarter() == 4 && !skipped) {
            hud.SetGameClock(700.0); // on to the last seconds of the fourth quarter
            skipped = true;
        }
        if (hud.Quarter() == 4) {
            // Level whatever the last seconds bring.
            const int level = std::max(match->homeScore, match->awayScore);
            match->homeScore = match->awayScore = level;
        }
        if (!ended && hud.Paused())
            hud.PlayFast();
    }
    match->display = nullptr;
    ASSERT_TRUE(ended);
    EXPECT_GE(periods, 5) << "the level fourth quarter went on to overtime";
    EXPECT_NE(match->homeScore, match->awayScore) << "the match ended with a side ahead";
}

TEST(Match3DPace, TheQuickClockPlaysTheSameMatchInFewFramesOfManySteps) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    Squad home(3, 52);
    Squad away(4, 48);
    const Result headless = PlayHeadless(home, away, 77);
    long normalFrames = 0;
    long quickFrames = 0;
    const Result normal = PlayWatched(home, away, 77, false, 16, normalFrames);
    // 40 wall milliseconds a frame on a clock 96 times the wall clock: a slow software renderer.
    const Result quick = PlayWatched(home, away, 77, false, 40 * 96, quickFrames, 96);
    ASSERT_TRUE(quick.ended);
    EXPECT_EQ(quick.home, headless.home);
    EXPECT_EQ(quick.away, headless.away);
    EXPECT_EQ(quick.box, headless.box);
    // Each frame plays its 3.84 clock seconds rather than the one a stall is held to.
    EXPECT_LT(quickFrames * 150, normalFrames);
}

// The match with the user's side at home, watched fast on the sessions' quick clock. With
// stopAtChanges it is wired as the game's view wires it for the scripted sessions: the display
// pauses after every change of the user's side and holds the final whistle; each stop is answered
// with Fast, as the session does once it has looked.
struct Stops {
    std::vector<std::string> lines;
    int held = 0;
    bool endedWhenHeld = false;
    int changes = 0; // the user's side's changes at the end
};

Result PlayStoppingAtChanges(Squad& home, Squad& away, unsigned seed, bool stopAtChanges, Stops& stops) {
    std::unique_ptr<CMatch3D> match = Load(home, away, seed);
    match->homeTeam->isUserTeam = 1;
    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CMatchHud hud(ctx);
    uint32_t now = 1000;
    hud.SetClock([&now] { return now; }, 96);
    hud.SetSound(nullptr, false);
    CHeadlessMotion motion;
    CMatch3DHudLink link(*match, &motion);
    bool ended = false;
    hud.SetMatch(&link);
    hud.SetEndHandler([&ended] { ended = true; });
    UserChangesSeen seen{0, UserFiveOnCourt(*match)};
    if (stopAtChanges) {
        link.SetAfterStep([&] {
            const CStr line = NoteUserChange(*match, seen, [](int id) { return CStr::Formatted("%d", id); });
            if (line.IsEmpty())
                return;
            stops.lines.emplace_back(line.GetText());
            hud.Pause();
        });
        hud.HoldFinalWhistle([&] {
            ++stops.held;
            stops.endedWhenHeld = ended;
        });
    }
    match->display = &hud;
    PrepareTipOff(*match);
    hud.Play();
    for (long frames = 0; !ended && frames < 200000; ++frames) {
        now += 40 * 96;
        GameRand();
        hud.FrameStep();
        if (!ended && (hud.Paused() || !hud.Fast()))
            hud.PlayFast();
    }
    match->display = nullptr;
    stops.changes = match->homeTeam->substitutions;
    return ResultOf(*match, ended);
}

// The scripted sessions stop after each change of the user's side to look at the tactics window:
// the stops name every change, with the five on court each in a place of his own, and the match
// is the one played without them, its end held until the session lets it go on.
TEST(Match3DPace, StoppingAfterEveryUserChangeNamesEachAndPlaysTheSameMatch) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    Squad home(3, 52);
    Squad away(4, 48);
    Stops none;
    Stops stops;
    const Result plain = PlayStoppingAtChanges(home, away, 77, false, none);
    const Result stopped = PlayStoppingAtChanges(home, away, 77, true, stops);
    ASSERT_TRUE(plain.ended);
    ASSERT_TRUE(stopped.ended);
    EXPECT_EQ(stopped.home, plain.home);
    EXPECT_EQ(stopped.away, plain.away);
    EXPECT_EQ(stopped.box, plain.box);
    EXPECT_EQ(none.held, 0);
    EXPECT_EQ(stops.held, 1);
    EXPECT_FALSE(stops.endedWhenHeld) << "the end waits for the session";
    ASSERT_GE(stops.changes, 3) << "the rest rule changed the user's tired players";
    // One stop a change (two carried out in one step share one), numbered in turn to the last.
    ASSERT_FALSE(stops.lines.empty());
    int last = 0;
    for (const std::string& line : stops.lines) {
        SCOPED_TRACE(line);
        int number = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "change %d of the user's side", &number), 1);
        EXPECT_GT(number, last);
        last = number;
        EXPECT_NE(line.find(" on for "), std::string::npos);
        // Five on court, each with a place of his own.
        const std::string court = line.substr(line.find("; on court ") + 11);
        std::vector<std::string> places;
        for (size_t open = court.find('('); open != std::string::npos; open = court.find('(', open + 1))
            places.push_back(court.substr(open, court.find(')', open) - open));
        EXPECT_EQ(places.size(), 5u);
        std::sort(places.begin(), places.end());
        EXPECT_EQ(std::unique(places.begin(), places.end()), places.end());
    }
    EXPECT_EQ(last, stops.changes);
    EXPECT_GE(stops.lines.size() + 1, static_cast<size_t>(stops.changes));
}

// The display over a loaded match with the user at home, wired as the game's view wires it.
struct WatchedMatch {
    Squad home{3, 52};
    Squad away{4, 48};
    std::unique_ptr<CMatch3D> match;
    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CMatchHud hud{ctx};
    CHeadlessMotion motion;
    std::unique_ptr<CMatch3DHudLink> link;
    uint32_t now = 1000;

    WatchedMatch() {
        match = Load(home, away, 5);
        match->homeTeam->isUserTeam = 1;
        hud.SetClock([this] { return now; });
        hud.SetSound(nullptr, false);
        link = std::make_unique<CMatch3DHudLink>(*match, &motion);
        hud.SetMatch(link.get());
        match->display = &hud;
        match->onMustLeavePopup = [this](const CStr& name, bool hurt, bool onHisWay) {
            hud.ShowMustLeavePopup(name, hurt, onHisWay);
        };
        match->onUserMustLeave = [this] { hud.OpenTactics(); };
        PrepareTipOff(*match);
        hud.Play();
        // Into the first quarter's play.
        while (hud.GameClock() < 20.0)
            Frame();
    }
    ~WatchedMatch() { match->display = nullptr; }
    void Frame() {
        now += 16;
        hud.FrameStep();
    }
    int Opened(int window) const {
        int n = 0;
        for (const GuiMessage& m : kit.stack.PendingMessages())
            n += m.cID == window && m.MSG == kMsgOpenOnTop ? 1 : 0;
        return n;
    }
    bool OnCourt(const CMatchTeam& team, const CCourtPlayer* p) const {
        for (int i = 0; i < team.OnCourtCount(); ++i)
            if (team.GetPlayer(i) == p)
                return true;
        return false;
    }
};

TEST(Match3DMustLeave, TheUsersSixthFoulOpensThePopupAndTheClockWaitsForTheChange) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    WatchedMatch w;
    CCourtPlayer* fouled = w.match->homeTeam->GetPlayer(2);
    // What the rules do at a sixth foul.
    fouled->personalFouls = 6;
    w.match->paused = 1;
    for (int i = 0; i < 5; ++i)
        w.Frame();
    EXPECT_TRUE(w.hud.Paused());
    EXPECT_GE(w.Opened(ID_MATCH_POPUP), 1);
    EXPECT_GE(w.Opened(ID_TACTICS), 1);
    CGuiElement* text = w.ctx.Find(ID_MATCH_POPUP_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(std::string(text->GetText().GetText()).find(fouled->name), std::string::npos);
    const double clock = w.hud.GameClock();
    for (int i = 0; i < 300; ++i)
        w.Frame();
    EXPECT_EQ(w.hud.GameClock(), clock) << "the clock stops with the match";

    // Play without the change: the rules stop the match again at once.
    w.hud.Play();
    for (int i = 0; i < 120; ++i)
        w.Frame();
    EXPECT_TRUE(w.hud.Paused());
    EXPECT_EQ(w.hud.GameClock(), clock);
    EXPECT_TRUE(w.OnCourt(*w.match->homeTeam, fouled));

    // The change in the tactics window, then play: the clock runs and he sits.
    const int substitute = w.match->homeTeam->PickSubstitute();
    ASSERT_GE(substitute, 0);
    w.match->RequestSubstitution(fouled->playerId, substitute, false);
    w.hud.Play();
    for (int i = 0; i < 300; ++i)
        w.Frame();
    EXPECT_FALSE(w.hud.Paused());
    EXPECT_GT(w.hud.GameClock(), clock);
    EXPECT_FALSE(w.OnCourt(*w.match->homeTeam, fouled));
}

TEST(Match3DMustLeave, EachPlayerIsAnnouncedOnceInFrontOfTheTacticsWindow) {
    WatchedMatch w;
    auto layerIndex = [&w](int window) {
        const std::vector<ScreenLayer>& layers = w.kit.stack.Layers();
        for (size_t i = 0; i < layers.size(); ++i)
            if (layers[i].screenId == window && layers[i].active)
                return static_cast<int>(i);
        return -1;
    };
    auto pressOk = [&w] {
        GuiMessage ok{ID_MATCH_POPUP_OK, -1, kMsgClick, 0, 0, 0};
        w.hud.OnMessage(ok);
        EXPECT_EQ(ok.sID, ID_MATCH_POPUP_OK) << "the layout's action closes the message";
        w.kit.stack.DeliverMessage(ok);
        w.kit.stack.ProcessMessages();
    };
    CCourtPlayer* first = w.match->homeTeam->GetPlayer(2);
    first->personalFouls = 6;
    w.match->paused = 1;
    for (int i = 0; i < 5; ++i)
        w.Frame();
    w.kit.stack.ProcessMessages();
    ASSERT_GE(layerIndex(ID_TACTICS), 0);
    EXPECT_GT(layerIndex(ID_MATCH_POPUP), layerIndex(ID_TACTICS))
        << "the message is hidden behind the window";

    // Read and closed, it does not come back while the rules wait for his change.
    pressOk();
    EXPECT_LT(layerIndex(ID_MATCH_POPUP), 0);
    w.hud.Play();
    for (int i = 0; i < 60; ++i)
        w.Frame();
    EXPECT_TRUE(w.hud.Paused());
    EXPECT_EQ(w.Opened(ID_MATCH_POPUP), 0);

    // Once he is off, the next player who must leave gets his own message, in front again.
    const int substitute = w.match->homeTeam->PickSubstitute();
    ASSERT_GE(substitute, 0);
    w.match->RequestSubstitution(first->playerId, substitute, false);
    w.hud.Play();
    for (int i = 0; i < 300; ++i)
        w.Frame();
    ASSERT_FALSE(w.OnCourt(*w.match->homeTeam, first));
    CCourtPlayer* second = w.match->homeTeam->GetPlayer(4);
    second->injured = 1;
    for (int i = 0; i < 300 && !w.hud.Paused(); ++i)
        w.Frame();
    EXPECT_GE(w.Opened(ID_MATCH_POPUP), 1);
    const std::string text = w.ctx.Find(ID_MATCH_POPUP_TEXT)->GetText().Std();
    EXPECT_NE(text.find(second->name), std::string::npos);
    w.kit.stack.ProcessMessages();
    EXPECT_GT(layerIndex(ID_MATCH_POPUP), layerIndex(ID_TACTICS));
}

// A sixth foul while a change is under way is told even of the player walking off in it, and a
// second player's message waits for the first to be closed instead of being lost.
TEST(Match3DMustLeave, ASixthFoulDuringAChangeUnderWayIsAnnouncedAndTheNextWaitsItsTurn) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    WatchedMatch w;
    CMatchTeam& home = *w.match->homeTeam;
    CCourtPlayer* walking = home.GetPlayer(1);
    CCourtPlayer* other = home.GetPlayer(3);
    w.match->RequestChange(0, walking, home.GetPlayer(5), w.match->flags.calledOffAuto);
    w.match->flags.substitutionPhase = 1;
    walking->personalFouls = 6;
    for (int i = 0; i < 5; ++i)
        w.Frame();
    CGuiElement* text = w.ctx.Find(ID_MATCH_POPUP_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_GE(w.Opened(ID_MATCH_POPUP), 1);
    const std::string told = text->GetText().GetText();
    EXPECT_NE(told.find(walking->name), std::string::npos);
    // His change is already under way: the message says so rather than sending the user to a
    // window that has nothing to ask.
    EXPECT_NE(told.find("already on his way off"), std::string::npos) << told;
    EXPECT_EQ(told.find("Choose a substitute"), std::string::npos) << told;

    other->personalFouls = 6;
    for (int i = 0; i < 3; ++i)
        w.Frame();
    EXPECT_EQ(std::string(text->GetText().GetText()).find(other->name), std::string::npos)
        << "the first message stays until it is closed";
    GuiMessage ok{ID_MATCH_POPUP_OK, -1, kMsgClick, 0, 0, 0};
    w.hud.OnMessage(ok);
    EXPECT_NE(std::string(text->GetText().GetText()).find(other->name), std::string::npos);
    EXPECT_NE(std::string(text->GetText().GetText()).find("Choose a substitute"), std::string::npos)
        << "one still on court is changed in the window";
}

TEST(Match3DMustLeave, WithNobodyFitOnTheBenchTheUsersHurtPlayerStaysAndPlayGoesOn) {
    WatchedMatch w;
    CMatchTeam& user = *w.match->homeTeam;
    for (int i = CMatchTeam::kOnCourt; i < user.GetCount(); ++i)
        user.GetPlayer(i)->injured = 1;
    CCourtPlayer* hurt = user.GetPlayer(1);
    hurt->injured = 1;
    w.match->paused = 1;
    const double clock = w.hud.GameClock();
    for (int i = 0; i < 300; ++i)
        w.Frame();
    // No change can be made: nothing asks for one and the match does not wait for it.
    EXPECT_EQ(w.Opened(ID_TACTICS), 0);
    EXPECT_FALSE(w.hud.Paused());
    EXPECT_GT(w.hud.GameClock(), clock);
    EXPECT_TRUE(w.OnCourt(user, hurt));
}

// Two of the user's players hurt at once and one fit man on the bench: once he is named for the
// first, nobody is left for the second, so Done closes the window, the change is carried out and
// play goes on with the second one staying on, his message shown once.
TEST(Match3DMustLeave, TwoHurtAndOneFitOnTheBenchTheWindowClosesAfterTheOnlyChange) {
    WatchedMatch w;
    CTacticsScreen tactics{w.ctx};
    w.kit.screens[ScreenRole::Tactics] = &tactics;
    w.kit.session.matchMode = 1;
    w.kit.session.view3D = 1;
    g_pMatch3D = w.match.get();
    struct Unset {
        ~Unset() { g_pMatch3D = nullptr; }
    } unset;
    tactics.userIsHome = 1;
    CMatchTeam& user = *w.match->homeTeam;
    for (int i = CMatchTeam::kOnCourt + 1; i < user.GetCount(); ++i)
        user.GetPlayer(i)->injured = 1;
    CCourtPlayer* fit = user.GetPlayer(CMatchTeam::kOnCourt);
    CCourtPlayer* first = user.GetPlayer(1);
    CCourtPlayer* second = user.GetPlayer(3);
    first->injured = 1;
    second->injured = 1;
    w.match->paused = 1;
    for (int i = 0; i < 5; ++i)
        w.Frame();
    w.kit.stack.ProcessMessages();
    ASSERT_TRUE(w.kit.stack.IsLayerActive(ID_TACTICS));
    ASSERT_TRUE(w.hud.Paused());

    // The only fit man named for the first of them, as the window records a swap; then Done.
    first->replacement = fit;
    first->inSubstitution = 1;
    w.match->flags.calledOffUser = first;
    w.match->flags.substitutionSide = 0;
    w.match->incomingPlayer = fit;
    tactics.substitutionPending = 1;
    GuiMessage done{ID_TA_APPLY, -1, kMsgClick, 0, 0, 0};
    tactics.OnMessage(done);
    w.kit.stack.ProcessMessages();
    EXPECT_FALSE(w.kit.stack.IsLayerActive(ID_TACTICS)) << "no swap is left to make";

    const double clock = w.hud.GameClock();
    const int popups = w.Opened(ID_MATCH_POPUP);
    w.hud.Play();
    for (int i = 0; i < 600; ++i)
        w.Frame();
    EXPECT_EQ(w.Opened(ID_TACTICS), 0);
    EXPECT_EQ(w.Opened(ID_MATCH_POPUP), popups) << "each one is told of once";
    EXPECT_FALSE(w.hud.Paused());
    EXPECT_GT(w.hud.GameClock(), clock);
    EXPECT_FALSE(w.OnCourt(user, first));
    EXPECT_TRUE(w.OnCourt(user, fit));
    EXPECT_TRUE(w.OnCourt(user, second));
}

TEST(Match3DMustLeave, TheComputerReplacesItsOwnFouledOutOrHurtPlayerWithoutTheUser) {
    WatchedMatch w;
    CCourtPlayer* fouled = w.match->awayTeam->GetPlayer(1);
    CCourtPlayer* hurt = w.match->awayTeam->GetPlayer(3);
    fouled->personalFouls = 6;
    hurt->injured = 1;
    w.match->paused = 1;
    const double clock = w.hud.GameClock();
    for (int i = 0; i < 300; ++i)
        w.Frame();
    EXPECT_FALSE(w.hud.Paused());
    EXPECT_GT(w.hud.GameClock(), clock);
    EXPECT_EQ(w.Opened(ID_MATCH_POPUP), 0);
    EXPECT_EQ(w.Opened(ID_TACTICS), 0);
    EXPECT_FALSE(w.OnCourt(*w.match->awayTeam, fouled));
    EXPECT_FALSE(w.OnCourt(*w.match->awayTeam, hurt));
    EXPECT_EQ(w.match->awayTeam->OnCourtCount(), 5);
}

// The display with the coach's word at the breaks, as the game builds it, and a user who answers
// the windows by their own buttons.
struct UserAtTheWindows {
    WatchedMatch& w;
    CSubstitutionDialog dialog{w.ctx};
    explicit UserAtTheWindows(WatchedMatch& match) : w(match) {
        dialog.SetUserSide([] { return true; });
        dialog.SetMatches(nullptr, w.match.get());
        w.kit.screens[ScreenRole::Substitution] = &dialog;
        w.kit.stack.SetEscapeButton(ID_TACTICS, ID_TA_APPLY);
    }
    // A click offered to the screens first, then to the layout's actions, as the game routes it.
    void Click(int id) {
        GuiMessage m{id, -1, kMsgClick, 0, 0, 0};
        w.hud.OnMessage(m);
        if (m.sID != -1)
            dialog.OnMessage(m);
        if (m.sID != -1)
            w.kit.stack.DeliverMessage(m);
        w.kit.stack.ProcessMessages();
    }
    // The open windows of the three, back to front.
    std::vector<int> Open() const {
        std::vector<int> open;
        for (const ScreenLayer& layer : w.kit.stack.Layers())
            if (layer.active && (layer.screenId == ID_MATCH_POPUP || layer.screenId == ID_QUARTERBREAK ||
                                 layer.screenId == ID_TACTICS))
                open.push_back(layer.screenId);
        return open;
    }
    bool Flag(Overlay overlay) const { return w.kit.shell.overlays[overlay]; }
    // The button Escape presses: the one of the window in front, -1 when it has none.
    int EscapeButton() const {
        const std::vector<ScreenLayer>& layers = w.kit.stack.Layers();
        for (auto it = layers.rbegin(); it != layers.rend(); ++it)
            if (it->active)
                return it->escapeButton;
        return -1;
    }
};

// 20 ms frames play one step each; from 715 s on, the frames until the first quarter ends.
void FrameOfOneStep(WatchedMatch& w) {
    w.now += 20;
    w.hud.FrameStep();
    if (w.hud.Paused() && w.hud.Quarter() == 1)
        w.hud.Play(); // a dead ball's stop is not what this is about
}

int StepsToQuarterEnd() {
    WatchedMatch w;
    w.hud.SetGameClock(715.0);
    int steps = 0;
    while (w.hud.Quarter() == 1 && steps < 100000) {
        ++steps;
        FrameOfOneStep(w);
    }
    return steps;
}

TEST(Match3DMustLeave, HurtAsTheQuarterEndsHisMessageAndTheChangeStandInFrontOfTheBreak) {
    const int steps = StepsToQuarterEnd();
    WatchedMatch w;
    UserAtTheWindows user(w);
    w.hud.SetGameClock(715.0);
    for (int i = 1; i < steps; ++i)
        FrameOfOneStep(w);
    // Hurt in the quarter's last step: the same seeded match ends its quarter there.
    CCourtPlayer* hurt = w.match->homeTeam->GetPlayer(2);
    hurt->injured = 1;
    FrameOfOneStep(w);
    ASSERT_EQ(w.hud.Quarter(), 2);
    w.kit.stack.ProcessMessages();
    ASSERT_EQ(user.Open(), (std::vector<int>{ID_QUARTERBREAK, ID_TACTICS, ID_MATCH_POPUP}))
        << "the break hides who must leave and the window for his change";
    EXPECT_TRUE(w.hud.Paused());
    EXPECT_EQ(user.EscapeButton(), -1) << "the message in front has no Escape";

    // The message's OK closes the message only; the break stays until its own button.
    user.Click(ID_MATCH_POPUP_OK);
    EXPECT_EQ(user.Open(), (std::vector<int>{ID_QUARTERBREAK, ID_TACTICS}));
    EXPECT_FALSE(user.Flag(Overlay::Popup));
    EXPECT_TRUE(user.Flag(Overlay::QuarterBreak));
    EXPECT_EQ(user.EscapeButton(), ID_TA_APPLY) << "Escape reaches the tactics window";

    // The break's button closes the break only; the message does not come back.
    user.Click(ID_QUARTERBREAK_OK);
    EXPECT_EQ(user.Open(), (std::vector<int>{ID_TACTICS}));
    EXPECT_FALSE(user.Flag(Overlay::QuarterBreak));
    EXPECT_FALSE(user.Flag(Overlay::Popup));

    // The change, then play: the second quarter runs without him and nothing reopens.
    const int substitute = w.match->homeTeam->PickSubstitute();
    ASSERT_GE(substitute, 0);
    w.match->RequestSubstitution(hurt->playerId, substitute, false);
    w.hud.Play();
    for (int i = 0; i < 600; ++i) {
        w.Frame();
        w.kit.stack.ProcessMessages();
    }
    EXPECT_FALSE(w.hud.Paused());
    EXPECT_EQ(w.hud.Quarter(), 2);
    EXPECT_GT(w.hud.GameClock(), 0.0);
    EXPECT_FALSE(w.OnCourt(*w.match->homeTeam, hurt));
    EXPECT_EQ(user.Open(), (std::vector<int>{ID_TACTICS}));
}

TEST(Match3DMustLeave, AMessageAfterTheBreakOpenedStandsInFrontAndEachButtonClosesItsOwn) {
    const int steps = StepsToQuarterEnd();
    WatchedMatch w;
    UserAtTheWindows user(w);
    w.hud.SetGameClock(715.0);
    for (int i = 0; i < steps; ++i)
        FrameOfOneStep(w);
    ASSERT_EQ(w.hud.Quarter(), 2);
    w.kit.stack.ProcessMessages();
    ASSERT_EQ(user.Open(), (std::vector<int>{ID_QUARTERBREAK}));
    // Play pressed with the coach's word still up; then a sixth foul.
    w.hud.Play();
    CCourtPlayer* fouled = w.match->homeTeam->GetPlayer(1);
    fouled->personalFouls = 6;
    w.match->paused = 1;
    for (int i = 0; i < 5; ++i)
        w.Frame();
    w.kit.stack.ProcessMessages();
    EXPECT_TRUE(w.hud.Paused());
    ASSERT_EQ(user.Open(), (std::vector<int>{ID_QUARTERBREAK, ID_TACTICS, ID_MATCH_POPUP}));
    user.Click(ID_QUARTERBREAK_OK);
    EXPECT_EQ(user.Open(), (std::vector<int>{ID_TACTICS, ID_MATCH_POPUP}));
    EXPECT_TRUE(user.Flag(Overlay::Popup));
    user.Click(ID_MATCH_POPUP_OK);
    EXPECT_EQ(user.Open(), (std::vector<int>{ID_TACTICS}));
    EXPECT_FALSE(user.Flag(Overlay::Popup));
    // Play without the change stops again at once, with no message reopened.
    w.hud.Play();
    for (int i = 0; i < 60; ++i) {
        w.Frame();
        w.kit.stack.ProcessMessages();
    }
    EXPECT_TRUE(w.hud.Paused());
    EXPECT_EQ(user.Open(), (std::vector<int>{ID_TACTICS}));
}

// The user as the watched match meets him with the tactics window and the coaching dialog in place,
// who changes nobody himself: OK to a message, Done to the window, Fast to a stopped match.
struct HandsOffUser {
    WatchedMatch& w;
    CTacticsScreen tactics{w.ctx};
    CSubstitutionDialog dialog{w.ctx};
    int windows = 0;
    explicit HandsOffUser(WatchedMatch& match) : w(match) {
        w.kit.screens[ScreenRole::Tactics] = &tactics;
        w.kit.screens[ScreenRole::Substitution] = &dialog;
        w.kit.session.matchMode = 1;
        w.kit.session.view3D = 1;
        g_pMatch3D = w.match.get();
        tactics.userIsHome = 1;
        dialog.SetUserSide([] { return true; });
        dialog.SetMatches(nullptr, w.match.get());
        w.match->onUserMustLeave = [this] { w.hud.OpenTactics(); };
    }
    ~HandsOffUser() {
        g_pMatch3D = nullptr;
        w.match->onUserMustLeave = nullptr;
    }
    void Click(int id) {
        GuiMessage m{id, -1, kMsgClick, 0, 0, 0};
        for (CGameScreen* screen : std::initializer_list<CGameScreen*>{&tactics, &w.hud, &dialog})
            if (m.sID != -1)
                screen->OnMessage(m);
        if (m.sID != -1)
            w.kit.stack.DeliverMessage(m);
        w.kit.stack.ProcessMessages();
    }
    // One frame and the user's answer to what stands in front.
    void Frame() {
        w.Frame();
        w.kit.stack.ProcessMessages();
        if (w.kit.stack.IsLayerActive(ID_MATCH_POPUP)) {
            Click(ID_MATCH_POPUP_OK);
        } else if (w.kit.stack.IsLayerActive(ID_QUARTERBREAK)) {
            Click(ID_QUARTERBREAK_OK);
        } else if (w.kit.stack.IsLayerActive(ID_TACTICS)) {
            ++windows;
            Click(ID_TA_APPLY);
        } else if (w.hud.Paused() || !w.hud.Fast()) {
            w.hud.PlayFast();
        }
    }
};

// A player of the user's who must leave comes with his change offered in the window: Done alone
// takes him off for the freshest fit man on the bench and play goes on. Before, Done left a
// fouled-out player on court and the window came back a step later, for good; a hurt one kept the
// window from closing at all.
TEST(Match3DMustLeave, DoneAloneTakesOffWhoMustLeaveForTheOfferedSubstitute) {
    for (const bool hurt : {false, true}) {
        SCOPED_TRACE(hurt ? "hurt" : "six fouls");
        WatchedMatch w;
        HandsOffUser user(w);
        CMatchTeam& team = *w.match->homeTeam;
        CCourtPlayer* leaving = team.GetPlayer(2);
        CCourtPlayer* freshest = nullptr;
        for (int i = CMatchTeam::kOnCourt; i < team.GetCount(); ++i)
            if (freshest == nullptr || team.GetPlayer(i)->stamina > freshest->stamina)
                freshest = team.GetPlayer(i);
        if (hurt)
            leaving->injured = 1;
        else
            leaving->personalFouls = 6;
        w.match->paused = 1;
        for (int i = 0; i < 5; ++i)
            w.Frame();
        w.kit.stack.ProcessMessages();
        ASSERT_TRUE(w.kit.stack.IsLayerActive(ID_TACTICS));
        // The window shows the change as made.
        const std::vector<TacticsRow> rows = RowsOfMatchTeam(team, w.ctx.Texts());
        bool shownOnCourt = false;
        for (const TacticsRow& row : rows)
            shownOnCourt = shownOnCourt || (row.id == freshest->playerId && row.onCourt);
        EXPECT_TRUE(shownOnCourt) << "the offered substitute stands in the court list";

        const double clock = w.hud.GameClock();
        for (int i = 0; i < 600; ++i)
            user.Frame();
        EXPECT_EQ(user.windows, 1) << "one Done made the change";
        EXPECT_FALSE(w.OnCourt(team, leaving));
        EXPECT_TRUE(w.OnCourt(team, freshest));
        EXPECT_FALSE(w.hud.Paused());
        EXPECT_GT(w.hud.GameClock(), clock + 10.0);
    }
}

// A whole watched match left alone: it ends, nobody of the user's runs himself into injury, and
// each side's minutes add up to the match's length.
TEST(Match3DMustLeave, AWatchedMatchLeftAloneEndsWithNoExhaustionAndWholeMinutes) {
    WatchedMatch w;
    HandsOffUser user(w);
    bool ended = false;
    w.hud.SetEndHandler([&ended] { ended = true; });
    int periods = 1;
    for (long frame = 0; !ended && frame < 400000; ++frame) {
        user.Frame();
        periods = std::max(periods, w.hud.Quarter());
    }
    ASSERT_TRUE(ended);
    const int length = 4 * 720 + 300 * std::max(0, periods - 4);
    for (const CMatchTeam* team : {w.match->homeTeam, w.match->awayTeam}) {
        int seconds = 0;
        for (const CCourtPlayer* p : team->players) {
            seconds += p->secondsOnCourt;
            if (team->isUserTeam) {
                EXPECT_EQ(p->exhausted, 0) << p->name;
            }
        }
        EXPECT_EQ(seconds, 5 * length);
    }
}
} // namespace
