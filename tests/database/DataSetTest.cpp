// The generated data sets: sound by the validator, readable as the game reads them, and written
// back byte for byte with the same links.
#include "Bytes.h"
#include "database/Careers.h"
#include "database/Validate.h"
#include "engine/Paths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

std::string GameFolder(int32_t dataSet) {
    std::string folder = std::string(FB_GAME_DIR) + DataSetFolder(dataSet);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return folder;
}

std::set<int32_t> DataTextIds() {
    std::set<int32_t> ids;
    std::ifstream in(std::string(FB_GAME_DIR) + "/guifiles/lang_data_en.txt");
    int32_t id = 0;
    std::string word;
    while (in >> id >> word)
        ids.insert(id);
    return ids;
}

} // namespace

class GeneratedDataSet : public ::testing::TestWithParam<int32_t> {};

TEST_P(GeneratedDataSet, PassesTheValidatorAndRoundTrips) {
    int32_t dataSet = GetParam();
    CMemoryDB world;
    ASSERT_TRUE(world.LoadFolder(GameFolder(dataSet).c_str()));
    std::set<int32_t> texts = DataTextIds();
    ASSERT_FALSE(texts.empty());
    for (const CStr& problem : ValidateWorldData(world, dataSet, texts))
        ADD_FAILURE() << problem.GetText();

    // A stadium's capacity is the sum of its parts' seats; played positions start as natural ones.
    for (const CStadiumRecord* stadium : world.stadiums)
        EXPECT_EQ(stadium->capacity, 5000);
    for (const CPlayer* player : world.players)
        EXPECT_EQ(player->words[kWordPlayedPosition], player->words[kWordPosition]);
    // Nobody shares a name with another player or staff member of the set: a squad with two of
    // one name cannot be told apart on any screen.
    std::set<CStr> names;
    for (const CPlayer* player : world.players)
        EXPECT_TRUE(names.insert(player->name).second) << "player " << player->name.GetText();
    for (const CStaffRecord* member : world.staff)
        EXPECT_TRUE(names.insert(member->name).second) << "staff " << member->name.GetText();

    std::filesystem::path temp =
        std::filesystem::temp_directory_path() /
        ("fastbreak-dataset-" + std::to_string(dataSet) + "-" + std::to_string(getpid()));
    ASSERT_TRUE(world.SaveFolder(temp.string().c_str(), false));
    CMemoryDB again;
    ASSERT_TRUE(again.LoadFolder(temp.string().c_str()));
    EXPECT_TRUE(again.FileImages(true) == world.FileImages(true));
    EXPECT_EQ(DescribeLinks(again), DescribeLinks(world));
    // The files on disk are exactly what was generated.
    for (const auto& [name, bytes] : world.FileImages(false)) {
        std::string original;
        ASSERT_TRUE(ReadWholeFile((GameFolder(dataSet) + name.Std()).c_str(), original)) << name.GetText();
        EXPECT_TRUE(original == bytes) << name.GetText();
    }
    std::filesystem::remove_all(temp);
}

INSTANTIATE_TEST_SUITE_P(AllSets, GeneratedDataSet,
                         ::testing::Values(kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup));

TEST(GeneratedDataSetContent, LeaguesChainAndTournamentGroupsMatchTheFixedTables) {
    CMemoryDB base;
    ASSERT_TRUE(base.LoadFolder(GameFolder(kDataSetLeague).c_str()));
    ASSERT_EQ(base.leagues.Size(), 3);
    EXPECT_EQ(base.leagues.At(0)->promotionLeague, 1);
    EXPECT_EQ(base.leagues.At(2)->relegationLeague, 1);
    // The top league's id must be the top class for the team factor and the class to agree.
    EXPECT_EQ(base.leagues.At(2)->classNumber % 3, 2);
    int freeAgents = 0;
    for (const CPlayer* player : base.players)
        freeAgents += player->teamId == -1;
    EXPECT_GE(freeAgents, 10);
    // The last sponsor offer is of kind 1: the offer draw almost never reaches it.
    EXPECT_EQ(base.sponsorOffers.At(base.sponsorOffers.Size() - 1)->kind, 1);

    for (int32_t dataSet : {kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB cup;
        ASSERT_TRUE(cup.LoadFolder(GameFolder(dataSet).c_str()));
        const auto& groups = TournamentGroups(dataSet);
        ASSERT_EQ(cup.leagues.Size(), 4);
        for (size_t group = 0; group < groups.size(); ++group) {
            std::vector<int32_t> ids;
            for (const CTeam* team : cup.leagues.At(static_cast<int>(group))->teams)
                ids.push_back(team->id);
            EXPECT_EQ(ids, groups[group]) << dataSet << " group " << group;
        }
    }
}

// The shop's prices follow the goods: home and away jerseys and hoodies cost more than caps and
// scarves, and a key ring costs least.
TEST(GeneratedWorld, FunShopPricesFollowTheGoods) {
    CMemoryDB world;
    ASSERT_TRUE(world.LoadFolder(GameFolder(kDataSetLeague).c_str()));
    std::map<int32_t, int32_t> sale; // by name text
    for (const CFunShopItem* item : world.funShopItems)
        sale[item->nameTextId] = item->salePrice;
    constexpr int32_t kCaps = 200164, kScarves = 200165, kHomeJerseys = 200166, kAwayJerseys = 200167,
                      kKeyRings = 200171, kHoodies = 200174;
    ASSERT_EQ(sale.size(), 16u);
    for (int32_t dear : {kHomeJerseys, kAwayJerseys, kHoodies})
        for (int32_t cheap : {kCaps, kScarves})
            EXPECT_GT(sale[dear], sale[cheap]) << dear << " against " << cheap;
    for (const auto& [text, price] : sale) {
        if (text != kKeyRings) {
            EXPECT_GT(price, sale[kKeyRings]) << text;
        }
    }
}

TEST(Validator, CatchesBrokenLinksAndRowsThatAreNotIds) {
    CMemoryDB world;
    ASSERT_TRUE(world.LoadFolder(GameFolder(kDataSetLeague).c_str()));
    std::set<int32_t> texts = DataTextIds();
    ASSERT_TRUE(ValidateWorldData(world, kDataSetLeague, texts).empty());

    world.teams.At(3)->id = 99;                      // row is no longer the id
    world.players.At(0)->teamId = 500;               // link to nowhere
    world.teams.At(5)->stadiumKey = "std_moon_01";   // no such arena
    world.funShopItems.At(2)->deliveryDays = 0;      // would never arrive
    world.emailTemplates.At(4)->bodyTextId = 809999; // text nobody wrote
    world.Link();
    std::vector<CStr> problems = ValidateWorldData(world, kDataSetLeague, texts);
    auto mentions = [&](const char* text) {
        for (const CStr& problem : problems)
            if (problem.Find(text) >= 0)
                return true;
        return false;
    };
    EXPECT_TRUE(mentions("team row 3 has id 99"));
    EXPECT_TRUE(mentions("names team 500"));
    EXPECT_TRUE(mentions("std_moon_01"));
    EXPECT_TRUE(mentions("never delivered"));
    EXPECT_TRUE(mentions("809999"));
}
