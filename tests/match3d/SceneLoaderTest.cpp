// The 3D scene set-up: stadium keys to arena files and court geometry (with the unknown key's
// fallback), the shipped descriptors, and a whole set-up from two squads without model files.
#include "match3d/SceneLoader.h"

#include "match3d/BoxScoreBatch.h"

#include "database/Records.h"
#include "engine/GameObject.h"
#include "engine/Model.h"
#include "engine/Paths.h"
#include "engine/Xml.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// The pair the 3D figures are tuned on, offence 0 and the zone 10: these checks hold the engine's
// bookkeeping and coaching there. A new career's man-to-man is held to the zone's pace below and
// measured by the box-score bench.
const UserTactics kTunedPair{kDefaultOffenceTactic, kDefaultDefenceTactic};

TEST(StadiumKey, FamiliesAndLevelsNameTheirFiles) {
    ArenaFiles nba = ArenaFilesForKey("std_nba_07");
    EXPECT_STREQ(nba.arena.GetText(), "Stadions\\ini\\STD_NBA_07.xml");
    EXPECT_STREQ(nba.camera.GetText(), "Stadions\\ini\\camera_nba_07.xml");
    ArenaFiles street = ArenaFilesForKey("std_street_10");
    EXPECT_STREQ(street.arena.GetText(), "Stadions\\ini\\STD_street_10.xml");
    EXPECT_STREQ(street.camera.GetText(), "Stadions\\ini\\camera_str_10.xml");
    ArenaFiles eu = ArenaFilesForKey("std_eu_03");
    EXPECT_STREQ(eu.arena.GetText(), "Stadions\\ini\\STD_Fiba_03.xml");
    // The high-school family has no level 01 of its own.
    ArenaFiles school = ArenaFilesForKey("std_highschool_01");
    EXPECT_STREQ(school.arena.GetText(), "Stadions\\ini\\STD_HScool_02.xml");
    EXPECT_STREQ(school.camera.GetText(), "Stadions\\ini\\camera_hscool_02.xml");
    for (const char* bad :
         {"", "std_nba_11", "std_nba_00", "std_nba_7", "STD_NBA_01", "std_moon_01", "std_eu_01x"})
        EXPECT_TRUE(ArenaFilesForKey(bad).arena.IsEmpty()) << bad;
}

TEST(StadiumKey, UnknownKeyFallsBackToTheDefaultArena) {
    ArenaFiles files = ChooseArenaFiles("std_moon_04");
    EXPECT_STREQ(files.arena.GetText(), "Stadions\\ini\\STD_Fiba_01.xml");
    EXPECT_STREQ(files.camera.GetText(), "Stadions\\ini\\camera_fiba_01.xml");
    EXPECT_STREQ(ChooseArenaFiles("std_nba_02").arena.GetText(), "Stadions\\ini\\STD_NBA_02.xml");
}

TEST(StadiumKey, GeometryByFamily) {
    ArenaGeometry g;
    ASSERT_TRUE(ArenaGeometryForKey("std_street_02", g));
    EXPECT_EQ(g.hudKind, 2);
    EXPECT_EQ(g.outdoor, 1);
    EXPECT_FLOAT_EQ(g.maxX, 7.0f);
    EXPECT_FLOAT_EQ(g.minZ, -13.0f);
    EXPECT_FLOAT_EQ(g.boardBottom, 2.9f);
    ASSERT_TRUE(ArenaGeometryForKey("std_nba_01", g));
    EXPECT_EQ(g.hudKind, 1);
    EXPECT_FLOAT_EQ(g.maxZ, 14.2905f);
    EXPECT_FLOAT_EQ(g.plusZPlane, 12.35f);
    // A later family's substring wins over an earlier one's.
    ASSERT_TRUE(ArenaGeometryForKey("street_eu", g));
    EXPECT_EQ(g.hudKind, 3);
    EXPECT_FLOAT_EQ(g.plusZPlane, 12.87f);
    ArenaGeometry untouched;
    untouched.hudKind = 9;
    EXPECT_FALSE(ArenaGeometryForKey("std_moon_01", untouched));
    EXPECT_EQ(untouched.hudKind, 9);
}

TEST(SceneDescriptors, EveryKeyHasItsShippedFilesAndTheObjectsLoad) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    const char* families[] = {"std_street_", "std_eu_", "std_highschool_", "std_nba_"};
    for (const char* family : families)
        for (int level = 1; level <= 10; ++level) {
            const CStr key = CStr::Formatted("%s%.2d", family, level);
            const ArenaFiles files = ArenaFilesForKey(key);
            EXPECT_TRUE(FileExists(CStr("\\").Concat(files.arena).GetText())) << key.GetText();
            EXPECT_TRUE(FileExists(CStr("\\").Concat(files.camera).GetText())) << key.GetText();
        }
    std::unique_ptr<CQuorelGameObject> ball(LoadSceneObject("\\objects\\kv_ball.xml"));
    ASSERT_NE(ball, nullptr);
    // An arena descriptor is a World, not an Object.
    EXPECT_EQ(LoadSceneObject("\\Stadions\\ini\\STD_NBA_01.xml"), nullptr);
    std::unique_ptr<CQuorelGameObject> cube(LoadSceneObject("\\objects\\kv_cube.xml"));
    ASSERT_NE(cube, nullptr);
    EXPECT_NE(cube->FindSubObject("kijelzo_01"), nullptr) << "the scoreboard's screens";
}

// Records the host's calls.
class RecordingHost : public IMatchSceneHost {
public:
    void SetWaitCaption(int textId) override {
        captions.push_back(textId);
        waitSeen = waitSeen || (flag != nullptr && flag->load() != 0);
    }
    void SetProgress(int done, int steps) override {
        lastDone = done;
        lastSteps = steps;
    }
    void SetArena(int hudKind, int outdoorFlag) override {
        kind = hudKind;
        outdoor = outdoorFlag;
    }
    void ShowStreetballImage() override { streetball = true; }
    void SetTrackingPoint(const Vec3& point) override { tracking = point; }

    std::vector<int> captions;
    std::atomic<uint8_t>* flag = nullptr;
    bool waitSeen = false;
    int lastDone = -1, lastSteps = -1;
    int kind = -1, outdoor = -1;
    bool streetball = false;
    Vec3 tracking{9, 9, 9};
};

// A court with one arena family's bounds and boards.
class FakeCourtForBoard : public IBallCourt {
public:
    explicit FakeCourtForBoard(const ArenaGeometry& g) : g_(g) {
        plus_ = {g.boardMinX, g.boardMaxX, g.boardTop, g.boardBottom, g.plusZPlane};
        minus_ = {g.boardMinX, g.boardMaxX, g.boardTop, g.boardBottom, g.minusZPlane};
    }
    float CourtMinX() const override { return g_.minX; }
    float CourtMaxX() const override { return g_.maxX; }
    float CourtMinZ() const override { return g_.minZ; }
    float CourtMaxZ() const override { return g_.maxZ; }
    const BackboardBox& Backboard(bool plusZ) const override { return plusZ ? plus_ : minus_; }
    uint8_t& ShotInFlightFlag() override { return flag_; }
    bool HandlerSureBasket() const override { return false; }
    bool HandlerSureMiss() const override { return true; }

private:
    ArenaGeometry g_;
    BackboardBox plus_, minus_;
    uint8_t flag_ = 0;
};

// A squad of twelve; players 2, 5, 7, 9 and 11 start.
struct Squad {
    CTeam team;
    std::vector<std::unique_ptr<CPlayer>> players;

    Squad(int id, const char* key) {
        team.id = id;
        team.name = CStr::Formatted("Club %d", id);
        team.stadiumKey = key;
        team.homeKit = id + 1;
        team.awayKit = id + 25;
        for (int i = 0; i < 12; ++i) {
            auto p = std::make_unique<CPlayer>();
            p->id = id * 100 + i;
            p->name = CStr::Formatted("Player %d-%d", id, i);
            p->words[kWordHeight] = 190 + i;
            p->words[kWordMatchState] =
                (i == 2 || i == 5 || i == 7 || i == 9 || i == 11) ? kOnCourt : kOnBench;
            p->SkillValue(1) = 80 + i;
            p->SkillValue(2) = 40 + i;
            p->skin = i % 2;
            team.players.push_back(p.get());
            players.push_back(std::move(p));
        }
    }
    // Every skill rated about `skill` (up to 14 above it, spread over the players and skills).
    Squad(int id, const char* key, int skill) : Squad(id, key) {
        for (size_t i = 0; i < players.size(); ++i)
            for (int s = 0; s < kSkillCount; ++s)
                players[i]->SkillValue(s) = skill + (static_cast<int>(i) * 7 + s * 3) % 15;
    }
};

TEST(LoadMatchScene, BuildsRostersRefereesAndCourtWithoutModelFiles) {
    ASSERT_TRUE(FileExists("\\ini\\InitData.xml")) << "run from the game folder";
    Squad home(3, "std_street_04");
    Squad away(4, "std_nba_01");
    MatchSceneSetup setup;
    setup.home = &home.team;
    setup.away = &away.team;
    setup.userAtHome = false;
    setup.userClubId = 4;
    setup.userAttack = 1;
    setup.userDefence = 11;
    setup.modelSkip = true;
    RecordingHost host;
    std::atomic<uint8_t> wait{0};
    std::atomic<uint8_t> worker{0};
    host.flag = &wait;
    std::unique_ptr<CMatch3D> match = MatchSceneLoaderThread(setup, host, wait, worker);
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(wait.load(), 0) << "the wait screen ends with the set-up";
    EXPECT_EQ(worker.load(), 0);
    EXPECT_TRUE(host.waitSeen);
    EXPECT_EQ(host.captions, (std::vector<int>{60043, 60045, 60044}));
    EXPECT_EQ(host.lastSteps, 8) << "the model-skip flag shortens the progress";
    EXPECT_EQ(host.lastDone, 8);

    // The home club's key chooses the court.
    EXPECT_STREQ(match->stadiumKey.GetText(), "std_street_04");
    EXPECT_EQ(host.kind, 2);
    EXPECT_EQ(host.outdoor, 1);
    EXPECT_TRUE(host.streetball);
    EXPECT_FLOAT_EQ(match->courtMaxZ, 13.0f);
    EXPECT_FLOAT_EQ(match->plusZBoard.yBottom, 2.9f);
    EXPECT_EQ(match->cubeLoaded, 0);
    EXPECT_EQ(match->logos, nullptr);

    // Starters first in their squad order, the others after; the user's side is the away team.
    const CMatchTeam& h = *match->GetHomeTeam();
    const CMatchTeam& a = *match->GetAwayTeam();
    const int starters[5] = {2, 5, 7, 9, 11};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(h.GetPlayer(i)->playerId, 300 + starters[i]);
        EXPECT_EQ(h.GetPlayer(i)->matchState, kMatchStateOnCourt);
        EXPECT_EQ(h.GetPlayer(i)->marking, a.GetPlayer(i)) << "direct opponents";
        EXPECT_EQ(a.GetPlayer(i)->marking, h.GetPlayer(i));
    }
    EXPECT_EQ(h.GetPlayer(5)->playerId, 300);
    EXPECT_EQ(h.GetCount(), 15) << "places beyond the squad keep their defaults";
    const CCourtPlayer& first = *a.GetPlayer(0);
    EXPECT_STREQ(first.name, "Player 4-2");
    EXPECT_EQ(first.height, 192);
    EXPECT_FLOAT_EQ(first.stamina, 82.0f);
    EXPECT_EQ(first.attributes[0], 42);
    EXPECT_EQ(first.homeKitTexture, 5);
    EXPECT_EQ(first.side, 1);
    EXPECT_TRUE(a.isUserTeam);
    EXPECT_FALSE(h.isUserTeam);
    EXPECT_TRUE(first.isUserPlayer);
    EXPECT_EQ(a.attackTactic, 1) << "the user's tactics on the user's side";

    // The referees at their posts, facing the court; the ball up at the centre.
    ASSERT_NE(match->firstReferee, nullptr);
    EXPECT_FLOAT_EQ(match->firstReferee->position.x, -6.0f);
    EXPECT_FLOAT_EQ(match->secondReferee->position.z, -13.0f);
    EXPECT_FLOAT_EQ(match->thirdReferee->position.z, 13.0f);
    EXPECT_GT(match->thirdReferee->facing.x, 0.0f);
    ASSERT_NE(match->ball, nullptr);
    EXPECT_FLOAT_EQ(host.tracking.y, 3.0f);
    EXPECT_TRUE(match->characters.empty()) << "no model opened";
    EXPECT_FALSE(match->firstReferee->HasInstance());
}

// Away the computer once pressed from the tip-off, fouled more and sat its starters in foul trouble.
TEST(LoadMatchScene, TheComputerLinesUpTheSameAtHomeAndAway) {
    for (const bool userAtHome : {true, false}) {
        Squad home(1, "std_eu_01");
        Squad away(2, "std_eu_02");
        MatchSceneSetup setup;
        setup.home = &home.team;
        setup.away = &away.team;
        setup.userAtHome = userAtHome;
        setup.userClubId = userAtHome ? 1 : 2;
        setup.userAttack = 1;
        setup.userDefence = 11;
        setup.modelSkip = true;
        RecordingHost host;
        std::atomic<uint8_t> wait{0};
        std::unique_ptr<CMatch3D> match = LoadMatchScene(setup, host, wait);
        ASSERT_NE(match, nullptr);
        const CMatchTeam& user = userAtHome ? *match->GetHomeTeam() : *match->GetAwayTeam();
        const CMatchTeam& computer = userAtHome ? *match->GetAwayTeam() : *match->GetHomeTeam();
        EXPECT_EQ(user.attackTactic, 1) << userAtHome;
        EXPECT_EQ(user.defenceTactic, 11) << userAtHome;
        EXPECT_EQ(computer.attackTactic, kDefaultOffenceTactic) << userAtHome;
        EXPECT_EQ(computer.defenceTactic, kDefaultDefenceTactic) << userAtHome;
    }
}

TEST(LoadMatchScene, TheVideoCubeOptionSetsTheRunSpeedsOfTheCharactersBuilt) {
    Squad home(1, "std_eu_01");
    Squad away(2, "std_eu_01");
    for (const bool cube : {false, true}) {
        MatchSceneSetup setup;
        setup.home = &home.team;
        setup.away = &away.team;
        setup.videoCube = cube;
        RecordingHost host;
        std::atomic<uint8_t> wait{0};
        std::unique_ptr<CMatch3D> match = LoadMatchScene(setup, host, wait);
        ASSERT_NE(match, nullptr);
        const CCourtPlayer& player = *match->homeTeam->GetPlayer(0);
        ASSERT_TRUE(player.HasInstance()) << "the player model loads";
        EXPECT_FLOAT_EQ(player.runSpeed, cube ? 8.0f : 5.3f);
        EXPECT_FLOAT_EQ(player.walkSpeed, 1.4f);
        ASSERT_TRUE(match->firstReferee->HasInstance());
        EXPECT_FLOAT_EQ(match->firstReferee->runSpeed, cube ? 10.5f : 7.8f);
    }
}

TEST(LoadMatchScene, PlayersWearHeadsOfTheirOwnTheSameEveryMatch) {
    Squad home(1, "std_eu_01");
    Squad away(2, "std_eu_01");
    std::vector<int32_t> heads[2];
    for (std::vector<int32_t>& seen : heads) {
        MatchSceneSetup setup;
        setup.home = &home.team;
        setup.away = &away.team;
        setup.modelSkip = true;
        RecordingHost host;
        std::atomic<uint8_t> wait{0};
        std::unique_ptr<CMatch3D> match = LoadMatchScene(setup, host, wait);
        ASSERT_NE(match, nullptr);
        for (const CCourtPlayer* p : match->homeTeam->players) {
            seen.push_back(p->headTexture);
            const char* tone = p->skinTone == 0 ? "black" : "white";
            EXPECT_TRUE(FileExists(
                CStr::Formatted("\\characters\\textures\\head_%s_%.2d.dds", tone, p->headTexture).GetText()))
                << p->name << " " << p->headTexture;
        }
    }
    EXPECT_EQ(heads[0], heads[1]);
    std::vector<int32_t> distinct = heads[0];
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_GE(distinct.size(), 4u) << "a squad does not share one face";
}

// A ball thrown at the board of each arena family turns where that family's drawn board stands.
TEST(ArenaFamilies, TheDrawnBoardIsWhereTheBallBouncesInEveryFamily) {
    const struct {
        const char* key;
        const char* descriptor;
    } families[] = {{"std_eu_03", "\\Stadions\\ini\\STD_Fiba_03.xml"},
                    {"std_nba_03", "\\Stadions\\ini\\STD_NBA_03.xml"},
                    {"std_street_03", "\\Stadions\\ini\\STD_street_03.xml"},
                    {"std_highschool_03", "\\Stadions\\ini\\STD_HScool_03.xml"}};
    std::vector<std::string> models;
    for (const auto& family : families) {
        SCOPED_TRACE(family.key);
        ArenaGeometry geometry;
        ASSERT_TRUE(ArenaGeometryForKey(family.key, geometry));
        XmlNode root = XmlNode::OpenFile(family.descriptor, "FileDescriptor");
        XmlNode file = root.ChildNode("QuorelFile");
        const CStr model =
            CStr("\\").Concat(file.ChildText("ModelDirectory")).Concat(file.ChildText("Modell"));
        models.emplace_back(model.GetText());
        ModelData arena;
        ASSERT_TRUE(LoadModelFile(model.GetText(), arena)) << model.GetText();
        // The board is the first box of the +z basket: its face toward the court.
        const ModelSubObject* basket = nullptr;
        for (const ModelSubObject& sub : arena.subObjects)
            if (sub.name.Equals("basket_pos_z"))
                basket = &sub;
        ASSERT_NE(basket, nullptr);
        float face = 1e9f;
        for (size_t i = 0; i < 24 && i < basket->vertices.size(); ++i)
            face = std::min(face, basket->vertices[i].pos[2]);
        EXPECT_NEAR(face, geometry.plusZPlane, 0.01f);

        FakeCourtForBoard court(geometry);
        CMatchBall ball(&court);
        ball.SetHeld(false);
        ball.SetLoose(false);
        ball.SetPosition(0.3f, 3.3f, face - 1.5f);
        ball.SetDirection(0.0f, 0.0f, 1.0f);
        ball.SetSpeed(6.0f);
        float deepest = -1e9f;
        for (int i = 0; i < 100; ++i) {
            ball.Update(0.01f);
            deepest = std::max(deepest, ball.GetPosition().z);
        }
        EXPECT_LE(deepest, face) << "the ball never passes through the drawn board";
        EXPECT_GT(deepest, face - 0.5f) << "it turns at the board, not short of it";
    }
    // Each family has a hall of its own.
    std::sort(models.begin(), models.end());
    EXPECT_EQ(std::unique(models.begin(), models.end()), models.end());
}

// Every miss comes off the rim or the board of the hall it is played in, from every spot at both
// ends: off the rim from its front, off the board from before its face. Aimed beside the rim at the
// basket's own line, misses from the wing drifted past the eu halls' board (0.74 m behind the rim) and
// left the court untouched, and a miss off their rim came down behind it.
TEST(ArenaFamilies, AMissComesOffTheRimOrTheBoardOfEveryHall) {
    for (const char* key : {"std_eu_03", "std_nba_03", "std_street_03", "std_highschool_03"}) {
        SCOPED_TRACE(key);
        ArenaGeometry g;
        ASSERT_TRUE(ArenaGeometryForKey(key, g));
        int shots = 0, touched = 0;
        for (const float end : {1.0f, -1.0f})
            for (float angle = -1.4f; angle <= 1.4f; angle += 0.35f)
                for (const float distance : {2.5f, 4.5f, 6.5f})
                    for (const float spreadX : {0.0f, 0.5f, 1.0f})
                        for (const float spreadY : {0.0f, 1.0f}) {
                            const Vec3 from(distance * std::sin(angle), 2.5f,
                                            end * (12.13f - distance * std::cos(angle)));
                            FakeCourtForBoard court(g); // a fresh shot in flight
                            Vec3 aim =
                                ShotAimPoint(court, Vec3(0.0f, 0.0f, end * 12.13f), true, spreadX, spreadY);
                            aim = aim - from;
                            aim.Normalize();
                            CMatchBall ball(&court);
                            ball.SetHeld(false);
                            ball.SetLoose(false);
                            ball.SetPosition(from.x, from.y, from.z);
                            ball.SetDirection(aim.x, aim.y, aim.z);
                            ball.SetSpeed(7.0f);
                            ++shots;
                            for (int step = 0; step < 150 && !ball.IsLoose(); ++step) {
                                const Vec3 next = ball.PredictPosition(0.02f);
                                const bool rim = std::fabs(next.x) < 0.2f && next.y > 2.9f &&
                                                 next.y < 3.15f && std::fabs(next.z) > 12.0f &&
                                                 std::fabs(next.z) < 12.3f;
                                ball.Update(0.02f);
                                if (!ball.HasHoopContact())
                                    continue;
                                ++touched;
                                const float z = std::fabs(ball.GetPosition().z);
                                if (rim)
                                    EXPECT_LT(z, 12.13f) << "off the rim from its front";
                                else
                                    EXPECT_NEAR(z, g.plusZPlane - 0.27f, 0.01f) << "off the board";
                                EXPECT_LT(ball.GetDirection().z * end, 0.0f) << "back toward the court";
                                break;
                            }
                        }
        EXPECT_EQ(touched, shots) << "every miss comes off the rim or the board";
    }
}

TEST(LoadMatchScene, ASecondLoaderWhileOneRunsBuildsNothing) {
    Squad home(1, "std_eu_01");
    Squad away(2, "std_eu_01");
    MatchSceneSetup setup;
    setup.home = &home.team;
    setup.away = &away.team;
    setup.modelSkip = true;
    RecordingHost host;
    std::atomic<uint8_t> wait{1};
    std::atomic<uint8_t> worker{0};
    EXPECT_EQ(MatchSceneLoaderThread(setup, host, wait, worker), nullptr);
    EXPECT_TRUE(host.captions.empty());
    EXPECT_EQ(wait.load(), 1);
}

} // namespace

namespace {

// Two seeded matches of real squads through the set-up and the headless loop: both end, and every
// side's scoreboard equals its box score. The figures are far below the flat court's yet (see
// bench_match3d_boxscore), so only their shape is held here.
TEST(Match3DBatch, SeededMatchesOfRealSquadsEndWithBoxScoresThatAddUp) {
    Squad home(5, "std_eu_02");
    Squad away(6, "std_nba_03");
    const Match3DBatchFigures f =
        PlayMatch3DBatch({&home.team, &away.team}, 2, 2026, false, false, {}, kTunedPair);
    EXPECT_EQ(f.matches, 2);
    EXPECT_EQ(f.unfinished, 0);
    EXPECT_EQ(f.off, 0);
    EXPECT_LE(f.total.twoMade, f.total.twoTaken);
    EXPECT_LE(f.total.threesMade, f.total.threesTaken);
    EXPECT_EQ(f.total.points, 2 * f.total.twoMade + 3 * f.total.threesMade + f.total.freeThrowsMade);
    // Markers stop shots: a few blocks, every one a missed field goal.
    std::printf("3D: %d blocks, %d steals, %d fouls in %d matches\n", f.total.blocks, f.total.steals,
                f.total.fouls, f.matches);
    EXPECT_GT(f.total.blocks, 0);
    EXPECT_LE(f.total.blocks, f.total.FieldGoalsTaken() - f.total.FieldGoalsMade());
    // Play never stands still: the shot clock's late shot ends a possession, and a change is made at
    // the next dead ball (match seconds). These squads make about one shot in six, so misses and
    // defensive rebounds may keep the ball alive for two minutes and more now that a throw-in is
    // caught rather than thrown out of the court; a change that never came would wait a quarter. A
    // possession can outlast one shot clock when a foul or a ball out gives the same side a new one:
    // three shot clocks and the two throw-ins between them at most: a side hemmed in under the
    // basket drew a foul or sent the ball out 17-20 s into the clock twice running (81 s; the same
    // squads on other seeds 58 s). With a zone's helpers reaching in seldom these squads once played
    // 230 s without a foul or a ball out; a change that never came would wait a quarter.
    EXPECT_GT(f.total.longestPossession, 0.0);
    EXPECT_LT(f.total.longestPossession, 3 * 24.0 + 2 * 8.0);
    EXPECT_LT(f.total.longestChange, 300.0);
}

} // namespace

namespace {

// Strength shows when classes meet: each side reads the match's level moved most of the way toward
// its own class's, so the stronger squad keeps most of its edge and the weaker is not pushed to the
// other's tables; clubs of one class read their own level, whoever they play.
TEST(Match3DBatch, ClubsOfDifferentClassesReadLevelsNearTheirOwn) {
    constexpr int32_t kRegularLeague = 100005;
    Squad weak(7, "std_eu_02");
    Squad weakPeer(8, "std_eu_03");
    Squad strong(9, "std_nba_03");
    Squad strongPeer(10, "std_nba_04");
    for (Squad* s : {&weak, &weakPeer, &strong, &strongPeer})
        s->team.leagueKind = kRegularLeague;
    weak.team.leagueId = 3; // class 0
    weakPeer.team.leagueId = 6;
    strong.team.leagueId = 5; // class 2
    strongPeer.team.leagueId = 8;

    struct Levels {
        float homeShot, awayShot, homeContest, awayContest;
    };
    auto levels = [](Squad& home, Squad& away) {
        const std::unique_ptr<CMatch3D> match = LoadSeededMatch3D(home.team, away.team, 11, false);
        const CCourtPlayer& h = *match->GetHomeTeam()->GetPlayer(0);
        const CCourtPlayer& a = *match->GetAwayTeam()->GetPlayer(0);
        return Levels{h.levelFactor, a.levelFactor, h.contestLevelFactor, a.contestLevelFactor};
    };
    const Levels weakOnly = levels(weak, weakPeer);
    const Levels strongOnly = levels(strong, strongPeer);
    EXPECT_FLOAT_EQ(weakOnly.homeShot, weakOnly.awayShot);
    EXPECT_FLOAT_EQ(strongOnly.homeContest, strongOnly.awayContest);
    EXPECT_LT(weakOnly.homeShot, strongOnly.homeShot) << "the tables rise with the class";

    const Levels mixed = levels(weak, strong);
    const float ownShotGap = strongOnly.homeShot - weakOnly.homeShot;
    const float ownContestGap = strongOnly.homeContest - weakOnly.homeContest;
    // Pulled toward each other, but not together: with one level for both the class-2 club won every
    // match, with each at its own about half of them. The shots meet nearer the middle than the
    // contests: their die weighs seven times, so a shot level's edge counts a seventh as much.
    EXPECT_GT(mixed.homeShot, weakOnly.homeShot);
    EXPECT_LT(mixed.awayShot, strongOnly.homeShot);
    EXPECT_GE(mixed.awayShot - mixed.homeShot, 0.35f * ownShotGap);
    EXPECT_LT(mixed.awayShot - mixed.homeShot, 0.75f * ownShotGap);
    EXPECT_GE(mixed.awayContest - mixed.homeContest, 0.75f * ownContestGap);
    EXPECT_LT(mixed.awayContest - mixed.homeContest, ownContestGap);
    // The same whichever side is at home.
    const Levels swapped = levels(strong, weak);
    EXPECT_FLOAT_EQ(swapped.homeShot, mixed.awayShot);
    EXPECT_FLOAT_EQ(swapped.awayShot, mixed.homeShot);
}

} // namespace

namespace {

// The batches' strongest and weakest squads are the ones the match's rolls favour: the five who
// start, their shooting, freshness and form, not the mean of every skill of the best eight.
TEST(Match3DBatch, SquadStrengthReadsTheStartersShotsAndFreshnessOnly) {
    Squad base(21, "std_eu_02");
    const double level = SquadStrength(base.team);

    Squad sharper(22, "std_eu_02");
    for (CPlayer* p : sharper.team.players)
        if (p->words[kWordMatchState] == kOnCourt)
            p->SkillValue(8) += 4; // two-point skill, attribute entry 7
    EXPECT_NEAR(SquadStrength(sharper.team) - level, 0.75 * 4, 1e-6) << "three shots in four are twos";

    Squad deepBench(23, "std_eu_02");
    for (CPlayer* p : deepBench.team.players) {
        if (p->words[kWordMatchState] != kOnCourt) {
            for (int k = 2; k <= 16; ++k)
                p->SkillValue(k) = 99;
        } else {
            p->SkillValue(13) += 30; // experience: no roll reads it
            p->SkillValue(11) += 30; // game sense: neither
        }
    }
    EXPECT_DOUBLE_EQ(SquadStrength(deepBench.team), level);

    Squad tired(24, "std_eu_02");
    for (CPlayer* p : tired.team.players)
        p->SkillValue(1) = 45; // every roll reads the stamina table
    EXPECT_LT(SquadStrength(tired.team), level - 3.0);

    std::vector<CTeam*> ranked = ByStrength({&tired.team, &sharper.team, &base.team});
    EXPECT_EQ(ranked[0], &sharper.team);
    EXPECT_EQ(ranked[2], &tired.team);
}

// Every class's twos read a little more than its threes, the upper classes' a little more again.
TEST(Match3DBatch, TwosOfTheUpperClassesReadAboveTheirShotLevel) {
    constexpr int32_t kRegularLeague = 100005;
    Squad low(25, "std_eu_02");
    Squad lowPeer(26, "std_eu_03");
    Squad mid(27, "std_eu_04");
    Squad midPeer(28, "std_eu_05");
    for (Squad* s : {&low, &lowPeer, &mid, &midPeer})
        s->team.leagueKind = kRegularLeague;
    low.team.leagueId = 3; // class 0
    lowPeer.team.leagueId = 6;
    mid.team.leagueId = 4; // class 1
    midPeer.team.leagueId = 7;
    auto firstHome = [](Squad& home, Squad& away) {
        const std::unique_ptr<CMatch3D> match = LoadSeededMatch3D(home.team, away.team, 11, false);
        const CCourtPlayer& p = *match->GetHomeTeam()->GetPlayer(0);
        return std::pair<float, float>(p.levelFactor, p.twoPointLevelShift);
    };
    const auto [lowLevel, lowShift] = firstHome(low, lowPeer);
    // A class's shot level is about 0.11 above the one below; a shift stays well under it.
    EXPECT_GT(lowShift, 0.0f);
    EXPECT_LT(lowShift, 0.075f) << "a nudge, not another class";
    const auto [midLevel, midShift] = firstHome(mid, midPeer);
    EXPECT_GT(midShift, lowShift);
    EXPECT_LT(midShift, 0.075f) << "a nudge, not another class";
    EXPECT_GT(midLevel, lowLevel);
}

} // namespace

namespace {

// A watched match nobody touches: the user's tired players are rested by the computer's rule, so
// none runs himself into injury; each side's players together play the match's length five times
// over, and the points add up.
TEST(Match3DBatch, AWatchedMatchLeftAloneRestsTheUsersSideAndCountsEveryMinute) {
    Squad home(5, "std_eu_02");
    Squad away(6, "std_nba_03");
    const Match3DBatchFigures f =
        PlayMatch3DBatch({&home.team, &away.team}, 2, 2026, false, true, {}, kTunedPair);
    EXPECT_EQ(f.unfinished, 0);
    EXPECT_EQ(f.off, 0);
    EXPECT_EQ(f.userTotal.exhausted, 0);
    EXPECT_GT(f.userTotal.substitutions, 0);
    EXPECT_GE(f.total.periodSeconds, 2 * 2 * 2880);
    EXPECT_EQ(f.total.seconds, 5 * f.total.periodSeconds);
    EXPECT_GT(f.total.starterSeconds, 0);
    EXPECT_LT(f.total.starterSeconds, f.total.seconds);
}

// The watched match's shape: the user's side, rested by the rule alone, changes about as often as a
// basketball side (it once made 6 changes a match, its starters resting first in the third quarter),
// and its starters play most of the match without playing all of it.
TEST(Match3DBatch, AWatchedMatchLeftAloneChangesTheUsersSideAsABasketballSide) {
    Squad home(5, "std_eu_02");
    Squad away(6, "std_nba_03");
    const Match3DBatchFigures f =
        PlayMatch3DBatch({&home.team, &away.team}, 2, 2026, false, true, {}, kTunedPair);
    ASSERT_EQ(f.matches, 2);
    EXPECT_GE(f.userTotal.substitutions, 2 * 8);
    EXPECT_LE(f.userTotal.substitutions, 2 * 25);
    ASSERT_GT(f.userTotal.starters, 0);
    const double starterMinutes = f.userTotal.starterSeconds / 60.0 / f.userTotal.starters;
    EXPECT_GE(starterMinutes, 24.0);
    EXPECT_LE(starterMinutes, 36.0);
    EXPECT_EQ(f.userTotal.exhausted, 0);
}

} // namespace

// A new career's man-to-man, on both sides, plays near the tuned zone's pace: its markers off the ball
// stand beyond the distance that blocks a shot, so a pass finds a man with room. Glued to their men
// they left nobody open: every possession ran to the forced shot over the marker (these squads had
// 73 possessions a side against the zone's 88, 25 free throws and 42 % of the rebounds offensive).
// The zone's markers stand as far off now, and its pace rose too (99 against 106). Measured with the
// characters' models, as the player sees it: the stand-in clips take about none of the misses back
// and run 10-15 possessions a side more, so the markers' gap at 2.8 m read 115 a side there and
// 96 here.
// Under the sanitizers a models match runs minutes: one a defence there checks the books, the
// rates are the plain build's.
TEST(Match3DBatch, BothSidesOnANewCareersManToManPlayAtTheZonesPace) {
#ifdef FB_SANITIZED_BUILD
    constexpr int kMatches = 1;
#else
    constexpr int kMatches = 4;
#endif
    Squad home(31, "std_eu_02", 60);
    Squad away(32, "std_eu_03", 60);
    const UserTactics manToMan{kDefaultUserAttack, kDefaultUserDefence};
    ASSERT_EQ(manToMan.defence, 13);
    const Match3DBatchFigures f =
        PlayMatch3DBatch({&home.team, &away.team}, kMatches, 2026, true, true, {}, manToMan, &manToMan);
    const Match3DBatchFigures zone =
        PlayMatch3DBatch({&home.team, &away.team}, kMatches, 2026, true, true, {}, kTunedPair, &kTunedPair);
    std::printf("possessions a side: man-to-man %.1f, zone %.1f; offensive rebounds %d of %d\n",
                f.PerSide(f.total.possessions), zone.PerSide(zone.total.possessions),
                f.total.offensiveRebounds, f.total.offensiveRebounds + f.total.defensiveRebounds);
    ASSERT_EQ(f.matches, kMatches);
    EXPECT_EQ(f.unfinished, 0);
    EXPECT_EQ(f.off, 0);
    EXPECT_EQ(zone.unfinished, 0);
#ifdef FB_SANITIZED_BUILD
    return;
#endif
    EXPECT_GE(f.PerSide(f.total.possessions), 0.9 * zone.PerSide(zone.total.possessions));
    EXPECT_LE(f.PerSide(f.total.possessions), 110.0);
    EXPECT_LE(f.PerSide(f.total.freeThrowsTaken), 30.0);
    EXPECT_LE(f.PerSide(f.total.fouls), 25.0);
    EXPECT_LE(3 * f.total.offensiveRebounds, f.total.offensiveRebounds + f.total.defensiveRebounds)
        << "at most a third of the rebounds offensive";
}

// A new career's side (0/13) against the computer's (0/10): a side blocks a few shots and loses a
// basketball side's number of balls (a pass astray or picked off, a ball stolen, carried out or
// held past the shot clock), every one booked against a player of the side that lost it, so a
// side's turnovers are never fewer than the balls the other stole. The box score had half a block
// a side a match and no turnovers at all. The stand-in motion keeps the markers a little farther
// off than the models' (bench_match3d_boxscore): 1.5-3 blocks a side here, 11-15 turnovers.
TEST(Match3DBatch, ASideBlocksAndLosesBallsAtBasketballsRate) {
    Squad home(41, "std_eu_02", 60);
    Squad away(42, "std_eu_03", 60);
    const UserTactics newCareer{kDefaultUserAttack, kDefaultUserDefence};
    const Match3DBatchFigures f =
        PlayMatch3DBatch({&home.team, &away.team}, 4, 2026, false, true, {}, newCareer);
    ASSERT_EQ(f.matches, 4);
    EXPECT_EQ(f.unfinished, 0);
    Match3DBox computer = f.total;
    computer.blocks -= f.userTotal.blocks;
    computer.turnovers -= f.userTotal.turnovers;
    computer.steals -= f.userTotal.steals;
    std::printf("3D a side: blocks %.1f / %.1f, turnovers %.1f / %.1f, steals %.1f / %.1f\n",
                f.userTotal.blocks / 4.0, computer.blocks / 4.0, f.userTotal.turnovers / 4.0,
                computer.turnovers / 4.0, f.userTotal.steals / 4.0, computer.steals / 4.0);
    for (const Match3DBox* side : {&f.userTotal, static_cast<const Match3DBox*>(&computer)}) {
        EXPECT_GE(side->blocks, 4 * 1);
        EXPECT_LE(side->blocks, 4 * 6);
        EXPECT_GE(side->turnovers, 4 * 9);
        EXPECT_LE(side->turnovers, 4 * 18);
    }
    EXPECT_GE(f.userTotal.turnovers, computer.steals);
    EXPECT_GE(computer.turnovers, f.userTotal.steals);
}

TEST(Match3DBatch, EveryMatchAskedForIsPlayedAndEachClubMeetsTheOthersInTurn) {
    // A batch of eight clubs once skipped each club's eighth round (it drew the club itself), so
    // 100 matches asked for played 92.
    for (size_t clubs = 2; clubs <= 8; ++clubs) {
        std::vector<int> homeGames(clubs, 0);
        std::vector<int> awayGames(clubs, 0);
        const size_t rounds = clubs * (clubs - 1);
        for (size_t i = 0; i < rounds * 2; ++i) {
            const size_t away = BatchOpponent(i, clubs);
            ASSERT_LT(away, clubs);
            ASSERT_NE(away, i % clubs) << "match " << i << " of " << clubs << " clubs";
            ++homeGames[i % clubs];
            ++awayGames[away];
        }
        // Over whole rounds every club is away as often as at home.
        for (size_t c = 0; c < clubs; ++c)
            EXPECT_EQ(awayGames[c], homeGames[c]) << clubs << " clubs, club " << c;
    }
}
