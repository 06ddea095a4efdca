// CSkinnedMesh: a character model read from a text ".x" file (frame hierarchy, skinned meshes,
// materials, animation sets), shared by any number of animated instances (CAnimatedMesh), each with
// its own animation controller, pose, world matrix and texture list.
#pragma once

#include "engine/AnimController.h"
#include "engine/Math3D.h"
#include "engine/Str.h"
#include "engine/XFile.h"

#include <cstdint>
#include <memory>
#include <vector>

class CQuorelTexture;
class CQuorelMesh;
class CSkinnedMesh;

// Result codes of the mesh operations.
constexpr int kMeshOk = 0;
constexpr int kMeshFail = -1;
constexpr int kMeshOutOfMemory = -2;

// Hands over where a model's textures live and which mesh is being filled.
class CSkinHierarchyAllocator {
public:
    // The folder the material texture names are relative to (a game path, with or without a
    // trailing backslash).
    void SetFolder(const char* folder) { m_folder = folder ? folder : ""; }
    const CStr& GetFolder() const { return m_folder; }
    void SetOwner(CSkinnedMesh* owner) { m_owner = owner; }
    CSkinnedMesh* GetOwner() const { return m_owner; }

private:
    CStr m_folder;
    CSkinnedMesh* m_owner = nullptr;
};

struct SkinVertex {
    Vec3 position;
    Vec3 normal;
    float uv[2] = {0, 0};
    uint8_t bones[4] = {0, 0, 0, 0}; // palette entries
    float weights[4] = {0, 0, 0, 0}; // sum to 1
};

// One drawable mesh of the model with its bone palette.
struct SkinnedPart {
    CStr name;
    int frame = 0;
    // Palette entry k = offsets[k] x combined matrix of frame boneFrames[k] (-1: the model's root).
    std::vector<int> boneFrames;
    std::vector<Matrix4> boneOffsets;
    std::vector<SkinVertex> vertices;
    std::vector<uint32_t> indices;
    struct Batch {
        int material = 0;
        int firstIndex = 0;
        int indexCount = 0;
    };
    std::vector<Batch> batches;
    bool skinned = false;
    CQuorelMesh* gpuMesh = nullptr; // built at the first draw, freed by CSkinnedMesh::Clear
};

struct SkinnedMaterial {
    XMaterial material;
    CQuorelTexture* texture = nullptr; // owned by the mesh; null when the file is missing or has none
};

class CAnimatedMesh;

class CSkinnedMesh {
public:
    static constexpr int kHandFrameCount = 4;
    static const char* const kHandFrameNames[kHandFrameCount];

    CSkinnedMesh();
    virtual ~CSkinnedMesh();
    CSkinnedMesh(const CSkinnedMesh&) = delete;
    CSkinnedMesh& operator=(const CSkinnedMesh&) = delete;

    // Loads the model, replacing what the mesh held (instances included). A model without animation
    // sets shows "Mesh Load Error" and still loads: its instances stand in the rest pose.
    int Setup(const char* modelPath, CSkinHierarchyAllocator* allocator, int flags);
    // A new instance with its own controller; its index in *index.
    int CreateInstance(int* index);
    CAnimatedMesh* GetInstance(int index) const;
    int GetInstanceCount() const { return static_cast<int>(m_instances.size()); }
    void ClearInstances();
    // Instances, frames, parts, materials and sets.
    void Clear();

    bool IsLoaded() const { return !m_frames.empty(); }
    const CStr& GetPath() const { return m_path; }
    const std::vector<XFrame>& GetFrames() const { return m_frames; }
    int FindFrame(const char* name) const;
    int GetHandFrame(int hand) const;
    std::vector<SkinnedPart>& GetParts() { return m_parts; }
    const std::vector<SkinnedMaterial>& GetMaterials() const { return m_materials; }
    const std::vector<std::shared_ptr<const CAnimationSet>>& GetAnimationSets() const { return m_sets; }

private:
    void BuildPart(const XMesh& mesh);

    CStr m_path;
    std::vector<XFrame> m_frames;
    std::vector<SkinnedPart> m_parts;
    // Every part's materials in file order, so "material i" means the i-th material of the model.
    std::vector<SkinnedMaterial> m_materials;
    std::vector<std::shared_ptr<const CAnimationSet>> m_sets;
    int m_handFrames[kHandFrameCount] = {-1, -1, -1, -1};
    std::vector<CAnimatedMesh*> m_instances;
};

class CAnimatedMesh {
public:
    CAnimatedMesh(CSkinnedMesh* owner, CAnimController* controller);
    virtual ~CAnimatedMesh();
    CAnimatedMesh(const CAnimatedMesh&) = delete;
    CAnimatedMesh& operator=(const CAnimatedMesh&) = delete;

    // The instance's controller with a reference added; the caller releases it.
    CAnimController* GetAnimController();
    // Advances the controller and recomputes every frame's combined matrix; the controller's result.
    int AdvanceTime(double dt, CAnimCallbackHandler* handler);
    // Draws every part, skinned by the current pose, with the world matrix (main thread).
    void Draw();

    // Combined (model-space) matrix of hand 0 "RightHandBallTip", 1 "LeftHandBallTip",
    // 2 "RightHandBall", 3 "LeftHandBall"; the zero matrix for another index and the identity when the
    // model lacks that frame.
    void GetHandMatrix(Matrix4& out, int hand) const;
    // Model-space offset from a hand's ball-tip frame to its ball frame: hand 0 right, 1 left.
    void GetHandBallOffset(Vec3& out, int hand) const;
    // Plain storage for the court-player code.
    void GetStoredPosition(Vec3& out) const { out = m_storedPosition; }
    void SetStoredPosition(float x, float y, float z) { m_storedPosition = Vec3(x, y, z); }
    void GetStoredVector(Vec3& out) const { out = m_storedVector; }
    void SetStoredVector(const Vec3& v) { m_storedVector = v; }
    void SetWorldMatrix(const Matrix4& world) { m_world = world; }
    void GetWorldMatrix(Matrix4& out) const { out = m_world; }
    const Matrix4& GetWorldMatrix() const { return m_world; }

    const Matrix4& GetCombinedMatrix(int frame) const;
    // Palette of a part for the current pose (model space).
    void GetBonePalette(const SkinnedPart& part, std::vector<Matrix4>& palette) const;

    // Replaces the texture list: entry i from path i (game paths); a file that fails leaves a null entry.
    void LoadTextureList(int count, const CStr* paths);
    int GetTextureCount() const { return static_cast<int>(m_textures.size()); }
    CQuorelTexture* GetTexture(int index) const;
    // While on, material i draws with entry i of the list instead of the model's own texture.
    void SetUseOwnTextures(bool on) { m_useOwnTextures = on; }
    bool GetUseOwnTextures() const { return m_useOwnTextures; }
    // The texture material i draws with (null: untextured).
    CQuorelTexture* SetEffectParams(int material) const;

    CSkinnedMesh* GetOwner() const { return m_owner; }

private:
    void UpdateFrames();
    void ClearTextures();

    CSkinnedMesh* m_owner = nullptr;
    CAnimController* m_controller = nullptr;
    std::vector<Matrix4> m_locals;
    std::vector<Matrix4> m_combined;
    Matrix4 m_world;
    Vec3 m_storedPosition;
    Vec3 m_storedVector;
    std::vector<CQuorelTexture*> m_textures; // owned
    bool m_useOwnTextures = false;
};
