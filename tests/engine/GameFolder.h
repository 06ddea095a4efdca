// The built game folder as the working directory, with a private copy of its data folder: tests
// that start and save careers run side by side without sharing the saved-careers list, and leave
// the game folder that the player starts from untouched.
#pragma once

#include "TempDir.h"

#include <filesystem>

class GameFolderTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        namespace fs = std::filesystem;
        const fs::path game(FB_GAME_DIR);
        // The options are copied: the game writes them when they are missing, and through a link
        // that would be into the build's game folder.
        for (const fs::directory_entry& entry : fs::directory_iterator(game)) {
            if (entry.path().filename() == "guifiles")
                fs::copy(entry.path(), m_dir / "guifiles", fs::copy_options::recursive);
            else if (entry.path().filename() != "data")
                fs::create_symlink(entry.path(), m_dir / entry.path().filename());
        }
        // The saved careers stay behind: tests running beside this one save there, and a file
        // vanishing mid-copy failed the copy.
        fs::create_directories(m_dir / "data/profiles");
        for (const fs::directory_entry& entry : fs::directory_iterator(game / "data"))
            if (entry.path().filename() != "profiles")
                fs::copy(entry.path(), m_dir / "data" / entry.path().filename(), fs::copy_options::recursive);
    }
};
