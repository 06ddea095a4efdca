// CTrainingScreen: the squad's training days, planned hour by hour for the whole squad, a position
// group or one player; the training camps of next summer; the facility level; the selected
// player's card and the two coach cards. The plans and camp bookings are the career's own records
// (the daily training and the money steps read them there); the screen edits them in place.
#pragma once

#include "database/GameDate.h"
#include "database/Records.h"
#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"
#include "screens/club/CoachCards.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CGuiElement;
class CMemoryDB;

constexpr int kTrainingHours = 16;
constexpr int kTrainingCardSkills = 14;

// Who trains with a plan.
enum TrainingKind : int32_t {
    kTrainOnePlayer = 0,
    kTrainSquad = 1,
    kTrainCentres = 2,
    kTrainGuards = 3,
    kTrainForwards = 4
};

// Skill slot (1-16) of a skill label 70101-70115; 0 for any other id.
int TrainingSkillSlot(int32_t labelId);
// Whether a player of that position trains in a plan of that kind (kind 0 is decided by name).
bool PositionInGroup(int32_t kind, int32_t position);

// The date pickers' choices: the years, the months of a chosen year and the days of a chosen month.
std::vector<int> PlanYears(const GameDate& today);
std::vector<int> PlanMonths(const GameDate& today, int chosenYear);
std::vector<int> PlanDays(const GameDate& today, int chosenYear, int chosenMonth);

// The week whose first date (CCalendar::DateOfWeek) begins the 7 days holding the date: a camp is
// charged once, in the week it takes place.
int CampWeek(int year, int month, int day);

// One season of a player's statistics.
struct TrainingSeasonStats {
    int32_t season = 0; // the year the season starts
    int32_t games = 0;
    int32_t sum = 0;     // points
    int64_t seconds = 0; // played, summed
    float rate1 = 0;     // shots made per shot, in per cent
    float rate2 = 0;     // three-pointers
    float rate3 = 0;     // free throws
};
// Seasons in order of first appearance. Only matches the player took part in count, and each rate
// is the season's hits over its attempts, as on the statistics screen.
std::vector<TrainingSeasonStats> BuildSeasonStats(const std::vector<CPlayerStat*>& stats,
                                                  int seasonStartMonth);
// Every season together, for the card's total row: rates over all hits and attempts.
TrainingSeasonStats CareerStats(const std::vector<CPlayerStat*>& stats);

// The screen's copy of one squad player.
struct TrainingPlayerRow {
    int32_t row = 0;
    int32_t playerId = -1;
    CStr name;
    int32_t position = 0;
    CStr dateText;
    int32_t height = 0;
    int32_t weight = 0;
    CStr originText;
    int32_t wage = 0;
    std::array<int32_t, 15> value{}; // by label 70101-70115
    std::array<int32_t, 15> third{};
    std::vector<TrainingSeasonStats> seasons;
    TrainingSeasonStats career; // every season together
    int32_t Skill(int32_t label) const { return value[static_cast<size_t>(label - 70101)]; }
    int32_t Third(int32_t label) const { return third[static_cast<size_t>(label - 70101)]; }
};

struct TrainingTypeEntry {
    int32_t position = 0;
    CStr name;
    int32_t textId = 0;
    int32_t firstDelta = 0;
    int32_t secondDelta = 0;
};

struct TrainingModifierEntry {
    int32_t position = 0;
    CStr name;
    int32_t textId = 0;
    int32_t value = 0;
};

struct TrainingCampOption {
    int32_t textId = 0;
    float price = 0;
};

class CTrainingScreen : public CGameScreen, public ICoachCards {
public:
    static constexpr int kWindow = ID_TRAINING;
    static constexpr int32_t kNoTraining = 70200;
    static constexpr int32_t kPartTrainingHall = 300062;
    static constexpr const char* kLitIcon = "\\images\\WinObjects\\buttons\\trainingchamp01.png";
    static constexpr const char* kDarkIcon = "\\images\\WinObjects\\buttons\\trainingchamp02.png";

    explicit CTrainingScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& m) override;

    // The projection of the selected player through the day's sixteen slots.
    void UpdateProjection();
    // Saves the edited day for the players the toggles choose; a plan of that date is replaced.
    void OnSavePlan();
    void OnGroupToggle(int id);
    void SelectDayPlan(int index);
    void SelectPlanOfDate();
    void BookCamp(int option);
    void CancelBooking();
    void ShowPlayerCard();

    void SetCoachCard(int32_t category, const CoachCard& card) override;
    void FillStaffCards() override;

    // The screen's copies, for the tests and the probe.
    const std::vector<std::unique_ptr<TrainingPlayerRow>>& Rows() const { return m_rows; }
    const std::vector<TrainingTypeEntry>& Types() const { return m_types; }
    const std::vector<TrainingModifierEntry>& Intensities() const { return m_intensities; }
    int32_t SelectedPlayer() const { return m_selectedPlayer; }
    void SelectPlayer(int32_t row);
    int Toggle() const { return m_toggle; }
    int CurrentPlan() const { return m_currentPlan; }
    int FacilityStage() const { return m_facilityStage; }
    // The label of a plan in the list: its date, and who trains when that is a group.
    CStr PlanLabel(const CTrainingDay& plan) const;
    // The players (row numbers) a saved plan names, found by player id in today's rows.
    std::vector<int32_t> PlanRows(const CTrainingDay& plan) const;
    // The last refusal of a camp booking, empty when it was booked.
    const CStr& BookingMessage() const { return m_bookingMessage; }

private:
    CMemoryDB* Career() const;
    CGuiElement* Child(int id) const;
    void BuildRows();
    void FillSequence();
    void FillHourColumn();
    void FillDatePickers();
    void FillMonths();
    void FillDays();
    void ShowWeekday();
    void FillSlotCombos();
    void FillFacility();
    void FillPlayerList();
    void FillDayPlanList();
    void FillCampCombos();
    void FillCampOptionGrid();
    void FillBookingGrid();
    void SetLabels();
    void SetCaption();
    void ShowToggles();
    GameDate ChosenDate() const;
    int32_t ComboData(int id, int32_t fallback) const;
    const TrainingPlayerRow* SelectedRow() const;
    int32_t KindOfPlan(const CTrainingDay& plan) const;
    static void SelectData(CGuiElement* combo, int32_t data);

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName;
    GameDate m_today;
    std::vector<std::unique_ptr<TrainingPlayerRow>> m_rows;
    std::vector<TrainingTypeEntry> m_types;
    std::vector<TrainingModifierEntry> m_intensities;
    std::array<TrainingCampOption, 3> m_campOptions{};
    CoachCard m_headCoach;
    CoachCard m_assistant;
    int m_currentPlan = 0;
    int32_t m_selectedPlayer = -1;
    int m_toggle = 0; // the checked group toggle's id, 0 for none
    int m_facilityStage = 0;
    CStr m_bookingMessage;
};
