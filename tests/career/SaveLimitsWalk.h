// Every number a saved career holds, set to its type's limits one column at a time: the career
// loads and plays on (or shows its screens), or is refused with a reason, and a manifest (whole,
// empty or none) changes nothing in which. The columns come from each table's own record layout.
#pragma once

#include "career/CareerSession.h"
#include "career/DayRunner.h"
#include "career/FixtureList.h"
#include "career/MatchRecord.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "database/SaveManifest.h"
#include "engine/GameRand.h"
#include "engine/Log.h"
#include "engine/Paths.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace savelimits {

namespace fs = std::filesystem;

// The walk runs on one thread (only the first match days use the day's worker): under the thread
// sanitizer it has nothing to watch and would take minutes, so those runs leave it out.
#if defined(__SANITIZE_THREAD__)
constexpr bool kSkipUnderThreadSanitizer = true;
#else
constexpr bool kSkipUnderThreadSanitizer = false;
#endif

// Days the career plays after each load: enough for a match day with the other clubs' quick results.
constexpr int kDaysAfterLoad = 4;

struct FieldRef {
    int32_t* integer = nullptr;
    double* real = nullptr;
};

class FieldCollector : public CFieldVisitor {
public:
    std::vector<FieldRef> fields;
    void Int(int32_t& value) override { fields.push_back({&value, nullptr}); }
    void Double(double& value) override { fields.push_back({nullptr, &value}); }
};

// One table file of the save as loaded: its records and each record's numbers in file order.
struct SavedTable {
    fs::path path;
    std::vector<CRecord*> records;
    std::vector<std::vector<FieldRef>> fields;

    std::string Bytes() const {
        CArchive ar = CArchive::ForWriting();
        int32_t count = static_cast<int32_t>(records.size());
        ar.Count(count, 0);
        for (CRecord* record : records)
            record->Serialize(ar);
        return ar.TakeBytes();
    }
};

inline std::vector<SavedTable> CollectTables(CMemoryDB& db, bool withProfiles, const fs::path& folder) {
    std::map<std::string, SavedTable> byFile;
    std::vector<std::string> order;
    db.ForEachSavedRecord(withProfiles, [&](const char* file, CRecord& record) {
        auto [it, added] = byFile.try_emplace(file);
        if (added) {
            order.push_back(file);
            it->second.path = folder / file;
        }
        FieldCollector collector;
        CArchive ar = CArchive::ForVisiting(collector);
        record.Serialize(ar);
        it->second.records.push_back(&record);
        it->second.fields.push_back(std::move(collector.fields));
    });
    std::vector<SavedTable> tables;
    for (const std::string& file : order)
        tables.push_back(std::move(byFile[file]));
    return tables;
}

// A finished match with a few figures per side and player, as an engine hands it over.
inline MatchResult PlayedMatch(CTeam* home, CTeam* away, CTeam* user) {
    MatchResult result;
    auto fill = [&](SideMatchResult& side, CTeam* team, int score) {
        side.team = team;
        side.user = team == user;
        side.figures.Score() = score;
        side.figures.OpponentScore() = 139 - score;
        for (int field = 11; field <= kMatchStatFields; ++field)
            side.figures.Field(field) = field;
        for (size_t i = 0; i < team->players.size() && i < 7; ++i) {
            PlayerMatchLine line;
            line.player = team->players[i];
            line.figures.SecondsPlayed() = 1200;
            line.figures.Points() = score / 7;
            for (int field = 12; field <= kPlayerStatFields; ++field)
                line.figures.Field(field) = 2;
            side.players.push_back(line);
        }
    };
    fill(result.home, home, 70);
    fill(result.away, away, 69);
    return result;
}

// The day runner's host over the session; the user's matches end at once.
class LimitsHost : public IDayHost {
public:
    explicit LimitsHost(CCareerSession& s) : session(s) {}
    CStr GetText(int) const override { return CStr(); }
    void SetBusy(bool) override {}
    void SetStep(bool) override {}
    void SetWaitText(const CStr&) override {}
    void PublishLatestResult(const LatestResult&) override {}
    UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) override {
        UserMatchOutcome outcome{false, true, 70, 69, {}};
        outcome.result = PlayedMatch(setup.home, setup.away, session.UserClub());
        return outcome;
    }
    CCareerSession& session;
};

// A save without a manifest, with a whole one, and with two hand edits that must be refused: a
// manifest that lists no file and one with a file's line taken out.
enum class Manifest { kNone, kWhole, kEmpty, kLineOut };

// Walks a saved career of the session in the game folder's "data/profiles". Logs into a log of
// its own while it lives; afterLoad runs on every career that loads (the days played by default).
class SaveLimitsWalk {
public:
    explicit SaveLimitsWalk(CCareerSession& session, fs::path gameDir)
        : m_session(&session), m_dir(std::move(gameDir)) {
        m_log = new CQuorelLog();
        m_log->SetFile("\\limits-log.txt");
        g_pQuorelLog = m_log;
        afterLoad = [this] { Play(kDaysAfterLoad, false); };
    }
    ~SaveLimitsWalk() {
        g_pQuorelLog = nullptr;
        delete m_log;
    }
    SaveLimitsWalk(const SaveLimitsWalk&) = delete;
    SaveLimitsWalk& operator=(const SaveLimitsWalk&) = delete;

    std::function<void()> afterLoad;
    // Which table files to walk (by name); all when empty.
    std::function<bool(const std::string& file)> walksFile;

    // Every table of the career's own folder, and its header line.
    void WalkCareerTables() {
        WriteManifest(Manifest::kWhole); // an earlier walk may end on an edited one
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(LoadCareer(world, career, m_id));
        std::vector<SavedTable> tables = CollectTables(career, true, m_folder);
        WalkTables(tables);
        if (!walksFile || walksFile("profilelist.dat"))
            WalkProfile(career);
    }
    // Every table of the world as the career saved it (MainData).
    void WalkWorldTables() {
        WriteManifest(Manifest::kWhole); // an earlier walk may end on an edited one
        CMemoryDB world;
        CMemoryDB career;
        ASSERT_TRUE(LoadCareer(world, career, m_id));
        std::vector<SavedTable> tables = CollectTables(world, false, m_folder / "MainData");
        WalkTables(tables);
    }

    // A league career a few match days in, so the statistics, mails and ledger hold rows, saved.
    void SaveCareerInPlay() {
        GameSrand(11);
        CMemoryDB world;
        ASSERT_TRUE(LoadWorldData(world, kDataSetLeague));
        ASSERT_TRUE(
            m_session->StartNewCareer(kDataSetLeague, world.leagues.At(0)->teams.at(4)->id, "Lim Its"));
        Play(3, true);
        SeedQuietTables();
        ASSERT_TRUE(m_session->SaveCurrentCareer());
        m_id = m_session->careerDB->profiles.At(0)->id;
        m_folder = m_dir / "data/profiles" / m_session->careerDB->profiles.At(0)->folder.Std();
    }

    // A row in each career table the first match days leave empty, as a longer career fills them.
    void SeedQuietTables() {
        CMemoryDB& world = *m_session->worldDB;
        CMemoryDB& career = *m_session->careerDB;
        const GameDate today = m_session->currentDate;
        const int32_t player = career.teams.At(0)->players.at(0)->id;
        if (career.matchStats.IsEmpty()) {
            CTeam* user = career.teams.At(0);
            CTeam* rival = world.leagues.At(0)->teams.at(0);
            ASSERT_TRUE(RecordMatchResult(PlayedMatch(user, rival, user), today, nullptr,
                                          MatchRecordTables{&career, &world}));
        }
        if (career.staff.IsEmpty()) {
            ASSERT_NE(HireStaffMember(&world, career, *world.staff.At(0)), nullptr);
        }
        if (career.emails.IsEmpty()) {
            CEmail* mail = new CEmail();
            mail->id = 0;
            mail->type = 0;
            mail->templateRow = 0;
            mail->year = today.year;
            mail->month = today.month;
            mail->day = today.day;
            career.emails.Add(mail);
        }
        if (career.whispers.whispers.IsEmpty()) {
            CWhisper* whisper = new CWhisper();
            whisper->playerId = player;
            whisper->year = today.year;
            whisper->month = today.month;
            whisper->day = today.day;
            career.whispers.whispers.Append(whisper);
        }
        CMyPromotion* promotion = career.myPromotions.Append(new CMyPromotion());
        *promotion = CMyPromotion();
        promotion->catalogueRow = 0;
        promotion->cost = 5000;
        promotion->attendanceBoost = 10;
        promotion->opinionDelta1 = 2;
        promotion->opinionDelta2 = 2;
        promotion->fourthValue = 1;
        promotion->year = today.year;
        promotion->month = today.month;
        promotion->day = today.day + 1;
        career.laments.AddLament(player, today.year, today.month, today.day, 302006, -1, -1);
        auto sponsor = [&](CTable<CSponsorRecord>& table) {
            CSponsorRecord* record = table.Append(new CSponsorRecord());
            record->kind = 1;
            record->requirement = 1;
            record->year = today.year;
            record->month = today.month;
            record->months = 12;
            record->amount = 250000;
            record->name = "Sponsor";
        };
        sponsor(career.sponsorOffers);
        sponsor(career.sponsorContracts);
        CStorageItem* stock = career.storage.Append(new CStorageItem());
        stock->id = 0;
        stock->itemIndex = 0;
        stock->quantity = 200;
        stock->kind = "sto";
        stock->year = today.year;
        stock->month = today.month;
        stock->day = today.day;
        CMyStadiumUpgrade* upgrade = career.myStadiumUpgrades.Append(new CMyStadiumUpgrade());
        upgrade->partId = kFirstSeatPart;
        upgrade->daysNeeded = 30;
        upgrade->daysDone = 2;
        upgrade->level = 1;
        CCertificate* certificate = career.certificates.Append(new CCertificate());
        certificate->amount = 400000;
        certificate->rating = 60;
        certificate->contractMonths = 24;
        certificate->cardValue = 3;
        certificate->year = today.year;
        certificate->month = today.month;
        certificate->day = today.day;
        CLoan* loan = career.loans.Append(new CLoan());
        loan->year = today.year;
        loan->month = today.month;
        loan->day = today.day;
        loan->amount = 1000000;
        loan->instalment = 50000;
        loan->months = 24;
        loan->paid = 1;
        CCampBooking* camp = career.campBookings.Append(new CCampBooking());
        camp->year = today.year;
        camp->week = 45;
        camp->option = 0;
        camp->cost = 20000;
        camp->day = today.day;
        camp->month = today.month;
        CTrainingDay* training = career.trainingDays.Append(new CTrainingDay());
        training->year = today.year;
        training->month = today.month;
        training->day = today.day + 1;
        training->exercise[0] = 0;
        training->modifier[0] = 0;
        CTrainingEntry* entry = career.trainingEntries.Append(new CTrainingEntry());
        entry->year = today.year;
        entry->month = today.month;
        entry->day = today.day + 1;
        entry->playerId = player;
        entry->freshness = 80;
        entry->energy = 70;
        CTrainingPlanFor* planFor = career.trainingPlanFor.Append(new CTrainingPlanFor());
        planFor->year = today.year;
        planFor->month = today.month;
        planFor->day = today.day + 1;
        planFor->kind = 1;
        CTrainedValues* trained = career.trainedValues.Append(new CTrainedValues());
        trained->playerId = player;
        for (int32_t& value : trained->values)
            value = 50;
        if (career.opinions.IsEmpty() && !world.opinions.IsEmpty())
            career.opinions.Append(new CTeamOpinion(*world.opinions.At(0)));
    }

    // Continue runs (to the user's next match) or single days.
    void Play(int runs, bool toMatch) {
        LimitsHost host(*m_session);
        CDayRunner runner(*m_session, &host, m_session->fixtureList);
        for (int i = 0; i < runs && m_session->HasOpenCareer() && !runner.SeasonEndPending(); ++i) {
            bool stop = false;
            if (toMatch)
                runner.RunDays(stop);
            else
                runner.AdvanceDay(stop);
        }
    }

    void WriteManifest(Manifest kind) {
        const fs::path path = m_folder / kSaveManifestFile;
        fs::remove(path);
        if (kind == Manifest::kWhole) {
            ASSERT_TRUE(WriteSaveManifest(CStr(m_folder.string())));
        } else if (kind == Manifest::kEmpty) {
            Write(path, "Fastbreak save 1\nend 0\n");
        } else if (kind == Manifest::kLineOut) {
            // The first file's line goes and the count follows, so only the missing line tells.
            ASSERT_TRUE(WriteSaveManifest(CStr(m_folder.string())));
            std::string text = Read(path);
            const size_t first = text.find('\n') + 1;
            text.erase(first, text.find('\n', first) + 1 - first);
            const size_t end = text.rfind("end ");
            text = text.substr(0, end) + "end " + std::to_string(std::stoi(text.substr(end + 4)) - 1) + "\n";
            Write(path, text);
        }
    }

    // Loads under each kind of manifest (every kind when asked, else the next in turn, to keep the
    // walk short); the outcome must not depend on whether a whole manifest is there, and an edited
    // one is refused. A refusal must say why in the log; a career that loads plays a few days.
    void ExpectLoadsOrRefused(const std::string& what, bool everyManifest) {
        int loads = 0;
        int tries = 0;
        for (Manifest kind : {Manifest::kNone, Manifest::kWhole, Manifest::kEmpty, Manifest::kLineOut}) {
            if (!everyManifest && static_cast<int>(kind) != m_turn % 4)
                continue;
            const bool edited = kind == Manifest::kEmpty || kind == Manifest::kLineOut;
            WriteManifest(kind);
            m_session->LeaveCareer();
            const size_t logged = m_log->Entries().size();
            const bool loaded = m_session->LoadSavedCareer(m_id);
            if (edited) {
                EXPECT_FALSE(loaded) << what << ": loads under an edited manifest";
                EXPECT_NE(m_session->lastLoadError.reason, CareerLoadFailure::kNone) << what;
            } else {
                ++tries;
            }
            if (loaded) {
                loads += edited ? 0 : 1;
                continue;
            }
            bool said = false;
            const std::vector<CStr> entries = m_log->Entries();
            for (size_t i = logged; i < entries.size(); ++i)
                said = said || (entries[i].Std().rfind("[LoadCareer] ", 0) == 0 && entries[i].Length() > 30);
            EXPECT_TRUE(said) << what << ": refused without a reason";
        }
        ++m_turn;
        EXPECT_TRUE(loads == 0 || loads == tries) << what << ": loads under " << loads << " of the manifests";
        if (loads > 0)
            afterLoad();
        if (tries > 0)
            ++(loads > 0 ? m_loaded : m_refused);
    }

    // Sets one column of the table (every record's) to the value, checks, and puts the file back.
    template <class T> void TryColumn(SavedTable& table, size_t column, T value, const std::string& what) {
        std::vector<T> kept;
        auto at = [&](std::vector<FieldRef>& record) -> T& {
            if constexpr (std::is_same_v<T, double>)
                return *record[column].real;
            else
                return *record[column].integer;
        };
        for (std::vector<FieldRef>& record : table.fields) {
            kept.push_back(at(record));
            at(record) = value;
        }
        const std::string original = Read(table.path);
        Write(table.path, table.Bytes());
        ExpectLoadsOrRefused(what, column == 0);
        Write(table.path, original);
        for (size_t row = 0; row < table.fields.size(); ++row)
            at(table.fields[row]) = kept[row];
    }

    void WalkTables(std::vector<SavedTable>& tables) {
        for (SavedTable& table : tables) {
            if (table.records.empty() || (walksFile && !walksFile(table.path.filename().string())))
                continue;
            const std::string file = fs::relative(table.path, m_folder).string();
            for (size_t column = 0; column < table.fields[0].size(); ++column) {
                const std::string what = file + " field " + std::to_string(column + 1);
                if (table.fields[0][column].integer) {
                    TryColumn(table, column, std::numeric_limits<int32_t>::min(), what + " at the minimum");
                    TryColumn(table, column, std::numeric_limits<int32_t>::max(), what + " at the maximum");
                } else {
                    TryColumn(table, column, std::numeric_limits<double>::lowest(), what + " at the minimum");
                    TryColumn(table, column, std::numeric_limits<double>::max(), what + " at the maximum");
                    TryColumn(table, column, std::numeric_limits<double>::quiet_NaN(),
                              what + " not a number");
                    TryColumn(table, column, std::numeric_limits<double>::infinity(), what + " infinite");
                }
                ++m_columns;
            }
        }
    }

    // The career's header line (profilelist.dat in its folder) is text: its numbers by name.
    void WalkProfile(CMemoryDB& career) {
        CProfile* profile = career.profiles.At(0);
        ASSERT_NE(profile, nullptr);
        const fs::path path = m_folder / "profilelist.dat";
        const std::string original = Read(path);
        int32_t CProfile::*const numbers[] = {
            &CProfile::id,
            &CProfile::clubId,
            &CProfile::year,
            &CProfile::month,
            &CProfile::managerNumber,
            &CProfile::roleTextId,
            &CProfile::day,
            &CProfile::modeTextId,
            &CProfile::dataSet,
            &CProfile::cupStage,
            &CProfile::progress,
            &CProfile::seasonStartYear,
            &CProfile::seasonEndYear,
            &CProfile::seasonStartMonth,
            &CProfile::seasonStartDay,
        };
        int n = 0;
        for (int32_t CProfile::*number : numbers) {
            ++n;
            for (int32_t value : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
                const int32_t kept = profile->*number;
                profile->*number = value;
                Write(path, career.profiles.WriteText());
                ExpectLoadsOrRefused(
                    "profilelist.dat number " + std::to_string(n) + " at " + std::to_string(value), n == 1);
                profile->*number = kept;
            }
            ++m_columns;
        }
        Write(path, original);
    }

    // Plain writes: the walk rewrites a file a thousand times and needs no crash safety.
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        EXPECT_TRUE(out.good()) << path;
    }

    static std::string Read(const fs::path& path) {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(path.string().c_str(), bytes)) << path;
        return bytes;
    }

    int32_t Id() const { return m_id; }
    const fs::path& Folder() const { return m_folder; }
    int Columns() const { return m_columns; }
    int Loaded() const { return m_loaded; }
    int Refused() const { return m_refused; }

private:
    CCareerSession* m_session;
    fs::path m_dir;
    CQuorelLog* m_log = nullptr;
    int32_t m_id = -1;
    fs::path m_folder;
    int m_columns = 0;
    int m_loaded = 0;
    int m_refused = 0;
    int m_turn = 0;
};

} // namespace savelimits
