// CQuorelMusic: the mixer's music stream, one looping track.
#include "engine/Music.h"

#include "engine/Log.h"
#include "engine/Paths.h"
#include "platform/Audio.h"

#include <algorithm>

CQuorelMusic* g_pQuorelMusic = nullptr;

CQuorelMusic* CQuorelMusic::Create() {
    char error[256] = {};
    if (!PlatformAudioOpen(error, sizeof error)) {
        QuorelLog("[CQuorelMusic::Create] no audio, music is off: %s", error);
        return nullptr;
    }
    return new CQuorelMusic();
}

CQuorelMusic::~CQuorelMusic() {
    Stop();
    PlatformAudioClose();
}

void CQuorelMusic::SwitchTrack(const CStr& gamePath) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    Stop();
    m_track = gamePath;
    if (m_enabled)
        StartCurrent();
}

void CQuorelMusic::StartCurrent() {
    if (m_track.IsEmpty())
        return;
    CStr path = ResolvePath(m_track);
    m_music = FileExists(m_track.GetText()) ? PlatformLoadMusic(path.GetText()) : nullptr;
    if (!m_music) {
        QuorelLog("[CQuorelMusic::SwitchTrack] cannot play '%s'", m_track.GetText());
        return;
    }
    PlatformMusicVolume(m_volume * 128 / 100);
    if (!PlatformPlayMusicLooping(m_music))
        QuorelLog("[CQuorelMusic::SwitchTrack] '%s' did not start", m_track.GetText());
}

void CQuorelMusic::Stop() {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    PlatformHaltMusic();
    PlatformFreeMusic(m_music);
    m_music = nullptr;
}

bool CQuorelMusic::IsPlaying() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_music && PlatformMusicPlaying();
}

void CQuorelMusic::SetEnabled(bool enabled) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        Stop();
    else if (!m_music)
        StartCurrent();
}

void CQuorelMusic::SetVolume(int percent) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_volume = std::clamp(percent, 0, 100);
    PlatformMusicVolume(m_volume * 128 / 100);
}
