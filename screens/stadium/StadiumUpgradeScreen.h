// CStadiumUpgradeScreen: the club's eighteen stadium parts, each with its four stages. The player
// picks a stage, orders it with the part's Build button, confirms, and the stage is built over the
// following game days. The parts' state lives in the career (career/StadiumConstruction); this
// screen shows it and books the orders.
#pragma once

#include "career/StadiumConstruction.h"
#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>
#include <cstdint>

class CGuiElement;
struct CStadiumWingRecord;

// Element ids of one part's row on the screen.
struct StadiumPartElements {
    int stages[kStadiumStages];
    int order;
    int info;
    int grid;
    int bar;
};
const StadiumPartElements& StadiumPartIds(int part);

class CStadiumUpgradeScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_STADIUM;
    static constexpr int kBarWidth = 175;
    static constexpr int kBarHeight = 12;

    explicit CStadiumUpgradeScreen(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& msg) override;

    void ShowHeader();
    void RebuildViews();
    // Shows stage `stage` of a part: its detail grid, the Build button, the progress bar and the
    // built stages' buttons; it becomes the chosen stage.
    void SelectStage(int part, int stage);
    void ShowPartPicture(int part);
    // The league's limits: stage buttons beyond it off, a part the league forbids without Build.
    void ApplyLeagueLimits();
    // Stages the club's league lets it build of a part (4 without a limit).
    int StageLimit(int part) const;
    // The question before an order, or the note that the cash is short.
    void AskOrder(int anchor);

    int CurrentPart() const { return m_currentPart; }
    int ChosenStage() const { return m_chosenStage; }

private:
    CGuiElement* Child(int id) const;
    // The reason a stage of a part cannot be ordered, for the Build button's tooltip.
    CStr WhyNotOrderable(const CMemoryDB& career, const CStadiumWingRecord& part, int stage, StageState state,
                         int limit) const;
    CStadiumWingRecord* Part(int part) const;
    void BookOrder();

    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    int m_currentPart = -1;
    int m_chosenStage = -1;
    // The stage the open question is about; the confirmation books only that one.
    // The stage each part's panel shows, which its Build button orders when no stage was picked.
    std::array<int, kStadiumPartCount> m_shownStage{};
    int m_askedPart = -1;
    int m_askedStage = -1;
    CStr m_clubName = "Fastbreak";
    CStr m_dateText = "01.08.2007";
};
