// Database timings: loading the base world, and saving and loading a career that carries a
// season's statistics (about 24 player records per fixture).
#include "database/Careers.h"
#include "database/Ownership.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// build/bench/bench_database -> build/game
fs::path GameFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "game";
}

// A scratch working directory holding a copy of the data sets, removed at the end.
class ScratchGame {
public:
    ScratchGame() {
        m_previous = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "fastbreak-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        m_dir = pattern;
        fs::copy(GameFolder() / "data", m_dir / "data", fs::copy_options::recursive);
        fs::remove_all(m_dir / "data/profiles");
        fs::create_directories(m_dir / "data/profiles");
        fs::current_path(m_dir);
    }
    ~ScratchGame() {
        fs::current_path(m_previous);
        if (!m_dir.empty())
            fs::remove_all(m_dir);
    }

private:
    fs::path m_dir;
    fs::path m_previous;
};

// Every league plays a double round robin; each fixture leaves two team records and twelve
// player records a side.
void PlaySeason(CMemoryDB& world, CMemoryDB& career) {
    for (CLeague* league : world.leagues) {
        const std::vector<CTeam*>& teams = league->teams;
        int day = 0;
        for (CTeam* home : teams) {
            for (CTeam* away : teams) {
                if (home == away)
                    continue;
                ++day;
                for (CTeam* side : {home, away}) {
                    bool ours = side->id == career.managerClubId;
                    CMemoryDB& db = ours ? career : world;
                    CTeam* team = ours ? career.teams.At(0) : side;
                    // Dated like the player records: a load checks every record's date.
                    CMatchStat* match = new CMatchStat();
                    match->Field(1) = 2007 + day / 120;
                    match->Field(3) = side->id;
                    match->Field(6) = 1 + day % 28;
                    match->Field(7) = 1 + day / 10 % 12;
                    match->Field(8) = 2007 + day / 120;
                    match->Field(7) = 1 + day / 10 % 12;
                    match->Field(6) = 1 + day % 28;
                    AddMatchStat(db, team, match);
                    for (CPlayer* player : team->players) {
                        CPlayerStat* stat = new CPlayerStat();
                        stat->Field(2) = 2007 + day / 120;
                        stat->Field(3) = 1 + day / 10 % 12;
                        stat->Field(4) = 1 + day % 28;
                        stat->Field(10) = day % 30;
                        AddPlayerStat(db, player, stat);
                    }
                }
            }
        }
    }
}

void BM_LoadBaseWorld(benchmark::State& state) {
    std::string folder = (GameFolder() / "data").string() + "/";
    for (auto _ : state) {
        CMemoryDB world;
        if (!world.LoadFolder(folder.c_str()))
            state.SkipWithError("the base world did not load");
        benchmark::DoNotOptimize(world.players.Size());
    }
}
BENCHMARK(BM_LoadBaseWorld)->Unit(benchmark::kMillisecond);

void BM_SaveCareerAfterASeason(benchmark::State& state) {
    ScratchGame scratch;
    CMemoryDB world;
    CMemoryDB career;
    if (!BuildCareerDatabase(world, career, kDataSetLeague, 9, "Bench")) {
        state.SkipWithError("no career");
        return;
    }
    PlaySeason(world, career);
    state.counters["player_stats"] = world.playerStats.Size() + career.playerStats.Size();
    for (auto _ : state) {
        if (!SaveCareer(world, career))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveCareerAfterASeason)->Unit(benchmark::kMillisecond);

void BM_LoadCareerAfterASeason(benchmark::State& state) {
    ScratchGame scratch;
    CMemoryDB world;
    CMemoryDB career;
    if (!BuildCareerDatabase(world, career, kDataSetLeague, 9, "Bench")) {
        state.SkipWithError("no career");
        return;
    }
    PlaySeason(world, career);
    if (!SaveCareer(world, career)) {
        state.SkipWithError("save failed");
        return;
    }
    int32_t id = career.profiles.At(0)->id;
    for (auto _ : state) {
        CMemoryDB loadedWorld;
        CMemoryDB loadedCareer;
        if (!LoadCareer(loadedWorld, loadedCareer, id))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loadedWorld.playerStats.Size());
    }
}
BENCHMARK(BM_LoadCareerAfterASeason)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
