// One seeded 3D match played three ways - headless, and behind the in-match display at normal speed
// and fast with the game's frames - ends with the same score and box score: the Fast button changes
// how long a match takes, never its result.
#include "database/Records.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/SceneLoader.h"
#include "screens/match/Match3DHudLink.h"
#include "screens/match/MatchHud.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

class QuietHost : public IMatchSceneHost {
public:
    void SetWaitCaption(int) override {}
    void SetProgress(int, int) override {}
    void SetArena(int, int) override {}
    void ShowStreetballImage() override {}
    void SetTrackingPoint(const Vec3&) override {}
};

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

std::unique_ptr<CMatch3D> Load(Squad& home, Squad& away, unsigned seed) {
    GameSrand(seed);
    MatchSceneSetup setup;
    setup.home = &home.team;
    setup.away = &away.team;
    setup.userAtHome = true;
    setup.userClubId = home.team.id;
    setup.modelSkip = true;
    QuietHost host;
    std::atomic<uint8_t> wait{0};
    std::unique_ptr<CMatch3D> match = LoadMatchScene(setup, host, wait);
    match->textSource = [](int) { return CStr(); };
    // Both on the computer's coaching, as in the box-score batches.
    match->homeTeam->isUserTeam = 0;
    match->awayTeam->isUserTeam = 0;
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

// Frames of frameMs through the display's frame step; every break is answered with the chosen
// speed button, as a user would press it.
Result PlayWatched(Squad& home, Squad& away, unsigned seed, bool fast, uint32_t frameMs, long& frames) {
    std::unique_ptr<CMatch3D> match = Load(home, away, seed);
    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    CMatchHud hud(ctx);
    uint32_t now = 1000;
    hud.SetClock([&now] { return now; });
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
    EXPECT_GT(headless.home + headless.away, 60) << "a real match was played";
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

} // namespace
