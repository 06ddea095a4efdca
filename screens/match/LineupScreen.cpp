// The line-up screen.
#include "screens/match/LineupScreen.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "career/Standings.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "guidefines.h"
#include "match/Formation.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"

#include <algorithm>

namespace {

// Record words of a1 ... a16, in the order the lists and the card show them.
constexpr int kSkillWords[kLineupSkills] = {5, 11, 14, 47, 50, 17, 20, 23, 26, 29, 44, 32, 35, 41, 38, 8};
// The skill columns' captions and tooltips, in the order of kSkillWords.
constexpr TextRun kSkillHeaderTexts{100131, 16};
constexpr TextRun kSkillTipTexts{900001, 16};
static_assert(kSkillHeaderTexts.count == kLineupSkills);
// "Points", as the box scores name a player's points (the results' "Score" is a match's).
constexpr int kTextPoints = 200222;
constexpr int kFiveStartAlreadyText = 302062;
// Season-best sources (player statistics fields); 0 stands for the playing time. Blocks and
// steals read the fields of their own names (field 26 holds the fouls).
constexpr int kBestFields[kSeasonBests] = {10, 15, 14, 17, 16, 21, 20, 22, 23, 30, 29, 13, 27, 0};
constexpr int kBestLabels[kSeasonBests] = {kTextPoints, 80073, 80074, 80075, 80076, 80077, 80078,
                                           80079,       80080, 80081, 80082, 80083, 80084, 80085};
constexpr int kSlotOrder[5] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                               kPositionPointGuard, kPositionShootingGuard};
constexpr int kListColumns = 19;
constexpr int kTextInjuredMark = 100356; // " (inj)"

int Percent(int made, int attempts) {
    return attempts != 0 ? ClampedSum(static_cast<int64_t>(made) * 100 / attempts, 0) : 0;
}

// The playing time is kept in seconds, so the screen can show it as minutes and seconds like the
// statistics screen does.
int32_t Seconds(const CPlayerStat& stat) {
    return std::max(stat.SecondsPlayed(), 0);
}

// One season best of one match. Dunks are two-pointers, as in the last matches' table.
int32_t BestValue(const CPlayerStat& s, int best) {
    switch (kBestLabels[best]) {
    case 80073:
        return ClampedSum(s.CloseShotsMade(), s.TwoPointersMade());
    case 80074:
        return ClampedSum(s.CloseShotsTaken(), s.TwoPointersTaken());
    default:
        return kBestFields[best] != 0 ? s.Field(kBestFields[best]) : Seconds(s);
    }
}

// The eighteen statistics of one match for the last-matches table.
void LastMatchBlock(const CPlayerStat& s, int32_t out[kLastMatchStats]) {
    const int32_t twosMade = ClampedSum(s.CloseShotsMade(), s.TwoPointersMade());
    const int32_t twosTaken = ClampedSum(s.CloseShotsTaken(), s.TwoPointersTaken());
    const int32_t values[kLastMatchStats] = {s.SideFlag(),
                                             s.Points(),
                                             twosMade,
                                             twosTaken,
                                             Percent(twosMade, twosTaken),
                                             s.ThreePointersMade(),
                                             s.ThreePointersTaken(),
                                             Percent(s.ThreePointersMade(), s.ThreePointersTaken()),
                                             s.FreeThrowsMade(),
                                             s.FreeThrowsTaken(),
                                             Percent(s.FreeThrowsMade(), s.FreeThrowsTaken()),
                                             s.OffensiveRebounds(),
                                             s.DefensiveRebounds(),
                                             ClampedSum(s.OffensiveRebounds(), s.DefensiveRebounds()),
                                             s.Blocks(),
                                             s.CloseShotsMade(),
                                             s.Steals(),
                                             Seconds(s)};
    std::copy(values, values + kLastMatchStats, out);
}

} // namespace

int32_t NextStarterPosition(const std::vector<CStr>& starterCodes) {
    bool taken[5] = {};
    for (const CStr& code : starterCodes)
        for (int slot = 0; slot < 5; ++slot)
            if (code.Equals(PositionCode(kSlotOrder[slot])))
                taken[slot] = true;
    for (int slot = 0; slot < 5; ++slot)
        if (!taken[slot])
            return kSlotOrder[slot];
    return 0;
}

LineupRow MakeLineupRow(const CPlayer& player, int32_t playerIndex, const std::function<CStr(int)>& text) {
    LineupRow row;
    row.name = player.name;
    row.birthDate = FormatDate(player.birthYear, player.birthDay, player.birthMonth, ".");
    row.playerIndex = playerIndex;
    row.height = player.words[kWordHeight];
    row.weight = player.words[kWordWeight];
    row.cardText = text ? text(player.originTextId) : CStr();
    row.positionCode = PositionCode(player.words[kWordPosition]);
    row.positionText = text ? text(player.words[kWordPosition]) : CStr();
    row.playedPosition = player.words[kWordPlayedPosition];
    row.starter = player.words[kWordMatchState] == kOnCourt ? 1 : 0;
    row.injured = player.words[kWordInjured] != 0 ? 1 : 0;
    for (int i = 0; i < kLineupSkills; ++i)
        row.skills[i] = player.words[kSkillWords[i]];
    row.rating = static_cast<int32_t>(CPlayer::ComputeOverall(const_cast<CPlayer*>(&player), false));

    // Newest first: the newest record seeds the bests, every older one can only raise them.
    int walked = 0, matches = 0;
    for (auto it = player.stats.rbegin(); it != player.stats.rend(); ++it) {
        const CPlayerStat* stat = *it;
        if (stat == nullptr)
            continue;
        for (int b = 0; b < kSeasonBests; ++b) {
            const int32_t value = BestValue(*stat, b);
            if (walked == 0 || value > row.seasonBests[b])
                row.seasonBests[b] = value;
        }
        // The last matches are the ones he played: a match on the bench leaves only zeros.
        if (matches < 3 && PlayedInMatch(*stat)) {
            row.matchDates[matches] = FormatDate(stat->Year(), stat->Day(), stat->Month(), ".");
            int32_t block[kLastMatchStats];
            LastMatchBlock(*stat, block);
            for (int s = 0; s < kLastMatchStats; ++s)
                row.lastMatches[s][matches] = block[s];
            ++matches;
        }
        ++walked;
    }
    row.matchCount = matches;
    return row;
}

CLineupScreen::CLineupScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(ID_LINEUP)) {}

CLineupScreen::~CLineupScreen() {
    ClearRows();
}

CGuiElement* CLineupScreen::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

LineupRow* CLineupScreen::RowAt(int record) const {
    if (record < 0 || record >= static_cast<int>(m_rows.size()))
        return nullptr;
    return m_rows[static_cast<size_t>(record)].get();
}

CPlayer* CLineupScreen::PlayerOf(const LineupRow& row) const {
    CTeam* club = m_ctx.Session().UserClub();
    if (club == nullptr || row.playerIndex < 0 || row.playerIndex >= static_cast<int>(club->players.size()))
        return nullptr;
    return club->players[static_cast<size_t>(row.playerIndex)];
}

void CLineupScreen::ClearRows() {
    m_rows.clear();
}

void CLineupScreen::AddPlayer(const LineupRow& row) {
    m_rows.push_back(std::make_unique<LineupRow>(row));
}

void CLineupScreen::Refresh() {
    FillLineupRows();
}

void CLineupScreen::FillLineupRows() {
    CCareerSession& session = m_ctx.Session();
    if (m_root == nullptr || !session.HasOpenCareer())
        return;
    CTeam* club = session.UserClub();
    ClearRows();
    m_clubName = club->name;
    for (size_t i = 0; i < club->players.size(); ++i) {
        CPlayer* player = club->players[i];
        if (player == nullptr)
            continue;
        LineupRow row = MakeLineupRow(*player, static_cast<int32_t>(i), m_ctx.Texts());
        // An injured player never stays in the starting five.
        if (row.injured) {
            row.starter = 0;
            player->words[kWordMatchState] = kOnBench;
        }
        AddPlayer(row);
    }
    GroupRows();
    Show();
}

void CLineupScreen::GroupRows() {
    std::vector<std::unique_ptr<LineupRow>> grouped;
    grouped.reserve(m_rows.size());
    for (int group = 0; group < 3; ++group)
        for (auto& row : m_rows) {
            if (!row)
                continue;
            int rowGroup = row->starter ? 0 : (row->injured ? 2 : 1);
            if (rowGroup == group)
                grouped.push_back(std::move(row));
        }
    m_rows = std::move(grouped);
}

void CLineupScreen::ShowHeader() {
    if (m_root == nullptr)
        return;
    m_root->SetCaption(ClubCaptionLine(m_ctx, 80019, m_clubName, m_dateText));
}

void CLineupScreen::Show() {
    const GameDate& today = m_ctx.Session().currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    ShowHeader();
    static constexpr struct {
        int id;
        int text;
    } kLabels[] = {{ID_LU_STARTERS_LABEL, 100126},
                   {ID_LU_SQUAD_LABEL, 100127},
                   {ID_LU_BESTS_LABEL, 100129},
                   {ID_LU_LAST_LABEL, 100130}};
    for (const auto& label : kLabels)
        m_ctx.SetText(label.id, m_ctx.Text(label.text));
    if (CGuiElement* button = Child(ID_LU_PUTIN))
        button->SetText(m_ctx.Text(100160), kFormatCentreMiddle);
    if (CGuiElement* button = Child(ID_LU_TAKEOUT))
        button->SetText(m_ctx.Text(100161), kFormatCentreMiddle);
    if (CGuiElement* button = Child(ID_LU_INFO))
        button->SetText(m_ctx.Text(100189), kFormatCentreMiddle);
    FillLists();
    FillPlayerCard(0);
    FillSkillGrid(0);
    FillCompareGrid(0);
}

void CLineupScreen::FillLists() {
    CGuiElement* grids[2] = {Child(ID_LU_STARTERS), Child(ID_LU_SQUAD)};
    for (CGuiElement* grid : grids) {
        if (grid == nullptr)
            continue;
        grid->Clear();
        grid->SetHeaderText(0, m_ctx.Text(80035), kFormatLeftMiddle);
        grid->SetHeaderTooltip(0, m_ctx.Text(900023));
        grid->SetColumnFormat(0, kFormatLeftMiddle);
        grid->SetColumnColour(0, kWhite);
        grid->SetHeaderText(1, m_ctx.Text(200085), kFormatCentreMiddle);
        grid->SetHeaderTooltip(1, m_ctx.Text(900024));
        for (int s = 0; s < kLineupSkills; ++s) {
            grid->SetHeaderText(2 + s, m_ctx.Text(kSkillHeaderTexts.At(s)), kFormatCentreMiddle);
            grid->SetHeaderTooltip(2 + s, m_ctx.Text(kSkillTipTexts.At(s)));
        }
        grid->SetHeaderText(18, m_ctx.Text(100147), kFormatCentreMiddle);
        grid->SetHeaderTooltip(18, m_ctx.Text(900017));
        for (int c = 1; c < kListColumns; ++c) {
            grid->SetColumnFormat(c, kFormatCentreMiddle);
            uint32_t colour = c == 18 ? 0x00FF00FFu : (c % 2 == 1 ? 0x00FFFFFFu : 0x0080FFFFu);
            grid->SetColumnColour(c, colour);
        }
    }
    // Every player is listed; the squad list scrolls when it is longer than the grid.
    int counts[2] = {0, 0};
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const LineupRow& row = *m_rows[r];
        int side = row.starter ? 0 : 1;
        CGuiElement* grid = grids[side];
        if (grid == nullptr)
            continue;
        const int32_t record = static_cast<int32_t>(r);
        // A hurt player reads as such, in his colour and in words.
        grid->AddCell(0, row.injured ? row.name + m_ctx.Text(kTextInjuredMark) : row.name, record);
        grid->SetCellColour(0, counts[side], row.injured ? kInjuredColour : kWhite);
        grid->AddCell(1, row.positionCode, record);
        for (int s = 0; s < kLineupSkills; ++s)
            grid->AddCell(2 + s, CStr::Formatted("%d", row.skills[s]), record);
        grid->AddCell(18, CStr::Formatted("%d", row.rating), record);
        ++counts[side];
    }
    for (int side = 0; side < 2; ++side) {
        CGuiElement* grid = grids[side];
        if (grid == nullptr) {
            m_selectedRow[side] = -1;
            m_selectedRecord[side] = -1;
            continue;
        }
        grid->SetRowCount(counts[side]);
        grid->SortRows(side == 0 ? 1 : 18, -1, -1);
        grid->ResetScroll(false);
        int row = std::min(m_selectedRow[side], counts[side] - 1);
        m_selectedRow[side] = row;
        const GuiGridCell* cell = row >= 0 ? grid->FindCell(0, row) : nullptr;
        m_selectedRecord[side] = cell ? cell->data : -1;
        grid->SetSelectedRow(row, true);
    }
}

void CLineupScreen::FillPlayerCard(int side) {
    CGuiElement* card = Child(ID_LU_CARD);
    if (card)
        card->Clear();
    const LineupRow* row = RowAt(m_selectedRecord[side == 0 ? 0 : 1]);
    if (row == nullptr) {
        m_ctx.SetText(ID_LU_NAME, CStr());
        if (card)
            card->SetRowCount(0);
        return;
    }
    if (m_showPlayerInfo)
        if (CPlayer* player = PlayerOf(*row))
            m_showPlayerInfo(player);
    m_ctx.SetText(ID_LU_NAME, row->name, kFormatLeftMiddle);
    if (card == nullptr)
        return;
    int rows = 0;
    auto line = [&](int label, const CStr& value) {
        card->AddCell(0, label > 0 ? m_ctx.Text(label) : CStr(), 0);
        card->AddCell(1, value, 0);
        ++rows;
    };
    auto skill = [&](int label, int a) { line(label, CStr::Formatted("%d", row->skills[a - 1])); };
    line(80046, row->positionText);
    line(80047, row->birthDate);
    line(80048, CStr::Formatted("%d cm", row->height));
    line(80049, CStr::Formatted("%d kg", row->weight));
    line(80050, row->cardText);
    line(0, CStr());
    skill(70101, 1);
    skill(70103, 2);
    skill(70102, 16);
    line(80071, CStr::Formatted("%d", row->rating));
    line(0, CStr());
    skill(70106, 3);
    skill(80070, 4);
    skill(70111, 5);
    skill(70105, 6);
    skill(70115, 7);
    skill(70112, 8);
    skill(70108, 9);
    skill(70109, 10);
    skill(70110, 11);
    skill(70113, 12);
    skill(70114, 13);
    skill(70104, 15);
    card->SetRowCount(rows);
}

void CLineupScreen::FillSkillGrid(int side) {
    CGuiElement* grid = Child(ID_LU_BESTS);
    if (grid == nullptr)
        return;
    grid->Clear();
    const LineupRow* row = RowAt(m_selectedRecord[side == 0 ? 0 : 1]);
    if (row == nullptr) {
        grid->SetRowCount(0);
        return;
    }
    for (int b = 0; b < kSeasonBests; ++b) {
        grid->AddCell(0, m_ctx.Text(kBestLabels[b]), 0);
        const int32_t value = row->seasonBests[b];
        grid->AddCell(1, kBestFields[b] == 0 ? PlayingTimeText(value) : CStr::Formatted("%d", value), 0);
    }
    grid->SetRowCount(kSeasonBests);
}

void CLineupScreen::FillCompareGrid(int side) {
    CGuiElement* grid = Child(ID_LU_LAST);
    if (grid == nullptr)
        return;
    grid->Clear();
    const LineupRow* row = RowAt(m_selectedRecord[side == 0 ? 0 : 1]);
    if (row == nullptr) {
        grid->SetRowCount(0);
        return;
    }
    grid->AddCell(0, m_ctx.Text(100163), 0);
    for (int m = 0; m < 3; ++m)
        grid->AddCell(1 + m, m < row->matchCount ? row->matchDates[m] : m_ctx.Text(80089), 0);
    // Label and block entry; the block's first statistic is not shown. A share is written from
    // its made and attempted entries, in the form every screen gives a share.
    enum Form { kCount, kTime, kShare };
    static constexpr struct {
        int label;
        int stat;
        Form form = kCount;
    } kLines[17] = {
        {80085, 17, kTime}, {kTextPoints, 1},   {80073, 2},  {80074, 3},  {80086, 4, kShare},  {80075, 5},
        {80076, 6},         {80087, 7, kShare}, {80077, 8},  {80078, 9},  {80088, 10, kShare}, {80079, 11},
        {80080, 12},        {80081, 13},        {80082, 14}, {80083, 15}, {80084, 16}};
    auto figure = [row](int stat, Form form, int m) {
        const int32_t value = row->lastMatches[stat][m];
        if (form == kTime)
            return PlayingTimeText(value);
        if (form == kShare)
            return RateText(row->lastMatches[stat - 2][m], row->lastMatches[stat - 1][m]);
        return CStr::Formatted("%d", value);
    };
    int rows = 1;
    for (const auto& entry : kLines) {
        grid->AddCell(0, m_ctx.Text(entry.label), 0);
        for (int m = 0; m < 3; ++m)
            grid->AddCell(1 + m, m < row->matchCount ? figure(entry.stat, entry.form, m) : CStr(), 0);
        ++rows;
    }
    grid->SetRowCount(rows);
}

void CLineupScreen::RefreshTactics() {
    if (CGameScreen* tactics = m_ctx.Screen(ScreenRole::Tactics))
        tactics->Refresh();
}

void CLineupScreen::PutIn() {
    LineupRow* row = RowAt(m_selectedRecord[1]);
    if (row == nullptr)
        return;
    CGuiElement* starters = Child(ID_LU_STARTERS);
    int starterCount = 0;
    std::vector<CStr> codes;
    for (const auto& r : m_rows)
        if (r->starter) {
            ++starterCount;
            codes.push_back(r->positionCode);
        }
    if (row->starter)
        return;
    // A button that does nothing says why.
    auto refuse = [&](int text) {
        if (CGuiElement* box = m_ctx.Find(ID_MATCH_POPUP))
            box->SetCaption(m_ctx.Text(302061));
        m_ctx.SetText(ID_MATCH_POPUP_TEXT, m_ctx.Text(text));
        if (CGuiElement* ok = m_ctx.Find(ID_MATCH_POPUP_OK))
            ok->SetText(m_ctx.Text(100154), kFormatCentreMiddle);
        m_ctx.Post(ID_LU_PUTIN, ID_MATCH_POPUP, kMsgOpenOnTop, ID_LU_PUTIN, 0);
    };
    if ((starters ? starters->GetRowCount() : starterCount) >= 5) {
        refuse(kFiveStartAlreadyText);
        return;
    }
    if (row->injured) {
        refuse(100162);
        return;
    }
    CPlayer* player = PlayerOf(*row);
    int32_t position = NextStarterPosition(codes);
    row->starter = 1;
    if (position != 0)
        row->playedPosition = position;
    if (player) {
        player->words[kWordMatchState] = kOnCourt;
        if (position != 0)
            player->words[kWordPlayedPosition] = position;
    }
    GroupRows();
    FillLists();
    FillPlayerCard(0);
    FillSkillGrid(0);
    FillCompareGrid(0);
    RefreshTactics();
}

void CLineupScreen::TakeOut() {
    LineupRow* row = RowAt(m_selectedRecord[0]);
    if (row == nullptr || !row->starter)
        return;
    row->starter = 0;
    if (CPlayer* player = PlayerOf(*row))
        player->words[kWordMatchState] = kOnBench;
    GroupRows();
    FillLists();
    FillPlayerCard(1);
    FillSkillGrid(1);
    FillCompareGrid(1);
    RefreshTactics();
}

void CLineupScreen::OnMessage(GuiMessage& message) {
    if (message.MSG == kMsgSelection && (message.sID == ID_LU_STARTERS || message.sID == ID_LU_SQUAD)) {
        const int side = message.sID == ID_LU_STARTERS ? 0 : 1;
        m_selectedRow[side] = message.p1;
        const GuiGridCell* cell = nullptr;
        if (message.p1 >= 0)
            if (CGuiElement* grid = Child(message.sID))
                cell = grid->FindCell(0, message.p1);
        m_selectedRecord[side] = cell ? cell->data : -1;
        Consume(message);
        FillPlayerCard(side);
        FillSkillGrid(side);
        FillCompareGrid(side);
    } else if (IsClick(message, ID_LU_PUTIN)) {
        Consume(message);
        PutIn();
    } else if (IsClick(message, ID_LU_TAKEOUT)) {
        Consume(message);
        TakeOut();
    }
}
