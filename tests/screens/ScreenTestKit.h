// A screen context for screen tests: the shipped layout, a career session and a shell that only
// records the overlay flags. Texts come from the game's language file.
#pragma once

#include "career/CareerSession.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "screens/ScreenContext.h"

#include <map>

class CFakeShell : public IShell {
public:
    bool StartWorker(std::function<void()> work) override {
        work();
        return true;
    }
    bool WorkerRunning() const override { return false; }
    void SetWaitText(const CStr&) override {}
    void SetProgressStep(int) override {}
    void SetLoadingProgress(int) override {}
    void SetNewCareerWait(bool) override {}
    void SetThreadRunning(bool) override {}
    void SetBusy(bool) override {}
    void SetOverlayOpen(Overlay overlay, bool open) override { overlays[overlay] = open; }
    void RefreshAllScreens() override {}
    void ApplySoundOptions() override {}
    void RequestQuit() override {}

    std::map<Overlay, bool> overlays;
};

struct ScreenKit {
    ScreenKit() : loader(stack) {
        layoutLoaded = loader.Load(); // the game folder is the working directory
        language.Load("\\guifiles\\lang_en.txt");
        language.LoadAppend("\\guifiles\\lang_data_en.txt");
    }
    CScreenContext MakeContext() {
        return CScreenContext(
            session, stack, shell, [this](int id) { return language.Get(id); },
            [this](ScreenRole role) {
                auto it = screens.find(role);
                return it == screens.end() ? nullptr : it->second;
            });
    }

    CScreenStack stack;
    CGuiLayoutLoader loader;
    bool layoutLoaded = false;
    CTextTable language;
    CCareerSession session;
    CFakeShell shell;
    std::map<ScreenRole, CGameScreen*> screens;
};
