// CQuorelLights: a plain list; the device reads the first few when it lights a mesh.
#include "engine/Lights.h"

#include <cstddef>

CQuorelLights* g_pQuorelLights = nullptr;

CQuorelLights::CQuorelLights() = default;

void CQuorelLights::Clear() {
    m_lights.clear();
}

int CQuorelLights::Add(const QuorelLight& light) {
    m_lights.push_back(light);
    return static_cast<int>(m_lights.size()) - 1;
}

QuorelLight* CQuorelLights::GetLight(int index) {
    return index >= 0 && index < Count() ? &m_lights[static_cast<std::size_t>(index)] : nullptr;
}

const QuorelLight* CQuorelLights::GetLight(int index) const {
    return index >= 0 && index < Count() ? &m_lights[static_cast<std::size_t>(index)] : nullptr;
}

void CQuorelLights::SetAmbient(float r, float g, float b) {
    m_ambient[0] = r;
    m_ambient[1] = g;
    m_ambient[2] = b;
}

void CQuorelLights::SetDefault() {
    Clear();
    QuorelLight sun;
    sun.type = QuorelLight::kDirectional;
    sun.direction = Vec3(0.3f, -1.0f, 0.5f);
    sun.direction.Normalize();
    sun.specular[0] = sun.specular[1] = sun.specular[2] = 0.5f;
    Add(sun);
    SetAmbient(0.35f, 0.35f, 0.35f);
}
