// Small clubs and squads for the match-day tests, built straight into a database.
#pragma once

#include "database/MemoryDB.h"
#include "database/Records.h"

#include <cstdio>

namespace daytest {

// A player with every skill at the given value and a fresh condition.
inline CPlayer* MakePlayer(int32_t id, const char* name, int32_t position, bool onCourt, int skill = 60) {
    auto* player = new CPlayer();
    player->id = id;
    player->name = name;
    player->words[kWordPosition] = position;
    player->words[kWordPlayedPosition] = position;
    player->words[kWordMatchState] = onCourt ? kOnCourt : kOnBench;
    for (int s = 1; s <= kSkillCount; ++s) {
        player->SkillValue(s) = skill;
        player->SkillSecond(s) = skill;
        player->SkillProgress(s) = 0;
    }
    return player;
}

// A club in the database with `squad` players of whom the first `starters` are on court.
inline CTeam* MakeTeam(CMemoryDB& db, int32_t id, const char* name, int squad, int starters, int skill = 60) {
    auto* team = new CTeam();
    team->id = id;
    team->name = name;
    team->countryTextId = 90001;
    db.teams.Append(team);
    static const int32_t positions[] = {80063, 80064, 80065, 80066, 80067};
    for (int i = 0; i < squad; ++i) {
        char playerName[64];
        std::snprintf(playerName, sizeof playerName, "%s player %d", name, i + 1);
        CPlayer* player = MakePlayer(id * 100 + i, playerName, positions[i % 5], i < starters, skill);
        player->teamId = id;
        db.players.Append(player);
        team->players.push_back(player);
    }
    return team;
}

} // namespace daytest

#include "career/DayController.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "gui/GameScreen.h"
#include "guidefines.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace daytest {

// A world league of `clubs` computer clubs and a career whose club (id 900) sits outside it.
struct DayWorld {
    std::unique_ptr<CMemoryDB> world = std::make_unique<CMemoryDB>();
    std::unique_ptr<CMemoryDB> career = std::make_unique<CMemoryDB>();
    CLeague* league = nullptr;
    std::vector<CTeam*> clubs;
    CTeam* user = nullptr;

    explicit DayWorld(int clubCount, int userSquad = 12, int userStarters = 5) {
        league = new CLeague();
        league->id = 0;
        league->nameTextId = 800000;
        league->type = 100005;
        league->classNumber = 1;
        world->leagues.Append(league);
        for (int i = 0; i < clubCount; ++i) {
            CTeam* club = MakeTeam(*world, i + 1, CStr::Formatted("Club %d", i + 1).GetText(), 12, 5);
            club->leagueId = 0;
            league->teams.push_back(club);
            clubs.push_back(club);
        }
        auto* careerLeague = new CLeague();
        careerLeague->id = 0;
        careerLeague->nameTextId = 800000;
        careerLeague->type = 100005;
        careerLeague->classNumber = 1;
        career->leagues.Append(careerLeague);
        user = MakeTeam(*career, 900, "Users", userSquad, userStarters);
        user->cash = 5000;
        user->totalBorrowed = 700;
        career->profiles.Append(new CProfile());
        career->managerClubId = 900;
    }
};

// Every pairing home and away, one round every three days from 1 September 2007.
inline void AddDoubleRoundRobin(CFixtureList& list, const std::vector<CTeam*>& clubs, const CLeague* league,
                                GameDate start = GameDate{2007, 9, 1}) {
    std::vector<CTeam*> ring = clubs;
    if (ring.size() % 2 == 1)
        ring.push_back(nullptr);
    size_t n = ring.size();
    GameDate date = start;
    for (int leg = 0; leg < 2; ++leg) {
        for (size_t round = 0; round + 1 < n; ++round) {
            for (size_t i = 0; i < n / 2; ++i) {
                CTeam* a = ring[i];
                CTeam* b = ring[n - 1 - i];
                if (a && b) {
                    if (leg == 1)
                        std::swap(a, b);
                    list.AddFixture(a, b, league, date.year, date.month, date.day);
                }
            }
            // Rotate every club but the first.
            CTeam* last = ring.back();
            ring.pop_back();
            ring.insert(ring.begin() + 1, last);
            for (int step = 0; step < 3; ++step)
                date = CCalendar::NextDay(date);
        }
    }
    list.FinishSchedule();
}

// The running game as the day controller sees it, without windows.
class FakeDayHost : public IDayHost {
public:
    FakeDayHost(std::unique_ptr<CMemoryDB>& worldDb, std::unique_ptr<CMemoryDB>& careerDb)
        : world(worldDb), career(careerDb) {}
    explicit FakeDayHost(DayWorld& w) : FakeDayHost(w.world, w.career) {}

    GameDate CurrentDate() const override { return date; }
    void SetCurrentDate(const GameDate& d) override { date = d; }
    CMemoryDB* WorldDb() const override { return world.get(); }
    CMemoryDB* CareerDb() const override { return career.get(); }
    void DeleteCareerDb() override { career.reset(); }
    CEventList* Ledger() const override { return ledger; }
    void RefreshDayPanel() override {
        ++panelRefreshes;
        if (panel)
            panel->Refresh();
    }
    void ClearDayPanel() override {
        if (clearPanel)
            clearPanel();
    }
    CStr GetText(int id) const override { return CStr::Formatted("<%d>", id); }

    bool TournamentMode() const override { return tournament; }
    bool View3D() const override { return view3D; }
    bool NoView() const override { return noView; }
    bool MatchMode() const override { return matchMode; }
    void SetMatchMode(bool on) override { matchMode = on; }
    bool CareerOver() const override { return careerOver; }
    void ClearCareerOver() override { careerOver = false; }

    void SetBusy(bool on) override { busy = on; }
    void SetStep(bool on) override { step = on; }
    void SetThreadRunning(bool on) override { threadRunning = on; }
    void SetMatchRunning(bool on) override { matchRunning = on; }
    void SetDayWait(bool on) override { dayWait = on; }
    void PublishLatestResult(const LatestResult& result) override {
        std::lock_guard<std::mutex> lock(resultMutex);
        latest = result;
        ++published;
    }
    LatestResult Latest() const {
        std::lock_guard<std::mutex> lock(resultMutex);
        return latest;
    }

    struct Posted {
        int source, target, kind, p1, p2;
    };
    void Post(int source, int target, int kind, int p1, int p2) override {
        std::lock_guard<std::mutex> lock(postMutex);
        posts.push_back({source, target, kind, p1, p2});
    }
    bool WasPosted(int target, int kind) const {
        std::lock_guard<std::mutex> lock(postMutex);
        for (const Posted& p : posts)
            if (p.target == target && p.kind == kind)
                return true;
        return false;
    }
    void RefreshAllScreens() override { ++refreshes; }
    void RefreshIndicators() override { ++indicatorRefreshes; }
    void SetElementText(int id, const CStr& text, int format) override {
        (void)format;
        texts.emplace_back(id, text);
    }
    CStr TextOf(int id) const {
        CStr found;
        for (const auto& entry : texts)
            if (entry.first == id)
                found = entry.second;
        return found;
    }

    UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) override {
        handedOff = setup;
        ++handOffs;
        return instantOutcome;
    }
    void ResetCareerSteps() override { ++stepResets; }
    bool HasWindow(int window) const override {
        if (window == ID_RESULTS)
            return resultsWindow;
        if (window == ID_CLUBOVERVIEW)
            return clubWindow;
        return window != ID_STADIUM || stadiumWindow;
    }
    bool CanStartNewSeason() const override { return nextSeason; }
    bool SaveBeforeLeaving() override {
        ++saves;
        return saveWorks;
    }
    void EnableElement(int id, bool enabled) override { enabledElements[id] = enabled; }

    std::unique_ptr<CMemoryDB>& world;
    std::unique_ptr<CMemoryDB>& career;
    GameDate date{2007, 8, 1};
    CEventList* ledger = nullptr;
    // A screen-layer test hangs the real panel here.
    CGameScreen* panel = nullptr;
    std::function<void()> clearPanel;
    int panelRefreshes = 0;
    bool tournament = false, view3D = false, noView = false, matchMode = false, careerOver = false;
    std::atomic<bool> busy{false}, step{false}, threadRunning{false}, matchRunning{false}, dayWait{false};
    std::atomic<int> published{0};
    int refreshes = 0;
    int indicatorRefreshes = 0;
    std::vector<std::pair<int, CStr>> texts;
    UserMatchSetup handedOff;
    int handOffs = 0;
    UserMatchOutcome instantOutcome{true, false, -1, -1, {}}; // an engine that takes the match
    int stepResets = 0;
    bool resultsWindow = true, stadiumWindow = true, nextSeason = true, saveWorks = true, clubWindow = true;
    int saves = 0;
    std::map<int, bool> enabledElements;

    mutable std::mutex resultMutex;
    LatestResult latest;
    mutable std::mutex postMutex;
    std::vector<Posted> posts;
};

} // namespace daytest
