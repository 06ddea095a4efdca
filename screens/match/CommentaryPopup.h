// CCommentaryPopup: the small window of remarks about the user's players during a match (a coach
// warning that a player tires or is in foul trouble, a player short of breath). It opens itself at
// the first line, empty of what an earlier opening held, and stays open until the user closes it or
// plays on at full speed (the match centre closes it then), which empties it.
#pragma once

#include "screens/ScreenContext.h"

#include <cstdint>

class CGuiElement;

class CCommentaryPopup : public CGameScreen {
public:
    static constexpr uint32_t kNormal = 0xFFFFFFFFu;
    static constexpr uint32_t kHighlight = 0x0000FFFFu;

    explicit CCommentaryPopup(const CScreenContext& ctx);

    void Refresh() override;
    void OnMessage(GuiMessage& message) override;
    // A line in white, or highlighted when the colour word's low byte is 1.
    void AddLine(CStr text, int32_t colour);
    // Empties the window and closes it, as its Close button does.
    void Close();

private:
    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CGuiElement* m_lines = nullptr;
};
