// CQuorelCamera: eye, target and an orthonormal basis; the view matrix is built from the basis.
#include "engine/Camera.h"

#include "engine/Device.h"
#include "engine/Frustum.h"

CQuorelCamera* g_pQuorelCamera = nullptr;

CQuorelCamera::CQuorelCamera() {
    SetProjection(45.0f * kDegToRad, 4.0f / 3.0f, 0.1f, 300.0f);
    LookAt(m_position, m_target, Vec3(0.0f, 1.0f, 0.0f));
}

void CQuorelCamera::LookAt(const Vec3& position, const Vec3& target, const Vec3& up) {
    m_position = position;
    m_target = target;
    Vec3 look = target - position;
    look.Normalize();
    if (look.LengthSq() == 0.0f)
        look = m_look; // eye on the target: keep the old direction
    Vec3 right = Vec3Cross(up, look);
    right.Normalize();
    if (right.LengthSq() == 0.0f) { // up along the view direction: pick any square right axis
        right = Vec3Cross(Vec3(0.0f, 0.0f, 1.0f), look);
        if (right.LengthSq() == 0.0f)
            right = Vec3(1.0f, 0.0f, 0.0f);
        right.Normalize();
    }
    m_look = look;
    m_right = right;
    m_up = Vec3Cross(look, right);
    RebuildView();
}

void CQuorelCamera::SetRight(const Vec3& right) {
    Vec3 r = right;
    r.Normalize();
    if (r.LengthSq() == 0.0f)
        return;
    Vec3 up = Vec3Cross(m_look, r);
    up.Normalize();
    if (up.LengthSq() == 0.0f)
        return; // a right axis along the view direction cannot be square to it
    m_up = up;
    m_right = Vec3Cross(m_up, m_look);
    RebuildView();
}

void CQuorelCamera::SetProjection(float fovY, float aspect, float zNear, float zFar) {
    MatrixPerspectiveFovLH(m_projection, fovY, aspect, zNear, zFar);
}

void CQuorelCamera::RebuildView() {
    const Vec3& r = m_right;
    const Vec3& u = m_up;
    const Vec3& l = m_look;
    m_view = Matrix4();
    m_view.m[0][0] = r.x;
    m_view.m[1][0] = r.y;
    m_view.m[2][0] = r.z;
    m_view.m[0][1] = u.x;
    m_view.m[1][1] = u.y;
    m_view.m[2][1] = u.z;
    m_view.m[0][2] = l.x;
    m_view.m[1][2] = l.y;
    m_view.m[2][2] = l.z;
    m_view.m[3][0] = -Vec3Dot(r, m_position);
    m_view.m[3][1] = -Vec3Dot(u, m_position);
    m_view.m[3][2] = -Vec3Dot(l, m_position);
}

void CQuorelCamera::Apply() const {
    if (g_pQuorelDevice) {
        g_pQuorelDevice->SetTransform(kTransformView, m_view);
        g_pQuorelDevice->SetTransform(kTransformProjection, m_projection);
    }
    if (g_pQuorelFrustum)
        g_pQuorelFrustum->Build(m_view, m_projection);
}
