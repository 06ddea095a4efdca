// The stadium upgrade screen: parts, stages, orders and the league's limits.
#include "screens/stadium/StadiumUpgradeScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "engine/TextRun.h"
#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "gui/ScreenStack.h"
#include "screens/ClubCaption.h"
#include "screens/FormatMoney.h"

#include <algorithm>

namespace {

// clang-format off
const StadiumPartElements kParts[kStadiumPartCount] = {
    {{ID_STADIUM_STAGE1_00, ID_STADIUM_STAGE2_00, ID_STADIUM_STAGE3_00, ID_STADIUM_STAGE4_00},
     ID_STADIUM_ORDER_00, ID_STADIUM_INFO_00, ID_STADIUM_GRID_00, ID_STADIUM_BAR_00},
    {{ID_STADIUM_STAGE1_01, ID_STADIUM_STAGE2_01, ID_STADIUM_STAGE3_01, ID_STADIUM_STAGE4_01},
     ID_STADIUM_ORDER_01, ID_STADIUM_INFO_01, ID_STADIUM_GRID_01, ID_STADIUM_BAR_01},
    {{ID_STADIUM_STAGE1_02, ID_STADIUM_STAGE2_02, ID_STADIUM_STAGE3_02, ID_STADIUM_STAGE4_02},
     ID_STADIUM_ORDER_02, ID_STADIUM_INFO_02, ID_STADIUM_GRID_02, ID_STADIUM_BAR_02},
    {{ID_STADIUM_STAGE1_03, ID_STADIUM_STAGE2_03, ID_STADIUM_STAGE3_03, ID_STADIUM_STAGE4_03},
     ID_STADIUM_ORDER_03, ID_STADIUM_INFO_03, ID_STADIUM_GRID_03, ID_STADIUM_BAR_03},
    {{ID_STADIUM_STAGE1_04, ID_STADIUM_STAGE2_04, ID_STADIUM_STAGE3_04, ID_STADIUM_STAGE4_04},
     ID_STADIUM_ORDER_04, ID_STADIUM_INFO_04, ID_STADIUM_GRID_04, ID_STADIUM_BAR_04},
    {{ID_STADIUM_STAGE1_05, ID_STADIUM_STAGE2_05, ID_STADIUM_STAGE3_05, ID_STADIUM_STAGE4_05},
     ID_STADIUM_ORDER_05, ID_STADIUM_INFO_05, ID_STADIUM_GRID_05, ID_STADIUM_BAR_05},
    {{ID_STADIUM_STAGE1_06, ID_STADIUM_STAGE2_06, ID_STADIUM_STAGE3_06, ID_STADIUM_STAGE4_06},
     ID_STADIUM_ORDER_06, ID_STADIUM_INFO_06, ID_STADIUM_GRID_06, ID_STADIUM_BAR_06},
    {{ID_STADIUM_STAGE1_07, ID_STADIUM_STAGE2_07, ID_STADIUM_STAGE3_07, ID_STADIUM_STAGE4_07},
     ID_STADIUM_ORDER_07, ID_STADIUM_INFO_07, ID_STADIUM_GRID_07, ID_STADIUM_BAR_07},
    {{ID_STADIUM_STAGE1_08, ID_STADIUM_STAGE2_08, ID_STADIUM_STAGE3_08, ID_STADIUM_STAGE4_08},
     ID_STADIUM_ORDER_08, ID_STADIUM_INFO_08, ID_STADIUM_GRID_08, ID_STADIUM_BAR_08},
    {{ID_STADIUM_STAGE1_09, ID_STADIUM_STAGE2_09, ID_STADIUM_STAGE3_09, ID_STADIUM_STAGE4_09},
     ID_STADIUM_ORDER_09, ID_STADIUM_INFO_09, ID_STADIUM_GRID_09, ID_STADIUM_BAR_09},
    {{ID_STADIUM_STAGE1_10, ID_STADIUM_STAGE2_10, ID_STADIUM_STAGE3_10, ID_STADIUM_STAGE4_10},
     ID_STADIUM_ORDER_10, ID_STADIUM_INFO_10, ID_STADIUM_GRID_10, ID_STADIUM_BAR_10},
    {{ID_STADIUM_STAGE1_11, ID_STADIUM_STAGE2_11, ID_STADIUM_STAGE3_11, ID_STADIUM_STAGE4_11},
     ID_STADIUM_ORDER_11, ID_STADIUM_INFO_11, ID_STADIUM_GRID_11, ID_STADIUM_BAR_11},
    {{ID_STADIUM_STAGE1_12, ID_STADIUM_STAGE2_12, ID_STADIUM_STAGE3_12, ID_STADIUM_STAGE4_12},
     ID_STADIUM_ORDER_12, ID_STADIUM_INFO_12, ID_STADIUM_GRID_12, ID_STADIUM_BAR_12},
    {{ID_STADIUM_STAGE1_13, ID_STADIUM_STAGE2_13, ID_STADIUM_STAGE3_13, ID_STADIUM_STAGE4_13},
     ID_STADIUM_ORDER_13, ID_STADIUM_INFO_13, ID_STADIUM_GRID_13, ID_STADIUM_BAR_13},
    {{ID_STADIUM_STAGE1_14, ID_STADIUM_STAGE2_14, ID_STADIUM_STAGE3_14, ID_STADIUM_STAGE4_14},
     ID_STADIUM_ORDER_14, ID_STADIUM_INFO_14, ID_STADIUM_GRID_14, ID_STADIUM_BAR_14},
    {{ID_STADIUM_STAGE1_15, ID_STADIUM_STAGE2_15, ID_STADIUM_STAGE3_15, ID_STADIUM_STAGE4_15},
     ID_STADIUM_ORDER_15, ID_STADIUM_INFO_15, ID_STADIUM_GRID_15, ID_STADIUM_BAR_15},
    {{ID_STADIUM_STAGE1_16, ID_STADIUM_STAGE2_16, ID_STADIUM_STAGE3_16, ID_STADIUM_STAGE4_16},
     ID_STADIUM_ORDER_16, ID_STADIUM_INFO_16, ID_STADIUM_GRID_16, ID_STADIUM_BAR_16},
    {{ID_STADIUM_STAGE1_17, ID_STADIUM_STAGE2_17, ID_STADIUM_STAGE3_17, ID_STADIUM_STAGE4_17},
     ID_STADIUM_ORDER_17, ID_STADIUM_INFO_17, ID_STADIUM_GRID_17, ID_STADIUM_BAR_17},
};
// clang-format on

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kNameColour = 0x00FFFFFFu;
constexpr int kBuiltFrame = 2;
constexpr TextRun kPartInfoTexts{200104, 18}; // what each of the parts is, by part index
constexpr int32_t kRegularLeague = 100005;
constexpr int kTextDay = 700040;  // a building time of one day
constexpr int kTextDays = 700041; // of any other number of days
// Why a Build button is off, in the button's tooltip; XYSTAGE is a stage number.
constexpr int kTextStageBuilt = 700140;
constexpr int kTextStageRunning = 700141;
constexpr int kTextStageFirst = 700142;
constexpr int kTextCoreFirst = 700143;
constexpr int kTextLeagueLimit = 700144;
constexpr int kTextLeagueNone = 700145;

int PanelId(int part) {
    return ID_STADIUM_PART_00 + 13 * part;
}
int PictureId(int part) {
    return ID_STADIUM_PICTURE_00 + 13 * part;
}
int NameId(int part) {
    return ID_STADIUM_NAME_00 + 13 * part;
}

} // namespace

const StadiumPartElements& StadiumPartIds(int part) {
    return kParts[std::clamp(part, 0, kStadiumPartCount - 1)];
}

CStadiumUpgradeScreen::CStadiumUpgradeScreen(const CScreenContext& ctx)
    : m_ctx(ctx), m_root(ctx.Find(kWindow)) {
    ApplyLeagueLimits();
}

CGuiElement* CStadiumUpgradeScreen::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

CStadiumWingRecord* CStadiumUpgradeScreen::Part(int part) const {
    const CCareerSession& session = m_ctx.Session();
    if (!session.careerDB || part < 0 || part >= kStadiumPartCount)
        return nullptr;
    return FindClubPart(*session.careerDB, PartIdOfIndex(part));
}

void CStadiumUpgradeScreen::Refresh() {
    m_ctx.SetText(ID_STADIUM_INFO_TEXT, CStr());
    CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer())
        return;
    CMemoryDB& career = *session.careerDB;
    const CTeam* club = career.teams.At(0);
    if (!club)
        return;
    // A loaded career's running constructions put their stage back into the parts.
    RestoreRunningConstructions(career);
    for (int k = 0; k < kStadiumPartCount; ++k)
        if (CGuiElement* name = Child(NameId(k)))
            name->SetText(m_ctx.Text(PartIdOfIndex(k)), kFormatLeftMiddle, kWhite);
    m_clubName = club->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    RebuildViews();
}

void CStadiumUpgradeScreen::ShowHeader() {
    if (!m_root)
        return;
    m_root->SetCaption(ClubCaptionLine(m_ctx, 100008, m_clubName, m_dateText));
    for (const StadiumPartElements& part : kParts)
        if (CGuiElement* order = m_ctx.Find(part.order))
            order->SetText(m_ctx.Text(700022), kFormatCentreMiddle);
    if (CGuiElement* yes = m_ctx.Find(ID_STADIUM_ASK_YES))
        yes->SetText(m_ctx.Text(300000), kFormatCentreMiddle);
    if (CGuiElement* no = m_ctx.Find(ID_STADIUM_ASK_NO))
        no->SetText(m_ctx.Text(300001), kFormatCentreMiddle);
    if (const CLeague* league = m_ctx.Session().UserLeague()) {
        if (CGuiElement* frame = m_ctx.Find(ID_FR_STADIUM))
            frame->SetDisabled(league->type == kRegularLeague && league->classNumber % 3 == 0);
    }
}

void CStadiumUpgradeScreen::RebuildViews() {
    ShowHeader();
    for (int k = 0; k < kStadiumPartCount; ++k) {
        // A finished part shows its last stage.
        if (const CStadiumWingRecord* part = Part(k))
            SelectStage(k, std::clamp(part->level, 0, kStadiumStages - 1));
    }
    for (int k = 0; k < kStadiumPartCount; ++k)
        ShowPartPicture(k);
    m_chosenStage = -1;
    ApplyLeagueLimits();
}

void CStadiumUpgradeScreen::SelectStage(int k, int s) {
    CStadiumWingRecord* part = Part(k);
    CGuiElement* grid = Child(StadiumPartIds(k).grid);
    if (!part || !grid || s < 0 || s >= kStadiumStages)
        return;
    const CMemoryDB& career = *m_ctx.Session().careerDB;
    const int32_t cost = StageCost(*part, s);
    const int32_t days = StageDays(*part, s);
    grid->Clear();
    grid->SetColumnFormat(0, kFormatLeftMiddle);
    grid->SetColumnFormat(1, kFormatLeftMiddle);
    grid->AddCell(0, m_ctx.Text(part->partId), 0);
    grid->SetCellColour(0, 0, kNameColour);
    grid->AddCell(1, CStr::Formatted("%s %d", m_ctx.Text(100209).GetText(), s + 1), 0);
    grid->AddCell(0, m_ctx.Text(200101), 1);
    grid->AddCell(1, FormatMoney(cost), 1);
    grid->AddCell(0, m_ctx.Text(200102), 2);
    grid->AddCell(1, CStr::Formatted("%d %s", days, m_ctx.Text(days == 1 ? kTextDay : kTextDays).GetText()),
                  2);
    grid->SetRowCount(3);
    grid->ResetScroll(true);

    const StageState state = GetStageState(career, *part, s, StageLimit(k));
    int width = 0;
    if (state == StageState::Built)
        width = kBarWidth;
    else if (state == StageState::Running && days > 0)
        width =
            static_cast<int>(std::min<int64_t>(part->daysDone, days) * static_cast<double>(kBarWidth) / days);
    if (CGuiElement* order = Child(StadiumPartIds(k).order)) {
        order->SetDisabled(state != StageState::Orderable);
        order->SetTooltip(state == StageState::Orderable
                              ? m_ctx.Tooltip(StadiumPartIds(k).order)
                              : WhyNotOrderable(career, *part, s, state, StageLimit(k)));
    }
    if (CGuiElement* bar = Child(StadiumPartIds(k).bar))
        bar->SetSize(width, kBarHeight);
    for (int t = 0; t < kStadiumStages; ++t)
        if (CGuiElement* button = Child(StadiumPartIds(k).stages[t]))
            button->ForceState(kBuiltFrame, part->level > t);
    m_chosenStage = s;
    m_currentPart = k;
    m_shownStage[static_cast<size_t>(k)] = s;
}

CStr CStadiumUpgradeScreen::WhyNotOrderable(const CMemoryDB& career, const CStadiumWingRecord& part, int s,
                                            StageState state, int limit) const {
    int text = kTextStageFirst;
    int stage = part.level + 1; // the next stage to build
    if (state == StageState::Built || state == StageState::Running) {
        text = state == StageState::Built ? kTextStageBuilt : kTextStageRunning;
        stage = s + 1;
    } else if (state == StageState::Locked) {
        const CStadiumWingRecord* core = FindClubPart(career, kCorePart);
        if (s >= limit) {
            text = limit > 0 ? kTextLeagueLimit : kTextLeagueNone;
            stage = limit;
        } else if (part.partId != kCorePart && (!core || core->level <= s)) {
            // Stage s of a part needs the hall's first s + 1 stages built.
            text = kTextCoreFirst;
            stage = s + 1;
        }
    }
    CStr why = m_ctx.Text(text);
    why.ReplaceAll("XYSTAGE", CStr::Formatted("%d", stage));
    return why;
}

void CStadiumUpgradeScreen::ShowPartPicture(int k) {
    const CStadiumWingRecord* part = Part(k);
    CGuiElement* picture = Child(PictureId(k));
    if (!part || !picture || part->level <= 0)
        return;
    picture->SetImage(CStr::Formatted("\\images\\WinObjects\\STADIONADVELEMENTS\\kep%.2da_f2.png", k + 1));
}

int CStadiumUpgradeScreen::StageLimit(int k) const {
    const CCareerSession& session = m_ctx.Session();
    if (!session.careerDB || !session.worldDB)
        return kStadiumStages;
    const CLeague* league = session.careerDB->leagues.At(0);
    if (!league)
        return kStadiumStages;
    int limit = kStadiumStages;
    for (const CStadiumUpgradeRecord* record : session.worldDB->stadiumUpgrades)
        if (record->leagueKind == league->type && record->leagueClass == league->classNumber % 3 &&
            m_ctx.Stack().FindGuiIdByName(record->elements[4].GetText()) == StadiumPartIds(k).order)
            limit = std::min(limit, static_cast<int>(record->stageLimit));
    return limit;
}

void CStadiumUpgradeScreen::ApplyLeagueLimits() {
    const CCareerSession& session = m_ctx.Session();
    if (!m_root || !session.careerDB || !session.worldDB)
        return;
    const CLeague* league = session.careerDB->leagues.At(0);
    if (!league)
        return;
    for (const CStadiumUpgradeRecord* record : session.worldDB->stadiumUpgrades) {
        if (record->leagueKind != league->type || record->leagueClass != league->classNumber % 3)
            continue;
        const int limit = record->stageLimit;
        auto element = [&](int index) {
            return Child(m_ctx.Stack().FindGuiIdByName(record->elements[index].GetText()));
        };
        // Stage buttons beyond the limit go off; the Build button only when nothing may be built:
        // otherwise it keeps what the shown stage allows, so it is never on for a stage that
        // cannot be ordered.
        for (int stage = kStadiumStages - 1; stage >= 0; --stage)
            if (CGuiElement* button = element(stage))
                button->SetDisabled(limit < stage + 1);
        if (CGuiElement* order = element(4); order && limit < 1)
            order->SetDisabled(true);
        if (CGuiElement* info = element(5))
            info->SetDisabled(false);
        if (CGuiElement* grid = element(6); grid && limit < 1)
            grid->Clear();
    }
}

void CStadiumUpgradeScreen::AskOrder(int anchor) {
    const CStadiumWingRecord* part = Part(m_currentPart);
    const CTeam* club = m_ctx.Session().careerDB ? m_ctx.Session().careerDB->teams.At(0) : nullptr;
    if (!part || !club || m_chosenStage < 0)
        return;
    if (club->cash >= StageCost(*part, m_chosenStage)) {
        m_ctx.CentreWindow(anchor, ID_STADIUM_ASK_BOX);
        CStr question = m_ctx.Text(200184);
        question += " ";
        question += m_ctx.Text(part->partId);
        question += " ";
        question += m_ctx.Text(200185);
        question += CStr::Formatted("%d", m_chosenStage + 1);
        question += m_ctx.Text(200186);
        question.ReplaceAll("\\n", "\n");
        m_ctx.SetText(ID_STADIUM_ASK_TEXT, question);
        m_askedPart = m_currentPart;
        m_askedStage = m_chosenStage;
        m_ctx.Post(anchor, ID_STADIUM_ASK_BOX, kMsgOpenOnTop, anchor, 0);
    } else {
        m_askedPart = m_askedStage = -1;
        m_ctx.SetText(ID_STADIUM_INFO_TEXT, m_ctx.Text(200187));
        m_ctx.CentreWindow(anchor, ID_STADIUM_INFO_BOX);
        m_ctx.Post(anchor, ID_STADIUM_INFO_BOX, kMsgOpenOnTop, anchor, 0);
    }
}

void CStadiumUpgradeScreen::BookOrder() {
    // Only the stage the question named, and only when nothing was picked since: the stage
    // buttons stay clickable under the question.
    const bool same = m_askedPart >= 0 && m_askedPart == m_currentPart && m_askedStage == m_chosenStage;
    const int part = m_askedPart;
    const int stage = m_askedStage;
    m_askedPart = m_askedStage = -1;
    CCareerSession& session = m_ctx.Session();
    if (!same || !session.careerDB)
        return;
    const OrderResult result =
        OrderStadiumStage(*session.careerDB, session.ledger, session.currentDate, PartIdOfIndex(part), stage,
                          StageLimit(part), m_ctx.Text(PartIdOfIndex(part)));
    if (result != OrderResult::Booked)
        return;
    m_chosenStage = -1;
    RebuildViews();
    if (CGameScreen* finance = m_ctx.Screen(ScreenRole::Finance))
        finance->Refresh();
    // The header's cash shows the money paid at once.
    if (CGameScreen* header = m_ctx.Screen(ScreenRole::Header))
        header->Refresh();
}

void CStadiumUpgradeScreen::OnMessage(GuiMessage& msg) {
    if (msg.MSG != kMsgClick)
        return;
    const int id = msg.sID;
    for (int k = 0; k < kStadiumPartCount; ++k) {
        const StadiumPartElements& ids = kParts[k];
        for (int s = 0; s < kStadiumStages; ++s)
            if (id == ids.stages[s]) {
                SelectStage(k, s);
                Consume(msg);
                return;
            }
        if (id == ids.info) {
            m_ctx.CentreWindow(PanelId(k), ID_STADIUM_INFO_BOX);
            m_ctx.Post(id, ID_STADIUM_INFO_BOX, kMsgOpenOnTop, id, 0);
            CStr text = m_ctx.Text(kPartInfoTexts.At(k));
            text.ReplaceAll("\\n", "\n");
            m_ctx.SetText(ID_STADIUM_INFO_TEXT, text);
            Consume(msg);
            return;
        }
        if (id == ids.order) {
            // The Build button orders the stage its panel shows, picked or not.
            if (m_currentPart != k || m_chosenStage < 0)
                SelectStage(k, m_shownStage[static_cast<size_t>(k)]);
            if (m_currentPart != k || m_chosenStage < 0)
                return;
            CGuiElement* button = Child(id);
            if (button && button->Parent())
                AskOrder(button->Parent()->GetId() == kWindow ? PanelId(k) : button->Parent()->GetId());
            ShowPartPicture(k);
            Consume(msg);
            return;
        }
    }
    switch (id) {
    case ID_STADIUM_INFO_CLOSE:
        m_ctx.Post(id, ID_STADIUM_INFO_BOX, kMsgClose);
        Consume(msg);
        break;
    case ID_STADIUM_ASK_NO:
        m_askedPart = m_askedStage = -1;
        m_ctx.Post(id, ID_STADIUM_ASK_BOX, kMsgClose);
        Consume(msg);
        break;
    case ID_STADIUM_ASK_YES:
        BookOrder();
        m_ctx.Post(id, ID_STADIUM_ASK_BOX, kMsgClose);
        Consume(msg);
        break;
    default:
        break;
    }
}
