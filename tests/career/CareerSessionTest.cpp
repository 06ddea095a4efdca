// The career session: new, saved, reloaded, deleted and left careers with their schedule, and a
// season played by the day runner for a club that is not its league's first.
#include "career/CareerSession.h"
#include "career/DayRunner.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "database/SaveManifest.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"

#include "GameCopyTest.h"

#include <filesystem>
#include <fstream>
#include <memory>

class CareerSessionTest : public GameCopyTest {
protected:
    int32_t FirstClubId() {
        CMemoryDB world;
        EXPECT_TRUE(LoadWorldData(world, kDataSetLeague));
        return world.teams.At(3)->id;
    }
};

TEST_F(CareerSessionTest, NewCareerSavesAndReloadsWithItsClubDateAndFixtures) {
    int32_t club = FirstClubId();
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, club, "Dana Reyes"));
    ASSERT_TRUE(m_session->HasOpenCareer());
    EXPECT_EQ(m_session->careerDB->teams.At(0)->id, club);
    EXPECT_GT(m_session->fixtureList->Size(), 0);
    int fixtures = m_session->fixtureList->Size();
    m_session->currentDate = GameDate{2007, 10, 14};
    ASSERT_TRUE(m_session->SaveCurrentCareer());
    int32_t profileId = m_session->careerDB->profiles.At(0)->id;

    m_session->LeaveCareer();
    EXPECT_FALSE(m_session->HasOpenCareer());
    EXPECT_EQ(m_session->fixtureList->Size(), 0);
    EXPECT_EQ(m_session->currentDate.month, 8);

    ASSERT_TRUE(m_session->LoadSavedCareer(profileId));
    EXPECT_EQ(m_session->careerDB->teams.At(0)->id, club);
    EXPECT_EQ(m_session->currentDate.year, 2007);
    EXPECT_EQ(m_session->currentDate.month, 10);
    EXPECT_EQ(m_session->currentDate.day, 14);
    EXPECT_EQ(m_session->fixtureList->Size(), fixtures);
    EXPECT_FALSE(m_session->tournamentMode);
}

TEST_F(CareerSessionTest, TheFirstMonthBringsTheOpeningCashForward) {
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, FirstClubId(), "Dana Reyes"));
    const int32_t opening = m_session->UserClub()->cash;
    ASSERT_GT(opening, 0);
    // The career starts on 1 August: July closes with the opening cash, and keeps it through a save.
    EXPECT_EQ(m_session->ledger->GetMonthEndBalance(2007, 7), opening);
    ASSERT_TRUE(m_session->SaveCurrentCareer());
    const int32_t id = m_session->careerDB->profiles.At(0)->id;
    m_session->LeaveCareer();
    ASSERT_TRUE(m_session->LoadSavedCareer(id));
    EXPECT_EQ(m_session->ledger->GetMonthEndBalance(2007, 7), opening);

    // A tournament starts mid-month: the month before still brings its cash forward.
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetWorldCup));
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetWorldCup, world.teams.At(0)->id, "Sam"));
    EXPECT_EQ(m_session->ledger->GetMonthEndBalance(2006, 7), m_session->UserClub()->cash);
    EXPECT_EQ(m_session->ledger->GetMonthEndBalance(2006, 8), 0);
}

TEST_F(CareerSessionTest, WorldCupCareerStartsInAugust2006AsATournament) {
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetWorldCup));
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetWorldCup, world.teams.At(0)->id, "Sam"));
    EXPECT_EQ(m_session->currentDate.year, 2006);
    EXPECT_EQ(m_session->currentDate.month, 8);
    EXPECT_EQ(m_session->currentDate.day, 17);
    EXPECT_TRUE(m_session->tournamentMode);
    EXPECT_FALSE(m_session->euroCup);
    EXPECT_GT(m_session->fixtureList->Size(), 0);
}

TEST_F(CareerSessionTest, FailedStartOrLoadLeavesTheRunningCareerAlone) {
    int32_t club = FirstClubId();
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, club, "Dana Reyes"));
    m_session->currentDate = GameDate{2007, 9, 2};
    CMemoryDB* career = m_session->careerDB;
    EXPECT_FALSE(m_session->StartNewCareer(kDataSetLeague, -77, "Nobody"));
    EXPECT_FALSE(m_session->LoadSavedCareer(4242));
    EXPECT_EQ(m_session->careerDB, career);
    EXPECT_EQ(m_session->currentDate.month, 9);
    EXPECT_EQ(m_session->careerDB->teams.At(0)->id, club);
}

TEST_F(CareerSessionTest, DeletedCareerIsGoneFromListAndDisk) {
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, FirstClubId(), "Dana Reyes"));
    ASSERT_TRUE(m_session->SaveCurrentCareer());
    int32_t profileId = m_session->careerDB->profiles.At(0)->id;
    CStr folder = m_session->careerDB->profiles.At(0)->folder;
    m_session->LeaveCareer();
    ASSERT_TRUE(m_session->DeleteSavedCareer(profileId));
    CMemoryDB world;
    EXPECT_EQ(ListCareers(world), 0);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "data/profiles" / folder.Std()));
    EXPECT_FALSE(m_session->LoadSavedCareer(profileId));
}

namespace {

// The day runner over a session, with an engine that plays the user's match at once.
class SessionHost : public IDayHost {
public:
    explicit SessionHost(CCareerSession& s) : session(s) {}
    CStr GetText(int) const override { return CStr(); }
    void SetBusy(bool) override {}
    void SetStep(bool) override {}
    void SetWaitText(const CStr&) override {}
    void PublishLatestResult(const LatestResult&) override {}
    UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) override {
        played.push_back(setup);
        return UserMatchOutcome{false, true, 81, 77, {}};
    }
    CCareerSession& session;
    std::vector<UserMatchSetup> played;
};

} // namespace

TEST_F(CareerSessionTest, AClubThatIsNotItsLeaguesFirstPlaysItsOwnFourteenFixtures) {
    GameSrand(3);
    CMemoryDB world;
    ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
    const CLeague* league = world.leagues.At(0);
    ASSERT_GE(league->teams.size(), 5u);
    const int32_t firstId = league->teams[0]->id;
    const int32_t clubId = league->teams[4]->id;
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, clubId, "Robin Vale"));
    CTeam* club = m_session->UserClub();
    ASSERT_EQ(club->id, clubId);

    // The schedule's user is the career's club: it meets every other club home and away, and the
    // league's first club is just one of them.
    auto count = [&](int32_t id) {
        int n = 0;
        for (int i = 0; i < m_session->fixtureList->Size(); ++i) {
            const CFixture* f = m_session->fixtureList->At(i);
            if (f->home->id != id && f->away->id != id)
                continue;
            ++n;
            // The user's fixtures name the career's record of the club, which holds the squad.
            if (id == clubId) {
                EXPECT_TRUE(f->home == club || f->away == club);
            }
        }
        return n;
    };
    const int expected = 2 * (static_cast<int>(league->teams.size()) - 1);
    EXPECT_EQ(count(clubId), expected);
    EXPECT_EQ(count(firstId), expected);

    // The day runner plays each of them as the user's match, with the career's club.
    SessionHost host(*m_session);
    m_session->view3D = 0;
    CDayRunner runner(*m_session, &host, m_session->fixtureList);
    for (int runs = 0; !runner.SeasonEndPending() && runs <= expected + 1; ++runs) {
        bool stop = false;
        runner.RunDays(stop);
    }
    ASSERT_EQ(static_cast<int>(host.played.size()), expected);
    for (const UserMatchSetup& setup : host.played) {
        EXPECT_TRUE(setup.home == club || setup.away == club);
        EXPECT_EQ(setup.fixture->homeScore, 81); // written once, by the runner
        EXPECT_EQ(setup.fixture->awayScore, 77);
    }
}

// The tactics come back with the career; how matches are shown is one setting of the options,
// the same whichever career is loaded, even one saved with a view of its own.
TEST_F(CareerSessionTest, TacticsComeBackWithTheCareerAndTheViewStaysTheOptions) {
    std::filesystem::create_directories(m_dir / "guifiles"); // where the options file lives
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, FirstClubId(), "Dana Reyes"));
    m_session->userAttack = 4;
    m_session->userDefence = 15;
    m_session->SetMatchView(false, true); // "Result only", chosen in the career
    EXPECT_FALSE(LoadOptions().enable3DSimulation) << "the options file holds the choice";
    EXPECT_TRUE(LoadOptions().enableFastSimulation);
    ASSERT_TRUE(m_session->SaveCurrentCareer());
    const CProfile saved = *m_session->careerDB->profiles.At(0);

    // The game is restarted with the options' view (3D, as the options page has set it).
    GameOptions options;
    options.enable3DSimulation = true;
    m_session = std::make_unique<CCareerSession>();
    m_session->Open(options);
    ASSERT_EQ(m_session->userAttack.load(), 0);
    ASSERT_TRUE(m_session->LoadSavedCareer(saved.id));
    EXPECT_EQ(m_session->userAttack.load(), 4);
    EXPECT_EQ(m_session->userDefence.load(), 15);
    EXPECT_EQ(m_session->view3D.load(), 1);
    EXPECT_EQ(m_session->resultOnly.load(), 0);

    // The choices are part of the save: the manifest vouches for them.
    const std::filesystem::path folder = m_dir / "data/profiles" / saved.folder.Std();
    std::string manifest;
    ASSERT_TRUE(ReadWholeFile((folder / kSaveManifestFile).string().c_str(), manifest));
    EXPECT_NE(manifest.find(kSaveChoicesFile), std::string::npos);

    // An older save, whose choices (not named by its manifest) still say how its matches were shown:
    // it loads with its tactics, and the options' view stands.
    std::filesystem::remove(folder / kSaveChoicesFile);
    ASSERT_TRUE(WriteSaveManifest(CStr(folder.string())));
    ASSERT_TRUE(WriteFileAtomic((folder / kSaveChoicesFile).string().c_str(),
                                "attack 4\ndefence 15\nview3d 0\nresultonly 1\n"));
    m_session->LeaveCareer();
    m_session->userAttack = 0;
    ASSERT_TRUE(m_session->LoadSavedCareer(saved.id));
    EXPECT_EQ(m_session->userAttack.load(), 4);
    EXPECT_EQ(m_session->view3D.load(), 1);
    EXPECT_EQ(m_session->resultOnly.load(), 0);
}

TEST_F(CareerSessionTest, DamagedOrMissingChoicesGiveTheDefaultsAndTheCareerStillLoads) {
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, FirstClubId(), "Dana Reyes"));
    m_session->userAttack = 6;
    m_session->userDefence = 17;
    m_session->view3D = 0;
    ASSERT_TRUE(m_session->SaveCurrentCareer());
    const CProfile saved = *m_session->careerDB->profiles.At(0);
    const std::filesystem::path choices = m_dir / "data/profiles" / saved.folder.Std() / kSaveChoicesFile;
    auto expectDefaults = [&](const char* what) {
        // Another career's choices must not carry over either.
        m_session->userAttack = 8;
        m_session->userDefence = 18;
        ASSERT_TRUE(m_session->LoadSavedCareer(saved.id)) << what;
        EXPECT_EQ(m_session->careerDB->profiles.At(0)->id, saved.id) << what;
        EXPECT_EQ(m_session->userAttack.load(), kDefaultUserAttack) << what;
        EXPECT_EQ(m_session->userDefence.load(), kDefaultUserDefence) << what;
        EXPECT_EQ(m_session->view3D.load(), GameOptions().enable3DSimulation ? 1 : 0) << what;
        // The load says which file it could not use, for the player's message.
        EXPECT_TRUE(m_session->lastLoadError.choicesReset.Std().ends_with("/choices.txt")) << what;
    };

    // Values no game could save, in a file the manifest vouches for: named as well.
    {
        const std::string bad = "attack 42\ndefence 99\n";
        const std::filesystem::path manifest = choices.parent_path() / kSaveManifestFile;
        std::ifstream in(manifest);
        std::string text, line;
        while (std::getline(in, line))
            text +=
                line.ends_with(kSaveChoicesFile)
                    ? CStr::Formatted("%zu %08x %s", bad.size(), Crc32(bad), kSaveChoicesFile).Std() + "\n"
                    : line + "\n";
        in.close();
        ASSERT_TRUE(WriteFileAtomic(manifest.string().c_str(), text));
        ASSERT_TRUE(WriteFileAtomic(choices.string().c_str(), bad));
        expectDefaults("out of range");
    }
    // Not the bytes that were saved: the manifest tells.
    ASSERT_TRUE(WriteFileAtomic(choices.string().c_str(), "attack 7\ndefence 11\nview3d 1\nresultonly 0\n"));
    expectDefaults("damaged");
    std::filesystem::remove(choices);
    expectDefaults("missing");
    // The next save writes them whole again.
    m_session->userAttack = 3;
    ASSERT_TRUE(m_session->SaveCurrentCareer());
    m_session->userAttack = 0;
    ASSERT_TRUE(m_session->LoadSavedCareer(saved.id));
    EXPECT_EQ(m_session->userAttack.load(), 3);
    EXPECT_TRUE(m_session->lastLoadError.choicesReset.IsEmpty());
}
