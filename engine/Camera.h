// CQuorelCamera: the engine camera (eye, target, axes) and its left-handed view and projection.
#pragma once

#include "engine/Math3D.h"

class CQuorelCamera {
public:
    CQuorelCamera();

    void LookAt(const Vec3& position, const Vec3& target, const Vec3& up);
    // Replaces the right axis; the up axis follows so the three stay square to the view direction.
    void SetRight(const Vec3& right);
    void GetPosition(Vec3& out) const { out = m_position; }
    Vec3 GetPosition() const { return m_position; }
    Vec3 GetTarget() const { return m_target; }
    Vec3 GetRight() const { return m_right; }
    Vec3 GetUp() const { return m_up; }
    Vec3 GetDirection() const { return m_look; }

    // Vertical field of view in radians, aspect, near and far planes (45 degrees, 4:3, 0.1, 300 by default).
    void SetProjection(float fovY, float aspect, float zNear, float zFar);
    const Matrix4& GetViewMatrix() const { return m_view; }
    const Matrix4& GetProjectionMatrix() const { return m_projection; }
    // Sets the device's view and projection transforms (and the frustum when it exists).
    void Apply() const;

private:
    void RebuildView();

    Vec3 m_position{0.0f, 0.0f, -10.0f};
    Vec3 m_target{0.0f, 0.0f, 0.0f};
    Vec3 m_right{1.0f, 0.0f, 0.0f};
    Vec3 m_up{0.0f, 1.0f, 0.0f};
    Vec3 m_look{0.0f, 0.0f, 1.0f};
    Matrix4 m_view;
    Matrix4 m_projection;
};

extern CQuorelCamera* g_pQuorelCamera;
