// CQuorelEffect: a built-in shader program registered under a name the game uses ("Default", ...).
#pragma once

#include "engine/Str.h"

#include <cstdint>

class CQuorelEffect {
public:
    enum Shading { kUnlit = 0, kDiffuse = 1, kSpecular = 2 };

    CQuorelEffect(const char* name, Shading shading) : m_name(name), m_shading(shading) {}
    ~CQuorelEffect();

    const CStr& Name() const { return m_name; }
    Shading GetShading() const { return m_shading; }
    uint32_t Program() const { return m_program; }
    void SetProgram(uint32_t program) { m_program = program; }

private:
    CStr m_name;
    Shading m_shading = kDiffuse;
    uint32_t m_program = 0;
};
