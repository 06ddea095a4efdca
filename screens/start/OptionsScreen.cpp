// The options screen: shows the session's options and saves them to "\guifiles\Options.ini".
#include "screens/start/OptionsScreen.h"

#include "career/CareerSession.h"
#include "gui/Element.h"
#include "gui/ScreenStack.h"
#include "guidefines.h"

namespace {

constexpr int kTextVolume = 100333;
constexpr int kTextNotWritten = 100334;

} // namespace

COptionsScreen::COptionsScreen(const CScreenContext& ctx) : m_ctx(ctx) {
    // Escape leaves the options as "Back" does: nothing unsaved is kept.
    m_ctx.Stack().SetEscapeButton(ID_OPTIONS, ID_OP_BACK);
}

void COptionsScreen::Show() {
    const GameOptions& o = m_ctx.Session().options;
    auto check = [&](int id, bool on) {
        if (CGuiElement* box = m_ctx.Find(id))
            box->SetChecked(on);
    };
    check(ID_OP_MUSIC, o.enableMusic);
    check(ID_OP_EFFECTS, o.enableEffect);
    // The match view boxes show the mode in force, which the view mode screen may have changed.
    const CCareerSession& session = m_ctx.Session();
    check(ID_OP_3D, session.view3D != 0);
    check(ID_OP_FAST, session.resultOnly != 0);
    check(ID_OP_VIDEOCUBE, o.enableVideoCube);
    check(ID_OP_LEAGUESIM, o.enableLeagueSimulation);
    check(ID_OP_COUNTRYSIM, o.enableCountrySimulation);
    for (int id : {ID_OP_MUSICVOL, ID_OP_EFFECTVOL}) {
        CGuiElement* combo = m_ctx.Find(id);
        if (!combo)
            continue;
        combo->ClearItems();
        const CStr volumeText = m_ctx.Text(kTextVolume);
        for (int v = 0; v <= 100; v += 10)
            combo->AddItem(CStr::Formatted("%s %d%%", volumeText.GetText(), v), v);
        int volume = id == ID_OP_MUSICVOL ? o.musicVolume : o.effectVolume;
        combo->SetSelection((volume + 5) / 10);
    }
}

void COptionsScreen::OnMessage(GuiMessage& m) {
    if (IsClick(m, ID_OP_SAVE)) {
        Consume(m);
        CCareerSession& session = m_ctx.Session();
        GameOptions& o = session.options;
        auto checked = [&](int id, bool fallback) {
            CGuiElement* box = m_ctx.Find(id);
            return box ? box->IsChecked() : fallback;
        };
        auto volume = [&](int id, int fallback) {
            CGuiElement* combo = m_ctx.Find(id);
            return combo && combo->GetSelectedIndex() >= 0 ? combo->GetItemData(combo->GetSelectedIndex())
                                                           : fallback;
        };
        o.enableMusic = checked(ID_OP_MUSIC, o.enableMusic);
        o.enableEffect = checked(ID_OP_EFFECTS, o.enableEffect);
        o.enable3DSimulation = checked(ID_OP_3D, o.enable3DSimulation);
        o.enableFastSimulation = checked(ID_OP_FAST, o.enableFastSimulation);
        o.enableVideoCube = checked(ID_OP_VIDEOCUBE, o.enableVideoCube);
        o.enableLeagueSimulation = checked(ID_OP_LEAGUESIM, o.enableLeagueSimulation);
        o.enableCountrySimulation = checked(ID_OP_COUNTRYSIM, o.enableCountrySimulation);
        o.musicVolume = volume(ID_OP_MUSICVOL, o.musicVolume);
        o.effectVolume = volume(ID_OP_EFFECTVOL, o.effectVolume);
        session.view3D = o.enable3DSimulation ? 1 : 0;
        session.resultOnly = o.enableFastSimulation ? 1 : 0;
        m_ctx.Shell().ApplySoundOptions();
        if (!SaveOptions(o))
            m_ctx.ShowMessage(m_ctx.Text(kTextNotWritten));
        else
            m_ctx.SwitchTo(ID_MAINMENU);
    } else if (IsClick(m, ID_OP_BACK)) {
        Consume(m);
        m_ctx.SwitchTo(ID_MAINMENU);
    }
}
