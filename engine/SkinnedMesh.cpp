// Loading a character model, creating its instances and posing them (drawing is in SkinnedMeshDraw).
#include "engine/SkinnedMesh.h"

#include "engine/Log.h"
#include "engine/MessageBox.h"

#include <algorithm>
#include <new>

const char* const CSkinnedMesh::kHandFrameNames[kHandFrameCount] = {"RightHandBallTip", "LeftHandBallTip",
                                                                    "RightHandBall", "LeftHandBall"};

// Texture files live in the game's texture layer; these two hooks keep that layer out of the pose
// code, which the tests use without a device.
CQuorelTexture* LoadMeshTexture(const char* gamePath);
void FreeMeshTexture(CQuorelTexture* texture);
void FreeGpuMesh(CQuorelMesh*& mesh);

static CStr JoinFolder(const CStr& folder, const CStr& file) {
    if (folder.IsEmpty())
        return file;
    const char last = folder.CharAt(static_cast<int>(folder.Length()) - 1);
    if (last == '\\' || last == '/')
        return folder + file;
    return folder + "\\" + file;
}

CSkinnedMesh::CSkinnedMesh() = default;

CSkinnedMesh::~CSkinnedMesh() {
    Clear();
}

void CSkinnedMesh::ClearInstances() {
    for (CAnimatedMesh* instance : m_instances)
        delete instance;
    m_instances.clear();
}

void CSkinnedMesh::Clear() {
    ClearInstances();
    for (SkinnedMaterial& m : m_materials)
        FreeMeshTexture(m.texture);
    m_materials.clear();
    for (SkinnedPart& part : m_parts)
        FreeGpuMesh(part.gpuMesh);
    m_parts.clear();
    m_frames.clear();
    m_sets.clear();
    m_path = CStr();
    for (int& f : m_handFrames)
        f = -1;
}

int CSkinnedMesh::FindFrame(const char* name) const {
    for (size_t i = 0; i < m_frames.size(); ++i)
        if (m_frames[i].name.Equals(name))
            return static_cast<int>(i);
    return -1;
}

int CSkinnedMesh::GetHandFrame(int hand) const {
    return hand >= 0 && hand < kHandFrameCount ? m_handFrames[hand] : -1;
}

void CSkinnedMesh::BuildPart(const XMesh& mesh) {
    SkinnedPart part;
    part.name = mesh.name;
    part.frame = mesh.frame;
    part.skinned = !mesh.skins.empty();
    const int materialBase = static_cast<int>(m_materials.size());

    // Every vertex keeps its four strongest influences, renormalised.
    struct Influence {
        int entry;
        float weight;
    };
    std::vector<std::vector<Influence>> influences(mesh.positions.size());
    for (const XSkinWeights& skin : mesh.skins) {
        const int entry = static_cast<int>(part.boneFrames.size());
        part.boneFrames.push_back(FindFrame(skin.boneName.GetText()));
        part.boneOffsets.push_back(skin.offset);
        for (size_t k = 0; k < skin.vertices.size(); ++k)
            if (skin.weights[k] > 0.0f)
                influences[skin.vertices[k]].push_back({entry, skin.weights[k]});
    }
    int rootEntry = -1;
    part.vertices.resize(mesh.positions.size());
    for (size_t v = 0; v < mesh.positions.size(); ++v) {
        SkinVertex& out = part.vertices[v];
        out.position = mesh.positions[v];
        out.normal = mesh.normals[v];
        out.uv[0] = mesh.uvs[v * 2];
        out.uv[1] = mesh.uvs[v * 2 + 1];
        if (!part.skinned)
            continue;
        auto& inf = influences[v];
        if (inf.empty()) {
            // A vertex no bone holds stays where the model put it.
            if (rootEntry < 0) {
                rootEntry = static_cast<int>(part.boneFrames.size());
                part.boneFrames.push_back(-1);
                part.boneOffsets.push_back(Matrix4());
            }
            inf.push_back({rootEntry, 1.0f});
        }
        std::sort(inf.begin(), inf.end(),
                  [](const Influence& a, const Influence& b) { return a.weight > b.weight; });
        float sum = 0.0f;
        for (size_t k = 0; k < inf.size() && k < 4; ++k)
            sum += inf[k].weight;
        for (size_t k = 0; k < inf.size() && k < 4; ++k) {
            out.bones[k] = static_cast<uint8_t>(std::min(inf[k].entry, 255));
            out.weights[k] = inf[k].weight / sum;
        }
    }
    // Triangles grouped by material so each material is one draw.
    for (size_t m = 0; m < mesh.materials.size(); ++m) {
        SkinnedPart::Batch batch;
        batch.material = materialBase + static_cast<int>(m);
        batch.firstIndex = static_cast<int>(part.indices.size());
        for (size_t t = 0; t < mesh.triangleMaterial.size(); ++t)
            if (mesh.triangleMaterial[t] == m)
                for (int k = 0; k < 3; ++k)
                    part.indices.push_back(mesh.indices[t * 3 + k]);
        batch.indexCount = static_cast<int>(part.indices.size()) - batch.firstIndex;
        if (batch.indexCount > 0)
            part.batches.push_back(batch);
        m_materials.push_back({mesh.materials[m], nullptr});
    }
    m_parts.push_back(std::move(part));
}

int CSkinnedMesh::Setup(const char* modelPath, CSkinHierarchyAllocator* allocator, int /*flags*/) {
    Clear();
    XFileData data;
    if (!modelPath || !LoadXFile(modelPath, data)) {
        QuorelLog("[CSkinnedMesh::Setup] Cannot load '%s'", modelPath ? modelPath : "");
        return kMeshFail;
    }
    if (allocator)
        allocator->SetOwner(this);
    m_path = modelPath;
    m_frames = std::move(data.frames);
    m_sets = std::move(data.animationSets);
    for (const XMesh& mesh : data.meshes)
        BuildPart(mesh);
    for (int h = 0; h < kHandFrameCount; ++h)
        m_handFrames[h] = FindFrame(kHandFrameNames[h]);
    const CStr folder = allocator ? allocator->GetFolder() : CStr();
    for (SkinnedMaterial& m : m_materials)
        if (!m.material.textureFile.IsEmpty())
            m.texture = LoadMeshTexture(JoinFolder(folder, m.material.textureFile).GetText());
    if (m_sets.empty()) {
        CStr text;
        text.Format("The model '%s' has no animation.", modelPath);
        ShowMessageBox("Mesh Load Error", text.GetText());
    }
    return kMeshOk;
}

int CSkinnedMesh::CreateInstance(int* index) {
    if (!IsLoaded())
        return kMeshFail;
    std::vector<CStr> names;
    std::vector<Matrix4> rest;
    for (const XFrame& f : m_frames) {
        names.push_back(f.name);
        rest.push_back(f.transform);
    }
    auto* controller = new (std::nothrow) CAnimController(std::move(names), rest, m_sets);
    if (!controller)
        return kMeshOutOfMemory;
    auto* instance = new (std::nothrow) CAnimatedMesh(this, controller);
    if (!instance) {
        controller->Release();
        return kMeshOutOfMemory;
    }
    m_instances.push_back(instance);
    if (index)
        *index = static_cast<int>(m_instances.size()) - 1;
    return kMeshOk;
}

CAnimatedMesh* CSkinnedMesh::GetInstance(int index) const {
    if (index < 0 || index >= GetInstanceCount())
        return nullptr;
    return m_instances[index];
}

CAnimatedMesh::CAnimatedMesh(CSkinnedMesh* owner, CAnimController* controller)
    : m_owner(owner), m_controller(controller) {
    for (const XFrame& f : owner->GetFrames())
        m_locals.push_back(f.transform);
    m_combined.resize(m_locals.size());
    UpdateFrames();
}

CAnimatedMesh::~CAnimatedMesh() {
    ClearTextures();
    if (m_controller)
        m_controller->Release();
}

CAnimController* CAnimatedMesh::GetAnimController() {
    if (m_controller)
        m_controller->AddRef();
    return m_controller;
}

void CAnimatedMesh::UpdateFrames() {
    const std::vector<XFrame>& frames = m_owner->GetFrames();
    // Parents always come before their children in the frame list.
    for (size_t i = 0; i < frames.size(); ++i) {
        const int parent = frames[i].parent;
        if (parent < 0)
            m_combined[i] = m_locals[i];
        else
            MatrixMultiply(m_combined[i], m_locals[i], m_combined[parent]);
    }
}

int CAnimatedMesh::AdvanceTime(double dt, CAnimCallbackHandler* handler) {
    if (!m_controller)
        return kMeshFail;
    const int result = m_controller->AdvanceTime(dt, handler);
    m_controller->ApplyOutputs(m_locals);
    UpdateFrames();
    return result;
}

const Matrix4& CAnimatedMesh::GetCombinedMatrix(int frame) const {
    static const Matrix4 identity;
    if (frame < 0 || frame >= static_cast<int>(m_combined.size()))
        return identity;
    return m_combined[frame];
}

void CAnimatedMesh::GetHandMatrix(Matrix4& out, int hand) const {
    if (hand < 0 || hand >= CSkinnedMesh::kHandFrameCount) {
        out = Matrix4::Zero();
        return;
    }
    out = GetCombinedMatrix(m_owner->GetHandFrame(hand));
}

void CAnimatedMesh::GetHandBallOffset(Vec3& out, int hand) const {
    const int tip = m_owner->GetHandFrame(hand == 0 ? 0 : 1);
    const int ball = m_owner->GetHandFrame(hand == 0 ? 2 : 3);
    Vec3 a, b;
    Vec3TransformCoord(a, Vec3(), GetCombinedMatrix(tip));
    Vec3TransformCoord(b, Vec3(), GetCombinedMatrix(ball));
    out = b - a;
}

void CAnimatedMesh::GetBonePalette(const SkinnedPart& part, std::vector<Matrix4>& palette) const {
    palette.resize(part.boneFrames.size());
    for (size_t k = 0; k < part.boneFrames.size(); ++k)
        MatrixMultiply(palette[k], part.boneOffsets[k], GetCombinedMatrix(part.boneFrames[k]));
}

void CAnimatedMesh::ClearTextures() {
    for (CQuorelTexture* t : m_textures)
        FreeMeshTexture(t);
    m_textures.clear();
}

void CAnimatedMesh::LoadTextureList(int count, const CStr* paths) {
    ClearTextures();
    for (int i = 0; i < count && paths; ++i)
        m_textures.push_back(LoadMeshTexture(paths[i].GetText()));
}

CQuorelTexture* CAnimatedMesh::GetTexture(int index) const {
    if (index < 0 || index >= GetTextureCount())
        return nullptr;
    return m_textures[index];
}

CQuorelTexture* CAnimatedMesh::SetEffectParams(int material) const {
    if (m_useOwnTextures)
        return GetTexture(material);
    const auto& materials = m_owner->GetMaterials();
    if (material < 0 || material >= static_cast<int>(materials.size()))
        return nullptr;
    return materials[material].texture;
}
