// Reader of the text ".x" subset our characters use: frames, meshes with normals, texture
// coordinates, materials and skin weights, and animation sets with rotation, scale, position or
// matrix keys. Binary and compressed ".x" files are refused.
// Conventions: matrices are row-major for row vectors (translation in the last row), rotation keys
// are quaternions written w, x, y, z that turn row vectors as MatrixFromQuat does, key times are in
// ticks of AnimTicksPerSecond (4800 when the file does not say), and front faces run clockwise.
#pragma once

#include "engine/AnimController.h"
#include "engine/Math3D.h"
#include "engine/Str.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct XMaterial {
    float diffuse[4] = {1, 1, 1, 1};
    float power = 0.0f;
    float specular[3] = {0, 0, 0};
    float emissive[3] = {0, 0, 0};
    CStr textureFile; // as written in the file, empty when the material has none
};

struct XSkinWeights {
    CStr boneName;
    std::vector<uint32_t> vertices;
    std::vector<float> weights;
    // Takes a mesh-space point into the bone's space at the rest pose.
    Matrix4 offset;
};

struct XMesh {
    CStr name;
    int frame = 0; // the frame that carries the mesh
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;              // one per position
    std::vector<float> uvs;                 // two per position
    std::vector<uint32_t> indices;          // three per triangle; polygons are fanned
    std::vector<uint32_t> triangleMaterial; // one per triangle
    std::vector<XMaterial> materials;       // at least one
    std::vector<XSkinWeights> skins;
};

struct XFrame {
    CStr name;
    Matrix4 transform; // relative to the parent
    int parent = -1;
    std::vector<int> children;
};

struct XFileData {
    // Frame 0 is an unnamed root that holds the file's top-level frames and meshes.
    std::vector<XFrame> frames;
    std::vector<XMesh> meshes;
    std::vector<std::shared_ptr<const CAnimationSet>> animationSets;

    int FindFrame(const char* name) const;
};

// Parses text; on failure returns false with a reason (and a line number) in error.
bool ParseXFile(const std::string& text, XFileData& out, CStr& error);
// Reads a game path; failures are logged with the file name.
bool LoadXFile(const char* gamePath, XFileData& out);
