// The career tests' working folder: a fresh working directory holding a copy of the generated
// data sets and an empty list of careers, with helpers to compare databases and folders.
#pragma once

#include "Bytes.h"
#include "database/Careers.h"
#include "engine/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

const int32_t kClub = 9; // a middle-league club

class CareerFolder : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        fs::path source = fs::path(FB_GAME_DIR) / "data";
        for (const char* set : {"", "EuroCup", "WorldCup"}) {
            fs::create_directories(m_dir / "data" / set);
            for (const fs::directory_entry& entry : fs::directory_iterator(source / set))
                if (entry.is_regular_file() && entry.path().extension() == ".dat")
                    fs::copy_file(entry.path(), m_dir / "data" / set / entry.path().filename());
        }
        fs::create_directories(m_dir / "data/profiles");
        Write("data/profiles/profilelist.dat", "");
    }

    // Both databases as bytes and links: equal descriptions mean equal databases.
    static std::string Describe(const CMemoryDB& world, const CMemoryDB& career) {
        std::string text;
        for (const auto& [name, bytes] : world.FileImages(false))
            text += "W " + name.Std() + " " + std::to_string(std::hash<std::string>()(bytes)) + "\n";
        for (const auto& [name, bytes] : career.FileImages(true))
            text += "C " + name.Std() + " " + std::to_string(std::hash<std::string>()(bytes)) + "\n";
        return text + DescribeLinks(world) + "----\n" + DescribeLinks(career);
    }

    // The first line where two descriptions part, for a readable failure.
    static std::string FirstDifference(const std::string& a, const std::string& b) {
        std::istringstream left(a);
        std::istringstream right(b);
        std::string lineA;
        std::string lineB;
        while (true) {
            bool moreA = static_cast<bool>(std::getline(left, lineA));
            bool moreB = static_cast<bool>(std::getline(right, lineB));
            if (!moreA && !moreB)
                return "";
            if (!moreA || !moreB || lineA != lineB)
                return "'" + (moreA ? lineA : "<end>") + "' vs '" + (moreB ? lineB : "<end>") + "'";
        }
    }

    // Every file under the working folder's "data/profiles" with a hash of its bytes: equal
    // snapshots mean nothing on disk changed.
    std::map<std::string, size_t> Snapshot() {
        std::map<std::string, size_t> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_dir / "data/profiles"))
            files[fs::relative(entry.path(), m_dir).string()] =
                entry.is_regular_file()
                    ? std::hash<std::string>()(Read(fs::relative(entry.path(), m_dir).string()))
                    : 0;
        return files;
    }

    static CPlayerStat* Stat(int32_t year, int32_t month, int32_t day, int32_t points) {
        CPlayerStat* stat = new CPlayerStat();
        stat->Field(2) = year;
        stat->Field(3) = month;
        stat->Field(4) = day;
        stat->Field(10) = points;
        return stat;
    }
};
