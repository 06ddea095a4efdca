// CProbe: drives the real game manager and its screens without a window, the way a player's clicks
// would, and writes what the screens show as text.
#pragma once

#include "ProbeArgs.h"

#include <cstdio>
#include <memory>
#include <string>

class CGameManager;
class CGuiElement;
class CMatch3D;
class CMatch3DHudLink;

class CProbe {
public:
    explicit CProbe(FILE* out);
    ~CProbe();

    // Loads the layout, the options (with the overrides) and the world, and makes the screens. Runs
    // in the current directory, which must be a game folder.
    bool Start(const ProbeArgs& args);
    // Opens a career through the main menu: a new one for the n-th club of the data set's list,
    // or a saved one by manager name or profile id.
    bool NewCareer(int dataSet, int clubIndex);
    bool LoadCareer(const std::string& name);
    bool RunStep(const ProbeStep& step);

    // The sentence that says why the last call failed.
    const std::string& Error() const { return m_error; }

    // How long one step may take before the probe gives up.
    static constexpr int kSettleSeconds = 120;

private:
    bool Fail(const std::string& sentence);
    // Frames until no message waits and no worker runs.
    bool Settle();
    // A number or a name from guidefines.h.
    bool ResolveId(const std::string& token, int& id);
    CGuiElement* FindElement(const std::string& token, int& id);
    // "ID_NAME (123)" or "123", for sentences.
    std::string Describe(int id) const;
    std::string DefineName(int id) const;
    // Why the player could not use the element now (its window closed, hidden, disabled); empty
    // when they could.
    std::string Unreachable(CGuiElement* element);
    // A left click at the element's centre, through the stack's input dispatch.
    bool Click(int id);
    // What a click on a list, combo or grid row posts, after the row is set.
    bool Select(int id, int row);
    bool OpenWindow(int window);
    bool Save(const std::string& name);
    bool SetShopLevel(int level);
    bool ClickAndSettle(int id) { return Click(id) && Settle(); }
    void DumpElement(CGuiElement* element, int depth);
    void DumpLedger();
    bool StartMatchHud();
    bool AdvanceMatchHud(int ms);
    // Frames of the match the match centre shows: its frame step as the application runs it.
    bool RunMatchFrames(int frames);

    FILE* m_out;
    std::unique_ptr<CGameManager> m_gm;
    std::string m_error;
    uint32_t m_clock = 0; // input event times, a little later for each click
    // The scripted match under the in-match display, and the display's clock.
    std::unique_ptr<CMatch3D> m_match3D;
    std::unique_ptr<CMatch3DHudLink> m_hudLink;
    uint32_t m_hudClock = 0;
};
