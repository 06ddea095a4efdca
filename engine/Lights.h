// CQuorelLights: the light list the device lights meshes with (the first kMaxActive lights count).
#pragma once

#include "engine/Math3D.h"

#include <vector>

struct QuorelLight {
    enum Type { kDirectional = 0, kPoint = 1 };
    Type type = kDirectional;
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    Vec3 position;
    Vec3 direction{0.0f, -1.0f, 0.0f};
    float range = 1000.0f;
    float attenuation[3] = {1.0f, 0.0f, 0.0f}; // constant, linear, quadratic
};

class CQuorelLights {
public:
    static constexpr int kMaxActive = 4;

    CQuorelLights();

    void Clear();
    // Index of the new light.
    int Add(const QuorelLight& light);
    int Count() const { return static_cast<int>(m_lights.size()); }
    // The light at index; null out of range.
    QuorelLight* GetLight(int index);
    const QuorelLight* GetLight(int index) const;

    // Scene ambient colour (red, green, blue, 0..1).
    void SetAmbient(float r, float g, float b);
    const float* Ambient() const { return m_ambient; }
    // One white directional light from above-front and a soft ambient, for scenes without light data.
    void SetDefault();

private:
    std::vector<QuorelLight> m_lights;
    float m_ambient[3] = {0.3f, 0.3f, 0.3f};
};

extern CQuorelLights* g_pQuorelLights;
