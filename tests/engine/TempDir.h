// A fresh folder that becomes the working directory for one test, restored and removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "fastbreak-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        std::filesystem::current_path(m_dir);
    }
    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_dir);
    }
    void Write(const std::string& relative, const std::string& text) {
        std::filesystem::path path = m_dir / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string Read(const std::string& relative) {
        std::ifstream in(m_dir / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_previous;
};
