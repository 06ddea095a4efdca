// CQuorelTextureManager: registry by resolved path, lightmap folder, shared GUI images.
#include "engine/TextureManager.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <iterator>
#include <vector>

CQuorelTextureManager* g_pQuorelTextureManager = nullptr;

CQuorelTextureManager::~CQuorelTextureManager() {
    ReleaseAll();
}

CQuorelTexture* CQuorelTextureManager::Register(const char* gamePath) {
    if (!gamePath || !*gamePath)
        return nullptr;
    std::string key = ResolvePath(gamePath).Std();
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_records.find(key);
    if (found != m_records.end())
        return found->second;
    auto* texture = new CQuorelTexture(gamePath);
    m_records.emplace(key, texture);
    return texture;
}

CQuorelTexture* CQuorelTextureManager::RegisterLightmap(const char* fileName) {
    if (!fileName || !*fileName)
        return nullptr;
    CStr path = GetLightmapDir();
    if (!path.IsEmpty() && path.CharAt(static_cast<int>(path.Length()) - 1) != '\\' &&
        path.CharAt(static_cast<int>(path.Length()) - 1) != '/')
        path.Append("\\");
    path.Append(fileName);
    return Register(path.GetText());
}

CQuorelTexture* CQuorelTextureManager::Find(const char* gamePath) const {
    if (!gamePath)
        return nullptr;
    std::string key = ResolvePath(gamePath).Std();
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_records.find(key);
    return found == m_records.end() ? nullptr : found->second;
}

int CQuorelTextureManager::LoadAll() {
    std::vector<CQuorelTexture*> pending;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& [key, texture] : m_records)
            if (!texture->IsLoaded())
                pending.push_back(texture);
    }
    // Decoding happens outside the lock so other threads can register meanwhile.
    int failed = 0;
    for (CQuorelTexture* texture : pending)
        if (!texture->Load())
            ++failed;
    return failed;
}

void CQuorelTextureManager::ReleaseAll() {
    std::map<std::string, CQuorelTexture*> records;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        records.swap(m_records);
    }
    for (auto& [key, texture] : records)
        delete texture;
}

int CQuorelTextureManager::Count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_records.size());
}

void CQuorelTextureManager::SetLightmapDir(const char* folder) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lightmapDir = folder ? folder : "";
}

CStr CQuorelTextureManager::GetLightmapDir() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lightmapDir;
}

std::shared_ptr<CQuorelTexture> CQuorelTextureManager::LoadShared(const char* gamePath) {
    if (!gamePath || !*gamePath)
        return nullptr;
    std::string key = ResolvePath(gamePath).Std();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto found = m_shared.find(key);
        if (found != m_shared.end())
            if (std::shared_ptr<CQuorelTexture> alive = found->second.lock())
                return alive;
    }
    auto texture = std::make_shared<CQuorelTexture>(gamePath);
    if (!texture->Load())
        return nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    // Another thread may have loaded the same file meanwhile; keep the first copy.
    // Forget images nobody holds any more, so the cache does not grow with every picture ever shown.
    for (auto it = m_shared.begin(); it != m_shared.end();)
        it = it->second.expired() ? m_shared.erase(it) : std::next(it);
    std::weak_ptr<CQuorelTexture>& slot = m_shared[key];
    if (std::shared_ptr<CQuorelTexture> alive = slot.lock())
        return alive;
    slot = texture;
    return texture;
}

bool CQuorelTextureManager::FirstFailure(const CStr& resolvedPath) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_reportedFailures.insert(resolvedPath.Std()).second;
}
