// Careers run in a copy of the generated world so the build's own game folder stays clean: a
// temporary working folder holding the build's data without its saved careers, and a session opened
// on it.
#pragma once

#include "career/CareerSession.h"
#include "engine/TempDir.h"

#include <filesystem>
#include <memory>

class GameCopyTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        // The saved careers are left behind rather than copied and deleted: tests running beside
        // this one save there, and a file vanishing mid-copy failed the copy.
        namespace fs = std::filesystem;
        fs::create_directories(m_dir / "data/profiles");
        for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(FB_GAME_DIR) / "data"))
            if (entry.path().filename() != "profiles")
                fs::copy(entry.path(), m_dir / "data" / entry.path().filename(), fs::copy_options::recursive);
        m_session = std::make_unique<CCareerSession>();
        m_session->Open(GameOptions());
    }
    void TearDown() override {
        m_session.reset();
        TempDirTest::TearDown();
    }

    std::unique_ptr<CCareerSession> m_session;
};
