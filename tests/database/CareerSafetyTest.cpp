// A saved career is never lost: a damaged or unreadable list of careers, a save folder missing a
// table or holding one that is not whole, out-of-range values, and why a save failed.
#include "CareerFolder.h"
#include "database/Ownership.h"
#include "engine/Paths.h"

#include <cerrno>
#include <climits>
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
    void ExpectRefused(int32_t id, const std::string& what) {
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetEuroCup, 4, "Running"));
        std::string before = Describe(world, career);
        auto disk = Snapshot();
        EXPECT_FALSE(LoadCareer(world, career, id)) << what;
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
    EXPECT_EQ(world.profiles.Size(), 1);

    // Mending the line by hand brings the career back.
    Write("data/profiles/profilelist.dat", list + line);
    EXPECT_TRUE(Loads(id));
}

TEST_F(CareerSafety, AListThatCannotBeReadStopsTheSaveAndIsNotRewritten) {
    int32_t id = 0;
    std::string folder;
    SaveNew("Bo", id, folder);
    std::string list = Read("data/profiles/profilelist.dat");
    fs::remove(m_dir / "data/profiles/profilelist.dat");
    fs::create_directories(m_dir / "data/profiles/profilelist.dat"); // no file can be read from it

    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Bo"));
    // Whatever the list says, the new career does not take the folder on disk.
    EXPECT_NE("data/profiles/" + career.profiles.At(0)->folder.Std(), folder);
    auto disk = Snapshot();
    CareerSaveError error;
    EXPECT_FALSE(SaveCareer(world, career, &error));
    EXPECT_EQ(error.reason, CareerSaveFailure::kListUnreadable);
    EXPECT_NE(error.message.Find("profilelist.dat"), -1);
    EXPECT_EQ(Snapshot(), disk);

    fs::remove(m_dir / "data/profiles/profilelist.dat");
    Write("data/profiles/profilelist.dat", list);
    EXPECT_TRUE(Loads(id));
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

    // A career whose folder holds another career's save is not written over it.
    career.profiles.At(0)->folder = CStr(fs::path(folder).filename().string());
    std::string before = Read(folder + "/teamlist.dat");
    CareerSaveError error;
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
