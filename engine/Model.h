// The engine's model file for arenas and scene objects (ball, cube, logos).
//
// Little-endian binary, every count checked against the bytes left when read:
//   char[4]  "QMDL"
//   u32      version (1)
//   u32      material count, then per material:
//              str effect name, str diffuse texture file, str lightmap texture file, f32[4] diffuse RGBA
//   u32      sub-object count, then per sub-object:
//              str name, f32[3] bounds min, f32[3] bounds max,
//              u32 vertex count, per vertex f32[10]: position xyz, normal xyz, uv0 uv, uv1 uv (lightmap),
//              u32 index count, u32 indices (triangle list, clockwise front faces),
//              u32 batch count, per batch u32 material, u32 first index, u32 index count
//   f32[3]   model bounds min, f32[3] model bounds max
// str = u32 byte length (at most 1024) then the bytes, no terminator. Texture names are file names
// looked up in the object's texture folder (diffuse) or the lightmap folder (lightmap); empty = none.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

#include <cstdint>
#include <string>
#include <vector>

struct ModelVertex {
    float pos[3] = {0, 0, 0};
    float normal[3] = {0, 0, 0};
    float uv0[2] = {0, 0};
    float uv1[2] = {0, 0};
};

struct ModelMaterial {
    CStr effect; // a device effect name such as "Standard"; empty draws with the default
    CStr diffuseTexture;
    CStr lightmapTexture;
    float diffuse[4] = {1, 1, 1, 1};
};

struct ModelBatch {
    uint32_t material = 0;
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
};

struct ModelSubObject {
    CStr name;
    Vec3 boundsMin, boundsMax;
    std::vector<ModelVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<ModelBatch> batches;
};

struct ModelData {
    std::vector<ModelMaterial> materials;
    std::vector<ModelSubObject> subObjects;
    Vec3 boundsMin, boundsMax;

    // Recomputes every sub-object's box and the model's from the vertices.
    void ComputeBounds();
    // The smallest sphere around the model's box.
    void GetBoundingSphere(Vec3& center, float& radius) const;
};

constexpr uint32_t kModelVersion = 1;

void WriteModel(const ModelData& model, std::string& bytes);
// False, with the reason in error, when the bytes are not a whole, consistent model.
bool ReadModel(const std::string& bytes, ModelData& model, CStr& error);
// Game paths; failures are logged with the file name.
bool LoadModelFile(const char* gamePath, ModelData& model);
bool SaveModelFile(const char* gamePath, const ModelData& model);
