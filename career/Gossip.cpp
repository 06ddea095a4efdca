// The gossip day step, the outcome of a rumour and the news lines.
#include "career/Gossip.h"

#include "career/Calendar.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <algorithm>

namespace {

constexpr int kRumourColumn = 1;
constexpr int kDeniedColumn = 6;     // outcome -2
constexpr int kConfirmedColumn = 11; // outcome -1
constexpr int kMaxDrawnClubs = 5;
constexpr int kStartChancePerMille = 10;
constexpr int kDeniedChancePercent = 51;

// The first word of a template's column for a record's state; 0 when the state has no column.
int ColumnOf(int state) {
    if (state >= 1)
        return kRumourColumn;
    if (state == kWhisperDenied)
        return kDeniedColumn;
    if (state == kWhisperConfirmed)
        return kConfirmedColumn;
    return 0;
}

// Wide, so a damaged opinion or template word cannot wrap on the way into the range.
int Clamp100(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, 0, 100));
}

// A draw scaled to 0..n, n only on the generator's top value.
int ScaledDraw(int n) {
    return static_cast<int>(static_cast<double>(GameRand()) / kGameRandMax * n);
}

const CWhisperTemplate* TemplateOf(const CMemoryDB& world, int index) {
    return world.whispers.templates.At(index);
}

CStr PlayerName(const CMemoryDB& world, const CTeam* team, int32_t playerId) {
    if (playerId < 0)
        return CStr();
    if (team)
        for (const CPlayer* player : team->players)
            if (player->id == playerId)
                return player->name;
    const CPlayer* player = world.FindPlayer(playerId);
    return player ? player->name : CStr();
}

} // namespace

const std::array<const char*, 2 * kCelebrities>& CelebrityNames() {
    static const std::array<const char*, 2 * kCelebrities> kNames = {
        // "XYACTOR"
        "Stella Marlowe", "Vivian Cross", "Lola Fairbanks", "Nina Castellane", "Roxanne Vale", "Celia Moreau",
        "Dakota Brooks", "Amber Lindqvist", "Sienna Hart", "Gloria Delacroix",
        // "XYMANACTOR"
        "Rex Hammond", "Dean Carrington", "Marco Bellini", "Jack Sterling", "Victor Lang", "Toby Winslow",
        "Hugo Ferreira", "Clint Maddox", "Oscar Rainey", "Felix Dunmore"};
    return kNames;
}

int WhisperTextId(const CWhisperTemplate& entry, int state) {
    // A rumour that has resolved (state 0) still reads as the rumour it was.
    int column = state >= 0 ? kRumourColumn : ColumnOf(state);
    return column > 0 ? entry.Word(column) : 0;
}

void ApplyWhisperOutcome(CMemoryDB& world, int teamRow, const CWhisperTemplate& entry, int state) {
    CTeam* team = world.teams.At(teamRow);
    int column = ColumnOf(state);
    if (!team || column == 0)
        return;
    if (CTeamOpinion* opinion = world.opinions.FindByTeam(team->id)) {
        // The reference stays the morning's value: the arrows show the whole day's move.
        for (int k = 0; k < 3; ++k)
            opinion->current[k] = Clamp100(int64_t{opinion->current[k]} + entry.Word(column + 2 + k));
    }
    int change = entry.Word(column + 1);
    for (CPlayer* player : team->players)
        player->words[kWordGossipValue] = Clamp100(player->words[kWordGossipValue] + change);
}

void GossipDailyUpdate(CMemoryDB& world, const GameDate& today) {
    const int teamCount = world.teams.Size();
    const int companyCount = world.sponsorOffers.Size();

    std::vector<int> drawn;
    int k = ScaledDraw(kMaxDrawnClubs);
    // Without clubs there is nobody to gossip about.
    for (int i = 0; i < k && teamCount > 0; ++i)
        drawn.push_back(std::min(ScaledDraw(teamCount), teamCount - 1));

    CTable<CWhisper>& list = world.whispers.whispers;
    if (list.Size() > kWhisperListLimit)
        list.Clear();

    for (int teamRow : drawn) {
        if (GameRand() % 1000 >= kStartChancePerMille)
            continue;
        const CTeam* team = world.teams.At(teamRow);
        auto* whisper = new CWhisper();
        whisper->templateIndex = GameRand() % kWhisperTemplates;
        whisper->state = GameRand() % 3 + 1;
        whisper->teamRow = teamRow;
        const int players = static_cast<int>(team->players.size());
        whisper->playerId = players > 0 ? team->players[static_cast<size_t>(GameRand() % players)]->id : -1;
        whisper->celebrity = GameRand() % kCelebrities;
        whisper->companyRow = companyCount > 0 ? GameRand() % companyCount : -1;
        whisper->year = today.year;
        whisper->month = today.month;
        whisper->day = today.day;
        list.Append(whisper);
        if (const CWhisperTemplate* entry = TemplateOf(world, whisper->templateIndex))
            ApplyWhisperOutcome(world, teamRow, *entry, whisper->state);
    }

    // The records resolved here are appended behind the ones counted, and never counted down.
    const int counted = list.Size();
    for (int i = 0; i < counted; ++i) {
        CWhisper* whisper = list.At(i);
        if (whisper->state <= 0)
            continue;
        // A whisper started today waits its full days from tomorrow on.
        if (whisper->year == today.year && whisper->month == today.month && whisper->day == today.day)
            continue;
        const bool due = whisper->state == 1;
        --whisper->state;
        if (!due)
            continue;
        auto* outcome = new CWhisper(*whisper);
        outcome->state = GameRand() % 100 < kDeniedChancePercent ? kWhisperDenied : kWhisperConfirmed;
        outcome->year = today.year;
        outcome->month = today.month;
        outcome->day = today.day;
        list.Append(outcome);
        if (const CWhisperTemplate* entry = TemplateOf(world, whisper->templateIndex))
            ApplyWhisperOutcome(world, whisper->teamRow, *entry, outcome->state);
    }
}

std::vector<CStr> BuildNewsLines(const CMemoryDB& world, const TextLookup& text) {
    const auto& names = CelebrityNames();
    std::vector<CStr> lines;
    for (const CWhisper* whisper : world.whispers.whispers) {
        const CWhisperTemplate* entry = TemplateOf(world, whisper->templateIndex);
        CStr body = entry ? LookUpText(text, WhisperTextId(*entry, whisper->state)) : CStr();
        const CTeam* team = world.teams.At(whisper->teamRow);
        const CSponsorRecord* company = world.sponsorOffers.At(whisper->companyRow);
        const bool celebrity = whisper->celebrity >= 0 && whisper->celebrity < kCelebrities;
        body.ReplaceAll("XYTEAM", team ? team->name.GetText() : "");
        body.ReplaceAll("XYPLAYER", PlayerName(world, team, whisper->playerId).GetText());
        body.ReplaceAll("COMPA", company ? company->name.GetText() : "");
        body.ReplaceAll("XYMANACTOR",
                        celebrity ? names[static_cast<size_t>(kCelebrities + whisper->celebrity)] : "");
        body.ReplaceAll("XYACTOR", celebrity ? names[static_cast<size_t>(whisper->celebrity)] : "");
        // Rumoured sums are never the same twice.
        body.ReplaceAll("CASH", CStr::Formatted("$ %d,000", GameRand() % 50 + 1).GetText());
        lines.push_back(
            FormatDate(whisper->year, whisper->day, whisper->month, ".").Concat("\n").Concat(body));
    }
    return lines;
}
