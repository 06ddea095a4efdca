// OBJ and MTL parsing into ModelData.
#include "engine/ObjImport.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

struct Corner {
    int v = -1, vt = -1, vn = -1;
    bool operator<(const Corner& o) const { return std::tie(v, vt, vn) < std::tie(o.v, o.vt, o.vn); }
};

// One OBJ index ("3", "-1"); 0 and out-of-range indices are refused.
bool ResolveIndex(const std::string& text, size_t count, int& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const long i = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || i == 0)
        return false;
    const long resolved = i > 0 ? i - 1 : static_cast<long>(count) + i;
    if (resolved < 0 || resolved >= static_cast<long>(count))
        return false;
    out = static_cast<int>(resolved);
    return true;
}

bool ReadFloats(std::istringstream& in, float* out, int count, int required) {
    for (int i = 0; i < count; ++i) {
        std::string word;
        if (!(in >> word)) {
            if (i >= required)
                return true;
            return false;
        }
        char* end = nullptr;
        out[i] = std::strtof(word.c_str(), &end);
        if (*end != '\0' || !std::isfinite(out[i]))
            return false;
    }
    return true;
}

void ParseMtl(const std::string& text, std::map<std::string, ModelMaterial>& materials) {
    std::istringstream lines(text);
    std::string line;
    ModelMaterial* current = nullptr;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string key;
        if (!(in >> key) || key[0] == '#')
            continue;
        std::string rest;
        std::getline(in, rest);
        const size_t first = rest.find_first_not_of(" \t");
        const size_t last = rest.find_last_not_of(" \t\r");
        rest = first == std::string::npos ? std::string() : rest.substr(first, last - first + 1);
        if (key == "newmtl") {
            current = &materials[rest];
            current->effect = "Default";
        } else if (!current) {
            continue;
        } else if (key == "Kd") {
            std::istringstream values(rest);
            ReadFloats(values, current->diffuse, 3, 3);
        } else if (key == "d") {
            current->diffuse[3] = std::strtof(rest.c_str(), nullptr);
        } else if (key == "Tr") {
            current->diffuse[3] = 1.0f - std::strtof(rest.c_str(), nullptr);
        } else if (key == "map_Kd") {
            current->diffuseTexture = rest;
        } else if (key == "map_Ka") {
            current->lightmapTexture = rest;
        } else if (key == "effect") {
            current->effect = rest;
        }
    }
}

} // namespace

bool ImportObj(const std::string& objText,
               const std::function<bool(const std::string&, std::string&)>& readFile, ModelData& model,
               CStr& error) {
    std::vector<Vec3> positions, normals;
    std::vector<std::pair<float, float>> uvs;
    std::map<std::string, ModelMaterial> library;
    std::map<std::string, uint32_t> materialIndex;
    ModelData out;

    struct Building {
        ModelSubObject sub;
        std::map<Corner, uint32_t> corners;
        // Triangles per material, in first-use order, joined into batches at the end.
        std::vector<std::pair<uint32_t, std::vector<uint32_t>>> perMaterial;
    };
    std::vector<Building> subs;
    uint32_t currentMaterial = 0;
    bool haveMaterial = false;
    std::string pendingName = "default";

    auto useMaterial = [&](const std::string& name) -> uint32_t {
        auto it = materialIndex.find(name);
        if (it != materialIndex.end())
            return it->second;
        ModelMaterial m;
        m.effect = "Default";
        auto lib = library.find(name);
        if (lib != library.end())
            m = lib->second;
        out.materials.push_back(m);
        const uint32_t index = static_cast<uint32_t>(out.materials.size() - 1);
        materialIndex[name] = index;
        return index;
    };

    std::istringstream lines(objText);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const char* what) {
        error.Format("%s at line %d", what, lineNumber);
        return false;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream in(line);
        std::string key;
        if (!(in >> key) || key[0] == '#')
            continue;
        if (key == "v" || key == "vn") {
            float f[3];
            if (!ReadFloats(in, f, 3, 3))
                return fail("bad vector");
            // Right-handed to left-handed.
            (key == "v" ? positions : normals).push_back(Vec3(f[0], f[1], -f[2]));
        } else if (key == "vt") {
            float f[2] = {0, 0};
            if (!ReadFloats(in, f, 2, 1))
                return fail("bad texture coordinate");
            uvs.push_back({f[0], 1.0f - f[1]});
        } else if (key == "o" || key == "g") {
            std::string name;
            in >> name;
            pendingName = name.empty() ? "default" : name;
            subs.push_back(Building());
            subs.back().sub.name = pendingName;
        } else if (key == "mtllib") {
            std::string file;
            std::getline(in >> std::ws, file);
            while (!file.empty() && (file.back() == '\r' || file.back() == ' '))
                file.pop_back();
            std::string text;
            if (readFile && readFile(file, text))
                ParseMtl(text, library);
        } else if (key == "usemtl") {
            std::string name;
            in >> name;
            currentMaterial = useMaterial(name);
            haveMaterial = true;
        } else if (key == "f") {
            if (subs.empty()) {
                subs.push_back(Building());
                subs.back().sub.name = pendingName;
            }
            if (!haveMaterial) {
                currentMaterial = useMaterial("");
                haveMaterial = true;
            }
            Building& b = subs.back();
            std::vector<uint32_t> face;
            std::string word;
            while (in >> word) {
                Corner c;
                std::string parts[3];
                size_t start = 0;
                for (int p = 0; p < 3; ++p) {
                    const size_t slash = word.find('/', start);
                    parts[p] =
                        word.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
                    if (slash == std::string::npos)
                        break;
                    start = slash + 1;
                }
                if (!ResolveIndex(parts[0], positions.size(), c.v))
                    return fail("face position index out of range");
                if (!parts[1].empty() && !ResolveIndex(parts[1], uvs.size(), c.vt))
                    return fail("face texture index out of range");
                if (!parts[2].empty() && !ResolveIndex(parts[2], normals.size(), c.vn))
                    return fail("face normal index out of range");
                auto found = b.corners.find(c);
                if (found == b.corners.end()) {
                    ModelVertex v;
                    v.pos[0] = positions[c.v].x;
                    v.pos[1] = positions[c.v].y;
                    v.pos[2] = positions[c.v].z;
                    if (c.vn >= 0) {
                        v.normal[0] = normals[c.vn].x;
                        v.normal[1] = normals[c.vn].y;
                        v.normal[2] = normals[c.vn].z;
                    }
                    if (c.vt >= 0) {
                        v.uv0[0] = v.uv1[0] = uvs[c.vt].first;
                        v.uv0[1] = v.uv1[1] = uvs[c.vt].second;
                    }
                    b.sub.vertices.push_back(v);
                    found = b.corners.emplace(c, static_cast<uint32_t>(b.sub.vertices.size() - 1)).first;
                }
                face.push_back(found->second);
            }
            if (face.size() < 3)
                return fail("a face needs three corners");
            std::vector<uint32_t>* tris = nullptr;
            for (auto& pm : b.perMaterial)
                if (pm.first == currentMaterial)
                    tris = &pm.second;
            if (!tris) {
                b.perMaterial.push_back({currentMaterial, {}});
                tris = &b.perMaterial.back().second;
            }
            // Mirroring z keeps the picture, so the corners are reversed to make the front clockwise.
            for (size_t k = 1; k + 1 < face.size(); ++k) {
                tris->push_back(face[0]);
                tris->push_back(face[k + 1]);
                tris->push_back(face[k]);
            }
        }
        // Other statements (s, l, p, ...) do not affect a triangle model.
    }
    for (Building& b : subs) {
        if (b.perMaterial.empty())
            continue; // a group without faces
        for (auto& [material, tris] : b.perMaterial) {
            ModelBatch batch;
            batch.material = material;
            batch.firstIndex = static_cast<uint32_t>(b.sub.indices.size());
            batch.indexCount = static_cast<uint32_t>(tris.size());
            b.sub.indices.insert(b.sub.indices.end(), tris.begin(), tris.end());
            b.sub.batches.push_back(batch);
        }
        // Corners without a normal get the average of their faces' normals.
        std::vector<Vec3> faceSum(b.sub.vertices.size());
        for (size_t t = 0; t + 2 < b.sub.indices.size(); t += 3) {
            const ModelVertex* v[3];
            for (int k = 0; k < 3; ++k)
                v[k] = &b.sub.vertices[b.sub.indices[t + k]];
            const Vec3 p0(v[0]->pos[0], v[0]->pos[1], v[0]->pos[2]);
            const Vec3 p1(v[1]->pos[0], v[1]->pos[1], v[1]->pos[2]);
            const Vec3 p2(v[2]->pos[0], v[2]->pos[1], v[2]->pos[2]);
            const Vec3 n = Vec3Cross(p1 - p0, p2 - p0);
            for (int k = 0; k < 3; ++k)
                faceSum[b.sub.indices[t + k]] += n;
        }
        for (size_t i = 0; i < b.sub.vertices.size(); ++i) {
            ModelVertex& v = b.sub.vertices[i];
            if (v.normal[0] == 0 && v.normal[1] == 0 && v.normal[2] == 0) {
                Vec3 n = faceSum[i];
                n.Normalize();
                v.normal[0] = n.x;
                v.normal[1] = n.y;
                v.normal[2] = n.z;
            }
        }
        out.subObjects.push_back(std::move(b.sub));
    }
    if (out.subObjects.empty()) {
        error = "the file has no faces";
        return false;
    }
    out.ComputeBounds();
    model = std::move(out);
    return true;
}
