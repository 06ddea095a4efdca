// The saved-careers screen: the careers list, load, and delete with a confirmation.
#pragma once

#include "screens/ScreenContext.h"

#include <cstdint>

class CProfilesScreen : public CGameScreen {
public:
    explicit CProfilesScreen(const CScreenContext& ctx) : m_ctx(ctx) {}
    void OnMessage(GuiMessage& message) override;
    void FillCareers();

private:
    int32_t SelectedProfileId() const;

    const CScreenContext& m_ctx;
    int32_t m_pendingDelete = -1;
};
