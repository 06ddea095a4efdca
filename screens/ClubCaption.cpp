#include "screens/ClubCaption.h"

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/FixtureList.h"
#include "database/Records.h"
#include "screens/ScreenContext.h"

namespace {
constexpr int kTextSeason = 80030;
} // namespace

CStr JoinCaption(std::initializer_list<CStr> parts) {
    CStr line;
    for (const CStr& part : parts) {
        if (part.IsEmpty())
            continue;
        line = line.IsEmpty() ? part : line + " / " + part;
    }
    return line;
}

CStr CaptionSeason(int startYear, int endYear, const CStr& seasonWord) {
    return FormatSeasonYears(startYear, endYear) + " " + seasonWord;
}

CStr ClubCaptionLeague(const CScreenContext& ctx) {
    const CLeague* league = ctx.Session().UserLeague();
    return league ? ctx.Text(league->nameTextId) : CStr();
}

CStr ClubCaptionSeason(const CScreenContext& ctx) {
    const CCareerSession& session = ctx.Session();
    int startYear = SeasonSpan::kDefaultStartYear;
    int endYear = SeasonSpan::kDefaultEndYear;
    if (session.fixtureList) {
        startYear = session.fixtureList->Season().startYear;
        endYear = session.fixtureList->Season().endYear;
    }
    return CaptionSeason(startYear, endYear, ctx.Text(kTextSeason));
}

CStr ClubCaptionLine(const CScreenContext& ctx, int titleText, const CStr& club, const CStr& date) {
    return JoinCaption({ctx.Text(titleText), ClubCaptionLeague(ctx), club, date, ClubCaptionSeason(ctx)});
}
