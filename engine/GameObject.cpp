// Scene objects: loading, texture registration, frustum culling and drawing.
#include "engine/GameObject.h"

#include "engine/Device.h"
#include "engine/Effect.h"
#include "engine/Frustum.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/TextureManager.h"

#include <algorithm>
#include <cmath>

CQuorelSubObject::CQuorelSubObject(CQuorelGameObject* owner, int index) : m_owner(owner), m_index(index) {}

CQuorelSubObject::~CQuorelSubObject() {
    delete m_mesh;
}

const CStr& CQuorelSubObject::GetName() const {
    return m_owner->m_model.subObjects[m_index].name;
}

bool CQuorelSubObject::IsVisible(const Matrix4& world, const CQuorelFrustum& frustum) const {
    const ModelSubObject& sub = m_owner->m_model.subObjects[m_index];
    // The box's corners placed in the world, then boxed again.
    Vec3 lo, hi;
    for (int i = 0; i < 8; ++i) {
        const Vec3 corner(i & 1 ? sub.boundsMax.x : sub.boundsMin.x,
                          i & 2 ? sub.boundsMax.y : sub.boundsMin.y,
                          i & 4 ? sub.boundsMax.z : sub.boundsMin.z);
        Vec3 p;
        Vec3TransformCoord(p, corner, world);
        if (i == 0) {
            lo = hi = p;
        } else {
            lo = Vec3(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
            hi = Vec3(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
        }
    }
    return frustum.BoxVisible(lo, hi);
}

void CQuorelSubObject::Draw(CQuorelTexture* replacement) {
    DrawBatches(replacement, 2);
}

void CQuorelSubObject::DrawPass(bool translucent) {
    if (!translucent) {
        DrawBatches(nullptr, 0);
        return;
    }
    if (!g_pQuorelDevice)
        return;
    g_pQuorelDevice->SetAlphaBlend(true);
    g_pQuorelDevice->SetDepthWrite(false);
    DrawBatches(nullptr, 1);
    g_pQuorelDevice->SetDepthWrite(true);
    g_pQuorelDevice->SetAlphaBlend(false);
}

void CQuorelSubObject::DrawBatches(CQuorelTexture* replacement, int which) {
    CQuorelDevice* device = g_pQuorelDevice;
    if (!device || !device->IsReady() || !device->IsMainThread())
        return;
    const ModelSubObject& sub = m_owner->m_model.subObjects[m_index];
    if (sub.indices.empty())
        return;
    if (!m_mesh) {
        std::vector<QuorelVertex> vertices(sub.vertices.size());
        for (size_t i = 0; i < sub.vertices.size(); ++i) {
            const ModelVertex& m = sub.vertices[i];
            QuorelVertex& v = vertices[i];
            std::copy(m.pos, m.pos + 3, v.pos);
            std::copy(m.normal, m.normal + 3, v.normal);
            std::copy(m.uv0, m.uv0 + 2, v.uv0);
            std::copy(m.uv1, m.uv1 + 2, v.uv1);
        }
        m_mesh = new CQuorelMesh();
        m_mesh->SetData(std::move(vertices), sub.indices);
    }
    device->SetBoneMatrices(nullptr, 0);
    for (const ModelBatch& batch : sub.batches) {
        const ModelMaterial& material = m_owner->m_model.materials[batch.material];
        const bool translucent = material.diffuse[3] < 1.0f;
        if ((which == 0 && translucent) || (which == 1 && !translucent))
            continue;
        CQuorelGameObject::MaterialTextures& textures = m_owner->m_textures[batch.material];
        if (!textures.effectLooked) {
            textures.effect =
                material.effect.IsEmpty() ? nullptr : device->GetEffect(material.effect.GetText());
            textures.effectLooked = true;
        }
        QuorelMaterial m;
        std::copy(material.diffuse, material.diffuse + 4, m.diffuse);
        std::copy(material.diffuse, material.diffuse + 3, m.ambient);
        device->SetMaterial(m);
        // A texture that failed to load draws the material untextured.
        CQuorelTexture* diffuse = replacement ? replacement : textures.diffuse;
        CQuorelTexture* lightmap =
            textures.lightmap && textures.lightmap->IsLoaded() ? textures.lightmap : nullptr;
        if (!replacement && !device->TextureUnlit() && lightmap && diffuse && diffuse->IsLoaded()) {
            m_owner->BakeLightmap(batch.material);
            if (textures.lit) {
                diffuse = textures.lit.get();
                lightmap = nullptr;
            }
        }
        device->SetTexture(0, diffuse && diffuse->IsLoaded() ? diffuse : nullptr);
        device->SetTexture(1, lightmap);
        device->DrawMesh(*m_mesh, textures.effect, static_cast<int>(batch.firstIndex),
                         static_cast<int>(batch.indexCount));
    }
    device->SetTexture(0, nullptr);
    device->SetTexture(1, nullptr);
}

namespace {

// A lightmap texel read as the GPU reads it: bilinear between texel centres, repeating.
void SampleBilinear(const std::vector<uint8_t>& rgba, int width, int height, float u, float v, float out[3]) {
    const float x = u * static_cast<float>(width) - 0.5f, y = v * static_cast<float>(height) - 0.5f;
    const float fx = std::floor(x), fy = std::floor(y);
    const float ax = x - fx, ay = y - fy;
    auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
    const int x0 = wrap(static_cast<int>(fx), width), x1 = wrap(static_cast<int>(fx) + 1, width);
    const int y0 = wrap(static_cast<int>(fy), height), y1 = wrap(static_cast<int>(fy) + 1, height);
    auto at = [&](int px, int py, int c) {
        return static_cast<float>(
            rgba[(static_cast<size_t>(py) * static_cast<size_t>(width) + static_cast<size_t>(px)) * 4 +
                 static_cast<size_t>(c)]);
    };
    for (int c = 0; c < 3; ++c)
        out[c] = ((at(x0, y0, c) * (1 - ax) + at(x1, y0, c) * ax) * (1 - ay) +
                  (at(x0, y1, c) * (1 - ax) + at(x1, y1, c) * ax) * ay) /
                 255.0f;
}

} // namespace

// The lightmap multiplies the diffuse colour wherever both are read at the same coordinates. A
// lightmap no finer than the diffuse texture can be multiplied in once, texel by texel: the floor
// looks the same (within a few levels of 255) and the renderer is spared a second filtered read on
// every one of its pixels.
void CQuorelGameObject::BakeLightmap(uint32_t material) {
    MaterialTextures& textures = m_textures[material];
    if (textures.litTried)
        return;
    textures.litTried = true;
    CQuorelTexture* diffuse = textures.diffuse;
    CQuorelTexture* lightmap = textures.lightmap;
    const int w = diffuse->Width(), h = diffuse->Height(), lw = lightmap->Width(), lh = lightmap->Height();
    if (lw > w || lh > h)
        return;
    for (const ModelSubObject& sub : m_model.subObjects)
        for (const ModelBatch& batch : sub.batches) {
            if (batch.material != material)
                continue;
            for (uint32_t i = batch.firstIndex; i < batch.firstIndex + batch.indexCount; ++i) {
                const ModelVertex& v = sub.vertices[sub.indices[i]];
                if (v.uv0[0] != v.uv1[0] || v.uv0[1] != v.uv1[1])
                    return;
            }
        }
    // A copy of the material's own: other materials may share the diffuse texture.
    std::vector<uint8_t> rgba = diffuse->Pixels();
    const std::vector<uint8_t> light = lightmap->Pixels();
    if (rgba.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 4 ||
        light.size() != static_cast<size_t>(lw) * static_cast<size_t>(lh) * 4)
        return;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float l[3];
            SampleBilinear(light, lw, lh, (static_cast<float>(x) + 0.5f) / static_cast<float>(w),
                           (static_cast<float>(y) + 0.5f) / static_cast<float>(h), l);
            uint8_t* p =
                &rgba[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 4];
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<uint8_t>(std::lround(static_cast<float>(p[c]) * l[c]));
        }
    textures.lit = std::make_unique<CQuorelTexture>();
    textures.lit->SetPixels(w, h, std::move(rgba));
}

CQuorelGameObject::CQuorelGameObject() = default;

CQuorelGameObject::~CQuorelGameObject() {
    Release();
}

void CQuorelGameObject::Release() {
    for (CQuorelSubObject* sub : m_subObjects)
        delete sub;
    m_subObjects.clear();
    m_textures.clear();
    m_model = ModelData();
}

static CStr JoinPath(const char* folder, const CStr& file) {
    CStr path(folder ? folder : "");
    if (!path.IsEmpty() && path.CharAt(static_cast<int>(path.Length()) - 1) != '\\' &&
        path.CharAt(static_cast<int>(path.Length()) - 1) != '/')
        path.Append("\\");
    path.Append(file);
    return path;
}

bool CQuorelGameObject::Init(const char* name, const char* modelPath, const char* textureFolder,
                             CQuorelLights* lights) {
    QuorelLog("[CQuorelGameObject::Init] Init : [%s] [%s] [%s]", name ? name : "", modelPath ? modelPath : "",
              textureFolder ? textureFolder : "");
    Release();
    m_name = name ? name : "";
    if (!modelPath || !LoadModelFile(modelPath, m_model))
        return false;
    m_textures.resize(m_model.materials.size());
    if (g_pQuorelTextureManager) {
        for (size_t i = 0; i < m_model.materials.size(); ++i) {
            const ModelMaterial& m = m_model.materials[i];
            if (!m.diffuseTexture.IsEmpty())
                m_textures[i].diffuse =
                    g_pQuorelTextureManager->Register(JoinPath(textureFolder, m.diffuseTexture).GetText());
            if (!m.lightmapTexture.IsEmpty())
                m_textures[i].lightmap =
                    g_pQuorelTextureManager->RegisterLightmap(m.lightmapTexture.GetText());
        }
    }
    for (size_t i = 0; i < m_model.subObjects.size(); ++i)
        m_subObjects.push_back(new CQuorelSubObject(this, static_cast<int>(i)));
    if (lights && lights->Count() == 0)
        lights->SetDefault();
    return true;
}

CQuorelSubObject* CQuorelGameObject::GetSubObject(int index) const {
    if (index < 0 || index >= GetSubObjectCount())
        return nullptr;
    return m_subObjects[index];
}

CQuorelSubObject* CQuorelGameObject::FindSubObject(const char* name) const {
    for (CQuorelSubObject* sub : m_subObjects)
        if (sub->GetName().Equals(name))
            return sub;
    return nullptr;
}

int CQuorelGameObject::Render(double /*dt*/, bool secondPass) {
    // Without a device the culling still runs, so the object can be checked headless.
    Matrix4 world;
    if (g_pQuorelDevice)
        world = g_pQuorelDevice->GetTransform(kTransformWorld);
    const bool cull = g_pQuorelFrustum && g_pQuorelFrustum->IsBuilt();
    int visible = 0;
    for (CQuorelSubObject* sub : m_subObjects) {
        if (cull && !sub->IsVisible(world, *g_pQuorelFrustum))
            continue;
        ++visible;
        sub->DrawPass(secondPass);
    }
    return visible;
}
