// The running game as the day controller sees it, without windows: the runner's host of the
// career tests plus the frame, whose calls are counted.
#pragma once

#include "career/DayTestWorld.h"
#include "screens/info/DayController.h"

#include <map>

namespace daytest {

class FakeDayShell : public FakeDayHost, public IDayFrame {
public:
    using FakeDayHost::FakeDayHost;

    struct Posted {
        int source, target, kind, p1, p2;
    };
    void Post(int source, int target, int kind, int p1, int p2) override {
        std::lock_guard<std::mutex> lock(postMutex);
        posts.push_back({source, target, kind, p1, p2});
    }
    bool WasPosted(int target, int kind) const {
        std::lock_guard<std::mutex> lock(postMutex);
        for (const Posted& p : posts)
            if (p.target == target && p.kind == kind)
                return true;
        return false;
    }
    void CentreWindow(int, int) override {}
    void EnableElement(int id, bool enabled) override { enabledElements[id] = enabled; }
    void SetElementText(int id, const CStr& text, int format) override {
        (void)format;
        texts.emplace_back(id, text);
    }
    void ShowMessage(const CStr& text) override { messages.push_back(text); }
    CStr TextOf(int id) const {
        CStr found;
        for (const auto& entry : texts)
            if (entry.first == id)
                found = entry.second;
        return found;
    }
    bool HasWindow(int window) const override {
        if (window == ID_RESULTS)
            return resultsWindow;
        if (window == ID_CLUBOVERVIEW)
            return clubWindow;
        return window != ID_STADIUM || stadiumWindow;
    }
    void RefreshDayPanel() override {
        ++panelRefreshes;
        if (panel)
            panel->Refresh();
    }
    void ClearDayPanel() override {
        if (clearPanel)
            clearPanel();
    }

    bool StartWorker(std::function<void()>) override { return false; }
    void SetThreadRunning(bool on) override { threadRunning = on; }
    void SetDayWait(bool on) override { dayWait = on; }
    void ShowUserMatch(const UserMatchSetup&) override { matchMode = 1; }
    void SetMatchRunning(bool on) override { matchRunning = on; }
    void RefreshAllScreens() override { ++refreshes; }
    void RefreshSeasonScreens() override { ++seasonRefreshes; }
    void RefreshIndicators() override { ++indicatorRefreshes; }
    bool CanStartNewSeason() const override { return nextSeason; }
    bool SaveBeforeLeaving() override {
        ++saves;
        return saveWorks;
    }
    void DeleteCareerDb() override {
        session.careerDB = nullptr;
        career.reset();
    }
    bool StartNewSeason() override { return true; }
    void BuildCupStage(int stage) override { builtStages.push_back(stage); }

    // A screen-layer test hangs the real panel here.
    CGameScreen* panel = nullptr;
    std::function<void()> clearPanel;
    int panelRefreshes = 0;
    std::atomic<uint8_t>& matchMode = session.matchMode;
    std::atomic<bool> threadRunning{false}, matchRunning{false}, dayWait{false};
    int refreshes = 0;
    int seasonRefreshes = 0;
    int indicatorRefreshes = 0;
    std::vector<std::pair<int, CStr>> texts;
    std::vector<CStr> messages;
    bool resultsWindow = true, stadiumWindow = true, nextSeason = true, saveWorks = true, clubWindow = true;
    int saves = 0;
    std::vector<int> builtStages;
    std::map<int, bool> enabledElements;

    mutable std::mutex postMutex;
    std::vector<Posted> posts;
};

} // namespace daytest
