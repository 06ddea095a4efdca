// Drawing of skinned instances through the device: one bone palette per part, one draw per material.
#include "engine/Device.h"
#include "engine/Log.h"
#include "engine/SkinnedMesh.h"
#include "engine/Texture.h"

CQuorelTexture* LoadMeshTexture(const char* gamePath) {
    return CQuorelTexture::CreateFromFile(gamePath);
}

void FreeMeshTexture(CQuorelTexture* texture) {
    delete texture;
}

void FreeGpuMesh(CQuorelMesh*& mesh) {
    delete mesh;
    mesh = nullptr;
}

static CQuorelMesh* BuildGpuMesh(const SkinnedPart& part) {
    std::vector<QuorelVertex> vertices(part.vertices.size());
    for (size_t i = 0; i < part.vertices.size(); ++i) {
        const SkinVertex& s = part.vertices[i];
        QuorelVertex& v = vertices[i];
        v.pos[0] = s.position.x;
        v.pos[1] = s.position.y;
        v.pos[2] = s.position.z;
        v.normal[0] = s.normal.x;
        v.normal[1] = s.normal.y;
        v.normal[2] = s.normal.z;
        v.uv0[0] = v.uv1[0] = s.uv[0];
        v.uv0[1] = v.uv1[1] = s.uv[1];
        for (int k = 0; k < 4; ++k) {
            v.boneWeights[k] = s.weights[k];
            v.boneIndices[k] = s.bones[k];
        }
    }
    auto* mesh = new CQuorelMesh();
    mesh->SetData(std::move(vertices), part.indices);
    return mesh;
}

void CAnimatedMesh::Draw() {
    CQuorelDevice* device = g_pQuorelDevice;
    if (!device || !device->IsReady() || !device->IsMainThread())
        return;
    const Matrix4 savedWorld = device->GetTransform(kTransformWorld);
    CQuorelEffect* effect = device->GetEffect("Default");
    std::vector<Matrix4> palette;
    for (SkinnedPart& part : m_owner->GetParts()) {
        if (part.batches.empty())
            continue;
        if (!part.gpuMesh)
            part.gpuMesh = BuildGpuMesh(part);
        if (part.skinned && static_cast<int>(part.boneFrames.size()) <= CQuorelDevice::kMaxBones) {
            GetBonePalette(part, palette);
            device->SetBoneMatrices(palette.data(), static_cast<int>(palette.size()));
            device->SetTransform(kTransformWorld, m_world);
        } else {
            // Rigid parts (and a palette too large for the device) follow their frame.
            Matrix4 world;
            MatrixMultiply(world, GetCombinedMatrix(part.frame), m_world);
            device->SetBoneMatrices(nullptr, 0);
            device->SetTransform(kTransformWorld, world);
        }
        for (const SkinnedPart::Batch& batch : part.batches) {
            const auto& materials = m_owner->GetMaterials();
            QuorelMaterial material;
            if (batch.material < static_cast<int>(materials.size())) {
                const XMaterial& x = materials[batch.material].material;
                for (int k = 0; k < 4; ++k)
                    material.diffuse[k] = x.diffuse[k];
                for (int k = 0; k < 3; ++k) {
                    material.ambient[k] = x.diffuse[k];
                    material.specular[k] = x.specular[k];
                    material.emissive[k] = x.emissive[k];
                }
                material.power = x.power;
            }
            device->SetMaterial(material);
            device->SetTexture(0, SetEffectParams(batch.material));
            device->SetTexture(1, nullptr);
            device->DrawMesh(*part.gpuMesh, effect, batch.firstIndex, batch.indexCount);
        }
    }
    device->SetBoneMatrices(nullptr, 0);
    device->SetTexture(0, nullptr);
    device->SetTransform(kTransformWorld, savedWorld);
}
