// New careers, saving, listing, loading and deleting profile folders.
#include "database/Careers.h"

#include "database/SaveManifest.h"
#include "database/Validate.h"
#include "engine/Log.h"
#include "engine/Paths.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

const char* const kProfilesFolder = "\\data\\profiles\\";
const char* const kProfileListPath = "\\data\\profiles\\profilelist.dat";
const size_t kMaxFolderLength = 48;

CStr ProfilePath(const CStr& folder, const char* suffix = "") {
    return CStr(kProfilesFolder).Concat(folder).Concat(suffix);
}

const char* const kProfileListTemp = "\\data\\profiles\\profilelist.dat.tmp";
// Beside the save folder, so listing or copying the folder never meets it.
const char* const kLockPath = "\\data\\profiles.lock";

int RenamePath(const CStr& from, const CStr& to) {
    std::error_code ec;
    std::filesystem::rename(ResolvePath(from).Std(), ResolvePath(to).Std(), ec);
    return ec ? ec.value() : 0;
}

CareerSaveFailure FailureOfErrno(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
        return CareerSaveFailure::kNoPermission;
    case ENOSPC:
    case EDQUOT:
        return CareerSaveFailure::kNoSpace;
    case EFBIG:
        return CareerSaveFailure::kFileTooLarge;
    default:
        return CareerSaveFailure::kOther;
    }
}

// Records why a save stopped (the first reason only) and logs it.
class CSaveOutcome {
public:
    explicit CSaveOutcome(CareerSaveError* error) : m_error(error) {
        if (m_error)
            *m_error = CareerSaveError();
    }
    bool Fail(CareerSaveFailure reason, int systemError, const CStr& message) {
        CStr text = systemError != 0 ? message.Concat(": ").Concat(std::strerror(systemError)) : message;
        QuorelLog("[SaveCareer] %s", text.GetText());
        if (m_error && m_error->reason == CareerSaveFailure::kNone) {
            m_error->reason = reason;
            m_error->systemError = systemError;
            m_error->message = text;
        }
        return false;
    }
    bool FailErrno(int systemError, const CStr& message) {
        return Fail(FailureOfErrno(systemError), systemError, message);
    }
    bool FailWhere(CareerSaveFailure reason, int systemError, const CStr& where, const CStr& message) {
        Fail(reason, systemError, message);
        if (m_error && m_error->where.IsEmpty())
            m_error->where = where;
        return false;
    }

private:
    CareerSaveError* m_error = nullptr;
};

bool Step(CareerSaveFault* fault) {
    if (!fault)
        return true;
    if (fault->stopAfterSteps >= 0 && fault->steps >= fault->stopAfterSteps)
        return false;
    ++fault->steps;
    return true;
}

int FaultError(const CareerSaveFault* fault) {
    return fault && fault->systemError != 0 ? fault->systemError : EIO;
}

// Removes a folder of ours; folders the player made read-only are made writable first, as a
// read-only save folder would otherwise stay behind and block every later save.
bool RemoveOurFolder(const CStr& path) {
    if (!DirectoryExists(path.GetText()))
        return true;
    if (RemovePath(path.GetText()) || !DirectoryExists(path.GetText()))
        return true;
    std::error_code ec;
    std::filesystem::path root = ResolvePath(path).Std();
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    RemovePath(path.GetText());
    return !DirectoryExists(path.GetText());
}

// A file the previous save holds with exactly these bytes is linked into the new save instead of
// being written again. Saves never change a file in place (every write goes to a new temporary that
// is renamed), so the two folders can share it; a save then creates, flushes and later deletes only
// the tables that changed. False when it cannot be shared, and the caller writes the file.
bool ShareUnchangedFile(const std::string& previous, const std::string& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::file_status status = std::filesystem::symlink_status(previous, ec);
    if (ec || !std::filesystem::is_regular_file(status) ||
        std::filesystem::file_size(previous, ec) != bytes.size() || ec)
        return false;
    int fd = open(previous.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string held(bytes.size(), '\0');
    size_t got = 0;
    while (got < held.size()) {
        ssize_t n = read(fd, held.data() + got, held.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    if (got != held.size() || held != bytes)
        return false;
    std::filesystem::create_hard_link(previous, path, ec);
    return !ec;
}

// A save that stopped during the swap leaves the previous save as "<folder>.old": put it back.
// A finished swap may still have left the old copy or a half-built new one behind.
void RecoverFolder(const CStr& folder) {
    CStr live = ProfilePath(folder);
    CStr old = ProfilePath(folder, ".old");
    if (DirectoryExists(old.GetText())) {
        if (DirectoryExists(live.GetText()))
            RemoveOurFolder(old);
        else
            RenamePath(old, live);
    }
    RemoveOurFolder(ProfilePath(folder, ".saving"));
}

// The folder a career's save is read from: its own, or the previous save a stopped swap left aside.
CStr SavedFolder(const CStr& folder) {
    CStr live = ProfilePath(folder);
    if (DirectoryExists(live.GetText()))
        return live;
    CStr old = ProfilePath(folder, ".old");
    if (DirectoryExists(old.GetText()))
        return old;
    return CStr();
}

enum class ListState {
    kSound,      // read, every line a career (or no file at all)
    kDamaged,    // read, but some lines do not parse
    kUnreadable, // there, but it cannot be read
};

ListState ReadCareerListFile(CProfileList& list) {
    list.Clear();
    std::error_code ec;
    std::filesystem::path path = ResolvePath(kProfileListPath).Std();
    if (!std::filesystem::exists(path, ec) && !ec)
        return ListState::kSound;
    std::string text;
    if (ec || !std::filesystem::is_regular_file(path, ec) || !ReadWholeFile(kProfileListPath, text)) {
        QuorelLog("[ReadCareerList] %s cannot be read", kProfileListPath);
        return ListState::kUnreadable;
    }
    list.ReadText(text);
    for (const std::string& line : list.KeptLines())
        QuorelLog("[ReadCareerList] kept a line of %s that does not parse: '%s'", kProfileListPath,
                  line.c_str());
    return list.KeptLines().empty() ? ListState::kSound : ListState::kDamaged;
}

// The id a folder name made by MakeProfileFolderName carries ("Anna_Lee_7", also with ".old" or
// ".saving" after it).
bool IdOfFolderName(const CStr& name, int32_t& id) {
    std::string text = name.Std();
    for (const char* suffix : {".old", ".saving", ".deleting"}) {
        size_t length = std::strlen(suffix);
        if (text.size() > length && text.compare(text.size() - length, length, suffix) == 0)
            text.resize(text.size() - length);
    }
    size_t underscore = text.rfind('_');
    if (underscore == std::string::npos || underscore + 1 >= text.size())
        return false;
    std::string digits = text.substr(underscore + 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 10)
        return false;
    long long value = std::stoll(digits);
    if (value > INT32_MAX)
        return false;
    id = static_cast<int32_t>(value);
    return true;
}

bool AnyFolderOf(const CStr& folder) {
    return DirectoryExists(ProfilePath(folder).GetText()) ||
           DirectoryExists(ProfilePath(folder, ".old").GetText()) ||
           DirectoryExists(ProfilePath(folder, ".saving").GetText()) ||
           DirectoryExists(ProfilePath(folder, ".deleting").GetText());
}

// An id for a new career that neither the list (read again from disk, damaged lines too) nor any
// folder uses, and whose folder name is free.
int32_t NewCareerId(const CStr& managerName) {
    CProfileList list;
    ReadCareerListFile(list);
    std::vector<int32_t> used = list.UsedIds();
    for (const CStr& name : ListDirectory(kProfilesFolder, true)) {
        int32_t id = 0;
        if (IdOfFolderName(name, id))
            used.push_back(id);
    }
    int32_t id = NextUnusedId(used);
    // Names are cut to a length, so an id could still meet an existing folder: step past it.
    for (int tries = 0; tries < 10000 && AnyFolderOf(MakeProfileFolderName(managerName, id)); ++tries) {
        used.push_back(id);
        id = NextUnusedId(used);
    }
    return id;
}

// True when the career's own profile in the folder carries this id.
bool FolderHoldsCareer(const CStr& folder, int32_t id) {
    CStr saved = SavedFolder(folder);
    std::string text;
    if (saved.IsEmpty() || !ReadWholeFile(saved.Concat("/profilelist.dat").GetText(), text))
        return false;
    CProfileList own;
    own.ReadText(text);
    return own.Size() > 0 && own.At(0)->id == id;
}

// A career folder's own header, when it names that folder and the id its name carries: a folder
// copied or renamed by hand is nobody's career.
bool ReadFolderHeader(const CStr& folder, CProfile& header) {
    int32_t id = 0;
    if (!IsSafeProfileFolder(folder) || !IdOfFolderName(folder, id))
        return false;
    CStr saved = SavedFolder(folder);
    std::string text;
    if (saved.IsEmpty() || !ReadWholeFile(saved.Concat("/profilelist.dat").GetText(), text))
        return false;
    CProfileList own;
    own.ReadText(text);
    if (own.Size() == 0 || own.At(0)->id != id || own.At(0)->folder != folder)
        return false;
    header = *own.At(0);
    return true;
}

// The names of career folders on disk: a save's folder, or the previous save a stopped swap left
// as ".old" when the folder itself is gone.
std::vector<CStr> CareerFoldersOnDisk() {
    std::vector<CStr> folders;
    for (const CStr& name : ListDirectory(kProfilesFolder, true)) {
        std::string text = name.Std();
        const std::string oldSuffix = ".old";
        if (text.size() > oldSuffix.size() &&
            text.compare(text.size() - oldSuffix.size(), oldSuffix.size(), oldSuffix) == 0)
            text.resize(text.size() - oldSuffix.size());
        CStr folder(text);
        int32_t id = 0;
        if (!IsSafeProfileFolder(folder) || !IdOfFolderName(folder, id))
            continue;
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

// True when everything in the folder is what a save writes (its tables, the world's in MainData,
// the manifest, temporaries): a folder the player keeps there under a name like ours is not ours.
bool HoldsOnlySaveFiles(const CStr& folder) {
    std::vector<CStr> known = CMemoryDB::FileNames(true);
    known.push_back(CStr(kSaveManifestFile));
    known.push_back(CStr(kSaveChoicesFile));
    known.push_back(CStr(kSaveRoundsFile));
    auto isKnown = [&](const std::filesystem::path& file) {
        std::string name = file.filename().string();
        for (const char* suffix : {".tmp", ".part"}) {
            size_t length = std::strlen(suffix);
            if (name.size() > length && name.compare(name.size() - length, length, suffix) == 0)
                name.resize(name.size() - length);
        }
        for (const CStr& candidate : known)
            if (candidate.Std() == name)
                return true;
        return false;
    };
    std::error_code ec;
    std::filesystem::path root = ResolvePath(ProfilePath(folder)).Std();
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::filesystem::path relative = std::filesystem::relative(it->path(), root, ec);
        if (it->is_directory(ec)) {
            if (relative != "MainData")
                return false;
        } else if (!isKnown(relative) ||
                   (relative.has_parent_path() && relative.parent_path() != "MainData")) {
            return false;
        }
    }
    return !ec;
}

// The list is a copy of the headers the career folders hold: a folder with no line gets one, a
// line older than its folder's header (a save whose list could not be written) is brought up to
// date. A folder whose id or name another line holds is left out. True when the list changed.
bool MergeFolderHeaders(CProfileList& list) {
    bool changed = false;
    for (const CStr& folder : CareerFoldersOnDisk()) {
        CProfile header;
        if (!ReadFolderHeader(folder, header))
            continue;
        CProfile* line = list.FindById(header.id);
        if (line) {
            if (line->folder == header.folder && line->ToLine() != header.ToLine()) {
                *line = header;
                changed = true;
            }
            continue;
        }
        bool folderTaken = false;
        for (const CProfile* other : list)
            folderTaken = folderTaken || other->folder == header.folder;
        if (folderTaken)
            continue;
        QuorelLog("[ListCareers] the career in '%s' had no line in %s; it is listed again", folder.GetText(),
                  kProfileListPath);
        list.Append(new CProfile(header));
        changed = true;
    }
    return changed;
}

// The list as the folders make it. An unreadable list yields what the folders hold.
ListState ReadCareerList(CProfileList& list) {
    ListState state = ReadCareerListFile(list);
    MergeFolderHeaders(list);
    return state;
}

// A damaged or unreadable list is kept beside the new one for whoever wants to look at it.
bool SetDamagedListAside() {
    for (int n = 1; n < 1000; ++n) {
        CStr aside = n == 1 ? CStr(kProfileListPath).Concat(".damaged")
                            : CStr::Formatted("%s.damaged-%d", kProfileListPath, n);
        std::error_code ec;
        if (std::filesystem::exists(ResolvePath(aside).Std(), ec) || ec)
            continue;
        if (RenamePath(CStr(kProfileListPath), aside) != 0)
            return false;
        QuorelLog("[ReadCareerList] the damaged %s was kept as %s", kProfileListPath, aside.GetText());
        return true;
    }
    return false;
}

std::atomic<int> g_lockWaitMs{60000};

// Statistics dates feed the date keys that order a player's and a club's history; fixture dates
// bound how far the day loop runs. Both must be real days of the game's years. The file that holds
// a bad date is named in badFile, for the player's message.
bool StrictDatesInRange(const CMemoryDB& db, const CStr& folder, const char** badFile) {
    for (int row = 0; row < db.playerStats.Size(); ++row) {
        const CPlayerStat* stat = db.playerStats.At(row);
        if (!IsGameDate(stat->Year(), stat->Month(), stat->Day())) {
            QuorelLog("[LoadCareer] %splayerstatlist.dat record %d has the date %d.%d.%d", folder.GetText(),
                      row, stat->Day(), stat->Month(), stat->Year());
            *badFile = "playerstatlist.dat";
            return false;
        }
    }
    for (int row = 0; row < db.matchStats.Size(); ++row) {
        const CMatchStat* stat = db.matchStats.At(row);
        if (!IsGameDate(stat->Year(), stat->Month(), stat->Day())) {
            QuorelLog("[LoadCareer] %smatchstat.dat record %d has the date %d.%d.%d", folder.GetText(), row,
                      stat->Day(), stat->Month(), stat->Year());
            *badFile = "matchstat.dat";
            return false;
        }
    }
    for (int row = 0; row < db.leagueStandings.Size(); ++row) {
        const CLeagueStanding* fixture = db.leagueStandings.At(row);
        bool unset = fixture->year == 0 && fixture->month == 0 && fixture->day == 0;
        if (!unset && !IsGameDate(fixture->year, fixture->month, fixture->day)) {
            QuorelLog("[LoadCareer] %sleaguetable.dat fixture %d has the date %d.%d.%d", folder.GetText(),
                      row, fixture->day, fixture->month, fixture->year);
            *badFile = "leaguetable.dat";
            return false;
        }
    }
    return true;
}

// Other dates may be unset (0 or -1) and birth dates lie before the game's years, but none may be
// far out: date keys and the calendar's loops work on them.
bool LooseDate(int32_t year, int32_t month, int32_t day) {
    return (year == 0 || year == -1 || (year >= kFirstBirthYear && year <= kLastGameYear)) && month >= -1 &&
           month <= 12 && day >= -1 && day <= 31;
}

bool LooseDatesInRange(const CMemoryDB& db, const CStr& folder, const char** badFile) {
    CStr problem;
    auto check = [&](const char* file, int row, int32_t year, int32_t month, int32_t day) {
        if (!problem.IsEmpty() || LooseDate(year, month, day))
            return;
        *badFile = file;
        problem = CStr::Formatted("%s record %d has the date %d.%d.%d", file, row, day, month, year);
    };
    for (int row = 0; row < db.players.Size(); ++row) {
        const CPlayer* p = db.players.At(row);
        check("playerlist.dat", row, p->birthYear, p->birthMonth, p->birthDay);
        check("playerlist.dat", row, p->contractYear, p->contractMonth, p->contractDay);
        check("playerlist.dat", row, p->words[kWordInjuryYear], p->words[kWordInjuryMonth],
              p->words[kWordInjuryDay]);
    }
    for (int row = 0; row < db.staff.Size(); ++row) {
        const CStaffRecord* s = db.staff.At(row);
        check("stafflist.dat", row, s->extra[1], s->extra[2], s->extra[3]);
    }
    for (int row = 0; row < db.finances.Size(); ++row) {
        const CFinanceEntry* e = db.finances.At(row);
        check("finances.dat", row, e->year, e->month, e->day);
    }
    for (int row = 0; row < db.emails.Size(); ++row) {
        const CEmail* e = db.emails.At(row);
        check("my_email.dat", row, e->year, e->month, e->day);
    }
    for (int row = 0; row < db.whispers.whispers.Size(); ++row) {
        const CWhisper* w = db.whispers.whispers.At(row);
        check("whisperlist.dat", row, w->year, w->month, w->day);
    }
    for (int row = 0; row < db.myPromotions.Size(); ++row) {
        const CMyPromotion* m = db.myPromotions.At(row);
        check("my_promotion.dat", row, m->year, m->month, m->day);
    }
    for (int row = 0; row < db.laments.Size(); ++row) {
        const CLament* l = db.laments.At(row);
        check("my_lament.dat", row, l->year, l->month, l->day);
    }
    for (int row = 0; row < db.sponsorOffers.Size(); ++row)
        check("sponsorlist.dat", row, db.sponsorOffers.At(row)->year, db.sponsorOffers.At(row)->month, 1);
    for (int row = 0; row < db.sponsorContracts.Size(); ++row)
        check("sponsorcontracts.dat", row, db.sponsorContracts.At(row)->year,
              db.sponsorContracts.At(row)->month, 1);
    for (int row = 0; row < db.storage.Size(); ++row) {
        const CStorageItem* item = db.storage.At(row);
        check("my_storage.dat", row, item->year, item->month, item->day);
    }
    for (int row = 0; row < db.certificates.Size(); ++row) {
        const CCertificate* c = db.certificates.At(row);
        check("my_certificates.dat", row, c->year, c->month, c->day);
    }
    for (int row = 0; row < db.loans.Size(); ++row) {
        const CLoan* loan = db.loans.At(row);
        check("loan.dat", row, loan->year, loan->month, loan->day);
    }
    for (int row = 0; row < db.campBookings.Size(); ++row) {
        const CCampBooking* camp = db.campBookings.At(row);
        check("my_campbookings.dat", row, camp->year, camp->month, camp->day);
    }
    for (int row = 0; row < db.trainingDays.Size(); ++row) {
        const CTrainingDay* plan = db.trainingDays.At(row);
        check("my_trainingdays.dat", row, plan->year, plan->month, plan->day);
    }
    for (int row = 0; row < db.trainingEntries.Size(); ++row) {
        const CTrainingEntry* entry = db.trainingEntries.At(row);
        check("my_trainingentries.dat", row, entry->year, entry->month, entry->day);
    }
    for (int row = 0; row < db.trainingPlanFor.Size(); ++row) {
        const CTrainingPlanFor* plan = db.trainingPlanFor.At(row);
        check("my_trainingplans.dat", row, plan->year, plan->month, plan->day);
    }
    for (int row = 0; row < db.careerSteps.Size(); ++row) {
        const CCareerSteps* steps = db.careerSteps.At(row);
        check("my_daysteps.dat", row, steps->offerYear, steps->offerMonth, steps->offerDay);
        check("my_daysteps.dat", row, steps->reportYear, steps->reportMonth, 1);
    }
    if (problem.IsEmpty())
        return true;
    QuorelLog("[LoadCareer] %s%s", folder.GetText(), problem.GetText());
    return false;
}

// Every date the career holds: a far-off one would send the day loop or a date key out of range.
bool CareerDatesInRange(const CMemoryDB& db, const CStr& folder, const char** badFile) {
    return StrictDatesInRange(db, folder, badFile) && LooseDatesInRange(db, folder, badFile);
}

// The day loop runs to the season's last fixture and the rollover starts the next season from
// there: a fixture outside its season's years would run the season on for centuries and leave a
// career the game could not save within its years.
bool FixturesInSeason(const CMemoryDB& career, const CStr& folder, const char** badFile) {
    const CProfile* profile = career.profiles.At(0);
    int64_t start = profile ? profile->seasonStartYear : 0;
    auto isSet = [](const CLeagueStanding* f) { return f->year != 0 || f->month != 0 || f->day != 0; };
    // Older saves without the span: the earliest fixture's year starts the season.
    if (start == 0)
        for (const CLeagueStanding* f : career.leagueStandings)
            if (isSet(f) && (start == 0 || f->year < start))
                start = f->year;
    for (int row = 0; row < career.leagueStandings.Size(); ++row) {
        const CLeagueStanding* f = career.leagueStandings.At(row);
        if (isSet(f) && !IsYearOfSeason(f->year, start)) {
            QuorelLog(
                "[LoadCareer] %sleaguetable.dat fixture %d on %d.%d.%d lies outside the season from %lld",
                folder.GetText(), row, f->day, f->month, f->year, static_cast<long long>(start));
            *badFile = "leaguetable.dat";
            return false;
        }
    }
    return true;
}

// Figures the screens and daily steps add up, count with or scale: a hand-edited save (with or
// without a manifest) may hold any value, and one near the integer limits would wrap the sums.
// The bounds lie far beyond anything the game writes. Seats are left free: their sums are wide.
constexpr int32_t kMaxPartLevel = 100;
constexpr int32_t kMaxPartId = 9999999;
constexpr int32_t kMaxTicketPrice = 100000000;
constexpr int32_t kMaxMatchFigure = 1000000;
constexpr int32_t kMaxWeek = 60;
constexpr int32_t kMaxStep = 1000;
constexpr int32_t kMaxPlayerValue = 1000000;
constexpr int32_t kMaxWage = 100000000;
// A club's money and what it has borrowed move by far less than this in a season: the loan desk
// lends at most four times 49 million, a champion's prize is a million, and a season's takings and
// wage bill at the prices and wages a career sets are millions. The room grows by this much with
// every season from the first league season (the world cup's summer before it counts with it), so
// a long career has room to spare; a first season's save never holds billions. However long the
// career, a figure stays a season's swing clear of the integers' end, so a season of takings added
// to it never overflows: a save at the integers' limits was never written by the game.
constexpr int64_t kMaxMoneySwingPerSeason = 1000000000;
constexpr int64_t kMaxMoney = 1500000000;
constexpr int32_t kFirstSeasonYear = 2007;
// The ledger's month-end rows: the club's money and its borrowing as the month closed.
constexpr int32_t kFinanceMonthEnd = 13;

bool CareerValuesInRange(const CMemoryDB& db, const CStr& folder, const char** badFile, int32_t year) {
    CStr problem;
    auto check = [&](const char* file, int row, const char* what, int64_t value, int64_t low, int64_t high) {
        if (!problem.IsEmpty() || (value >= low && value <= high))
            return;
        *badFile = file;
        problem = CStr::Formatted("%s record %d has %s %lld, outside %lld-%lld", file, row, what,
                                  static_cast<long long>(value), static_cast<long long>(low),
                                  static_cast<long long>(high));
    };
    for (int row = 0; row < db.wings.Size(); ++row) {
        const CStadiumWingRecord* w = db.wings.At(row);
        check("stadionwings.dat", row, "the part id", w->partId, 0, kMaxPartId);
        check("stadionwings.dat", row, "the level", w->level, 0, kMaxPartLevel);
        check("stadionwings.dat", row, "the ticket price", w->price, 0, kMaxTicketPrice);
    }
    // The sponsor screen adds a club's two standings and compares the sum with an offer's requirement.
    auto moneyBy = [](int32_t byYear) {
        return std::min(kMaxMoney, kMaxMoneySwingPerSeason *
                                       std::max<int64_t>(1, int64_t{byYear} - kFirstSeasonYear + 1));
    };
    const int64_t money = moneyBy(year);
    for (int row = 0; row < db.teams.Size(); ++row) {
        const CTeam* t = db.teams.At(row);
        check("teamlist.dat", row, "a standing", t->standing1, -kMaxPlayerValue, kMaxPlayerValue);
        check("teamlist.dat", row, "a standing", t->standing2, -kMaxPlayerValue, kMaxPlayerValue);
        check("teamlist.dat", row, "the cash", t->cash, -money, money);
        check("teamlist.dat", row, "the money borrowed", t->totalBorrowed, -money, money);
    }
    // The finances screen shows a month's closing balance as the balance brought forward; a month
    // is held to the room of its own year.
    for (int row = 0; row < db.finances.Size(); ++row) {
        const CFinanceEntry* entry = db.finances.At(row);
        if (entry->kind != kFinanceMonthEnd)
            continue;
        const int64_t then = moneyBy(std::min(entry->year, year));
        check("finances.dat", row, "a month's closing balance", entry->values[2], -then, then);
        check("finances.dat", row, "a month's borrowing", entry->values[3], -then, then);
    }
    for (int row = 0; row < db.opinions.Size(); ++row) {
        const CTeamOpinion* o = db.opinions.At(row);
        for (int k = 0; k < 3; ++k) {
            check("teamopinions.dat", row, "an opinion", o->current[k], 0, 100);
            check("teamopinions.dat", row, "an earlier opinion", o->previous[k], 0, 100);
        }
    }
    // A player's body, skills, condition and mood are counted up and down every day and summed
    // over squads; the position words, the match state and the wage are checked apart.
    for (int row = 0; row < db.players.Size(); ++row) {
        const CPlayer* p = db.players.At(row);
        // The screens find a player by his id, and every player comes from the data sets, numbered
        // from 0: a negative id matches none (or the "no player" mark).
        check("playerlist.dat", row, "the player id", p->id, 0, INT32_MAX);
        for (int word = kWordHeight; word < kPlayerWords; ++word)
            if (word != kWordMatchState && word != kWordWage)
                check("playerlist.dat", row, "a player value", p->words[word], -kMaxPlayerValue,
                      kMaxPlayerValue);
        check("playerlist.dat", row, "the wage", p->words[kWordWage], 0, kMaxWage);
        // The rating is turned into a whole number for the scouts' reports.
        if (problem.IsEmpty() && !(std::fabs(p->overall) <= kMaxPlayerValue)) {
            *badFile = "playerlist.dat";
            problem = CStr::Formatted("playerlist.dat record %d has the rating %g", row, p->overall);
        }
    }
    // The catalogues' steps: a day's training, a promotion's and a rumour's effects, a stage limit.
    for (int row = 0; row < db.trainingTypes.Size(); ++row) {
        const CTrainingType* type = db.trainingTypes.At(row);
        check("trainingtypes.dat", row, "an energy step", type->firstDelta, -kMaxStep, kMaxStep);
        check("trainingtypes.dat", row, "a freshness step", type->secondDelta, -kMaxStep, kMaxStep);
    }
    for (int row = 0; row < db.trainingModifiers.Size(); ++row)
        check("trainingmodifiers.dat", row, "the intensity", db.trainingModifiers.At(row)->value, -kMaxStep,
              kMaxStep);
    auto promotion = [&](const char* file, int row, int32_t boost, int32_t delta1, int32_t delta2,
                         int32_t fourth) {
        check(file, row, "the attendance boost", boost, -kMaxStep, kMaxStep);
        check(file, row, "an opinion step", delta1, -kMaxStep, kMaxStep);
        check(file, row, "an opinion step", delta2, -kMaxStep, kMaxStep);
        check(file, row, "a promotion value", fourth, -kMaxStep, kMaxStep);
    };
    for (int row = 0; row < db.promotions.Size(); ++row) {
        const CPromotion* p = db.promotions.At(row);
        promotion("promotions.dat", row, p->attendanceBoost, p->opinionDelta1, p->opinionDelta2,
                  p->fourthValue);
    }
    for (int row = 0; row < db.myPromotions.Size(); ++row) {
        const CMyPromotion* p = db.myPromotions.At(row);
        promotion("my_promotion.dat", row, p->attendanceBoost, p->opinionDelta1, p->opinionDelta2,
                  p->fourthValue);
    }
    for (int row = 0; row < db.whispers.templates.Size(); ++row)
        for (int position = 1; position < kWhisperTemplateWords; ++position)
            if (position % 5 != 1) // the text ids
                check("whispers.dat", row, "a rumour's step", db.whispers.templates.At(row)->Word(position),
                      -kMaxStep, kMaxStep);
    for (int row = 0; row < db.stadiumUpgrades.Size(); ++row)
        check("StadiumUpgrade.dat", row, "the stage limit", db.stadiumUpgrades.At(row)->stageLimit, 0,
              kMaxPartLevel);
    // A camp's week names its first day: weeks past the year's end stay on its last day.
    for (int row = 0; row < db.campBookings.Size(); ++row)
        check("my_campbookings.dat", row, "the week", db.campBookings.At(row)->week, 0, kMaxWeek);
    // Match figures from the score on (fields 9-26); a player's from his playing time on, but for
    // the side (field 11) and the incident fields 6-9.
    for (int row = 0; row < db.matchStats.Size(); ++row)
        for (int field = 9; field <= kMatchStatFields; ++field)
            check("matchstat.dat", row, "a match figure", db.matchStats.At(row)->Field(field), 0,
                  kMaxMatchFigure);
    for (int row = 0; row < db.playerStats.Size(); ++row)
        for (int field = 5; field <= kPlayerStatFields; ++field)
            if (field < 6 || field > 9)
                check("playerstatlist.dat", row, "a player figure", db.playerStats.At(row)->Field(field),
                      field == 11 ? -1 : 0, kMaxMatchFigure);
    if (problem.IsEmpty())
        return true;
    QuorelLog("[LoadCareer] %s%s", folder.GetText(), problem.GetText());
    return false;
}

void SetStartDate(CProfile& profile, int32_t dataSet) {
    // The world cup is played in the late summer before the league season.
    if (dataSet == kDataSetWorldCup) {
        profile.year = 2006;
        profile.month = 8;
        profile.day = 17;
    } else {
        profile.year = 2007;
        profile.month = 8;
        profile.day = 1;
    }
    profile.seasonStartYear = profile.year;
    profile.seasonEndYear = profile.year + 1;
    profile.seasonStartMonth = profile.month;
    profile.seasonStartDay = profile.day;
}

} // namespace

const char* DataSetFolder(int32_t dataSet) {
    switch (dataSet) {
    case kDataSetEuroCup:
        return "\\data\\EuroCup\\";
    case kDataSetWorldCup:
        return "\\data\\WorldCup\\";
    default:
        return "\\data\\";
    }
}

int32_t ModeOfDataSet(int32_t dataSet) {
    switch (dataSet) {
    case kDataSetEuroCup:
        return kModeEuroCup;
    case kDataSetWorldCup:
        return kModeWorldCup;
    default:
        return kModeLeague;
    }
}

CStr CleanManagerName(const CStr& name) {
    std::string kept;
    // The careers list separates its fields with '|': one in a name is saved as a blank, so the
    // career keeps the name as it is saved.
    for (char c : name.Std())
        if (c == '|')
            kept.push_back(' ');
        else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            kept.push_back(c);
    CStr clean(kept.c_str());
    clean.Trim();
    return clean;
}

CStr MakeProfileFolderName(const CStr& managerName, int32_t id) {
    CStr folder;
    for (uint32_t i = 0; i < managerName.Length() && folder.Length() < kMaxFolderLength - 12; ++i) {
        char c = managerName.CharAt(static_cast<int>(i));
        bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (letterOrDigit)
            folder.Append(c);
        else if ((c == ' ' || c == '_' || c == '-') && !folder.IsEmpty() &&
                 folder.CharAt(static_cast<int>(folder.Length()) - 1) != '_')
            folder.Append('_');
    }
    if (folder.IsEmpty())
        folder = "Profile";
    // The id keeps two managers of the same name apart.
    folder.Append(CStr::Formatted("_%d", id));
    return folder;
}

bool ProfileValuesInRange(const CProfile& profile, CStr& problem) {
    if (!IsGameDate(profile.year, profile.month, profile.day))
        problem = CStr::Formatted("the saved date %d.%d.%d is not a day of the game's years", profile.day,
                                  profile.month, profile.year);
    else if (profile.dataSet < kDataSetLeague || profile.dataSet > kDataSetWorldCup)
        problem = CStr::Formatted("the data set %d does not exist", profile.dataSet);
    else if ((profile.seasonStartYear != 0 &&
              (!IsGameDate(profile.seasonStartYear, profile.seasonStartMonth, profile.seasonStartDay) ||
               !SeasonFitsGameYears(profile.seasonStartYear))) ||
             (profile.seasonEndYear != 0 &&
              (!IsGameYear(profile.seasonEndYear) ||
               (profile.seasonStartYear != 0 &&
                !IsYearOfSeason(profile.seasonEndYear, profile.seasonStartYear)))))
        problem = CStr::Formatted("the season %d.%d.%d-%d is not in the game's years", profile.seasonStartDay,
                                  profile.seasonStartMonth, profile.seasonStartYear, profile.seasonEndYear);
    else if (profile.cupStage < 0 || profile.cupStage > 4)
        problem = CStr::Formatted("the cup stage %d is out of range", profile.cupStage);
    else
        return true;
    return false;
}

bool IsSafeProfileFolder(const CStr& folder) {
    if (folder.IsEmpty() || folder.Length() > kMaxFolderLength)
        return false;
    for (uint32_t i = 0; i < folder.Length(); ++i) {
        char c = folder.CharAt(static_cast<int>(i));
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                  c == '-';
        if (!ok)
            return false;
    }
    return true;
}

namespace {

// A path under the game folder as the player's system writes it: from the game folder, with its separators.
CStr ShownGamePath(const CStr& gamePath) {
    CStr shown = gamePath;
    shown.ReplaceAll("\\", "/");
    while (shown.CharAt(0) == '/')
        shown = shown.Mid(1);
    while (shown.Length() > 0 && shown.CharAt(static_cast<int>(shown.Length()) - 1) == '/')
        shown = shown.Left(static_cast<int>(shown.Length()) - 1);
    return shown;
}

// Reads a data set's tables (linked or not) and requires leagues and clubs; on failure the file
// and the reason go into error.
bool ReadWorldTables(CMemoryDB& loaded, int32_t dataSet, bool link, WorldDataError* error) {
    const char* folder = DataSetFolder(dataSet);
    TableReadFailure failed;
    const bool read = loaded.LoadWorldFolder(folder, link, &failed);
    if (read && (loaded.teams.IsEmpty() || loaded.leagues.IsEmpty())) {
        failed.file = CStr(folder).Concat(loaded.leagues.IsEmpty() ? "league.dat" : "teamlist.dat");
        failed.reason = loaded.leagues.IsEmpty() ? "it holds no leagues" : "it holds no clubs";
    } else if (read) {
        return true;
    }
    QuorelLog("[LoadWorldData] the data set %s could not be loaded: %s %s", folder, failed.file.GetText(),
              failed.reason.GetText());
    if (error) {
        error->file = ShownGamePath(failed.file);
        error->reason = failed.reason;
        error->missing = failed.missing;
    }
    return false;
}

} // namespace

bool LoadWorldData(CMemoryDB& world, int32_t dataSet, WorldDataError* error) {
    CMemoryDB loaded;
    if (!ReadWorldTables(loaded, dataSet, true, error))
        return false;
    world.Swap(loaded);
    ListCareers(world);
    return true;
}

bool CheckWorldData(int32_t dataSet, std::vector<int32_t>& textIds, WorldDataError* error) {
    // Start-up checks every set the player may choose: the tables are read whole but neither
    // linked nor joined by the careers, which only a set the player plays needs.
    CMemoryDB tables;
    if (!ReadWorldTables(tables, dataSet, false, error))
        return false;
    const std::vector<int32_t> own = WorldTextIds(tables);
    textIds.insert(textIds.end(), own.begin(), own.end());
    return true;
}

CCareerFolderLock::CCareerFolderLock(bool exclusive, int waitMs) {
    CreateDirectories("\\data");
    int fd = open(ResolvePath(kLockPath).GetText(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) {
            close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    m_fd = fd;
}

CCareerFolderLock::~CCareerFolderLock() {
    if (m_fd >= 0) {
        flock(m_fd, LOCK_UN);
        close(m_fd);
    }
}

void SetCareerLockWait(int waitMs) {
    g_lockWaitMs = waitMs;
}

int ListCareers(CMemoryDB& world) {
    // Readers wait a little for a save under way, then read what is there: renames keep each file
    // whole either way.
    CCareerFolderLock lock(false, std::min(g_lockWaitMs.load(), 10000));
    CProfileList list;
    ReadCareerList(list);
    std::vector<CProfile*> gone;
    for (CProfile* profile : list) {
        if (!IsSafeProfileFolder(profile->folder) || SavedFolder(profile->folder).IsEmpty())
            gone.push_back(profile);
    }
    for (CProfile* profile : gone)
        list.Erase(profile);
    world.profiles.Swap(list);
    return world.profiles.Size();
}

void CleanUpCareerFolders() {
    CCareerFolderLock lock(true, g_lockWaitMs);
    if (!lock.Held()) {
        // Another copy is saving; what it leaves behind is its own to finish.
        QuorelLog(
            "[CleanUpCareerFolders] the save folder is locked by another copy of the game; not cleaned");
        return;
    }
    bool changed = false;
    for (const CStr& name : ListDirectory(kProfilesFolder, true)) {
        std::string text = name.Std();
        for (const char* suffix : {".saving", ".old", ".deleting"}) {
            size_t length = std::strlen(suffix);
            if (text.size() <= length || text.compare(text.size() - length, length, suffix) != 0)
                continue;
            CStr folder(text.substr(0, text.size() - length));
            // Only names a save makes; anything else in the folder is not ours to touch.
            int32_t id = 0;
            if (!IsSafeProfileFolder(folder) || !IdOfFolderName(folder, id))
                continue;
            // A delete that stopped has renamed the folder already: finish it.
            if (std::strcmp(suffix, ".deleting") == 0)
                RemoveOurFolder(ProfilePath(folder, ".deleting"));
            else
                RecoverFolder(folder);
            changed = true;
        }
    }
    if (FileExists(kProfileListTemp)) {
        RemovePath(kProfileListTemp);
        changed = true;
    }

    // The list is rebuilt from the folders' own headers when it is gone, empty, cut short or
    // unreadable; an unreadable one is kept aside.
    CProfileList list;
    ListState state = ReadCareerListFile(list);
    bool writeList = false;
    if (state == ListState::kUnreadable) {
        if (!SetDamagedListAside()) {
            QuorelLog("[CleanUpCareerFolders] %s cannot be read or moved aside; it is left as it is",
                      kProfileListPath);
            if (changed)
                SyncDirectory(kProfilesFolder);
            return;
        }
        writeList = true;
    }
    writeList = MergeFolderHeaders(list) || writeList;
    // Lines whose folder is gone (a delete that stopped after the rename) are dropped.
    std::vector<CProfile*> gone;
    for (CProfile* profile : list)
        if (IsSafeProfileFolder(profile->folder) && SavedFolder(profile->folder).IsEmpty())
            gone.push_back(profile);
    for (CProfile* profile : gone)
        list.Erase(profile);
    writeList = writeList || !gone.empty();
    // A first save that stopped before its folder held a header leaves a folder no line names and
    // no load can read: nothing in it can be played again.
    for (const CStr& folder : CareerFoldersOnDisk()) {
        CProfile header;
        bool listed = false;
        for (const CProfile* profile : list)
            listed = listed || profile->folder == folder;
        if (listed || ReadFolderHeader(folder, header) || !HoldsOnlySaveFiles(folder))
            continue;
        QuorelLog("[CleanUpCareerFolders] removed '%s': no career is listed for it and it holds no header",
                  folder.GetText());
        RemoveOurFolder(ProfilePath(folder));
        RemoveOurFolder(ProfilePath(folder, ".old"));
        changed = true;
    }
    if (writeList && !WriteFileAtomic(kProfileListPath, list.WriteText()))
        QuorelLog("[CleanUpCareerFolders] %s cannot be written", kProfileListPath);
    if (changed || writeList)
        SyncDirectory(kProfilesFolder);
}

bool BuildCareerDatabase(CMemoryDB& world, CMemoryDB& career, int32_t dataSet, int32_t clubId,
                         const CStr& managerName) {
    CMemoryDB newWorld;
    if (!LoadWorldData(newWorld, dataSet))
        return false;
    CTeam* worldClub = newWorld.FindTeam(clubId);
    if (!worldClub) {
        QuorelLog("[BuildCareerDatabase] no club with id %d in %s", clubId, DataSetFolder(dataSet));
        return false;
    }
    CMemoryDB newCareer;
    newCareer.teams.Append(new CTeam(worldClub->CopyFields()));
    if (CLeague* worldLeague = newWorld.FindLeague(worldClub->leagueId)) {
        CLeague* league = new CLeague(*worldLeague);
        league->teams.clear();
        newCareer.leagues.Append(league);
    }
    // The squad moves; the world keeps its record of the club for fixtures and tables.
    std::vector<CPlayer*> squad = worldClub->players;
    for (CPlayer* player : squad) {
        newWorld.players.Detach(player);
        newCareer.players.Append(player);
    }
    worldClub->players.clear();
    for (CStaffRecord* member : worldClub->staff)
        newCareer.staff.Append(new CStaffRecord(*member));
    if (worldClub->stadium) {
        newCareer.stadiums.Append(new CStadiumRecord(worldClub->stadium->CopyFields()));
        for (CStadiumWingRecord* wing : worldClub->stadium->wings)
            newCareer.wings.Append(new CStadiumWingRecord(*wing));
    }
    newCareer.Link();
    CMemoryDB::CrossLinkStats(newWorld, newCareer);
    newCareer.UpdateStadiumCapacities();

    CProfile* profile = new CProfile();
    profile->id = NewCareerId(managerName);
    profile->folder = MakeProfileFolderName(managerName, profile->id);
    profile->clubId = clubId;
    // Typed control characters would break the careers list's lines and its display.
    const CStr clean = CleanManagerName(managerName);
    profile->managerName = clean.IsEmpty() ? managerName : clean;
    profile->modeTextId = ModeOfDataSet(dataSet);
    profile->dataSet = dataSet;
    SetStartDate(*profile, dataSet);
    newCareer.profiles.Append(profile);
    newCareer.managerClubId = clubId;
    newCareer.unsavedCareer = true;

    world.Swap(newWorld);
    career.Swap(newCareer);
    return true;
}

bool SaveCareer(CMemoryDB& world, CMemoryDB& career, CareerSaveError* error, CareerSaveFault* fault) {
    CSaveOutcome outcome(error);
    CProfile* profile = career.profiles.At(0);
    if (!profile || !IsSafeProfileFolder(profile->folder))
        return outcome.Fail(CareerSaveFailure::kOther, 0,
                            "the career has no profile or an unusable folder name");
    // Statistics find their player again by his id.
    for (CMemoryDB* db : {&world, &career})
        for (CPlayer* player : db->players)
            for (CPlayerStat* stat : player->stats)
                stat->Owner() = player->id;
    // The squad order is the user's line-up work: the table follows it.
    if (CTeam* club = career.teams.At(0)) {
        std::vector<CPlayer*> order;
        for (CPlayer* player : club->players)
            if (career.players.IndexOf(player) >= 0 &&
                std::find(order.begin(), order.end(), player) == order.end())
                order.push_back(player);
        for (CPlayer* player : career.players)
            if (std::find(order.begin(), order.end(), player) == order.end())
                order.push_back(player);
        career.players.Reorder(order);
    }

    std::error_code ec;
    std::filesystem::create_directories(ResolvePath(kProfilesFolder).Std(), ec);
    if (ec)
        return outcome.FailErrno(ec.value(), CStr::Formatted("%s cannot be created", kProfilesFolder));
    // Another copy of the game may be saving: the list is read, merged and written under the lock.
    CCareerFolderLock lock(true, g_lockWaitMs);
    if (!lock.Held())
        return outcome.Fail(CareerSaveFailure::kBusy, 0,
                            "another copy of the game kept the save folder locked; the career was not saved");
    // The list is read before anything is written. One that cannot be read is kept aside and
    // rebuilt from the folders; if it cannot be moved, it is not rewritten without its careers.
    CProfileList list;
    if (ReadCareerListFile(list) == ListState::kUnreadable && !SetDamagedListAside())
        return outcome.Fail(CareerSaveFailure::kListUnreadable, 0,
                            CStr::Formatted("%s cannot be read, so it is not rewritten", kProfileListPath));
    MergeFolderHeaders(list);
    // A new career's id and folder were picked when it was built; another copy may have saved a
    // career under them since. The first save takes the next free ones.
    if (career.unsavedCareer && (list.FindById(profile->id) || !SavedFolder(profile->folder).IsEmpty() ||
                                 DirectoryExists(ProfilePath(profile->folder, ".deleting").GetText()))) {
        int32_t id = NewCareerId(profile->managerName);
        QuorelLog("[SaveCareer] id %d was taken meanwhile; the new career is saved as %d", profile->id, id);
        profile->id = id;
        profile->folder = MakeProfileFolderName(profile->managerName, id);
    }
    const CStr& folder = profile->folder;
    CProfile* line = list.FindById(profile->id);
    if (line && line->folder != folder)
        return outcome.Fail(
            CareerSaveFailure::kFolderTaken, 0,
            CStr::Formatted("id %d belongs to the career in '%s'", profile->id, line->folder.GetText()));
    if (!line && !SavedFolder(folder).IsEmpty() && !FolderHoldsCareer(folder, profile->id))
        return outcome.Fail(CareerSaveFailure::kFolderTaken, 0,
                            CStr::Formatted("the folder '%s' holds another career", folder.GetText()));

    // Another copy of the game that saved this career since this one loaded or saved it would lose
    // its days to an older game date: the folder must hold what this copy last saw there.
    if (!career.unsavedCareer) {
        CStr onDisk = SavedFolder(folder);
        std::string manifestOnDisk;
        if (!onDisk.IsEmpty())
            ReadWholeFile(onDisk.Concat("\\").Concat(kSaveManifestFile).GetText(), manifestOnDisk);
        if (!onDisk.IsEmpty() && manifestOnDisk != career.savedManifest)
            return outcome.FailWhere(
                CareerSaveFailure::kSavedElsewhere, 0, ProfilePath(folder),
                CStr::Formatted("another copy of the game saved the career in '%s' since "
                                "this one loaded or saved it; it is not overwritten",
                                folder.GetText()));
    }
    RecoverFolder(folder);
    CStr live = ProfilePath(folder);
    CStr old = ProfilePath(folder, ".old");
    // A previous save that cannot be moved out of the way (a read-only copy left behind) would
    // fail the swap with a bare system error.
    if (DirectoryExists(old.GetText()))
        return outcome.FailWhere(CareerSaveFailure::kNoPermission, EACCES, old,
                                 old.Concat(" is left from an earlier save and cannot be removed"));
    CStr staging = ProfilePath(folder, ".saving");
    if (DirectoryExists(staging.GetText()))
        return outcome.FailWhere(CareerSaveFailure::kNoPermission, EACCES, staging,
                                 staging.Concat(" is left from an earlier save and cannot be removed"));
    CStr stagingWorld = staging.Concat("/MainData");
    std::filesystem::create_directories(ResolvePath(stagingWorld).Std(), ec);
    if (ec)
        return outcome.FailErrno(ec.value(), staging.Concat(" cannot be created"));
    const bool hadSave = DirectoryExists(live.GetText());
    // The staging folder is new and holds only what is written here, so its files' names are taken
    // as written rather than looked up again, file by file.
    const std::string stagingPath = ResolvePath(staging).Std() + "/";
    const std::string livePath = hadSave ? ResolvePath(live).Std() + "/" : std::string();
    // The manifest lists what is written here, so the files need not be read back.
    std::vector<SaveManifestEntry> manifest;
    auto writeOne = [&](const char* subfolder, const CStr& name, const std::string& bytes) {
        std::string relative = std::string(subfolder) + name.GetText();
        std::string path = stagingPath + relative;
        if (!Step(fault)) {
            // A crash part-way through a file leaves a short temporary behind.
            std::string partial = bytes.substr(0, bytes.size() / 2);
            WriteResolvedFileAtomic(path + ".part", partial, nullptr);
            return outcome.FailErrno(
                FaultError(fault), staging.Concat("/").Concat(relative.c_str()).Concat(" cannot be written"));
        }
        manifest.push_back({relative, bytes.size(), Crc32(bytes)});
        if (hadSave && ShareUnchangedFile(livePath + relative, path, bytes))
            return true;
        int code = 0;
        if (!WriteResolvedFileAtomic(path, bytes, &code))
            return outcome.FailErrno(
                code, staging.Concat("/").Concat(relative.c_str()).Concat(" cannot be written"));
        return true;
    };
    auto writeAll = [&](const char* subfolder, const CMemoryDB& db, bool withProfiles) {
        for (const auto& [name, bytes] : db.FileImages(withProfiles))
            if (!writeOne(subfolder, name, bytes))
                return false;
        return true;
    };
    // Nothing reads the staging folder before the swap, so its own entries are flushed once, with
    // the manifest's, before it is renamed.
    if (!writeAll("", career, true) || !writeAll("MainData/", world, false))
        return false;
    if (!SyncDirectory(stagingWorld.GetText()))
        return outcome.FailErrno(errno, stagingWorld.Concat(" cannot be flushed to the disk"));
    if (!career.choices.empty() && !writeOne("", kSaveChoicesFile, career.choices))
        return false;
    if (!career.rounds.empty() && !writeOne("", kSaveRoundsFile, career.rounds))
        return false;
    // The manifest goes last: a folder holding one is a whole save.
    {
        CStr path = staging.Concat("/").Concat(kSaveManifestFile);
        if (!Step(fault))
            return outcome.FailErrno(FaultError(fault), path.Concat(" cannot be written"));
        int code = 0;
        if (!WriteSaveManifest(staging, std::move(manifest), &code) || !SyncDirectory(staging.GetText()))
            return outcome.FailErrno(code != 0 ? code : errno, path.Concat(" cannot be written"));
    }

    // The swap: each rename is flushed before the next step, so after a crash the disk shows
    // either the previous save (as the folder or as ".old") or the complete new one.
    auto rename = [&](const CStr& from, const CStr& to) {
        if (!Step(fault))
            return outcome.FailErrno(FaultError(fault), from.Concat(" cannot be renamed"));
        if (int code = RenamePath(from, to))
            return outcome.FailWhere(FailureOfErrno(code), code, from, from.Concat(" cannot be renamed"));
        if (!SyncDirectory(kProfilesFolder))
            return outcome.FailErrno(errno, CStr(kProfilesFolder).Concat(" cannot be flushed to the disk"));
        return true;
    };
    if (hadSave && !rename(live, old))
        return false;
    if (!rename(staging, live))
        return false;
    if (hadSave && Step(fault) && !RemoveOurFolder(old))
        QuorelLog("[SaveCareer] %s could not be removed; the next save or start-up tries again",
                  old.GetText());
    career.unsavedCareer = false;
    career.savedManifest.clear();
    ReadWholeFile(live.Concat("\\").Concat(kSaveManifestFile).GetText(), career.savedManifest);

    // The new save is complete from here on: the list is a copy of the folders' headers, so one
    // that cannot be written now is mended from them at the next listing. The save stands.
    if (line)
        *line = *profile;
    else
        list.Append(new CProfile(*profile));
    // A list that reads the same already (another save the same day) is not written and flushed again.
    std::string listText = list.WriteText();
    std::string listOnDisk;
    const bool listUnchanged = ReadWholeFile(kProfileListPath, listOnDisk) && listOnDisk == listText;
    int code = 0;
    if (!Step(fault))
        code = FaultError(fault);
    else if (!listUnchanged && !WriteFileAtomic(kProfileListPath, listText, &code) && code == 0)
        code = EIO;
    if (code != 0)
        QuorelLog("[SaveCareer] the career is saved, but %s could not be updated: %s", kProfileListPath,
                  std::strerror(code));
    if (!listUnchanged)
        SyncDirectory(kProfilesFolder);
    world.profiles.Swap(list);
    return true;
}

bool LoadCareer(CMemoryDB& world, CMemoryDB& career, int32_t profileId, CareerLoadError* error) {
    CareerLoadError unused;
    CareerLoadError& why = error ? *error : unused;
    why = CareerLoadError();
    auto refuse = [&](CareerLoadFailure reason, const CStr& where) {
        why.reason = reason;
        why.where = ShownGamePath(where);
        return false;
    };
    CCareerFolderLock lock(false, std::min(g_lockWaitMs.load(), 10000));
    CProfileList list;
    ReadCareerList(list);
    CProfile* entry = list.FindById(profileId);
    if (!entry || !IsSafeProfileFolder(entry->folder)) {
        QuorelLog("[LoadCareer] no usable career with id %d in %s", profileId, kProfileListPath);
        return refuse(CareerLoadFailure::kGone, entry ? ProfilePath(entry->folder) : CStr(kProfilesFolder));
    }
    CStr saved = SavedFolder(entry->folder);
    if (saved.IsEmpty()) {
        QuorelLog("[LoadCareer] the folder of career %d ('%s') is gone", profileId, entry->folder.GetText());
        return refuse(CareerLoadFailure::kGone, ProfilePath(entry->folder));
    }
    CStr folder = saved.Concat("\\");
    CStr worldFolder = folder.Concat("MainData\\");
    // A save with a manifest is checked byte for byte: a flipped byte would load as a changed value.
    CStr problem;
    bool choicesUsable = true;
    ManifestProblem manifestProblem = ManifestProblem::kNone;
    std::string manifestFile;
    if (!CheckSaveManifest(saved, problem, &choicesUsable, &manifestProblem, &manifestFile)) {
        QuorelLog("[LoadCareer] %s", problem.GetText());
        CStr where = folder.Concat(manifestFile.c_str());
        switch (manifestProblem) {
        case ManifestProblem::kNewer:
            return refuse(CareerLoadFailure::kNewer, where);
        case ManifestProblem::kMissing:
            return refuse(CareerLoadFailure::kMissingFile, where);
        case ManifestProblem::kChanged:
            return refuse(CareerLoadFailure::kChangedFile, where);
        case ManifestProblem::kUnlisted:
            return refuse(CareerLoadFailure::kUnlistedFile, where);
        default:
            return refuse(CareerLoadFailure::kManifest, where);
        }
    }
    // What this copy loaded, to tell later whether another copy saved over it.
    std::string manifestText;
    ReadWholeFile(folder.Concat(kSaveManifestFile).GetText(), manifestText);
    // A save writes every table; one missing or not whole means the save is damaged, and a career
    // started from a blank table would overwrite it at the next save.
    CMemoryDB newWorld;
    CMemoryDB newCareer;
    TableReadFailure failed;
    if (!newWorld.LoadSavedFolder(worldFolder.GetText(), false, &failed) ||
        !newCareer.LoadSavedFolder(folder.GetText(), true, &failed)) {
        QuorelLog("[LoadCareer] the career in %s could not be loaded", folder.GetText());
        return refuse(FileExists(failed.file.GetText()) ? CareerLoadFailure::kDamagedFile
                                                        : CareerLoadFailure::kMissingFile,
                      failed.file);
    }
    if (newCareer.teams.IsEmpty() || newCareer.profiles.IsEmpty()) {
        QuorelLog("[LoadCareer] %s holds no club or no profile", folder.GetText());
        return refuse(CareerLoadFailure::kDamagedFile,
                      folder.Concat(newCareer.teams.IsEmpty() ? "teamlist.dat" : "profilelist.dat"));
    }
    // A folder holding another career's header (copied or renamed by hand) would be saved under
    // that career's id and folder.
    const CProfile* own = newCareer.profiles.At(0);
    if (own->id != entry->id || own->folder != entry->folder) {
        QuorelLog("[LoadCareer] %s holds career %d ('%s'), not %d", folder.GetText(), own->id,
                  own->folder.GetText(), entry->id);
        return refuse(CareerLoadFailure::kOtherCareer, saved);
    }
    if (!ProfileValuesInRange(*newCareer.profiles.At(0), problem)) {
        QuorelLog("[LoadCareer] %sprofilelist.dat: %s", folder.GetText(), problem.GetText());
        return refuse(CareerLoadFailure::kBadValue, folder.Concat("profilelist.dat"));
    }
    // The header's club is the manager's: the save's first club. Another id would be a club the
    // career does not hold (a table copied in from another career, a hand-edited header).
    if (own->clubId != newCareer.teams.At(0)->id) {
        QuorelLog("[LoadCareer] %sprofilelist.dat names club %d, but the career's club is %d",
                  folder.GetText(), own->clubId, newCareer.teams.At(0)->id);
        return refuse(CareerLoadFailure::kClubMissing, folder.Concat("profilelist.dat"));
    }
    // The refusal names the file that holds the bad value, not only the save's folder.
    const char* badFile = "";
    if (!CareerDatesInRange(newWorld, worldFolder, &badFile))
        return refuse(CareerLoadFailure::kBadValue, worldFolder.Concat(badFile));
    if (!CareerDatesInRange(newCareer, folder, &badFile) || !FixturesInSeason(newCareer, folder, &badFile))
        return refuse(CareerLoadFailure::kBadValue, folder.Concat(badFile));
    if (!CareerValuesInRange(newWorld, worldFolder, &badFile, own->year))
        return refuse(CareerLoadFailure::kBadValue, worldFolder.Concat(badFile));
    if (!CareerValuesInRange(newCareer, folder, &badFile, own->year))
        return refuse(CareerLoadFailure::kBadValue, folder.Concat(badFile));
    newWorld.profiles.Clear();
    // Only this career's header belongs to the career.
    CProfile header = *newCareer.profiles.At(0);
    newCareer.profiles.Clear();
    newCareer.profiles.Append(new CProfile(header));
    newCareer.managerClubId = newCareer.teams.At(0)->id;
    newCareer.savedManifest = std::move(manifestText);
    // The choices are the career's least part: without a whole copy it plays on with the defaults.
    if (!choicesUsable) {
        QuorelLog("[LoadCareer] %s%s is damaged; the career loads with the default choices", folder.GetText(),
                  kSaveChoicesFile);
        why.choicesReset = ShownGamePath(folder.Concat(kSaveChoicesFile));
    } else if (!ReadWholeFile(folder.Concat(kSaveChoicesFile).GetText(), newCareer.choices))
        newCareer.choices.clear();
    // The manifest checked it when it is there; a save without rounds played has none.
    const CStr roundsPath = folder.Concat(kSaveRoundsFile);
    if (FileExists(roundsPath.GetText()) && !ReadWholeFile(roundsPath.GetText(), newCareer.rounds))
        return refuse(CareerLoadFailure::kDamagedFile, roundsPath);
    CMemoryDB::CrossLinkStats(newWorld, newCareer);
    newWorld.profiles.Swap(list);
    world.Swap(newWorld);
    career.Swap(newCareer);
    return true;
}

bool DeleteCareer(CMemoryDB& world, int32_t profileId, CareerSaveFault* fault) {
    CCareerFolderLock lock(true, g_lockWaitMs);
    if (!lock.Held()) {
        QuorelLog("[DeleteCareer] another copy of the game kept the save folder locked");
        return false;
    }
    CProfileList list;
    ListState state = ReadCareerListFile(list);
    if (state == ListState::kUnreadable && !SetDamagedListAside())
        return false;
    MergeFolderHeaders(list);
    CProfile* entry = list.FindById(profileId);
    if (!entry) {
        QuorelLog("[DeleteCareer] no career with id %d", profileId);
        return false;
    }
    if (IsSafeProfileFolder(entry->folder)) {
        // The folder goes out of the way first: a delete that stops here leaves a folder start-up
        // removes and no line that names it, never a listed career that cannot load.
        CStr deleting = ProfilePath(entry->folder, ".deleting");
        RemoveOurFolder(deleting);
        RecoverFolder(entry->folder);
        CStr live = ProfilePath(entry->folder);
        if (DirectoryExists(live.GetText())) {
            if (!Step(fault))
                return false;
            if (int code = RenamePath(live, deleting)) {
                QuorelLog("[DeleteCareer] %s cannot be renamed: %s", live.GetText(), std::strerror(code));
                return false;
            }
            SyncDirectory(kProfilesFolder);
        }
    } else {
        // A line naming a folder we would never make is dropped without touching the disk.
        QuorelLog("[DeleteCareer] career %d names the unusable folder '%s'", profileId,
                  entry->folder.GetText());
    }
    CStr folder = entry->folder;
    list.Erase(entry);
    if (!Step(fault))
        return false;
    if (!WriteFileAtomic(kProfileListPath, list.WriteText()))
        QuorelLog("[DeleteCareer] %s cannot be written; start-up drops the line", kProfileListPath);
    SyncDirectory(kProfilesFolder);
    if (!Step(fault))
        return false;
    if (IsSafeProfileFolder(folder))
        RemoveOurFolder(ProfilePath(folder, ".deleting"));
    world.profiles.Swap(list);
    return true;
}
