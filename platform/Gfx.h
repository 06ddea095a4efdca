// A thin OpenGL 3.3 core layer for the engine device: textures, meshes, shader programs, render
// targets, a 2D quad stream and read-back. Main thread only. Matrices are 16 floats, row-major, for
// row vectors, exactly as the engine keeps them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Builds the 2D program and the white texture; needs a current context.
bool GfxInit(char* error, int errorSize);
void GfxShutdown();
// "OpenGL 3.3 (Core Profile) Mesa ..." of the current context.
const char* GfxVersionText();
bool GfxIsCoreProfile();

// ---- Textures (RGBA, rows from the top so texture coordinate v = 0 is the image's top edge)
uint32_t GfxCreateTexture(int width, int height, const uint8_t* rgba);
// Replaces the pixels of a texture of the same size in place (batched draws keep the name).
void GfxUpdateTexture(uint32_t texture, int width, int height, const uint8_t* rgba);
void GfxDeleteTexture(uint32_t texture);

// ---- Meshes: interleaved vertices described by byte offsets (-1 for an absent stream)
struct GfxVertexLayout {
    int stride = 0;
    int position = -1, normal = -1, uv0 = -1, uv1 = -1, boneWeights = -1, boneIndices = -1;
};
// Creates or refills the buffers in place.
bool GfxUploadMesh(const void* vertices, size_t vertexBytes, const GfxVertexLayout& layout,
                   const uint32_t* indices, size_t indexCount, uint32_t& vertexArray, uint32_t& vertexBuffer,
                   uint32_t& indexBuffer);
void GfxDeleteBuffer(uint32_t buffer);
void GfxDeleteVertexArray(uint32_t vertexArray);

// ---- Lit mesh programs
enum GfxShading { kGfxUnlit = 0, kGfxDiffuse = 1, kGfxSpecular = 2 };
uint32_t GfxCreateMeshProgram(GfxShading shading, char* error, int errorSize);
void GfxDeleteProgram(uint32_t program);

constexpr int kGfxMaxLights = 4;
constexpr int kGfxMaxBones = 64;
struct GfxMeshUniforms {
    float world[16] = {};
    float viewProjection[16] = {};
    float eye[3] = {};
    const float* bones = nullptr; // boneCount matrices of 16 floats
    int boneCount = 0;
    float diffuse[4] = {1, 1, 1, 1};
    float ambient[4] = {1, 1, 1, 1};
    float specular[4] = {};
    float emissive[4] = {};
    float power = 0.0f;
    float sceneAmbient[3] = {};
    int lightCount = 0;
    int lightType[kGfxMaxLights] = {};
    float lightDiffuse[kGfxMaxLights][4] = {};
    float lightSpecular[kGfxMaxLights][4] = {};
    float lightAmbient[kGfxMaxLights][4] = {};
    float lightPosition[kGfxMaxLights][3] = {};
    float lightDirection[kGfxMaxLights][3] = {};
    float lightAttenuation[kGfxMaxLights][3] = {};
    float lightRange[kGfxMaxLights] = {};
    uint32_t texture0 = 0; // 0: no base texture
    uint32_t texture1 = 0; // 0: no lightmap
    bool unlitTexture = false;
    // Every triangle drawn has one normal and one skin at its three corners (box-built models), so
    // directional light is the same all over it and is worked out per corner instead of per pixel.
    bool flatTriangles = false;
};
void GfxDrawMesh(uint32_t program, const GfxMeshUniforms& uniforms, uint32_t vertexArray, int firstIndex,
                 int indexCount);

// ---- States
enum GfxCull { kGfxCullNone = 0, kGfxCullClockwise = 1, kGfxCullCounterClockwise = 2 };
// Culls faces by their winding in window space.
void GfxSetCull(GfxCull cull);
void GfxSetDepth(bool test, bool write);
void GfxSetBlend(bool enable);
void GfxViewport(int x, int y, int width, int height);
void GfxClear(float r, float g, float b, float a, bool colour, bool depth);

// ---- 2D quads: vertices in target pixels (0,0 top-left), drawn as triangles with straight alpha.
// A triangle takes its colour from its last vertex, whole: the quads are of one colour each.
// Each span of the stream uses at most one texture: a vertex's unit 0 is plain colour, 1 the span's
// texture (0 there: white). A software rasteriser runs every branch of a per-pixel texture choice, so
// a draw that mixed several textures would pay for all of them on every pixel; the spans instead
// share one upload and differ only in the texture bound.
constexpr int kGfx2DUnits = 2;
struct Gfx2DVertex {
    float x = 0, y = 0, u = 0, v = 0;
    uint8_t r = 255, g = 255, b = 255, a = 255;
    float unit = 0;
};
struct Gfx2DSpan {
    int first = 0, count = 0;
    uint32_t texture = 0;
    // Every textured quad of the span shows its texels one to one on whole pixels (text, images at
    // their own size): the nearest texel is then the filtered colour, read at a quarter of the cost.
    bool oneToOne = true;
    // Every pixel of the span comes out at full alpha (fills, and textures without a translucent
    // texel, of a colour of full alpha): blending would give its colour unchanged.
    bool opaque = false;
};
// Draws the spans in order; flipY draws into a render target so its texture's rows keep top-first
// order. Returns the number of draw calls issued.
int GfxDraw2D(const Gfx2DVertex* vertices, int vertexCount, const Gfx2DSpan* spans, int spanCount,
              float targetWidth, float targetHeight, bool flipY);

// ---- Render targets
bool GfxCreateRenderTarget(int width, int height, uint32_t& framebuffer, uint32_t& colour, uint32_t& depth);
void GfxDeleteRenderTarget(uint32_t framebuffer, uint32_t colour, uint32_t depth);
void GfxBindFramebuffer(uint32_t framebuffer);

// ---- Read-back: rows from the top of the image. Framebuffer 0 is stored bottom-up, targets top-down.
bool GfxReadPixels(int x, int y, int width, int height, int framebufferHeight, bool storedBottomUp,
                   std::vector<uint8_t>& rgba);
