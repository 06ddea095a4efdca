// The results screen: the season's final tables, the season-end verdict and the next season.
#include "screens/match/ResultsScreen.h"

#include "career/CareerSession.h"
#include "career/CupStages.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "screens/FormatFigures.h"
#include "screens/info/StatisticsScreen.h"
#include "screens/start/NewCareerScreen.h"

namespace {

constexpr int kHeaders[CResultsScreen::kColumns] = {100193, 80019, 80072, 100043, 100194, 200017};
constexpr int kWinShareHeader = 80000;
constexpr int kTooltips[CResultsScreen::kColumns] = {910450, 910451, 910453, 910454, 910455, 910456};
constexpr int kWinShareTooltip = 910452;
constexpr int kOutSuffix = 302073;
constexpr int kSeasonText = 80030;
constexpr int kButtonText = 100154;
constexpr int kSeasonOverText = 250091;
// A knockout tie lost: the round it was lost in, not a table finished too low.
constexpr int kOutInSecondRoundText = 250092;
constexpr int kOutInQuarterFinalsText = 250093;
constexpr int kOutInSemiFinalsText = 250094;
constexpr int kChampionText = 302074;
constexpr int kLeagueChampionText = 302900;
constexpr int kPromotedText = 302901;

} // namespace

std::vector<ResultsRow> BuildResultsRows(const CompetitionStats& group, bool leagueStyle, int seasonStartKey,
                                         const CStr& levelMark) {
    std::vector<ResultsRow> rows;
    const int n = static_cast<int>(group.standings.size());
    for (int i = 0; i < n; ++i) {
        const TeamStatRow& team = *group.standings[static_cast<size_t>(n - 1 - i)];
        ResultsRow row;
        row.cells[0] = StandingsRankText(team, i + 1, levelMark);
        row.cells[1] = team.name;
        row.cells[2] = leagueStyle ? PercentText(static_cast<double>(team.winPercent))
                                   : CStr::Formatted("%d:%d", 2 * team.wins, 2 * team.losses);
        // The results counted: the games the club played in this table.
        row.cells[3] = CStr::Formatted("%d", team.games);
        if (team.games > 0)
            row.cells[4] = CStr::Formatted("%.2f", static_cast<double>(team.pointsFor) / team.games);
        else
            row.cells[4] = " ";
        // The season's field goals of the team's own records: two- and three-pointers.
        int made = 0, attempted = 0;
        if (team.team)
            for (const CMatchStat* record : team.team->matchStats)
                if (record && record->DateKey() >= seasonStartKey) {
                    attempted += record->TwoPointersTaken() + record->ThreePointersTaken();
                    made += record->TwoPointersMade() + record->ThreePointersMade();
                }
        row.cells[5] = attempted > 0 ? RateText(made, attempted) : CStr("-");
        rows.push_back(row);
    }
    return rows;
}

CResultsScreen::CResultsScreen(const CScreenContext& ctx) : m_ctx(ctx) {
    m_root = ctx.Find(ID_RESULTS);
    auto find = [this](int id) { return m_root ? m_root->FindChild(id) : nullptr; };
    m_groupList = find(ID_RESULTS_GROUPS);
    m_title = find(ID_RESULTS_TITLE);
    m_grid = find(ID_RESULTS_GRID);
    m_season = find(ID_RESULTS_SEASON);
    m_button = find(ID_RESULTS_STAGE);
    m_message = find(ID_RESULTS_STAGE_TEXT);
    m_levelNote = find(ID_RESULTS_LEVEL_NOTE);
    if (m_grid)
        for (int c = 0; c < kColumns; ++c)
            m_grid->SetHeaderTooltip(c, ctx.Tooltip(kTooltips[c]));
}

int CResultsScreen::SeasonStartKey() const {
    const CFixtureList* fixtures = m_ctx.Session().fixtureList;
    if (!fixtures)
        return 0;
    const SeasonSpan& season = fixtures->Season();
    return MakeDateKey(season.startYear, season.startMonth, season.startDay);
}

bool CResultsScreen::TournamentData() const {
    return m_ctx.Session().tournamentMode != 0;
}

void CResultsScreen::ShowMessage(const CStr& text, uint32_t colour) {
    if (!m_message)
        return;
    // A text box adds to what it holds: it starts empty.
    m_message->Clear();
    m_message->SetText(text, kFormatTopLeft, colour);
}

void CResultsScreen::FillGroups() {
    CCareerSession& session = m_ctx.Session();
    m_groups = BuildSeasonStandings(session, m_ctx.Texts());
    const CLeague* league = session.UserLeague();
    m_userGroup = -1;
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (league && m_groups[i]->leagueId == league->id)
            m_userGroup = static_cast<int>(i);
    if (!m_groupList)
        return;
    m_groupList->ClearItems();
    for (size_t i = 0; i < m_groups.size(); ++i)
        m_groupList->AddItem(m_groups[i]->name, static_cast<int32_t>(i));
    m_groupList->SetSelection(m_userGroup >= 0 ? m_userGroup : (m_groups.empty() ? -1 : 0));
}

void CResultsScreen::Refresh() {
    if (!m_root)
        return;
    m_seasonOver = 0;
    m_verdict = SeasonVerdict();
    CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer() || session.UserLeague() == nullptr) {
        m_groups.clear();
        m_userGroup = -1;
        return;
    }
    FillGroups();
    m_verdict = JudgeSeasonEnd(session, m_groups);
    ShowVerdict();
    if (m_verdict.bottom || m_verdict.knockedOut)
        m_seasonOver = 1;
    if (m_seasonOver && TournamentData()) {
        // The user's club is out: the rounds still to come are played without it, so the
        // tournament has its champion before the career ends.
        PlayOutTournament(session, m_ctx.Texts());
        FillRoundList();
    } else {
        Build();
    }
    ShowChampion();
}

namespace {

// The text for a knockout tie lost at `stage`; 0 where the stage is played in tables (the groups,
// the EuroCup's second round) or is the final, whose loser reads the champion line.
int KnockoutExitText(bool euroCup, int stage) {
    switch (stage) {
    case 1:
        return euroCup ? 0 : kOutInSecondRoundText;
    case 2:
        return kOutInQuarterFinalsText;
    case 3:
        return kOutInSemiFinalsText;
    default:
        return 0;
    }
}

} // namespace

void CResultsScreen::ShowVerdict() {
    const CCareerSession& session = m_ctx.Session();
    if (m_verdict.champion)
        ShowMessage(" ", kWhite);
    else if (TournamentData() && session.cupStage >= kCupFinalStage && m_verdict.knockedOut)
        ShowMessage(" ", kWhite); // the final's loser did not finish "too low": the champion line says it
    else if (const int tieLost = TournamentData() && m_verdict.knockedOut
                                     ? KnockoutExitText(session.euroCup != 0, session.cupStage)
                                     : 0)
        ShowMessage(Text(tieLost), kWhite);
    else if (m_verdict.bottom)
        ShowMessage(Text(kSeasonOverText), kWarningColour);
    else if (m_verdict.knockedOut)
        ShowMessage(Text(kSeasonOverText), kWhite);
    else
        ShowMessage(CStr(), kWhite);
}

int CResultsScreen::ShownGroup() const {
    const int picked = m_groupList ? m_groupList->GetSelectedIndex() : -1;
    const int g = picked >= 0 && m_groupList ? m_groupList->GetItemData(picked) : 0;
    return g < 0 || g >= static_cast<int>(m_groups.size()) ? 0 : g;
}

CStr CResultsScreen::ChampionLine() const {
    const CCareerSession& session = m_ctx.Session();
    if (const CTeam* champion = TournamentChampion(session))
        return Text(kChampionText).Concat(champion->name);
    // The line names the champion of the division shown, not always the user's.
    const int shown = ShownGroup();
    if (TournamentData() || !m_verdict.judged || m_groups.empty() ||
        m_groups[static_cast<size_t>(shown)]->standings.empty())
        return CStr();
    // The league's season is over: its leader is champion, and the user's club, when it is that
    // leader, goes up to the league above.
    CStr line =
        Text(kLeagueChampionText).Concat(m_groups[static_cast<size_t>(shown)]->standings.back()->name);
    if (shown != m_userGroup)
        return line;
    const CLeague* league = session.UserLeague();
    const CLeague* above = league && session.worldDB && league->promotionLeague >= 0
                               ? session.worldDB->leagues.At(league->promotionLeague)
                               : nullptr;
    if (m_verdict.champion && above)
        line = line.Concat(Text(kPromotedText)).Concat(Text(above->nameTextId));
    return line;
}

void CResultsScreen::ShowChampion() {
    const CStr line = ChampionLine();
    if (line.IsEmpty() || !m_message)
        return;
    // The verdict's own line, when there is one, stays above it.
    CStr shown = m_message->GetText();
    if (shown.Trim().Length() == 0)
        m_message->Clear();
    m_message->SetText(line);
}

void CResultsScreen::Build() {
    if (!m_root || !m_grid)
        return;
    m_grid->Clear();
    m_grid->SetRowCount(0);
    if (m_levelNote)
        m_levelNote->SetText(CStr());
    const CCareerSession& session = m_ctx.Session();
    const int g = ShownGroup();
    // No table yet (no career, or no league with clubs): empty labels and grid, nothing to grade.
    if (m_groups.empty()) {
        if (m_title)
            m_title->SetText(CStr());
        if (m_season)
            m_season->SetText(CStr());
        return;
    }
    const CompetitionStats& group = *m_groups[static_cast<size_t>(g)];
    if (m_title)
        // The table's own name says what it is ("Third Division", "Final"); a "League" after it
        // read "Final League".
        m_title->SetText(group.name, kFormatLeftMiddle, kHeadingColour);
    if (m_season) {
        SeasonSpan span;
        if (session.fixtureList)
            span = session.fixtureList->Season();
        m_season->SetText(
            FormatSeasonYears(span.startYear, span.endYear).Concat(" ").Concat(Text(kSeasonText)),
            kFormatRightMiddle, kHeadingColour);
    }
    if (m_button)
        m_button->SetText(Text(kButtonText), kFormatCentreMiddle);

    const bool leagueStyle = group.leagueType == kLeagueGroupType && !TournamentData();
    for (int c = 0; c < kColumns; ++c) {
        CStr header = Text(kHeaders[c]);
        if (c == 2 && leagueStyle) {
            // The win-share caption carries a trailing character the column does without.
            header = Text(kWinShareHeader);
            if (header.Length() > 0)
                header = header.Left(static_cast<int>(header.Length()) - 1);
        }
        m_grid->SetHeaderText(c, header, c == 1 ? kFormatLeftMiddle : kFormatRightMiddle);
    }
    m_grid->SetHeaderTooltip(2, m_ctx.Tooltip(leagueStyle ? kWinShareTooltip : kTooltips[2]));

    const std::vector<ResultsRow> rows =
        BuildResultsRows(group, leagueStyle, SeasonStartKey(), Text(kLevelMarkText));
    if (m_levelNote)
        m_levelNote->SetText(LevelNoteText(group, !leagueStyle, m_ctx.Texts()));
    const int n = static_cast<int>(rows.size());
    const CTeam* club = session.UserClub();
    int userRow = -1;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < n; ++r)
            m_grid->AddCell(c, rows[static_cast<size_t>(r)].cells[c], n - 1 - r);
    for (int r = 0; r < n; ++r) {
        // A club without a result has no rank to colour.
        const uint32_t colour =
            group.standings[static_cast<size_t>(n - 1 - r)]->hasResults ? RankGradientColour(r, n) : kWhite;
        for (int c = 0; c < kColumns; ++c)
            m_grid->SetCellColour(c, r, colour);
        if (club && group.standings[static_cast<size_t>(n - 1 - r)]->teamId == club->id)
            userRow = r;
    }
    // On the highlight the graded colours (red low down) do not read: the user's row is white.
    if (userRow >= 0)
        for (int c = 0; c < kColumns; ++c)
            m_grid->SetCellColour(c, userRow, kWhite);
    m_grid->SetRowCount(n);
    m_grid->ResetScroll(true);
    // The user's club is picked out, so it can be found in a long table.
    m_grid->SetSelectedRow(userRow);
}

void CResultsScreen::FillRoundList() {
    CCareerSession& session = m_ctx.Session();
    if (!m_root || !ReplaceLeaguesWithRoundList(session))
        return;
    // The statistics screen's tables name the old groups: they are rebuilt at once.
    if (CGameScreen* statistics = m_ctx.Screen(ScreenRole::Statistics))
        statistics->Refresh();
    FillGroups();
    if (!m_groups.empty())
        RankByTournamentProgress(*m_groups.front(), session.euroCup != 0, TournamentChampion(session));
    Build();
    const CLeague* league = session.UserLeague();
    const CStr name = league ? Text(league->nameTextId) : CStr();
    if (m_title)
        m_title->SetText(name.Concat(Text(kOutSuffix)), kFormatLeftMiddle, kHeadingColour);
    if (m_season)
        m_season->SetText(CStr::Formatted("%d %s", session.currentDate.year, Text(kSeasonText).GetText()),
                          kFormatRightMiddle, kHeadingColour);
}

void CResultsScreen::OnMessage(GuiMessage& m) {
    if (m.sID == ID_RESULTS_GROUPS && m.MSG == kMsgSelection) {
        if (!(m_seasonOver && TournamentData()))
            ShowTable();
        Consume(m);
        return;
    }
    // Opened again (or on a later day, a career loaded at its season's end), the window shows the
    // tables as they stand, the user's picked, without judging the season again.
    if (m.cID == ID_RESULTS && m.MSG == kMsgSwitchTo && !(m_seasonOver && TournamentData()) &&
        m_ctx.Session().HasOpenCareer()) {
        FillGroups();
        ShowTable();
    }
}

void CResultsScreen::ShowTable() {
    Build();
    // The verdict stays; the champion's line follows the division shown.
    if (m_verdict.judged) {
        ShowVerdict();
        ShowChampion();
    }
}

RolloverOutcome CResultsScreen::StartNewSeason() {
    auto* newCareer = m_ctx.ScreenAs<CNewCareerScreen>(ScreenRole::NewCareer);
    RolloverOutcome outcome = ::StartNewSeason(m_ctx.Session(), m_ctx.Texts(), [newCareer] {
        if (newCareer)
            newCareer->SendStartMails();
    });
    m_seasonOver = 0;
    m_verdict = SeasonVerdict();
    m_groups.clear();
    m_userGroup = -1;
    ShowMessage(CStr(), kWhite);
    return outcome;
}
