// A 3D match without a scene for the court players' tests: two rosters, a ball that only keeps its
// state, flat tables, a random source that plays a script before falling back to GameRand(), and
// recorders for the display, the exchanges and the commentary.
#pragma once

#include "engine/GameRand.h"
#include "match/TacticsData.h"
#include "match3d/MatchContext.h"
#include "match3d/MatchTeam.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace match3dtest {

// The raw value that makes Roll20() give d (d < 20), or 32767 for 20.
inline int RawForRoll(int d) {
    return d >= 20 ? kGameRandMax : (d * kGameRandMax + 19) / 20;
}
// The raw value whose percent draw is p (rounded up, so the draw is at least p).
inline int RawForPercent(double p) {
    int raw = static_cast<int>(p / 100.0 * kGameRandMax);
    while (static_cast<double>(raw) / kGameRandMax * 100.0 < p) {
        ++raw;
    }
    return raw;
}
// The raw value whose offset draw in [-a, a] is (about) u.
inline int RawForOffset(float u, float a) {
    return static_cast<int>((u + a) / (2.0f * a) * kGameRandMax + 0.5f);
}

class FakeCommentary : public ICommentarySink {
public:
    void AddLine(const CStr& text, int32_t colour) override { lines.emplace_back(text.GetText(), colour); }
    std::vector<std::pair<std::string, int32_t>> lines;
};

class FakeMatch : public IMatchContext {
public:
    // Two rosters of count players each, ids 100+ at home and 200+ away, the first five on court,
    // every player fresh (stamina 100) and attached to this match.
    explicit FakeMatch(int count = 12) {
        for (int side = 0; side < 2; ++side) {
            for (int i = 0; i < count; ++i) {
                CCourtPlayer p;
                p.playerId = (side == 0 ? 100 : 200) + i;
                p.side = side;
                p.stamina = 100.0f;
                p.staminaMax = 100.0f;
                p.matchState = i < 5 ? kMatchStateOnCourt : kMatchStateOnBench;
                // Spread out far from everybody so nobody is "nearest" by accident.
                p.position = Vec3(-7.0f + 1.5f * static_cast<float>(i), 0.0f, side == 0 ? -1.0f : 1.0f);
                teams[side].AddPlayer(p);
            }
            teams[side].AttachMatch(this);
        }
        teams[0].basketPoint = Vec3(0, 0, 10);  // home defends +z, attacks -z
        teams[1].basketPoint = Vec3(0, 0, -10); // away defends -z, attacks +z
    }

    CCourtPlayer& Home(int place) { return *teams[0].GetPlayer(place); }
    CCourtPlayer& Away(int place) { return *teams[1].GetPlayer(place); }
    // Puts every on-court player of a side far away (x = 7, z spread), out of every contest.
    void ParkSide(int side, float z) {
        for (int i = 0; i < 5; ++i) {
            teams[side].GetPlayer(i)->position = Vec3(7.0f, 0.0f, z + static_cast<float>(i));
        }
    }
    void Script(std::initializer_list<int> values) { script.insert(script.end(), values); }
    void ScriptRolls(std::initializer_list<int> rolls) {
        for (int d : rolls) {
            script.push_back(RawForRoll(d));
        }
    }
    // Every table answers value at the keys given (and 0 elsewhere).
    void SetCurve(MatchCurve which, std::initializer_list<std::pair<float, float>> rows) {
        ModifierCurve& curve = curves[static_cast<int>(which)];
        curve.Clear();
        for (const auto& [x, y] : rows) {
            curve.AddPoint(x, y);
        }
    }

    MatchFlags& Flags() override { return flags; }
    CMatchTeam* Team(int side) override { return side == 0 || side == 1 ? &teams[side] : nullptr; }
    int Rand() override {
        ++draws;
        if (script.empty()) {
            return GameRand();
        }
        const int value = script.front();
        script.pop_front();
        return value;
    }
    const ModifierCurve& Curve(MatchCurve curve) const override { return curves[static_cast<int>(curve)]; }
    bool IsInsideCourt(float x, float, float z) const override {
        return -7.5f < x && x < 7.5f && -14.0f < z && z < 14.0f;
    }
    // 1.88 m behind each basket, as on the real court.
    float EndLinePointZ(bool plusZ) const override { return plusZ ? 11.88f : -11.88f; }
    bool SimulationOn() const override { return simulationOn; }

    Vec3 BallPosition() const override { return ballPosition; }
    Vec3 BallPredictedPosition(double) const override { return ballPredicted; }
    bool BallInHand() const override { return ballInHand; }
    void SetBallInHand(bool inHand) override { ballInHand = inHand; }
    void SetBallSpeed(float speed) override { ballSpeed = speed; }
    void SetBallAim(const Vec3& aim) override { ballAim = aim; }
    void StopBall() override { ballStopped = true; }

    CCourtPlayer* ChoosePassTarget(CCourtPlayer&) override { return passTarget; }
    bool IsDefenderAhead(const CCourtPlayer&) override { return defenderAhead; }
    // Like the match: the incoming player comes on unless he is hurt or fouled out.
    void ExchangePlayers(int outId, int inId, int substitutionSide) override {
        exchanges.push_back({outId, inId, substitutionSide});
        for (CMatchTeam& team : teams) {
            int index = 0;
            CCourtPlayer* incoming = team.FindById(inId, index);
            if (incoming != nullptr && !incoming->injured &&
                incoming->foulsCharged + incoming->foulsBooked <= 5) {
                team.Substitute(outId, inId);
            }
        }
    }
    bool FreeThrowReady() override { return freeThrowReady; }

    double GameClock() const override { return gameClock; }
    double ShotClock() const override { return shotClock; }
    CStr SideName(int side) const override { return side == 0 ? "Home" : "Away"; }
    void ShowEventLine(const CStr& text) override { eventLines.push_back(text.GetText()); }
    void RefreshBoxScores() override { ++boxScoreRefreshes; }
    CStr Text(int textId) const override { return CStr::Formatted("<%d>", textId); }
    ICommentarySink* Commentary() override { return commentaryOn ? &commentary : nullptr; }

    struct Exchange {
        int outId;
        int inId;
        int side;
    };

    CMatchTeam teams[2];
    MatchFlags flags;
    ModifierCurve curves[8];
    std::deque<int> script;
    int draws = 0;
    bool simulationOn = true;
    Vec3 ballPosition;
    Vec3 ballPredicted;
    bool ballInHand = true;
    float ballSpeed = -1.0f;
    Vec3 ballAim{9, 9, 9};
    bool ballStopped = false;
    CCourtPlayer* passTarget = nullptr;
    bool defenderAhead = false;
    bool freeThrowReady = true;
    std::vector<Exchange> exchanges;
    double gameClock = 0.0;
    double shotClock = 0.0;
    std::vector<std::string> eventLines;
    int boxScoreRefreshes = 0;
    bool commentaryOn = true;
    FakeCommentary commentary;
};

} // namespace match3dtest
