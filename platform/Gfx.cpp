// OpenGL 3.3 core through libepoxy: the few objects and states the engine device needs.
#include "platform/Gfx.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <epoxy/gl.h>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Uniform locations of a mesh program, looked up once.
struct MeshLocations {
    GLint world = -1, viewProjection = -1, boneCount = -1, bones = -1, diffuse = -1, ambient = -1,
          specular = -1, emissive = -1, power = -1, sceneAmbient = -1, eye = -1, lightCount = -1,
          lightType = -1, lightDiffuse = -1, lightSpecular = -1, lightAmbient = -1, lightPosition = -1,
          lightDirection = -1, lightAttenuation = -1, lightRange = -1;
};

// A mesh program as the device knows it (named by its full variant) and the variants built so far.
constexpr int kMeshVariantSlots = 96; // every combination of MeshVariantBits below
struct MeshProgram {
    GfxShading shading = kGfxDiffuse;
    GLuint variants[kMeshVariantSlots] = {};
    bool failed[kMeshVariantSlots] = {};
};

struct GfxState {
    std::unordered_map<GLuint, MeshLocations> meshLocations;
    std::unordered_map<GLuint, MeshProgram> meshPrograms;
    GLuint program2D = 0, program2DFill = 0;
    GLint loc2DTexture = -1, loc2DScale = -1, loc2DFillScale = -1;
    GLuint vao2D = 0, vbo2D = 0;
    GLuint white = 0;
    size_t vbo2DCapacity = 0;
    // Screen quads read the top level only: samplers without mipmaps spare the rasteriser the
    // level choice per pixel. Render targets clamp at their edges, other textures repeat.
    GLuint sampler2DRepeat = 0, sampler2DClamp = 0, sampler2DExactRepeat = 0, sampler2DExactClamp = 0;
    std::unordered_set<GLuint> targetTextures;
};

GfxState& State() {
    static GfxState state;
    return state;
}

GLuint CompileShader(GLenum type, const char* source, std::string& log) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char text[2048] = {};
        glGetShaderInfoLog(shader, sizeof text, nullptr, text);
        log = text;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint LinkProgram(const char* vertexSource, const char* fragmentSource, char* error, int errorSize) {
    std::string log;
    GLuint vs = CompileShader(GL_VERTEX_SHADER, vertexSource, log);
    GLuint fs = vs ? CompileShader(GL_FRAGMENT_SHADER, fragmentSource, log) : 0;
    if (!vs || !fs) {
        if (vs)
            glDeleteShader(vs);
        if (error && errorSize > 0)
            std::snprintf(error, static_cast<size_t>(errorSize), "shader: %s", log.c_str());
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glBindAttribLocation(program, 0, "a_position");
    glBindAttribLocation(program, 1, "a_normal");
    glBindAttribLocation(program, 2, "a_uv0");
    glBindAttribLocation(program, 3, "a_uv1");
    glBindAttribLocation(program, 4, "a_weights");
    glBindAttribLocation(program, 5, "a_bones");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char text[2048] = {};
        glGetProgramInfoLog(program, sizeof text, nullptr, text);
        if (error && errorSize > 0)
            std::snprintf(error, static_cast<size_t>(errorSize), "link: %s", text);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

const char* k2DVertex = R"(#version 330 core
layout(location = 0) in vec2 a_pos;
layout(location = 1) in vec2 a_uv;
layout(location = 2) in vec4 a_colour;
layout(location = 3) in float a_unit;
uniform vec3 u_scale; // 2/width, 2/height (signed), y offset
out vec2 v_uv;
flat out vec4 v_colour; // a quad has one colour: taken whole, not interpolated per pixel
flat out int v_unit;
void main() {
    gl_Position = vec4(a_pos.x * u_scale.x - 1.0, a_pos.y * u_scale.y + u_scale.z, 0.0, 1.0);
    v_uv = a_uv;
    v_colour = a_colour;
    v_unit = int(a_unit + 0.5);
}
)";

const char* k2DFragment = R"(#version 330 core
in vec2 v_uv;
flat in vec4 v_colour;
flat in int v_unit;
uniform sampler2D u_texture;
out vec4 o_colour;
// Screen quads show images at their own size, so the top level is read directly (the sampler has no
// mipmaps). Plain fills share the call with the texture's quads and take the vertex colour alone.
void main() {
    vec4 texel = texture(u_texture, v_uv);
    o_colour = (v_unit == 0 ? vec4(1.0) : texel) * v_colour;
}
)";

// Fixed-function style lighting: emissive + ambient + per-light diffuse (and specular), times the
// base texture and the lightmap. Bones, when given, skin the vertex before the world matrix.
// Plain fills alone need no texture read.
const char* k2DFillFragment = R"(#version 330 core
flat in vec4 v_colour;
out vec4 o_colour;
void main() { o_colour = v_colour; }
)";

// Shares the variant's header with the fragment shader (see MeshVariantBits).
const char* kMeshVertex = R"(
in vec3 a_position;
in vec3 a_normal;
in vec2 a_uv0;
in vec2 a_uv1;
in vec4 a_weights;
in vec4 a_bones;
uniform mat4 u_world;
uniform mat4 u_viewProjection;
uniform mat4 u_bones[64];
uniform int u_boneCount;
out vec3 v_worldPos;
out vec3 v_normal;
out vec2 v_uv0;
out vec2 v_uv1;
#if VERTEX_LIT
uniform vec4 u_diffuse;
uniform vec4 u_ambient;
uniform vec4 u_emissive;
uniform vec3 u_sceneAmbient;
uniform vec4 u_lightDiffuse[4];
uniform vec4 u_lightAmbient[4];
uniform vec3 u_lightDirection[4];
out vec3 v_lit;
#endif
void main() {
    vec4 pos = vec4(a_position, 1.0);
    vec3 normal = a_normal;
    if (u_boneCount > 0) {
        vec4 skinned = vec4(0.0);
        vec3 skinnedNormal = vec3(0.0);
        float total = 0.0;
        for (int i = 0; i < 4; ++i) {
            float w = a_weights[i];
            if (w <= 0.0)
                continue;
            int b = int(a_bones[i] + 0.5);
            if (b >= u_boneCount)
                continue;
            skinned += w * (u_bones[b] * pos);
            skinnedNormal += w * (mat3(u_bones[b]) * normal);
            total += w;
        }
        if (total > 0.0) {
            pos = vec4(skinned.xyz / total, 1.0);
            normal = skinnedNormal;
        }
    }
    vec4 world = u_world * pos;
    v_worldPos = world.xyz;
    v_normal = mat3(u_world) * normal;
    v_uv0 = a_uv0;
    v_uv1 = a_uv1;
    gl_Position = u_viewProjection * world;
#if VERTEX_LIT
    // The fragment shader's directional diffuse term, term for term: with one normal over the
    // triangle every pixel would get this same value.
    vec3 n = normalize(v_normal);
    vec3 lit = u_emissive.rgb + u_ambient.rgb * u_sceneAmbient;
    for (int i = 0; i < LIGHT_COUNT; ++i) {
        vec3 toLight = -normalize(u_lightDirection[i]);
        float nl = max(dot(n, toLight), 0.0);
        lit += u_lightAmbient[i].rgb * u_ambient.rgb + u_lightDiffuse[i].rgb * u_diffuse.rgb * nl;
    }
    v_lit = lit;
#endif
}
)";

// The features a draw needs are fixed when its program variant is built (see MeshVariantBits): a
// software rasteriser runs every branch of a per-pixel choice, so branches on uniforms would cost
// every pixel the unlit path, point lights, highlights and the lightmap whether used or not. A
// missing texture reads as the white texture, which multiplies by one.
const char* kMeshFragment = R"(
in vec3 v_worldPos;
in vec3 v_normal;
in vec2 v_uv0;
in vec2 v_uv1;
#if VERTEX_LIT
in vec3 v_lit;
#endif
uniform vec4 u_diffuse;
uniform vec4 u_ambient;
uniform vec4 u_specular;
uniform vec4 u_emissive;
uniform float u_power;
uniform vec3 u_sceneAmbient;
uniform vec3 u_eye;
uniform int u_lightCount;
uniform int u_lightType[4];
uniform vec4 u_lightDiffuse[4];
uniform vec4 u_lightSpecular[4];
uniform vec4 u_lightAmbient[4];
uniform vec3 u_lightPosition[4];
uniform vec3 u_lightDirection[4];
uniform vec3 u_lightAttenuation[4];
uniform float u_lightRange[4];
uniform sampler2D u_texture0;
uniform sampler2D u_texture1;
out vec4 o_colour;
void main() {
    vec4 base = texture(u_texture0, v_uv0);
#if UNLIT_TEXTURE
    o_colour = base;
#else
    vec3 colour;
    vec3 highlight = vec3(0.0);
#if SHADING == 0
    colour = u_diffuse.rgb;
#elif VERTEX_LIT
    colour = v_lit;
#else
    vec3 n = normalize(v_normal);
    vec3 lit = u_emissive.rgb + u_ambient.rgb * u_sceneAmbient;
#if LIGHT_COUNT < 0
    for (int i = 0; i < u_lightCount; ++i) {
#else
    for (int i = 0; i < LIGHT_COUNT; ++i) {
#endif
        vec3 toLight;
        float atten = 1.0;
#if DIRECTIONAL_ONLY
        toLight = -normalize(u_lightDirection[i]);
#else
        if (u_lightType[i] == 0) {
            toLight = -normalize(u_lightDirection[i]);
        } else {
            vec3 d = u_lightPosition[i] - v_worldPos;
            float dist = length(d);
            if (dist > u_lightRange[i])
                continue;
            toLight = d / max(dist, 1e-5);
            vec3 a = u_lightAttenuation[i];
            atten = 1.0 / max(a.x + a.y * dist + a.z * dist * dist, 1e-5);
        }
#endif
        float nl = max(dot(n, toLight), 0.0);
        lit += atten * (u_lightAmbient[i].rgb * u_ambient.rgb + u_lightDiffuse[i].rgb * u_diffuse.rgb * nl);
#if SHADING == 2
        if (nl > 0.0 && u_power > 0.0) {
            vec3 h = normalize(toLight + normalize(u_eye - v_worldPos));
            highlight += atten * u_lightSpecular[i].rgb * u_specular.rgb * pow(max(dot(n, h), 0.0), u_power);
        }
#endif
    }
    colour = lit;
#endif
    vec3 rgb = colour * base.rgb;
#if LIGHTMAP
    rgb *= texture(u_texture1, v_uv1).rgb;
#endif
    o_colour = vec4(clamp(rgb + highlight, 0.0, 1.0), u_diffuse.a * base.a);
#endif
}
)";

// Bits of a mesh program variant: which of the optional paths its fragment shader keeps.
// Above the three bits, the number of lights plus one when it is built in (a loop of known length
// unrolls); 0 reads it from u_lightCount.
enum MeshVariantBits {
    kVariantPointLights = 1, // some light is not directional
    kVariantLightmap = 2,    // a second texture multiplies the colour
    kVariantUnlit = 4,       // the base texture alone
    kVariantVertexLit = 8,   // flat triangles under directional diffuse light: lit per corner
    kVariantLightShift = 4,
    kMeshVariantCount = (kGfxMaxLights + 2) << kVariantLightShift,
};
// The variant that handles every draw; made with the program so a shader fault shows at once.
constexpr int kFullVariant = kVariantPointLights | kVariantLightmap;
static_assert(kMeshVariantCount == kMeshVariantSlots);

} // namespace

bool GfxInit(char* error, int errorSize) {
    GfxState& s = State();
    if (s.program2D)
        return true;
    s.program2D = LinkProgram(k2DVertex, k2DFragment, error, errorSize);
    if (!s.program2D)
        return false;
    s.loc2DTexture = glGetUniformLocation(s.program2D, "u_texture");
    s.loc2DScale = glGetUniformLocation(s.program2D, "u_scale");
    s.program2DFill = LinkProgram(k2DVertex, k2DFillFragment, error, errorSize);
    if (!s.program2DFill)
        return false;
    s.loc2DFillScale = glGetUniformLocation(s.program2DFill, "u_scale");
    glGenVertexArrays(1, &s.vao2D);
    glGenBuffers(1, &s.vbo2D);
    glBindVertexArray(s.vao2D);
    glBindBuffer(GL_ARRAY_BUFFER, s.vbo2D);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Gfx2DVertex), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Gfx2DVertex),
                          reinterpret_cast<void*>(offsetof(Gfx2DVertex, u)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Gfx2DVertex),
                          reinterpret_cast<void*>(offsetof(Gfx2DVertex, r)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 1, GL_FLOAT, GL_FALSE, sizeof(Gfx2DVertex),
                          reinterpret_cast<void*>(offsetof(Gfx2DVertex, unit)));
    glBindVertexArray(0);
    const uint8_t white[4] = {255, 255, 255, 255};
    s.white = GfxCreateTexture(1, 1, white);
    for (GLuint* sampler :
         {&s.sampler2DRepeat, &s.sampler2DClamp, &s.sampler2DExactRepeat, &s.sampler2DExactClamp}) {
        const GLint wrap = sampler == &s.sampler2DRepeat || sampler == &s.sampler2DExactRepeat
                               ? GL_REPEAT
                               : GL_CLAMP_TO_EDGE;
        const GLint filter =
            sampler == &s.sampler2DExactRepeat || sampler == &s.sampler2DExactClamp ? GL_NEAREST : GL_LINEAR;
        glGenSamplers(1, sampler);
        glSamplerParameteri(*sampler, GL_TEXTURE_MIN_FILTER, filter);
        glSamplerParameteri(*sampler, GL_TEXTURE_MAG_FILTER, filter);
        glSamplerParameteri(*sampler, GL_TEXTURE_WRAP_S, wrap);
        glSamplerParameteri(*sampler, GL_TEXTURE_WRAP_T, wrap);
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    return true;
}

void GfxShutdown() {
    GfxState& s = State();
    if (s.program2D)
        glDeleteProgram(s.program2D);
    if (s.program2DFill)
        glDeleteProgram(s.program2DFill);
    if (s.vbo2D)
        glDeleteBuffers(1, &s.vbo2D);
    if (s.vao2D)
        glDeleteVertexArrays(1, &s.vao2D);
    if (s.white)
        glDeleteTextures(1, &s.white);
    for (GLuint sampler :
         {s.sampler2DRepeat, s.sampler2DClamp, s.sampler2DExactRepeat, s.sampler2DExactClamp})
        if (sampler)
            glDeleteSamplers(1, &sampler);
    s = GfxState();
}

const char* GfxVersionText() {
    const GLubyte* text = glGetString(GL_VERSION);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool GfxIsCoreProfile() {
    GLint mask = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
    return (mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0 && epoxy_gl_version() >= 33;
}

uint32_t GfxCreateTexture(int width, int height, const uint8_t* rgba) {
    if (width <= 0 || height <= 0)
        return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // Mipmaps keep distant court and crowd textures from shimmering; screen quads read level 0.
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return texture;
}

void GfxUpdateTexture(uint32_t texture, int width, int height, const uint8_t* rgba) {
    if (!texture || width <= 0 || height <= 0)
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glGenerateMipmap(GL_TEXTURE_2D);
}

void GfxDeleteTexture(uint32_t texture) {
    if (!texture)
        return;
    State().targetTextures.erase(texture); // the name may come back for an ordinary texture
    glDeleteTextures(1, &texture);
}

bool GfxUploadMesh(const void* vertices, size_t vertexBytes, const GfxVertexLayout& layout,
                   const uint32_t* indices, size_t indexCount, uint32_t& vertexArray, uint32_t& vertexBuffer,
                   uint32_t& indexBuffer) {
    if (!vertexArray)
        glGenVertexArrays(1, &vertexArray);
    if (!vertexBuffer)
        glGenBuffers(1, &vertexBuffer);
    if (!indexBuffer)
        glGenBuffers(1, &indexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexBytes), vertices, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexCount * sizeof(uint32_t)), indices,
                 GL_STATIC_DRAW);
    auto attrib = [&](GLuint index, int offset, GLint size, GLenum type, GLboolean normalised) {
        if (offset < 0) {
            glDisableVertexAttribArray(index);
            glVertexAttrib4f(index, 0, 0, 0, 0);
            return;
        }
        glEnableVertexAttribArray(index);
        glVertexAttribPointer(index, size, type, normalised, layout.stride,
                              reinterpret_cast<void*>(static_cast<uintptr_t>(offset)));
    };
    attrib(0, layout.position, 3, GL_FLOAT, GL_FALSE);
    attrib(1, layout.normal, 3, GL_FLOAT, GL_FALSE);
    attrib(2, layout.uv0, 2, GL_FLOAT, GL_FALSE);
    attrib(3, layout.uv1, 2, GL_FLOAT, GL_FALSE);
    attrib(4, layout.boneWeights, 4, GL_FLOAT, GL_FALSE);
    attrib(5, layout.boneIndices, 4, GL_UNSIGNED_BYTE, GL_FALSE);
    glBindVertexArray(0);
    return glGetError() == GL_NO_ERROR;
}

void GfxDeleteBuffer(uint32_t buffer) {
    if (buffer)
        glDeleteBuffers(1, &buffer);
}

void GfxDeleteVertexArray(uint32_t vertexArray) {
    if (vertexArray)
        glDeleteVertexArrays(1, &vertexArray);
}

namespace {

GLuint BuildMeshVariant(GfxShading shading, int variant, char* error, int errorSize) {
    std::string header = "#version 330 core\n#define SHADING " + std::to_string(static_cast<int>(shading)) +
                         "\n#define DIRECTIONAL_ONLY " + ((variant & kVariantPointLights) ? "0" : "1") +
                         "\n#define LIGHTMAP " + ((variant & kVariantLightmap) ? "1" : "0") +
                         "\n#define UNLIT_TEXTURE " + ((variant & kVariantUnlit) ? "1" : "0") +
                         "\n#define VERTEX_LIT " + ((variant & kVariantVertexLit) ? "1" : "0") +
                         "\n#define LIGHT_COUNT " + std::to_string((variant >> kVariantLightShift) - 1) +
                         "\n";
    const std::string vertex = header + kMeshVertex;
    const std::string fragment = header + kMeshFragment;
    GLuint program = LinkProgram(vertex.c_str(), fragment.c_str(), error, errorSize);
    if (!program)
        return 0;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "u_texture0"), 0);
    glUniform1i(glGetUniformLocation(program, "u_texture1"), 1);
    glUseProgram(0);
    auto loc = [program](const char* name) { return glGetUniformLocation(program, name); };
    MeshLocations l;
    l.world = loc("u_world");
    l.viewProjection = loc("u_viewProjection");
    l.boneCount = loc("u_boneCount");
    l.bones = loc("u_bones");
    l.diffuse = loc("u_diffuse");
    l.ambient = loc("u_ambient");
    l.specular = loc("u_specular");
    l.emissive = loc("u_emissive");
    l.power = loc("u_power");
    l.sceneAmbient = loc("u_sceneAmbient");
    l.eye = loc("u_eye");
    l.lightCount = loc("u_lightCount");
    l.lightType = loc("u_lightType");
    l.lightDiffuse = loc("u_lightDiffuse");
    l.lightSpecular = loc("u_lightSpecular");
    l.lightAmbient = loc("u_lightAmbient");
    l.lightPosition = loc("u_lightPosition");
    l.lightDirection = loc("u_lightDirection");
    l.lightAttenuation = loc("u_lightAttenuation");
    l.lightRange = loc("u_lightRange");
    State().meshLocations[program] = l;
    return program;
}

// The variant of the program that a draw with these uniforms needs, built at its first use; the
// full variant when that one cannot be built.
GLuint MeshVariantFor(GLuint program, MeshProgram& mesh, const GfxMeshUniforms& u) {
    int variant = 0;
    if (u.unlitTexture) {
        variant = kVariantUnlit;
    } else {
        if (u.texture1)
            variant |= kVariantLightmap;
        const int lights = std::clamp(u.lightCount, 0, kGfxMaxLights);
        for (int i = 0; i < lights; ++i)
            if (u.lightType[i] != 0)
                variant |= kVariantPointLights;
        // Highlights and point lights change across a triangle; plain directional diffuse does not.
        if (u.flatTriangles && mesh.shading == kGfxDiffuse && !(variant & kVariantPointLights))
            variant |= kVariantVertexLit;
        variant |= (lights + 1) << kVariantLightShift;
    }
    if (!mesh.variants[variant] && !mesh.failed[variant]) {
        char error[512] = {};
        mesh.variants[variant] = BuildMeshVariant(mesh.shading, variant, error, sizeof error);
        mesh.failed[variant] = mesh.variants[variant] == 0;
        if (mesh.failed[variant])
            std::fprintf(stderr, "mesh program variant %d: %s\n", variant, error);
    }
    return mesh.variants[variant] ? mesh.variants[variant] : program;
}

} // namespace

uint32_t GfxCreateMeshProgram(GfxShading shading, char* error, int errorSize) {
    GLuint program = BuildMeshVariant(shading, kFullVariant, error, errorSize);
    if (!program)
        return 0;
    MeshProgram mesh;
    mesh.shading = shading;
    mesh.variants[kFullVariant] = program;
    State().meshPrograms[program] = mesh;
    return program;
}

void GfxDeleteProgram(uint32_t program) {
    if (!program)
        return;
    GfxState& s = State();
    auto found = s.meshPrograms.find(program);
    if (found != s.meshPrograms.end()) {
        for (GLuint variant : found->second.variants)
            if (variant && variant != program) {
                s.meshLocations.erase(variant);
                glDeleteProgram(variant);
            }
        s.meshPrograms.erase(found);
    }
    s.meshLocations.erase(program);
    glDeleteProgram(program);
}

void GfxDrawMesh(uint32_t program, const GfxMeshUniforms& u, uint32_t vertexArray, int firstIndex,
                 int indexCount) {
    if (!program || !vertexArray || indexCount <= 0)
        return;
    auto mesh = State().meshPrograms.find(program);
    if (mesh != State().meshPrograms.end())
        program = MeshVariantFor(program, mesh->second, u);
    auto found = State().meshLocations.find(program);
    if (found == State().meshLocations.end())
        return;
    const MeshLocations& l = found->second;
    glUseProgram(program);
    glUniformMatrix4fv(l.world, 1, GL_FALSE, u.world);
    glUniformMatrix4fv(l.viewProjection, 1, GL_FALSE, u.viewProjection);
    int bones = u.bones ? (u.boneCount < kGfxMaxBones ? u.boneCount : kGfxMaxBones) : 0;
    glUniform1i(l.boneCount, bones);
    if (bones > 0)
        glUniformMatrix4fv(l.bones, bones, GL_FALSE, u.bones);
    glUniform4fv(l.diffuse, 1, u.diffuse);
    glUniform4fv(l.ambient, 1, u.ambient);
    glUniform4fv(l.specular, 1, u.specular);
    glUniform4fv(l.emissive, 1, u.emissive);
    glUniform1f(l.power, u.power);
    glUniform3fv(l.sceneAmbient, 1, u.sceneAmbient);
    glUniform3fv(l.eye, 1, u.eye);
    int lights = u.lightCount < kGfxMaxLights ? u.lightCount : kGfxMaxLights;
    glUniform1i(l.lightCount, lights);
    if (lights > 0) {
        glUniform1iv(l.lightType, lights, u.lightType);
        glUniform4fv(l.lightDiffuse, lights, &u.lightDiffuse[0][0]);
        glUniform4fv(l.lightSpecular, lights, &u.lightSpecular[0][0]);
        glUniform4fv(l.lightAmbient, lights, &u.lightAmbient[0][0]);
        glUniform3fv(l.lightPosition, lights, &u.lightPosition[0][0]);
        glUniform3fv(l.lightDirection, lights, &u.lightDirection[0][0]);
        glUniform3fv(l.lightAttenuation, lights, &u.lightAttenuation[0][0]);
        glUniform1fv(l.lightRange, lights, u.lightRange);
    }
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, u.texture1 ? u.texture1 : State().white);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, u.texture0 ? u.texture0 : State().white);
    glBindVertexArray(vertexArray);
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(static_cast<uintptr_t>(firstIndex) * sizeof(uint32_t)));
    glBindVertexArray(0);
}

void GfxSetCull(GfxCull cull) {
    if (cull == kGfxCullNone) {
        glDisable(GL_CULL_FACE);
        return;
    }
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    // The front face is the winding that stays.
    glFrontFace(cull == kGfxCullClockwise ? GL_CCW : GL_CW);
}

void GfxSetDepth(bool test, bool write) {
    if (test)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(write ? GL_TRUE : GL_FALSE);
}

void GfxSetBlend(bool enable) {
    if (enable) {
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}

void GfxViewport(int x, int y, int width, int height) {
    glViewport(x, y, width, height);
}

void GfxClear(float r, float g, float b, float a, bool colour, bool depth) {
    GLbitfield mask = 0;
    if (colour) {
        glClearColor(r, g, b, a);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (depth) {
        glDepthMask(GL_TRUE);
        glClearDepth(1.0);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask)
        glClear(mask);
}

namespace {

// A stretch of the 2D stream drawn by one program.
struct Run2D {
    int first = 0, count = 0;
    bool plain = false;
};

// Consecutive plain fills covering at least this many pixels are drawn apart from the texture's
// quads, so their pixels skip the texture read; smaller ones are not worth a draw of their own.
constexpr float kPlainRunPixels = 4096.0f;

// Splits a span into runs in drawing order: plain-fill quads apart where they cover enough pixels,
// everything else with the texture. Quads are six vertices; any other stream is one run.
void SplitRuns(const Gfx2DVertex* vertices, int begin, int end, bool textured, std::vector<Run2D>& runs) {
    const size_t start = runs.size();
    const int vertexCount = end - begin;
    if (!textured || vertexCount % 6 != 0) {
        runs.push_back({begin, vertexCount, !textured});
        return;
    }
    // A plain run too small to stand alone joins the textured runs around it.
    auto mergeSmallPlain = [&](float plainPixels) {
        if (runs.size() > start && runs.back().plain && plainPixels < kPlainRunPixels) {
            runs.back().plain = false;
            if (runs.size() > start + 1) {
                runs[runs.size() - 2].count += runs.back().count;
                runs.pop_back();
            }
        }
    };
    float plainPixels = 0.0f;
    for (int first = begin; first < end; first += 6) {
        const Gfx2DVertex* q = vertices + first;
        bool plain = true;
        for (int k = 0; k < 6; ++k)
            plain = plain && q[k].unit < 0.5f;
        if (runs.size() == start || runs.back().plain != plain) {
            mergeSmallPlain(plainPixels);
            if (runs.size() == start || runs.back().plain || plain)
                runs.push_back({first, 0, plain});
            plainPixels = 0.0f;
        }
        runs.back().count += 6;
        if (plain)
            plainPixels += std::abs((q[2].x - q[0].x) * (q[2].y - q[0].y));
    }
    mergeSmallPlain(plainPixels);
}

} // namespace

int GfxDraw2D(const Gfx2DVertex* vertices, int vertexCount, const Gfx2DSpan* spans, int spanCount,
              float targetWidth, float targetHeight, bool flipY) {
    GfxState& s = State();
    if (!s.program2D || vertexCount <= 0 || spanCount <= 0 || targetWidth <= 0 || targetHeight <= 0)
        return 0;
    const float scaleY = flipY ? 2.0f / targetHeight : -2.0f / targetHeight;
    const float offsetY = flipY ? -1.0f : 1.0f;
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(s.vao2D);
    glBindBuffer(GL_ARRAY_BUFFER, s.vbo2D);
    size_t bytes = static_cast<size_t>(vertexCount) * sizeof(Gfx2DVertex);
    if (bytes > s.vbo2DCapacity)
        s.vbo2DCapacity = bytes * 2;
    // One upload for every span. Orphan the old storage so the driver need not wait for the
    // previous batch.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(s.vbo2DCapacity), nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), vertices);
    static std::vector<Run2D> runs; // main thread only; kept to spare the allocation
    GLuint currentProgram = 0;
    bool scaleSet2D = false, scaleSetFill = false;
    uint32_t boundTexture = ~0u;
    GLuint boundSampler = ~0u;
    bool blending = true; // the caller's state
    int draws = 0;
    for (int i = 0; i < spanCount; ++i) {
        const Gfx2DSpan& span = spans[i];
        const int end = std::min(span.first + span.count, vertexCount);
        if (span.first < 0 || span.first >= end)
            continue;
        runs.clear();
        SplitRuns(vertices, span.first, end, span.texture != 0, runs);
        for (const Run2D& run : runs) {
            GLuint program = run.plain ? s.program2DFill : s.program2D;
            if (program != currentProgram) {
                glUseProgram(program);
                currentProgram = program;
            }
            if (run.plain && !scaleSetFill) {
                glUniform3f(s.loc2DFillScale, 2.0f / targetWidth, scaleY, offsetY);
                scaleSetFill = true;
            } else if (!run.plain && !scaleSet2D) {
                glUniform1i(s.loc2DTexture, 0);
                glUniform3f(s.loc2DScale, 2.0f / targetWidth, scaleY, offsetY);
                scaleSet2D = true;
            }
            if (!run.plain && boundTexture != span.texture) {
                glBindTexture(GL_TEXTURE_2D, span.texture ? span.texture : s.white);
                boundTexture = span.texture;
            }
            if (!run.plain) {
                const bool clamp = s.targetTextures.count(span.texture) != 0;
                const GLuint sampler = span.oneToOne
                                           ? (clamp ? s.sampler2DExactClamp : s.sampler2DExactRepeat)
                                           : (clamp ? s.sampler2DClamp : s.sampler2DRepeat);
                if (sampler != boundSampler) {
                    glBindSampler(0, sampler);
                    boundSampler = sampler;
                }
            }
            const bool blend = !span.opaque;
            if (blend != blending) {
                if (blend)
                    glEnable(GL_BLEND);
                else
                    glDisable(GL_BLEND);
                blending = blend;
            }
            glDrawArrays(GL_TRIANGLES, run.first, run.count);
            ++draws;
        }
    }
    glBindVertexArray(0);
    glBindSampler(0, 0); // meshes sample with their textures' own filters
    if (!blending)
        glEnable(GL_BLEND);
    return draws;
}

bool GfxCreateRenderTarget(int width, int height, uint32_t& framebuffer, uint32_t& colour, uint32_t& depth) {
    if (width <= 0 || height <= 0)
        return false;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!ok) {
        GfxDeleteRenderTarget(framebuffer, colour, depth);
        framebuffer = colour = depth = 0;
    } else {
        State().targetTextures.insert(colour);
    }
    return ok;
}

void GfxDeleteRenderTarget(uint32_t framebuffer, uint32_t colour, uint32_t depth) {
    if (framebuffer)
        glDeleteFramebuffers(1, &framebuffer);
    if (colour) {
        State().targetTextures.erase(colour);
        glDeleteTextures(1, &colour);
    }
    if (depth)
        glDeleteRenderbuffers(1, &depth);
}

void GfxBindFramebuffer(uint32_t framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

bool GfxReadPixels(int x, int y, int width, int height, int framebufferHeight, bool storedBottomUp,
                   std::vector<uint8_t>& rgba) {
    rgba.clear();
    if (width <= 0 || height <= 0)
        return false;
    std::vector<uint8_t> raw(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    int glY = storedBottomUp ? framebufferHeight - y - height : y;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, glY, width, height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    if (glGetError() != GL_NO_ERROR)
        return false;
    if (!storedBottomUp) {
        rgba = std::move(raw);
        return true;
    }
    rgba.resize(raw.size());
    size_t row = static_cast<size_t>(width) * 4;
    for (int r = 0; r < height; ++r)
        std::memcpy(&rgba[static_cast<size_t>(r) * row], &raw[static_cast<size_t>(height - 1 - r) * row],
                    row);
    return true;
}
