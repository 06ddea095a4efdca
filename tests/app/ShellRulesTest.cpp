// The application shell's small rules: money text, text files, options, frame step and view choice.
#include "app/FrameTiming.h"
#include "career/Options.h"
#include "engine/TempDir.h"
#include "gui/TextTable.h"
#include "screens/FormatMoney.h"

#include <gtest/gtest.h>

TEST(MoneyText, GroupsDigitsAfterUnitBlankAndSign) {
    EXPECT_STREQ(FormatMoney(CStr("1500000"), ',', '$').GetText(), "$ 1,500,000");
    EXPECT_STREQ(FormatMoney(CStr("-250"), ',', '$').GetText(), "$ -250");
    EXPECT_STREQ(FormatMoney(CStr("999"), ',', '$').GetText(), "$ 999");
    EXPECT_STREQ(FormatMoney(CStr("1000"), ',', '$').GetText(), "$ 1,000");
    EXPECT_STREQ(FormatMoney(CStr("-1234567"), ',', '$').GetText(), "$ -1,234,567");
    EXPECT_STREQ(FormatMoney(CStr("50000.00"), ' ', '$').GetText(), "$ 50 000.00");
    EXPECT_STREQ(FormatMoney(CStr("12345"), ',', ' ').GetText(), "  12,345");
    EXPECT_STREQ(FormatMoney(0).GetText(), "$ 0");
}

TEST(TextFiles, PairsWithUnderscoresAsBlanks) {
    CTextTable table;
    table.LoadFromText("60001 Sunday\n70001\tJanuary 100166 Creating_your_career_...\r\n"
                       "abc 5 60001 Again 42");
    EXPECT_STREQ(table.Get(60001).GetText(), "Sunday");
    EXPECT_STREQ(table.Get(70001).GetText(), "January");
    EXPECT_STREQ(table.Get(100166).GetText(), "Creating your career ...");
    // A stray word is skipped and the pairing picks up again at the next id.
    EXPECT_STREQ(table.Get(5).GetText(), "60001");
    EXPECT_TRUE(table.Get(123).IsEmpty());
    EXPECT_FALSE(table.Has(123));
    EXPECT_TRUE(table.Get(42).IsEmpty());
}

using OptionsFile = TempDirTest;

TEST_F(OptionsFile, MissingFileGivesDefaultsAndIsCreated) {
    Write("guifiles/.keep", "");
    GameOptions options = LoadOptions();
    EXPECT_TRUE(options.enableMusic);
    EXPECT_TRUE(options.enableVideoCube);
    EXPECT_FALSE(options.enableFastSimulation);
    EXPECT_EQ(options.musicVolume, 80);
    EXPECT_STREQ(options.langFilePath.GetText(), "guifiles\\lang_en.txt");
    EXPECT_NE(Read("guifiles/Options.ini").find("EnableVideoCube=1"), std::string::npos);
}

TEST_F(OptionsFile, FlagsAreOnUnlessZeroAndSurviveARoundTrip) {
    Write("guifiles/Options.ini",
          "[SOUND]\nEnableMusic=0\nEffectVolume=250\n[VISUAL]\nEnable3DSimulation=yes\n"
          "EnableVideoCube=0\n[PERFORMANCE]\nEnableLeagueSimulation=2\n");
    GameOptions options = LoadOptions();
    EXPECT_FALSE(options.enableMusic);
    EXPECT_TRUE(options.enableEffect);
    EXPECT_EQ(options.effectVolume, 100);
    EXPECT_TRUE(options.enable3DSimulation);
    EXPECT_FALSE(options.enableVideoCube);
    EXPECT_TRUE(options.enableLeagueSimulation);

    options.musicVolume = 35;
    options.enableFastSimulation = true;
    ASSERT_TRUE(SaveOptions(options));
    GameOptions again = LoadOptions();
    EXPECT_EQ(again.musicVolume, 35);
    EXPECT_TRUE(again.enableFastSimulation);
    EXPECT_FALSE(again.enableMusic);
    EXPECT_FALSE(again.enableVideoCube);
}

TEST(FrameStep, HundredthAtTargetRateAndBoundedBelowIt) {
    EXPECT_FLOAT_EQ(FrameStepForFps(62.0f), 0.01f);
    EXPECT_FLOAT_EQ(FrameStepForFps(300.0f), 0.01f);
    EXPECT_NEAR(FrameStepForFps(31.0f), 0.02f, 1e-6f);
    EXPECT_FLOAT_EQ(FrameStepForFps(2.0f), 0.05f);
    EXPECT_FLOAT_EQ(FrameStepForFps(0.0f), 0.05f);
    EXPECT_FLOAT_EQ(MatchFrameStep(0.01f, true, true), 0.0f);
    EXPECT_FLOAT_EQ(MatchFrameStep(0.01f, false, true), 0.02f);
}

TEST(FrameStep, RecomputedOnlyEveryThirtyFrames) {
    CFrameTimer timer;
    double t = 0.0;
    timer.Tick(t);
    for (int i = 0; i < 29; ++i)
        EXPECT_FLOAT_EQ(timer.Tick(t += 1.0 / 31.0), 0.01f);
    EXPECT_NEAR(timer.Tick(t += 1.0 / 31.0), 0.02f, 1e-4f);
}

TEST(FrameViewChoice, OneViewByPriority) {
    FrameFlags f;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Intro);
    f.introFinished = true;
    f.matchRunning = true;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Loading);
    f.loaded = true;
    f.wait3D = true;
    f.view3D = true;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Wait);
    f.wait3D = false;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Match3D);
    f.view3D = false;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Match2D);
    f.matchRunning = false;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Gui);
    f.oneDayWait = true;
    EXPECT_EQ(ChooseFrameView(f), FrameView::Wait);
}
