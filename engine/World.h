// CQuorelWorld: the arena, a list of game objects it owns.
#pragma once

#include <vector>

class CQuorelGameObject;

class CQuorelWorld {
public:
    CQuorelWorld() = default;
    virtual ~CQuorelWorld();
    CQuorelWorld(const CQuorelWorld&) = delete;
    CQuorelWorld& operator=(const CQuorelWorld&) = delete;

    // The world owns the object from then on; null is ignored.
    void AddObject(CQuorelGameObject* object);
    int GetObjectCount() const { return static_cast<int>(m_objects.size()); }
    // Null out of range.
    CQuorelGameObject* GetObject(int index) const;
    // Destroys every object.
    void Clear();
    // Renders every object in order; the number of sub-objects that passed the frustum.
    int Render(double dt, bool secondPass);

private:
    std::vector<CQuorelGameObject*> m_objects;
};
