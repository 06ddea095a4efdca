// CQuorelVideoHolder: present for the start-up order; no screen of the game plays a video.
#include "engine/VideoHolder.h"

CQuorelVideoHolder* g_pQuorelVideo = nullptr;

CQuorelVideoHolder::CQuorelVideoHolder() = default;

CQuorelVideoHolder::~CQuorelVideoHolder() = default;
