// The two-panel player comparison: stat sheets for every player of the world, two filtered grids.
#include "screens/info/StatsCompareScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/Standings.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "screens/FormatFigures.h"
#include "screens/PositionCode.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kTextTitle = 300122;
constexpr int kTextSeason = 80030;
constexpr int kTextAll = 200079;
constexpr TextRun kViewTexts{200080, 5};
constexpr TextRun kCategoryTexts{200000, 11};
static_assert(kCategoryTexts.count == kStatCategories, "one name per category");
constexpr int kTextPosition = 200085;
constexpr int kTextName = 80035;
constexpr int kTextTeam = 80040;
constexpr int kNoCaptionTooltip = 900179;

// How each cell of a sheet row is written: 'd' a count, 'f' a value per game or a ratio, 'p' two
// values per game, 'r' a rate in percent, 'b' a count left blank at zero, 'e' always empty.
constexpr const char* kCellKinds[kStatCategories] = {
    "dffprprpr", "dfdfdfdf",  "dfffddrddr", "dfffddrbbr", "dfffddr",   "dfdfdff",
    "dfddff",    "dfdfdfdff", "dfdfd",      "dffffffee",  "ddfdfdfee",
};

constexpr bool KindsMatchCells() {
    for (int r = 0; r < kStatCategories; ++r) {
        int n = 0;
        while (kCellKinds[r][n] != '\0')
            ++n;
        if (n != kSheetRowCells[r])
            return false;
    }
    return true;
}
static_assert(KindsMatchCells(), "one kind per cell of every sheet row");
// The sheet rows whose second cell is the playing time a game.
constexpr int kTimeRows[] = {0, 1, 5, 6, 7, 8, 9};

// Widths that hold the widest figure of each kind, and its caption, at the grid's font.
constexpr int kNameWidth = 128;
constexpr int kTeamWidth = 125;
constexpr int kStatsWidth = 530; // the grid's width less the position and the two names

int KindWidth(char kind, int cell) {
    if (cell == 0)
        return 30; // games
    switch (kind) {
    case 'f':
        return 46;
    case 'p':
        return 75; // 17.00/17.00
    case 'r':
        return 59; // 100.00
    default:
        return 44;
    }
}

// Caption, tooltip and sheet cell of columns 3-11 per category. Every caption names the figure
// below it; a column without figures has no caption.
struct ColumnSpec {
    int caption;
    int tooltip;
    int cell;
    int minWidth = 0; // a caption wider than the figures below it
};
constexpr ColumnSpec kNone{0, kNoCaptionTooltip, -1};
// clang-format off
constexpr ColumnSpec kColumnSpecs[kStatCategories][kCategoryColumns] = {
    {{200013, 900113, 0}, {200014, 900114, 1}, {200015, 900115, 2}, {200016, 900116, 3}, {200017, 900117, 4},
     {200018, 900118, 5}, {200019, 900119, 6}, {200020, 900120, 7}, {200021, 900121, 8}},
    {{200013, 900113, 0}, {200014, 900114, 1}, {200022, 900122, 2}, {200023, 900123, 3}, {200024, 900124, 4},
     {200025, 900125, 5}, {200026, 900126, 6}, {200027, 900127, 7, 48}, kNone},
    // Points per game (cell 1) has no room among the field goals.
    {{200013, 900113, 0}, {200029, 900129, 2, 48}, {200030, 900130, 3}, {200031, 900131, 4}, {200032, 900132, 5},
     {200033, 900133, 6}, {200034, 900134, 7}, {200035, 900135, 8}, {200036, 900136, 9}},
    {{200013, 900113, 0}, {200044, 900144, 2}, {200037, 900137, 3}, {200038, 900138, 4}, {200039, 900139, 5},
     {200040, 900140, 6}, {200041, 900141, 7}, {200042, 900142, 8}, {200043, 900143, 9}},
    {{200013, 900113, 0}, {200065, 900165, 1}, {200045, 900145, 2, 48}, {200046, 900146, 3}, {200047, 900147, 4},
     {200048, 900148, 5}, {200086, 900186, 6}, kNone, kNone},
    {{200013, 900113, 0}, {200014, 900114, 1}, {200049, 900149, 2}, {200050, 900150, 3}, {200051, 900151, 4},
     {200052, 900152, 5}, {200053, 900153, 6, 54}, kNone, kNone},
    {{200013, 900113, 0}, {200014, 900114, 1}, {200054, 900154, 2}, {200055, 900155, 3}, {200056, 900156, 4},
     {200057, 900157, 5, 54}, kNone, kNone, kNone},
    {{200013, 900113, 0}, {200014, 900114, 1}, {200058, 900158, 2}, {200059, 900159, 3}, {200051, 900151, 4},
     {200052, 900152, 5}, {200060, 900160, 6}, {200061, 900161, 7, 51}, {200062, 900162, 8}},
    {{200013, 900113, 0}, {200014, 900114, 1}, {200055, 900155, 2}, {200063, 900163, 3, 48}, {200064, 900164, 4, 54},
     kNone, kNone, kNone, kNone},
    {{200013, 900113, 0}, {200014, 900114, 1}, {200065, 900165, 2}, {200027, 900127, 3, 48}, {200050, 900150, 4},
     {200059, 900159, 5}, {200056, 900156, 6}, kNone, kNone},
    {{200013, 900113, 0}, {200015, 900128, 1}, {200065, 900165, 2}, {200068, 900168, 3}, {200027, 900127, 4, 48},
     {200066, 900166, 5}, {200067, 900167, 6, 48}, kNone, kNone},
};
// clang-format on

std::array<std::array<CompareColumn, kCategoryColumns>, kStatCategories> BuildColumnTable() {
    std::array<std::array<CompareColumn, kCategoryColumns>, kStatCategories> table{};
    for (int c = 0; c < kStatCategories; ++c) {
        int used = 0;
        for (int k = 0; k < kCategoryColumns; ++k) {
            const ColumnSpec& spec = kColumnSpecs[c][k];
            CompareColumn& column = table[c][k];
            column.caption = spec.caption;
            column.tooltip = spec.tooltip;
            column.cell = spec.cell;
            column.width =
                spec.cell >= 0 ? std::max(KindWidth(kCellKinds[c][spec.cell], spec.cell), spec.minWidth) : 40;
            if (k == kCategoryColumns - 1)
                column.width = kStatsWidth - used; // the last column runs to the grid's edge
            used += column.width;
        }
    }
    return table;
}

const auto kColumnTable = BuildColumnTable();

// The sheets hold some ninety figures for each of several hundred players and are rebuilt every
// day: written with to_chars, which gives printf's digits (the same rounding) without its cost.
class FigureText {
public:
    FigureText& Count(int64_t value) {
        m_end = std::to_chars(m_end, Limit(), value).ptr;
        return *this;
    }
    FigureText& Fixed2(double value) {
        const std::to_chars_result r = std::to_chars(m_end, Limit(), value, std::chars_format::fixed, 2);
        m_end = r.ec == std::errc() ? r.ptr : m_end;
        return *this;
    }
    FigureText& Char(char c) {
        if (m_end < Limit())
            *m_end++ = c;
        return *this;
    }
    CStr Text() const { return CStr(m_buffer, static_cast<uint32_t>(m_end - m_buffer)); }

private:
    char* Limit() { return m_buffer + sizeof m_buffer; }
    char m_buffer[96];
    char* m_end = m_buffer;
};

CStr Count(int64_t value) {
    return FigureText().Count(value).Text();
}

} // namespace

// ---- stat sheets ---------------------------------------------------------------------------------

StatSheet::StatSheet() {
    for (int r = 0; r < kStatCategories; ++r)
        rows[static_cast<size_t>(r)].resize(static_cast<size_t>(kSheetRowCells[r]));
}

PlayerFigures SumPlayerFigures(const CPlayer& player) {
    PlayerFigures f;
    for (const CPlayerStat* record : player.stats) {
        // A match he sat out on the bench leaves a record too, but it is no game of his.
        if (!record || !PlayedInMatch(*record))
            continue;
        ++f.games;
        f.seconds += record->SecondsPlayed();
        f.points += record->Points();
        // Dunks are two-pointers: the statistics screen and the training card count them so.
        f.twosAttempted += static_cast<int64_t>(record->CloseShotsTaken()) + record->TwoPointersTaken();
        f.twosMade += static_cast<int64_t>(record->CloseShotsMade()) + record->TwoPointersMade();
        f.threesAttempted += record->ThreePointersTaken();
        f.threesMade += record->ThreePointersMade();
        f.freeThrowsAttempted += record->FreeThrowsTaken();
        f.freeThrowsMade += record->FreeThrowsMade();
        f.offensiveRebounds += record->OffensiveRebounds();
        f.defensiveRebounds += record->DefensiveRebounds();
        f.fouls += record->Fouls();
        f.steals += record->Steals();
        f.turnovers += record->PassesFailed();
        f.blocks += record->Blocks();
        if (static_cast<int64_t>(record->OffensiveRebounds()) + record->DefensiveRebounds() > 6)
            ++f.bigGames;
    }
    return f;
}

double MinutesPerGame(int64_t seconds, int64_t games) {
    if (games == 0)
        return 0.0;
    // Averaged in seconds, then shown as minutes.seconds like the statistics screen's players.
    double perGame = std::trunc(static_cast<double>(seconds) / static_cast<double>(games));
    double minutes = std::trunc(perGame / 60.0);
    return minutes + std::fmod(perGame, 60.0) * 0.01;
}

void FillSheetRows(StatSheet& sheet, const PlayerFigures& f) {
    if (f.games == 0) {
        // Nothing to divide by: every figure reads zero in the form its column has for the others.
        for (int r = 0; r < kStatCategories; ++r) {
            for (int c = 0; c < kSheetRowCells[r]; ++c) {
                char kind = kCellKinds[r][c];
                CStr& cell = sheet.rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
                if (kind == 'd')
                    cell = "0";
                else if (kind == 'f' || kind == 'r')
                    cell = "0.00";
                else if (kind == 'p')
                    cell = "0.00/0.00";
                else
                    cell = CStr();
            }
        }
        // The playing time reads as a time in every case.
        for (int r : kTimeRows)
            sheet.rows[static_cast<size_t>(r)][1] = MinutesText(0.0);
        return;
    }
    const double games = static_cast<double>(f.games);
    auto fixed2 = [](double x) { return FigureText().Fixed2(x).Text(); };
    auto perGame = [games, &fixed2](int64_t x) { return fixed2(static_cast<double>(x) / games); };
    auto pairPerGame = [games](int64_t a, int64_t b) {
        return FigureText()
            .Fixed2(static_cast<double>(a) / games)
            .Char('/')
            .Fixed2(static_cast<double>(b) / games)
            .Text();
    };
    // Shares and ratios in the one form every screen gives them: "66.67" under "FG%", "0.44" under
    // "STL/REB".
    auto rate = [](int64_t a, int64_t b) { return RateText(a, b); };
    auto ratio = [](int64_t a, int64_t b) { return RatioText(a, b); };
    auto blankAtZero = [](int64_t x) { return x == 0 ? CStr() : Count(x); };
    const CStr g = Count(f.games);
    const CStr time = MinutesText(MinutesPerGame(f.seconds, f.games));
    const int64_t fga = f.FieldGoalsAttempted(), fgm = f.FieldGoalsMade(), reb = f.Rebounds();
    const int64_t ftx = f.FreeThrowChances();

    auto& rows = sheet.rows;
    // Every pair reads hits first, free throws too, so "2.00/4.00" is two of four a game.
    rows[0] = {g,
               time,
               perGame(f.points),
               pairPerGame(fgm, fga),
               rate(fgm, fga),
               pairPerGame(f.threesMade, f.threesAttempted),
               rate(f.threesMade, f.threesAttempted),
               pairPerGame(f.freeThrowsMade, f.freeThrowsAttempted),
               rate(f.freeThrowsMade, f.freeThrowsAttempted)};
    rows[1] = {g,
               time,
               Count(f.offensiveRebounds),
               perGame(f.offensiveRebounds),
               Count(f.defensiveRebounds),
               perGame(f.defensiveRebounds),
               Count(reb),
               perGame(reb)};
    rows[2] = {g,
               perGame(f.points),
               perGame(fgm),
               perGame(fga),
               Count(fgm),
               Count(fga),
               rate(fgm, fga),
               Count(f.twosMade),
               Count(f.twosAttempted),
               rate(f.twosMade, f.twosAttempted)};
    rows[3] = {g,
               perGame(f.points),
               perGame(f.freeThrowsMade),
               perGame(ftx),
               Count(f.freeThrowsMade),
               Count(ftx),
               rate(f.freeThrowsMade, ftx),
               blankAtZero(f.twosMade),
               blankAtZero(f.twosAttempted),
               rate(f.twosMade, f.twosAttempted)};
    rows[4] = {g,
               perGame(f.points),
               perGame(f.threesMade),
               perGame(f.threesAttempted),
               Count(f.threesMade),
               Count(f.threesAttempted),
               rate(f.threesMade, f.threesAttempted)};
    rows[5] = {
        g, time, Count(ftx), perGame(ftx), Count(f.turnovers), perGame(f.turnovers), ratio(ftx, f.turnovers)};
    rows[6] = {g, time, Count(f.fouls), Count(reb), perGame(f.fouls), ratio(f.fouls, reb)};
    rows[7] = {g,
               time,
               Count(f.steals),
               perGame(f.steals),
               Count(f.turnovers),
               perGame(f.turnovers),
               Count(reb),
               ratio(f.steals, f.turnovers),
               ratio(f.steals, reb)};
    rows[8] = {g, time, Count(reb), perGame(reb), Count(f.bigGames)};
    rows[9] = {
        g,      time,  perGame(f.points), perGame(reb), perGame(ftx), perGame(f.steals), perGame(f.fouls),
        CStr(), CStr()};
    rows[10] = {g,
                Count(f.points),
                perGame(f.points),
                Count(reb),
                perGame(reb),
                Count(f.blocks),
                perGame(f.blocks),
                CStr(),
                CStr()};
}

const std::array<CompareColumn, kCategoryColumns>& CategoryColumns(int category) {
    if (category < 0 || category >= kStatCategories)
        category = 0;
    return kColumnTable[static_cast<size_t>(category)];
}

// ---- the screen ----------------------------------------------------------------------------------

CStatsCompareScreen::CStatsCompareScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {}

void CStatsCompareScreen::ClearSheets() {
    m_teamItems.clear();
    m_competitionItems.clear();
    m_viewItems.clear();
    m_categoryItems.clear();
    m_sheets.clear();
}

void CStatsCompareScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer())
        return;
    ClearSheets();
    m_clubName = session.careerDB->teams.At(0)->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");

    AddViewItem(Text(kTextAll));
    for (int k = 0; k < kViewTexts.count; ++k)
        AddViewItem(Text(kViewTexts.At(k)));
    for (int k = 0; k < kStatCategories; ++k)
        AddCategoryItem(Text(kCategoryTexts.At(k)));
    AddTeamItem(Text(kTextAll));
    AddCompetitionItem(Text(kTextAll));

    const CTeam* user = session.UserClub();
    if (session.worldDB) {
        for (const CLeague* league : session.worldDB->leagues) {
            if (!league)
                continue;
            CStr leagueName = Text(league->nameTextId);
            AddCompetitionItem(leagueName);
            for (const CTeam* team : league->teams) {
                if (!team)
                    continue;
                // The career holds the user's club and its squad; the world's copy has no players.
                if (user && team->id == user->id)
                    team = user;
                AddTeamItem(team->name);
                for (const CPlayer* player : team->players) {
                    if (!player)
                        continue;
                    auto sheet = std::make_unique<StatSheet>();
                    sheet->playerName = player->name;
                    sheet->positionName = Text(player->words[kWordPosition]);
                    sheet->leagueName = leagueName;
                    sheet->teamName = team->name;
                    sheet->positionCode = PositionCode(player->words[kWordPosition]);
                    FillSheetRows(*sheet, SumPlayerFigures(*player));
                    m_sheets.push_back(std::move(sheet));
                }
            }
        }
    }

    // A choice kept from another career may point past the rebuilt lists: it then filters nothing.
    auto keep = [](int32_t& word, const std::vector<CStr>& items) {
        if (word < 0 || word >= static_cast<int32_t>(items.size()))
            word = 0;
    };
    for (Selection* s : {&m_left, &m_right}) {
        keep(s->team, m_teamItems);
        keep(s->competition, m_competitionItems);
        keep(s->view, m_viewItems);
        keep(s->category, m_categoryItems);
    }

    ShowCaption();
    FillTeamCombos();
    FillCompetitionCombos();
    FillViewCombos();
    FillCategoryCombos();
    FillLeftGrid();
    FillRightGrid();
}

void CStatsCompareScreen::ShowCaption() {
    if (!m_root)
        return;
    const CCareerSession& session = m_ctx.Session();
    const CLeague* league = session.UserLeague();
    SeasonSpan season;
    if (session.fixtureList)
        season = session.fixtureList->Season();
    CStr caption = Text(kTextTitle);
    caption += " / ";
    caption += league ? Text(league->nameTextId) : CStr();
    caption += " / ";
    caption += m_clubName;
    caption += " / ";
    caption += m_dateText;
    caption += " / ";
    caption += CStr::Formatted("%d-%d", season.startYear, season.endYear);
    caption += " ";
    caption += Text(kTextSeason);
    m_root->SetCaption(caption);
}

void CStatsCompareScreen::FillComboPair(int leftId, int rightId, const std::vector<CStr>& items,
                                        int32_t leftWord, int32_t rightWord) {
    if (!m_root)
        return;
    CGuiElement* left = m_root->FindChild(leftId);
    CGuiElement* right = m_root->FindChild(rightId);
    if (!left || !right)
        return;
    for (CGuiElement* combo : {left, right}) {
        combo->ClearItems();
        for (size_t i = 0; i < items.size(); ++i)
            combo->AddItem(items[i], static_cast<int32_t>(i));
        combo->SetListRows(static_cast<int>(items.size()));
    }
    // The kept choices survive the refill, and each combo shows the one its panel filters by.
    left->SetSelection(leftWord);
    right->SetSelection(rightWord);
}

bool CStatsCompareScreen::Passes(const StatSheet& sheet, const Selection& s) const {
    auto differs = [](int32_t word, const std::vector<CStr>& items, const CStr& text) {
        if (word <= 0 || word >= static_cast<int32_t>(items.size()))
            return false;
        return items[static_cast<size_t>(word)].NotEquals(text);
    };
    return !differs(s.team, m_teamItems, sheet.teamName) &&
           !differs(s.competition, m_competitionItems, sheet.leagueName) &&
           !differs(s.view, m_viewItems, sheet.positionName);
}

void CStatsCompareScreen::FillGrid(int gridId, const Selection& selection) {
    CGuiElement* grid = m_root ? m_root->FindChild(gridId) : nullptr;
    if (!grid)
        return;
    grid->Clear();
    for (int c = 0; c < kCompareColumns; ++c) {
        grid->SetColumnFormat(c, kFormatLeftMiddle);
        grid->SetColumnColour(c, c == 0 ? kPositionColour : c % 2 == 1 ? kOddColour : kEvenColour);
    }
    grid->SetHeaderText(0, Text(kTextPosition), kFormatLeftMiddle);
    grid->SetHeaderText(1, Text(kTextName), kFormatLeftMiddle);
    grid->SetHeaderText(2, Text(kTextTeam), kFormatLeftMiddle);
    grid->SetColumnWidth(1, kNameWidth);
    grid->SetColumnWidth(2, kTeamWidth);
    const auto& columns = CategoryColumns(selection.category);
    for (int k = 0; k < kCategoryColumns; ++k) {
        const CompareColumn& column = columns[static_cast<size_t>(k)];
        grid->SetColumnWidth(3 + k, column.width);
        grid->SetHeaderText(3 + k, column.caption ? Text(column.caption) : CStr(), kFormatLeftMiddle);
        grid->SetHeaderTooltip(3 + k, m_ctx.Tooltip(column.tooltip));
    }
    int category = selection.category >= 0 && selection.category < kStatCategories ? selection.category : 0;
    int rows = 0;
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        const StatSheet& sheet = *m_sheets[i];
        if (!Passes(sheet, selection))
            continue;
        ++rows;
        const auto data = static_cast<int32_t>(i);
        grid->AddCell(0, sheet.positionCode, data);
        grid->AddCell(1, sheet.playerName, data);
        grid->AddCell(2, sheet.teamName, data);
        const auto& cells = sheet.rows[static_cast<size_t>(category)];
        for (int k = 0; k < kCategoryColumns; ++k) {
            int cell = columns[static_cast<size_t>(k)].cell;
            if (cell >= 0 && cell < static_cast<int>(cells.size()))
                grid->AddCell(3 + k, cells[static_cast<size_t>(cell)], data);
        }
    }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
}

void CStatsCompareScreen::OnMessage(GuiMessage& m) {
    if (m.MSG != kMsgSelection)
        return;
    struct Route {
        int source;
        int32_t Selection::*word;
        bool left;
    };
    static constexpr Route kRoutes[] = {
        {ID_SC_LEFT_TEAM, &Selection::team, true},
        {ID_SC_LEFT_COMPETITION, &Selection::competition, true},
        {ID_SC_LEFT_VIEW, &Selection::view, true},
        {ID_SC_LEFT_CATEGORY, &Selection::category, true},
        {ID_SC_RIGHT_TEAM, &Selection::team, false},
        {ID_SC_RIGHT_COMPETITION, &Selection::competition, false},
        {ID_SC_RIGHT_VIEW, &Selection::view, false},
        {ID_SC_RIGHT_CATEGORY, &Selection::category, false},
    };
    for (const Route& route : kRoutes) {
        if (m.sID != route.source)
            continue;
        if (!m_root)
            return;
        CGuiElement* combo = m_root->FindChild(route.source);
        Consume(m);
        if (!combo)
            return;
        Selection& panel = route.left ? m_left : m_right;
        int selected = combo->GetSelectedIndex();
        panel.*route.word = selected >= 0 ? combo->GetItemData(selected) : 0;
        if (route.left)
            FillLeftGrid();
        else
            FillRightGrid();
        return;
    }
}
