// Drawing of skinned instances; waits for the device layer.
#include "engine/SkinnedMesh.h"

CQuorelTexture* LoadMeshTexture(const char*) {
    return nullptr;
}
void FreeMeshTexture(CQuorelTexture*) {}
void FreeGpuMesh(CQuorelMesh*& mesh) {
    mesh = nullptr;
}
void CAnimatedMesh::Draw() {}
