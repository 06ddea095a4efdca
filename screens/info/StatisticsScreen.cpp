// The statistics screen: standings, team and player views, fixture lists and the match comparison.
#include "screens/info/StatisticsScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/CupStages.h"
#include "career/FixtureList.h"
#include "career/SeasonEnd.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/Color.h"
#include "engine/Log.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"
#include "screens/info/PlayerInfoWindow.h"

#include <cmath>

namespace {

constexpr int kStandingsColumns = 10;
constexpr int kPlayerColumns = 13;
constexpr int kFixtureColumns = 5;
constexpr int kTeamInfoRows = 14;

constexpr int kStandingsTooltips[kStandingsColumns] = {900188, 900189, 910420, 900113, 910421,
                                                       910422, 910423, 910424, 910425, 910426};
constexpr int kStandingsHeaders[kStandingsColumns - 1] = {100024, 80019,  100025, 200013, 100026,
                                                          100027, 100028, 100029, 100200};
constexpr int kPlayerTooltips[kPlayerColumns] = {900188, 900027, 900026, 900025, 900113, 900114, 900115,
                                                 900190, 900191, 900192, 900193, 900194, 900195};
constexpr int kPlayerHeaders[kPlayerColumns] = {100030, 80041,  80046,  80037,  200013, 200014, 200015,
                                                200016, 200017, 200018, 200019, 200020, 200021};
constexpr int kFixtureTooltips[kFixtureColumns] = {900196, 910428, 910429, 910430, 910431};
constexpr int kFixtureHeaders[kFixtureColumns] = {80039, 100041, 80029, 100043, 100042};
constexpr int kFixtureFormats[kFixtureColumns] = {kFormatLeftMiddle, kFormatLeftMiddle, kFormatLeftMiddle,
                                                  kFormatCentreMiddle, kFormatRightMiddle};

// The comparison's shot rows, named made before attempted.
constexpr int kTextFreeThrowsMadeOf = 100103;
constexpr int kTextDunksMadeOf = 100105;
constexpr int kTextThreesMadeOf = 100104;
constexpr int kTextTwosMadeOf = 100110;

CStr Count(int value) {
    return CStr::Formatted("%d", value);
}

} // namespace

uint32_t RankGradientColour(int row, int rows) {
    if (rows <= 0)
        return kColorWhite;
    float step = 255.0f / static_cast<float>(rows);
    int k = static_cast<int>(std::trunc(static_cast<float>(row) * step));
    int green = 2 * k;
    int blue = 255;
    if (2 * k >= 255) {
        green = 255;
        blue = 255 - k;
    }
    return PackColor(255, static_cast<uint8_t>(green), static_cast<uint8_t>(blue), 0);
}

CStr StandingsRankText(const TeamStatRow& row, int rank, const CStr& levelMark) {
    const CStr shown = CStr::Formatted("%d", rank);
    return row.level ? shown.Concat(levelMark) : shown;
}

CStr LevelNoteText(const CompetitionStats& table, bool cupStyle, const TextLookup& text) {
    if (!table.HasLevelRows())
        return CStr();
    return LookUpText(text, cupStyle ? kLevelNoteCupText : kLevelNoteLeagueText);
}

ComparisonFigures SumComparisonFigures(const CTeam* team, int seasonStartKey) {
    ComparisonFigures f;
    if (!team)
        return f;
    for (const CMatchStat* record : team->matchStats) {
        if (!record || record->DateKey() <= seasonStartKey)
            continue;
        ++f.games;
        int own = record->Score();
        int other = record->OpponentScore();
        f.pointsFor = ClampedSum(f.pointsFor, own);
        f.pointsAgainst = ClampedSum(f.pointsAgainst, other);
        if (own > other)
            ++f.wins;
        else if (own < other)
            ++f.losses;
        f.dunksAttempted = ClampedSum(f.dunksAttempted, record->CloseShotsTaken());
        f.dunksMade = ClampedSum(f.dunksMade, record->CloseShotsMade());
        f.twosAttempted = ClampedSum(f.twosAttempted, record->TwoPointersTaken());
        f.twosMade = ClampedSum(f.twosMade, record->TwoPointersMade());
        f.threesAttempted = ClampedSum(f.threesAttempted, record->ThreePointersTaken());
        f.threesMade = ClampedSum(f.threesMade, record->ThreePointersMade());
        f.freeThrowsAttempted = ClampedSum(f.freeThrowsAttempted, record->FreeThrowsTaken());
        f.freeThrowsMade = ClampedSum(f.freeThrowsMade, record->FreeThrowsMade());
    }
    return f;
}

CStatisticsScreen::CStatisticsScreen(const CScreenContext& ctx) : m_ctx(ctx) {
    m_standingsRoot = ctx.Find(ID_STATISTICS);
    m_fixturesRoot = ctx.Find(ID_FIXTURES);
    m_compareRoot = ctx.Find(ID_MATCHCOMPARE);
    auto find = [](CGuiElement* root, int id) { return root ? root->FindChild(id) : nullptr; };
    m_competitionCombo = find(m_standingsRoot, ID_ST_COMPETITION);
    m_standingsGrid = find(m_standingsRoot, ID_ST_STANDINGS);
    m_teamInfoGrid = find(m_standingsRoot, ID_ST_TEAMINFO);
    m_squadGrid = find(m_standingsRoot, ID_ST_SQUAD);
    m_playerGrid = find(m_standingsRoot, ID_ST_PLAYERS);
    m_levelNote = find(m_standingsRoot, ID_ST_LEVEL_NOTE);
    m_fixtureGrid = find(m_fixturesRoot, ID_FX_GRID);
    m_fixtureList = find(m_fixturesRoot, ID_FX_COMPETITION);
    m_matchGrid = find(m_compareRoot, ID_MC_GRID);
    m_compareCombo = find(m_compareRoot, ID_MC_COMPETITION);
    m_homePicture = find(m_compareRoot, ID_MC_HOME_PICTURE);
    m_homeName = find(m_compareRoot, ID_MC_HOME_NAME);
    m_homeGrid = find(m_compareRoot, ID_MC_HOME_GRID);
    m_awayPicture = find(m_compareRoot, ID_MC_AWAY_PICTURE);
    m_awayName = find(m_compareRoot, ID_MC_AWAY_NAME);
    m_awayGrid = find(m_compareRoot, ID_MC_AWAY_GRID);

    if (m_standingsGrid)
        for (int c = 0; c < kStandingsColumns; ++c)
            m_standingsGrid->SetHeaderTooltip(c, ctx.Tooltip(kStandingsTooltips[c]));
    if (m_playerGrid)
        for (int c = 0; c < kPlayerColumns; ++c)
            m_playerGrid->SetHeaderTooltip(c, ctx.Tooltip(kPlayerTooltips[c]));
    for (CGuiElement* grid : {m_fixtureGrid, m_matchGrid})
        if (grid)
            for (int c = 0; c < kFixtureColumns; ++c)
                grid->SetHeaderTooltip(c, ctx.Tooltip(kFixtureTooltips[c]));
    for (CGuiElement* grid : {m_homeGrid, m_awayGrid}) {
        if (grid) {
            grid->SetHeaderTooltip(1, ctx.Tooltip(910432));
            grid->SetHeaderTooltip(2, ctx.Tooltip(910433));
        }
    }
}

int CStatisticsScreen::SeasonStartKey() const {
    const CFixtureList* fixtures = m_ctx.Session().fixtureList;
    if (!fixtures)
        return 0;
    const SeasonSpan& season = fixtures->Season();
    return MakeDateKey(season.startYear, season.startMonth, season.startDay);
}

// ---- refresh -------------------------------------------------------------------------------------

void CStatisticsScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer()) {
        // The tables point into the databases of a career that is gone: drop them rather than keep
        // records that may be freed. The grids keep their text until the next career.
        m_competitions.clear();
        m_matches.clear();
        m_loggedTables.clear();
        return;
    }
    const GameDate& today = session.currentDate;
    m_dateLine = FormatDate(today.year, today.day, today.month, ".");
    BuildAllCompetitions();
    FillFixtureList();
    ShowAll();
}

void CStatisticsScreen::BuildAllCompetitions() {
    const CCareerSession& session = m_ctx.Session();
    StandingsContext ctx{m_ctx.Texts(), SeasonStartKey()};
    // A tournament career is one tournament: its players' figures count every round, while each
    // round's tables count their own games.
    if (session.tournamentMode)
        ctx.playerStartKey = 0;
    StandingsScope scope{session.options.enableLeagueSimulation, session.options.enableCountrySimulation};
    if (!::BuildAllCompetitions(ctx, session.worldDB, session.careerDB, scope, m_competitions)) {
        m_competitions.clear();
        return;
    }
    if (!session.tournamentMode)
        return;
    // Once the rounds are played the one table left is the tournament's final ranking: it ranks by
    // how far each club went, as the results window does, not by the record over every round.
    const CLeague* league = session.UserLeague();
    if (league &&
        (league->nameTextId == kEuroCupRoundListText || league->nameTextId == kWorldCupRoundListText)) {
        const CTeam* champion = TournamentChampion(session);
        for (auto& table : m_competitions)
            if (table && table->leagueId == league->id)
                RankByTournamentProgress(*table, session.euroCup != 0, champion);
    }
    // Below them the tables of every earlier round the club played, the latest first.
    AppendPlayedRoundTables(session, ctx, scope, m_competitions);
}

void CStatisticsScreen::ShowAll() {
    if (const CTeam* club = m_ctx.Session().UserClub())
        m_clubName = club->name;
    ShowCaptions();
    FillCompetitionCombos();
    FillStandings();
    ShowTeam();
    FillFixtureGrids();
    ShowMatchComparison();
}

void CStatisticsScreen::ShowCaptions() {
    // The statistics name the season before the date.
    const CStr caption = JoinCaption(
        {Text(100021), ClubCaptionLeague(m_ctx), m_clubName, ClubCaptionSeason(m_ctx), m_dateLine});
    for (CGuiElement* root : {m_standingsRoot, m_fixturesRoot, m_compareRoot})
        if (root)
            root->SetCaption(caption);

    const CLeague* league = m_ctx.Session().UserLeague();
    m_cupStyle = league && league->type == kCupLeagueType ? 1 : 0;
    if (m_standingsGrid) {
        for (int c = 0; c < kStandingsColumns - 1; ++c)
            m_standingsGrid->SetHeaderText(c, Text(kStandingsHeaders[c]),
                                           c < 3 ? kFormatLeftMiddle : kFormatRightMiddle);
        // The last column is the record in cup groups and the win percentage in a league.
        m_standingsGrid->SetHeaderText(9, m_cupStyle ? Text(80072) : Text(100201), kFormatRightMiddle);
        m_standingsGrid->SetHeaderTooltip(9, m_ctx.Tooltip(m_cupStyle ? 910426 : 910427));
    }
    if (m_playerGrid)
        for (int c = 0; c < kPlayerColumns; ++c)
            m_playerGrid->SetHeaderText(c, Text(kPlayerHeaders[c]), kFormatLeftMiddle);
    for (CGuiElement* grid : {m_fixtureGrid, m_matchGrid})
        if (grid)
            for (int c = 0; c < kFixtureColumns; ++c)
                grid->SetHeaderText(c, Text(kFixtureHeaders[c]), kFixtureFormats[c]);
    for (CGuiElement* grid : {m_homeGrid, m_awayGrid}) {
        if (grid) {
            grid->SetHeaderText(0, CStr(), kFormatLeftMiddle);
            grid->SetHeaderText(1, Text(80108), kFormatRightMiddle);
            grid->SetHeaderText(2, Text(100109), kFormatRightMiddle);
        }
    }
}

// ---- standings -----------------------------------------------------------------------------------

int CStatisticsScreen::PickedCompetition(CGuiElement* combo) const {
    if (!combo || m_competitions.empty())
        return -1;
    int selected = combo->GetSelectedIndex();
    int c = selected >= 0 ? combo->GetItemData(selected) : 0;
    if (c < 0)
        c = 0;
    // A combo item from an earlier build may name a competition that no longer exists.
    return c < static_cast<int>(m_competitions.size()) ? c : -1;
}

void CStatisticsScreen::FillCompetitionCombos() {
    if (!m_competitionCombo || !m_compareCombo || m_competitions.empty())
        return;
    const CLeague* league = m_ctx.Session().UserLeague();
    int32_t userLeagueId = league ? league->id : -1;
    for (CGuiElement* combo : {m_competitionCombo, m_compareCombo}) {
        combo->ClearItems();
        combo->SetTextFormat(kFormatLeftMiddle);
        for (size_t i = 0; i < m_competitions.size(); ++i)
            // A round a tournament has left behind keeps its table but not its fixtures: nothing to
            // compare.
            if (combo == m_competitionCombo || m_competitions[i]->leagueId >= 0)
                combo->AddItem(m_competitions[i]->name, static_cast<int32_t>(i));
        combo->SetListRows(combo->GetItemCount());
        combo->SortItems(-1, -1);
        int pick = 0;
        for (int item = 0; item < combo->GetItemCount(); ++item) {
            int32_t c = combo->GetItemData(item);
            if (c >= 0 && c < static_cast<int32_t>(m_competitions.size()) &&
                m_competitions[static_cast<size_t>(c)]->leagueId == userLeagueId) {
                pick = item;
                break;
            }
        }
        combo->SetSelection(pick);
    }
    LogListedTables();
}

void CStatisticsScreen::LogListedTables() {
    // Every refresh fills the list again: only a list that changed is worth a line.
    std::string names;
    for (int item = 0; item < m_competitionCombo->GetItemCount(); ++item)
        names += (item > 0 ? "; " : "") + m_competitionCombo->GetItemText(item).Std();
    if (names == m_loggedTables)
        return;
    m_loggedTables = names;
    QuorelLog("[CStatisticsScreen] %d tables listed: %s", m_competitionCombo->GetItemCount(), names.c_str());
}

void CStatisticsScreen::FillStandings() {
    if (!m_standingsGrid || !m_competitionCombo)
        return;
    if (m_levelNote)
        m_levelNote->SetText(CStr());
    int c = PickedCompetition(m_competitionCombo);
    if (c < 0 || m_competitions[static_cast<size_t>(c)]->standings.empty())
        return;
    const CompetitionStats& table = *m_competitions[static_cast<size_t>(c)];
    const auto& standings = table.standings;
    CGuiElement* grid = m_standingsGrid;
    grid->Clear();
    const CStr levelMark = Text(kLevelMarkText);
    if (m_levelNote)
        m_levelNote->SetText(LevelNoteText(table, table.leagueType == kCupLeagueType, m_ctx.Texts()));
    for (int col = 0; col < kStandingsColumns; ++col)
        grid->SetColumnFormat(col, col < 3 ? kFormatLeftMiddle : kFormatRightMiddle);
    int n = static_cast<int>(standings.size());
    for (int i = 0; i < n; ++i) {
        int index = n - 1 - i;
        const TeamStatRow& row = *standings[static_cast<size_t>(index)];
        grid->AddCell(0, row.hasResults ? StandingsRankText(row, i + 1, levelMark) : CStr("-"), index);
        grid->AddCell(1, row.name, c);
        grid->AddCell(2, row.country, -1);
        grid->AddCell(3, Count(row.games), -1);
        grid->AddCell(4, Count(row.wins), -1);
        grid->AddCell(5, Count(row.losses), -1);
        grid->AddCell(6, Count(row.pointsFor), -1);
        grid->AddCell(7, Count(row.pointsAgainst), -1);
        grid->AddCell(8, Count(row.pointsFor - row.pointsAgainst), -1);
        grid->AddCell(9,
                      m_cupStyle ? CStr::Formatted("%d:%d", 2 * row.wins, 2 * row.losses)
                                 : PercentText(static_cast<double>(row.winPercent)),
                      -1);
        uint32_t colour = row.teamId == m_userClubId ? kUserColour : kWhite;
        for (int col = 0; col < kStandingsColumns - 1; ++col)
            grid->SetCellColour(col, i, colour);
        // A club without a result has no rank to colour.
        grid->SetCellColour(9, i, row.hasResults ? RankGradientColour(i, n) : kWhite);
    }
    grid->SetRowCount(n);
    grid->ResetScroll(true);
    grid->SetSelectedRow(0);
}

void CStatisticsScreen::ShowTeam() {
    if (!m_standingsGrid || !m_teamInfoGrid || !m_squadGrid || !m_playerGrid)
        return;
    int r = m_standingsGrid->GetSelectedRow();
    if (r < 0)
        return;
    // The cells carry the competition and the row; both are checked against the tables they index.
    const GuiGridCell* rowCell = m_standingsGrid->FindCell(0, r);
    const GuiGridCell* competitionCell = m_standingsGrid->FindCell(1, r);
    if (!rowCell || !competitionCell)
        return;
    int c = competitionCell->data;
    if (c < 0 || c >= static_cast<int>(m_competitions.size()))
        return;
    const auto& standings = m_competitions[static_cast<size_t>(c)]->standings;
    if (rowCell->data < 0 || rowCell->data >= static_cast<int>(standings.size()))
        return;
    const TeamStatRow& team = *standings[static_cast<size_t>(rowCell->data)];

    CGuiElement* info = m_teamInfoGrid;
    info->SetColumnFormat(0, kFormatLeftMiddle);
    info->SetColumnFormat(1, kFormatLeftMiddle);
    info->SetColumnColour(0, kInfoLabelColour);
    info->Clear();
    info->SetRowCount(kTeamInfoRows);
    info->ResetScroll(true);
    const std::pair<int, CStr> rows[kTeamInfoRows] = {
        {80019, team.name},
        // Crowds, seats and fans read grouped by thousands.
        // No figure of another season's crowd before the first home match.
        {100031, team.homeGameThisSeason ? GroupedCount(team.infoValue1) : CStr("-")},
        {100008, team.stadiumName},
        {100032, GroupedCount(team.stadiumCapacity)},
        {100033, GroupedCount(team.infoValue2)},
        {80054, CStr()},
        {80055, team.staffNames[0]},
        {80056, team.staffNames[1]},
        {80058, team.staffNames[3]},
        {80059, team.staffNames[4]},
        {80057, team.staffNames[2]},
        {80060, team.staffNames[5]},
        {80061, team.staffNames[6]},
        {80062, team.staffNames[7]},
    };
    for (const auto& [label, value] : rows) {
        info->AddCell(0, Text(label), -1);
        info->AddCell(1, value, -1);
    }

    m_playerGrid->Clear();
    m_squadGrid->Clear();
    for (int col = 0; col < kPlayerColumns; ++col)
        m_playerGrid->SetColumnFormat(col, kFormatLeftMiddle);
    int n = static_cast<int>(team.players.size());
    for (int i = 0; i < n; ++i) {
        const PlayerStatRow& player = *team.players[static_cast<size_t>(n - 1 - i)];
        m_squadGrid->AddCell(i % 3, player.name, -1);
        AddPlayerRow(player, i + 1);
        m_playerGrid->SetCellColour(8, i, player.hasStats ? RankGradientColour(i, n) : kWhite);
    }
    m_playerGrid->SetRowCount(n);
    m_playerGrid->ResetScroll(true);
    m_squadGrid->SetRowCount(n + 1);
    m_squadGrid->ResetScroll(true);
}

void CStatisticsScreen::AddPlayerRow(const PlayerStatRow& row, int rank) {
    CGuiElement* grid = m_playerGrid;
    auto number = [](double value) { return CStr::Formatted("%.2f", value); };
    auto percent = [](float value) { return PercentText(static_cast<double>(value)); };
    grid->AddCell(0, row.hasStats ? CStr::Formatted("%d", rank) : CStr("-"), -1);
    grid->AddCell(1, row.name, row.playerId); // a double-click opens the player's window
    grid->AddCell(2, row.position, -1);
    grid->AddCell(3, CStr::Formatted("%d", row.number), -1);
    grid->AddCell(4, CStr::Formatted("%d", row.games), -1);
    grid->AddCell(5, MinutesText(row.minutes), -1);
    grid->AddCell(6, number(row.points), -1);
    grid->AddCell(7, row.fieldGoalText, -1);
    grid->AddCell(8, percent(row.fieldGoalPercent), -1);
    grid->AddCell(9, row.threeText, -1);
    grid->AddCell(10, percent(row.threePercent), -1);
    grid->AddCell(11, row.freeThrowText, -1);
    grid->AddCell(12, percent(row.freeThrowPercent), -1);
}

// ---- fixtures ------------------------------------------------------------------------------------

void CStatisticsScreen::AddCompetitionItem(const CStr& name, int32_t leagueId) {
    if (!m_fixtureList)
        return;
    for (int item = 0; item < m_fixtureList->GetItemCount(); ++item)
        if (m_fixtureList->GetItemData(item) == leagueId)
            return;
    m_fixtureList->AddItem(name, leagueId);
    m_fixtureList->SetListRows(m_fixtureList->GetItemCount());
}

void CStatisticsScreen::FillFixtureList() {
    const CCareerSession& session = m_ctx.Session();
    const CLeague* league = session.UserLeague();
    int32_t userLeagueId = league ? league->id : -1;
    if (league && !league->teams.empty() && league->teams.front())
        m_userClubId = league->teams.front()->id;
    // Entries point at team records: they never outlive the build that made them.
    m_matches.clear();
    std::vector<CFixture*> fixtures;
    if (session.fixtureList)
        fixtures = session.fixtureList->Select(-1, -1);
    if (m_fixtureList)
        m_fixtureList->ClearItems();
    for (const CFixture* fixture : fixtures) {
        if (!fixture || !fixture->home || !fixture->away)
            continue;
        auto entry = std::make_unique<MatchListEntry>();
        // The schedule names the world's copy of the user's club; its matches are booked in the
        // career's record, which the comparison must read.
        CTeam* user = session.UserClub();
        auto own = [user](CTeam* team) { return user && team->id == user->id ? user : team; };
        entry->home = own(fixture->home);
        entry->away = own(fixture->away);
        entry->homeName = fixture->home->name;
        entry->awayName = fixture->away->name;
        entry->scoreText = fixture->homeScore < 0 || fixture->awayScore < 0
                               ? CStr("-")
                               : CStr::Formatted("%.2d-%.2d", fixture->homeScore, fixture->awayScore);
        entry->weekdayText = session.calendar ? session.calendar->WeekdayName(fixture->Date()) : CStr();
        entry->dateText = FormatDate(fixture->year, fixture->day, fixture->month, ".");
        entry->leagueId = fixture->home->leagueId;
        AddCompetitionItem(fixture->leagueName, entry->leagueId);
        m_matches.push_back(std::move(entry));
    }
    if (m_fixtureList) {
        m_fixtureList->SetListRows(m_fixtureList->GetItemCount());
        m_fixtureList->SortItems(-1, -1);
        for (int item = 0; item < m_fixtureList->GetItemCount(); ++item) {
            if (m_fixtureList->GetItemData(item) == userLeagueId) {
                m_fixtureList->SetSelection(item);
                break;
            }
        }
    }
}

void CStatisticsScreen::FillFixtureGrids() {
    if (!m_fixtureGrid || !m_matchGrid || !m_fixtureList)
        return;
    int listSelected = m_fixtureList->GetSelectedIndex();
    int32_t listLeague = listSelected >= 0 ? m_fixtureList->GetItemData(listSelected) : 0;
    if (m_matches.empty())
        return;
    for (CGuiElement* grid : {m_fixtureGrid, m_matchGrid}) {
        grid->Clear();
        for (int col = 0; col < kFixtureColumns; ++col)
            grid->SetColumnFormat(col, kFixtureFormats[col]);
    }
    int c = PickedCompetition(m_compareCombo);
    if (c < 0)
        return;
    int32_t compLeague = m_competitions[static_cast<size_t>(c)]->leagueId;
    int listRows = 0;
    int matchRows = 0;
    for (size_t e = 0; e < m_matches.size(); ++e) {
        const MatchListEntry& entry = *m_matches[e];
        bool users =
            (entry.home && entry.home->id == m_userClubId) || (entry.away && entry.away->id == m_userClubId);
        uint32_t colour = users ? kUserColour : kWhite;
        const CStr* cells[kFixtureColumns] = {&entry.dateText, &entry.weekdayText, &entry.homeName,
                                              &entry.scoreText, &entry.awayName};
        if (entry.leagueId == listLeague) {
            for (int col = 0; col < kFixtureColumns; ++col) {
                m_fixtureGrid->AddCell(col, *cells[col], -1);
                m_fixtureGrid->SetCellColour(col, listRows, colour);
            }
            ++listRows;
        }
        if (entry.leagueId == compLeague) {
            for (int col = 0; col < kFixtureColumns; ++col) {
                m_matchGrid->AddCell(col, *cells[col], static_cast<int32_t>(e));
                m_matchGrid->SetCellColour(col, matchRows, colour);
            }
            ++matchRows;
        }
    }
    m_matchGrid->SetRowCount(matchRows);
    m_matchGrid->ResetScroll(true);
    m_matchGrid->SetSelectedRow(0);
    m_fixtureGrid->SetRowCount(listRows);
    m_fixtureGrid->ResetScroll(true);
}

// ---- match comparison ----------------------------------------------------------------------------

void CStatisticsScreen::ShowMatchComparison() {
    if (!m_homeGrid || !m_awayGrid || !m_homeName || !m_awayName || !m_matchGrid)
        return;
    int s = m_matchGrid->GetSelectedRow();
    if (s < 0 || s >= m_matchGrid->GetRowCount()) {
        m_matchGrid->SetSelectedRow(0);
        s = 0;
    }
    const GuiGridCell* cell = m_matchGrid->FindCell(0, s);
    if (!cell || cell->data < 0 || cell->data >= static_cast<int>(m_matches.size()))
        return;
    const MatchListEntry& entry = *m_matches[static_cast<size_t>(cell->data)];
    if (!entry.home || !entry.away)
        return;
    m_homeName->SetText(entry.home->name, kFormatLeftMiddle, kWhite);
    m_awayName->SetText(entry.away->name, kFormatLeftMiddle, kWhite);
    if (m_homePicture)
        m_homePicture->SetImage(ClubCrestPath(entry.home));
    if (m_awayPicture)
        m_awayPicture->SetImage(ClubCrestPath(entry.away));
    int start = SeasonStartKey();
    FillComparisonGrid(m_homeGrid, SumComparisonFigures(entry.home, start));
    FillComparisonGrid(m_awayGrid, SumComparisonFigures(entry.away, start));
}

void CStatisticsScreen::FillComparisonGrid(CGuiElement* grid, const ComparisonFigures& f) {
    auto label = [this](int a, int b) { return Text(a).Concat("/").Concat(Text(b)); };
    // Plain counts, and the shots made before those tried with their share, as every other screen
    // writes them.
    auto pair = [](int a, int b) { return GroupedCount(a) + "/" + GroupedCount(b); };
    struct Row {
        CStr label, value, rate;
    };
    const Row rows[] = {
        {Text(100112), GroupedCount(f.games), "-"},
        {Text(100100), pair(f.wins, f.losses), "-"},
        {label(100101, 100102), pair(f.pointsFor, f.pointsAgainst), "-"},
        {Text(kTextFreeThrowsMadeOf), MadeOfText(f.freeThrowsMade, f.freeThrowsAttempted),
         RateText(f.freeThrowsMade, f.freeThrowsAttempted)},
        {Text(kTextDunksMadeOf), MadeOfText(f.dunksMade, f.dunksAttempted),
         RateText(f.dunksMade, f.dunksAttempted)},
        {Text(kTextThreesMadeOf), MadeOfText(f.threesMade, f.threesAttempted),
         RateText(f.threesMade, f.threesAttempted)},
        {Text(kTextTwosMadeOf), MadeOfText(f.twosMade, f.twosAttempted),
         RateText(f.twosMade, f.twosAttempted)},
    };
    grid->Clear();
    for (const Row& row : rows) {
        grid->AddCell(0, row.label, -1);
        grid->AddCell(1, row.value, -1);
        grid->AddCell(2, row.rate, -1);
    }
    grid->SetRowCount(static_cast<int>(std::size(rows)));
    grid->ResetScroll(true);
}

void CStatisticsScreen::LogShownTable() const {
    const int item = m_competitionCombo ? m_competitionCombo->GetSelectedIndex() : -1;
    const int c = PickedCompetition(m_competitionCombo);
    if (item < 0 || c < 0)
        return;
    const CompetitionStats& table = *m_competitions[static_cast<size_t>(c)];
    QuorelLog("[CStatisticsScreen] table %d of %d shown: %s, %d clubs", item + 1,
              m_competitionCombo->GetItemCount(), table.name.GetText(),
              static_cast<int>(table.standings.size()));
}

// ---- messages ------------------------------------------------------------------------------------

void CStatisticsScreen::OnMessage(GuiMessage& m) {
    if (m.MSG == kMsgDoubleClick && m.sID == ID_ST_PLAYERS) {
        const GuiGridCell* cell = m_playerGrid ? m_playerGrid->FindCell(1, m.p1) : nullptr;
        if (cell && OpenPlayerInfo(m_ctx, cell->data))
            Consume(m);
        return;
    }
    if (m.MSG != kMsgSelection)
        return;
    // Without a career the tables are empty and nothing may be picked from them.
    bool open = m_ctx.Session().HasOpenCareer();
    switch (m.sID) {
    case ID_ST_STANDINGS:
        Consume(m);
        if (open)
            ShowTeam();
        break;
    case ID_ST_COMPETITION:
        Consume(m);
        if (open) {
            FillStandings();
            ShowTeam();
            LogShownTable();
        }
        break;
    case ID_MC_COMPETITION:
        Consume(m);
        if (open) {
            FillFixtureGrids();
            ShowMatchComparison();
        }
        break;
    case ID_FX_COMPETITION:
        Consume(m);
        if (open)
            FillFixtureGrids();
        break;
    case ID_MC_GRID:
        Consume(m);
        if (open)
            ShowMatchComparison();
        break;
    default:
        break;
    }
}
