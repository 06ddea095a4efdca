// The longest names the shipped data hold, measured with the game's own font against the columns
// of the shipped layout at 1024 x 768: a club, a player or a mail's sender is read whole, never cut
// to "...".
#include "ScreenTestKit.h"
#include "ShotCheck.h"

#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "gui/Grid.h"
#include "guidefines.h"
#include "screens/info/StatsCompareScreen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../day-screenshots";

class TextFitTest : public ::testing::Test {
protected:
    void SetUp() override {
        shot = std::make_unique<ShotDevice>(kShots);
        if (shot->SkipReason())
            GTEST_SKIP() << shot->SkipReason();
        ASSERT_TRUE(kit.layoutLoaded);
        for (int32_t set : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
            CMemoryDB world;
            ASSERT_TRUE(LoadWorldData(world, set));
            for (const CTeam* team : world.teams)
                Longest(club, team->name);
            for (const CPlayer* each : world.players)
                Longest(player, each->name);
            for (const CStaffRecord* member : world.staff)
                if (IsStaffCategory(member->category))
                    Longest(sender, member->name + " [" + kit.language.Get(member->category) + "]");
            for (const CEmailTemplate* mail : world.emailTemplates)
                Longest(subject, kit.language.Get(mail->subjectTextId));
        }
        for (int row = 0; row < 9; ++row)
            Longest(leader, kit.language.Get(100075 + row));
    }
    void TearDown() override { shot.reset(); }
    void Longest(CStr& kept, const CStr& text) {
        if (Width(text) > Width(kept))
            kept = text;
    }
    int Width(const CStr& text, int size = 14) {
        GuiFont font;
        font.size = size;
        return GuiBackend().TextWidth(font, text);
    }
    // Whether the text fits the column as the grid draws it (five pixels kept on either side).
    void ExpectFits(int gridId, int column, const CStr& text) {
        auto* grid = dynamic_cast<CGuiGridControl*>(kit.stack.FindElement(gridId));
        ASSERT_NE(grid, nullptr) << gridId;
        EXPECT_LE(GuiBackend().TextWidth(grid->Font(), text), grid->ColumnWidth(column) - 10)
            << "'" << text.GetText() << "' in column " << column << " of " << gridId;
    }

    std::unique_ptr<ShotDevice> shot;
    ScreenKit kit;
    CStr club, player, sender, subject, leader;
};

} // namespace

TEST_F(TextFitTest, TheLongestNamesFitTheirColumns) {
    ASSERT_FALSE(club.IsEmpty());
    ExpectFits(ID_DAYPANEL_EVENTS, 0, player);
    ExpectFits(ID_DAYPANEL_EVENTS, 1, club);
    ExpectFits(ID_DAYPANEL_LEADERS, 1, player);
    ExpectFits(ID_DAYPANEL_LEADERS, 2, club);
    ExpectFits(ID_DAYPANEL_RESULTS, 1, club);
    ExpectFits(ID_DAYPANEL_RESULTS, 3, club);
    ExpectFits(ID_DAYPANEL_LEADERS, 0, leader);
    ExpectFits(ID_DAYPANEL_EVENTS, 2, "127:40"); // overtime minutes
    ExpectFits(ID_INBOX_GRID, 0, "28.08.2007");
    ExpectFits(ID_INBOX_GRID, 1, subject);
    ExpectFits(ID_INBOX_GRID, 2, sender);
    ExpectFits(ID_INBOX_GRID, 3, kit.language.Get(300957)); // unread
}

// The bench's remarks on the longest name, as the remarks window lists them.
TEST_F(TextFitTest, TheBenchsRemarksOnTheLongestNameShowWhole) {
    CGuiElement* list = kit.stack.FindElement(ID_COMMENTARY_LIST);
    ASSERT_NE(list, nullptr);
    for (int tail : {600003, 600004, 600005, 600006}) {
        const CStr line = kit.language.Get(600001) + player + kit.language.Get(tail);
        EXPECT_LE(GuiBackend().TextWidth(list->Font(), line), list->Rect().w - 12) << line.GetText();
    }
}

// The widest figures the player lists show fit their columns whole: a perfect shooter's 100.00
// per cent, a full match's minutes a game, a scorer's points a game and his shots made of tried.
TEST_F(TextFitTest, TheWidestFiguresOfThePlayerListsFitTheirColumns) {
    for (int column : {4, 5, 6})
        ExpectFits(ID_TR_CARD_SEASONS, column, "100.00");
    ExpectFits(ID_TR_CARD_SEASONS, 3, "48:00");
    ExpectFits(ID_TR_CARD_SEASONS, 2, "38.50");
    ExpectFits(ID_TR_CARD_SEASONS, 1, "100");
    ExpectFits(ID_TR_CARD_SEASONS, 0, "2007-2008");
    ExpectFits(ID_TR_CARD_SEASONS, 0, kit.language.Get(100012)); // the total row
    auto* seasons = dynamic_cast<CGuiGridControl*>(kit.stack.FindElement(ID_TR_CARD_SEASONS));
    ASSERT_NE(seasons, nullptr);
    for (int column = 0; column < 7; ++column)
        ExpectFits(ID_TR_CARD_SEASONS, column, seasons->HeaderText(column));
    for (int column : {8, 10, 12})
        ExpectFits(ID_ST_PLAYERS, column, "100.00");
    for (int column : {7, 9, 11})
        ExpectFits(ID_ST_PLAYERS, column, "14.50/28.00");
    ExpectFits(ID_ST_PLAYERS, 4, "100");
    // The training day's projection beside the card keeps its captions whole.
    const int projectionCaptions[3] = {70101, 70102, 80053}; // stamina, morale, speciality
    for (int column = 0; column < 3; ++column)
        ExpectFits(ID_TR_PROJECTION, column, kit.language.Get(projectionCaptions[column]));
    ExpectFits(ID_ST_PLAYERS, 5, "48:00");
}

// A season's widest figures in the player comparison: a busy season's counts, a perfect shooter's
// 100.00% and a full match's minutes a game fit every category's columns.
TEST_F(TextFitTest, TheWidestComparisonFiguresFitTheirColumns) {
    PlayerFigures f;
    f.games = 40;
    f.seconds = 40 * 48 * 60;
    f.points = 40 * 38;
    f.twosAttempted = f.twosMade = 40 * 12;
    f.threesAttempted = f.threesMade = 40 * 5;
    f.freeThrowsAttempted = f.freeThrowsMade = 40 * 10;
    f.offensiveRebounds = 40 * 8;
    f.defensiveRebounds = 40 * 12;
    f.fouls = 40 * 5;
    f.steals = f.turnovers = f.blocks = 40 * 6;
    f.bigGames = 40;
    StatSheet sheet;
    FillSheetRows(sheet, f);
    auto* grid = dynamic_cast<CGuiGridControl*>(kit.stack.FindElement(ID_SC_LEFT_GRID));
    ASSERT_NE(grid, nullptr);
    for (int category = 0; category < kStatCategories; ++category)
        for (const CompareColumn& column : CategoryColumns(category)) {
            if (column.cell < 0)
                continue;
            const CStr& text = sheet.rows[static_cast<size_t>(category)][static_cast<size_t>(column.cell)];
            EXPECT_LE(GuiBackend().TextWidth(grid->Font(), text), column.width - 10)
                << "'" << text.GetText() << "' in category " << category << ", cell " << column.cell;
            const CStr caption = kit.language.Get(column.caption);
            EXPECT_LE(GuiBackend().TextWidth(grid->Font(), caption), column.width - 10)
                << "'" << caption.GetText() << "' over category " << category << ", cell " << column.cell;
        }
}
