// Text ".x" reader: a tokenizer and a recursive reader of the data objects we understand.
#include "engine/XFile.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>

int XFileData::FindFrame(const char* name) const {
    for (size_t i = 0; i < frames.size(); ++i)
        if (frames[i].name.Equals(name))
            return static_cast<int>(i);
    return -1;
}

namespace {

enum class Tok { Open, Close, Word, String };

struct Token {
    Tok kind = Tok::Word;
    std::string text;
    int line = 0;
};

// Separators (';' and ',') carry nothing the counts do not already say, so they are dropped.
bool Tokenize(const std::string& s, size_t start, std::vector<Token>& out, CStr& error) {
    int line = 1;
    size_t i = start;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\n') {
            ++line;
            ++i;
        } else if (std::isspace(static_cast<unsigned char>(c)) || c == ';' || c == ',') {
            ++i;
        } else if (c == '#' || (c == '/' && i + 1 < s.size() && s[i + 1] == '/')) {
            while (i < s.size() && s[i] != '\n')
                ++i;
        } else if (c == '{') {
            out.push_back({Tok::Open, "{", line});
            ++i;
        } else if (c == '}') {
            out.push_back({Tok::Close, "}", line});
            ++i;
        } else if (c == '"') {
            size_t end = s.find('"', i + 1);
            if (end == std::string::npos) {
                error.Format("unterminated string at line %d", line);
                return false;
            }
            out.push_back({Tok::String, s.substr(i + 1, end - i - 1), line});
            line += static_cast<int>(std::count(s.begin() + i, s.begin() + end, '\n'));
            i = end + 1;
        } else if (c == '<') {
            // Template GUIDs are skipped whole.
            size_t end = s.find('>', i);
            i = end == std::string::npos ? s.size() : end + 1;
        } else {
            size_t end = i;
            while (end < s.size()) {
                const char d = s[end];
                if (std::isspace(static_cast<unsigned char>(d)) || d == ';' || d == ',' || d == '{' ||
                    d == '}' || d == '"')
                    break;
                ++end;
            }
            out.push_back({Tok::Word, s.substr(i, end - i), line});
            i = end;
        }
    }
    return true;
}

class Reader {
public:
    Reader(std::vector<Token> tokens, XFileData& out, CStr& error)
        : m_t(std::move(tokens)), m_out(out), m_error(error) {}

    bool ReadFile();

private:
    bool Fail(const char* what) {
        const int line = m_pos < m_t.size() ? m_t[m_pos].line : (m_t.empty() ? 0 : m_t.back().line);
        m_error.Format("%s near line %d", what, line);
        return false;
    }
    bool AtEnd() const { return m_pos >= m_t.size(); }
    bool Peek(Tok kind) const { return !AtEnd() && m_t[m_pos].kind == kind; }
    size_t Remaining() const { return m_t.size() - m_pos; }

    bool Expect(Tok kind) {
        if (!Peek(kind))
            return Fail(kind == Tok::Open ? "'{' expected" : "'}' expected");
        ++m_pos;
        return true;
    }
    bool ReadFloat(float& v) {
        if (!Peek(Tok::Word))
            return Fail("number expected");
        const std::string& w = m_t[m_pos].text;
        char* end = nullptr;
        v = std::strtof(w.c_str(), &end);
        if (end == w.c_str() || *end != '\0' || !std::isfinite(v))
            return Fail("number expected");
        ++m_pos;
        return true;
    }
    bool ReadCount(uint32_t& v, size_t perItem) {
        float f = 0.0f;
        if (!ReadFloat(f))
            return false;
        if (f < 0.0f || f > 4.0e9f || f != std::floor(f))
            return Fail("count expected");
        v = static_cast<uint32_t>(f);
        // Every item takes at least perItem tokens: a count the rest of the file cannot hold is bad.
        if (perItem > 0 && static_cast<uint64_t>(v) * perItem > Remaining())
            return Fail("count larger than the data");
        return true;
    }
    bool ReadMatrix(Matrix4& m) {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                if (!ReadFloat(m.m[r][c]))
                    return false;
        return true;
    }
    // Reads "Type [name] {" and leaves the position after the brace.
    bool ReadHeader(std::string& type, std::string& name) {
        if (!Peek(Tok::Word))
            return Fail("object expected");
        type = m_t[m_pos++].text;
        name.clear();
        if (Peek(Tok::Word))
            name = m_t[m_pos++].text;
        return Expect(Tok::Open);
    }
    // After an opening brace: skips to and past its matching close.
    bool SkipBody() {
        int depth = 1;
        while (!AtEnd()) {
            if (m_t[m_pos].kind == Tok::Open)
                ++depth;
            else if (m_t[m_pos].kind == Tok::Close && --depth == 0) {
                ++m_pos;
                return true;
            }
            ++m_pos;
        }
        return Fail("unexpected end of file");
    }
    // "{ name }": a reference to an object defined elsewhere.
    bool IsReference() const {
        return m_pos + 2 < m_t.size() && m_t[m_pos].kind == Tok::Open && m_t[m_pos + 1].kind == Tok::Word &&
               m_t[m_pos + 2].kind == Tok::Close;
    }

    bool ReadFrame(int parent, const std::string& name);
    bool ReadMesh(int frame, const std::string& name);
    bool ReadMaterial(XMaterial& mat);
    bool ReadMaterialList(XMesh& mesh, std::vector<uint32_t>& faceMaterial);
    bool ReadSkinWeights(XMesh& mesh);
    bool ReadAnimationSet(const std::string& name);
    bool ReadAnimation(BoneAnimation& anim);

    std::vector<Token> m_t;
    size_t m_pos = 0;
    XFileData& m_out;
    CStr& m_error;
    std::map<std::string, XMaterial> m_namedMaterials;
    double m_ticksPerSecond = 4800.0;
    struct RawSet {
        std::string name;
        std::vector<BoneAnimation> animations; // key times still in ticks
    };
    std::vector<RawSet> m_rawSets;
    int m_depth = 0;
};

bool Reader::ReadFile() {
    m_out = XFileData();
    m_out.frames.push_back(XFrame());
    while (!AtEnd()) {
        std::string type, name;
        if (!ReadHeader(type, name))
            return false;
        bool ok = true;
        if (type == "Frame")
            ok = ReadFrame(0, name);
        else if (type == "Mesh")
            ok = ReadMesh(0, name);
        else if (type == "AnimationSet")
            ok = ReadAnimationSet(name);
        else if (type == "Material") {
            XMaterial mat;
            ok = ReadMaterial(mat);
            if (ok)
                m_namedMaterials[name] = mat;
        } else if (type == "AnimTicksPerSecond") {
            float tps = 0.0f;
            ok = ReadFloat(tps) && Expect(Tok::Close);
            if (ok && tps <= 0.0f)
                return Fail("AnimTicksPerSecond must be positive");
            m_ticksPerSecond = tps;
        } else {
            ok = SkipBody(); // templates and objects we do not use
        }
        if (!ok)
            return false;
    }
    for (RawSet& raw : m_rawSets) {
        for (BoneAnimation& a : raw.animations) {
            for (auto& k : a.scaleKeys)
                k.first /= m_ticksPerSecond;
            for (auto& k : a.rotationKeys)
                k.first /= m_ticksPerSecond;
            for (auto& k : a.positionKeys)
                k.first /= m_ticksPerSecond;
        }
        m_out.animationSets.push_back(
            std::make_shared<CAnimationSet>(CStr(raw.name), std::move(raw.animations)));
    }
    return true;
}

bool Reader::ReadFrame(int parent, const std::string& name) {
    if (++m_depth > 256)
        return Fail("frames nested too deeply");
    const int index = static_cast<int>(m_out.frames.size());
    XFrame frame;
    frame.name = name;
    frame.parent = parent;
    m_out.frames.push_back(frame);
    m_out.frames[parent].children.push_back(index);
    while (!Peek(Tok::Close)) {
        if (AtEnd())
            return Fail("unexpected end of file");
        std::string type, child;
        if (!ReadHeader(type, child))
            return false;
        bool ok = true;
        if (type == "FrameTransformMatrix")
            ok = ReadMatrix(m_out.frames[index].transform) && Expect(Tok::Close);
        else if (type == "Frame")
            ok = ReadFrame(index, child);
        else if (type == "Mesh")
            ok = ReadMesh(index, child);
        else
            ok = SkipBody();
        if (!ok)
            return false;
    }
    --m_depth;
    return Expect(Tok::Close);
}

bool Reader::ReadMaterial(XMaterial& mat) {
    bool ok = true;
    for (float& f : mat.diffuse)
        ok = ok && ReadFloat(f);
    ok = ok && ReadFloat(mat.power);
    for (float& f : mat.specular)
        ok = ok && ReadFloat(f);
    for (float& f : mat.emissive)
        ok = ok && ReadFloat(f);
    if (!ok)
        return false;
    while (!Peek(Tok::Close)) {
        if (AtEnd())
            return Fail("unexpected end of file");
        std::string type, name;
        if (!ReadHeader(type, name))
            return false;
        if (type == "TextureFilename" || type == "TextureFileName") {
            if (!Peek(Tok::String))
                return Fail("texture file name expected");
            mat.textureFile = m_t[m_pos++].text;
            if (!Expect(Tok::Close))
                return false;
        } else if (!SkipBody()) {
            return false;
        }
    }
    return Expect(Tok::Close);
}

bool Reader::ReadMaterialList(XMesh& mesh, std::vector<uint32_t>& faceMaterial) {
    uint32_t materialCount = 0, faceCount = 0;
    if (!ReadCount(materialCount, 0) || !ReadCount(faceCount, 1))
        return false;
    faceMaterial.resize(faceCount);
    for (uint32_t& m : faceMaterial) {
        if (!ReadCount(m, 0))
            return false;
    }
    while (!Peek(Tok::Close)) {
        if (AtEnd())
            return Fail("unexpected end of file");
        if (IsReference()) {
            const std::string ref = m_t[m_pos + 1].text;
            m_pos += 3;
            auto it = m_namedMaterials.find(ref);
            if (it == m_namedMaterials.end())
                return Fail("unknown material reference");
            mesh.materials.push_back(it->second);
            continue;
        }
        std::string type, name;
        if (!ReadHeader(type, name))
            return false;
        if (type == "Material") {
            XMaterial mat;
            if (!ReadMaterial(mat))
                return false;
            mesh.materials.push_back(mat);
        } else if (!SkipBody()) {
            return false;
        }
    }
    if (mesh.materials.size() < materialCount)
        return Fail("fewer materials than declared");
    for (uint32_t m : faceMaterial)
        if (m >= mesh.materials.size())
            return Fail("face material index out of range");
    return Expect(Tok::Close);
}

bool Reader::ReadSkinWeights(XMesh& mesh) {
    XSkinWeights skin;
    if (!Peek(Tok::String))
        return Fail("bone name expected");
    skin.boneName = m_t[m_pos++].text;
    uint32_t n = 0;
    if (!ReadCount(n, 2))
        return false;
    skin.vertices.resize(n);
    skin.weights.resize(n);
    for (uint32_t& v : skin.vertices) {
        if (!ReadCount(v, 0))
            return false;
        if (v >= mesh.positions.size())
            return Fail("skin weight vertex out of range");
    }
    for (float& w : skin.weights)
        if (!ReadFloat(w))
            return false;
    if (!ReadMatrix(skin.offset) || !Expect(Tok::Close))
        return false;
    mesh.skins.push_back(std::move(skin));
    return true;
}

bool Reader::ReadMesh(int frame, const std::string& name) {
    XMesh mesh;
    mesh.name = name;
    mesh.frame = frame;
    uint32_t vertexCount = 0;
    if (!ReadCount(vertexCount, 3))
        return false;
    mesh.positions.resize(vertexCount);
    for (Vec3& p : mesh.positions)
        if (!ReadFloat(p.x) || !ReadFloat(p.y) || !ReadFloat(p.z))
            return false;
    uint32_t faceCount = 0;
    if (!ReadCount(faceCount, 4))
        return false;
    std::vector<std::vector<uint32_t>> faces(faceCount);
    for (auto& face : faces) {
        uint32_t corners = 0;
        if (!ReadCount(corners, 1))
            return false;
        if (corners < 3)
            return Fail("a face needs three corners");
        face.resize(corners);
        for (uint32_t& v : face) {
            if (!ReadCount(v, 0))
                return false;
            if (v >= vertexCount)
                return Fail("face vertex out of range");
        }
    }
    std::vector<uint32_t> faceMaterial;
    bool haveNormals = false;
    mesh.uvs.assign(static_cast<size_t>(vertexCount) * 2, 0.0f);
    mesh.normals.assign(vertexCount, Vec3());
    while (!Peek(Tok::Close)) {
        if (AtEnd())
            return Fail("unexpected end of file");
        std::string type, child;
        if (!ReadHeader(type, child))
            return false;
        bool ok = true;
        if (type == "MeshNormals") {
            uint32_t n = 0;
            if (!ReadCount(n, 3))
                return false;
            std::vector<Vec3> normals(n);
            for (Vec3& v : normals)
                if (!ReadFloat(v.x) || !ReadFloat(v.y) || !ReadFloat(v.z))
                    return false;
            uint32_t nf = 0;
            if (!ReadCount(nf, 4))
                return false;
            if (nf != faceCount)
                return Fail("normal faces do not match the mesh faces");
            for (uint32_t f = 0; f < nf; ++f) {
                uint32_t corners = 0;
                if (!ReadCount(corners, 1))
                    return false;
                if (corners != faces[f].size())
                    return Fail("normal face corners do not match");
                for (uint32_t c = 0; c < corners; ++c) {
                    uint32_t ni = 0;
                    if (!ReadCount(ni, 0))
                        return false;
                    if (ni >= n)
                        return Fail("normal index out of range");
                    mesh.normals[faces[f][c]] = normals[ni];
                }
            }
            haveNormals = true;
            ok = Expect(Tok::Close);
        } else if (type == "MeshTextureCoords") {
            uint32_t n = 0;
            if (!ReadCount(n, 2))
                return false;
            if (n != vertexCount)
                return Fail("texture coordinates do not match the vertices");
            for (float& f : mesh.uvs)
                if (!ReadFloat(f))
                    return false;
            ok = Expect(Tok::Close);
        } else if (type == "MeshMaterialList") {
            ok = ReadMaterialList(mesh, faceMaterial);
            if (ok && !faceMaterial.empty() && faceMaterial.size() != faceCount) {
                // A single index stands for every face.
                if (faceMaterial.size() == 1)
                    faceMaterial.assign(faceCount, faceMaterial[0]);
                else
                    return Fail("material list does not match the faces");
            }
        } else if (type == "SkinWeights") {
            ok = ReadSkinWeights(mesh);
        } else {
            ok = SkipBody();
        }
        if (!ok)
            return false;
    }
    if (!Expect(Tok::Close))
        return false;
    if (mesh.materials.empty())
        mesh.materials.push_back(XMaterial());
    for (uint32_t f = 0; f < faceCount; ++f) {
        const uint32_t material = faceMaterial.empty() ? 0 : faceMaterial[f];
        for (size_t c = 1; c + 1 < faces[f].size(); ++c) {
            mesh.indices.push_back(faces[f][0]);
            mesh.indices.push_back(faces[f][c]);
            mesh.indices.push_back(faces[f][c + 1]);
            mesh.triangleMaterial.push_back(material);
        }
    }
    if (!haveNormals) {
        // Smooth normals from the faces, with the clockwise front faces of the row-vector convention.
        for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
            const Vec3& a = mesh.positions[mesh.indices[t]];
            const Vec3& b = mesh.positions[mesh.indices[t + 1]];
            const Vec3& c = mesh.positions[mesh.indices[t + 2]];
            const Vec3 n = Vec3Cross(b - a, c - a);
            for (int k = 0; k < 3; ++k)
                mesh.normals[mesh.indices[t + k]] += n;
        }
    }
    for (Vec3& n : mesh.normals)
        n.Normalize();
    m_out.meshes.push_back(std::move(mesh));
    return true;
}

bool Reader::ReadAnimation(BoneAnimation& anim) {
    while (!Peek(Tok::Close)) {
        if (AtEnd())
            return Fail("unexpected end of file");
        if (IsReference()) {
            anim.frameName = m_t[m_pos + 1].text;
            m_pos += 3;
            continue;
        }
        std::string type, name;
        if (!ReadHeader(type, name))
            return false;
        if (type != "AnimationKey") {
            if (!SkipBody())
                return false;
            continue;
        }
        uint32_t keyType = 0, keyCount = 0;
        if (!ReadCount(keyType, 0) || !ReadCount(keyCount, 3))
            return false;
        const uint32_t expected = keyType == 0 ? 4 : keyType == 1 || keyType == 2 ? 3 : keyType == 4 ? 16 : 0;
        if (expected == 0)
            return Fail("unknown animation key type");
        double lastTime = -1.0;
        for (uint32_t k = 0; k < keyCount; ++k) {
            float time = 0.0f;
            uint32_t n = 0;
            if (!ReadFloat(time) || !ReadCount(n, 1))
                return false;
            if (n != expected)
                return Fail("animation key has the wrong number of values");
            if (time < lastTime)
                return Fail("animation keys out of order");
            lastTime = time;
            float v[16] = {};
            for (uint32_t i = 0; i < n; ++i)
                if (!ReadFloat(v[i]))
                    return false;
            if (keyType == 0) {
                anim.rotationKeys.push_back({time, Quat{v[1], v[2], v[3], v[0]}});
            } else if (keyType == 1) {
                anim.scaleKeys.push_back({time, Vec3(v[0], v[1], v[2])});
            } else if (keyType == 2) {
                anim.positionKeys.push_back({time, Vec3(v[0], v[1], v[2])});
            } else {
                Matrix4 m;
                for (int i = 0; i < 16; ++i)
                    m.m[i / 4][i % 4] = v[i];
                Vec3 s, t;
                Quat r;
                if (!DecomposeMatrix(m, s, r, t))
                    return Fail("degenerate matrix key");
                anim.scaleKeys.push_back({time, s});
                anim.rotationKeys.push_back({time, r});
                anim.positionKeys.push_back({time, t});
            }
        }
        if (!Expect(Tok::Close))
            return false;
    }
    return Expect(Tok::Close);
}

bool Reader::ReadAnimationSet(const std::string& name) {
    RawSet raw;
    raw.name = name;
    while (!Peek(Tok::Close)) {
        if (AtEnd())
            return Fail("unexpected end of file");
        std::string type, child;
        if (!ReadHeader(type, child))
            return false;
        if (type == "Animation") {
            BoneAnimation anim;
            if (!ReadAnimation(anim))
                return false;
            if (anim.frameName.IsEmpty())
                return Fail("animation without a frame reference");
            raw.animations.push_back(std::move(anim));
        } else if (!SkipBody()) {
            return false;
        }
    }
    m_rawSets.push_back(std::move(raw));
    return Expect(Tok::Close);
}

} // namespace

bool ParseXFile(const std::string& text, XFileData& out, CStr& error) {
    out = XFileData();
    // "xof 0303txt 0032": magic, version, format, float size.
    if (text.size() < 16 || text.compare(0, 4, "xof ") != 0) {
        error = "not an .x file";
        return false;
    }
    if (text.compare(8, 4, "txt ") != 0) {
        error = "only the text form of .x is read";
        return false;
    }
    std::vector<Token> tokens;
    if (!Tokenize(text, 16, tokens, error))
        return false;
    XFileData data;
    Reader reader(std::move(tokens), data, error);
    if (!reader.ReadFile())
        return false;
    // Meshes and animations must name frames that exist.
    for (const XMesh& mesh : data.meshes)
        for (const XSkinWeights& skin : mesh.skins)
            if (data.FindFrame(skin.boneName.GetText()) < 0) {
                error.Format("skin weights name the missing frame '%s'", skin.boneName.GetText());
                return false;
            }
    out = std::move(data);
    return true;
}

bool LoadXFile(const char* gamePath, XFileData& out) {
    std::string text;
    if (!ReadWholeFile(gamePath, text)) {
        QuorelLog("[LoadXFile] Cannot read '%s'", gamePath);
        return false;
    }
    CStr error;
    if (!ParseXFile(text, out, error)) {
        QuorelLog("[LoadXFile] '%s': %s", gamePath, error.GetText());
        return false;
    }
    return true;
}
