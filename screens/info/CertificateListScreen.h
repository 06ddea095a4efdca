// CCertificateListScreen: every signing and release of the club, one row each, in the order they
// were made. It only shows; the transfer screen refills its grid after each move.
#pragma once

#include "engine/Str.h"
#include "guidefines.h"
#include "screens/ScreenContext.h"

class CGuiElement;

class CCertificateListScreen : public CGameScreen {
public:
    static constexpr int kWindow = ID_CERTIFICATES;

    explicit CCertificateListScreen(const CScreenContext& ctx);

    void Refresh() override;
    void FillHeader();
    // Works before any refresh too: the grid needs only the career's certificates.
    void FillGrid();

    const CStr& ClubName() const { return m_clubName; }
    const CStr& DateText() const { return m_dateText; }

private:
    const CScreenContext& m_ctx;
    CGuiElement* m_root = nullptr;
    CStr m_clubName;
    CStr m_dateText;
};
