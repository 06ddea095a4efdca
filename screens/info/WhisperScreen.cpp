// The gossip news window: header line and one entry per rumour.
#include "screens/info/WhisperScreen.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"

namespace {

constexpr int kTextHeader = 300118;
constexpr int kTextSeason = 80030;

} // namespace

CWhisperScreen::CWhisperScreen(const CScreenContext& ctx)
    : m_ctx(ctx), m_root(ctx.Find(kWindow)), m_names(CelebrityNames()) {}

void CWhisperScreen::Refresh() {
    const CCareerSession& session = m_ctx.Session();
    if (!session.worldDB || !session.careerDB || session.careerDB->teams.IsEmpty())
        return;
    m_clubName = session.careerDB->teams.At(0)->name;
    const GameDate& today = session.currentDate;
    m_dateText = FormatDate(today.year, today.day, today.month, ".");
    m_year = today.year;
    FillHeader();
    BuildNewsTexts();
}

void CWhisperScreen::FillHeader() {
    if (!m_root)
        return;
    const CCareerSession& session = m_ctx.Session();
    const CLeague* league = session.UserLeague();
    int startYear = SeasonSpan::kDefaultStartYear;
    int endYear = SeasonSpan::kDefaultEndYear;
    if (session.fixtureList) {
        startYear = session.fixtureList->Season().startYear;
        endYear = session.fixtureList->Season().endYear;
    }
    CStr caption = m_ctx.Text(kTextHeader);
    caption += " / ";
    caption += league ? m_ctx.Text(league->nameTextId) : CStr();
    caption += " / ";
    caption += FormatSeasonYears(startYear, endYear);
    caption += " ";
    caption += m_ctx.Text(kTextSeason);
    caption += " / ";
    caption += m_clubName;
    m_root->SetCaption(caption);
}

void CWhisperScreen::BuildNewsTexts() {
    CGuiElement* text = m_ctx.Find(kText);
    const CMemoryDB* world = m_ctx.Session().worldDB;
    if (!text || !world)
        return;
    text->Clear();
    // A blank line between rumours keeps them apart in the box.
    bool first = true;
    for (const CStr& line : BuildNewsLines(*world, m_ctx.Texts())) {
        text->SetText(first ? line : CStr("\n").Concat(line));
        first = false;
    }
}
