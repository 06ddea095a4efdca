// The options screen: music, effects, the match views, the simulations and the volumes.
#pragma once

#include "screens/ScreenContext.h"

class COptionsScreen : public CGameScreen {
public:
    explicit COptionsScreen(const CScreenContext& ctx);
    void OnMessage(GuiMessage& message) override;
    // Puts the saved options on the controls.
    void Show();

private:
    const CScreenContext& m_ctx;
};
