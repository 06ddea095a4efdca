// A tournament career watched on the flat court: the screens met after each match and at the end
// of a round show every match the club played, the last one included.
#include "career/Calendar.h"
#include "career/CupStages.h"
#include "career/FixtureList.h"
#include "engine/GameFolder.h"
#include "engine/GameRand.h"
#include "engine/Log.h"
#include "gui/Grid.h"

#include "GameKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

class TournamentExit : public GameFolderTest {};

namespace {

// Games in the overview's record: the home and away won/lost rows summed.
int RecordGames(CGameManager& gm) {
    auto* grid = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_OV_RECORD));
    if (!grid)
        return -1;
    int games = 0;
    for (int row : {1, 2}) {
        GuiGridCell* cell = grid->FindCell(1, row);
        int won = 0, lost = 0;
        if (!cell || sscanf(cell->text.GetText(), "%d/%d", &won, &lost) != 2)
            return -1;
        games += won + lost;
    }
    return games;
}

// A EuroCup career at its first club, on a fixed seed, every match played at once.
bool StartEuroCupPlayedAtOnce(gamekit::Game& game) {
    GameSrand(5);
    GameOptions options = gamekit::Without3D();
    options.enableFastSimulation = true;
    if (!game.Start(gamekit::Screens::AfterCareer, options, {.dataSet = kDataSetEuroCup, .club = 0}))
        return false;
    game.Session().view3D = 0;
    game.Session().resultOnly = 1;
    return true;
}

// The user's players all at one value in the skills that decide a match most, so a test can make the
// club go out or go through.
void SetClubSkills(gamekit::Game& game, int value) {
    for (CPlayer* player : game.Session().UserClub()->players)
        for (int skill : {2, 8, 9, 10, 14})
            player->SkillValue(skill) = value;
    game.gm.RefreshAllScreens();
}

} // namespace

// The group stage watched on the match centre to its last day: when the results window judges the
// stage, the club's overview already counts the match just played.
TEST_F(TournamentExit, TheOverviewCountsTheLastWatchedMatchOfTheStage) {
    GameSrand(5);
    GameOptions options = gamekit::Without3D();
    options.enableFastSimulation = false;
    gamekit::Game game;
    ASSERT_TRUE(game.Start(gamekit::Screens::BeforeCareer, options, {.dataSet = kDataSetEuroCup, .club = 0}));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    gm.RefreshAllScreens();
    gm.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
    gm.ProcessMessages();
    const CTeam* club = session.UserClub();
    ASSERT_NE(club, nullptr);
    for (int i = 0; i < 12 && !gm.IsLayerActive(ID_RESULTS); ++i) {
        ASSERT_TRUE(game.PlayDay());
        // After every watched match, not only the stage's last: the overview is current.
        EXPECT_EQ(RecordGames(gm), static_cast<int>(club->matchStats.size()))
            << "on " << session.currentDate.day << "." << session.currentDate.month;
        // The coming matches start after today: the match just played is no longer among them.
        const CStr today =
            FormatDate(session.currentDate.year, session.currentDate.day, session.currentDate.month, ".");
        auto* coming = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_OV_NEXT));
        ASSERT_NE(coming, nullptr);
        for (int row = 0; row < coming->GetRowCount(); ++row) {
            GuiGridCell* date = coming->FindCell(1, row);
            ASSERT_NE(date, nullptr);
            EXPECT_STRNE(date->text.GetText(), today.GetText()) << "today's match is still listed as coming";
        }
    }
    ASSERT_TRUE(gm.IsLayerActive(ID_RESULTS)) << "the group stage did not end";
    EXPECT_GE(club->matchStats.size(), 3u);
    // On into the next round (or out of the tournament): the record still holds every match.
    game.Click(ID_RESULTS_STAGE, 2);
    if (session.HasOpenCareer()) {
        EXPECT_TRUE(gm.IsLayerActive(ID_CLUBOVERVIEW));
        EXPECT_EQ(RecordGames(gm), static_cast<int>(club->matchStats.size())) << "the next round's overview";
    }
}

// The group stage run with Continue alone, matches played at once: on the last group day the next
// Continue builds the next round for a club that went through (no Statistics and OK first), and the
// one after that plays its first day; a club that went out is shown the results' verdict.
TEST_F(TournamentExit, ContinueLeadsFromTheLastGroupDayIntoTheNextRound) {
    for (const bool strong : {true, false}) {
        SCOPED_TRACE(strong ? "a club that goes through" : "a club that goes out");
        GameSrand(5);
        GameOptions options = gamekit::Without3D();
        options.enableFastSimulation = true;
        gamekit::Game game;
        ASSERT_TRUE(
            game.Start(gamekit::Screens::AfterCareer, options, {.dataSet = kDataSetEuroCup, .club = 0}));
        CGameManager& gm = game.gm;
        CCareerSession& session = game.Session();
        session.view3D = 0;
        session.resultOnly = 1;
        // A squad that cannot miss goes through; one that cannot shoot goes out, fit as it was.
        for (CPlayer* player : session.UserClub()->players)
            for (int skill : {2, 8, 9, 10, 14})
                player->SkillValue(skill) = strong ? 100 : 5;
        gm.RefreshAllScreens();
        const int64_t lastGroupDay = MakeDateKey(session.fixtureList->LastDate());
        for (int i = 0; i < 20 && MakeDateKey(session.currentDate) < lastGroupDay; ++i)
            ASSERT_TRUE(game.RunDay());
        ASSERT_EQ(MakeDateKey(session.currentDate), lastGroupDay);
        if (strong) {
            ASSERT_EQ(session.cupStage, 0);
        }

        ASSERT_TRUE(game.RunDay());
        if (strong) {
            EXPECT_EQ(session.cupStage, 1) << "Continue did not lead on to the next round";
            ASSERT_TRUE(game.RunDay());
            EXPECT_GT(MakeDateKey(session.currentDate), lastGroupDay);
        } else {
            EXPECT_TRUE(gm.IsLayerActive(ID_RESULTS)) << "the club that went out is not told";
            EXPECT_TRUE(session.HasOpenCareer());
        }
    }
}

// A club that goes out in the groups: the statistics list the final ranking and, beside it, the
// group tables of the round it went out in, each counting that round's games only, though the
// clubs that went through played on.
TEST_F(TournamentExit, TheTablesOfTheRoundTheClubWentOutInStayInTheStatistics) {
    gamekit::Game game;
    ASSERT_TRUE(StartEuroCupPlayedAtOnce(game));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    SetClubSkills(game, 5);
    const CStr group = gm.GetText(session.UserLeague()->nameTextId);
    const int64_t lastGroupDay = MakeDateKey(session.fixtureList->LastDate());
    for (int i = 0; i < 20 && MakeDateKey(session.currentDate) < lastGroupDay; ++i)
        ASSERT_TRUE(game.RunDay());
    ASSERT_TRUE(game.RunDay());
    ASSERT_TRUE(gm.IsLayerActive(ID_RESULTS)) << "the club did not go out in the groups";
    ASSERT_EQ(session.cupStage, kCupFinalStage) << "the rounds after it were not played out";

    CGuiElement* combo = gm.FindElement(ID_ST_COMPETITION);
    ASSERT_NE(combo, nullptr);
    std::vector<std::string> items;
    int groupItem = -1;
    for (int i = 0; i < combo->GetItemCount(); ++i) {
        items.push_back(combo->GetItemText(i).Std());
        if (combo->GetItemText(i) == group)
            groupItem = i;
    }
    EXPECT_NE(std::find(items.begin(), items.end(), gm.GetText(100173).Std()), items.end());
    EXPECT_EQ(items.size(), 5u) << "the final ranking and the four groups";
    ASSERT_GE(groupItem, 0) << "the club's own group is gone from the list";

    combo->SetSelection(groupItem);
    gm.PostMessage(ID_ST_COMPETITION, -1, kMsgSelection, groupItem, 0);
    gm.ProcessMessages();
    auto* table = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_ST_STANDINGS));
    ASSERT_NE(table, nullptr);
    const CTeam* club = session.UserClub();
    const int groupGames = static_cast<int>(club->matchStats.size());
    ASSERT_GT(groupGames, 0);
    ASSERT_GE(table->GetRowCount(), 2);
    bool clubListed = false;
    for (int row = 0; row < table->GetRowCount(); ++row) {
        const GuiGridCell* name = table->FindCell(1, row);
        const GuiGridCell* games = table->FindCell(3, row);
        ASSERT_TRUE(name && games);
        clubListed = clubListed || name->text == club->name;
        // Every club of a group played the same games in it; the later rounds do not count here.
        EXPECT_EQ(atoi(games->text.GetText()), groupGames) << name->text.GetText();
    }
    EXPECT_TRUE(clubListed);
}

// A club that wins its group and its second-round pool, then loses its quarter-final: the results
// window says it went out in the quarter-finals (it finished no table too low), and the statistics
// keep every table it played, from its group to its tie, each counting that round's games only.
TEST_F(TournamentExit, EveryRoundTheClubPlayedStaysInTheStatisticsAndATieLostIsNamed) {
    gamekit::Game game;
    ASSERT_TRUE(StartEuroCupPlayedAtOnce(game));
    CGameManager& gm = game.gm;
    CCareerSession& session = game.Session();
    SetClubSkills(game, 100);
    // The tables the club plays in, round by round, as the world names them.
    std::vector<std::string> played;
    auto noteRound = [&] {
        for (const CLeague* league : session.worldDB->leagues)
            played.push_back(gm.GetText(league->nameTextId).Std());
    };
    noteRound();
    for (int day = 0; day < 60 && session.cupStage < 2; ++day) {
        const int stage = session.cupStage;
        ASSERT_TRUE(game.RunDay());
        ASSERT_FALSE(gm.IsLayerActive(ID_RESULTS) && !session.HasOpenCareer()) << "the strong club went out";
        if (session.cupStage != stage)
            noteRound();
    }
    ASSERT_EQ(session.cupStage, 2) << "the club did not reach the quarter-finals";
    ASSERT_FALSE(session.fixtureList->Select(session.UserClub()->id, -1).empty());
    // A squad that cannot shoot loses its tie.
    SetClubSkills(game, 5);
    for (int day = 0; day < 10 && !gm.IsLayerActive(ID_RESULTS); ++day)
        ASSERT_TRUE(game.RunDay());
    ASSERT_TRUE(gm.IsLayerActive(ID_RESULTS)) << "the lost quarter-final was not judged";
    ASSERT_EQ(session.cupStage, kCupFinalStage) << "the rounds after it were not played out";

    const CStr verdict = gm.FindElement(ID_RESULTS_STAGE_TEXT)->GetText();
    EXPECT_NE(verdict.Find(gm.GetText(250093)), -1) << verdict.GetText();
    EXPECT_EQ(verdict.Find(gm.GetText(250091)), -1) << "a tie is no table finished too low";

    CGuiElement* combo = gm.FindElement(ID_ST_COMPETITION);
    ASSERT_NE(combo, nullptr);
    std::vector<std::string> items;
    for (int i = 0; i < combo->GetItemCount(); ++i)
        items.push_back(combo->GetItemText(i).Std());
    EXPECT_EQ(items.size(), played.size() + 1) << "the final ranking and every table of the rounds played";
    for (const std::string& name : played)
        EXPECT_NE(std::find(items.begin(), items.end(), name), items.end())
            << name << " is gone from the list";

    // Each kept table counts the games of its own round: the club's own rows add up to its record.
    const CTeam* club = session.UserClub();
    auto* table = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_ST_STANDINGS));
    ASSERT_NE(table, nullptr);
    int games = 0;
    for (int i = 1; i < combo->GetItemCount(); ++i) {
        combo->SetSelection(i);
        gm.PostMessage(ID_ST_COMPETITION, -1, kMsgSelection, i, 0);
        gm.ProcessMessages();
        for (int row = 0; row < table->GetRowCount(); ++row) {
            const GuiGridCell* name = table->FindCell(1, row);
            const GuiGridCell* count = table->FindCell(3, row);
            ASSERT_TRUE(name && count);
            if (name->text == club->name)
                games += atoi(count->text.GetText());
        }
    }
    EXPECT_EQ(games, static_cast<int>(club->matchStats.size()));
}

namespace {

// The engine log of one test, kept in memory only.
struct CapturedLog {
    CQuorelLog log;
    CQuorelLog* previous = g_pQuorelLog;
    CapturedLog() {
        log.SetFile("");
        g_pQuorelLog = &log;
    }
    ~CapturedLog() { g_pQuorelLog = previous; }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;
    // The text after `head` of every line that starts with it.
    std::vector<std::string> After(const std::string& head) const {
        std::vector<std::string> found;
        for (const CStr& entry : log.Entries())
            if (entry.Std().starts_with(head))
                found.push_back(entry.Std().substr(head.size()));
        return found;
    }
};

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    size_t from = 0;
    for (size_t at; (at = text.find("; ", from)) != std::string::npos; from = at + 2)
        names.push_back(text.substr(from, at - from));
    names.push_back(text.substr(from));
    return names;
}

// The names after the last ": " of a line.
std::vector<std::string> NamesAtEnd(const std::string& line) {
    const size_t colon = line.find(": ", line.find(" tables"));
    return colon == std::string::npos ? std::vector<std::string>{} : SplitNames(line.substr(colon + 2));
}

} // namespace

// A scripted session reads the log to know what the statistics must list and which table a pick
// shows: the tables logged as built with the club (its group round, the final ranking once it is
// out) are the ones the statistics log as listed, in the list's order, and each pick logs the table
// the standings then show with its number of clubs.
TEST_F(TournamentExit, TheLogNamesTheTablesBuiltWithTheClubAndTheTablesTheStatisticsShow) {
    CapturedLog captured;
    gamekit::Game game;
    ASSERT_TRUE(StartEuroCupPlayedAtOnce(game));
    CGameManager& gm = game.gm;
    SetClubSkills(game, 5);
    for (int i = 0; i < 24 && !gm.IsLayerActive(ID_RESULTS); ++i)
        ASSERT_TRUE(game.RunDay());
    ASSERT_TRUE(gm.IsLayerActive(ID_RESULTS)) << "the weak club did not go out";

    std::vector<std::string> built;
    for (const std::string& line :
         captured.After("[CCareerSession::StartNewCareer] the tournament opens with "))
        for (const std::string& name : NamesAtEnd(line))
            built.push_back(name);
    EXPECT_EQ(built.size(), 4u) << "the four groups";
    int roundsWithout = 0;
    for (const std::string& line : captured.After("[BuildCupStage] round ")) {
        if (line.find("plays on") == std::string::npos) {
            ++roundsWithout;
            continue;
        }
        for (const std::string& name : NamesAtEnd(line))
            built.push_back(name);
    }
    EXPECT_EQ(roundsWithout, kCupFinalStage)
        << "every round after the groups is logged as built without the club";
    for (const std::string& line :
         captured.After("[ReplaceLeaguesWithRoundList] the rounds give way to one table: "))
        built.push_back(line);
    EXPECT_EQ(built.size(), 5u) << "the groups and the final ranking";

    CGuiElement* combo = gm.FindElement(ID_ST_COMPETITION);
    ASSERT_NE(combo, nullptr);
    std::vector<std::string> items;
    for (int i = 0; i < combo->GetItemCount(); ++i)
        items.push_back(combo->GetItemText(i).Std());
    const std::vector<std::string> listedLines = captured.After("[CStatisticsScreen] ");
    std::vector<std::string> listed;
    for (const std::string& line : listedLines)
        if (line.find(" tables listed: ") != std::string::npos)
            listed = NamesAtEnd(line);
    EXPECT_EQ(listed, items) << "the last list logged is the one shown";
    std::sort(built.begin(), built.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, built);

    auto* table = dynamic_cast<CGuiGridControl*>(gm.FindElement(ID_ST_STANDINGS));
    ASSERT_NE(table, nullptr);
    for (int i = 0; i < combo->GetItemCount(); ++i) {
        combo->SetSelection(i);
        gm.PostMessage(ID_ST_COMPETITION, -1, kMsgSelection, i, 0);
        gm.ProcessMessages();
        const std::vector<std::string> shown = captured.After("[CStatisticsScreen] table ");
        ASSERT_EQ(shown.size(), static_cast<size_t>(i + 1)) << "one line a pick";
        EXPECT_EQ(shown.back(), std::to_string(i + 1) + " of " + std::to_string(items.size()) +
                                    " shown: " + items[static_cast<size_t>(i)] + ", " +
                                    std::to_string(table->GetRowCount()) + " clubs");
    }
}
