// CQuorelDevice on the platform's GL layer: Direct3D-style transforms and states, the 2D quad batch,
// render targets, effects and the font cache.
#include "engine/Device.h"

#include "engine/Color.h"
#include "engine/Effect.h"
#include "engine/Font.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/Texture.h"
#include "platform/Gfx.h"
#include "platform/Image.h"
#include "platform/Window.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>

CQuorelDevice* g_pQuorelDevice = nullptr;

namespace {

std::atomic<uint32_t> g_generation{0};
std::atomic<uint32_t> g_nextGeneration{0};

// Depth 0..1 of the left-handed projection becomes GL's -1..1: z' = 2z - w.
Matrix4 DepthToGl() {
    Matrix4 m;
    m.m[2][2] = 2.0f;
    m.m[3][2] = -1.0f;
    return m;
}

// Render targets are drawn upside down so their texture rows run from the top, like image files.
Matrix4 FlipY() {
    Matrix4 m;
    m.m[1][1] = -1.0f;
    return m;
}

void CopyMatrix(float out[16], const Matrix4& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r * 4 + c] = m.m[r][c];
}

struct EffectEntry {
    const char* name;
    CQuorelEffect::Shading shading;
};

// The names the game's models and scenes ask for; the bump and specular ones keep a highlight.
const EffectEntry kEffects[] = {
    {"BaseEffects", CQuorelEffect::kDiffuse}, {"BumpRefl", CQuorelEffect::kSpecular},
    {"Standard", CQuorelEffect::kDiffuse},    {"SpecularMap", CQuorelEffect::kSpecular},
    {"Default", CQuorelEffect::kDiffuse},     {"Sample", CQuorelEffect::kDiffuse},
    {"DiffOld", CQuorelEffect::kDiffuse},
};

std::string LowerKey(const char* text) {
    std::string key = text ? text : "";
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

// Quads of one texture (0: plain fills) and one way of sampling it, drawn as one span; quads that
// come out at full alpha everywhere apart from the others, as they need no blending.
struct QuadGroup {
    uint32_t texture = 0;
    bool oneToOne = true;
    bool opaque = false;
    std::vector<Gfx2DVertex> vertices;
};

struct DeviceGpuState {
    // The quads batched since the last flush, by group in drawing order. A quad joins the latest
    // group of its texture when no quad of a later group may touch its pixels, so every pixel sees
    // its quads in the order they were drawn, while the software rasteriser gets a draw per texture
    // instead of one per change of texture, and fills between images skip the texture read. The
    // batch is drawn with one upload at the next state change, read-back or present.
    std::vector<QuadGroup> groups; // kept between batches for their storage; groupCount in use
    int groupCount = 0;
    int lastGroup = -1; // the group the last quad went to: the next glyph of a line goes there too
    // The latest group with a quad over each square of kCoverCell pixels of the target, -1 for none:
    // a quad may join a group when no square under it belongs to a later one.
    std::vector<int> cover;
    int coverColumns = 0, coverRows = 0;
    int coverTop = 0, coverBottom = -1; // rows marked since the last flush
    std::vector<Gfx2DVertex> batch;     // the groups end to end, for the upload
    std::vector<Gfx2DSpan> spans;
    bool depthTest = true;
    bool depthWrite = true;
    bool alphaBlend = false;
    // The window's drawable size in pixels; the window is never resized, so it is read once.
    int drawableWidth = 0, drawableHeight = 0;
};

namespace {

constexpr int kCoverCell = 4;
// How far back a quad looks for a group of its texture; past that it starts a new one.
constexpr int kGroupSearch = 64;
// A batch with this many groups is drawn before it takes more (the squares hold group numbers).
constexpr int kMaxGroups = 4096;

// The squares under [v0, v1) along an axis of `limit` pixels, as a first and last index.
void CoverRange(float v0, float v1, float limit, int cells, int& first, int& last) {
    auto clampTo = [limit](float v) { return v > 0.0f ? (v < limit ? v : limit) : 0.0f; }; // NaN: 0
    const int p0 = static_cast<int>(std::floor(clampTo(v0)));
    const int p1 = static_cast<int>(std::ceil(clampTo(v1)));
    first = std::min(p0 / kCoverCell, cells - 1);
    last = std::clamp((p1 - 1) / kCoverCell, first, cells - 1);
}

} // namespace

uint32_t DeviceGeneration() {
    return g_generation.load();
}

void ReleaseGpuTexture(uint32_t texture, uint32_t generation) {
    if (!texture || generation == 0 || generation != g_generation.load() || !g_pQuorelDevice)
        return;
    if (g_pQuorelDevice->IsMainThread()) {
        g_pQuorelDevice->Flush2D(); // the pending batch may still name it
        GfxDeleteTexture(texture);
    } else
        g_pQuorelDevice->DeferDelete(texture, 0, 0);
}

void ReleaseGpuMesh(uint32_t vertexArray, uint32_t vertexBuffer, uint32_t indexBuffer, uint32_t generation) {
    if (generation == 0 || generation != g_generation.load() || !g_pQuorelDevice)
        return;
    if (g_pQuorelDevice->IsMainThread()) {
        GfxDeleteVertexArray(vertexArray);
        GfxDeleteBuffer(vertexBuffer);
        GfxDeleteBuffer(indexBuffer);
    } else {
        g_pQuorelDevice->DeferDelete(0, vertexBuffer, vertexArray);
        g_pQuorelDevice->DeferDelete(0, indexBuffer, 0);
    }
}

CQuorelEffect::~CQuorelEffect() {
    if (m_program && DeviceGeneration() != 0)
        GfxDeleteProgram(m_program);
}

CQuorelMesh::~CQuorelMesh() {
    ReleaseGpuMesh(m_vao, m_vbo, m_ibo, m_generation);
}

void CQuorelMesh::SetData(std::vector<QuorelVertex> vertices, std::vector<uint32_t> indices) {
    m_vertices = std::move(vertices);
    m_indices = std::move(indices);
    // Indices past the vertices would read outside the buffer on the GPU: drop such triangles.
    size_t kept = 0;
    for (size_t i = 0; i + 2 < m_indices.size(); i += 3) {
        if (m_indices[i] >= m_vertices.size() || m_indices[i + 1] >= m_vertices.size() ||
            m_indices[i + 2] >= m_vertices.size())
            continue;
        m_indices[kept++] = m_indices[i];
        m_indices[kept++] = m_indices[i + 1];
        m_indices[kept++] = m_indices[i + 2];
    }
    m_indices.resize(kept);
    m_dirty = true;
}

bool CQuorelMesh::HasFlatTriangles() const {
    auto same = [](const QuorelVertex& a, const QuorelVertex& b) {
        return std::equal(a.normal, a.normal + 3, b.normal) &&
               std::equal(a.boneWeights, a.boneWeights + 4, b.boneWeights) &&
               std::equal(a.boneIndices, a.boneIndices + 4, b.boneIndices);
    };
    for (size_t i = 0; i + 2 < m_indices.size(); i += 3) {
        const QuorelVertex& a = m_vertices[m_indices[i]];
        if (!same(a, m_vertices[m_indices[i + 1]]) || !same(a, m_vertices[m_indices[i + 2]]))
            return false;
    }
    return true;
}

void CQuorelMesh::UpdateVertices(const std::vector<QuorelVertex>& vertices) {
    if (vertices.size() != m_vertices.size())
        return;
    m_vertices = vertices;
    m_dirty = true;
}

CQuorelRenderTarget::~CQuorelRenderTarget() {
    // The texture only borrows the colour buffer; the GL objects go with the target.
    if (m_generation != 0 && m_generation == DeviceGeneration() && g_pQuorelDevice &&
        g_pQuorelDevice->IsMainThread())
        GfxDeleteRenderTarget(m_fbo, m_colour, m_depth);
}

CQuorelDevice::CQuorelDevice() : m_gpu(std::make_unique<DeviceGpuState>()) {
    m_mainThread = std::this_thread::get_id();
}

CQuorelDevice::~CQuorelDevice() {
    if (!m_ready)
        return;
    {
        std::lock_guard<std::mutex> lock(m_fontMutex);
        m_fonts.clear();
    }
    m_effects.clear();
    Present(); // frees deferred objects
    GfxShutdown();
    g_generation = 0;
    PlatformCloseWindow();
}

bool CQuorelDevice::IsMainThread() const {
    return std::this_thread::get_id() == m_mainThread;
}

bool CQuorelDevice::Create(int width, int height, int bitsPerPixel) {
    if (m_ready)
        return true;
    if (bitsPerPixel != 32 && bitsPerPixel != 24)
        QuorelLog("[CQuorelDevice::Create] %d bits per pixel asked; the window uses 32", bitsPerPixel);
    char error[512] = {};
    if (!PlatformOpenWindow(width, height, "Fastbreak", error, sizeof error)) {
        QuorelLog("[CQuorelDevice::Create] no window: %s", error);
        return false;
    }
    if (!GfxIsCoreProfile()) {
        QuorelLog("[CQuorelDevice::Create] OpenGL 3.3 core is not available (%s)", GfxVersionText());
        PlatformCloseWindow();
        return false;
    }
    if (!GfxInit(error, sizeof error)) {
        QuorelLog("[CQuorelDevice::Create] %s", error);
        PlatformCloseWindow();
        return false;
    }
    m_mainThread = std::this_thread::get_id();
    m_width = width;
    m_height = height;
    g_generation = ++g_nextGeneration;
    m_ready = true;
    QuorelLog("[CQuorelDevice::Create] %dx%d on %s, %s", width, height, PlatformVideoDriver(),
              GfxVersionText());
    for (const EffectEntry& entry : kEffects) {
        auto effect = std::make_unique<CQuorelEffect>(entry.name, entry.shading);
        uint32_t program = GfxCreateMeshProgram(static_cast<GfxShading>(entry.shading), error, sizeof error);
        if (!program) {
            QuorelLog("[CQuorelDevice::Create] effect %s: %s", entry.name, error);
            continue;
        }
        effect->SetProgram(program);
        m_effects[LowerKey(entry.name)] = std::move(effect);
    }
    Matrix4 projection;
    MatrixPerspectiveFovLH(projection, 45.0f * kDegToRad,
                           static_cast<float>(width) / static_cast<float>(height), 0.1f, 300.0f);
    m_transforms[kTransformProjection] = projection;
    ApplyViewport();
    GfxSetDepth(true, true);
    return true;
}

void CQuorelDevice::ApplyViewport() {
    if (m_target) {
        GfxViewport(0, 0, m_target->m_width, m_target->m_height);
        return;
    }
    if (m_gpu->drawableWidth <= 0) {
        m_gpu->drawableWidth = m_width;
        m_gpu->drawableHeight = m_height;
        PlatformDrawableSize(m_gpu->drawableWidth, m_gpu->drawableHeight);
    }
    GfxViewport(0, 0, m_gpu->drawableWidth, m_gpu->drawableHeight);
}

void CQuorelDevice::Clear(uint32_t colorWord, bool clearDepth) {
    if (!m_ready)
        return;
    Flush2D();
    ColorRGBA c = ColorFromWord(colorWord);
    GfxClear(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f, true, clearDepth);
}

void CQuorelDevice::BeginScene() {
    m_clipStack.clear();
}

void CQuorelDevice::EndScene() {
    Flush2D();
}

void CQuorelDevice::Present() {
    if (!m_ready)
        return;
    Flush2D();
    if (!m_target)
        PlatformSwapBuffers();
    std::vector<uint32_t> textures, buffers, arrays;
    {
        std::lock_guard<std::mutex> lock(m_deferMutex);
        textures.swap(m_deferTextures);
        buffers.swap(m_deferBuffers);
        arrays.swap(m_deferArrays);
    }
    for (uint32_t t : textures)
        GfxDeleteTexture(t);
    for (uint32_t b : buffers)
        GfxDeleteBuffer(b);
    for (uint32_t a : arrays)
        GfxDeleteVertexArray(a);
    m_drawCallsLastFrame = m_drawCalls;
    m_drawCalls = 0;
}

void CQuorelDevice::DeferDelete(uint32_t texture, uint32_t buffer, uint32_t vertexArray) {
    std::lock_guard<std::mutex> lock(m_deferMutex);
    if (texture)
        m_deferTextures.push_back(texture);
    if (buffer)
        m_deferBuffers.push_back(buffer);
    if (vertexArray)
        m_deferArrays.push_back(vertexArray);
}

void CQuorelDevice::SetTransform(QuorelTransform which, const Matrix4& matrix) {
    if (which >= kTransformWorld && which <= kTransformProjection)
        m_transforms[which] = matrix;
}

const Matrix4& CQuorelDevice::GetTransform(QuorelTransform which) const {
    if (which >= kTransformWorld && which <= kTransformProjection)
        return m_transforms[which];
    return m_transforms[kTransformWorld];
}

void CQuorelDevice::SetCullMode(QuorelCull mode) {
    m_cull = mode;
}

void CQuorelDevice::SetDepthTest(bool enable) {
    m_gpu->depthTest = enable;
}

void CQuorelDevice::SetDepthWrite(bool enable) {
    m_gpu->depthWrite = enable;
}

void CQuorelDevice::SetAlphaBlend(bool enable) {
    m_gpu->alphaBlend = enable;
}

void CQuorelDevice::SetTexture(int stage, CQuorelTexture* texture) {
    if (stage == 0 || stage == 1)
        m_textures[stage] = texture;
}

void CQuorelDevice::SetTextureUnlit(bool unlit) {
    m_textureUnlit = unlit;
}

void CQuorelDevice::SetMaterial(const QuorelMaterial& material) {
    m_material = material;
}

void CQuorelDevice::SetBoneMatrices(const Matrix4* bones, int count) {
    m_bones.clear();
    if (!bones || count <= 0)
        return;
    m_bones.assign(bones, bones + std::min(count, kMaxBones));
}

CQuorelEffect* CQuorelDevice::GetEffect(const char* name) const {
    auto found = m_effects.find(LowerKey(name));
    return found == m_effects.end() ? nullptr : found->second.get();
}

void CQuorelDevice::DrawMesh(CQuorelMesh& mesh, CQuorelEffect* effect, int firstIndex, int indexCount) {
    if (!m_ready || !IsMainThread())
        return;
    if (!effect)
        effect = GetEffect("Default");
    if (!effect || !effect->Program())
        return;
    if (indexCount < 0)
        indexCount = mesh.IndexCount() - firstIndex;
    if (firstIndex < 0 || indexCount <= 0 || firstIndex + indexCount > mesh.IndexCount())
        return;
    Flush2D();
    uint32_t generation = DeviceGeneration();
    if (mesh.m_generation != generation) {
        mesh.m_vao = mesh.m_vbo = mesh.m_ibo = 0;
        mesh.m_dirty = true;
    }
    if (mesh.m_dirty) {
        GfxVertexLayout layout;
        layout.stride = sizeof(QuorelVertex);
        layout.position = offsetof(QuorelVertex, pos);
        layout.normal = offsetof(QuorelVertex, normal);
        layout.uv0 = offsetof(QuorelVertex, uv0);
        layout.uv1 = offsetof(QuorelVertex, uv1);
        layout.boneWeights = offsetof(QuorelVertex, boneWeights);
        layout.boneIndices = offsetof(QuorelVertex, boneIndices);
        GfxUploadMesh(mesh.m_vertices.data(), mesh.m_vertices.size() * sizeof(QuorelVertex), layout,
                      mesh.m_indices.data(), mesh.m_indices.size(), mesh.m_vao, mesh.m_vbo, mesh.m_ibo);
        mesh.m_flatTriangles = mesh.HasFlatTriangles();
        mesh.m_generation = generation;
        mesh.m_dirty = false;
    }

    GfxMeshUniforms u;
    CopyMatrix(u.world, m_transforms[kTransformWorld]);
    Matrix4 viewProjection, glProjection;
    MatrixMultiply(viewProjection, m_transforms[kTransformView], m_transforms[kTransformProjection]);
    MatrixMultiply(glProjection, viewProjection, DepthToGl());
    if (m_target)
        MatrixMultiply(glProjection, Matrix4(glProjection), FlipY());
    CopyMatrix(u.viewProjection, glProjection);
    Matrix4 inverseView;
    if (MatrixInverse(inverseView, m_transforms[kTransformView])) {
        u.eye[0] = inverseView.m[3][0];
        u.eye[1] = inverseView.m[3][1];
        u.eye[2] = inverseView.m[3][2];
    }
    std::vector<float> bones(m_bones.size() * 16);
    for (size_t i = 0; i < m_bones.size(); ++i)
        CopyMatrix(&bones[i * 16], m_bones[i]);
    u.bones = bones.empty() ? nullptr : bones.data();
    u.boneCount = static_cast<int>(m_bones.size());
    std::copy(m_material.diffuse, m_material.diffuse + 4, u.diffuse);
    std::copy(m_material.ambient, m_material.ambient + 4, u.ambient);
    std::copy(m_material.specular, m_material.specular + 4, u.specular);
    std::copy(m_material.emissive, m_material.emissive + 4, u.emissive);
    u.power = m_material.power;
    if (g_pQuorelLights) {
        std::copy(g_pQuorelLights->Ambient(), g_pQuorelLights->Ambient() + 3, u.sceneAmbient);
        u.lightCount = std::min(g_pQuorelLights->Count(), kGfxMaxLights);
        for (int i = 0; i < u.lightCount; ++i) {
            const QuorelLight* light = g_pQuorelLights->GetLight(i);
            u.lightType[i] = light->type;
            std::copy(light->diffuse, light->diffuse + 4, u.lightDiffuse[i]);
            std::copy(light->specular, light->specular + 4, u.lightSpecular[i]);
            std::copy(light->ambient, light->ambient + 4, u.lightAmbient[i]);
            u.lightPosition[i][0] = light->position.x;
            u.lightPosition[i][1] = light->position.y;
            u.lightPosition[i][2] = light->position.z;
            u.lightDirection[i][0] = light->direction.x;
            u.lightDirection[i][1] = light->direction.y;
            u.lightDirection[i][2] = light->direction.z;
            std::copy(light->attenuation, light->attenuation + 3, u.lightAttenuation[i]);
            u.lightRange[i] = light->range;
        }
    } else {
        // Without a light list everything shows at full brightness rather than black.
        u.sceneAmbient[0] = u.sceneAmbient[1] = u.sceneAmbient[2] = 1.0f;
    }
    u.texture0 = m_textures[0] ? m_textures[0]->GpuHandle() : 0;
    u.texture1 = m_textures[1] ? m_textures[1]->GpuHandle() : 0;
    u.unlitTexture = m_textureUnlit;
    u.flatTriangles = mesh.m_flatTriangles;

    GfxSetDepth(m_gpu->depthTest, m_gpu->depthWrite);
    GfxSetBlend(m_gpu->alphaBlend);
    GfxCull cull = kGfxCullNone;
    if (m_cull == kCullCCW)
        cull = m_target ? kGfxCullClockwise : kGfxCullCounterClockwise;
    else if (m_cull == kCullCW)
        cull = m_target ? kGfxCullCounterClockwise : kGfxCullClockwise;
    GfxSetCull(cull);
    GfxDrawMesh(effect->Program(), u, mesh.m_vao, firstIndex, indexCount);
    CountDrawCall();
}

void CQuorelDevice::DrawQuad2D(CQuorelTexture* texture, float x, float y, float width, float height, float u0,
                               float v0, float u1, float v1, uint32_t colorWord) {
    if (!m_ready || !IsMainThread() || width <= 0 || height <= 0)
        return;
    uint32_t handle = 0;
    bool opaque = true;
    if (texture) {
        handle = texture->GpuHandle(opaque);
        if (!handle)
            return; // an image that failed to load draws nothing
    }
    float x0 = x, y0 = y, x1 = x + width, y1 = y + height;
    if (!m_clipStack.empty()) {
        const QuorelRect& clip = m_clipStack.back();
        float cx0 = std::max(x0, static_cast<float>(clip.left)),
              cy0 = std::max(y0, static_cast<float>(clip.top));
        float cx1 = std::min(x1, static_cast<float>(clip.right)),
              cy1 = std::min(y1, static_cast<float>(clip.bottom));
        if (cx1 <= cx0 || cy1 <= cy0)
            return;
        // Cut the texture coordinates in step with the quad.
        float du = (u1 - u0) / width, dv = (v1 - v0) / height;
        u0 += (cx0 - x0) * du;
        u1 -= (x1 - cx1) * du;
        v0 += (cy0 - y0) * dv;
        v1 -= (y1 - cy1) * dv;
        x0 = cx0;
        y0 = cy0;
        x1 = cx1;
        y1 = cy1;
    }
    const int unit = handle ? 1 : 0;
    float targetWidth = 0.0f, targetHeight = 0.0f;
    if (m_target) {
        float sx = static_cast<float>(m_target->m_width) / static_cast<float>(m_targetSource.Width());
        float sy = static_cast<float>(m_target->m_height) / static_cast<float>(m_targetSource.Height());
        x0 = (x0 - static_cast<float>(m_targetSource.left)) * sx;
        x1 = (x1 - static_cast<float>(m_targetSource.left)) * sx;
        y0 = (y0 - static_cast<float>(m_targetSource.top)) * sy;
        y1 = (y1 - static_cast<float>(m_targetSource.top)) * sy;
        targetWidth = static_cast<float>(m_target->m_width);
        targetHeight = static_cast<float>(m_target->m_height);
    } else if (m_width > 0 && m_height > 0) {
        int dw = m_gpu->drawableWidth, dh = m_gpu->drawableHeight;
        float sx = static_cast<float>(dw) / static_cast<float>(m_width);
        float sy = static_cast<float>(dh) / static_cast<float>(m_height);
        x0 *= sx;
        x1 *= sx;
        y0 *= sy;
        y1 *= sy;
        targetWidth = static_cast<float>(dw);
        targetHeight = static_cast<float>(dh);
    }
    bool oneToOne = true;
    if (handle) {
        // Whole pixels, and a texel a pixel from a texel's edge: anything else is filtered.
        const float tw = static_cast<float>(texture->Width()), th = static_cast<float>(texture->Height());
        auto whole = [](float f) { return std::abs(f - std::round(f)) < 1e-3f; };
        oneToOne = whole(x0) && whole(y0) && whole(x1) && whole(y1) && whole(u0 * tw) && whole(v0 * th) &&
                   std::abs((u1 - u0) * tw - (x1 - x0)) < 1e-3f &&
                   std::abs((v1 - v0) * th - (y1 - y0)) < 1e-3f;
    }
    ColorRGBA c = ColorFromWord(colorWord);
    QuadGroup& group =
        GroupFor(handle, oneToOne, opaque && c.a == 255, x0, y0, x1, y1, targetWidth, targetHeight);
    Gfx2DVertex v[4];
    float slot = static_cast<float>(unit);
    v[0] = {x0, y0, u0, v0, c.r, c.g, c.b, c.a, slot};
    v[1] = {x1, y0, u1, v0, c.r, c.g, c.b, c.a, slot};
    v[2] = {x1, y1, u1, v1, c.r, c.g, c.b, c.a, slot};
    v[3] = {x0, y1, u0, v1, c.r, c.g, c.b, c.a, slot};
    group.vertices.insert(group.vertices.end(), {v[0], v[1], v[2], v[0], v[2], v[3]});
}

QuadGroup& CQuorelDevice::GroupFor(uint32_t texture, bool oneToOne, bool opaque, float x0, float y0, float x1,
                                   float y1, float targetWidth, float targetHeight) {
    DeviceGpuState& g = *m_gpu;
    if (g.groupCount >= kMaxGroups)
        Flush2D();
    if (g.groupCount == 0) {
        // A new batch: its target may differ from the last one's.
        const int columns = std::max(1, (static_cast<int>(targetWidth) + kCoverCell - 1) / kCoverCell);
        const int rows = std::max(1, (static_cast<int>(targetHeight) + kCoverCell - 1) / kCoverCell);
        if (columns != g.coverColumns || rows != g.coverRows) {
            g.coverColumns = columns;
            g.coverRows = rows;
            g.cover.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), -1);
            g.coverTop = 0;
            g.coverBottom = -1;
        }
        g.lastGroup = -1;
    }
    int cx0 = 0, cx1 = 0, cy0 = 0, cy1 = 0;
    CoverRange(x0, x1, targetWidth, g.coverColumns, cx0, cx1);
    CoverRange(y0, y1, targetHeight, g.coverRows, cy0, cy1);
    auto sameKind = [&](int i) {
        const QuadGroup& group = g.groups[static_cast<size_t>(i)];
        return group.texture == texture && group.oneToOne == oneToOne && group.opaque == opaque;
    };
    // The latest group of this kind: a later one of the kind would have taken the quad before it.
    int candidate = -1;
    if (g.lastGroup >= 0 && sameKind(g.lastGroup)) {
        candidate = g.lastGroup;
    } else {
        for (int i = g.groupCount - 1; i >= std::max(0, g.groupCount - kGroupSearch); --i) {
            if (sameKind(i)) {
                candidate = i;
                break;
            }
        }
    }
    if (candidate >= 0 && candidate < g.groupCount - 1) {
        for (int y = cy0; y <= cy1 && candidate >= 0; ++y) {
            const int* row = &g.cover[static_cast<size_t>(y) * static_cast<size_t>(g.coverColumns)];
            for (int x = cx0; x <= cx1; ++x) {
                if (row[x] > candidate) {
                    candidate = -1; // a later group lies under it
                    break;
                }
            }
        }
    }
    if (candidate < 0) {
        if (static_cast<size_t>(g.groupCount) == g.groups.size())
            g.groups.emplace_back();
        QuadGroup& fresh = g.groups[static_cast<size_t>(g.groupCount)];
        fresh.texture = texture;
        fresh.oneToOne = oneToOne;
        fresh.opaque = opaque;
        fresh.vertices.clear();
        candidate = g.groupCount++;
    }
    for (int y = cy0; y <= cy1; ++y) {
        int* row = &g.cover[static_cast<size_t>(y) * static_cast<size_t>(g.coverColumns)];
        std::fill(row + cx0, row + cx1 + 1, candidate);
    }
    g.coverTop = g.coverBottom < 0 ? cy0 : std::min(g.coverTop, cy0);
    g.coverBottom = std::max(g.coverBottom, cy1);
    g.lastGroup = candidate;
    return g.groups[static_cast<size_t>(candidate)];
}

void CQuorelDevice::FillRect(const QuorelRect& rect, uint32_t colorWord) {
    if (rect.IsEmpty())
        return;
    DrawQuad2D(nullptr, static_cast<float>(rect.left), static_cast<float>(rect.top),
               static_cast<float>(rect.Width()), static_cast<float>(rect.Height()), 0, 0, 1, 1, colorWord);
}

void CQuorelDevice::DrawRectOutline(const QuorelRect& rect, uint32_t colorWord, int thickness) {
    if (rect.IsEmpty() || thickness <= 0)
        return;
    int t = std::min(thickness, std::min(rect.Width(), rect.Height()) / 2 + 1);
    FillRect(QuorelRect(rect.left, rect.top, rect.right, rect.top + t), colorWord);
    FillRect(QuorelRect(rect.left, rect.bottom - t, rect.right, rect.bottom), colorWord);
    FillRect(QuorelRect(rect.left, rect.top + t, rect.left + t, rect.bottom - t), colorWord);
    FillRect(QuorelRect(rect.right - t, rect.top + t, rect.right, rect.bottom - t), colorWord);
}

void CQuorelDevice::PushClipRect(const QuorelRect& rect) {
    if (m_clipStack.empty())
        m_clipStack.push_back(rect.Intersect(rect)); // normalises an inverted rectangle to empty
    else
        m_clipStack.push_back(m_clipStack.back().Intersect(rect));
}

void CQuorelDevice::PopClipRect() {
    if (!m_clipStack.empty())
        m_clipStack.pop_back();
}

bool CQuorelDevice::GetClipRect(QuorelRect& out) const {
    if (m_clipStack.empty())
        return false;
    out = m_clipStack.back();
    return true;
}

void CQuorelDevice::Flush2D() {
    DeviceGpuState& g = *m_gpu;
    if (!m_ready || g.groupCount == 0)
        return;
    float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
    if (m_target) {
        w = static_cast<float>(m_target->m_width);
        h = static_cast<float>(m_target->m_height);
    } else {
        w = static_cast<float>(g.drawableWidth);
        h = static_cast<float>(g.drawableHeight);
    }
    g.batch.clear();
    g.spans.clear();
    for (int i = 0; i < g.groupCount; ++i) {
        const QuadGroup& group = g.groups[static_cast<size_t>(i)];
        Gfx2DSpan span;
        span.first = static_cast<int>(g.batch.size());
        span.count = static_cast<int>(group.vertices.size());
        span.texture = group.texture;
        span.oneToOne = group.oneToOne;
        span.opaque = group.opaque;
        g.spans.push_back(span);
        g.batch.insert(g.batch.end(), group.vertices.begin(), group.vertices.end());
    }
    // Cleared before drawing: a texture freed while drawing flushes again, and finds nothing.
    g.groupCount = 0;
    g.lastGroup = -1;
    if (g.coverBottom >= 0) {
        const size_t columns = static_cast<size_t>(g.coverColumns);
        std::fill(g.cover.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(g.coverTop) * columns),
                  g.cover.begin() +
                      static_cast<std::ptrdiff_t>(static_cast<size_t>(g.coverBottom + 1) * columns),
                  -1);
        g.coverBottom = -1;
    }
    GfxSetDepth(false, false);
    GfxSetBlend(true);
    GfxSetCull(kGfxCullNone);
    int draws = GfxDraw2D(g.batch.data(), static_cast<int>(g.batch.size()), g.spans.data(),
                          static_cast<int>(g.spans.size()), w, h, m_target != nullptr);
    for (int i = 0; i < draws; ++i)
        CountDrawCall();
}

CQuorelRenderTarget* CQuorelDevice::CreateRenderTarget(int width, int height) {
    if (!m_ready || !IsMainThread())
        return nullptr;
    auto* target = new CQuorelRenderTarget();
    if (!GfxCreateRenderTarget(width, height, target->m_fbo, target->m_colour, target->m_depth)) {
        QuorelLog("[CQuorelDevice::CreateRenderTarget] %dx%d could not be made", width, height);
        delete target;
        return nullptr;
    }
    target->m_width = width;
    target->m_height = height;
    target->m_generation = DeviceGeneration();
    target->m_texture = std::make_unique<CQuorelTexture>();
    target->m_texture->WrapGpuHandle(target->m_colour, width, height);
    return target;
}

bool CQuorelDevice::BeginRenderTarget(CQuorelRenderTarget* target, const QuorelRect* source) {
    if (!m_ready || !target || !target->m_fbo || target->m_generation != DeviceGeneration())
        return false;
    Flush2D();
    m_target = target;
    m_targetSource =
        source && !source->IsEmpty() ? *source : QuorelRect(0, 0, target->m_width, target->m_height);
    GfxBindFramebuffer(target->m_fbo);
    ApplyViewport();
    return true;
}

void CQuorelDevice::EndRenderTarget() {
    if (!m_target)
        return;
    Flush2D();
    m_target = nullptr;
    GfxBindFramebuffer(0);
    ApplyViewport();
}

CQuorelFont* CQuorelDevice::GetFont(const char* face, int size, int weight) {
    std::string key = LowerKey(face && *face ? face : "Arial") + "|" + std::to_string(size) + "|" +
                      std::to_string(weight >= 600 ? kFontWeightBold : kFontWeightNormal);
    std::lock_guard<std::mutex> lock(m_fontMutex);
    auto found = m_fonts.find(key);
    if (found != m_fonts.end())
        return found->second.get();
    auto font = std::make_unique<CQuorelFont>(face && *face ? face : "Arial", size, weight);
    CQuorelFont* result = font.get();
    m_fonts.emplace(key, std::move(font));
    return result;
}

bool CQuorelDevice::ReadPixels(int x, int y, int width, int height, std::vector<uint8_t>& rgba) {
    if (!m_ready || !IsMainThread())
        return false;
    Flush2D();
    if (m_target)
        return GfxReadPixels(x, y, width, height, m_target->m_height, false, rgba);
    return GfxReadPixels(x, y, width, height, m_gpu->drawableHeight, true, rgba);
}

bool CQuorelDevice::SaveScreenshot(const char* gamePath) {
    std::vector<uint8_t> rgba;
    if (!ReadPixels(0, 0, m_width, m_height, rgba))
        return false;
    CStr path = ResolvePath(gamePath);
    if (!PlatformWritePng(path.GetText(), m_width, m_height, rgba.data())) {
        QuorelLog("[CQuorelDevice::SaveScreenshot] cannot write '%s'", path.GetText());
        return false;
    }
    return true;
}
