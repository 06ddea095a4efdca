// The match centre's court view and tables: markers, names, clock line, score, box scores and the
// team comparison; and the recording of the finished match into the season.
#include "career/CareerSession.h"
#include "career/MatchDay.h"
#include "career/MatchRecord.h"
#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "guidefines.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DMatchDay.h"
#include "screens/FormatFigures.h"
#include "screens/info/DayController.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchStatsView.h"

#include <algorithm>

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kRed = 0x0000FFFFu;
constexpr uint32_t kCyan = 0xFFFF00FFu;
constexpr TextRun kCompareRowTexts{200235, 13}; // the team comparison's row captions
constexpr uint32_t kYellow = 0x00FFFFFFu;
constexpr uint32_t kGreen = 0x00FF00FFu;
constexpr uint32_t kLightCyan = 0xFFFF80FFu; // (128, 255, 255)
constexpr int kTextInjuredMark = 100356;     // " (inj)"
constexpr int kTextFouledOutMark = 100357;   // " (disq)"

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
            // The turnovers the records book, not the passes lost alone.
            CStr::Formatted("%d", t.BookedTurnovers()),
            CStr::Formatted("%d", fieldGoalsMade),
            RateText(fieldGoalsMade, fieldGoalsTaken),
            CStr::Formatted("%d", t.SumFreeThrowsMade()),
            RateText(t.SumFreeThrowsMade(), t.SumFreeThrowsTaken()),
            CStr::Formatted("%d", t.SumThreePointersMade()),
            RateText(t.SumThreePointersMade(), t.SumThreePointersTaken()),
        };
    };
    const std::vector<CStr> home = values(*m_homeTeam);
    const std::vector<CStr> away = values(*m_awayTeam);
    constexpr int kRows = 13;
    for (int row = 0; row < kRows; ++row) {
        const int data = row == 6 ? 6 : 0;
        grid->AddCell(0, CStr(), -1);
        grid->AddCell(1, m_ctx.Text(kCompareRowTexts.At(row)), row);
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
    if (match != nullptr && m_quarter >= 5) {
        // After the final whistle the clock stands at the last period's end.
        clock.AddCell(1, CStr("0"), -1);
        clock.AddCell(3, CStr::Formatted("%d", 4), -1);
        clock.AddCell(5, CStr::Formatted("%d:00", static_cast<int>(match->periodMinutes)), -1);
    } else if (match != nullptr && m_quarter < 5) {
        clock.AddCell(1, CStr::Formatted("%d", ShotClockSecondsLeft(match->possessionTimer)), -1);
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
        // A hurt player or one with six fouls reads as such; the red name marks both.
        const bool fouledOut = p->mustLeave == 0 && p->Fouls() >= 6;
        CStr name = p->name;
        if (p->mustLeave != 0)
            name += m_ctx.Text(kTextInjuredMark);
        else if (fouledOut)
            name += m_ctx.Text(kTextFouledOutMark);
        grid->AddCell(0, name, i);
        grid->AddCell(1, PositionAbbreviation(p->positionId), i);
        grid->AddCell(2, StaminaText(p->energy), i);
        grid->AddCell(3, CStr::Formatted("%d", p->Morale()), i);
        grid->AddCell(4, CStr::Formatted("%d", Points(*p)), i);
        // The fouls he committed in the match, as the 3D match's table counts them.
        grid->AddCell(5, CStr::Formatted("%d", p->Fouls()), i);
        grid->SetCellColour(0, row, p->mustLeave != 0 || fouledOut ? kRed : kWhite);
        grid->SetCellColour(2, row, BandColour(p->energy));
        grid->SetCellColour(3, row, BandColour(static_cast<float>(p->Morale())));
        grid->SetCellColour(5, row, FoulColour(p->Fouls()));
    }
    first->SetRowCount(5);
    second->SetRowCount(std::max(0, count - 5));
    first->ResetScroll(true);
    second->ResetScroll(true);
}

// ---- Recording ----------------------------------------------------------------------------------

namespace {

void ReportPlayer(CDayController& controller, const CMatch2DPlayer& p, const CPlayer* record,
                  const CStr& sideName, bool home) {
    auto report = [&](int kind, int value, bool always) {
        if (always || value > 0) {
            MatchDayEntry entry;
            entry.playerName = p.name;
            entry.teamName = sideName;
            entry.kind = kind;
            entry.value = value;
            entry.owner = record;
            controller.AddReportLine(entry);
        }
    };
    report(0, p.Counter(kStatFreeThrowsMade), false);
    report(2, 3 * p.Counter(kStatThreesMade), false);
    // The engine's field goals hold its dunks: the two kinds share the day's list, so a dunk is
    // reported once, as a close shot.
    report(1, 2 * (p.Counter(kStatFieldGoalsMade) - p.Counter(kStatDunksMade)), false);
    report(3, 2 * p.Counter(kStatDunksMade), false);
    // The day's kind-4 list is the passes that set up a basket: the engine counts them as assists.
    report(4, p.assists, true);
    report(5, p.Counter(kStatOffensiveRebounds) + p.Counter(kStatDefensiveRebounds), !home);
    // The best defender stops the most shots, as in every engine: the balls he steals have their
    // own list, and a quick result's defender is counted by his blocks.
    report(6, p.Counter(kStatBlocks), !home);
    report(7, p.Counter(kStatSteals), !home);
}

} // namespace

void CMatchDayScreen::RecordMatch(CTeam* homeRecord, CTeam* awayRecord) {
    const CMatch2D* match = Match();
    if (m_recorded || match == nullptr || homeRecord == nullptr || awayRecord == nullptr ||
        match->GetHomeTeam() == nullptr || match->GetAwayTeam() == nullptr)
        return;
    CCareerSession& session = m_ctx.Session();
    if (session.careerDB == nullptr && session.worldDB == nullptr)
        return;
    m_recorded = true;
    // The same figures and the same writer as a match played at once; the day controller writes
    // the fixture's score when the match is finished.
    const MatchResult result = Match2DResult(*match, homeRecord, awayRecord);
    RecordMatchResult(result, session.currentDate, nullptr,
                      MatchRecordTables{session.careerDB, session.worldDB});
    // The day panel's leaders and report lines.
    if (CDayController* controller = DayController()) {
        const CMatch2DTeam* sides[2] = {match->GetHomeTeam(), match->GetAwayTeam()};
        const SideMatchResult* results[2] = {&result.home, &result.away};
        for (int s = 0; s < 2; ++s)
            for (const PlayerMatchLine& line : results[s]->players) {
                int index = 0;
                if (const CMatch2DPlayer* p = sides[s]->FindById(line.player->id, index))
                    ReportPlayer(*controller, *p, line.player, sides[s]->name, s == 0);
            }
    }
}
