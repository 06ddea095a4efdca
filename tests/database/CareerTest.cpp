// Careers on disk: a new career, its save, list, load and delete, interrupted saves, corrupt
// folders and hostile names. Each test runs in a fresh working directory holding a copy of the
// generated data sets.
#include "CareerFolder.h"
#include "database/Ownership.h"
#include "engine/Log.h"
#include "engine/Paths.h"

namespace fs = std::filesystem;

TEST_F(CareerFolder, NewCareerTakesTheClubItsSquadAndStadium) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Anna Lee"));

    ASSERT_EQ(career.teams.Size(), 1);
    CTeam* club = career.teams.At(0);
    EXPECT_EQ(club->id, kClub);
    EXPECT_EQ(career.managerClubId, kClub);
    ASSERT_EQ(career.leagues.Size(), 1);
    EXPECT_EQ(career.leagues.At(0)->id, 1);
    ASSERT_EQ(career.leagues.At(0)->teams.size(), 1u);
    EXPECT_EQ(career.leagues.At(0)->teams[0], club);
    ASSERT_EQ(club->players.size(), 12u);
    ASSERT_NE(club->stadium, nullptr);
    EXPECT_EQ(club->stadium->wings.size(), 18u);
    EXPECT_EQ(club->stadium->capacity, 5000);

    // The squad moved: the world keeps the club but not its players.
    CTeam* worldClub = world.FindTeam(kClub);
    ASSERT_NE(worldClub, nullptr);
    EXPECT_TRUE(worldClub->players.empty());
    EXPECT_EQ(world.players.Size(), 24 * 12 + 24 - 12);
    for (CPlayer* player : club->players)
        EXPECT_EQ(world.FindPlayer(player->id), nullptr);

    ASSERT_EQ(career.profiles.Size(), 1);
    const CProfile* profile = career.profiles.At(0);
    EXPECT_EQ(profile->managerNumber, 30);
    EXPECT_EQ(profile->roleTextId, 100003);
    EXPECT_EQ(profile->modeTextId, kModeLeague);
    EXPECT_EQ(profile->managerName.Std(), "Anna Lee");
    EXPECT_EQ(profile->year * 10000 + profile->month * 100 + profile->day, 20070801);
    EXPECT_TRUE(IsSafeProfileFolder(profile->folder));

    // A club that does not exist starts nothing and changes nothing.
    std::string before = Describe(world, career);
    EXPECT_FALSE(BuildCareerDatabase(world, career, kDataSetLeague, 999, "X"));
    EXPECT_EQ(FirstDifference(Describe(world, career), before), "");

    CMemoryDB cupWorld;
    CMemoryDB cupCareer;
    ASSERT_TRUE(BuildCareerDatabase(cupWorld, cupCareer, kDataSetWorldCup, 7, "Bo"));
    EXPECT_EQ(cupCareer.leagues.At(0)->type, 100004);
    EXPECT_EQ(cupCareer.profiles.At(0)->modeTextId, kModeWorldCup);
}

TEST_F(CareerFolder, SavedCareerReloadsIdentically) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Anna Lee"));
    CTeam* club = career.teams.At(0);

    // A season's worth of changes, in the ways the game makes them.
    CPlayer* signing = world.FindTeam(3)->players[6];
    AddPlayerStat(world, signing, Stat(2007, 9, 10, 11));
    AddPlayerStat(world, signing, Stat(2007, 10, 2, 7));
    ASSERT_TRUE(MovePlayer(world, career, signing, club));
    AddPlayerStat(career, signing, Stat(2007, 11, 20, 25));
    AddPlayerStat(career, club->players[0], Stat(2007, 9, 15, 30));
    CMatchStat* match = new CMatchStat();
    match->Field(3) = kClub;
    match->Field(6) = 15;
    match->Field(7) = 9;
    match->Field(8) = 2007;
    AddMatchStat(career, club, match);
    std::swap(club->players[0], club->players[3]); // line-up work
    // A starter played out of his position on the team sheet keeps that slot's position.
    const int32_t ownPosition = club->players[1]->words[kWordPosition];
    const int32_t slotPosition = ownPosition == 80063 ? 80064 : 80063;
    club->players[1]->words[kWordPlayedPosition] = slotPosition;
    club->cash -= 70000;
    HireStaffCopy(career, club, new CStaffRecord(*world.staff.At(5)));
    world.staff.At(5)->clubId = kClub;
    world.FindTeam(kClub)->staff.push_back(world.staff.At(5));
    HireStaffCopy(career, club, new CStaffRecord(*world.staff.At(9)));
    ASSERT_TRUE(FireStaff(career, club, 9));
    for (int32_t type : {100152, 80062, 100153}) {
        CEmail* mail = new CEmail();
        mail->id = career.emails.NextId();
        mail->type = type;
        mail->placeholders[0] = "Summit Bank";
        career.emails.Add(mail);
    }
    career.emails.RemoveFromFolder(1, 0);
    career.laments.AddLament(club->players[1]->id, 2007, 9, 3, 302010, 1, -1);
    CMyPromotion* promotion = new CMyPromotion();
    promotion->nameTextId = 302502;
    career.myPromotions.PushBack(promotion);
    career.myStadiumUpgrades.Append(new CMyStadiumUpgrade())->partId = 300061;
    career.certificates.Append(new CCertificate())->playerName = signing->name;
    CFinanceEntry* entry = career.finances.Append(new CFinanceEntry());
    entry->kind = 7;
    entry->text = "Signing";
    career.leagueStandings.Append(new CLeagueStanding())->homeTeam = kClub;
    career.loans.Append(new CLoan())->amount = 100000;
    career.campBookings.Append(new CCampBooking())->week = 27;
    career.careerSteps.Get().staffSelection = 5;
    career.careerSteps.Get().reportMonth = 11;
    career.storage.Append(new CStorageItem())->kind = "y";
    career.profiles.At(0)->month = 12;

    ASSERT_TRUE(SaveCareer(world, career));
    // A profile line pointing at the folder; the career's stats carry their owner's id now.
    EXPECT_EQ(ListCareers(world), 1);
    EXPECT_EQ(world.profiles.At(0)->managerName.Std(), "Anna Lee");
    std::string saved = Describe(world, career);

    CMemoryDB loadedWorld;
    CMemoryDB loadedCareer;
    ASSERT_TRUE(LoadCareer(loadedWorld, loadedCareer, career.profiles.At(0)->id));
    EXPECT_EQ(FirstDifference(Describe(loadedWorld, loadedCareer), saved), "");
    EXPECT_EQ(loadedCareer.managerClubId, kClub);
    EXPECT_EQ(loadedWorld.profiles.Size(), 1);

    // The signing kept his history from both databases, in date order.
    CPlayer* moved = loadedCareer.FindPlayer(signing->id);
    ASSERT_NE(moved, nullptr);
    ASSERT_EQ(moved->stats.size(), 3u);
    EXPECT_EQ(moved->stats[0]->Field(10), 11);
    EXPECT_EQ(moved->stats[1]->Field(10), 7);
    EXPECT_EQ(moved->stats[2]->Field(10), 25);
    // The squad order survived; the fired coach is gone and the deleted mail was not saved.
    EXPECT_EQ(loadedCareer.teams.At(0)->players[0]->id, club->players[0]->id);
    EXPECT_EQ(loadedCareer.teams.At(0)->players[1]->words[kWordPlayedPosition], slotPosition);
    ASSERT_EQ(loadedCareer.teams.At(0)->staff.size(), 1u);
    EXPECT_EQ(loadedCareer.teams.At(0)->staff[0]->id, 5);
    EXPECT_EQ(loadedCareer.emails.Size(), 2);
    EXPECT_EQ(loadedCareer.profiles.At(0)->month, 12);
}

TEST_F(CareerFolder, SavingAgainKeepsOneLineAndDeleteRemovesEverything) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetEuroCup, 4, "Carl"));
    ASSERT_TRUE(SaveCareer(world, career));
    career.teams.At(0)->cash = 1;
    ASSERT_TRUE(SaveCareer(world, career));
    EXPECT_EQ(ListCareers(world), 1);

    // A second career gets the next id and its own folder.
    CMemoryDB world2;
    CMemoryDB career2;
    ASSERT_TRUE(BuildCareerDatabase(world2, career2, kDataSetLeague, 0, "Carl"));
    EXPECT_EQ(career2.profiles.At(0)->id, career.profiles.At(0)->id + 1);
    EXPECT_NE(career2.profiles.At(0)->folder.Std(), career.profiles.At(0)->folder.Std());
    ASSERT_TRUE(SaveCareer(world2, career2));
    EXPECT_EQ(ListCareers(world), 2);
    // The world loaded at start-up comes with the list of saved careers.
    CMemoryDB startWorld;
    ASSERT_TRUE(LoadWorldData(startWorld, kDataSetLeague));
    EXPECT_EQ(startWorld.profiles.Size(), 2);

    std::string folder = "data/profiles/" + career.profiles.At(0)->folder.Std();
    ASSERT_TRUE(fs::is_directory(m_dir / folder / "MainData"));
    ASSERT_TRUE(DeleteCareer(world, career.profiles.At(0)->id));
    EXPECT_FALSE(fs::exists(m_dir / folder));
    EXPECT_EQ(world.profiles.Size(), 1);
    EXPECT_EQ(ListCareers(world), 1);
    EXPECT_FALSE(DeleteCareer(world, career.profiles.At(0)->id));
    EXPECT_FALSE(LoadCareer(world, career, career.profiles.At(0)->id));
}

TEST_F(CareerFolder, NoCareerNameOrListLineReachesOutsideTheProfilesFolder) {
    for (const char* name : {"..", "../../etc", "a/b", "a\\b", ".", "", "   ", "Ünïcode *?", "CON"}) {
        CStr folder = MakeProfileFolderName(name, 3);
        EXPECT_TRUE(IsSafeProfileFolder(folder)) << name;
        EXPECT_EQ(folder.Find(".."), -1);
        EXPECT_EQ(folder.FindChar('/'), -1);
    }
    for (const char* folder : {"..", ".", "", "a/b", "a\\b", "../data", "x.old"})
        EXPECT_FALSE(IsSafeProfileFolder(folder)) << folder;

    // Hand-edited lines naming folders outside: listing drops them, loading refuses them and
    // deleting forgets the line without touching the disk.
    Write("data/profiles/profilelist.dat",
          "0|..|9|2007|8|30|100003|1|Eve|100063|0|0|0|2007|2008|8|1\n"
          "1|../../data|9|2007|8|30|100003|1|Eve|100063|0|0|0|2007|2008|8|1\n");
    CMemoryDB world;
    CMemoryDB career;
    EXPECT_EQ(ListCareers(world), 0);
    EXPECT_FALSE(LoadCareer(world, career, 0));
    EXPECT_FALSE(LoadCareer(world, career, 1));
    EXPECT_TRUE(DeleteCareer(world, 0));
    EXPECT_TRUE(DeleteCareer(world, 1));
    EXPECT_TRUE(fs::exists(m_dir / "data/league.dat"));
    EXPECT_TRUE(fs::exists(m_dir / "data/profiles"));
    EXPECT_EQ(Read("data/profiles/profilelist.dat"), "");
}

TEST_F(CareerFolder, CorruptOrIncompleteCareerIsRefusedAndTheGameKeepsItsState) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Dee"));
    ASSERT_TRUE(SaveCareer(world, career));
    int32_t id = career.profiles.At(0)->id;
    std::string folder = "data/profiles/" + career.profiles.At(0)->folder.Std();
    std::string before = Describe(world, career);

    std::string teams = Read(folder + "/teamlist.dat");
    Write(folder + "/teamlist.dat", teams.substr(0, teams.size() - 3));
    EXPECT_FALSE(LoadCareer(world, career, id));
    EXPECT_EQ(FirstDifference(Describe(world, career), before), "");

    Write(folder + "/teamlist.dat", teams);
    std::string players = Read(folder + "/MainData/playerlist.dat");
    Write(folder + "/MainData/playerlist.dat", std::string("\xff\xff\xff\x7f", 4) + players.substr(4));
    EXPECT_FALSE(LoadCareer(world, career, id));
    EXPECT_EQ(FirstDifference(Describe(world, career), before), "");

    Write(folder + "/MainData/playerlist.dat", players);
    fs::remove(m_dir / folder / "league.dat");
    EXPECT_FALSE(LoadCareer(world, career, id));
    EXPECT_EQ(FirstDifference(Describe(world, career), before), "");

    // A broken data set leaves the running world as it was, too.
    Write("data/EuroCup/teamlist.dat", "\x05");
    EXPECT_FALSE(LoadWorldData(world, kDataSetEuroCup));
    EXPECT_FALSE(BuildCareerDatabase(world, career, kDataSetEuroCup, 1, "Dee"));
    EXPECT_EQ(FirstDifference(Describe(world, career), before), "");
}

// Every file of every data set, cut in half or with eight bytes turned over, or missing, fails
// its set's load and the start-up check of the set, which name the file and what is wrong with it.
TEST_F(CareerFolder, EachDamagedWorldDataFileIsNamedWithWhatIsWrong) {
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        const std::string folder = dataSet == kDataSetLeague    ? "data/"
                                   : dataSet == kDataSetEuroCup ? "data/EuroCup/"
                                                                : "data/WorldCup/";
        for (const CStr& name : CMemoryDB::FileNames(false)) {
            const std::string path = folder + name.Std();
            const std::string bytes = Read(path);
            ASSERT_GE(bytes.size(), 4u) << path;
            std::string flipped = bytes;
            for (size_t i = 0; i < 8 && i < flipped.size(); ++i)
                flipped[i] = static_cast<char>(~flipped[i]);
            const std::pair<const char*, std::string> damages[] = {
                {"cut in half", bytes.substr(0, bytes.size() / 2)}, {"flipped", flipped}, {"missing", ""}};
            for (const auto& [how, damaged] : damages) {
                if (std::string(how) == "missing")
                    fs::remove(m_dir / path);
                else
                    Write(path, damaged);
                const std::string says =
                    std::string(how) == "missing" ? "it is missing" : "it does not read as the game's data (";
                CMemoryDB world;
                WorldDataError loadError;
                EXPECT_FALSE(LoadWorldData(world, dataSet, &loadError)) << path << " " << how;
                EXPECT_EQ(loadError.file.Std(), path) << how;
                EXPECT_EQ(loadError.reason.Find(says.c_str()), 0)
                    << path << " " << how << ": " << loadError.reason.GetText();
                EXPECT_EQ(loadError.missing, std::string(how) == "missing") << path;
                EXPECT_TRUE(world.teams.IsEmpty());
                std::vector<int32_t> ids;
                WorldDataError checkError;
                EXPECT_FALSE(CheckWorldData(dataSet, ids, &checkError)) << path << " " << how;
                EXPECT_EQ(checkError.file.Std(), path) << how;
                EXPECT_EQ(checkError.reason.Std(), loadError.reason.Std()) << path << " " << how;
            }
            Write(path, bytes);
        }
        // Whole again, the set loads and its check passes.
        CMemoryDB world;
        std::vector<int32_t> ids;
        EXPECT_TRUE(LoadWorldData(world, dataSet));
        EXPECT_TRUE(CheckWorldData(dataSet, ids));
        EXPECT_FALSE(ids.empty());
    }
}

TEST_F(CareerFolder, ASaveStoppedAtAnyStepLeavesTheLastSaveLoadable) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Eve"));
    ASSERT_TRUE(SaveCareer(world, career));
    int32_t id = career.profiles.At(0)->id;
    std::string firstSave = Describe(world, career);
    fs::path folder = m_dir / "data/profiles" / career.profiles.At(0)->folder.Std();
    fs::path backup = m_dir / "backup";
    fs::copy(m_dir / "data/profiles", backup, fs::copy_options::recursive);

    career.teams.At(0)->cash = 12345;
    AddPlayerStat(career, career.teams.At(0)->players[2], Stat(2007, 9, 1, 9));
    CareerSaveFault counter;
    ASSERT_TRUE(SaveCareer(world, career, nullptr, &counter));
    std::string secondSave = Describe(world, career);
    ASSERT_GT(counter.steps, 60);

    bool sawNew = false;
    for (int stop = 0; stop < counter.steps; ++stop) {
        fs::remove_all(m_dir / "data/profiles");
        fs::copy(backup, m_dir / "data/profiles", fs::copy_options::recursive);
        // The career saves over the folder as the copy of the game that last saw it there.
        career.savedManifest = Read(fs::relative(folder / "manifest.txt", m_dir).string());
        CareerSaveFault fault;
        fault.stopAfterSteps = stop;
        // Only a stop after the new folder is in place may report the save as done (the list is
        // mended from the folders); then the new save is the one that loads.
        bool saved = SaveCareer(world, career, nullptr, &fault);
        EXPECT_EQ(saved, stop >= counter.steps - 2) << stop;
        // Loading straight after the stop reads whichever save is whole and changes nothing;
        // the start-up clean-up then settles the folders and the same save loads again.
        for (bool cleaned : {false, true}) {
            if (cleaned)
                CleanUpCareerFolders();
            auto before = Snapshot();
            CMemoryDB loadedWorld;
            CMemoryDB loadedCareer;
            ASSERT_TRUE(LoadCareer(loadedWorld, loadedCareer, id)) << "stopped after " << stop;
            EXPECT_EQ(Snapshot(), before) << "stopped after " << stop;
            std::string loaded = Describe(loadedWorld, loadedCareer);
            // Either the whole old save or, once the new folder is in place, the whole new one.
            if (loaded == secondSave) {
                sawNew = true;
            } else {
                EXPECT_FALSE(saved) << "stopped after " << stop;
                EXPECT_FALSE(sawNew) << "stopped after " << stop;
                EXPECT_EQ(FirstDifference(loaded, firstSave), "") << "stopped after " << stop;
            }
            EXPECT_EQ(ListCareers(loadedWorld), 1);
        }
        EXPECT_FALSE(fs::exists(folder.string() + ".saving"));
        EXPECT_FALSE(fs::exists(folder.string() + ".old"));
        EXPECT_TRUE(fs::is_directory(folder));
    }
    EXPECT_TRUE(sawNew);
}

TEST_F(CareerFolder, TruncatingATableAtAnyByteFailsTheLoadCleanly) {
    g_pQuorelLog = new CQuorelLog();
    CMemoryDB small;
    for (int32_t id = 0; id < 2; ++id) {
        CTeam* team = small.teams.Append(new CTeam());
        team->id = id;
        team->name = CStr::Formatted("Team %d", id);
        team->stadiumKey = "std_eu_01";
    }
    ASSERT_TRUE(small.SaveFolder("\\small\\", false));
    std::string bytes = Read("small/teamlist.dat");

    CMemoryDB db;
    ASSERT_TRUE(db.LoadFolder("\\small\\"));
    std::string good = DescribeLinks(db);
    for (size_t length = 0; length < bytes.size(); ++length) {
        Write("small/teamlist.dat", bytes.substr(0, length));
        EXPECT_FALSE(db.LoadFolder("\\small\\")) << length;
        ASSERT_EQ(DescribeLinks(db), good);
    }
    // The log names the file that failed.
    bool named = false;
    for (const CStr& entry : g_pQuorelLog->Entries())
        named = named || entry.Find("teamlist.dat") >= 0;
    EXPECT_TRUE(named);
    // A text claiming ten thousand characters fails even with the bytes present.
    std::string longText = ByteBuilder().I(1).I(0).I(0).I(0).I(10000).Bytes() + std::string(10100, 'x');
    Write("small/teamlist.dat", longText);
    EXPECT_FALSE(db.LoadFolder("\\small\\"));
    delete g_pQuorelLog;
    g_pQuorelLog = nullptr;
}

TEST_F(CareerFolder, ACareerSavedBeforeItsCampsAndStepValuesExistedStillLoads) {
    CMemoryDB world;
    CMemoryDB career;
    ASSERT_TRUE(BuildCareerDatabase(world, career, kDataSetLeague, kClub, "Old Save"));
    career.campBookings.Append(new CCampBooking())->cost = 50000;
    career.careerSteps.Get().gateDayKey = 20071020;
    ASSERT_TRUE(SaveCareer(world, career));
    const int32_t id = career.profiles.At(0)->id;
    const std::string folder = "data/profiles/" + career.profiles.At(0)->folder.Std() + "/";

    CMemoryDB loadedWorld;
    CMemoryDB loadedCareer;
    ASSERT_TRUE(LoadCareer(loadedWorld, loadedCareer, id));
    ASSERT_EQ(loadedCareer.campBookings.Size(), 1);
    EXPECT_EQ(loadedCareer.campBookings.At(0)->cost, 50000);
    EXPECT_EQ(loadedCareer.careerSteps.Get().gateDayKey, 20071020);

    // A save from before these files had no manifest either.
    for (const char* name : {"my_campbookings.dat", "my_daysteps.dat", "manifest.txt"})
        ASSERT_TRUE(fs::remove(m_dir / (folder + name))) << name;
    CMemoryDB oldWorld;
    CMemoryDB oldCareer;
    ASSERT_TRUE(LoadCareer(oldWorld, oldCareer, id));
    EXPECT_TRUE(oldCareer.campBookings.IsEmpty());
    EXPECT_EQ(oldCareer.careerSteps.Get().staffSelection, -1);
    EXPECT_EQ(oldCareer.careerSteps.Get().reportMonth, 0);
}
