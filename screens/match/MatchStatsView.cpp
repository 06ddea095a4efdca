// Live player panels, box scores and the lines both match engines give them.
#include "screens/match/MatchStatsView.h"

#include "gui/Element.h"
#include "gui/GuiTypes.h"
#include "match2d/Match2DTeam.h"
#include "match3d/MatchTeam.h"
#include "screens/FormatFigures.h"

#include <algorithm>
#include <cmath>

using namespace matchstats;

namespace {
constexpr int kTextInjuredMark = 100356;   // " (inj)"
constexpr int kTextFouledOutMark = 100357; // " (disq)"
constexpr int kTextPoints = 200222;        // the box score's caption of a player's points

// A player who may not play on reads as such wherever he is listed.
CStr MarkedName(const MatchStatLine& line, const MatchTextLookup& text) {
    if (!text)
        return line.name;
    if (line.injured)
        return line.name + text(kTextInjuredMark);
    if (line.fouledOut)
        return line.name + text(kTextFouledOutMark);
    return line.name;
}
} // namespace

const char* PositionAbbreviation(int positionId) {
    static constexpr const char* kCodes[] = {"C", "PF", "SF", "PG", "SG", "G", "F"};
    if (positionId < 80063 || positionId > 80069)
        return "--";
    return kCodes[positionId - 80063];
}

MatchStatLine StatLineOf(const CCourtPlayer& p) {
    MatchStatLine line;
    line.name = CStr(p.name);
    line.positionId = p.positionId;
    line.stamina = p.stamina;
    line.morale = p.attributes[0]; // skill slot 2; slot 1 is the stamina
    line.points = p.pointsFromThrees + p.pointsFromTwos + p.pointsFromFreeThrows;
    line.boxPoints = 3 * p.threePointersMade + 2 * p.twoPointersMade + p.freeThrowsMade;
    line.personalFouls = p.personalFouls;
    line.foulsCharged = p.foulsCharged;
    line.foulsBooked = p.foulsBooked;
    line.injured = p.injured != 0;
    line.fouledOut = p.personalFouls > 5 || p.foulsCharged + p.foulsBooked >= 6;
    return line;
}

MatchStatLine StatLineOf(const CMatch2DPlayer& p) {
    MatchStatLine line;
    line.name = p.name;
    line.positionId = p.positionId;
    line.stamina = p.energy;
    line.morale = p.Morale();
    // Field goals made count the two-pointers and dunks.
    line.points =
        2 * p.Counter(kStatFieldGoalsMade) + 3 * p.Counter(kStatThreesMade) + p.Counter(kStatFreeThrowsMade);
    line.boxPoints = line.points;
    line.personalFouls = p.Fouls();
    line.foulsCharged = p.attackFouls;
    line.foulsBooked = p.defenceFouls;
    line.injured = p.mustLeave != 0;
    line.fouledOut = p.Fouls() >= 6;
    return line;
}

std::vector<MatchStatLine> StatLinesOf(const CMatchTeam& team) {
    std::vector<MatchStatLine> lines;
    for (int i = 0; i < team.GetCount(); ++i)
        if (const CCourtPlayer* p = team.GetPlayer(i))
            lines.push_back(StatLineOf(*p));
    return lines;
}

std::vector<MatchStatLine> StatLinesOf(const CMatch2DTeam& team) {
    std::vector<MatchStatLine> lines;
    for (int i = 0; i < team.PlayerCount(); ++i)
        if (const CMatch2DPlayer* p = team.GetPlayer(i))
            lines.push_back(StatLineOf(*p));
    return lines;
}

int RoundHalfAway(float value) {
    return static_cast<int>(std::lround(value));
}

int ShotClockSecondsLeft(double elapsed) {
    constexpr int kShotClock = 24;
    // A NaN or negative time shows a full clock; a possession past its time shows 0.
    if (!(elapsed > 0.0))
        return kShotClock;
    if (elapsed >= kShotClock)
        return 0;
    return kShotClock - static_cast<int>(elapsed);
}

uint32_t StatBandColour(float value) {
    if (value < 10.0f)
        return kRed;
    if (value < 60.0f)
        return kYellow;
    return kGreen;
}

void FillLivePanel(CGuiElement* grid, const MatchStatLine* line, const MatchTextLookup& text) {
    if (grid == nullptr)
        return;
    grid->Clear();
    grid->SetColumnColour(0, kWhite);
    grid->SetRowCount(5);
    if (line == nullptr)
        return;
    auto label = [&text](int id) { return text ? text(id) : CStr(); };
    const CStr rows[5][2] = {
        {MarkedName(*line, text), CStr()},
        {label(70101), StaminaText(line->stamina)},
        {label(70102), CStr::Formatted("%d", line->morale)},
        {label(kTextPoints), CStr::Formatted("%d", line->points)},
        {label(61001), CStr::Formatted("%d", line->personalFouls)},
    };
    for (const auto& row : rows) {
        grid->AddCell(0, row[0], -1);
        grid->AddCell(1, row[1], -1);
    }
}

void FillBoxScore(CGuiElement* starters, CGuiElement* bench, const std::vector<MatchStatLine>& lines,
                  bool headersOnBench, const MatchTextLookup& text) {
    if (starters == nullptr || bench == nullptr)
        return;
    auto label = [&text](int id) { return text ? text(id) : CStr(); };
    // The tables are rebuilt as play runs on: a bench the user scrolled stays where he left it.
    const int benchFirst = bench->ScrollPos();
    starters->Clear();
    bench->Clear();
    static constexpr int kHeaders[6] = {80035, 200085, 200220, 200221, 200222, 200223};
    for (CGuiElement* grid : {starters, bench}) {
        if (grid == starters || headersOnBench)
            for (int c = 0; c < 6; ++c)
                grid->SetHeaderText(c, label(kHeaders[c]), c == 0 ? kFormatLeftMiddle : kFormatCentreMiddle);
        grid->SetColumnFormat(0, kFormatLeftMiddle);
        for (int c = 1; c < 6; ++c)
            grid->SetColumnFormat(c, kFormatCentreMiddle);
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const MatchStatLine& line = lines[i];
        const bool starter = i < 5;
        CGuiElement* grid = starter ? starters : bench;
        const int row = starter ? static_cast<int>(i) : static_cast<int>(i) - 5;
        const int32_t data = static_cast<int32_t>(i);
        // A player who may not play on reads as such, in red.
        grid->AddCell(0, MarkedName(line, text), data);
        if (line.injured || line.fouledOut)
            grid->SetCellColour(0, row, kRed);
        grid->AddCell(1, PositionAbbreviation(line.positionId), data);
        // The stamina reads as the live panel reads it; the band is chosen on the value itself.
        grid->AddCell(2, StaminaText(line.stamina), data);
        grid->SetCellColour(2, row, StatBandColour(line.stamina));
        grid->AddCell(3, CStr::Formatted("%d", line.morale), data);
        grid->SetCellColour(3, row, StatBandColour(static_cast<float>(line.morale)));
        grid->AddCell(4, CStr::Formatted("%d", line.boxPoints), data);
        // The fouls he committed in the match, as both engines count them.
        grid->AddCell(5, CStr::Formatted("%d", line.foulsCharged + line.foulsBooked), data);
    }
    starters->SetRowCount(5);
    starters->ResetScroll(true);
    // A side of fewer than five players has an empty bench, never a negative one.
    bench->SetRowCount(std::max(0, static_cast<int>(lines.size()) - 5));
    bench->ResetScroll(true);
    bench->ScrollTo(benchFirst);
}
