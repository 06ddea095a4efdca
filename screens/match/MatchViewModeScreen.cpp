// The match view mode screen.
#include "screens/match/MatchViewModeScreen.h"

#include "career/CareerSession.h"
#include "gui/CheckBox.h"
#include "guidefines.h"

namespace {

constexpr int kBoxes[3] = {ID_VM_3D, ID_VM_2D, ID_VM_RESULT};
constexpr int kLabels[3] = {500019, 500020, 100208};

} // namespace

ViewModeFlags ViewModeAfterClick(int box) {
    ViewModeFlags flags;
    flags.view3D = box == 0 ? 1 : 0;
    flags.resultOnly = box == 2 ? 1 : 0;
    return flags;
}

int ViewModeBox(const ViewModeFlags& flags) {
    if (flags.view3D)
        return 0;
    return flags.resultOnly ? 2 : 1;
}

CMatchViewModeScreen::CMatchViewModeScreen(const CScreenContext& ctx)
    : m_ctx(ctx), root(ctx.Find(ID_VIEWMODE)) {}

void CMatchViewModeScreen::ShowBox(int box) {
    for (int i = 0; i < 3; ++i) {
        CGuiElement* element = m_ctx.Find(kBoxes[i]);
        if (auto* check = dynamic_cast<CGuiCheckBox*>(element)) {
            // The checked byte and the frame go together; the hover byte stays as the mouse left it.
            check->m_checked = i == box ? 1 : 0;
            check->Desc().frameIndex = CGuiCheckBox::FrameFor(i == box, check->IsHovered());
        } else if (element) {
            element->SetChecked(i == box);
        }
    }
}

void CMatchViewModeScreen::Refresh() {
    CCareerSession& session = m_ctx.Session();
    if (root)
        root->SetCaption(m_ctx.Text(500018));
    for (int i = 0; i < 3; ++i)
        if (CGuiElement* box = m_ctx.Find(kBoxes[i]))
            box->SetText(m_ctx.Text(kLabels[i]));
    if (session.view3D)
        session.resultOnly = 0;
    ShowBox(ViewModeBox(ViewModeFlags{session.view3D.load(), session.resultOnly.load()}));
}

void CMatchViewModeScreen::OnMessage(GuiMessage& message) {
    if (message.MSG != kMsgClick)
        return;
    for (int i = 0; i < 3; ++i) {
        if (message.sID != kBoxes[i])
            continue;
        CCareerSession& session = m_ctx.Session();
        // The box toggled itself on the click; ShowBox puts every box back in step with the choice.
        // The options page shows and changes the same setting.
        ViewModeFlags flags = ViewModeAfterClick(i);
        session.SetMatchView(flags.view3D != 0, flags.resultOnly != 0);
        ShowBox(ViewModeBox(flags));
        Consume(message);
        return;
    }
}
