// Paths, INI files and the log: mixed letter case, missing files and atomic writes.
#include "TempDir.h"
#include "engine/Ini.h"
#include "engine/Log.h"
#include "engine/Paths.h"

using PathResolution = TempDirTest;
using IniFiles = TempDirTest;
using EngineLog = TempDirTest;

TEST_F(PathResolution, BackslashesAndAnyLetterCaseFindTheFile) {
    Write("images/WinObjects/STADIONADVELEMENTS/roof.png", "png");
    std::string expected = (m_dir / "images/WinObjects/STADIONADVELEMENTS/roof.png").string();
    EXPECT_EQ(ResolvePath("\\images\\winobjects\\stadionadvelements\\roof.png").Std(), expected);
    EXPECT_EQ(ResolvePath("\\images\\WinObjects\\STADIONADVELEMENTS\\ROOF.PNG").Std(), expected);
    EXPECT_EQ(ResolvePath("images//winobjects\\\\StadionAdvElements/roof.png").Std(), expected);
    // The working directory joined by hand, as some screens build paths, resolves the same.
    CStr joined = GetWorkingDir().Concat("\\Images\\winobjects\\stadionadvelements\\roof.png");
    EXPECT_EQ(ResolvePath(joined).Std(), expected);
    EXPECT_TRUE(FileExists("\\IMAGES\\winobjects\\stadionadvelements\\Roof.png"));
}

TEST_F(PathResolution, MissingFilesAreEmptyResultsAndWritesAreAtomic) {
    std::string data = "left alone";
    EXPECT_FALSE(FileExists("\\nothing\\here.dat"));
    EXPECT_FALSE(ReadWholeFile("\\nothing\\here.dat", data));
    EXPECT_TRUE(data.empty());
    // A folder opens as a stream but cannot be read; it is no file rather than an exception.
    ASSERT_TRUE(CreateDirectories("\\a_folder"));
    data = "left alone";
    EXPECT_FALSE(ReadWholeFile("\\a_folder", data));
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(ResolvePath("\\Nothing\\Here.dat").Std(), (m_dir / "Nothing/Here.dat").string());

    ASSERT_TRUE(CreateDirectories("\\data\\profiles\\Career1"));
    ASSERT_TRUE(WriteFileAtomic("\\data\\profiles\\Career1\\team.dat", "v1"));
    ASSERT_TRUE(WriteFileAtomic("\\DATA\\Profiles\\career1\\team.dat", "v2"));
    EXPECT_EQ(Read("data/profiles/Career1/team.dat"), "v2");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "data/profiles/Career1/team.dat.tmp"));
    // A folder that cannot be written to fails and leaves nothing behind.
    EXPECT_FALSE(WriteFileAtomic("\\no_such_folder\\x.dat", "v"));

    auto folders = ListDirectory("\\data\\profiles", true);
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_STREQ(folders[0].GetText(), "Career1");
    EXPECT_TRUE(RemovePath("\\data\\profiles\\career1"));
    EXPECT_FALSE(DirectoryExists("\\data\\profiles\\Career1"));
}

TEST_F(IniFiles, CaseInsensitiveReadsWithEmptyDefault) {
    Write("guifiles/Options.ini",
          "; options\r\n[SOUND]\r\nEnableMusic = 1\r\nMusicVolume=80\r\n\r\n[Visual]\r\n"
          "Enable3DSimulation=0\r\nLangFilePath=\"guifiles\\lang_en.txt\"\r\n");
    EXPECT_STREQ(IniGetString("sound", "enablemusic", "", "\\guifiles\\Options.ini").GetText(), "1");
    EXPECT_EQ(IniGetInt("SOUND", "MusicVolume", 0, "\\guifiles\\options.ini"), 80);
    EXPECT_STREQ(IniGetString("VISUAL", "LangFilePath", "", "\\guifiles\\Options.ini").GetText(),
                 "guifiles\\lang_en.txt");
    EXPECT_STREQ(IniGetString("VISUAL", "EnableMusic", "", "\\guifiles\\Options.ini").GetText(), "");
    EXPECT_STREQ(IniGetString("SOUND", "Missing", "dflt", "\\guifiles\\Options.ini").GetText(), "dflt");
    EXPECT_STREQ(IniGetString("SOUND", "EnableMusic", "", "\\guifiles\\Absent.ini").GetText(), "");
}

TEST_F(IniFiles, WritesCreateFileSectionAndKeyAndKeepTheRest) {
    ASSERT_TRUE(IniWriteString("SOUND", "EnableMusic", "0", "\\opts.ini"));
    ASSERT_TRUE(IniWriteString("VISUAL", "Enable3DSimulation", "1", "\\opts.ini"));
    ASSERT_TRUE(IniWriteString("sound", "MusicVolume", "55", "\\opts.ini"));
    ASSERT_TRUE(IniWriteString("Sound", "enablemusic", "1", "\\opts.ini"));
    EXPECT_STREQ(IniGetString("SOUND", "EnableMusic", "", "\\opts.ini").GetText(), "1");
    EXPECT_STREQ(IniGetString("SOUND", "MusicVolume", "", "\\opts.ini").GetText(), "55");
    EXPECT_STREQ(IniGetString("VISUAL", "Enable3DSimulation", "", "\\opts.ini").GetText(), "1");
    std::string text = Read("opts.ini");
    // The new key joins its own section, not the last one.
    EXPECT_LT(text.find("MusicVolume"), text.find("[VISUAL]"));
    EXPECT_EQ(text.find("enablemusic"), std::string::npos);
}

TEST_F(EngineLog, EntriesAreAppendedToLogFileAsTheyCome) {
    Write("log.txt", "earlier run\n");
    auto* log = new CQuorelLog();
    log->Add("[CQuorelGameObject::Init] Init : [%s] [%s] [%s]", "arena", "\\objects\\arena.qmf",
             "\\textures\\");
    EXPECT_EQ(log->Entries().size(), 1u);
    // On the disk at once: a crash now would not lose it.
    EXPECT_EQ(Read("log.txt"), "earlier run\n[CQuorelGameObject::Init] Init : [arena] [\\objects\\arena.qmf] "
                               "[\\textures\\]\n");
    delete log;
    EXPECT_EQ(Read("log.txt"), "earlier run\n[CQuorelGameObject::Init] Init : [arena] [\\objects\\arena.qmf] "
                               "[\\textures\\]\n");
}
