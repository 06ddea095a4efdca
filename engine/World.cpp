// The arena's object list.
#include "engine/World.h"

#include "engine/GameObject.h"

CQuorelWorld::~CQuorelWorld() {
    Clear();
}

void CQuorelWorld::AddObject(CQuorelGameObject* object) {
    if (object)
        m_objects.push_back(object);
}

CQuorelGameObject* CQuorelWorld::GetObject(int index) const {
    if (index < 0 || index >= GetObjectCount())
        return nullptr;
    return m_objects[index];
}

void CQuorelWorld::Clear() {
    for (CQuorelGameObject* object : m_objects)
        delete object;
    m_objects.clear();
}

int CQuorelWorld::Render(double dt, bool secondPass) {
    int visible = 0;
    for (CQuorelGameObject* object : m_objects)
        visible += object->Render(dt, secondPass);
    return visible;
}
