// A demonstration scene for the smoke program and the benchmark: the generated arena with ten players
// and three referees running their clips around the court. Needs the engine singletons and a device.
#pragma once

#include "engine/Device.h"
#include "engine/GameObject.h"
#include "engine/Lights.h"
#include "engine/SkinnedMesh.h"
#include "engine/TextureManager.h"
#include "engine/World.h"

#include <cmath>
#include <memory>
#include <vector>

class SceneDemo {
public:
    // gameDir: the game folder (with a trailing separator), or "" for the working directory.
    bool Load(const CStr& gameDir) {
        g_pQuorelTextureManager->SetLightmapDir((gameDir + "Stadions/lightmaps/test_arena").GetText());
        auto* arena = new CQuorelGameObject();
        m_world.AddObject(arena);
        if (!arena->Init("test_arena", (gameDir + "Stadions/models/test_arena/arena.qmd").GetText(),
                         (gameDir + "Stadions/textures/test_arena").GetText(), g_pQuorelLights))
            return false;
        g_pQuorelTextureManager->LoadAll();
        CSkinHierarchyAllocator allocator;
        allocator.SetFolder((gameDir + "characters/").GetText());
        if (m_players.Setup((gameDir + "characters/multianim.X").GetText(), &allocator, 0) != kMeshOk)
            return false;
        if (m_referees.Setup((gameDir + "characters/referree_mutianim.x").GetText(), &allocator, 0) !=
            kMeshOk)
            return false;
        const char* playerClips[] = {"run", "run_pattogtatas_jobbkez", "walk_pattogtat", "walk_noball",
                                     "run"};
        for (int i = 0; i < 10; ++i) {
            const int team = i % 2;
            const CStr textures[4] = {
                gameDir + (team ? "characters/textures/head_white_01.dds"
                                : "characters/textures/head_black_01.dds"),
                gameDir + (team ? "characters/textures/body_white_01.dds"
                                : "characters/textures/body_black_01.dds"),
                gameDir + (team ? "characters/textures/mez_02.dds" : "characters/textures/mez_01.dds"),
                gameDir + "characters/textures/shoe_01.dds"};
            if (!Add(m_players, playerClips[i / 2], 2.0f + 1.2f * (i / 2), 0.6f * i, team ? 1.0f : -1.0f,
                     textures, 4))
                return false;
        }
        const CStr refTextures[3] = {gameDir + "characters/textures/KV_ref_skinface.dds",
                                     gameDir + "characters/textures/KV_ref_cloth.dds",
                                     gameDir + "characters/textures/shoe_black_01.dds"};
        for (int i = 0; i < 3; ++i)
            if (!Add(m_referees, i == 0 ? "walk" : "idle", i == 0 ? 6.5f : 0.0f, 2.1f * i, 1.0f, refTextures,
                     3))
                return false;
        return true;
    }

    int CharacterCount() const { return static_cast<int>(m_runners.size()); }

    void Advance(double dt) {
        for (Runner& r : m_runners) {
            r.angle += static_cast<float>(dt) * r.turnRate;
            r.instance->AdvanceTime(dt, nullptr);
        }
    }

    void Render() {
        CQuorelDevice* device = g_pQuorelDevice;
        device->SetTransform(kTransformWorld, Matrix4());
        device->SetCullMode(kCullCCW);
        device->SetDepthTest(true);
        m_world.Render(0.0, false);
        for (Runner& r : m_runners) {
            // Running round a circle: the tangent is the facing; the model faces -z before turning.
            const Vec3 at(r.radius * std::cos(r.angle), 0, 1.6f * r.radius * std::sin(r.angle));
            Vec3 facing(-std::sin(r.angle) * r.sense, 0, 1.6f * std::cos(r.angle) * r.sense);
            facing.Normalize();
            Matrix4 turn, move, world;
            MatrixRotationY(turn, std::atan2(-facing.x, -facing.z));
            MatrixTranslation(move, at.x, at.y, at.z);
            MatrixMultiply(world, turn, move);
            r.instance->SetWorldMatrix(world);
            device->SetCullMode(kCullCCW);
            r.instance->Draw();
        }
    }

private:
    struct Runner {
        CAnimatedMesh* instance = nullptr;
        float radius = 0, angle = 0, turnRate = 0, sense = 1;
    };

    bool Add(CSkinnedMesh& mesh, const char* clip, float radius, float angle, float sense,
             const CStr* textures, int textureCount) {
        int index = -1;
        if (mesh.CreateInstance(&index) != kMeshOk)
            return false;
        Runner r;
        r.instance = mesh.GetInstance(index);
        r.radius = radius;
        r.angle = angle;
        r.sense = sense;
        r.turnRate = radius > 0 ? sense * 2.5f / radius : 0.0f;
        r.instance->LoadTextureList(textureCount, textures);
        r.instance->SetUseOwnTextures(true);
        CAnimController* c = r.instance->GetAnimController();
        c->SetTrackAnimationSet(0, c->GetAnimationSet(c->FindAnimationSet(clip)));
        c->SetTrackPosition(0, 0.1 * angle);
        c->Release();
        m_runners.push_back(r);
        return true;
    }

    CQuorelWorld m_world;
    CSkinnedMesh m_players;
    CSkinnedMesh m_referees;
    std::vector<Runner> m_runners;
};
