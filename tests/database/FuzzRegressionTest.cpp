// The fuzz targets' regression corpus, replayed in every build: damaged careers lists, missing
// tables, short counts, trailing bytes, huge counts and bad dates must each be handled as the
// fuzzers require, and each damaged career must be refused while the sound one loads.
#include "engine/TempDir.h"
#include "tools/recordfuzz/FuzzChecks.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Corpus(const char* target) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(FB_TEST_DATA_DIR) / "fuzz" / target))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const uint8_t* Data(const std::string& bytes) {
    return reinterpret_cast<const uint8_t*>(bytes.data());
}

class FuzzRegressions : public TempDirTest {};

} // namespace

TEST_F(FuzzRegressions, DamagedCareersAreRefusedAndTheSoundOneLoads) {
    std::vector<fs::path> files = Corpus("career");
    ASSERT_GE(files.size(), 10u);
    for (const fs::path& file : files) {
        std::string bytes = Bytes(file);
        int loaded = -1;
        EXPECT_EQ(fuzz::CheckCareerInput(Data(bytes), bytes.size(), &loaded), "") << file.filename();
        bool shouldLoad = file.filename().string().rfind("loads-", 0) == 0;
        EXPECT_EQ(loaded, shouldLoad ? 1 : 0) << file.filename();
    }
}

TEST_F(FuzzRegressions, TableFilesIniAndXmlInputsPassTheirChecks) {
    for (const char* target : {"tables", "ini", "xml"}) {
        std::vector<fs::path> files = Corpus(target);
        ASSERT_FALSE(files.empty()) << target;
        for (const fs::path& file : files) {
            std::string bytes = Bytes(file);
            std::string problem =
                target == std::string("tables") ? fuzz::CheckTableInput(Data(bytes), bytes.size())
                : target == std::string("ini")  ? fuzz::CheckIniInput(Data(bytes), bytes.size())
                                                : fuzz::CheckXmlInput(Data(bytes), bytes.size());
            EXPECT_EQ(problem, "") << file.filename();
        }
    }
}

TEST(FuzzRegressionTables, DamagedTablesAreRefusedWithAReason) {
    for (const char* name : {"trailing-bytes-teamlist", "short-count-teamlist", "huge-count-playerstats",
                             "negative-count-loan"}) {
        std::string bytes = Bytes(fs::path(FB_TEST_DATA_DIR) / "fuzz/tables" / name);
        std::string file = bytes.substr(1);
        CStr error;
        bool read = bytes[0] == 1   ? CTeamList().ReadBytes(file, error)
                    : bytes[0] == 7 ? CPlayerStatList().ReadBytes(file, error)
                                    : CLoanList().ReadBytes(file, error);
        EXPECT_FALSE(read) << name;
        EXPECT_FALSE(error.IsEmpty()) << name;
    }
    // The garbled careers list keeps its damaged line for the next write.
    CProfileList list;
    list.ReadText(Bytes(fs::path(FB_TEST_DATA_DIR) / "fuzz/tables/garbled-careers-list").substr(1));
    EXPECT_EQ(list.Size(), 1);
    ASSERT_EQ(list.KeptLines().size(), 2u);
    EXPECT_EQ(list.KeptLines()[0].substr(0, 9), "0|Anna_0|");
    EXPECT_NE(list.NextId(), 0);
}
