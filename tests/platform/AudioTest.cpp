// The WAVE reader, and the voice rules of sound tags and the music track against the real mixer
// (the dummy audio driver plays in real time without a sound card).
#include "WaveBuilder.h"

#include "engine/Log.h"
#include "engine/Music.h"
#include "engine/Sound.h"
#include "engine/Timer.h"
#include "engine/Wave.h"
#include "tests/engine/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

TEST(WaveReader, ReadsFormatAndDataWhateverTheChunkOrder) {
    std::string extra = Chunk("LIST", std::string(5, 'x')); // odd size: padded
    std::string data = Chunk("data", std::string("\x01\x02\x03\x04", 4));
    WaveData wave;
    ASSERT_TRUE(ParseWave(Riff(extra + Chunk("fmt ", FmtBody(1, 2, 44100, 16)) + data).data(),
                          Riff(extra + Chunk("fmt ", FmtBody(1, 2, 44100, 16)) + data).size(), wave));
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.sampleRate, 44100);
    EXPECT_EQ(wave.bitsPerSample, 16);
    EXPECT_EQ(wave.samples.size(), 4u);

    std::string dataFirst =
        Riff(Chunk("data", std::string(3, '\x80')) + Chunk("fmt ", FmtBody(1, 1, 8000, 8)));
    ASSERT_TRUE(ParseWave(dataFirst.data(), dataFirst.size(), wave));
    EXPECT_EQ(wave.bitsPerSample, 8);
    EXPECT_EQ(wave.samples.size(), 3u);

    std::string floats = Riff(Chunk("fmt ", FmtBody(3, 1, 48000, 32)) + Chunk("data", std::string(8, '\0')));
    ASSERT_TRUE(ParseWave(floats.data(), floats.size(), wave));
    EXPECT_TRUE(wave.isFloat);

    // The extensible header names PCM in its sub-format.
    std::string ext =
        FmtBody(0xFFFE, 1, 22050, 16) + Le16(22) + Le16(16) + Le32(4) + Le16(1) + std::string(14, '\0');
    std::string extensible = Riff(Chunk("fmt ", ext) + Chunk("data", std::string(4, '\0')));
    ASSERT_TRUE(ParseWave(extensible.data(), extensible.size(), wave));
    EXPECT_EQ(wave.bitsPerSample, 16);
}

TEST(WaveReader, RejectsWhatCannotBePlayed) {
    std::string fmt = Chunk("fmt ", FmtBody(1, 1, 22050, 16));
    std::string data = Chunk("data", std::string(4, '\0'));
    std::string good = Riff(fmt + data);
    WaveData wave;
    ASSERT_TRUE(ParseWave(good.data(), good.size(), wave));

    std::string truncated = good.substr(0, good.size() - 2);
    EXPECT_FALSE(ParseWave(truncated.data(), truncated.size(), wave)) << "data chunk runs past the end";
    std::string huge = Riff(fmt + "data" + Le32(0xFFFFFFF0u) + "ab");
    EXPECT_FALSE(ParseWave(huge.data(), huge.size(), wave));
    std::string noData = Riff(fmt);
    EXPECT_FALSE(ParseWave(noData.data(), noData.size(), wave));
    std::string noFormat = Riff(data);
    EXPECT_FALSE(ParseWave(noFormat.data(), noFormat.size(), wave));
    std::string adpcm = Riff(Chunk("fmt ", FmtBody(2, 1, 22050, 4)) + data);
    EXPECT_FALSE(ParseWave(adpcm.data(), adpcm.size(), wave));
    std::string badAlign =
        Riff(Chunk("fmt ", FmtBody(1, 1, 22050, 16).substr(0, 12) + Le16(7) + Le16(16)) + data);
    EXPECT_FALSE(ParseWave(badAlign.data(), badAlign.size(), wave));
    std::string shortFmt = Riff(Chunk("fmt ", std::string(10, '\0')) + data);
    EXPECT_FALSE(ParseWave(shortFmt.data(), shortFmt.size(), wave));
    std::string notWave = "RIFF" + Le32(4) + "AVI ";
    EXPECT_FALSE(ParseWave(notWave.data(), notWave.size(), wave));
    EXPECT_FALSE(ParseWave(nullptr, 0, wave));
}

class SoundTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        g_pQuorelLog = new CQuorelLog();
        m_sound.reset(CQuorelSound::Create());
        ASSERT_NE(m_sound, nullptr) << "the dummy audio driver should always open";
        m_long = ToneWave(3000);
        m_short = ToneWave(40);
    }
    void TearDown() override {
        m_sound.reset();
        delete g_pQuorelLog;
        g_pQuorelLog = nullptr;
        TempDirTest::TearDown();
    }
    bool RegisterLong(const char* tag, int voices, bool looping = false) {
        return m_sound->RegisterMemory(tag, m_long.data(), m_long.size(), voices, looping, tag);
    }
    std::unique_ptr<CQuorelSound> m_sound;
    std::string m_long, m_short;
};

TEST_F(SoundTest, PlayTakesTheFirstIdleVoiceAndNothingWhenAllAreBusy) {
    ASSERT_TRUE(RegisterLong("CROWD", 2));
    EXPECT_EQ(m_sound->VoiceCount("CROWD"), 2);
    m_sound->Play("CROWD");
    EXPECT_EQ(m_sound->PlayingVoices("CROWD"), 1);
    m_sound->Play("CROWD");
    EXPECT_EQ(m_sound->PlayingVoices("CROWD"), 2);
    m_sound->Play("CROWD");
    EXPECT_EQ(m_sound->PlayingVoices("CROWD"), 2) << "all voices busy: nothing more plays";
    m_sound->Stop("CROWD");
    EXPECT_EQ(m_sound->PlayingVoices("CROWD"), 0) << "stop silences every voice";
    m_sound->Play("CROWD");
    EXPECT_EQ(m_sound->PlayingVoices("CROWD"), 1) << "a stopped voice can play again";
}

TEST_F(SoundTest, TagsDoNotShareVoicesAndStopTouchesOnlyItsOwn) {
    ASSERT_TRUE(RegisterLong("BUTTON_CLICK", 3));
    ASSERT_TRUE(RegisterLong("SCROLL_CLICK", 3));
    for (int i = 0; i < 5; ++i)
        m_sound->Play("BUTTON_CLICK");
    m_sound->Play("SCROLL_CLICK");
    EXPECT_EQ(m_sound->PlayingVoices("BUTTON_CLICK"), 3);
    EXPECT_EQ(m_sound->PlayingVoices("SCROLL_CLICK"), 1);
    m_sound->Stop("BUTTON_CLICK");
    EXPECT_EQ(m_sound->PlayingVoices("SCROLL_CLICK"), 1);
    m_sound->StopAll();
    EXPECT_EQ(m_sound->PlayingVoices("SCROLL_CLICK"), 0);
}

TEST_F(SoundTest, RepeatedlyRequestedTagsNeverStack) {
    for (const char* tag : {"ATMOSPHERE", "LABDA", "LABDA_HALO", "LABDA_PALANK"}) {
        ASSERT_TRUE(RegisterLong(tag, 8, std::string(tag) == "ATMOSPHERE"));
        EXPECT_EQ(m_sound->VoiceCount(tag), 1) << tag;
        for (int frame = 0; frame < 10; ++frame)
            m_sound->Play(tag);
        EXPECT_EQ(m_sound->PlayingVoices(tag), 1) << tag;
    }
}

TEST_F(SoundTest, MutedUnknownAndUnloadableTagsPlayNothing) {
    ASSERT_TRUE(RegisterLong("BUTTON_CLICK", 2));
    m_sound->SetMuted(true);
    m_sound->Play("BUTTON_CLICK");
    EXPECT_EQ(m_sound->PlayingVoices("BUTTON_CLICK"), 0);
    m_sound->SetMuted(false);
    m_sound->Play("NOT_REGISTERED");
    EXPECT_EQ(m_sound->PlayingVoices("NOT_REGISTERED"), 0);

    EXPECT_FALSE(m_sound->Register("MISSING", "\\sounds\\missing.wav", 2, false));
    Write("sounds/broken.wav", "RIFF\x10\0\0\0WAVEjunk");
    EXPECT_FALSE(m_sound->Register("BROKEN", "\\Sounds\\broken.wav", 2, false));
    m_sound->Play("MISSING");
    m_sound->Play("BROKEN");
    EXPECT_FALSE(m_sound->IsRegistered("BROKEN"));
    int lines = 0;
    for (const CStr& line : g_pQuorelLog->Entries())
        lines += line.Find("missing.wav") >= 0 || line.Find("broken.wav") >= 0;
    EXPECT_EQ(lines, 2);
    Write("sounds/click.wav", m_short);
    EXPECT_TRUE(m_sound->Register("FROM_FILE", "\\SOUNDS\\Click.WAV", 1, false));
}

TEST_F(SoundTest, ShortSoundsFreeTheirVoiceWhileLoopsKeepPlaying) {
    ASSERT_TRUE(m_sound->RegisterMemory("CLICK", m_short.data(), m_short.size(), 1, false));
    ASSERT_TRUE(m_sound->RegisterMemory("LOOP", m_short.data(), m_short.size(), 1, true));
    m_sound->Play("CLICK");
    m_sound->Play("LOOP");
    uint32_t start = GetTickCountMs();
    while (m_sound->PlayingVoices("CLICK") > 0 && GetTickCountMs() - start < 5000)
        SleepMs(10);
    EXPECT_EQ(m_sound->PlayingVoices("CLICK"), 0) << "a 40 ms click ends";
    EXPECT_EQ(m_sound->PlayingVoices("LOOP"), 1) << "a looping sound plays on";
    m_sound->Play("CLICK");
    EXPECT_EQ(m_sound->PlayingVoices("CLICK"), 1) << "the freed voice plays again";
}

TEST_F(SoundTest, ReRegisteringATagWhilePlayingReplacesItSafely) {
    ASSERT_TRUE(RegisterLong("CROWD", 2));
    m_sound->Play("CROWD");
    ASSERT_TRUE(m_sound->RegisterMemory("CROWD", m_short.data(), m_short.size(), 2, false));
    EXPECT_EQ(m_sound->PlayingVoices("CROWD"), 0) << "the old sample stops before it is freed";
    m_sound->SetVolume(250);
    EXPECT_EQ(m_sound->Volume(), 100);
    m_sound->SetVolume(-5);
    EXPECT_EQ(m_sound->Volume(), 0);
}

TEST(AudioDevice, WithoutOneSoundAndMusicAreAbsent) {
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    std::string saved = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    std::unique_ptr<CQuorelSound> sound(CQuorelSound::Create());
    std::unique_ptr<CQuorelMusic> music(CQuorelMusic::Create());
    if (previous)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(music, nullptr);
}

class MusicTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        g_pQuorelLog = new CQuorelLog();
        m_music.reset(CQuorelMusic::Create());
        ASSERT_NE(m_music, nullptr);
        Write("music/001_menu_theme.wav", ToneWave(50));
    }
    void TearDown() override {
        m_music.reset();
        delete g_pQuorelLog;
        g_pQuorelLog = nullptr;
        TempDirTest::TearDown();
    }
    std::unique_ptr<CQuorelMusic> m_music;
};

TEST_F(MusicTest, SwitchTrackPlaysAndLoopsUntilStopped) {
    m_music->SwitchTrack("music\\001_MENU_THEME.wav");
    EXPECT_TRUE(m_music->IsPlaying());
    SleepMs(300); // several times the track's length
    EXPECT_TRUE(m_music->IsPlaying()) << "the track starts again at its end";
    m_music->Stop();
    EXPECT_FALSE(m_music->IsPlaying());
}

TEST_F(MusicTest, MissingTrackIsSilentAndDisabledMusicWaits) {
    m_music->SwitchTrack("music\\001_menu_theme.wav");
    m_music->SwitchTrack("music\\no_such_track.mp3");
    EXPECT_FALSE(m_music->IsPlaying()) << "the old track stopped, the new one is missing";
    Write("music/corrupt.mp3", std::string(4096, '\x5A'));
    m_music->SwitchTrack("music\\corrupt.mp3");
    EXPECT_FALSE(m_music->IsPlaying()) << "a file that is not music plays nothing";
    m_music->SetEnabled(false);
    m_music->SwitchTrack("music\\001_menu_theme.wav");
    EXPECT_FALSE(m_music->IsPlaying());
    m_music->SetEnabled(true);
    EXPECT_TRUE(m_music->IsPlaying()) << "switching music on plays the chosen track";
    EXPECT_EQ(m_music->CurrentTrack().Std(), "music\\001_menu_theme.wav");
}
