// CQuorelTextureManager: the registry of model textures and lightmaps, and a shared cache of GUI images.
#pragma once

#include "engine/Str.h"
#include "engine/Texture.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class CQuorelTextureManager {
public:
    CQuorelTextureManager() = default;
    ~CQuorelTextureManager();

    // The record for the file, added once per resolved path; not loaded until LoadAll.
    CQuorelTexture* Register(const char* gamePath);
    // A lightmap file name looked up in the folder given by SetLightmapDir.
    CQuorelTexture* RegisterLightmap(const char* fileName);
    CQuorelTexture* Find(const char* gamePath) const;
    // Loads every registered record not loaded yet; the number that failed.
    int LoadAll();
    // Deletes every record (pointers handed out before become invalid).
    void ReleaseAll();
    int Count() const;

    void SetLightmapDir(const char* folder);
    CStr GetLightmapDir() const;

    // One decoded copy of a GUI image per path while anyone holds it; null when it cannot be loaded.
    std::shared_ptr<CQuorelTexture> LoadShared(const char* gamePath);

    // True the first time a file is reported, so a missing image is logged once, not every frame.
    bool FirstFailure(const CStr& resolvedPath);

private:
    mutable std::mutex m_mutex;
    std::map<std::string, CQuorelTexture*> m_records;
    std::map<std::string, std::weak_ptr<CQuorelTexture>> m_shared;
    std::set<std::string> m_reportedFailures;
    CStr m_lightmapDir;
};

extern CQuorelTextureManager* g_pQuorelTextureManager;
