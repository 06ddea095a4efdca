// A whole season of days for a world the size of the default one (two leagues of ten clubs with
// fifteen players each, every pairing home and away), with the user's club playing no match.
#include "BenchWorld.h"
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

void BM_SeasonOfDays(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        GameSrand(1);
        BenchDayHost host;
        CFixtureList fixtures;
        BuildBenchSeason(host, fixtures);
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
        BenchDayHost host;
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
