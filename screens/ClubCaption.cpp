#include "screens/ClubCaption.h"

#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/Records.h"
#include "screens/ScreenContext.h"

CStr ClubCaptionLine(const CScreenContext& ctx, int titleText, const CStr& club, const CStr& date) {
    const CCareerSession& session = ctx.Session();
    CStr title = ctx.Text(titleText);
    if (const CLeague* league = session.UserLeague())
        title = title + " / " + ctx.Text(league->nameTextId);
    int startYear = SeasonSpan::kDefaultStartYear;
    int endYear = SeasonSpan::kDefaultEndYear;
    if (session.fixtureList) {
        startYear = session.fixtureList->Season().startYear;
        endYear = session.fixtureList->Season().endYear;
    }
    return title + " / " + club + " / " + date + CStr::Formatted(" / %d-%d ", startYear, endYear) +
           ctx.Text(80030);
}
