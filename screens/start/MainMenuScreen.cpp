// The main menu opens the other start screens, each filled as it opens.
#include "screens/start/MainMenuScreen.h"

#include "guidefines.h"
#include "screens/start/NewCareerScreen.h"
#include "screens/start/OptionsScreen.h"
#include "screens/start/ProfilesScreen.h"

void CMainMenuScreen::OnMessage(GuiMessage& m) {
    if (IsClick(m, ID_MM_NEWCAREER)) {
        Consume(m);
        if (auto* screen = m_ctx.ScreenAs<CNewCareerScreen>(ScreenRole::NewCareer))
            screen->FillClubs(screen->chosenDataSet);
        m_ctx.SwitchTo(ID_NEWCAREER);
    } else if (IsClick(m, ID_MM_LOADCAREER)) {
        Consume(m);
        if (auto* screen = m_ctx.ScreenAs<CProfilesScreen>(ScreenRole::Profiles))
            screen->FillCareers();
        m_ctx.SwitchTo(ID_PROFILES);
    } else if (IsClick(m, ID_MM_OPTIONS)) {
        Consume(m);
        if (auto* screen = m_ctx.ScreenAs<COptionsScreen>(ScreenRole::Options))
            screen->Show();
        m_ctx.SwitchTo(ID_OPTIONS);
    } else if (IsClick(m, ID_MM_QUIT)) {
        Consume(m);
        // Nothing of a career is open here to lose; the game still shuts down in order.
        m_ctx.Shell().RequestQuit();
    }
}
