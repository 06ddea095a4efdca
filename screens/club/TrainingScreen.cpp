// The training screen: day plans, camps, the facility level and the cards.
#include "screens/club/TrainingScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/Standings.h"
#include "career/Training.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "screens/ClubCaption.h"
#include "screens/FormatFigures.h"
#include "screens/FormatMoney.h"

#include <algorithm>
#include <functional>

namespace {

constexpr int kSeasonStartMonth = 8;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kYellow = 0x00FFFFFFu;
constexpr uint32_t kGreen = 0x00FF00FFu;
constexpr uint32_t kRed = 0x0000FFFFu;
constexpr float kCampPrices[3] = {50000.0f, 150000.0f, 500000.0f};
constexpr int kTextExperienceUnit = 100359; // after the points a training stage adds
constexpr int kTextYearlyWage = 200093;     // "Wage/year", the transfer lists' caption
constexpr TextRun kStageTexts{100117, 4};   // the facility's stages 1-4
constexpr TextRun kCampTexts{100018, 3};    // the three camps

CStr Money(const CStr& number, char separator) {
    return FormatMoney(number, separator, '$');
}

int Slot(int h, int first) {
    return first + h;
}

} // namespace

int TrainingSkillSlot(int32_t labelId) {
    // The training step trains the same attribute for each exercise; the shooting label reads
    // slot 6, which the line-up screen and the skill checks also call shooting.
    const int slot = SlotOfExercise(labelId);
    return slot < 0 ? 0 : slot + 1;
}

bool PositionInGroup(int32_t kind, int32_t position) {
    switch (kind) {
    case kTrainSquad:
        return true;
    case kTrainCentres:
        return position == 80063;
    case kTrainForwards:
        return position == 80069 || position == 80064 || position == 80065;
    case kTrainGuards:
        return position == 80068 || position == 80066 || position == 80067;
    default:
        return false;
    }
}

std::vector<int> PlanYears(const GameDate& today) {
    std::vector<int> years{today.year};
    if (today.month + 10 > 12)
        years.push_back(today.year + 1);
    return years;
}

std::vector<int> PlanMonths(const GameDate& today, int chosenYear) {
    const int c = today.month;
    std::vector<int> months;
    if (c + 10 <= 12)
        for (int m = c; m <= c + 10; ++m)
            months.push_back(m);
    else if (chosenYear > today.year)
        for (int m = 1; m <= c - 2; ++m)
            months.push_back(m);
    else
        for (int m = c; m <= 12; ++m)
            months.push_back(m);
    return months;
}

std::vector<int> PlanDays(const GameDate& today, int chosenYear, int chosenMonth) {
    std::vector<int> days;
    if (chosenYear > today.year || chosenMonth > today.month)
        for (int d = 1; d <= CCalendar::DaysInMonth(chosenMonth, chosenYear); ++d)
            days.push_back(d);
    else
        for (int d = today.day; d <= CCalendar::DaysInMonth(today.month, today.year); ++d)
            days.push_back(d);
    return days;
}

int CampWeek(int year, int month, int day) {
    int dayOfYear = day;
    for (int m = 1; m < month; ++m)
        dayOfYear += CCalendar::DaysInMonth(m, year);
    // DateOfWeek's weeks start on day 7 x (week - 1) + (weekday of 1 January); week 0 is 1 January.
    const int offset = dayOfYear - CCalendar::WeekdayOfNewYear(year);
    return (offset >= 0 ? offset / 7 : -1) + 1;
}

namespace {

template <typename SeasonOf>
std::vector<TrainingSeasonStats> SumBySeason(const std::vector<CPlayerStat*>& stats, SeasonOf seasonOf) {
    // The shots made and tried, summed over the season: the card's rates are the statistics
    // screen's (all hits over all attempts), not a mean of each match's ratio.
    struct Shots {
        int64_t made[3] = {};
        int64_t tried[3] = {};
    };
    std::vector<TrainingSeasonStats> seasons;
    std::vector<Shots> shots;
    for (const CPlayerStat* record : stats) {
        // A squad member who sat the match out has a record but no game.
        if (!record || !PlayedInMatch(*record))
            continue;
        const int32_t season = seasonOf(*record);
        auto it = std::find_if(seasons.begin(), seasons.end(),
                               [season](const TrainingSeasonStats& s) { return s.season == season; });
        if (it == seasons.end()) {
            seasons.push_back(TrainingSeasonStats{});
            shots.push_back(Shots{});
            it = seasons.end() - 1;
            it->season = season;
        }
        Shots& shot = shots[static_cast<size_t>(it - seasons.begin())];
        ++it->games;
        it->sum += record->Points();
        it->seconds += record->SecondsPlayed();
        shot.made[0] += static_cast<int64_t>(record->TwoPointersMade()) + record->CloseShotsMade() +
                        record->ThreePointersMade();
        shot.tried[0] += static_cast<int64_t>(record->TwoPointersTaken()) + record->CloseShotsTaken() +
                         record->ThreePointersTaken();
        shot.made[1] += record->ThreePointersMade();
        shot.tried[1] += record->ThreePointersTaken();
        shot.made[2] += record->FreeThrowsMade();
        shot.tried[2] += record->FreeThrowsTaken();
    }
    auto percent = [](int64_t made, int64_t tried) {
        return tried > 0 ? static_cast<float>(static_cast<double>(made) / static_cast<double>(tried) * 100.0)
                         : 0.0f;
    };
    for (size_t i = 0; i < seasons.size(); ++i) {
        TrainingSeasonStats& s = seasons[i];
        const Shots& shot = shots[i];
        s.rate1 = percent(shot.made[0], shot.tried[0]);
        s.rate2 = percent(shot.made[1], shot.tried[1]);
        s.rate3 = percent(shot.made[2], shot.tried[2]);
    }
    return seasons;
}

} // namespace

std::vector<TrainingSeasonStats> BuildSeasonStats(const std::vector<CPlayerStat*>& stats,
                                                  int seasonStartMonth) {
    // Fields 2 and 3 are the match's year and month: a season runs from its start month on.
    return SumBySeason(stats, [seasonStartMonth](const CPlayerStat& record) {
        return record.Month() >= seasonStartMonth ? record.Year() : record.Year() - 1;
    });
}

TrainingSeasonStats CareerStats(const std::vector<CPlayerStat*>& stats) {
    std::vector<TrainingSeasonStats> all = SumBySeason(stats, [](const CPlayerStat&) { return 0; });
    return all.empty() ? TrainingSeasonStats{} : all.front();
}

CTrainingScreen::CTrainingScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    m_today = ctx.Session().currentDate;
    if (!m_root)
        return;
    FillHourColumn();
    FillDatePickers();
}

CMemoryDB* CTrainingScreen::Career() const {
    return m_ctx.Session().careerDB;
}

CGuiElement* CTrainingScreen::Child(int id) const {
    return m_root ? m_ctx.Find(id) : nullptr;
}

void CTrainingScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    CMemoryDB* career = Career();
    if (!m_root)
        return;
    m_today = session.currentDate;
    m_selectedPlayer = -1;
    m_currentPlan = 0;
    m_types.clear();
    m_intensities.clear();
    if (career && !career->teams.IsEmpty()) {
        const CTeam* club = career->teams.At(0);
        m_clubName = club->name;
        m_headCoach = CoachCard{};
        m_assistant = CoachCard{};
        for (int32_t category : {kStaffHeadCoach, kStaffAssistantCoach}) {
            const std::unique_ptr<CStaffRecord> member = FindHiredStaff(club, category);
            if (!member)
                continue;
            CoachCard card;
            card.name = member->name;
            card.skill = member->skill;
            card.origin = m_ctx.Text(member->originTextId);
            card.wage = member->wage;
            card.speciality = m_ctx.Text(member->specialityTextId);
            card.specialityPercent = member->specialityPercent;
            SetCoachCard(category, card);
        }
        BuildRows();
        if (CMemoryDB* world = session.worldDB) {
            for (const CTrainingModifier* record : world->trainingModifiers) {
                const CStr name = m_ctx.Text(record->textId);
                m_intensities.push_back({static_cast<int32_t>(m_intensities.size()),
                                         name.IsEmpty() ? record->name : name, record->textId,
                                         record->value});
            }
            for (const CTrainingType* record : world->trainingTypes) {
                const CStr name = m_ctx.Text(record->textId);
                m_types.push_back({static_cast<int32_t>(m_types.size()), name.IsEmpty() ? record->name : name,
                                   record->textId, record->firstDelta, record->secondDelta});
            }
        }
    }
    FillSequence();
}

void CTrainingScreen::BuildRows() {
    m_rows.clear();
    const CTeam* club = Career()->teams.At(0);
    for (const CPlayer* player : club->players) {
        auto row = std::make_unique<TrainingPlayerRow>();
        row->row = static_cast<int32_t>(m_rows.size());
        row->playerId = player->id;
        row->name = player->name;
        row->position = player->Field(11);
        row->dateText = FormatDate(player->birthYear, player->birthDay, player->birthMonth, ".");
        row->height = player->Field(13);
        row->weight = player->Field(14);
        row->originText = m_ctx.Text(player->originTextId);
        row->wage = player->Field(71);
        for (int32_t label = 70101; label <= 70115; ++label) {
            const int slot = TrainingSkillSlot(label);
            row->value[static_cast<size_t>(label - 70101)] = player->SkillValue(slot);
            row->third[static_cast<size_t>(label - 70101)] = player->words[3 * slot + 4];
        }
        row->seasons = BuildSeasonStats(player->stats, kSeasonStartMonth);
        row->career = CareerStats(player->stats);
        m_rows.push_back(std::move(row));
    }
}

void CTrainingScreen::FillSequence() {
    SetCaption();
    SetLabels();
    FillCampCombos();
    FillSlotCombos();
    FillFacility();
    FillPlayerList();
    ShowPlayerCard();
    FillStaffCards();
    FillDatePickers();
    FillDayPlanList();
    FillCampOptionGrid();
    FillBookingGrid();
}

void CTrainingScreen::SetCaption() {
    m_root->SetCaption(
        ClubCaptionLine(m_ctx, 80038, m_clubName, FormatDate(m_today.year, m_today.day, m_today.month, ".")));
}

void CTrainingScreen::SetLabels() {
    const std::pair<int, int> texts[] = {
        {ID_TR_DATE_LABEL, 80039},      {ID_TR_GROUP_LABEL, 80041},      {ID_TR_PLAYERS_LABEL, 80042},
        {ID_TR_TYPES_LABEL, 100115},    {ID_TR_INTENSITY_LABEL, 100116}, {ID_TR_SQUAD, 80019},
        {ID_TR_CENTRES, 80043},         {ID_TR_GUARDS, 80044},           {ID_TR_FORWARDS, 80045},
        {ID_TR_SAVE, 100068},           {ID_TR_HEADCOACH_LABEL, 80055},  {ID_TR_ASSISTANT_LABEL, 80056},
        {ID_TR_CAMP_TITLE, 100124},     {ID_TR_CAMP_NOTE, 100125},       {ID_TR_CAMP_CANCEL, 100062},
        {ID_TR_FACILITY_TITLE, 100121}, {ID_TR_PLANS_LABEL, 100311},
    };
    for (const auto& [id, text] : texts)
        m_ctx.SetText(id, m_ctx.Text(text));
    m_ctx.SetText(ID_TR_CAMP_YEAR_LABEL, m_ctx.Text(100315), 6);
    m_ctx.SetText(ID_TR_CAMP_DAY_LABEL, m_ctx.Text(100041), 6);
    m_ctx.SetText(ID_TR_CAMP_MONTH_LABEL, m_ctx.Text(100211), 6);
    for (int k = 0; k < 3; ++k)
        m_ctx.SetText(ID_TR_BOOK_0 + k, m_ctx.Text(100314));
    if (CGuiElement* grid = Child(ID_TR_HOURS))
        grid->SetHeaderText(0, m_ctx.Text(200096), 4);
    if (CGuiElement* grid = Child(ID_TR_PROJECTION)) {
        grid->SetHeaderText(0, m_ctx.Text(70101), 4);
        grid->SetHeaderText(1, m_ctx.Text(70102), 4);
        grid->SetHeaderText(2, m_ctx.Text(80053), 4);
    }
    if (CGuiElement* grid = Child(ID_TR_CAMP_OPTIONS)) {
        grid->SetHeaderText(0, m_ctx.Text(80105), 4);
        grid->SetHeaderText(1, m_ctx.Text(100123), 4);
    }
    if (CGuiElement* grid = Child(ID_TR_CAMP_BOOKINGS)) {
        grid->SetHeaderText(0, m_ctx.Text(100122), 4);
        grid->SetHeaderText(1, m_ctx.Text(80039), 4);
        grid->SetHeaderText(2, m_ctx.Text(100123), 4);
    }
}

void CTrainingScreen::FillHourColumn() {
    CGuiElement* grid = Child(ID_TR_HOURS);
    if (!grid)
        return;
    grid->Clear();
    grid->SetColumnFormat(0, 4);
    for (int h = 0; h < kTrainingHours; ++h)
        grid->AddCell(0, CStr::Formatted("%.2d:00-%.2d:00", h + 7, h + 8), h);
    grid->SetRowCount(kTrainingHours);
}

namespace {
void FillCombo(CGuiElement* combo, const std::vector<int>& values, const std::function<CStr(int)>& text) {
    if (!combo)
        return;
    combo->ClearItems();
    for (int v : values)
        combo->AddItem(text(v), v);
    combo->SetTextFormat(4);
    combo->SetSelection(values.empty() ? -1 : 0);
    combo->SetListRows(static_cast<int>(values.size()));
}
} // namespace

void CTrainingScreen::FillDatePickers() {
    FillCombo(Child(ID_TR_YEAR), PlanYears(m_today), [](int y) { return CStr::Formatted("%d", y); });
    FillMonths();
}

void CTrainingScreen::FillMonths() {
    FillCombo(Child(ID_TR_MONTH), PlanMonths(m_today, ComboData(ID_TR_YEAR, m_today.year)),
              [this](int m) { return m_ctx.Text(CCalendar::kMonthTexts.At(m - 1)); });
    FillDays();
}

void CTrainingScreen::FillDays() {
    FillCombo(Child(ID_TR_DAY),
              PlanDays(m_today, ComboData(ID_TR_YEAR, m_today.year), ComboData(ID_TR_MONTH, m_today.month)),
              [](int d) { return CStr::Formatted("%d", d); });
    ShowWeekday();
}

void CTrainingScreen::ShowWeekday() {
    const CCalendar* calendar = m_ctx.Session().calendar;
    if (!calendar)
        return;
    const GameDate date = ChosenDate();
    m_ctx.SetText(ID_TR_WEEKDAY, calendar->WeekdayName(date.year, date.day, date.month), 0);
}

int32_t CTrainingScreen::ComboData(int id, int32_t fallback) const {
    const CGuiElement* combo = Child(id);
    if (!combo)
        return fallback;
    const int index = combo->GetSelectedIndex();
    return index >= 0 && index < combo->GetItemCount() ? combo->GetItemData(index) : fallback;
}

GameDate CTrainingScreen::ChosenDate() const {
    GameDate date;
    date.year = ComboData(ID_TR_YEAR, m_today.year);
    date.month = ComboData(ID_TR_MONTH, m_today.month);
    date.day = ComboData(ID_TR_DAY, m_today.day);
    return date;
}

void CTrainingScreen::SelectData(CGuiElement* combo, int32_t data) {
    if (!combo)
        return;
    for (int i = 0; i < combo->GetItemCount(); ++i)
        if (combo->GetItemData(i) == data) {
            combo->SetSelection(i);
            return;
        }
}

void CTrainingScreen::FillSlotCombos() {
    for (int h = 0; h < kTrainingHours; ++h) {
        if (CGuiElement* combo = Child(Slot(h, ID_TR_TYPE_0))) {
            combo->ClearItems();
            for (const TrainingTypeEntry& type : m_types)
                combo->AddItem(type.name, type.position);
            combo->SortItems(0, -1);
            combo->SetSelection(m_types.empty() ? -1 : 0);
            combo->SetListRows(static_cast<int>(m_types.size()));
        }
        if (CGuiElement* combo = Child(Slot(h, ID_TR_INTENSITY_0))) {
            combo->ClearItems();
            for (const TrainingModifierEntry& intensity : m_intensities)
                combo->AddItem(intensity.name, intensity.position);
            combo->SetSelection(m_intensities.empty() ? -1 : 0);
            combo->SetListRows(static_cast<int>(m_intensities.size()));
        }
    }
}

void CTrainingScreen::FillFacility() {
    m_facilityStage = 0;
    const CTeam* club = Career() && !Career()->teams.IsEmpty() ? Career()->teams.At(0) : nullptr;
    if (club && club->stadium)
        for (const CStadiumWingRecord* wing : club->stadium->wings)
            if (wing->partId == kPartTrainingHall)
                m_facilityStage = std::max(m_facilityStage, static_cast<int>(wing->level));
    for (int j = 1; j <= 4; ++j) {
        if (CGuiElement* icon = Child(ID_TR_FACILITY_1 + j - 1))
            icon->SetImage(m_facilityStage >= j ? kLitIcon : kDarkIcon);
        m_ctx.SetText(ID_TR_STAGE_1 + j - 1, m_ctx.Text(kStageTexts.At(j - 1))
                                                 .Concat(CStr::Formatted("\n +%d", j))
                                                 .Concat(m_ctx.Text(kTextExperienceUnit)));
    }
}

void CTrainingScreen::FillPlayerList() {
    CGuiElement* list = Child(ID_TR_PLAYERS);
    if (!list)
        return;
    list->ClearItems();
    for (const auto& row : m_rows)
        list->AddItem(row->name, row->row);
    list->SortItems(0, -1);
    list->SetSelection(m_rows.empty() ? -1 : 0);
    if (!m_rows.empty())
        m_selectedPlayer = list->GetItemData(0);
    list->SetTextFormat(4);
    list->SetListRows(static_cast<int>(m_rows.size()));
}

void CTrainingScreen::SelectPlayer(int32_t row) {
    if (CGuiElement* list = Child(ID_TR_PLAYERS))
        SelectData(list, row);
    m_selectedPlayer = row;
    ShowPlayerCard();
}

const TrainingPlayerRow* CTrainingScreen::SelectedRow() const {
    for (const auto& row : m_rows)
        if (row->row == m_selectedPlayer)
            return row.get();
    return nullptr;
}

void CTrainingScreen::ShowPlayerCard() {
    const TrainingPlayerRow* row = SelectedRow();
    if (!m_root || !row)
        return;
    m_ctx.SetText(ID_TR_CARD_NAME, row->name, 4);
    if (CGuiElement* grid = Child(ID_TR_CARD_PERSONAL)) {
        grid->Clear();
        grid->SetColumnColour(0, kYellow);
        grid->SetColumnColour(1, kWhite);
        const std::pair<int, CStr> lines[] = {
            {80046, m_ctx.Text(row->position)},
            {80047, row->dateText},
            {80048, CStr::Formatted("%d cm", row->height)},
            {80049, CStr::Formatted("%d kg", row->weight)},
            {80050, row->originText},
            // A year's wage, as the transfer lists show it; the record holds a month's.
            {kTextYearlyWage, Money(CStr::Formatted("%lld", static_cast<long long>(row->wage) * 12), ',')},
        };
        for (const auto& [label, value] : lines) {
            grid->AddCell(0, m_ctx.Text(label), 0);
            grid->AddCell(1, value, 0);
        }
        grid->SetRowCount(6);
    }
    for (int half = 0; half < 2; ++half) {
        CGuiElement* grid = Child(half == 0 ? ID_TR_CARD_SKILLS_A : ID_TR_CARD_SKILLS_B);
        if (!grid)
            continue;
        grid->Clear();
        for (int c = 0; c < 2; ++c) {
            grid->SetColumnFormat(c, kFormatLeftMiddle);
            grid->SetColumnColour(c, kWhite);
        }
        for (int k = 0; k < 7; ++k) {
            const int32_t label = 70101 + half * 7 + k;
            grid->AddCell(0, m_ctx.Text(label), label);
            grid->AddCell(1, CStr::Formatted("%d/%.2d", row->Skill(label), row->Third(label)), label);
            const int32_t v = row->Skill(label);
            grid->SetCellColour(1, k, v <= 10 ? kRed : v <= 50 ? kYellow : kGreen);
        }
        // Seven skills on eight rows: the last row stays free, as on the line-up's cards.
        grid->SetRowCount(8);
    }
    if (CGuiElement* grid = Child(ID_TR_CARD_SEASONS)) {
        grid->Clear();
        if (!row->seasons.empty()) {
            const int tips[] = {900113, 900165, 900114, 900191, 900193, 900195};
            for (int c = 0; c < 6; ++c)
                grid->SetHeaderTooltip(c + 1, m_ctx.Tooltip(tips[c]));
            grid->SetColumnColour(0, kYellow);
            // Per game and in mm:ss, as the statistics screen shows the same seasons.
            auto addRow = [&](const CStr& first, const TrainingSeasonStats& s) {
                grid->AddCell(0, first, 0);
                grid->AddCell(1, CStr::Formatted("%d", s.games), 0);
                grid->AddCell(2, PerGameText(s.sum, s.games), 0);
                grid->AddCell(3, MinutesPerGameText(s.seconds, s.games), 0);
                const float rates[3] = {s.rate1, s.rate2, s.rate3};
                for (int c = 0; c < 3; ++c)
                    grid->AddCell(4 + c, PercentText(rates[c]), 0);
            };
            for (const TrainingSeasonStats& s : row->seasons)
                addRow(FormatSeasonYears(s.season, s.season + 1), s); // "2007-2008", as the captions name it
            addRow(m_ctx.Text(100012), row->career);
            const int last = static_cast<int>(row->seasons.size());
            grid->SetRowCount(last + 1);
            for (int c = 0; c < 7; ++c)
                grid->SetCellColour(c, last, kYellow);
            grid->ResetScroll(true);
        }
    }
    UpdateProjection();
}

void CTrainingScreen::SetCoachCard(int32_t category, const CoachCard& card) {
    if (category == kStaffHeadCoach)
        m_headCoach = card;
    else if (category == kStaffAssistantCoach)
        m_assistant = card;
}

void CTrainingScreen::FillStaffCards() {
    for (int k = 0; k < 2; ++k) {
        CGuiElement* grid = Child(k == 0 ? ID_TR_HEADCOACH : ID_TR_ASSISTANT);
        const CoachCard& card = k == 0 ? m_headCoach : m_assistant;
        if (!grid)
            continue;
        grid->Clear();
        grid->SetColumnColour(0, kWhite);
        if (k == 0)
            grid->SetColumnColour(1, kWhite);
        if (card.skill > 0) {
            const std::pair<int, CStr> lines[] = {
                {80035, card.name},
                {80052, CStr::Formatted("%d", card.skill)},
                {80050, card.origin},
                {80053, card.speciality.Concat(CStr::Formatted("/%d%%", card.specialityPercent))},
                {80051, Money(CStr::Formatted("%d", card.wage), ',')},
            };
            // The assistant's card stands beside the head coach's and shares its row labels, so
            // both cards have room for a whole name and speciality.
            for (const auto& [label, value] : lines) {
                if (k == 0)
                    grid->AddCell(0, m_ctx.Text(label), 0);
                grid->AddCell(k == 0 ? 1 : 0, value, 0);
            }
        }
        grid->SetRowCount(5);
    }
}

void CTrainingScreen::OnGroupToggle(int id) {
    m_toggle = m_toggle == id ? 0 : id;
    ShowToggles();
    UpdateProjection();
}

void CTrainingScreen::ShowToggles() {
    for (int id : {ID_TR_SQUAD, ID_TR_CENTRES, ID_TR_GUARDS, ID_TR_FORWARDS})
        if (CGuiElement* box = Child(id))
            box->SetChecked(id == m_toggle);
}

void CTrainingScreen::UpdateProjection() {
    const TrainingPlayerRow* row = SelectedRow();
    CGuiElement* grid = Child(ID_TR_PROJECTION);
    if (!row || !grid)
        return;
    grid->Clear();
    grid->SetColumnColour(0, kGreen);
    grid->SetColumnColour(1, kGreen);
    grid->SetColumnColour(2, kWhite);
    const int32_t s1 = row->Skill(70101);
    const int32_t s2 = row->Skill(70102);
    int32_t r1 = s1, r2 = s2;
    int32_t kind = kTrainOnePlayer;
    if (m_toggle == ID_TR_SQUAD)
        kind = kTrainSquad;
    else if (m_toggle == ID_TR_CENTRES)
        kind = kTrainCentres;
    else if (m_toggle == ID_TR_GUARDS)
        kind = kTrainGuards;
    else if (m_toggle == ID_TR_FORWARDS)
        kind = kTrainForwards;
    const bool takesPart = kind == kTrainOnePlayer || PositionInGroup(kind, row->position);
    auto step = [](int32_t r, int32_t delta, int32_t m, int32_t start) {
        if (r <= 0)
            return r;
        const int64_t next = static_cast<int64_t>(r) + delta + (delta >= 0 ? m : -m);
        return static_cast<int32_t>(std::clamp<int64_t>(next, 0, start));
    };
    std::vector<uint32_t> colours;
    for (int h = 0; h < kTrainingHours; ++h) {
        CStr text = "-";
        const int32_t typeIndex = ComboData(Slot(h, ID_TR_TYPE_0), -1);
        const CGuiElement* intensityCombo = Child(Slot(h, ID_TR_INTENSITY_0));
        const int intensityIndex = intensityCombo ? intensityCombo->GetSelectedIndex() : -1;
        const bool known = typeIndex >= 0 && typeIndex < static_cast<int>(m_types.size()) &&
                           intensityIndex >= 0 && intensityIndex < static_cast<int>(m_intensities.size());
        if (takesPart && known && m_intensities[static_cast<size_t>(intensityIndex)].textId != kNoTraining) {
            const TrainingTypeEntry& type = m_types[static_cast<size_t>(typeIndex)];
            const int32_t m = m_intensities[static_cast<size_t>(intensityIndex)].value;
            if (type.textId >= 70101 && type.textId <= 70115)
                text = CStr::Formatted("%d/%d", row->Skill(type.textId), row->Third(type.textId));
            r1 = step(r1, type.firstDelta, m, s1);
            r2 = step(r2, type.secondDelta, m, s2);
        }
        grid->AddCell(0, CStr::Formatted("%d", r1), h);
        grid->AddCell(1, CStr::Formatted("%d", r2), h);
        grid->AddCell(2, text, h);
        const int32_t values[2] = {r1, r2};
        const int32_t starts[2] = {s1, s2};
        for (int c = 0; c < 2; ++c) {
            const double v = values[c];
            if (v < 0.5 * starts[c])
                grid->SetCellColour(c, h, kRed);
            else if (v < 0.75 * starts[c])
                grid->SetCellColour(c, h, kYellow);
        }
    }
    grid->SetRowCount(kTrainingHours);
    grid->ResetScroll(true);
}

int32_t CTrainingScreen::KindOfPlan(const CTrainingDay& plan) const {
    // The plan says whom it was saved for; a plan saved before it did is judged by its players.
    if (const CMemoryDB* career = Career())
        for (const CTrainingPlanFor* saved : career->trainingPlanFor)
            if (saved->year == plan.year && saved->month == plan.month && saved->day == plan.day &&
                saved->kind >= kTrainOnePlayer && saved->kind <= kTrainGuards)
                return saved->kind;
    // The plan keeps its players by id; who they are tells the group the plan was saved for.
    const std::vector<int32_t> rows = PlanRows(plan);
    if (rows.size() <= 1 && m_rows.size() > 1)
        return kTrainOnePlayer;
    for (int32_t kind : {kTrainSquad, kTrainCentres, kTrainForwards, kTrainGuards}) {
        size_t members = 0;
        for (const auto& row : m_rows)
            if (PositionInGroup(kind, row->position))
                ++members;
        bool all = members == rows.size() && members > 0;
        for (int32_t r : rows)
            all = all && PositionInGroup(kind, m_rows[static_cast<size_t>(r)]->position);
        if (all)
            return kind;
    }
    return kTrainOnePlayer;
}

std::vector<int32_t> CTrainingScreen::PlanRows(const CTrainingDay& plan) const {
    std::vector<int32_t> rows;
    const CMemoryDB* career = Career();
    if (!career)
        return rows;
    for (const CTrainingEntry* entry : career->trainingEntries) {
        if (entry->year != plan.year || entry->month != plan.month || entry->day != plan.day)
            continue;
        for (const auto& row : m_rows)
            if (row->playerId == entry->playerId)
                rows.push_back(row->row);
    }
    return rows;
}

CStr CTrainingScreen::PlanLabel(const CTrainingDay& plan) const {
    static constexpr int kGroupTexts[] = {80041, 80019, 80063, 80068, 80069};
    CStr label = FormatDate(plan.year, plan.day, plan.month, ".");
    const CStr group = m_ctx.Text(kGroupTexts[KindOfPlan(plan)]);
    return group.IsEmpty() ? label : label.Concat(" ").Concat(group);
}

void CTrainingScreen::OnSavePlan() {
    CMemoryDB* career = Career();
    if (!career)
        return;
    int32_t kind = kTrainOnePlayer;
    if (m_toggle == ID_TR_SQUAD)
        kind = kTrainSquad;
    else if (m_toggle == ID_TR_CENTRES)
        kind = kTrainCentres;
    else if (m_toggle == ID_TR_FORWARDS)
        kind = kTrainForwards;
    else if (m_toggle == ID_TR_GUARDS)
        kind = kTrainGuards;
    std::vector<const TrainingPlayerRow*> players;
    for (const auto& row : m_rows)
        if (kind == kTrainOnePlayer ? row->row == m_selectedPlayer : PositionInGroup(kind, row->position))
            players.push_back(row.get());

    const GameDate date = ChosenDate();
    auto* plan = new CTrainingDay();
    plan->year = date.year;
    plan->month = date.month;
    plan->day = date.day;
    for (int h = 0; h < kTrainingHours; ++h) {
        plan->exercise[h] = ComboData(Slot(h, ID_TR_TYPE_0), -1);
        const CGuiElement* combo = Child(Slot(h, ID_TR_INTENSITY_0));
        plan->modifier[h] =
            combo && combo->GetSelectedIndex() < combo->GetItemCount() ? combo->GetSelectedIndex() : -1;
    }
    // One plan a date: the later save replaces the plan and its players.
    auto sameDate = [&](int32_t y, int32_t m, int32_t d) {
        return y == date.year && m == date.month && d == date.day;
    };
    for (CTrainingDay* old : std::vector<CTrainingDay*>(career->trainingDays.Records()))
        if (sameDate(old->year, old->month, old->day))
            career->trainingDays.Erase(old);
    for (CTrainingEntry* old : std::vector<CTrainingEntry*>(career->trainingEntries.Records()))
        if (sameDate(old->year, old->month, old->day))
            career->trainingEntries.Erase(old);
    for (CTrainingPlanFor* old : std::vector<CTrainingPlanFor*>(career->trainingPlanFor.Records()))
        if (sameDate(old->year, old->month, old->day))
            career->trainingPlanFor.Erase(old);
    auto* savedFor = career->trainingPlanFor.Append(new CTrainingPlanFor());
    savedFor->year = date.year;
    savedFor->month = date.month;
    savedFor->day = date.day;
    savedFor->kind = kind;
    savedFor->playerId = kind == kTrainOnePlayer && !players.empty() ? players.front()->playerId : -1;
    career->trainingDays.Append(plan);
    std::vector<CTrainingDay*> order = career->trainingDays.Records();
    std::stable_sort(order.begin(), order.end(), [](const CTrainingDay* a, const CTrainingDay* b) {
        return MakeDateKey(a->year, a->month, a->day) < MakeDateKey(b->year, b->month, b->day);
    });
    career->trainingDays.Reorder(order);
    // Each player starts the day with his energy (stamina) and freshness (morale) of today.
    for (const TrainingPlayerRow* row : players) {
        auto* entry = new CTrainingEntry();
        entry->year = date.year;
        entry->month = date.month;
        entry->day = date.day;
        entry->playerId = row->playerId;
        entry->energy = row->Skill(70101);
        entry->freshness = row->Skill(70102);
        career->trainingEntries.Append(entry);
    }
    FillSequence();
    // The screen stays on the date just saved, with its plan chosen in the list.
    for (int i = 0; i < career->trainingDays.Size(); ++i)
        if (career->trainingDays.At(i) == plan)
            SelectDayPlan(i);
}

void CTrainingScreen::FillDayPlanList() {
    CGuiElement* list = Child(ID_TR_PLANS);
    if (list) {
        list->ClearItems();
        if (const CMemoryDB* career = Career()) {
            int position = 0;
            for (const CTrainingDay* plan : career->trainingDays)
                list->AddItem(PlanLabel(*plan), position++);
        }
        list->SetSelection(list->GetItemCount() > 0 ? 0 : -1);
    }
    SelectDayPlan(0);
}

void CTrainingScreen::SelectDayPlan(int index) {
    CGuiElement* list = Child(ID_TR_PLANS);
    const CMemoryDB* career = Career();
    const CTrainingDay* plan = career ? career->trainingDays.At(index) : nullptr;
    if (!list || index < 0 || index >= list->GetItemCount() || !plan) {
        m_currentPlan = 0;
        UpdateProjection();
        return;
    }
    for (int h = 0; h < kTrainingHours; ++h) {
        SelectData(Child(Slot(h, ID_TR_TYPE_0)), plan->exercise[h]);
        if (CGuiElement* combo = Child(Slot(h, ID_TR_INTENSITY_0)))
            combo->SetSelection(plan->modifier[h] < combo->GetItemCount() ? plan->modifier[h] : -1);
    }
    static constexpr int kToggles[] = {0, ID_TR_SQUAD, ID_TR_CENTRES, ID_TR_GUARDS, ID_TR_FORWARDS};
    const int32_t kind = KindOfPlan(*plan);
    m_toggle = kToggles[kind];
    ShowToggles();
    const std::vector<int32_t> rows = PlanRows(*plan);
    if (kind == kTrainOnePlayer && !rows.empty())
        SelectPlayer(rows.front());
    SelectData(Child(ID_TR_YEAR), plan->year);
    FillMonths();
    SelectData(Child(ID_TR_MONTH), plan->month);
    FillDays();
    SelectData(Child(ID_TR_DAY), plan->day);
    ShowWeekday();
    list->SetSelection(index);
    m_currentPlan = index;
    UpdateProjection();
}

void CTrainingScreen::SelectPlanOfDate() {
    const CMemoryDB* career = Career();
    CGuiElement* list = Child(ID_TR_PLANS);
    if (!career || !list)
        return;
    const GameDate date = ChosenDate();
    for (int i = 0; i < career->trainingDays.Size(); ++i) {
        const CTrainingDay* plan = career->trainingDays.At(i);
        if (plan->year == date.year && plan->month == date.month && plan->day == date.day &&
            i < list->GetItemCount()) {
            SelectDayPlan(i);
            return;
        }
    }
}

void CTrainingScreen::FillCampCombos() {
    for (int k = 0; k < 3; ++k)
        m_campOptions[static_cast<size_t>(k)] = {kCampTexts.At(k), kCampPrices[k]};
    std::vector<int> days;
    for (int d = 1; d <= 31; ++d)
        days.push_back(d);
    FillCombo(Child(ID_TR_CAMP_DAY), days, [](int d) { return CStr::Formatted("%d", d); });
    FillCombo(Child(ID_TR_CAMP_MONTH), {6, 7, 8},
              [this](int m) { return m_ctx.Text(CCalendar::kMonthTexts.At(m - 1)); });
    if (CGuiElement* year = Child(ID_TR_CAMP_YEAR)) {
        year->ClearItems();
        year->AddItem(CStr::Formatted("%d", m_today.year + 1), -1);
        year->SetSelection(0);
        year->SetListRows(1);
    }
}

void CTrainingScreen::BookCamp(int option) {
    CMemoryDB* career = Career();
    if (!career || option < 0 || option >= 3)
        return;
    const CGuiElement* yearCombo = Child(ID_TR_CAMP_YEAR);
    const CGuiElement* dayCombo = Child(ID_TR_CAMP_DAY);
    auto booking = std::make_unique<CCampBooking>();
    booking->year = std::max(0, yearCombo ? yearCombo->GetSelectedIndex() : 0) + m_today.year + 1;
    booking->day = std::max(0, dayCombo ? dayCombo->GetSelectedIndex() : 0) + 1;
    booking->month = ComboData(ID_TR_CAMP_MONTH, 7);
    booking->cost = static_cast<int32_t>(m_campOptions[static_cast<size_t>(option)].price);
    booking->option = option;
    m_bookingMessage = CStr();
    // The day list runs to 31 for every summer month; a day the month lacks cannot hold a camp.
    if (booking->day > CCalendar::DaysInMonth(booking->month, booking->year)) {
        m_bookingMessage = m_ctx.Text(100312);
    } else {
        for (const CCampBooking* other : career->campBookings)
            if (other->day == booking->day && other->month == booking->month && other->year == booking->year)
                m_bookingMessage = m_ctx.Text(100313);
    }
    if (m_bookingMessage.IsEmpty()) {
        booking->week = CampWeek(booking->year, booking->month, booking->day);
        career->campBookings.Append(booking.release());
    }
    m_ctx.SetText(ID_TR_CAMP_MESSAGE, m_bookingMessage);
    FillBookingGrid();
}

void CTrainingScreen::CancelBooking() {
    CMemoryDB* career = Career();
    CGuiElement* grid = Child(ID_TR_CAMP_BOOKINGS);
    if (career && grid) {
        const int row = grid->ClampSelection();
        if (row >= 0 && row < career->campBookings.Size())
            career->campBookings.EraseAt(row);
    }
    FillBookingGrid();
}

void CTrainingScreen::FillCampOptionGrid() {
    CGuiElement* grid = Child(ID_TR_CAMP_OPTIONS);
    if (!grid)
        return;
    grid->Clear();
    for (const TrainingCampOption& option : m_campOptions) {
        grid->AddCell(0, m_ctx.Text(option.textId), 0);
        grid->AddCell(1, FormatMoney(option.price), 0);
    }
    grid->SetRowCount(3);
}

void CTrainingScreen::FillBookingGrid() {
    CGuiElement* grid = Child(ID_TR_CAMP_BOOKINGS);
    const CMemoryDB* career = Career();
    if (!grid)
        return;
    grid->Clear();
    int rows = 0;
    if (career)
        for (const CCampBooking* booking : career->campBookings) {
            const bool known = booking->option >= 0 && booking->option < 3;
            const TrainingCampOption& option =
                m_campOptions[static_cast<size_t>(known ? booking->option : 0)];
            grid->AddCell(0, known ? m_ctx.Text(option.textId) : CStr("-"), rows);
            grid->AddCell(1, FormatDate(booking->year, booking->day, booking->month, "."), rows);
            grid->AddCell(2, FormatMoney(option.price), rows);
            ++rows;
        }
    grid->SetRowCount(rows);
    grid->ResetScroll(true);
}

void CTrainingScreen::OnMessage(GuiMessage& m) {
    if (!m_root || m.sID < 0)
        return;
    const int id = m.sID;
    if (m.MSG == kMsgSelection) {
        if (id == ID_TR_PLAYERS) {
            m_selectedPlayer = ComboData(ID_TR_PLAYERS, -1);
            ShowPlayerCard();
        } else if (id == ID_TR_PLANS) {
            SelectDayPlan(m.p1);
        } else if (id >= ID_TR_TYPE_0 && id < ID_TR_INTENSITY_0 + kTrainingHours) {
            UpdateProjection();
        } else if (id == ID_TR_YEAR) {
            FillMonths();
            SelectPlanOfDate();
        } else if (id == ID_TR_MONTH) {
            FillDays();
            SelectPlanOfDate();
        } else if (id == ID_TR_DAY) {
            ShowWeekday();
            SelectPlanOfDate();
        } else {
            return;
        }
        Consume(m);
    } else if (m.MSG == kMsgClick) {
        if (id == ID_TR_SQUAD || id == ID_TR_CENTRES || id == ID_TR_GUARDS || id == ID_TR_FORWARDS)
            OnGroupToggle(id);
        else if (id == ID_TR_SAVE)
            OnSavePlan();
        else if (id >= ID_TR_BOOK_0 && id <= ID_TR_BOOK_0 + 2)
            BookCamp(id - ID_TR_BOOK_0);
        else if (id == ID_TR_CAMP_CANCEL)
            CancelBooking();
        else
            return;
        Consume(m);
    }
}
