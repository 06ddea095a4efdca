// Owning pointers to scene objects whose classes only the scene loader sees. The loader hands each
// object over with the deleter of its full type, so the match can free it without knowing it.
#pragma once

#include <memory>

template <class T> using SceneOwned = std::unique_ptr<T, void (*)(T*)>;

template <class T> SceneOwned<T> NoSceneObject() {
    return SceneOwned<T>(nullptr, nullptr);
}

// Call where T is complete; the lambda carries T's destructor.
template <class T> SceneOwned<T> AdoptSceneObject(T* object) {
    return SceneOwned<T>(object, [](T* p) { delete p; });
}
