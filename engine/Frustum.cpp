// CQuorelFrustum: planes taken from the columns of view x projection (depth 0..1, row vectors).
#include "engine/Frustum.h"

#include <cmath>

CQuorelFrustum* g_pQuorelFrustum = nullptr;

void CQuorelFrustum::Build(const Matrix4& view, const Matrix4& projection) {
    Matrix4 m;
    MatrixMultiply(m, view, projection);
    auto column = [&](int c, float out[4]) {
        for (int r = 0; r < 4; ++r)
            out[r] = m.m[r][c];
    };
    float c0[4], c1[4], c2[4], c3[4];
    column(0, c0);
    column(1, c1);
    column(2, c2);
    column(3, c3);
    for (int k = 0; k < 4; ++k) {
        m_planes[0][k] = c3[k] + c0[k]; // left
        m_planes[1][k] = c3[k] - c0[k]; // right
        m_planes[2][k] = c3[k] + c1[k]; // bottom
        m_planes[3][k] = c3[k] - c1[k]; // top
        m_planes[4][k] = c2[k];         // near (depth >= 0)
        m_planes[5][k] = c3[k] - c2[k]; // far
    }
    for (auto& p : m_planes) {
        float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        if (length > 0.0f)
            for (float& v : p)
                v /= length;
    }
    m_built = true;
}

bool CQuorelFrustum::SphereVisible(const Vec3& center, float radius) const {
    if (!m_built)
        return true;
    for (const auto& p : m_planes)
        if (p[0] * center.x + p[1] * center.y + p[2] * center.z + p[3] < -radius)
            return false;
    return true;
}

bool CQuorelFrustum::BoxVisible(const Vec3& minCorner, const Vec3& maxCorner) const {
    if (!m_built)
        return true;
    for (const auto& p : m_planes) {
        // The corner furthest along the plane's normal decides.
        float x = p[0] >= 0 ? maxCorner.x : minCorner.x;
        float y = p[1] >= 0 ? maxCorner.y : minCorner.y;
        float z = p[2] >= 0 ? maxCorner.z : minCorner.z;
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0.0f)
            return false;
    }
    return true;
}
