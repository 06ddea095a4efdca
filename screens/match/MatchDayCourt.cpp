// The match centre's court view and tables: markers, names, clock line, score, box scores and the
// team comparison; and the recording of the finished match into the season.
#include "career/CareerSession.h"
#include "career/DayController.h"
#include "career/Lineup.h"
#include "career/MatchDay.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchStatsView.h"

#include <algorithm>

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kRed = 0x0000FFFFu;
constexpr uint32_t kCyan = 0xFFFF00FFu;
constexpr uint32_t kYellow = 0x00FFFFFFu;
constexpr uint32_t kGreen = 0x00FF00FFu;
constexpr uint32_t kLightCyan = 0xFFFF80FFu; // (128, 255, 255)

constexpr uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(b) << 24) | (static_cast<uint32_t>(g) << 16) |
           (static_cast<uint32_t>(r) << 8) | 0xFFu;
}

uint32_t BandColour(float value) {
    if (value < 10.0f)
        return kRed;
    return value < 60.0f ? kYellow : kGreen;
}

int Points(const CMatch2DPlayer& p) {
    return 3 * p.Counter(kStatThreesMade) + 2 * p.Counter(kStatFieldGoalsMade) +
           p.Counter(kStatFreeThrowsMade);
}

} // namespace

void CourtToPixel(int courtX, int courtY, int courtW, int courtH, int markerW, int markerH,
                  const Vec3& position, int& left, int& top) {
    // Halves of signed integers and the float offsets both truncate toward zero.
    left = courtX + courtW / 2 - markerW / 2 + static_cast<int>(20.0f * position.x);
    top = courtY + courtH / 2 - markerH / 2 + static_cast<int>(21.0f * position.z);
}

CStr MatchPercentText(int made, int attempted) {
    if (made <= 0 || attempted <= 0)
        return CStr("0%");
    return CStr::Formatted("%d %%", static_cast<int>(static_cast<double>(made) / attempted * 100.0));
}

uint32_t FoulColour(int fouls) {
    const int c = static_cast<int>(static_cast<float>(fouls) * 42.2f);
    if (2 * c < 255)
        return Rgb(2 * c, 255, 0);
    return Rgb(255, std::max(0, 255 - c), 0);
}

void CMatchDayScreen::PlaceMarker(const Vec3& position, CGuiElement* marker, bool highlighted) {
    CGuiElement* court = Child(ID_CENTRE_COURT);
    if (court == nullptr || marker == nullptr)
        return;
    const ElementDesc& c = court->Desc();
    ElementDesc& m = marker->Desc();
    CourtToPixel(c.x, c.y, c.w, c.h, m.w, m.h, position, m.x, m.y);
    marker->SetDisabled(highlighted);
    marker->UpdateRect();
}

void CMatchDayScreen::PlaceCourtMarkers() {
    if (Instant())
        return;
    for (int i = 0; i < 5; ++i) {
        if (const CMatch2DPlayer* p = m_homeTeam != nullptr ? m_homeTeam->GetPlayer(i) : nullptr)
            PlaceMarker(p->position, m_homeMarkers[static_cast<size_t>(i)], p->hasBall != 0);
        if (const CMatch2DPlayer* p = m_awayTeam != nullptr ? m_awayTeam->GetPlayer(i) : nullptr)
            PlaceMarker(p->position, m_awayMarkers[static_cast<size_t>(i)], p->hasBall != 0);
    }
    CGuiElement* ball = Child(ID_CENTRE_BALL);
    const CMatch2D* match = Match();
    if (ball == nullptr || match == nullptr || !match->ball)
        return;
    ball->SetDisabled(true);
    ball->SetActive(false);
    ball->SetText(CStr(), kFormatCentreMiddle);
    PlaceMarker(match->ball->position, ball, false);
}

void CMatchDayScreen::DeactivateMarkers() {
    for (auto* list : {&m_homeMarkers, &m_awayMarkers})
        for (CGuiElement* marker : *list)
            if (marker != nullptr)
                marker->SetActive(false);
}

void CMatchDayScreen::ShowTeamHeader() {
    if (m_root == nullptr)
        return;
    const CStr home = m_homeTeam != nullptr ? m_homeTeam->name : CStr();
    const CStr away = m_awayTeam != nullptr ? m_awayTeam->name : CStr();
    if (CGuiElement* e = Child(ID_CENTRE_HOME_NAME))
        e->SetText(home, kFormatCentreMiddle, kRed);
    if (CGuiElement* e = Child(ID_CENTRE_AWAY_NAME))
        e->SetText(away, kFormatCentreMiddle, kCyan);
    if (CGuiElement* e = Child(ID_CENTRE_HOME_NAME2))
        e->SetText(home, kFormatCentreMiddle, kRed);
    if (CGuiElement* e = Child(ID_CENTRE_AWAY_NAME2))
        e->SetText(away, kFormatCentre, kCyan);
    CGuiElement* grid = Child(ID_CENTRE_COMPARISON);
    if (grid == nullptr)
        return;
    grid->SetHeaderText(0, CStr(), kFormatLeftMiddle);
    grid->SetHeaderText(1, CStr(), kFormatLeftMiddle);
    grid->SetHeaderText(2, m_ctx.Text(80029), kFormatCentreMiddle);
    grid->SetHeaderText(3, m_ctx.Text(100042), kFormatCentreMiddle);
    grid->SetHeaderText(4, CStr(), kFormatLeftMiddle);
    grid->SetHeaderColours(2, kRed, kRed, kRed, kRed);
    grid->SetHeaderColours(3, kLightCyan, kLightCyan, kLightCyan, kLightCyan);
}

void CMatchDayScreen::FillTeamStats() {
    if (m_root == nullptr)
        return;
    if (CGuiElement* clock = Child(ID_CENTRE_CLOCK)) {
        // The labels with the figures as they stand: a refill while the match stands still (the
        // tactics window, a time-out) must not leave the clock blank until play resumes.
        FillClockLine(*clock);
        clock->ResetScroll(true);
    }
    CGuiElement* grid = Child(ID_CENTRE_COMPARISON);
    if (grid == nullptr || m_homeTeam == nullptr || m_awayTeam == nullptr)
        return;
    grid->Clear();
    grid->SetColumnColour(1, kCyan);
    grid->SetColumnFormat(1, kFormatLeftMiddle);
    for (int column : {2, 3}) {
        grid->SetColumnColour(column, kWhite);
        grid->SetColumnFormat(column, kFormatCentreMiddle);
    }
    auto values = [](const CMatch2DTeam& t) {
        const int fieldGoalsMade = t.SumFieldGoalsMade() + t.SumThreePointersMade();
        const int fieldGoalsTaken = t.SumFieldGoalsTaken() + t.SumThreePointersTaken();
        return std::vector<CStr>{
            CStr::Formatted("%d", t.teamFouls),
            CStr::Formatted("%d", t.timeOuts),
            CStr::Formatted("%d", t.SumDefensiveRebounds()),
            CStr::Formatted("%d", t.SumOffensiveRebounds()),
            CStr::Formatted("%d", t.SumFouls()),
            CStr::Formatted("%d", t.SumSteals()),
            CStr::Formatted("%d", t.SumCounter363()),
            CStr::Formatted("%d", fieldGoalsMade),
            MatchPercentText(fieldGoalsMade, fieldGoalsTaken),
            CStr::Formatted("%d", t.SumFreeThrowsMade()),
            MatchPercentText(t.SumFreeThrowsMade(), t.SumFreeThrowsTaken()),
            CStr::Formatted("%d", t.SumThreePointersMade()),
            MatchPercentText(t.SumThreePointersMade(), t.SumThreePointersTaken()),
        };
    };
    const std::vector<CStr> home = values(*m_homeTeam);
    const std::vector<CStr> away = values(*m_awayTeam);
    constexpr int kRows = 13;
    for (int row = 0; row < kRows; ++row) {
        const int data = row == 6 ? 6 : 0;
        grid->AddCell(0, CStr(), -1);
        grid->AddCell(1, m_ctx.Text(200235 + row), row);
        grid->AddCell(2, home[static_cast<size_t>(row)], data);
        grid->AddCell(3, away[static_cast<size_t>(row)], data);
    }
    grid->SetRowCount(kRows);
    grid->ResetScroll(true);
}

void CMatchDayScreen::FillClockLine(CGuiElement& clock) const {
    const CMatch2D* match = Match();
    clock.Clear();
    clock.AddCell(0, m_ctx.Text(200232), -1);
    clock.AddCell(2, m_ctx.Text(200233), -1);
    clock.AddCell(4, m_ctx.Text(200234), -1);
    if (match != nullptr && m_quarter < 5) {
        clock.AddCell(1, CStr::Formatted("%d", static_cast<int>(match->possessionTimer)), -1);
        clock.AddCell(3, CStr::Formatted("%d", m_quarter), -1);
        // Seconds with two digits, as every match clock shows them ("2:01", not "2:1").
        clock.AddCell(
            5, CStr::Formatted("%d:%.2d", static_cast<int>(match->minutes), static_cast<int>(match->seconds)),
            -1);
    }
    clock.SetRowCount(1);
}

void CMatchDayScreen::UpdateScoreboard() {
    const CMatch2D* match = Match();
    if (match == nullptr || Instant())
        return;
    if (m_quarter < 5)
        if (CGuiElement* clock = Child(ID_CENTRE_CLOCK))
            FillClockLine(*clock);
    PlaceCourtMarkers();
    if (CGuiElement* score = Child(ID_CENTRE_SCORE))
        score->SetText(CStr::Formatted("%d - %d", m_homeTeam != nullptr ? m_homeTeam->score : 0,
                                       m_awayTeam != nullptr ? m_awayTeam->score : 0),
                       kFormatCentre, kWhite);
    FillHostBoxScore();
    FillVisitorBoxScore();
}

void CMatchDayScreen::FillVisitorBoxScore() {
    FillBoxScore(m_awayTeam, ID_CENTRE_BOX_AWAY, ID_CENTRE_BOX_AWAY_BENCH, false);
}

void CMatchDayScreen::FillHostBoxScore() {
    FillBoxScore(m_homeTeam, ID_CENTRE_BOX_HOME, ID_CENTRE_BOX_HOME_BENCH, true);
}

void CMatchDayScreen::FillBoxScore(const CMatch2DTeam* side, int firstId, int secondId,
                                   bool headersOnSecond) {
    CGuiElement* first = Child(firstId);
    CGuiElement* second = Child(secondId);
    if (m_root == nullptr || first == nullptr || second == nullptr)
        return;
    first->Clear();
    second->Clear();
    static constexpr int kHeaders[6] = {80035, 200085, 200220, 200221, 200222, 200223};
    for (CGuiElement* grid : {first, second}) {
        if (grid == first || headersOnSecond)
            for (int column = 0; column < 6; ++column)
                grid->SetHeaderText(column, m_ctx.Text(kHeaders[column]),
                                    column == 0 ? kFormatLeftMiddle : kFormatCentreMiddle);
        for (int column = 0; column < 6; ++column)
            grid->SetColumnFormat(column, column == 0 ? kFormatLeftMiddle : kFormatCentreMiddle);
    }
    // The match keeps fifteen places a side; those no squad player took stay out of the tables.
    int count = 0;
    while (side != nullptr && count < side->PlayerCount() &&
           (side->GetPlayer(count)->MatchState() == kOnCourtState ||
            side->GetPlayer(count)->MatchState() == kOnBenchState))
        ++count;
    for (int i = 0; i < count; ++i) {
        const CMatch2DPlayer* p = side->GetPlayer(i);
        CGuiElement* grid = i < 5 ? first : second;
        const int row = i < 5 ? i : i - 5;
        grid->AddCell(0, p->name, i);
        grid->AddCell(1, PositionAbbreviation(p->positionId), i);
        grid->AddCell(2, CStr::Formatted("%d", static_cast<int>(p->energy)), i);
        grid->AddCell(3, CStr::Formatted("%d", p->Morale()), i);
        grid->AddCell(4, CStr::Formatted("%d", Points(*p)), i);
        grid->AddCell(5, CStr::Formatted("%d/%d", p->attackFouls, p->defenceFouls), i);
        grid->SetCellColour(0, row, p->mustLeave != 0 ? kRed : kWhite);
        grid->SetCellColour(2, row, BandColour(p->energy));
        grid->SetCellColour(3, row, BandColour(static_cast<float>(p->Morale())));
        grid->SetCellColour(5, row, FoulColour(std::max(p->attackFouls, p->defenceFouls)));
    }
    first->SetRowCount(5);
    second->SetRowCount(std::max(0, count - 5));
    first->ResetScroll(true);
    second->ResetScroll(true);
}

// ---- Recording ----------------------------------------------------------------------------------

namespace {

struct SideRecordTarget {
    CMemoryDB* db = nullptr; // the career's for the user's club, the world's for the other
};

void FillMatchStat(CMatchStat& stat, const CMatch2DTeam& own, const CMatch2DTeam& other, const CTeam& team,
                   const CTeam& opponent, int sideIndex, const GameDate& date) {
    stat.Field(1) = date.year;
    stat.Field(3) = team.id;
    stat.Field(4) = opponent.id;
    stat.Field(5) = sideIndex;
    stat.Field(6) = date.day;
    stat.Field(7) = date.month;
    stat.Field(8) = date.year;
    stat.Field(9) = own.score;
    stat.Field(10) = other.score;
    int dunksMade = 0, dunksTaken = 0;
    own.GetDunkTotals(dunksMade, dunksTaken);
    // Dunks are the close shots and the other two-pointers the mid-range ones, as the quick
    // results and every statistics screen count them (so no basket is counted twice).
    stat.Field(11) = dunksTaken;
    stat.Field(12) = dunksMade;
    stat.Field(13) = own.SumFieldGoalsTaken() - dunksTaken;
    stat.Field(14) = own.SumFieldGoalsMade() - dunksMade;
    stat.Field(15) = own.SumThreePointersTaken();
    stat.Field(16) = own.SumThreePointersMade();
    int freeMade = 0, freeTaken = 0;
    own.GetFreeThrowTotals(freeMade, freeTaken);
    stat.Field(17) = freeTaken;
    stat.Field(18) = freeMade;
    stat.Field(19) = own.SumOffensiveRebounds();
    stat.Field(20) = own.SumDefensiveRebounds();
    stat.Field(24) = own.SumSteals();
    int completed = 0, failed = 0;
    own.GetPassTotals(completed, failed);
    stat.Field(25) = failed;
    stat.Field(26) = own.SumCounter362();
}

void FillPlayerStat(CPlayerStat& stat, const CMatch2DPlayer& p, bool home, bool started) {
    stat.Field(5) = p.ticksOnCourt * 3 / 100; // 0.03 s a tick
    stat.Field(6) = started ? 1 : 0;
    stat.Field(7) = p.mustLeave != 0 ? 1 : 0;
    stat.Field(10) = Points(p);
    stat.Field(11) = home ? 1 : 0;
    const int dunksTaken = p.Counter(kStatDunksTaken), dunksMade = p.Counter(kStatDunksMade);
    stat.Field(12) = dunksTaken;
    stat.Field(13) = dunksMade;
    stat.Field(14) = p.Counter(kStatFieldGoalsTaken) - dunksTaken;
    stat.Field(15) = p.Counter(kStatFieldGoalsMade) - dunksMade;
    stat.Field(16) = p.Counter(kStatThreesTaken);
    stat.Field(17) = p.Counter(kStatThreesMade);
    stat.Field(18) = p.Counter(kStatFreeThrowsTaken);
    stat.Field(19) = p.Counter(kStatFreeThrowsMade);
    stat.Field(20) = p.Counter(kStatFreeThrowsTaken);
    stat.Field(21) = p.Counter(kStatFreeThrowsMade);
    stat.Field(22) = p.Counter(kStatOffensiveRebounds);
    stat.Field(23) = p.Counter(kStatDefensiveRebounds);
    stat.Field(24) = p.attackFouls;
    stat.Field(25) = p.defenceFouls;
    stat.Field(26) = p.Fouls();
    stat.Field(27) = p.Counter(kStatSteals);
    stat.Field(28) = p.Counter(kStatPassesFailed);
    stat.Field(29) = p.Counter(kStatUnused);
    stat.Field(30) = p.Counter(kStatOffensiveRebounds) + p.Counter(kStatDefensiveRebounds);
}

void ReportPlayer(CDayController& controller, const CMatch2DPlayer& p, const CStr& sideName, bool home) {
    auto report = [&](int kind, int value, bool always) {
        if (always || value > 0) {
            MatchDayEntry entry;
            entry.playerName = p.name;
            entry.teamName = sideName;
            entry.kind = kind;
            entry.value = value;
            controller.AddReportLine(entry);
        }
    };
    report(0, p.Counter(kStatFreeThrowsMade), false);
    report(2, 3 * p.Counter(kStatThreesMade), false);
    report(1, 2 * p.Counter(kStatFieldGoalsMade), false);
    report(3, 2 * p.Counter(kStatDunksMade), false);
    // The day's kind-4 list is the passes that set up a basket: the engine counts them as assists.
    report(4, p.assists, true);
    report(5, p.Counter(kStatOffensiveRebounds) + p.Counter(kStatDefensiveRebounds), !home);
    report(6, p.Fouls(), !home);
    report(7, p.Counter(kStatSteals), !home);
}

} // namespace

void CMatchDayScreen::RecordMatch(CTeam* homeRecord, CTeam* awayRecord) {
    const CMatch2D* match = Match();
    if (m_recorded || match == nullptr || homeRecord == nullptr || awayRecord == nullptr ||
        match->GetHomeTeam() == nullptr || match->GetAwayTeam() == nullptr)
        return;
    m_recorded = true;
    const CMatch2DTeam& home = *match->GetHomeTeam();
    const CMatch2DTeam& away = *match->GetAwayTeam();
    CCareerSession& session = m_ctx.Session();
    const GameDate date = session.currentDate;
    // The user's club's records go to the career, the other club's to the world.
    auto tableOf = [&session](bool user) {
        CMemoryDB* db = user ? session.careerDB : session.worldDB;
        return db != nullptr ? db : (session.worldDB != nullptr ? session.worldDB : session.careerDB);
    };
    CMemoryDB* homeDb = tableOf(home.userTeam != 0);
    CMemoryDB* awayDb = tableOf(home.userTeam == 0);
    if (homeDb == nullptr || awayDb == nullptr)
        return;

    auto* homeStat = new CMatchStat();
    FillMatchStat(*homeStat, home, away, *homeRecord, *awayRecord, 0, date);
    homeDb->matchStats.Append(homeStat);
    homeRecord->matchStats.push_back(homeStat);
    auto* awayStat = new CMatchStat();
    FillMatchStat(*awayStat, away, home, *awayRecord, *homeRecord, 1, date);
    awayDb->matchStats.Append(awayStat);
    awayRecord->matchStats.push_back(awayStat);

    CDayController* controller = DayController();
    auto recordSide = [&](CTeam* record, const CMatch2DTeam& side, CMemoryDB* db, bool isHome) {
        for (CPlayer* player : record->players) {
            int index = 0;
            const CMatch2DPlayer* p = player != nullptr ? side.FindById(player->id, index) : nullptr;
            if (p == nullptr)
                continue; // not in the match: no record, his own record untouched
            auto* stat = new CPlayerStat();
            stat->Field(1) = player->id;
            stat->Field(2) = date.year;
            stat->Field(3) = date.month;
            stat->Field(4) = date.day;
            db->playerStats.Append(stat);
            player->stats.push_back(stat);
            if (controller != nullptr)
                ReportPlayer(*controller, *p, side.name, isHome);
            FillPlayerStat(*stat, *p, isHome, player->words[kWordMatchState] == kOnCourt);
            // The user's starting five is his choice on the line-up screen: substitutions made
            // during the match do not carry over into the next one.
            if (!side.userTeam)
                player->words[kWordMatchState] =
                    p->MatchState() == kOnBenchState ? kOnBenchState : kOnCourtState;
            const bool hurt = p->mustLeave != 0;
            player->words[kWordInjured] = hurt ? 1 : 0;
            player->words[kWordDaysOut] = hurt ? 10 : 0;
            player->words[kWordInjuryDay] = hurt ? date.day : 0;
            player->words[kWordInjuryMonth] = hurt ? date.month : 0;
            player->words[kWordInjuryYear] = hurt ? date.year : 0;
        }
    };
    recordSide(homeRecord, home, homeDb, true);
    recordSide(awayRecord, away, awayDb, false);
    // The user's five stayed as chosen: a starter hurt in this match gives way to the bench.
    if (home.userTeam)
        FillStartingFive(*homeRecord);
    if (away.userTeam)
        FillStartingFive(*awayRecord);
}
