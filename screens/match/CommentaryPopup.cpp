// The commentary popup.
#include "screens/match/CommentaryPopup.h"

#include "gui/Element.h"
#include "guidefines.h"

CCommentaryPopup::CCommentaryPopup(const CScreenContext& ctx) : m_ctx(ctx), m_root(ctx.Find(ID_COMMENTARY)) {
    m_lines = m_root ? m_root->FindChild(ID_COMMENTARY_LIST) : nullptr;
    Refresh();
}

void CCommentaryPopup::Refresh() {
    if (m_root == nullptr)
        return;
    m_root->SetCaption(m_ctx.Text(600000));
    if (CGuiElement* close = m_root->FindChild(ID_COMMENTARY_CLOSE))
        close->SetText(m_ctx.Text(100156));
}

void CCommentaryPopup::AddLine(CStr text, int32_t colour) {
    // A remark's first line names the staff member who makes it: a club without one has no name
    // to show, and a blank row only pushed the remark down.
    if (m_lines == nullptr || text.IsEmpty())
        return;
    // A window that opens shows this match's remarks only: one left open when the last match ended
    // (its flag cleared with the match's windows) kept its lines, which came back with the next
    // remark as if made again, about players who may sit on the bench now.
    if (!m_ctx.Shell().IsOverlayOpen(Overlay::Commentary))
        m_lines->ClearItems();
    const int row = m_lines->AddItem(text, 0);
    m_lines->SetItemColour(row, (colour & 0xFF) == 1 ? kHighlight : kNormal);
    m_lines->UpdateScrollRange();
    m_lines->ScrollTo(m_lines->ScrollMax());
    // One popup: later lines join the open one.
    if (!m_ctx.Shell().IsOverlayOpen(Overlay::Commentary)) {
        m_ctx.Shell().SetOverlayOpen(Overlay::Commentary, true);
        m_ctx.Post(ID_COMMENTARY_CLOSE, ID_COMMENTARY, kMsgOpenOnTop, ID_COMMENTARY_CLOSE, 0);
    }
}

void CCommentaryPopup::Close() {
    if (m_lines)
        m_lines->ClearItems();
    if (m_ctx.Shell().IsOverlayOpen(Overlay::Commentary))
        m_ctx.Post(ID_COMMENTARY_CLOSE, ID_COMMENTARY, kMsgClose, ID_COMMENTARY_CLOSE, 0);
    m_ctx.Shell().SetOverlayOpen(Overlay::Commentary, false);
}

void CCommentaryPopup::OnMessage(GuiMessage& message) {
    // Not consumed: the layout's action closes the window.
    if (!IsClick(message, ID_COMMENTARY_CLOSE))
        return;
    if (m_lines)
        m_lines->ClearItems();
    m_ctx.Shell().SetOverlayOpen(Overlay::Commentary, false);
}
