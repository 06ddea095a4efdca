// CIndicatorsScreen: the club's three indicators (the fans, the squad's mood, sponsors and press),
// each a percentage with a trend arrow and a few lines on what moves it. Display only: the
// psychologist's mood mail is the day step's.
#pragma once

#include "career/Indicators.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <vector>

class CGuiElement;

// What the panels' lines depend on, gathered from the career and the other screens.
struct IndicatorFacts {
    bool haveClub = false;
    int32_t fanBase = 0;
    bool ticketScreen = false;
    int bookedPromotions = 0;
    std::vector<int32_t> physioSkills; // one per physiotherapist of the club
    CStr psychologist;                 // the mood panel's staff member; empty without one
    bool stadiumScreen = false;
    bool haveTrainingHall = false;
    int32_t trainingHallLevel = 0;
    int32_t mood = 0; // the second indicator's value
    bool sponsorScreen = false;
    int pressOffers = 0; // open sponsor offers of the second kind
};

// The text ids of each panel's lines, in order.
std::vector<int> FanPanelLines(const IndicatorFacts& facts);
std::vector<int> MoodPanelLines(const IndicatorFacts& facts);
std::vector<int> PressPanelLines(const IndicatorFacts& facts);

class CIndicatorsScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_INDICATORS;
    static constexpr const char* kUpArrow = "\\images\\WinObjects\\PIC\\up.png";
    static constexpr const char* kDownArrow = "\\images\\WinObjects\\PIC\\down.png";

    explicit CIndicatorsScreen(const CScreenContext& ctx);

    // Only while a career is open; never sends mail, however often it runs.
    void Refresh() override;
    void ShowAllPages();
    void ShowHeader();
    void ShowPanelTitles();
    void ShowPanelA();
    void ShowPanelB();
    void ShowPanelC();

    const IndicatorValues& Values() const { return m_values; }
    int32_t ClubId() const { return m_clubId; }
    IndicatorFacts GatherFacts() const;

private:
    // One panel: arrow, percentage and its lines.
    void ShowPanel(int index, const std::vector<int>& lines, const CStr& firstLine = CStr());
    CGuiElement* Child(int id) const;

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName;
    CStr m_dateText;
    int32_t m_clubId = -1;
    // Kept from the last read of the club's opinion row.
    IndicatorValues m_values;
};
