// CQuorelDevice: the engine device on an OpenGL 3.3 core context. It keeps the conventions the game
// code was written for: row vectors (v' = v x M), row-major matrices, left-handed view and projection
// with depth 0..1 (converted inside), clockwise front faces, colour words with alpha in the lowest byte.
// All of it runs on the main thread, except meshes and textures, which may be built anywhere and are
// uploaded at their first draw.
#pragma once

#include "engine/Math3D.h"
#include "engine/Rect.h"
#include "engine/Str.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CQuorelTexture;
class CQuorelFont;
class CQuorelEffect;
struct DeviceGpuState;
struct QuadGroup;

enum QuorelTransform { kTransformWorld = 0, kTransformView = 1, kTransformProjection = 2 };

// Face culling by winding as seen on screen; front faces are clockwise, so kCullCCW (the default)
// hides back faces.
enum QuorelCull { kCullNone = 1, kCullCW = 2, kCullCCW = 3 };

struct QuorelMaterial {
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float ambient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float emissive[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float power = 0.0f;
};

// One mesh vertex; unused streams stay zero. Skinned meshes fill bone weights and indices.
struct QuorelVertex {
    float pos[3] = {0.0f, 0.0f, 0.0f};
    float normal[3] = {0.0f, 0.0f, 0.0f};
    float uv0[2] = {0.0f, 0.0f};
    float uv1[2] = {0.0f, 0.0f}; // lightmap coordinates
    float boneWeights[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    uint8_t boneIndices[4] = {0, 0, 0, 0};
};

// Triangle list geometry. Built on any thread; the GPU copy is made at the first draw.
class CQuorelMesh {
public:
    CQuorelMesh() = default;
    ~CQuorelMesh();
    CQuorelMesh(const CQuorelMesh&) = delete;
    CQuorelMesh& operator=(const CQuorelMesh&) = delete;

    void SetData(std::vector<QuorelVertex> vertices, std::vector<uint32_t> indices);
    // Replaces the vertices, keeping the indices (for meshes animated on the CPU).
    void UpdateVertices(const std::vector<QuorelVertex>& vertices);
    const std::vector<QuorelVertex>& Vertices() const { return m_vertices; }
    const std::vector<uint32_t>& Indices() const { return m_indices; }
    int IndexCount() const { return static_cast<int>(m_indices.size()); }
    // Whether every triangle has the same normal, bone weights and bones at its three corners, so
    // light from a direction falls on it alike all over.
    bool HasFlatTriangles() const;

private:
    friend class CQuorelDevice;
    std::vector<QuorelVertex> m_vertices;
    std::vector<uint32_t> m_indices;
    bool m_dirty = false;
    bool m_flatTriangles = false; // worked out at each upload
    uint32_t m_vao = 0, m_vbo = 0, m_ibo = 0;
    uint32_t m_generation = 0;
};

// A texture the device can draw into (the scoreboard shows the match display through one).
class CQuorelRenderTarget {
public:
    ~CQuorelRenderTarget();
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour texture, usable with SetTexture and 2D quads; owned by the target.
    CQuorelTexture* GetTexture() const { return m_texture.get(); }

private:
    friend class CQuorelDevice;
    CQuorelRenderTarget() = default;
    int m_width = 0, m_height = 0;
    uint32_t m_fbo = 0, m_colour = 0, m_depth = 0;
    uint32_t m_generation = 0;
    std::unique_ptr<CQuorelTexture> m_texture;
};

class CQuorelDevice {
public:
    CQuorelDevice();
    ~CQuorelDevice();
    CQuorelDevice(const CQuorelDevice&) = delete;
    CQuorelDevice& operator=(const CQuorelDevice&) = delete;

    // Opens the window (hidden until CQuorelApp::ShowWindow) with a client area of width x height and
    // its GL context, then builds the effects. False, with a log line, when no context can be made.
    bool Create(int width, int height, int bitsPerPixel);
    bool IsReady() const { return m_ready; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsMainThread() const;
    // GL never loses its device; kept for the main loop's check.
    bool IsLost() const { return false; }

    // ---- Frame
    void Clear(uint32_t colorWord, bool clearDepth = true);
    void BeginScene();
    void EndScene();
    // Draws what is batched, shows the frame and frees GPU objects released by other threads.
    void Present();

    // ---- Transforms and states
    void SetTransform(QuorelTransform which, const Matrix4& matrix);
    const Matrix4& GetTransform(QuorelTransform which) const;
    void GetTransform(QuorelTransform which, Matrix4& out) const { out = GetTransform(which); }
    void SetCullMode(QuorelCull mode);
    QuorelCull GetCullMode() const { return m_cull; }
    void SetDepthTest(bool enable);
    void SetDepthWrite(bool enable);
    void SetAlphaBlend(bool enable);
    // Stage 0 is the base texture, stage 1 the lightmap; null unbinds.
    void SetTexture(int stage, CQuorelTexture* texture);
    // Stage 0 shows the texture colour alone, unlit (the scoreboard faces).
    void SetTextureUnlit(bool unlit);
    bool TextureUnlit() const { return m_textureUnlit; }
    void SetMaterial(const QuorelMaterial& material);
    // Bone palette for skinned meshes; 0 draws meshes rigidly. At most kMaxBones.
    void SetBoneMatrices(const Matrix4* bones, int count);
    static constexpr int kMaxBones = 64;

    // ---- Effects: built-in programs by the names the game asks for
    CQuorelEffect* GetEffect(const char* name) const;
    bool HasEffect(const char* name) const { return GetEffect(name) != nullptr; }

    // ---- 3D drawing with the current transforms, states, lights (CQuorelLights) and textures.
    // A null effect draws with "Default".
    void DrawMesh(CQuorelMesh& mesh, CQuorelEffect* effect, int firstIndex = 0, int indexCount = -1);

    // ---- 2D: pre-transformed quads in screen pixels (0,0 top-left), batched until a state change
    void DrawQuad2D(CQuorelTexture* texture, float x, float y, float width, float height, float u0, float v0,
                    float u1, float v1, uint32_t colorWord);
    void FillRect(const QuorelRect& rect, uint32_t colorWord);
    void DrawRectOutline(const QuorelRect& rect, uint32_t colorWord, int thickness = 1);
    // Clip rectangles nest: each push intersects with the one before (scrolling lists).
    void PushClipRect(const QuorelRect& rect);
    void PopClipRect();
    // The clip in force; false when nothing clips.
    bool GetClipRect(QuorelRect& out) const;
    void Flush2D();

    // ---- Render to texture
    // A new target of that size (main thread), or null. The caller owns it.
    CQuorelRenderTarget* CreateRenderTarget(int width, int height);
    // Draws into the target until EndRenderTarget; 2D coordinates of the source rectangle (the screen
    // area to capture; by default the target's own size from 0,0) fill the target.
    bool BeginRenderTarget(CQuorelRenderTarget* target, const QuorelRect* source = nullptr);
    void EndRenderTarget();

    // ---- Fonts: one per face, size and weight, owned by the device
    CQuorelFont* GetFont(const char* face, int size, int weight);

    // ---- Reading back (tests, screenshots): RGBA rows from the top of the current target.
    bool ReadPixels(int x, int y, int width, int height, std::vector<uint8_t>& rgba);
    bool SaveScreenshot(const char* gamePath);

    // Draw calls issued in the last presented frame.
    int DrawCallsLastFrame() const { return m_drawCallsLastFrame; }

    // GPU objects released off the main thread wait here until Present.
    void DeferDelete(uint32_t texture, uint32_t buffer, uint32_t vertexArray);
    void CountDrawCall() { ++m_drawCalls; }

private:
    void ApplyViewport();
    // The group of the batch a quad of that texture and target-pixel rectangle is drawn with.
    QuadGroup& GroupFor(uint32_t texture, bool oneToOne, bool opaque, float x0, float y0, float x1, float y1,
                        float targetWidth, float targetHeight);

    bool m_ready = false;
    int m_width = 0, m_height = 0;
    std::thread::id m_mainThread;
    Matrix4 m_transforms[3];
    QuorelCull m_cull = kCullCCW;
    bool m_textureUnlit = false;
    QuorelMaterial m_material;
    std::vector<Matrix4> m_bones;
    CQuorelTexture* m_textures[2] = {nullptr, nullptr};
    std::vector<QuorelRect> m_clipStack;
    CQuorelRenderTarget* m_target = nullptr;
    QuorelRect m_targetSource;
    std::map<std::string, std::unique_ptr<CQuorelEffect>> m_effects;
    std::mutex m_fontMutex;
    std::map<std::string, std::unique_ptr<CQuorelFont>> m_fonts;
    std::mutex m_deferMutex;
    std::vector<uint32_t> m_deferTextures, m_deferBuffers, m_deferArrays;
    int m_drawCalls = 0;
    int m_drawCallsLastFrame = 0;
    std::unique_ptr<DeviceGpuState> m_gpu;
};

extern CQuorelDevice* g_pQuorelDevice;

// Changes every time a device context is made; 0 while none exists. GPU names made under another
// generation are gone and must be made again.
uint32_t DeviceGeneration();
// Frees a GPU object made under the generation: at once on the main thread, after the next Present
// elsewhere, not at all once that context is gone.
void ReleaseGpuTexture(uint32_t texture, uint32_t generation);
void ReleaseGpuMesh(uint32_t vertexArray, uint32_t vertexBuffer, uint32_t indexBuffer, uint32_t generation);
