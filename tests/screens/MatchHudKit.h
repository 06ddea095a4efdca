// A scripted match, a hand-driven clock and a recording crowd for the in-match display's tests.
#pragma once

#include "match3d/MatchTeam.h"
#include "screens/match/MatchHud.h"

#include <string>
#include <vector>

namespace screentest {

class ScriptedMatch : public IHudMatch {
public:
    ScriptedMatch() {
        for (int i = 0; i < 12; ++i) {
            CCourtPlayer p;
            p.playerId = 100 + i;
            p.matchState = i < 5 ? 300000 : 300001;
            home.AddPlayer(p);
            p.playerId = 200 + i;
            away.AddPlayer(p);
        }
        home.isUserTeam = 1;
    }
    void SetPaused(bool p) override { paused = p; }
    void SetFast(bool f) override { fast = f; }
    bool PositioningWait() const override { return positioningWait; }
    bool InboundRunning() const override { return inbound; }
    int MatchQuarter() const override { return quarter; }
    void JumpBall() override { ++jumpBalls; }
    void BeginQuarterBreak() override { ++breaks; }
    void FinalWhistle() override { ++finalWhistles; }
    int CameraCount() const override { return cameras; }
    void SetCamera(int index) override { cameraCalls.push_back(index); }
    CMatchTeam* HomeTeam() const override { return const_cast<CMatchTeam*>(&home); }
    CMatchTeam* AwayTeam() const override { return const_cast<CMatchTeam*>(&away); }
    int HomeScore() const override { return homeScore; }
    int AwayScore() const override { return awayScore; }

    CMatchTeam home;
    CMatchTeam away;
    bool paused = false;
    bool fast = false;
    bool positioningWait = false;
    bool inbound = false;
    int quarter = 1;
    int jumpBalls = 0;
    int breaks = 0;
    int finalWhistles = 0;
    int cameras = 3;
    std::vector<int> cameraCalls;
    int homeScore = 0;
    int awayScore = 0;
};

class RecordingCrowd : public IHudSound {
public:
    void Play(const char* tag) override { played.emplace_back(tag); }
    void Stop(const char* tag) override { stopped.emplace_back(tag); }
    int Count(const std::string& tag) const {
        int n = 0;
        for (const std::string& t : played)
            n += t == tag ? 1 : 0;
        return n;
    }
    std::vector<std::string> played;
    std::vector<std::string> stopped;
};

} // namespace screentest
