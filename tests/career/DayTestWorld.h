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

#include "career/CareerSession.h"
#include "career/DayRunner.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "career/QuickResult.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace daytest {

// A quick result's books in the given world on a fixed October day; the report may be left out.
inline QuickMatchContext QuickContext(CMemoryDB& world, CDayResults* results = nullptr) {
    QuickMatchContext ctx;
    ctx.date = GameDate{2007, 10, 3};
    ctx.matchStats = &world.matchStats;
    ctx.playerStats = &world.playerStats;
    ctx.results = results;
    return ctx;
}

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

// The running game as the day runner sees it: a career session over the test's databases and
// ledger, and a host that records the run's progress and the user's match.
class FakeDayHost : public IDayHost {
public:
    FakeDayHost(std::unique_ptr<CMemoryDB>& worldDb, std::unique_ptr<CMemoryDB>& careerDb)
        : world(worldDb), career(careerDb) {
        // The test owns the databases and the ledger; the session only points at them.
        delete session.worldDB;
        delete session.ledger;
        session.worldDB = world.get();
        session.careerDB = career.get();
        session.ledger = nullptr;
        session.view3D = 0;
    }
    explicit FakeDayHost(DayWorld& w) : FakeDayHost(w.world, w.career) {}
    ~FakeDayHost() override {
        session.worldDB = nullptr;
        session.careerDB = nullptr;
        session.ledger = nullptr;
    }
    FakeDayHost(const FakeDayHost&) = delete;
    FakeDayHost& operator=(const FakeDayHost&) = delete;

    CStr GetText(int id) const override { return CStr::Formatted("<%d>", id); }
    void SetBusy(bool on) override { busy = on; }
    void SetStep(bool on) override { step = on; }
    void SetWaitText(const CStr& text) override {
        std::lock_guard<std::mutex> lock(resultMutex);
        waitText = text;
    }
    void PublishLatestResult(const LatestResult& result) override {
        std::lock_guard<std::mutex> lock(resultMutex);
        latest = result;
        ++published;
    }
    LatestResult Latest() const {
        std::lock_guard<std::mutex> lock(resultMutex);
        return latest;
    }

    UserMatchOutcome StartUserMatch(const UserMatchSetup& setup) override {
        handedOff = setup;
        ++handOffs;
        return instantOutcome;
    }

    std::unique_ptr<CMemoryDB>& world;
    std::unique_ptr<CMemoryDB>& career;
    CCareerSession session;
    // The session's state under the names the tests use.
    GameDate& date = session.currentDate;
    CEventList*& ledger = session.ledger;
    std::atomic<uint8_t>& tournament = session.tournamentMode;
    std::atomic<uint8_t>& view3D = session.view3D;
    std::atomic<uint8_t>& noView = session.resultOnly;
    std::atomic<bool> busy{false}, step{false};
    std::atomic<int> published{0};
    UserMatchSetup handedOff;
    int handOffs = 0;
    UserMatchOutcome instantOutcome{true, false, -1, -1, {}}; // an engine that takes the match

    mutable std::mutex resultMutex;
    LatestResult latest;
    CStr waitText;
};

} // namespace daytest
