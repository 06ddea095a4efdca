// CQuorelGameObject: one scene object (arena piece, ball, scoreboard cube, logos) loaded from the
// engine's model file, made of named sub-objects that can be drawn one by one.
#pragma once

#include "engine/Math3D.h"
#include "engine/Model.h"
#include "engine/Str.h"

#include <memory>
#include <vector>

class CQuorelLights;
class CQuorelFrustum;
class CQuorelTexture;
class CQuorelMesh;
class CQuorelEffect;
class CQuorelGameObject;

class CQuorelSubObject {
public:
    CQuorelSubObject(CQuorelGameObject* owner, int index);
    ~CQuorelSubObject();
    CQuorelSubObject(const CQuorelSubObject&) = delete;
    CQuorelSubObject& operator=(const CQuorelSubObject&) = delete;

    const CStr& GetName() const;
    // Draws with the device's current world transform and states (main thread). A replacement
    // texture takes the place of every material's own on stage 0 (the scoreboard faces).
    void Draw(CQuorelTexture* replacement = nullptr);
    // Draws only the opaque materials (translucent = false) or only the translucent ones, blended
    // without writing depth (translucent = true).
    void DrawPass(bool translucent);
    // Whether the sub-object's box, placed by world, touches the frustum.
    bool IsVisible(const Matrix4& world, const CQuorelFrustum& frustum) const;

private:
    // which: 0 opaque batches, 1 translucent batches, 2 every batch.
    void DrawBatches(CQuorelTexture* replacement, int which);

    CQuorelGameObject* m_owner = nullptr;
    int m_index = 0;
    CQuorelMesh* m_mesh = nullptr; // made at the first draw
};

class CQuorelGameObject {
public:
    CQuorelGameObject();
    virtual ~CQuorelGameObject();
    CQuorelGameObject(const CQuorelGameObject&) = delete;
    CQuorelGameObject& operator=(const CQuorelGameObject&) = delete;

    // Loads the model file and registers its textures with the texture manager: diffuse textures from
    // textureFolder, lightmaps from the manager's lightmap folder. The model carries no lights, so an
    // empty light list gets the default light. False, with a log line naming the file, when the model
    // cannot be read; the object then stays empty and draws nothing.
    bool Init(const char* name, const char* modelPath, const char* textureFolder, CQuorelLights* lights);
    // Draws every sub-object the view frustum can see, with the device's current world transform;
    // the number of sub-objects that passed the frustum. The first pass draws the opaque materials,
    // the second the translucent ones (diffuse alpha below 1), so translucent parts of the arena blend
    // over the characters drawn between the passes. An object with translucent materials needs both.
    int Render(double dt, bool secondPass);

    const CStr& GetName() const { return m_name; }
    int GetSubObjectCount() const { return static_cast<int>(m_subObjects.size()); }
    CQuorelSubObject* GetSubObject(int index) const;
    CQuorelSubObject* FindSubObject(const char* name) const;

    void SetPosition(const Vec3& position) { m_position = position; }
    const Vec3& GetPosition() const { return m_position; }

    const ModelData& GetModel() const { return m_model; }
    // Whether a material draws with its lightmap multiplied into its diffuse texture (after a draw).
    bool HasBakedLightmap(int material) const {
        return material >= 0 && material < static_cast<int>(m_textures.size()) && m_textures[material].lit;
    }
    bool IsLoaded() const { return !m_model.subObjects.empty(); }

private:
    friend class CQuorelSubObject;
    struct MaterialTextures {
        CQuorelTexture* diffuse = nullptr;  // owned by the texture manager
        CQuorelTexture* lightmap = nullptr; // owned by the texture manager
        CQuorelEffect* effect = nullptr;    // looked up at the first draw
        bool effectLooked = false;
        // The diffuse texture with the lightmap multiplied in, when both read the same coordinates.
        std::unique_ptr<CQuorelTexture> lit;
        bool litTried = false;
    };
    void Release();
    // Makes textures.lit for a material once both its textures are loaded (see the .cpp).
    void BakeLightmap(uint32_t material);

    CStr m_name;
    ModelData m_model;
    std::vector<MaterialTextures> m_textures;
    std::vector<CQuorelSubObject*> m_subObjects;
    Vec3 m_position;
};
