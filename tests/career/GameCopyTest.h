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
        std::filesystem::copy(std::filesystem::path(FB_GAME_DIR) / "data", m_dir / "data",
                              std::filesystem::copy_options::recursive);
        std::filesystem::remove_all(m_dir / "data/profiles");
        std::filesystem::create_directories(m_dir / "data/profiles");
        m_session = std::make_unique<CCareerSession>();
        m_session->Open(GameOptions());
    }
    void TearDown() override {
        m_session.reset();
        TempDirTest::TearDown();
    }

    std::unique_ptr<CCareerSession> m_session;
};
