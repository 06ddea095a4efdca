// CScreenHeader: the header strip the career frame, the season frame and the statistics frame
// share: the club's picture, today's date, the mail button that opens the inbox and the players
// button that opens the squad's line-up. Any of the
// three windows may be missing from the layout; its copy is then skipped.
#pragma once

#include "guidefines.h"
#include "screens/ScreenContext.h"

#include <array>

class CGuiElement;

class CScreenHeader {
public:
    static constexpr int kCopies = 3;
    static constexpr std::array<int, kCopies> kWindows = {ID_FRAME, ID_SEASONFRAME, ID_STATISTICS_FRAME};

    explicit CScreenHeader(const CScreenContext& ctx);

    // The club's picture, then today's date, into every bound copy.
    void Refresh();
    // A click on any of the three mail buttons opens the inbox on its selected mail; one on a
    // players button opens the line-up.
    void OnMessage(GuiMessage& m);

    // The copies whose window exists.
    int BoundCopies() const;
    bool IsBound(int copy) const { return copy >= 0 && copy < kCopies && m_copies[copy].root; }

private:
    struct Copy {
        CGuiElement* root = nullptr;
        CGuiElement* picture = nullptr;
        CGuiElement* mailCount = nullptr;
        CGuiElement* letterCount = nullptr;
        CGuiElement* date = nullptr;
    };
    static bool IsMailButton(int id);

    const CScreenContext& m_ctx;
    std::array<Copy, kCopies> m_copies{};
};
