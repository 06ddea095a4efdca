// Building a season's fixtures for every league of a world, and summing ledger months.
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "engine/Paths.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <system_error>

namespace {

// The default world's shape: leagues of eight clubs, ids equal to rows.
void MakeWorld(CMemoryDB& world, int leagues, int teamsPerLeague) {
    int next = 0;
    for (int l = 0; l < leagues; ++l) {
        auto* league = new CLeague();
        league->id = l;
        league->nameTextId = 800000 + l;
        league->type = 100005;
        world.leagues.Append(league);
        for (int t = 0; t < teamsPerLeague; ++t) {
            auto* team = new CTeam();
            team->id = next++;
            team->leagueId = l;
            team->countryTextId = 800100;
            world.teams.Append(team);
        }
    }
    world.Link();
}

// The shipped base world with a career in its middle league: the work of a new career or a rollover.
void BM_BuildDefaultWorldSeason(benchmark::State& state) {
    CMemoryDB world;
    CMemoryDB career;
    if (!BuildCareerDatabase(world, career, kDataSetLeague, 10, CStr("Bench"))) {
        state.SkipWithError("no generated data set: run from the game folder");
        return;
    }
    CFixtureList fixtures;
    ScheduleSettings settings;
    GameSrand(1);
    for (auto _ : state) {
        BuildLeagueFixtures(fixtures, career.leagues.At(0), &world, 2007, settings);
        benchmark::DoNotOptimize(fixtures.Size());
    }
    state.counters["fixtures"] = fixtures.Size();
}
BENCHMARK(BM_BuildDefaultWorldSeason)->Unit(benchmark::kMicrosecond);

void BM_BuildLeagueSeason(benchmark::State& state) {
    CMemoryDB world;
    MakeWorld(world, static_cast<int>(state.range(0)), 8);
    CMemoryDB career;
    career.teams.Append(new CTeam(world.FindTeam(0)->CopyFields()));
    auto* league = new CLeague();
    league->id = 0;
    league->type = 100005;
    career.leagues.Append(league);
    career.Link();
    CFixtureList fixtures;
    ScheduleSettings settings;
    GameSrand(1);
    for (auto _ : state) {
        BuildLeagueFixtures(fixtures, career.leagues.At(0), &world, 2007, settings);
        benchmark::DoNotOptimize(fixtures.Size());
    }
    state.counters["fixtures"] = fixtures.Size();
}
// Synthetic worlds of 3, 10 and 30 leagues show how the clash checks scale.
BENCHMARK(BM_BuildLeagueSeason)->Arg(3)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);

void BM_SumMonthOfAThreeSeasonLedger(benchmark::State& state) {
    CEventList ledger;
    GameDate date{2007, 8, 1};
    for (int day = 0; day < 3 * 365; ++day) {
        for (int i = 0; i < 4; ++i) {
            FunShopEventData sale;
            sale.scope = kScopeDay;
            sale.direction = i % 2;
            sale.amount = 10 + i;
            ledger.AddEvent(sale, kLedgerFunShop, date.day, date.month, date.year);
        }
        date = CCalendar::NextDay(date);
    }
    GameDate today{2010, 7, 15};
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger.SumMonth(2009, 3, kExpense, today));
    state.counters["events"] = static_cast<double>(ledger.Size());
}
BENCHMARK(BM_SumMonthOfAThreeSeasonLedger)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // The data sets live in the game folder next to the bench folder; start there unless already in it.
    if (!FileExists("\\data\\league.dat")) {
        std::error_code error;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error)
            std::filesystem::current_path(exe.parent_path().parent_path() / "game", error);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
