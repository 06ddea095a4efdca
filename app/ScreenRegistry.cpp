// The screen registry's table and the factories of the screens that exist.
#include "app/ScreenRegistry.h"

#include "app/DayHost.h"
#include "app/GameManager.h"
#include "screens/club/EmailScreen.h"
#include "screens/club/ExpenseReportScreen.h"
#include "screens/club/FinanceScreen.h"
#include "screens/club/FunShopScreen.h"
#include "screens/club/IncomeReportScreen.h"
#include "screens/club/StaffScreen.h"
#include "screens/club/TrainingScreen.h"
#include "screens/finance/SponsorScreen.h"
#include "screens/finance/TicketScreen.h"
#include "screens/info/CertificateListScreen.h"
#include "screens/info/DayController.h"
#include "screens/info/DayInfoPanel.h"
#include "screens/info/IndicatorsScreen.h"
#include "screens/info/PlayerInfoWindow.h"
#include "screens/info/StatisticsScreen.h"
#include "screens/info/StatsCompareScreen.h"
#include "screens/info/WhisperScreen.h"
#include "screens/match/CommentaryPopup.h"
#include "screens/match/LineupScreen.h"
#include "screens/match/MatchDayScreen.h"
#include "screens/match/MatchHud.h"
#include "screens/match/MatchViewModeScreen.h"
#include "screens/match/ResultsScreen.h"
#include "screens/match/SubstitutionDialog.h"
#include "screens/match/TacticsScreen.h"
#include "screens/stadium/ClubOverviewScreen.h"
#include "screens/stadium/StadiumUpgradeScreen.h"
#include "screens/stadium/TransferScreen.h"
#include "screens/start/CareerFrameScreen.h"
#include "screens/start/MainMenuScreen.h"
#include "screens/start/NewCareerScreen.h"
#include "screens/start/OptionsScreen.h"
#include "screens/start/ProfilesScreen.h"

namespace {

template <class T> std::unique_ptr<CGameScreen> Make(CGameManager& gm) {
    return std::make_unique<T>(gm.Context());
}

std::unique_ptr<CGameScreen> MakeDayController(CGameManager& gm) {
    auto host = std::make_unique<CGameDayHost>(gm);
    IDayFrame* frame = host.get();
    return std::make_unique<CDayController>(gm.Session(), std::move(host), frame, gm.Session().fixtureList);
}

std::unique_ptr<CGameScreen> MakeDayPanel(CGameManager& gm) {
    auto* day = dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
    auto panel = std::make_unique<CDayInfoPanel>(gm.FindElement(CDayInfoPanel::kWindow),
                                                 [&gm](int id) { return gm.GetText(id); });
    if (day) {
        panel->SetHeaderSource([day] { return day->PanelHeader(); });
        panel->SetBoardSource([day] { return &day->Board(); });
    }
    return panel;
}

// The line-up's player card fills the player information window as well.
std::unique_ptr<CGameScreen> MakeLineup(CGameManager& gm) {
    auto lineup = std::make_unique<CLineupScreen>(gm.Context());
    lineup->SetPlayerInfoHook([&gm](CPlayer* player) {
        if (auto* window = dynamic_cast<CPlayerInfoWindow*>(gm.Screen(ScreenRole::PlayerInfo)))
            window->ShowPlayer(player);
    });
    return lineup;
}

std::unique_ptr<CGameScreen> MakeCareerFrame(CGameManager& gm) {
    auto frame = std::make_unique<CCareerFrameScreen>(gm.Context());
    frame->UpdateMenuButtons();
    return frame;
}

using R = ScreenRole;

// clang-format off
const std::vector<ScreenRow> kRows = {
    // role, factory, message order, match order, refresh group and order, league only
    {R::StatsCompare,       Make<CStatsCompareScreen>,   0,      -1,   0, 1, false},
    {R::DayController,      MakeDayController,           1,      -1,  -1, 0, false},
    {R::ViewMode,           Make<CMatchViewModeScreen>,  2,      -1,   0, 3, false},
    {R::Results,            Make<CResultsScreen>,        3,      -1,  -1, 0, false},
    {R::Lineup,             MakeLineup,                  4,      -1,   0, 4, false},
    {R::Tactics,            Make<CTacticsScreen>,        5,       1,   0, 5, false},
    {R::Inbox,              Make<CEmailScreen>,          6,      -1,   0, 8, false},
    {R::News,               Make<CWhisperScreen>,        7,      -1,   0, 9, false},
    {R::Header,             MakeCareerFrame,             8,      -1,   0, 10, false},
    {R::Staff,              Make<CStaffScreen>,          9,      -1,   0, 6, false},
    {R::Training,           Make<CTrainingScreen>,       10,     -1,   0, 7, false},
    {R::Finance,            Make<CFinanceScreen>,        11,     -1,   1, 0, true},
    {R::IncomeReport,       Make<CIncomeReportScreen>,   12,     -1,   1, 1, true},
    {R::ExpenseReport,      Make<CExpenseReportScreen>,  13,     -1,   1, 2, true},
    {R::Sponsor,            Make<CSponsorScreen>,        14,     -1,   1, 3, true},
    {R::Ticket,             Make<CTicketScreen>,         15,     -1,   1, 4, true},
    {R::FunShop,            Make<CFunShopScreen>,        16,     -1,   1, 5, true},
    {R::Transfer,           Make<CTransferScreen>,       17,     -1,   1, 6, true},
    {R::StadiumUpgrade,     Make<CStadiumUpgradeScreen>, 18,     -1,   1, 7, true},
    {R::Statistics,         Make<CStatisticsScreen>,     19,     -1,   2, 0, false},
    {R::MainMenu,           Make<CMainMenuScreen>,       20,     -1,  -1, 0, false},
    {R::Profiles,           Make<CProfilesScreen>,       21,     -1,  -1, 0, false},
    {R::NewCareer,          Make<CNewCareerScreen>,      22,     -1,  -1, 0, false},
    {R::Options,            Make<COptionsScreen>,        23,     -1,  -1, 0, false},
    {R::Commentary,         Make<CCommentaryPopup>,      24,      3,   0, 11, false},
    {R::ClubOverview,       Make<CClubOverviewScreen>,   -1,     -1,   0, 0, false},
    {R::Indicators,         Make<CIndicatorsScreen>,     -1,     -1,   2, 1, true},
    {R::Certificates,       Make<CCertificateListScreen>, -1,     -1,   2, 2, true},
    {R::DayInfoPanel,       MakeDayPanel,                -1,     -1,  -1, 0, false},
    {R::PlayerInfo,         Make<CPlayerInfoWindow>,     -1,     -1,  -1, 0, false},
    {R::MatchHud,           Make<CMatchHud>,             -1,      0,  -1, 0, false},
    {R::MatchCentre,        Make<CMatchDayScreen>,       -1,      0,   0, 2, false},
    {R::Substitution,       Make<CSubstitutionDialog>,   -1,      2,  -1, 0, false},
};
// clang-format on

} // namespace

const std::vector<ScreenRow>& ScreenRegistry() {
    return kRows;
}
