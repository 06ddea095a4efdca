// Reading and writing the engine's model file.
#include "engine/Model.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kMaxString = 1024;

class Writer {
public:
    explicit Writer(std::string& out) : m_out(out) {}
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void F32(float f) {
        uint32_t v = 0;
        std::memcpy(&v, &f, 4);
        U32(v);
    }
    void Str(const CStr& s) {
        const uint32_t n = std::min<uint32_t>(s.Length(), kMaxString);
        U32(n);
        m_out.append(s.GetText(), n);
    }
    void Vec(const Vec3& v) {
        F32(v.x);
        F32(v.y);
        F32(v.z);
    }

private:
    std::string& m_out;
};

class Reader {
public:
    explicit Reader(const std::string& in) : m_in(in) {}
    size_t Left() const { return m_in.size() - m_pos; }
    bool U32(uint32_t& v) {
        if (Left() < 4)
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(static_cast<unsigned char>(m_in[m_pos + i])) << (8 * i);
        m_pos += 4;
        return true;
    }
    bool F32(float& f) {
        uint32_t v = 0;
        if (!U32(v))
            return false;
        std::memcpy(&f, &v, 4);
        return std::isfinite(f);
    }
    bool Str(CStr& s) {
        uint32_t n = 0;
        if (!U32(n) || n > kMaxString || n > Left())
            return false;
        s = CStr(m_in.data() + m_pos, n);
        m_pos += n;
        return true;
    }
    bool Vec(Vec3& v) { return F32(v.x) && F32(v.y) && F32(v.z); }
    // A count of items of at least itemBytes each must fit in what is left.
    bool Count(uint32_t& n, size_t itemBytes) {
        return U32(n) && static_cast<uint64_t>(n) * itemBytes <= Left();
    }
    bool Magic(const char* magic) {
        if (Left() < 4 || m_in.compare(m_pos, 4, magic) != 0)
            return false;
        m_pos += 4;
        return true;
    }

private:
    const std::string& m_in;
    size_t m_pos = 0;
};

} // namespace

void ModelData::ComputeBounds() {
    bool any = false;
    for (ModelSubObject& sub : subObjects) {
        if (sub.vertices.empty()) {
            sub.boundsMin = sub.boundsMax = Vec3();
            continue;
        }
        Vec3 lo(sub.vertices[0].pos[0], sub.vertices[0].pos[1], sub.vertices[0].pos[2]);
        Vec3 hi = lo;
        for (const ModelVertex& v : sub.vertices) {
            lo = Vec3(std::min(lo.x, v.pos[0]), std::min(lo.y, v.pos[1]), std::min(lo.z, v.pos[2]));
            hi = Vec3(std::max(hi.x, v.pos[0]), std::max(hi.y, v.pos[1]), std::max(hi.z, v.pos[2]));
        }
        sub.boundsMin = lo;
        sub.boundsMax = hi;
        if (!any) {
            boundsMin = lo;
            boundsMax = hi;
            any = true;
        } else {
            boundsMin =
                Vec3(std::min(boundsMin.x, lo.x), std::min(boundsMin.y, lo.y), std::min(boundsMin.z, lo.z));
            boundsMax =
                Vec3(std::max(boundsMax.x, hi.x), std::max(boundsMax.y, hi.y), std::max(boundsMax.z, hi.z));
        }
    }
    if (!any)
        boundsMin = boundsMax = Vec3();
}

void ModelData::GetBoundingSphere(Vec3& center, float& radius) const {
    center = (boundsMin + boundsMax) * 0.5f;
    radius = (boundsMax - boundsMin).Length() * 0.5f;
}

void WriteModel(const ModelData& model, std::string& bytes) {
    bytes.clear();
    Writer w(bytes);
    bytes.append("QMDL", 4);
    w.U32(kModelVersion);
    w.U32(static_cast<uint32_t>(model.materials.size()));
    for (const ModelMaterial& m : model.materials) {
        w.Str(m.effect);
        w.Str(m.diffuseTexture);
        w.Str(m.lightmapTexture);
        for (float f : m.diffuse)
            w.F32(f);
    }
    w.U32(static_cast<uint32_t>(model.subObjects.size()));
    for (const ModelSubObject& sub : model.subObjects) {
        w.Str(sub.name);
        w.Vec(sub.boundsMin);
        w.Vec(sub.boundsMax);
        w.U32(static_cast<uint32_t>(sub.vertices.size()));
        for (const ModelVertex& v : sub.vertices) {
            for (float f : v.pos)
                w.F32(f);
            for (float f : v.normal)
                w.F32(f);
            for (float f : v.uv0)
                w.F32(f);
            for (float f : v.uv1)
                w.F32(f);
        }
        w.U32(static_cast<uint32_t>(sub.indices.size()));
        for (uint32_t i : sub.indices)
            w.U32(i);
        w.U32(static_cast<uint32_t>(sub.batches.size()));
        for (const ModelBatch& b : sub.batches) {
            w.U32(b.material);
            w.U32(b.firstIndex);
            w.U32(b.indexCount);
        }
    }
    w.Vec(model.boundsMin);
    w.Vec(model.boundsMax);
}

bool ReadModel(const std::string& bytes, ModelData& model, CStr& error) {
    Reader r(bytes);
    ModelData out;
    uint32_t version = 0;
    if (!r.Magic("QMDL")) {
        error = "not a model file";
        return false;
    }
    if (!r.U32(version) || version != kModelVersion) {
        error.Format("unsupported model version %u", version);
        return false;
    }
    auto fail = [&error](const char* what) {
        error = what;
        return false;
    };
    uint32_t materialCount = 0;
    if (!r.Count(materialCount, 28))
        return fail("truncated material list");
    out.materials.resize(materialCount);
    for (ModelMaterial& m : out.materials) {
        if (!r.Str(m.effect) || !r.Str(m.diffuseTexture) || !r.Str(m.lightmapTexture))
            return fail("bad material name");
        for (float& f : m.diffuse)
            if (!r.F32(f))
                return fail("bad material colour");
    }
    uint32_t subCount = 0;
    if (!r.Count(subCount, 40))
        return fail("truncated sub-object list");
    out.subObjects.resize(subCount);
    for (ModelSubObject& sub : out.subObjects) {
        uint32_t n = 0;
        if (!r.Str(sub.name) || !r.Vec(sub.boundsMin) || !r.Vec(sub.boundsMax))
            return fail("bad sub-object header");
        if (!r.Count(n, 40))
            return fail("truncated vertices");
        sub.vertices.resize(n);
        for (ModelVertex& v : sub.vertices) {
            bool ok = true;
            for (float& f : v.pos)
                ok = ok && r.F32(f);
            for (float& f : v.normal)
                ok = ok && r.F32(f);
            for (float& f : v.uv0)
                ok = ok && r.F32(f);
            for (float& f : v.uv1)
                ok = ok && r.F32(f);
            if (!ok)
                return fail("bad vertex");
        }
        if (!r.Count(n, 4))
            return fail("truncated indices");
        sub.indices.resize(n);
        for (uint32_t& i : sub.indices) {
            if (!r.U32(i))
                return fail("truncated indices");
            if (i >= sub.vertices.size())
                return fail("index out of range");
        }
        if (!r.Count(n, 12))
            return fail("truncated batches");
        sub.batches.resize(n);
        for (ModelBatch& b : sub.batches) {
            if (!r.U32(b.material) || !r.U32(b.firstIndex) || !r.U32(b.indexCount))
                return fail("truncated batches");
            if (b.material >= out.materials.size())
                return fail("batch material out of range");
            if (static_cast<uint64_t>(b.firstIndex) + b.indexCount > sub.indices.size() ||
                b.indexCount % 3 != 0)
                return fail("batch outside the indices");
        }
    }
    if (!r.Vec(out.boundsMin) || !r.Vec(out.boundsMax))
        return fail("truncated bounds");
    if (r.Left() != 0)
        return fail("trailing bytes after the model");
    // Culling trusts the boxes, so boxes that do not hold their vertices are rebuilt.
    const float slack = 1e-3f;
    bool boxesHold = true;
    for (const ModelSubObject& sub : out.subObjects)
        for (const ModelVertex& v : sub.vertices)
            if (v.pos[0] < sub.boundsMin.x - slack || v.pos[1] < sub.boundsMin.y - slack ||
                v.pos[2] < sub.boundsMin.z - slack || v.pos[0] > sub.boundsMax.x + slack ||
                v.pos[1] > sub.boundsMax.y + slack || v.pos[2] > sub.boundsMax.z + slack)
                boxesHold = false;
    if (!boxesHold)
        out.ComputeBounds();
    model = std::move(out);
    return true;
}

bool LoadModelFile(const char* gamePath, ModelData& model) {
    std::string bytes;
    if (!ReadWholeFile(gamePath, bytes)) {
        QuorelLog("[LoadModelFile] Cannot read '%s'", gamePath);
        return false;
    }
    CStr error;
    if (!ReadModel(bytes, model, error)) {
        QuorelLog("[LoadModelFile] '%s': %s", gamePath, error.GetText());
        return false;
    }
    return true;
}

bool SaveModelFile(const char* gamePath, const ModelData& model) {
    std::string bytes;
    WriteModel(model, bytes);
    if (!WriteFileAtomic(gamePath, bytes)) {
        QuorelLog("[SaveModelFile] Cannot write '%s'", gamePath);
        return false;
    }
    return true;
}
