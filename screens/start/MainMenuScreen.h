// The main menu: new career, saved careers, options and quit.
#pragma once

#include "screens/ScreenContext.h"

class CMainMenuScreen : public CGameScreen {
public:
    explicit CMainMenuScreen(const CScreenContext& ctx) : m_ctx(ctx) {}
    void OnMessage(GuiMessage& message) override;

private:
    const CScreenContext& m_ctx;
};
