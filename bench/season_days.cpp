// A whole season of days for a world the size of the default one (two leagues of ten clubs with
// fifteen players each, every pairing home and away), with the user's club playing no match.
#include "BenchClub.h"
#include "career/CareerSession.h"
#include "career/DayRunner.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <benchmark/benchmark.h>
#include <filesystem>

#include <memory>
#include <utility>

namespace {

// The career session owns the databases and the ledger; the host answers nothing but texts.
class BenchHost : public IDayHost {
public:
    BenchHost() { session.view3D = 0; }
    CStr GetText(int) const override { return CStr(); }
    void SetBusy(bool) override {}
    void SetStep(bool) override {}
    void SetWaitText(const CStr&) override {}
    void PublishLatestResult(const LatestResult&) override {}
    UserMatchOutcome StartUserMatch(const UserMatchSetup&) override { return UserMatchOutcome(); }

    CCareerSession session;
    CMemoryDB* const world = session.worldDB;
    CMemoryDB* const career = session.careerDB = new CMemoryDB();
    GameDate& date = session.currentDate;
};

// Circle-method rounds, one round every three days from September.
void AddSeason(CFixtureList& list, std::vector<CTeam*> ring, const CLeague* league) {
    size_t n = ring.size();
    GameDate date{2007, 9, 1};
    for (int leg = 0; leg < 2; ++leg) {
        for (size_t round = 0; round + 1 < n; ++round) {
            for (size_t i = 0; i < n / 2; ++i) {
                CTeam* a = ring[i];
                CTeam* b = ring[n - 1 - i];
                if (leg == 1)
                    std::swap(a, b);
                list.AddFixture(a, b, league, date.year, date.month, date.day);
            }
            CTeam* last = ring.back();
            ring.pop_back();
            ring.insert(ring.begin() + 1, last);
            for (int step = 0; step < 3; ++step)
                date = CCalendar::NextDay(date);
        }
    }
}

void BM_SeasonOfDays(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        GameSrand(1);
        BenchHost host;
        CFixtureList fixtures;
        for (int l = 0; l < 2; ++l) {
            auto* league = new CLeague();
            league->id = l;
            league->type = 100005;
            host.world->leagues.Append(league);
            std::vector<CTeam*> clubs;
            for (int t = 0; t < 10; ++t)
                clubs.push_back(MakeBenchClub(*host.world, l * 10 + t + 1));
            AddSeason(fixtures, clubs, league);
        }
        fixtures.FinishSchedule();
        auto* careerLeague = new CLeague();
        careerLeague->type = 100005;
        host.career->leagues.Append(careerLeague);
        MakeBenchClub(*host.career, 900);
        host.career->profiles.Append(new CProfile());
        CDayRunner runner(host.session, &host, &fixtures);
        state.ResumeTiming();

        bool stop = false;
        runner.RunDays(stop);
        benchmark::DoNotOptimize(host.date);

        state.PauseTiming();
        state.counters["reachedLastFixture"] =
            MakeDateKey(host.date) == MakeDateKey(fixtures.LastDate()) ? 1 : 0;
        state.counters["fixtures"] = fixtures.Size();
        runner.ResetCareerState();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SeasonOfDays)->Unit(benchmark::kMillisecond);

// The shipped default world (run from the game folder): the career's season without the user's
// own fixtures, so one continue runs from 1 August to the last fixture. Every daily step runs: the
// club pays its wages and stadium each month, repays a loan and hears from its business manager.
void BM_SeasonOfDaysDefaultWorld(benchmark::State& state) {
    // The data set is read from the build's game folder, wherever the benchmark was started.
    std::filesystem::current_path(FB_GAME_DIR);
    int fixtureCount = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameSrand(1);
        BenchHost host;
        if (!BuildCareerDatabase(*host.world, *host.career, kDataSetLeague, 10, CStr("Bench"))) {
            state.SkipWithError("no generated data set: run from the game folder");
            return;
        }
        for (const CStaffRecord* member : host.world->staff)
            if (member->category == kStaffBusinessManager) {
                HireStaffMember(host.world, *host.career, *member);
                break;
            }
        auto* loan = host.career->loans.Append(new CLoan());
        loan->year = 2007;
        loan->month = 9;
        loan->day = 15;
        loan->amount = 300000;
        loan->months = 12;
        loan->instalment = 28750;
        CFixtureList all;
        ScheduleSettings settings;
        BuildLeagueFixtures(all, host.career->leagues.At(0), host.world, 2007, settings);
        const int32_t userId = host.career->teams.At(0)->id;
        CFixtureList fixtures;
        for (int i = 0; i < all.Size(); ++i) {
            const CFixture* f = all.At(i);
            if (f->home->id != userId && f->away->id != userId)
                fixtures.Add(std::make_unique<CFixture>(*f));
        }
        fixtures.FinishSchedule();
        fixtureCount = fixtures.Size();
        CDayRunner runner(host.session, &host, &fixtures);
        state.ResumeTiming();

        bool stop = false;
        runner.RunDays(stop);
        benchmark::DoNotOptimize(host.date);

        state.PauseTiming();
        runner.ResetCareerState();
        state.ResumeTiming();
    }
    state.counters["fixtures"] = fixtureCount;
}
BENCHMARK(BM_SeasonOfDaysDefaultWorld)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
