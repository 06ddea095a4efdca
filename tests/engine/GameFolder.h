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
        for (const fs::directory_entry& entry : fs::directory_iterator(game)) {
            if (entry.path().filename() != "data") {
                fs::create_symlink(entry.path(), m_dir / entry.path().filename());
            }
        }
        fs::copy(game / "data", m_dir / "data", fs::copy_options::recursive);
        fs::remove_all(m_dir / "data/profiles");
        fs::create_directories(m_dir / "data/profiles");
    }
};
