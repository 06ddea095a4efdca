// CQuorelMusic: one music track at a time, looping at its end. Absent (null) without an audio device.
#pragma once

#include "engine/Str.h"

#include <mutex>

// The three menu music tracks; the shell starts the first, the end of a match picks one.
inline constexpr const char* kMenuTracks[3] = {"\\music\\001_menu_theme.wav", "\\music\\002_menu_theme.wav",
                                               "\\music\\003_menu_theme.wav"};

class CQuorelMusic {
public:
    // Null, with a log line, when the audio device cannot be opened.
    static CQuorelMusic* Create();
    ~CQuorelMusic();
    CQuorelMusic(const CQuorelMusic&) = delete;
    CQuorelMusic& operator=(const CQuorelMusic&) = delete;

    // Stops the current track and plays the file (a game path such as "\music\001_menu_theme.wav"),
    // looping. A missing or unreadable file logs once and leaves the music silent.
    void SwitchTrack(const CStr& gamePath);
    void Stop();
    bool IsPlaying() const;
    const CStr& CurrentTrack() const { return m_track; }

    // Off keeps the track name but stays silent until switched on again.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_enabled; }
    // 0..100.
    void SetVolume(int percent);
    int Volume() const { return m_volume; }

private:
    CQuorelMusic() = default;
    void StartCurrent();

    mutable std::recursive_mutex m_mutex;
    CStr m_track;
    void* m_music = nullptr; // the mixer's track
    bool m_enabled = true;
    int m_volume = 100;
};

extern CQuorelMusic* g_pQuorelMusic;
