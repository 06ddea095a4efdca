// A saved career is never lost: a damaged or unreadable list of careers, a save folder missing a
// table or holding one that is not whole, out-of-range values, and why a save failed.
#include "CareerFolder.h"
#include "database/Ownership.h"
#include "database/SaveManifest.h"
#include "engine/Paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class CareerSafety : public CareerFolder {
protected:
    // A saved league career for the manager; its id and folder.
    void SaveNew(const char* manager, int32_t& id, std::string& folder) {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, manager));
        ASSERT_TRUE(SaveCareer(world, career));
        id = career.profiles.At(0)->id;
        folder = "data/profiles/" + career.profiles.At(0)->folder.Std();
    }

    // Loading the career fails, and neither the running game nor the disk changes.
    // file: the save's file the refusal must name (its path from the game folder ends so).
    void ExpectRefused(int32_t id, const std::string& what, const std::string& file = "") {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetEuroCup, 4, "Running"));
        std::string before = Describe(world, career);
        auto disk = Snapshot();
        CareerLoadError error;
        EXPECT_FALSE(LoadCareer(world, career, id, &error)) << what;
        if (!file.empty()) {
            EXPECT_TRUE(error.where.Std().ends_with(file)) << what << ": " << error.where.GetText();
        }
        EXPECT_EQ(FirstDifference(Describe(world, career), before), "") << what;
        EXPECT_EQ(Snapshot(), disk) << what;
    }

    bool Loads(int32_t id) {
        CMemoryDB world;
        CMemoryDB career;
        return LoadCareer(world, career, id);
    }
};

} // namespace

TEST_F(CareerSafety, AGarbledListLineKeepsItsCareerAndItsIdAndFolder) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Anna Lee", id, folder);
    std::string line = Read("data/profiles/profilelist.dat");
    // A hand edit breaks the club id; another line is plain junk.
    std::string garbled = line.substr(0, line.find('|', line.find('|') + 1)) + "|x9" +
                          line.substr(line.find('|', line.find('|', line.find('|') + 1)));
    garbled.pop_back();
    Write("data/profiles/profilelist.dat", garbled + "\nnot a career at all\n");
    std::string before = Read(folder + "/teamlist.dat");

    // The same manager starts again: a new id and a new folder, and the old lines survive the save.
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, 0, "Anna Lee"));
    EXPECT_NE(career.profiles.At(0)->id, id);
    EXPECT_NE("data/profiles/" + career.profiles.At(0)->folder.Std(), folder);
    ASSERT_TRUE(SaveCareer(world, career));
    std::string list = Read("data/profiles/profilelist.dat");
    EXPECT_NE(list.find(garbled + "\n"), std::string::npos) << list;
    EXPECT_NE(list.find("not a career at all\n"), std::string::npos);
    EXPECT_EQ(Read(folder + "/teamlist.dat"), before);
    // The damaged line's career is listed again from its folder's own header.
    EXPECT_EQ(world.profiles.Size(), 2);
    EXPECT_NE(list.find(line), std::string::npos) << list;
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, AnUnreadableListIsKeptAsideAndRebuiltFromTheFolders) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Bo", id, folder);
    fs::remove(m_dir / "data/profiles/profilelist.dat");
    fs::create_directories(m_dir / "data/profiles/profilelist.dat/x"); // no file can be read from it

    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Bo"));
    // Whatever the list says, the new career does not take the folder on disk.
    EXPECT_NE("data/profiles/" + career.profiles.At(0)->folder.Std(), folder);
    EXPECT_EQ(world.profiles.Size(), 1); // listed from its folder
    CareerSaveError error;
    ASSERT_TRUE(SaveCareer(world, career, &error)) << error.message.GetText();
    EXPECT_TRUE(fs::is_directory(m_dir / "data/profiles/profilelist.dat.damaged/x"));
    EXPECT_TRUE(fs::is_regular_file(m_dir / "data/profiles/profilelist.dat"));
    EXPECT_EQ(ListCareers(world), 2);
    EXPECT_TRUE(Loads(id));
    EXPECT_TRUE(Loads(career.profiles.At(0)->id));
}

TEST_F(CareerSafety, ANewCareerNeverTakesAnIdOrFolderInUse) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Cy", id, folder);
    // The list is lost: the folder alone keeps the id taken.
    Write("data/profiles/profilelist.dat", "");
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Cy"));
    EXPECT_GT(career.profiles.At(0)->id, id);

    // A new career whose folder meanwhile holds another career's save (another copy of the game
    // saved it) takes the next free id and folder at its first save.
    career.profiles.At(0)->id = id;
    career.profiles.At(0)->folder = CStr(fs::path(folder).filename().string());
    std::string before = Read(folder + "/teamlist.dat");
    CareerSaveError error;
    ASSERT_TRUE(SaveCareer(world, career, &error));
    EXPECT_NE(career.profiles.At(0)->id, id);
    EXPECT_NE("data/profiles/" + career.profiles.At(0)->folder.Std(), folder);
    EXPECT_EQ(Read(folder + "/teamlist.dat"), before);
    // A saved career pointed at another's folder is refused, not written over it.
    career.profiles.At(0)->id = id + 100;
    career.profiles.At(0)->folder = CStr(fs::path(folder).filename().string());
    EXPECT_FALSE(SaveCareer(world, career, &error));
    EXPECT_EQ(error.reason, CareerSaveFailure::kFolderTaken);
    EXPECT_EQ(Read(folder + "/teamlist.dat"), before);

    // Ids never overflow: the largest possible id is followed by the smallest free one.
    Write("data/profiles/profilelist.dat",
          "2147483647|Far_2147483647|9|2007|8|30|100003|1|Far|100063|0|0|0|2007|"
          "2008|8|1\n0|Zero_0|9|2007|8|30|100003|1|Zero|100063|0|0|0|2007|2008|8|1\n");
    CProfileList list;
    list.ReadText(Read("data/profiles/profilelist.dat"));
    EXPECT_EQ(list.NextId(), 1);
}

TEST_F(CareerSafety, EveryTableOfASaveMustBeThereAndWhole) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Dee", id, folder);
    for (bool inWorld : {false, true}) {
        std::string dir = inWorld ? folder + "/MainData/" : folder + "/";
        for (const CStr& name : CMemoryDB::FileNames(!inWorld)) {
            std::string path = dir + name.Std();
            std::string bytes = Read(path);
            fs::remove(m_dir / path);
            ExpectRefused(id, "without " + path);
            Write(path, bytes);
        }
    }
    // A count short of the records, and bytes after the last one.
    for (const char* table : {"/teamlist.dat", "/MainData/playerlist.dat", "/MainData/stadionwings.dat"}) {
        std::string path = folder + table;
        std::string bytes = Read(path);
        int32_t count = 0;
        for (int i = 3; i >= 0; --i)
            count = count * 256 + static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
        ASSERT_GT(count, 0) << table;
        std::string shortCount = ByteBuilder().I(count - 1).Bytes() + bytes.substr(4);
        Write(path, shortCount);
        ExpectRefused(id, std::string("short count in ") + table);
        Write(path, bytes + std::string("\0\0\0\0", 4));
        ExpectRefused(id, std::string("trailing bytes in ") + table);
        Write(path, bytes);
    }
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, AProfileOrStatisticsOutOfRangeIsRefused) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Eve"));
    int32_t id = career.profiles.At(0)->id;
    struct Case {
        const char* what;
        int32_t year, month, day, dataSet, cupStage;
        bool loads;
    };
    const Case cases[] = {
        {"a date of 99.13.-5", 99, 13, -5, 0, 0, false},
        {"day 31 of April", 2008, 4, 31, 0, 0, false},
        {"a year near the limit", INT32_MAX, 1, 1, 0, 0, false},
        {"data set 3", 2008, 1, 1, 3, 0, false},
        {"cup stage 5", 2008, 1, 1, 0, 5, false},
        {"a negative cup stage", 2008, 1, 1, 1, -1, false},
        {"the 29th of February of a leap year", 2008, 2, 29, 2, 4, true},
    };
    for (const Case& c : cases) {
        CProfile* profile = career.profiles.At(0);
        profile->year = c.year;
        profile->month = c.month;
        profile->day = c.day;
        profile->dataSet = c.dataSet;
        profile->cupStage = c.cupStage;
        ASSERT_TRUE(SaveCareer(world, career)) << c.what;
        if (c.loads)
            EXPECT_TRUE(Loads(id)) << c.what;
        else
            ExpectRefused(id, c.what);
    }

    // A statistics year near the integer limit: ordering it does not overflow, loading refuses it.
    CPlayer* player = career.teams.At(0)->players[0];
    AddPlayerStat(career, player, Stat(2007, 9, 1, 5));
    AddPlayerStat(career, player, Stat(INT32_MAX, 12, 31, 6));
    AddPlayerStat(career, player, Stat(2008, 1, 1, 7));
    CMemoryDB::CrossLinkStats(world, career);
    ASSERT_EQ(player->stats.size(), 3u);
    EXPECT_EQ(player->stats[2]->Field(10), 6);
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a statistics year near the limit");

    CMatchStat* match = new CMatchStat();
    match->Field(3) = kClub;
    match->Field(6) = 1;
    match->Field(7) = 1;
    match->Field(8) = -2000;
    player->stats.back()->Field(2) = 2008;
    career.playerStats.Erase(player->stats[2]);
    player->stats.pop_back();
    AddMatchStat(career, career.teams.At(0), match);
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a match record of year -2000");
}

TEST_F(CareerSafety, AFailedSaveSaysWhetherPermissionOrSpaceRanOut) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Flo"));
    for (int systemError : {ENOSPC, EDQUOT, EACCES, EROFS, EIO}) {
        CareerSaveFault fault;
        fault.stopAfterSteps = 5;
        fault.systemError = systemError;
        CareerSaveError error;
        EXPECT_FALSE(SaveCareer(world, career, &error, &fault));
        CareerSaveFailure want = systemError == ENOSPC || systemError == EDQUOT ? CareerSaveFailure::kNoSpace
                                 : systemError == EIO                           ? CareerSaveFailure::kOther
                                                      : CareerSaveFailure::kNoPermission;
        EXPECT_EQ(error.reason, want) << systemError;
        EXPECT_EQ(error.systemError, systemError);
    }
    CareerSaveError error;
    ASSERT_TRUE(SaveCareer(world, career, &error));
    EXPECT_EQ(error.reason, CareerSaveFailure::kNone);
}

TEST_F(CareerSafety, AFileSizeLimitIsReportedAsTheLimitNotAFullDiskAndKeepsThePreviousSave) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Flo", id, folder);
    std::string before = Read(folder + "/playerlist.dat");
    ASSERT_GT(before.size(), 4096u);
    // The limit holds for the whole process, so a child saves under it; the signal starts at its
    // default, which would kill the child unless the save path ignores it.
    pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        CMemoryDB world;
        CMemoryDB career;
        bool loaded = LoadCareer(world, career, id);
        // A changed player list is written anew (unchanged files are shared with the previous
        // save), so the save meets the limit.
        if (loaded) {
            career.teams.At(0)->name = "Renamed";
            career.players.At(0)->name = "Renamed";
        }
        CareerSaveError error;
        bool saved = loaded && SaveCareer(world, career, &error);
        _exit(!loaded ? 10 : saved ? 11 : static_cast<int>(error.reason));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(CareerSaveFailure::kFileTooLarge));
    EXPECT_EQ(Read(folder + "/playerlist.dat"), before);
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(LoadCareer(world, career, id));
    EXPECT_STRNE(career.teams.At(0)->name.GetText(), "Renamed");
}

TEST_F(CareerSafety, AReadOnlyFolderIsReportedAsNoPermission) {
    // Root writes through permission bits, so only a user can see a real read-only folder.
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root";
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Flo"));
    CareerSaveError error;
    fs::permissions(m_dir / "data/profiles", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveCareer(world, career, &error));
    fs::permissions(m_dir / "data/profiles", fs::perms::owner_all);
    EXPECT_EQ(error.reason, CareerSaveFailure::kNoPermission);
}

TEST_F(CareerSafety, StartUpCleanUpFinishesWhatAStoppedSaveLeft) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Gus", id, folder);
    // Stopped after moving the save aside: only ".old" and a half-built ".saving" remain.
    fs::rename(m_dir / folder, m_dir / (folder + ".old"));
    fs::create_directories(m_dir / (folder + ".saving/MainData"));
    Write(folder + ".saving/teamlist.dat.part", "xx");
    Write("data/profiles/profilelist.dat.tmp", "half a list");
    // Something that is not a save's folder is left alone.
    fs::create_directories(m_dir / "data/profiles/notes.old");

    CMemoryDB world;
    EXPECT_EQ(ListCareers(world), 1);
    EXPECT_TRUE(Loads(id));
    CleanUpCareerFolders();
    EXPECT_TRUE(fs::is_directory(m_dir / folder));
    EXPECT_FALSE(fs::exists(m_dir / (folder + ".old")));
    EXPECT_FALSE(fs::exists(m_dir / (folder + ".saving")));
    EXPECT_FALSE(fs::exists(m_dir / "data/profiles/profilelist.dat.tmp"));
    EXPECT_TRUE(fs::is_directory(m_dir / "data/profiles/notes.old"));
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, AFarOffDateAnywhereInTheCareerIsRefused) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Ida"));
    int32_t id = career.profiles.At(0)->id;
    CLeagueStanding* fixture = new CLeagueStanding();
    fixture->homeTeam = kClub;
    fixture->awayTeam = 1;
    fixture->year = 2007;
    fixture->month = 9;
    fixture->day = 3;
    fixture->leagueId = career.leagues.At(0)->id;
    career.leagueStandings.Append(fixture);
    CLoan* loan = new CLoan();
    career.loans.Append(loan);
    ASSERT_TRUE(SaveCareer(world, career));
    ASSERT_TRUE(Loads(id));

    // Each far-off date: a fixture's (the day loop runs to the last one), a loan's, a birth date, a
    // ledger entry's; the refusal names the file that holds it.
    fixture->year = INT32_MAX;
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a fixture in the year 2147483647", "/leaguetable.dat");
    fixture->year = 2007;
    fixture->day = 31;
    fixture->month = 9;
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a fixture on the 31st of September", "/leaguetable.dat");
    fixture->day = 3;
    loan->year = 1 << 30;
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a loan taken in a far year", "/loan.dat");
    loan->year = 0;
    world.players.At(0)->birthYear = -5;
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a world player born in the year -5", "/MainData/playerlist.dat");
    world.players.At(0)->birthYear = 1980;
    CFinanceEntry* entry = new CFinanceEntry();
    entry->year = 2007;
    entry->month = 13;
    entry->day = 1;
    career.finances.Append(entry);
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a ledger entry in the 13th month", "/finances.dat");
    entry->month = 9;
    career.profiles.At(0)->seasonEndYear = INT32_MAX;
    ASSERT_TRUE(SaveCareer(world, career));
    ExpectRefused(id, "a season ending in a far year");
    career.profiles.At(0)->seasonEndYear = 2008;
    ASSERT_TRUE(SaveCareer(world, career));
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, TwoGamesSavingNewCareersAtOnceKeepBoth) {
    // Two copies started together build their careers from the same list, so both propose the
    // same id and folder; both must end listed and loadable.
    for (int round = 0; round < 4; ++round) {
        CMemoryDB worlds[2];
        CMemoryDB careers[2];
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(BuildCareerDatabase(worlds[i], careers[i], kDataSetLeague, kClub + i, "Probe"));
        ASSERT_EQ(careers[0].profiles.At(0)->id, careers[1].profiles.At(0)->id);
        bool saved[2] = {false, false};
        std::thread other([&] { saved[1] = SaveCareer(worlds[1], careers[1]); });
        saved[0] = SaveCareer(worlds[0], careers[0]);
        other.join();
        ASSERT_TRUE(saved[0] && saved[1]) << round;
        ASSERT_NE(careers[0].profiles.At(0)->id, careers[1].profiles.At(0)->id);
        CMemoryDB lister;
        EXPECT_EQ(ListCareers(lister), 2 * (round + 1));
        for (int i = 0; i < 2; ++i) {
            ASSERT_NE(lister.profiles.FindById(careers[i].profiles.At(0)->id), nullptr) << round;
            CMemoryDB world;
            CMemoryDB career;
            ASSERT_TRUE(LoadCareer(world, career, careers[i].profiles.At(0)->id)) << round;
            EXPECT_EQ(career.teams.At(0)->id, kClub + i);
        }
        // A re-save of one beside a new career of the other keeps both, too.
        careers[0].teams.At(0)->cash = 777;
        CMemoryDB newWorld;
        CMemoryDB newCareer;
        ASSERT_TRUE(BuildCareerDatabase(newWorld, newCareer, kDataSetLeague, kClub, "Probe"));
        std::thread resave([&] { saved[0] = SaveCareer(worlds[0], careers[0]); });
        saved[1] = SaveCareer(newWorld, newCareer);
        resave.join();
        ASSERT_TRUE(saved[0] && saved[1]);
        EXPECT_EQ(ListCareers(lister), 2 * (round + 1) + 1);
        EXPECT_TRUE(Loads(newCareer.profiles.At(0)->id));
        fs::remove_all(m_dir / "data/profiles" / newCareer.profiles.At(0)->folder.Std());
        CleanUpCareerFolders();
    }

    // A copy that holds the folder longer than a save waits: the save says so and changes nothing.
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Late"));
    SetCareerLockWait(50);
    {
        CCareerFolderLock other(true, 0);
        ASSERT_TRUE(other.Held());
        auto disk = Snapshot();
        CareerSaveError error;
        EXPECT_FALSE(SaveCareer(world, career, &error));
        EXPECT_EQ(error.reason, CareerSaveFailure::kBusy);
        EXPECT_EQ(Snapshot(), disk);
    }
    SetCareerLockWait(60000);
    EXPECT_TRUE(SaveCareer(world, career));
}

TEST_F(CareerSafety, AnEmptiedOrCutListIsRebuiltFromTheFolders) {
    int32_t ids[2] = {};
    std::string folders[2];
    SaveNew("Ann", ids[0], folders[0]);
    SaveNew("Ben", ids[1], folders[1]);
    std::string list = Read("data/profiles/profilelist.dat");
    for (const std::string& damaged : {std::string(), list.substr(0, list.size() / 2 + 3)}) {
        Write("data/profiles/profilelist.dat", damaged);
        CMemoryDB world;
        EXPECT_EQ(ListCareers(world), 2);
        EXPECT_TRUE(Loads(ids[0]) && Loads(ids[1]));
        // Start-up writes the list again; the cut line stays in it as it was.
        CleanUpCareerFolders();
        CProfileList onDisk;
        onDisk.ReadText(Read("data/profiles/profilelist.dat"));
        EXPECT_NE(onDisk.FindById(ids[0]), nullptr);
        EXPECT_NE(onDisk.FindById(ids[1]), nullptr);
    }
    // An unreadable list is kept aside and written anew.
    fs::remove(m_dir / "data/profiles/profilelist.dat");
    fs::create_directories(m_dir / "data/profiles/profilelist.dat/x");
    CleanUpCareerFolders();
    EXPECT_TRUE(fs::is_directory(m_dir / "data/profiles/profilelist.dat.damaged/x"));
    CProfileList onDisk;
    onDisk.ReadText(Read("data/profiles/profilelist.dat"));
    EXPECT_EQ(onDisk.Size(), 2);
}

TEST_F(CareerSafety, StartUpSettlesFoldersWithoutALine) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Cat", id, folder);
    // A first save stopped before its folder held a header: nothing in it can load.
    fs::create_directories(m_dir / "data/profiles/Dan_7/MainData");
    Write("data/profiles/Dan_7/teamlist.dat", "abc");
    // A whole career whose line was lost: it is listed again.
    Write("data/profiles/profilelist.dat", "");
    fs::create_directories(m_dir / "data/profiles/my_notes");
    // A folder of the player's that only looks like ours keeps what it holds.
    Write("data/profiles/Photos_2019/beach.png", "png");
    CleanUpCareerFolders();
    EXPECT_FALSE(fs::exists(m_dir / "data/profiles/Dan_7"));
    EXPECT_TRUE(fs::is_directory(m_dir / "data/profiles/my_notes"));
    EXPECT_EQ(Read("data/profiles/Photos_2019/beach.png"), "png");
    EXPECT_NE(Read("data/profiles/profilelist.dat").find(fs::path(folder).filename().string()),
              std::string::npos);
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, ADeleteStoppedAtAnyStepLeavesNoListedCareerThatCannotLoad) {
    for (int stop = 0; stop < 4; ++stop) {
        int32_t id = 0;
        std::string folder;
        SaveNew("Del", id, folder);
        CMemoryDB world;
        ListCareers(world);
        CareerSaveFault fault;
        fault.stopAfterSteps = stop;
        bool deleted = DeleteCareer(world, id, &fault);
        EXPECT_EQ(deleted, stop >= 3) << stop;
        for (bool cleaned : {false, true}) {
            if (cleaned)
                CleanUpCareerFolders();
            CMemoryDB lister;
            ListCareers(lister);
            // Listed means loadable; once the folder was moved aside the career is gone.
            if (lister.profiles.FindById(id)) {
                EXPECT_TRUE(Loads(id)) << stop;
            }
            EXPECT_EQ(lister.profiles.FindById(id) != nullptr, stop == 0) << stop << cleaned;
        }
        EXPECT_FALSE(fs::exists(m_dir / (folder + ".deleting"))) << stop;
        if (stop == 0) {
            ASSERT_TRUE(DeleteCareer(world, id));
        }
    }
}

TEST_F(CareerSafety, AFullDiskAfterTheFolderSwapStillReportsTheSave) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Fay"));
    ASSERT_TRUE(SaveCareer(world, career));
    CareerSaveFault counter; // a save over an earlier one
    ASSERT_TRUE(SaveCareer(world, career, nullptr, &counter));
    int32_t id = career.profiles.At(0)->id;
    // The next save's list write finds the disk full: the new folder is whole and in place.
    career.profiles.At(0)->day = 5;
    CareerSaveFault fault;
    fault.stopAfterSteps = counter.steps - 1;
    fault.systemError = ENOSPC;
    CareerSaveError error;
    EXPECT_TRUE(SaveCareer(world, career, &error, &fault));
    EXPECT_EQ(error.reason, CareerSaveFailure::kNone);
    // The list is brought up to date from the folder.
    CMemoryDB lister;
    ListCareers(lister);
    ASSERT_NE(lister.profiles.FindById(id), nullptr);
    EXPECT_EQ(lister.profiles.FindById(id)->day, 5);
    CMemoryDB loadedWorld;
    CMemoryDB loadedCareer;
    ASSERT_TRUE(LoadCareer(loadedWorld, loadedCareer, id));
    EXPECT_EQ(loadedCareer.profiles.At(0)->day, 5);
}

TEST_F(CareerSafety, AReadOnlyCareerFolderDoesNotBlockLaterSaves) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root";
    int32_t id = 0;
    std::string folder;
    SaveNew("Gil", id, folder);
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(LoadCareer(world, career, id));
    fs::permissions(m_dir / folder, fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(m_dir / folder / "MainData", fs::perms::owner_read | fs::perms::owner_exec);
    for (int save = 0; save < 2; ++save) {
        CareerSaveError error;
        EXPECT_TRUE(SaveCareer(world, career, &error)) << save << error.message.GetText();
    }
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, TheManifestCatchesAFlippedByteAndOlderSavesStillLoad) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Hal", id, folder);
    // It names every file of the folder, MainData's too, whichever tables the save holds.
    std::string manifest = Read(folder + "/manifest.txt");
    EXPECT_EQ(manifest.rfind("Fastbreak save 1\n", 0), 0u) << manifest;
    size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_dir / folder))
        if (entry.is_regular_file() && entry.path().filename() != "manifest.txt") {
            ++files;
            EXPECT_NE(manifest.find(" " + fs::relative(entry.path(), m_dir / folder).string() + "\n"),
                      std::string::npos)
                << entry.path();
        }
    EXPECT_NE(manifest.find("\nend " + std::to_string(files) + "\n"), std::string::npos);

    // A byte flipped in a player's skill reads as a valid value; the checksum tells.
    std::string players = Read(folder + "/MainData/playerlist.dat");
    std::string flipped = players;
    flipped[players.size() / 2] = static_cast<char>(flipped[players.size() / 2] ^ 0x01);
    Write(folder + "/MainData/playerlist.dat", flipped);
    ExpectRefused(id, "a flipped byte");
    Write(folder + "/MainData/playerlist.dat", players);
    EXPECT_TRUE(Loads(id));
    // A manifest cut short, or one from a newer game, is refused; a save without one loads.
    Write(folder + "/manifest.txt", manifest.substr(0, manifest.size() - 8));
    ExpectRefused(id, "a manifest cut short");
    std::string newer = manifest;
    newer.replace(0, std::string("Fastbreak save 1").size(), "Fastbreak save 9");
    Write(folder + "/manifest.txt", newer);
    ExpectRefused(id, "a save from a newer game");
    fs::remove(m_dir / folder / "manifest.txt");
    EXPECT_TRUE(Loads(id));
}

// The figures the screens and daily steps add up or scale are refused at either integer limit,
// with or without a manifest, and a career at the bounds the game could write still loads.
TEST_F(CareerSafety, FiguresAtTheIntegerLimitsAreRefusedWithOrWithoutAManifest) {
    struct Field {
        const char* what;
        std::function<int32_t&(CMemoryDB& world, CMemoryDB& career)> at;
    };
    const std::vector<Field> fields = {
        {"part level", [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.wings.At(0)->level; }},
        {"part id", [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.wings.At(0)->partId; }},
        {"seat price", [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.wings.At(0)->price; }},
        {"world part level", [](CMemoryDB& w, CMemoryDB&) -> int32_t& { return w.wings.At(0)->level; }},
        {"opinion", [](CMemoryDB& w, CMemoryDB&) -> int32_t& { return w.opinions.At(0)->current[1]; }},
        {"earlier opinion",
         [](CMemoryDB& w, CMemoryDB&) -> int32_t& { return w.opinions.At(0)->previous[2]; }},
        {"match score", [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.matchStats.At(0)->Field(9); }},
        {"match steals", [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.matchStats.At(0)->Field(24); }},
        {"player time", [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.playerStats.At(0)->Field(5); }},
        {"player free throws",
         [](CMemoryDB&, CMemoryDB& c) -> int32_t& { return c.playerStats.At(0)->Field(21); }},
    };
    auto build = [](CMemoryDB& world, CMemoryDB& career, const char* manager) {
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, manager));
        ASSERT_FALSE(career.wings.IsEmpty());
        ASSERT_FALSE(world.wings.IsEmpty());
        ASSERT_FALSE(world.opinions.IsEmpty());
        CMatchStat* match = new CMatchStat();
        match->Field(3) = kClub;
        match->Field(6) = 1;
        match->Field(7) = 10;
        match->Field(8) = 2007;
        match->Field(9) = 88;
        AddMatchStat(career, career.teams.At(0), match);
        AddPlayerStat(career, career.teams.At(0)->players[0], Stat(2007, 10, 1, 21));
    };
    for (bool withManifest : {true, false}) {
        for (const Field& field : fields) {
            for (int32_t extreme : {INT32_MIN, INT32_MAX}) {
                // A manifest changes nothing in the check: one limit is enough to show it.
                if (withManifest && extreme == INT32_MIN)
                    continue;
                CMemoryDB world;
                CMemoryDB career;
                build(world, career, "Limit");
                field.at(world, career) = extreme;
                ASSERT_TRUE(SaveCareer(world, career));
                const int32_t id = career.profiles.At(0)->id;
                const std::string folder = "data/profiles/" + career.profiles.At(0)->folder.Std();
                if (!withManifest)
                    fs::remove(m_dir / folder / "manifest.txt");
                ExpectRefused(id, std::string(field.what) + " at " + std::to_string(extreme) +
                                      (withManifest ? " with a manifest" : " without one"));
            }
        }
    }
    // Figures as big as the game's own bounds allow still load; seats are summed wide and left free.
    CMemoryDB world;
    CMemoryDB career;
    build(world, career, "Bounds");
    career.wings.At(0)->seats = INT32_MAX;
    career.wings.At(0)->price = 0;
    world.opinions.At(0)->current[0] = 100;
    career.matchStats.At(0)->Field(10) = 0;
    career.players.At(0)->SkillValue(3) = 1000000;
    career.players.At(0)->words[kWordWage] = 100000000;
    world.trainingModifiers.At(0)->value = -1000;
    world.whispers.templates.At(0)->Word(7) = 1000;
    CCampBooking* camp = career.campBookings.Append(new CCampBooking());
    camp->year = 2007;
    camp->month = 10;
    camp->day = 1;
    camp->week = 60;
    ASSERT_TRUE(SaveCareer(world, career));
    fs::remove(m_dir / ("data/profiles/" + career.profiles.At(0)->folder.Std()) / "manifest.txt");
    EXPECT_TRUE(Loads(career.profiles.At(0)->id));
}

TEST_F(CareerSafety, ASaveSharesTheUnchangedFilesAndWritesTheChangedOnes) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Ida"));
    ASSERT_TRUE(SaveCareer(world, career));
    int32_t id = career.profiles.At(0)->id;
    fs::path folder = m_dir / "data/profiles" / career.profiles.At(0)->folder.Std();
    auto inodes = [&] {
        std::map<std::string, ino_t> found;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            struct stat info {};
            if (entry.is_regular_file() && stat(entry.path().c_str(), &info) == 0)
                found[fs::relative(entry.path(), folder).string()] = info.st_ino;
        }
        return found;
    };
    std::map<std::string, ino_t> first = inodes();
    std::string firstManifest = Read(fs::relative(folder / "manifest.txt", m_dir).string());

    // A player's statistics change; the base world's tables do not.
    AddPlayerStat(career, career.teams.At(0)->players[1], Stat(2007, 9, 2, 11));
    ASSERT_TRUE(SaveCareer(world, career));
    std::map<std::string, ino_t> second = inodes();
    ASSERT_EQ(first.size(), second.size());
    int shared = 0, written = 0;
    for (const auto& [name, inode] : second)
        (first.at(name) == inode ? shared : written) += 1;
    EXPECT_GT(shared, 20);
    EXPECT_GE(written, 2); // the statistics and the manifest at least
    EXPECT_NE(first.at("manifest.txt"), second.at("manifest.txt"));

    // The manifest written from memory is the one a scan of the folder gives, and the save loads.
    std::string manifest = Read(fs::relative(folder / "manifest.txt", m_dir).string());
    EXPECT_NE(manifest, firstManifest);
    ASSERT_TRUE(WriteSaveManifest(CStr(folder.string())));
    EXPECT_EQ(Read(fs::relative(folder / "manifest.txt", m_dir).string()), manifest);
    CMemoryDB loadedWorld;
    CMemoryDB loadedCareer;
    ASSERT_TRUE(LoadCareer(loadedWorld, loadedCareer, id));
    EXPECT_EQ(FirstDifference(Describe(loadedWorld, loadedCareer), Describe(world, career)), "");
}

TEST(SaveChecksum, MatchesTheStandardCrcAtEveryLengthAndAlignment) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
    // Against the byte-at-a-time definition, across the eight-byte steps and a short tail.
    std::string bytes;
    for (int i = 0; i < 40; ++i) {
        uint32_t c = 0xFFFFFFFFu;
        for (char byte : bytes) {
            c ^= static_cast<uint8_t>(byte);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        EXPECT_EQ(Crc32(bytes), c ^ 0xFFFFFFFFu) << bytes.size();
        bytes.push_back(static_cast<char>(i * 37 + 200));
    }
}

// A hand-edited manifest cannot switch its own check off: every file of the save is listed or the
// save is refused, naming the file; a manifest with Windows line endings is read.
TEST_F(CareerSafety, AnEditedManifestIsRefusedNamingTheFileAndWindowsLineEndingsAreRead) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Mae", id, folder);
    const std::string manifest = Read(folder + "/manifest.txt");
    auto refusedFor = [&](CareerLoadFailure reason, const std::string& file, const std::string& what) {
        ExpectRefused(id, what);
        CMemoryDB world;
        CMemoryDB career;
        CareerLoadError error;
        EXPECT_FALSE(LoadCareer(world, career, id, &error)) << what;
        EXPECT_EQ(error.reason, reason) << what;
        EXPECT_NE(error.where.Std().find(file), std::string::npos) << what << ": " << error.where.GetText();
    };

    // "end 0" with no file listed, and a table's line taken out.
    Write(folder + "/manifest.txt", manifest.substr(0, manifest.find('\n') + 1) + "end 0\n");
    refusedFor(CareerLoadFailure::kUnlistedFile, "", "a manifest listing nothing");
    const size_t line = manifest.find(" teamlist.dat\n");
    ASSERT_NE(line, std::string::npos);
    const size_t start = manifest.rfind('\n', line) + 1;
    std::string withoutTeams = manifest.substr(0, start) + manifest.substr(line + 14);
    const size_t end = withoutTeams.find("\nend ");
    const int listed = std::stoi(withoutTeams.substr(end + 5));
    withoutTeams = withoutTeams.substr(0, end + 1) + "end " + std::to_string(listed - 1) + "\n";
    Write(folder + "/manifest.txt", withoutTeams);
    refusedFor(CareerLoadFailure::kUnlistedFile, "teamlist.dat", "a table's line taken out");

    // A changed file and a missing one are named too.
    Write(folder + "/manifest.txt", manifest);
    const std::string teams = Read(folder + "/teamlist.dat");
    Write(folder + "/teamlist.dat", teams + "x");
    refusedFor(CareerLoadFailure::kChangedFile, "teamlist.dat", "a changed table");
    fs::remove(m_dir / folder / "teamlist.dat");
    refusedFor(CareerLoadFailure::kMissingFile, "teamlist.dat", "a missing table");
    Write(folder + "/teamlist.dat", teams);

    std::string crlf;
    for (char c : manifest)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Write(folder + "/manifest.txt", crlf);
    EXPECT_TRUE(Loads(id));
    // Saves made before manifests existed still load, checked by their ranges.
    fs::remove(m_dir / folder / "manifest.txt");
    EXPECT_TRUE(Loads(id));
}

// The header's club must be the save's own, and the club's standings are range-checked: the
// sponsor screen adds them.
TEST_F(CareerSafety, AHeaderClubNotInTheSaveAndAStandingAtTheLimitAreRefused) {
    for (const char* what : {"header club", "standing"}) {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, what));
        if (std::string(what) == "standing")
            career.teams.At(0)->standing2 = INT32_MAX;
        else
            career.profiles.At(0)->clubId = -5;
        ASSERT_TRUE(SaveCareer(world, career));
        const std::string folder = "data/profiles/" + career.profiles.At(0)->folder.Std();
        fs::remove(m_dir / folder / "manifest.txt");
        const int32_t id = career.profiles.At(0)->id;
        ExpectRefused(id, what);
        CMemoryDB loadedWorld;
        CMemoryDB loadedCareer;
        CareerLoadError error;
        EXPECT_FALSE(LoadCareer(loadedWorld, loadedCareer, id, &error));
        EXPECT_EQ(error.reason, std::string(what) == "standing" ? CareerLoadFailure::kBadValue
                                                                : CareerLoadFailure::kClubMissing);
        EXPECT_NE(
            error.where.Std().find(std::string(what) == "standing" ? "teamlist.dat" : "profilelist.dat"),
            std::string::npos)
            << error.where.GetText();
    }
}

// Money and ids no game could save are refused with the file named, also in a save whose manifest
// matches (as when the values were written by the game itself): a balance at the integer limit or two
// billion in debt in the first season, a player id below zero. What a real game saves loads: the
// four largest loans on top of the club's cash, a deep debt, the first player id.
TEST_F(CareerSafety, MoneyAndPlayerIdsNoGameSavesAreRefusedWithTheFileNamed) {
    auto monthEnd = [](int32_t money, int32_t borrowed) {
        auto* row = new CFinanceEntry();
        row->year = 2007;
        row->month = 7;
        row->day = 31;
        row->kind = 13; // the ledger's month end
        row->values[0] = 2;
        row->values[1] = 3;
        row->values[2] = money;
        row->values[3] = borrowed;
        return row;
    };
    const struct Case {
        const char* what;
        std::function<void(CMemoryDB& world, CMemoryDB& career)> change;
        const char* file; // empty: the save loads
    } cases[] = {
        {"a balance at the limit",
         [&](CMemoryDB&, CMemoryDB& c) { c.finances.Append(monthEnd(INT32_MAX, 0)); }, "finances.dat"},
        {"two billion in debt",
         [&](CMemoryDB&, CMemoryDB& c) { c.finances.Append(monthEnd(-2000000000, 0)); }, "finances.dat"},
        {"borrowing at the limit",
         [&](CMemoryDB&, CMemoryDB& c) { c.finances.Append(monthEnd(500000, INT32_MIN)); }, "finances.dat"},
        {"the club's cash at the limit", [](CMemoryDB&, CMemoryDB& c) { c.teams.At(0)->cash = INT32_MAX; },
         "teamlist.dat"},
        {"the cash at the limit in a later season",
         [](CMemoryDB&, CMemoryDB& c) {
             c.profiles.At(0)->year = 2012;
             c.teams.At(0)->cash = INT32_MAX;
         },
         "teamlist.dat"},
        {"two billion in debt in a later season",
         [](CMemoryDB&, CMemoryDB& c) {
             c.profiles.At(0)->year = 2012;
             c.teams.At(0)->cash = -2000000000;
         },
         "teamlist.dat"},
        {"a negative player id", [](CMemoryDB&, CMemoryDB& c) { c.players.At(0)->id = INT32_MIN; },
         "playerlist.dat"},
        {"a negative player id in the world", [](CMemoryDB& w, CMemoryDB&) { w.players.At(0)->id = -7; },
         "MainData/playerlist.dat"},
        {"four of the largest loans",
         [&](CMemoryDB&, CMemoryDB& c) {
             c.teams.At(0)->cash += 4 * 49000000;
             c.teams.At(0)->totalBorrowed = 4 * 49000000;
             c.finances.Append(monthEnd(c.teams.At(0)->cash, c.teams.At(0)->totalBorrowed));
         },
         ""},
        {"a fortune in a later season",
         [](CMemoryDB&, CMemoryDB& c) {
             c.profiles.At(0)->year = 2012;
             c.teams.At(0)->cash = 1200000000;
         },
         ""},
        {"a deep debt",
         [&](CMemoryDB&, CMemoryDB& c) {
             c.teams.At(0)->cash = -900000000;
             c.finances.Append(monthEnd(-900000000, 0));
         },
         ""},
    };
    for (const Case& c : cases) {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, c.what));
        c.change(world, career);
        ASSERT_TRUE(SaveCareer(world, career)) << c.what;
        const int32_t id = career.profiles.At(0)->id;
        CMemoryDB loadedWorld;
        CMemoryDB loadedCareer;
        CareerLoadError error;
        const bool loaded = LoadCareer(loadedWorld, loadedCareer, id, &error);
        if (std::string(c.file).empty()) {
            EXPECT_TRUE(loaded) << c.what << ": " << error.where.GetText();
            continue;
        }
        EXPECT_FALSE(loaded) << c.what;
        EXPECT_EQ(error.reason, CareerLoadFailure::kBadValue) << c.what;
        std::string where = error.where.Std();
        std::replace(where.begin(), where.end(), '\\', '/');
        EXPECT_TRUE(where.ends_with(std::string(career.profiles.At(0)->folder.Std()) + "/" + c.file))
            << c.what << ": " << where;
    }
}

// Two copies of the game hold one career: the one that saves second over a folder the other saved
// since it loaded is refused and the newer save stays; each copy goes on saving its own progress.
TEST_F(CareerSafety, ACopyCannotSaveOverACareerAnotherCopySavedSinceItLoaded) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Twin", id, folder);
    CMemoryDB worldA, careerA, worldB, careerB;
    ASSERT_TRUE(LoadCareer(worldA, careerA, id));
    ASSERT_TRUE(LoadCareer(worldB, careerB, id));
    careerA.profiles.At(0)->day = 20;
    ASSERT_TRUE(SaveCareer(worldA, careerA));
    const std::string saved = Read(folder + "/profilelist.dat");

    careerB.profiles.At(0)->day = 5;
    CareerSaveError error;
    EXPECT_FALSE(SaveCareer(worldB, careerB, &error));
    EXPECT_EQ(error.reason, CareerSaveFailure::kSavedElsewhere);
    EXPECT_EQ(Read(folder + "/profilelist.dat"), saved);
    // The refused copy may keep its progress as a career of its own beside the other.
    {
        CMemoryDB worldC, careerC;
        ASSERT_TRUE(LoadCareer(worldC, careerC, id));
        careerA.profiles.At(0)->day = 22;
        ASSERT_TRUE(SaveCareer(worldA, careerA));
        careerC.profiles.At(0)->day = 3;
        EXPECT_FALSE(SaveCareer(worldC, careerC));
        careerC.unsavedCareer = true;
        ASSERT_TRUE(SaveCareer(worldC, careerC));
        EXPECT_NE(careerC.profiles.At(0)->id, id);
        CMemoryDB loadedWorld, loaded;
        ASSERT_TRUE(LoadCareer(loadedWorld, loaded, careerC.profiles.At(0)->id));
        EXPECT_EQ(loaded.profiles.At(0)->day, 3);
        ASSERT_TRUE(LoadCareer(loadedWorld, loaded, id));
        EXPECT_EQ(loaded.profiles.At(0)->day, 22);
    }
    // The copy that saved last goes on saving; the other may load the newer save and go on.
    careerA.profiles.At(0)->day = 21;
    EXPECT_TRUE(SaveCareer(worldA, careerA));
    ASSERT_TRUE(LoadCareer(worldB, careerB, id));
    EXPECT_EQ(careerB.profiles.At(0)->day, 21);
    EXPECT_TRUE(SaveCareer(worldB, careerB));
}

// A manager's name loses typed control characters; a name longer than any format buffer is saved
// whole, so its list line and header still read and the career loads.
TEST_F(CareerSafety, ManagerNamesLoseControlCharactersAndALongOneSavesWhole) {
    const std::string longName(5000, 'N');
    for (const std::string& typed : {std::string("\tAnn\x1b[1m Lee\x07\n"), longName}) {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, CStr(typed.c_str())));
        const std::string want = typed == longName ? longName : "Ann[1m Lee";
        EXPECT_EQ(career.profiles.At(0)->managerName.Std(), want);
        ASSERT_TRUE(SaveCareer(world, career));
        CMemoryDB loadedWorld;
        CMemoryDB loadedCareer;
        ASSERT_TRUE(LoadCareer(loadedWorld, loadedCareer, career.profiles.At(0)->id)) << want.size();
        EXPECT_EQ(loadedCareer.profiles.At(0)->managerName.Std(), want);
    }
}
