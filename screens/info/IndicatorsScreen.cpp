// The indicators screen: three panels of the club's opinions with their trends.
#include "screens/info/IndicatorsScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "engine/Color.h"
#include "gui/Element.h"
#include "screens/ClubCaption.h"

namespace {

constexpr int kTextTitle = 300124;
constexpr int kPanelTitles[kIndicatorCount] = {200191, 200192, 200193};
constexpr int kTitleBoxes[kIndicatorCount] = {ID_IND_TITLE_1, ID_IND_TITLE_2, ID_IND_TITLE_3};
constexpr int kArrows[kIndicatorCount] = {ID_IND_ARROW_1, ID_IND_ARROW_2, ID_IND_ARROW_3};
constexpr int kTextBoxes[kIndicatorCount] = {ID_IND_TEXT_1, ID_IND_TEXT_2, ID_IND_TEXT_3};
constexpr int kPercents[kIndicatorCount] = {ID_IND_PERCENT_1, ID_IND_PERCENT_2, ID_IND_PERCENT_3};

constexpr int32_t kLargeFanBase = 100000;
constexpr int32_t kTrainingHall = 300060;
constexpr int32_t kWeakPhysio = 10;
constexpr int kGoodMood = 50;
constexpr int kManyPressOffers = 50;
constexpr int32_t kPressSponsorKind = 2;

} // namespace

std::vector<int> FanPanelLines(const IndicatorFacts& facts) {
    std::vector<int> lines;
    if (facts.haveClub)
        lines.push_back(facts.fanBase >= kLargeFanBase ? 400051 : 400050);
    lines.push_back(400052);
    if (facts.ticketScreen)
        lines.push_back(facts.bookedPromotions > 0 ? 400056 : 400055);
    if (facts.haveClub)
        for (int32_t skill : facts.physioSkills)
            lines.push_back(skill <= kWeakPhysio ? 400057 : 400058);
    return lines;
}

std::vector<int> MoodPanelLines(const IndicatorFacts& facts) {
    std::vector<int> lines;
    if (facts.stadiumScreen && facts.haveTrainingHall && facts.trainingHallLevel >= 0)
        lines.push_back(facts.trainingHallLevel == 0   ? 400059
                        : facts.trainingHallLevel == 1 ? 400060
                                                       : 400061);
    lines.push_back(facts.mood > kGoodMood ? 400062 : 400063);
    return lines;
}

std::vector<int> PressPanelLines(const IndicatorFacts& facts) {
    std::vector<int> lines;
    if (facts.sponsorScreen)
        lines.push_back(facts.pressOffers > kManyPressOffers ? 400064 : 400065);
    lines.push_back(400066);
    return lines;
}

CIndicatorsScreen::CIndicatorsScreen(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(kWindow)) {}

CGuiElement* CIndicatorsScreen::Child(int id) const {
    return m_root ? m_root->FindChild(id) : nullptr;
}

void CIndicatorsScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.HasOpenCareer())
        return;
    const CTeam* club = session.UserClub();
    if (!club)
        return;
    m_clubName = club->name;
    m_dateText =
        FormatDate(session.currentDate.year, session.currentDate.day, session.currentDate.month, ".");
    m_clubId = club->id;
    ShowAllPages();
}

void CIndicatorsScreen::ShowAllPages() {
    ShowHeader();
    ShowPanelTitles();
    ShowPanelA();
    ShowPanelB();
    ShowPanelC();
}

void CIndicatorsScreen::ShowHeader() {
    if (!m_root)
        return;
    m_root->SetCaption(ClubCaptionLine(m_ctx, kTextTitle, m_clubName, m_dateText));
    // A club without an opinion row keeps the figures it showed last.
    if (const CMemoryDB* world = m_ctx.Session().worldDB)
        ReadClubIndicators(*world, m_clubId, m_values);
}

void CIndicatorsScreen::ShowPanelTitles() {
    for (int k = 0; k < kIndicatorCount; ++k)
        m_ctx.SetText(kTitleBoxes[k], m_ctx.Text(kPanelTitles[k]));
}

IndicatorFacts CIndicatorsScreen::GatherFacts() const {
    IndicatorFacts facts;
    const CCareerSession& session = m_ctx.Session();
    facts.mood = m_values.value[kMoodIndicator];
    facts.ticketScreen = m_ctx.Screen(ScreenRole::Ticket) != nullptr;
    facts.stadiumScreen = m_ctx.Screen(ScreenRole::StadiumUpgrade) != nullptr;
    facts.sponsorScreen = m_ctx.Screen(ScreenRole::Sponsor) != nullptr;
    // The club's running state (fans, staff, arena, bookings) lives in the career.
    if (const CTeam* club = session.UserClub(); club && club->id == m_clubId) {
        facts.haveClub = true;
        facts.fanBase = club->fanBase;
        for (const CStaffRecord* member : club->staff)
            if (member && member->category == kStaffPhysiotherapist)
                facts.physioSkills.push_back(member->skill);
        facts.psychologist = LastStaffName(*club, kStaffPsychologist);
        if (club->stadium)
            for (const CStadiumWingRecord* wing : club->stadium->wings)
                if (wing && wing->partId == kTrainingHall) {
                    facts.haveTrainingHall = true;
                    facts.trainingHallLevel = wing->level;
                    break;
                }
    }
    if (session.careerDB)
        facts.bookedPromotions = session.careerDB->myPromotions.Size();
    if (session.worldDB)
        for (const CSponsorRecord* offer : session.worldDB->sponsorOffers)
            if (offer && offer->kind == kPressSponsorKind)
                ++facts.pressOffers;
    return facts;
}

void CIndicatorsScreen::ShowPanel(int index, const std::vector<int>& lines, const CStr& firstLine) {
    // A value that has not moved today shows no arrow at all.
    if (CGuiElement* arrow = Child(kArrows[index])) {
        const IndicatorTrend trend = TrendOf(m_values.value[index], m_values.reference[index]);
        arrow->Show(trend != IndicatorTrend::Level);
        if (trend != IndicatorTrend::Level)
            arrow->SetImage(trend == IndicatorTrend::Rose ? kUpArrow : kDownArrow);
    }
    if (CGuiElement* percent = Child(kPercents[index]))
        percent->SetText(CStr::Formatted("%d%%", m_values.value[index]), kFormatCentreMiddle,
                         PackColor(255, 255, 255, 255));
    CGuiElement* box = Child(kTextBoxes[index]);
    if (!box)
        return;
    // Each line is a short paragraph of its own; an empty line keeps them apart.
    CStr text = firstLine.IsEmpty() ? CStr() : firstLine.Concat("\n\n");
    for (int line : lines)
        text = text.Concat(m_ctx.Text(line)).Concat("\n\n");
    box->Clear();
    box->SetText(text);
}

void CIndicatorsScreen::ShowPanelA() {
    ShowPanel(0, FanPanelLines(GatherFacts()));
}

void CIndicatorsScreen::ShowPanelB() {
    const IndicatorFacts facts = GatherFacts();
    // The psychologist who watches the mood heads the panel.
    const CStr staff = facts.psychologist.IsEmpty()
                           ? CStr()
                           : m_ctx.Text(kStaffPsychologist).Concat(": ").Concat(facts.psychologist);
    ShowPanel(1, MoodPanelLines(facts), staff);
}

void CIndicatorsScreen::ShowPanelC() {
    ShowPanel(2, PressPanelLines(GatherFacts()));
}
