// Field orders of every data file: one Serialize per record, used for reading and writing alike.
#include "database/Records.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A fixed run of words or texts, in order.
template <size_t N> void Ints(CArchive& ar, int32_t (&values)[N]) {
    for (int32_t& value : values)
        ar.Int(value);
}

template <size_t N> void Strs(CArchive& ar, CStr (&values)[N]) {
    for (CStr& value : values)
        ar.Str(value);
}

// A date in the order most files keep it.
void YearMonthDay(CArchive& ar, int32_t& year, int32_t& month, int32_t& day) {
    ar.Int(year);
    ar.Int(month);
    ar.Int(day);
}

// What a promotion of the catalogue and a booked one both carry after their first word.
template <typename Promotion> void PromotionTerms(CArchive& ar, Promotion& promotion) {
    ar.Int(promotion.nameTextId);
    ar.Int(promotion.cost);
    ar.Int(promotion.attendanceBoost);
    ar.Int(promotion.opinionDelta1);
    ar.Int(promotion.opinionDelta2);
    ar.Int(promotion.fourthValue);
}

} // namespace

bool IsGameDate(int32_t year, int32_t month, int32_t day) {
    if (year < kFirstGameYear || year > kLastGameYear || month < 1 || month > 12 || day < 1)
        return false;
    static const int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int32_t last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

void CLeague::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(nameTextId);
    ar.Int(type);
    ar.Int(classNumber);
    ar.Int(promotionLeague);
    ar.Int(relegationLeague);
}

void CTeam::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(leagueId);
    ar.Int(reserved3);
    ar.Str(name);
    ar.Int(leagueKind);
    ar.Int(countryTextId);
    ar.Str(shortName);
    ar.Str(logo);
    ar.Int(cash);
    ar.Int(totalBorrowed);
    ar.Int(money11);
    ar.Int(money12);
    ar.Int(attendance);
    ar.Int(fanBase);
    ar.Str(stadiumKey);
    ar.Int(homeKit);
    ar.Int(awayKit);
    ar.Int(standing1);
    ar.Int(standing2);
}

CStr ClubCrestPath(const CTeam* team) {
    if (!team || team->logo.IsEmpty())
        return CStr();
    return CStr("\\").Concat(team->logo);
}

CTeam CTeam::CopyFields() const {
    CTeam copy(*this);
    copy.matchStats.clear();
    copy.players.clear();
    copy.staff.clear();
    copy.stadium = nullptr;
    return copy;
}

void CPlayer::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(birthDay);
    ar.Int(birthMonth);
    ar.Int(birthYear);
    ar.Str(name);
    ar.Int(teamId);
    ar.Int(reserved7);
    ar.Int(reserved8);
    ar.Int(originTextId);
    ar.Str(note);
    Ints(ar, words);
    ar.Int(contractMonths);
    ar.Str(picture);
    ar.Int(contractYear);
    ar.Int(contractMonth);
    ar.Int(contractDay);
    ar.Double(overall);
    ar.Int(skin);
    ar.Int(bodyTexture);
    ar.Int(headTexture);
    ar.Int(shoeTexture);
}

CPlayer CPlayer::CopyFields() const {
    CPlayer copy(*this);
    copy.stats.clear();
    return copy;
}

double CPlayer::ComputeOverall(CPlayer* player, bool store) {
    if (!player)
        return 0.0;
    // An integer sum divided once: adding fifteen fifteenths can land just under a whole mean,
    // and callers truncate the result.
    int64_t sum = 0;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (s != 13)
            sum += player->SkillValue(s);
    }
    double overall = static_cast<double>(sum) / 15.0;
    if (store)
        player->overall = overall;
    return overall;
}

void CStaffRecord::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(clubId);
    ar.Str(name);
    ar.Str(text1);
    ar.Str(text2);
    ar.Int(category);
    ar.Int(specialityTextId);
    ar.Int(specialityPercent);
    ar.Int(wage);
    ar.Int(skill);
    ar.Int(originTextId);
    ar.Str(picture);
    Ints(ar, extra);
}

void CStadiumRecord::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(teamId);
    ar.Int(level);
    ar.Int(capacity);
    ar.Str(name);
    ar.Int(upkeep);
    ar.Str(picture);
}

CStadiumRecord CStadiumRecord::CopyFields() const {
    CStadiumRecord copy(*this);
    copy.wings.clear();
    return copy;
}

void CStadiumWingRecord::Serialize(CArchive& ar) {
    ar.Int(partId);
    ar.Int(stadiumId);
    ar.Int(stageCost);
    ar.Int(stageDays);
    ar.Int(status);
    ar.Int(monthlyCost);
    ar.Int(daysDone);
    ar.Int(price);
    ar.Int(reserved9);
    ar.Int(seats);
    ar.Int(level);
    Ints(ar, reserved);
}

void CMatchStat::Serialize(CArchive& ar) {
    Ints(ar, fields);
}

void CPlayerStat::Serialize(CArchive& ar) {
    Ints(ar, fields);
}

void CFinanceEntry::Serialize(CArchive& ar) {
    YearMonthDay(ar, year, month, day);
    ar.Int(kind);
    Ints(ar, values);
    ar.Str(text);
}

void CLeagueStanding::Serialize(CArchive& ar) {
    ar.Int(homeTeam);
    ar.Int(awayTeam);
    YearMonthDay(ar, year, month, day);
    ar.Int(homeScore);
    ar.Int(awayScore);
    ar.Int(leagueId);
}

void CEmail::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(countWord);
    ar.Int(templateRow);
    ar.Int(type);
    ar.Str(senderText);
    ar.Str(senderName);
    ar.Int(textId1);
    ar.Int(textId2);
    ar.Int(year);
    ar.Int(day);
    ar.Int(month);
    ar.Int(unread);
    Strs(ar, placeholders);
}

void CEmailTemplate::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(countWord);
    ar.Int(textId1);
    ar.Int(textId2);
    ar.Int(subjectTextId);
    ar.Int(bodyTextId);
}

void CWhisper::Serialize(CArchive& ar) {
    ar.Int(templateIndex);
    ar.Int(state);
    ar.Int(teamRow);
    ar.Int(playerId);
    ar.Int(celebrity);
    ar.Int(companyRow);
    YearMonthDay(ar, year, month, day);
}

void CWhisperTemplate::Serialize(CArchive& ar) {
    Ints(ar, words);
}

void CTeamOpinion::Serialize(CArchive& ar) {
    ar.Int(teamId);
    Ints(ar, current);
    Ints(ar, previous);
}

void CPromotion::Serialize(CArchive& ar) {
    ar.Int(id);
    PromotionTerms(ar, *this);
}

void CMyPromotion::Serialize(CArchive& ar) {
    ar.Int(catalogueRow);
    PromotionTerms(ar, *this);
    YearMonthDay(ar, year, month, day);
}

void CLament::Serialize(CArchive& ar) {
    ar.Int(playerId);
    YearMonthDay(ar, year, month, day);
    ar.Int(subject);
    ar.Int(status);
    ar.Int(object);
}

void CSponsorRecord::Serialize(CArchive& ar) {
    ar.Int(kind);
    ar.Int(requirement);
    ar.Int(year);
    ar.Int(month);
    ar.Int(months);
    ar.Int(amount);
    ar.Str(name);
}

void CFunShopItem::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(nameTextId);
    ar.Int(thirdWord);
    ar.Int(buyPrice);
    ar.Int(deliveryDays);
    ar.Int(salePrice);
}

void CStorageItem::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(itemIndex);
    ar.Int(quantity);
    ar.Str(kind);
    ar.Int(days);
    ar.Int(sold);
    YearMonthDay(ar, year, month, day);
}

void CTrainingType::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(textId);
    ar.Str(name);
    ar.Int(firstDelta);
    ar.Int(secondDelta);
}

void CTrainingModifier::Serialize(CArchive& ar) {
    ar.Int(id);
    ar.Int(textId);
    ar.Str(name);
    ar.Int(value);
}

void CStadiumUpgradeRecord::Serialize(CArchive& ar) {
    Strs(ar, elements);
    ar.Int(leagueKind);
    ar.Int(leagueClass);
    ar.Int(stageLimit);
}

void CMyStadiumUpgrade::Serialize(CArchive& ar) {
    ar.Int(partId);
    ar.Int(daysNeeded);
    ar.Int(daysDone);
    ar.Int(level);
    // Cost and seats are worked out again when needed; a reloaded construction starts them at 0.
    if (ar.IsReading()) {
        cost = 0;
        seats = 0;
    }
}

void CCertificate::Serialize(CArchive& ar) {
    ar.Str(playerName);
    ar.Str(fromTeam);
    ar.Str(toTeam);
    ar.Int(amount);
    ar.Int(rating);
    ar.Int(contractMonths);
    ar.Int(cardValue);
    ar.Int(day);
    ar.Int(month);
    ar.Int(year);
}

void CLoan::Serialize(CArchive& ar) {
    ar.Int(day);
    ar.Int(month);
    ar.Int(year);
    ar.Int(amount);
    ar.Int(instalment);
    ar.Int(months);
    ar.Int(paid);
}

void CCampBooking::Serialize(CArchive& ar) {
    ar.Int(year);
    ar.Int(week);
    ar.Int(option);
    ar.Int(cost);
    ar.Int(day);
    ar.Int(month);
}

void CTrainingDay::Serialize(CArchive& ar) {
    YearMonthDay(ar, year, month, day);
    Ints(ar, exercise);
    Ints(ar, modifier);
}

void CTrainingPlanFor::Serialize(CArchive& ar) {
    YearMonthDay(ar, year, month, day);
    ar.Int(kind);
    ar.Int(playerId);
}

void CTrainingEntry::Serialize(CArchive& ar) {
    YearMonthDay(ar, year, month, day);
    ar.Int(playerId);
    ar.Int(freshness);
    ar.Int(energy);
}

void CTrainedValues::Serialize(CArchive& ar) {
    ar.Int(playerId);
    Ints(ar, values);
}

void CCareerSteps::Serialize(CArchive& ar) {
    ar.Int(staffSelection);
    ar.Int(reportYear);
    ar.Int(reportMonth);
    ar.Int(loansDayKey);
    ar.Int(costsDayKey);
    ar.Int(gateDayKey);
    ar.Int(scoutCountdown);
    ar.Int(offerDay);
    ar.Int(offerMonth);
    ar.Int(offerYear);
    ar.Int(offerSponsor);
    ar.Int(offerVariant);
}

// Texts may not break the line format: the separator and line ends become blanks.
static CStr LineSafe(const CStr& text) {
    CStr safe = text;
    safe.ReplaceChar('|', ' ');
    safe.ReplaceChar('\r', ' ');
    safe.ReplaceChar('\n', ' ');
    return safe;
}

CStr CProfile::ToLine() const {
    // Joined whole, not through a fixed format buffer: a long name must not cut the line's numbers.
    std::string line = std::to_string(id) + "|" + LineSafe(folder).Std();
    for (int32_t value : {clubId, year, month, managerNumber, roleTextId, day})
        line += "|" + std::to_string(value);
    line += "|" + LineSafe(managerName).Std();
    for (int32_t value : {modeTextId, dataSet, cupStage, progress, seasonStartYear, seasonEndYear,
                          seasonStartMonth, seasonStartDay})
        line += "|" + std::to_string(value);
    return CStr(line);
}

static bool ParseInt(const CStr& text, int32_t& value) {
    const char* begin = text.GetText();
    if (*begin == '\0')
        return false;
    char* end = nullptr;
    long parsed = std::strtol(begin, &end, 10);
    if (*end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool CProfile::FromLine(const CStr& line) {
    // A NUL byte would cut the line when it is written again, and a folder name cannot hold one:
    // such a line is damaged and kept as it is.
    if (line.Std().find('\0') != std::string::npos)
        return false;
    CStr trimmed = line;
    trimmed.Trim("\r\n");
    std::vector<CStr> parts = trimmed.Split('|');
    if (parts.size() < static_cast<size_t>(kProfileFields))
        return false;
    CProfile read;
    int32_t* ints[] = {&read.id,
                       &read.clubId,
                       &read.year,
                       &read.month,
                       &read.managerNumber,
                       &read.roleTextId,
                       &read.day,
                       &read.modeTextId,
                       &read.dataSet,
                       &read.cupStage,
                       &read.progress,
                       &read.seasonStartYear,
                       &read.seasonEndYear,
                       &read.seasonStartMonth,
                       &read.seasonStartDay};
    const int intFields[] = {0, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16};
    for (int i = 0; i < 15; ++i) {
        if (!ParseInt(parts[intFields[i]], *ints[i]))
            return false;
    }
    read.folder = parts[1];
    read.managerName = parts[8];
    *this = read;
    return true;
}
