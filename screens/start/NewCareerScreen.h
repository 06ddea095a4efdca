// The new-career screen: the data set, the club list with each club's details, the manager's name.
#pragma once

#include "database/MemoryDB.h"
#include "screens/ScreenContext.h"

#include <memory>

class CNewCareerScreen : public CGameScreen {
public:
    explicit CNewCareerScreen(const CScreenContext& ctx) : m_ctx(ctx) {}
    void OnMessage(GuiMessage& message) override;
    // Fills the club list of the chosen data set.
    void FillClubs(int32_t dataSet);
    // Builds the career chosen on the screen and saves it at once (on the new-career worker).
    // False when it could not be built; saved tells whether the first save went through.
    bool CreateCareer(bool& saved);
    // The start-of-season mails of the open career: the board's goals, the league office's
    // fixtures and, while the club has nobody on its staff, a word on hiring. Touches no window
    // (it runs on the new-career worker); the inbox shows them at the next refresh.
    void SendStartMails();

    int32_t chosenDataSet = 0;
    int32_t chosenClubId = -1;
    CStr chosenName;

private:
    void ShowClubInfo(int32_t clubId);
    void StartCareerWorker();
    CMemoryDB& Preview(int32_t dataSet);

    const CScreenContext& m_ctx;
    std::unique_ptr<CMemoryDB> m_previews[3];
};

// The squad's average rating, as the new-career list shows it.
int SquadRating(const CTeam& team);
