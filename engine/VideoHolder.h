// CQuorelVideoHolder: the place a video would be shown on a texture. The game plays no video, so it only
// exists in the singleton order and holds no texture.
#pragma once

class CQuorelTexture;

class CQuorelVideoHolder {
public:
    CQuorelVideoHolder();
    ~CQuorelVideoHolder();
    CQuorelTexture* GetTexture() const { return nullptr; }
    bool IsPlaying() const { return false; }
};

extern CQuorelVideoHolder* g_pQuorelVideo;
