// CWhisperScreen: the gossip news window, every rumour of the league with its date.
#pragma once

#include "career/Gossip.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>

class CGuiElement;

class CWhisperScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_NEWS;
    static constexpr int kText = ID_NEWS_TEXT;

    explicit CWhisperScreen(const CScreenContext& ctx);

    // The header and the news. Showing the news never moves a rumour on: that is the day step's.
    void Refresh() override;
    void FillHeader();
    void BuildNewsTexts();

    const CStr& ClubName() const { return m_clubName; }
    const CStr& DateText() const { return m_dateText; }
    const std::array<const char*, 2 * kCelebrities>& Names() const { return m_names; }

private:
    const CScreenContext& m_ctx;
    CStr m_clubName;
    CStr m_dateText;
    int m_year = 0;
    CGuiElement* m_root = nullptr;
    std::array<const char*, 2 * kCelebrities> m_names; // "XYACTOR" then "XYMANACTOR"
};
