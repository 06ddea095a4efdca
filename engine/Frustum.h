// CQuorelFrustum: the six planes of the view volume, to skip objects that cannot be seen.
#pragma once

#include "engine/Math3D.h"

class CQuorelFrustum {
public:
    // Planes of view x projection (row vectors, depth 0..1).
    void Build(const Matrix4& view, const Matrix4& projection);
    bool SphereVisible(const Vec3& center, float radius) const;
    bool BoxVisible(const Vec3& minCorner, const Vec3& maxCorner) const;
    bool IsBuilt() const { return m_built; }

private:
    float m_planes[6][4] = {};
    bool m_built = false;
};

extern CQuorelFrustum* g_pQuorelFrustum;
