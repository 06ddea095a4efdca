// The frame cost of the court characters: ten players on the court and three referees of the
// generated models moved, handled and animated once per frame (drawing needs a device and is left
// out). The 3D match runs this every frame it shows.
#include "engine/GameRand.h"
#include "engine/Paths.h"
#include "engine/SkinnedMesh.h"
#include "match3d/CourtPlayer.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_CharacterFrame(benchmark::State& state) {
    std::filesystem::current_path(FB_GAME_DIR);
    GameSrand(5);
    CMatch3D match;
    match.CreateHeadlessBall();
    CSkinnedMesh players;
    CSkinnedMesh referees;
    CSkinHierarchyAllocator allocator;
    if (players.Setup("\\characters\\multianim.X", &allocator, 0) != kMeshOk ||
        referees.Setup("\\characters\\referree_mutianim.x", &allocator, 0) != kMeshOk) {
        state.SkipWithError("no character models");
        return;
    }
    const int32_t clips[5] = {kAnimRun, kAnimWalkDribble, kAnimDefence, kAnimWalk, kAnimIdle};
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < kRosterSize; ++i) {
            CCourtPlayer& p = *match.Team(side)->GetPlayer(i);
            p.LoadAnimations(&players, &match.characters, 0, 0.0,
                             Vec3(-4.0f + 2.0f * (i % 5), 0, side ? 3.0f : -3.0f), Vec3(0, 0, 1), 0);
            p.shown = i < 5 ? 1 : 0;
            p.SetAnimation(clips[i % 5], false);
        }
    }
    match.Team(0)->GetPlayer(1)->hasBall = 1;
    match.firstReferee = AdoptSceneObject(new CReferee);
    match.secondReferee = AdoptSceneObject(new CReferee);
    match.thirdReferee = AdoptSceneObject(new CReferee);
    for (CReferee* r : {match.firstReferee.get(), match.secondReferee.get(), match.thirdReferee.get()}) {
        r->LoadAnimations(&referees, &match.referees, 0, 0.0, Vec3(), Vec3());
    }
    match.PlaceReferees();
    const float dt = 1.0f / 62.0f;
    for (auto _ : state) {
        match.UpdateCharacters(dt);
        match.RenderCharacters(dt);
        // Keep everyone on the floor however long the benchmark runs.
        for (CAnimatedCharacter* c : match.characters) {
            c->position.z = c->position.z > 10.0f ? -10.0f : c->position.z;
        }
    }
}
BENCHMARK(BM_CharacterFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
