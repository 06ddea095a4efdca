// The class-specific operations as seen on an element of another class: nothing but a log line.
#include "gui/Element.h"

#include "engine/Log.h"

void CGuiElement::WrongClass(const char* operation) const {
    QuorelLog("[CGuiElement::%s] element %d is a %s, which has no such operation", operation, m_desc.id,
              GuiElementTypeName(m_desc.type));
}

void CGuiElement::ApplyText(const CStr&, const int*, const uint32_t*) {
    WrongClass("SetText");
}
CStr CGuiElement::GetText() const {
    WrongClass("GetText");
    return CStr();
}
void CGuiElement::SetCaption(const CStr&) {
    WrongClass("SetCaption");
}
void CGuiElement::Clear() {
    WrongClass("Clear");
}
void CGuiElement::SetTextColour(uint32_t) {
    WrongClass("SetTextColour");
}
void CGuiElement::SetColours(uint32_t, uint32_t, uint32_t, uint32_t) {
    WrongClass("SetColours");
}
void CGuiElement::ForceState(int, bool) {
    WrongClass("ForceState");
}
void CGuiElement::SetChecked(bool) {
    WrongClass("SetChecked");
}
bool CGuiElement::IsChecked() const {
    WrongClass("IsChecked");
    return false;
}
void CGuiElement::SetProgress(int, int) {
    WrongClass("SetProgress");
}
int CGuiElement::AddItem(const CStr&, int32_t) {
    WrongClass("AddItem");
    return -1;
}
void CGuiElement::ClearItems() {
    WrongClass("ClearItems");
}
void CGuiElement::SetItem(int, const CStr&, int32_t) {
    WrongClass("SetItem");
}
int32_t CGuiElement::GetItemData(int) const {
    WrongClass("GetItemData");
    return 0;
}
CStr CGuiElement::GetItemText(int) const {
    WrongClass("GetItemText");
    return CStr();
}
int CGuiElement::GetItemCount() const {
    WrongClass("GetItemCount");
    return 0;
}
void CGuiElement::SetItemColour(int, uint32_t) {
    WrongClass("SetItemColour");
}
void CGuiElement::SetItemColumnText(int, int, const CStr&) {
    WrongClass("SetItemColumnText");
}
void CGuiElement::SetColumnCaption(int, const CStr&) {
    WrongClass("SetColumnCaption");
}
void CGuiElement::SortItems(int, int) {
    WrongClass("SortItems");
}
void CGuiElement::UpdateScrollRange() {
    WrongClass("UpdateScrollRange");
}
void CGuiElement::SetTextFormat(int) {
    WrongClass("SetTextFormat");
}
int CGuiElement::GetSelectedIndex() const {
    WrongClass("GetSelectedIndex");
    return -1;
}
void CGuiElement::SetSelection(int) {
    WrongClass("SetSelection");
}
void CGuiElement::SetListRows(int) {
    WrongClass("SetListRows");
}
int CGuiElement::GetHoverRow() const {
    WrongClass("GetHoverRow");
    return -1;
}
void CGuiElement::AddCell(int, const CStr&, int32_t) {
    WrongClass("AddCell");
}
GuiGridCell* CGuiElement::FindCell(int, int) {
    WrongClass("FindCell");
    return nullptr;
}
void CGuiElement::SetCellColour(int, int, uint32_t) {
    WrongClass("SetCellColour");
}
void CGuiElement::SetColumnColour(int, uint32_t) {
    WrongClass("SetColumnColour");
}
void CGuiElement::SetColumnFormat(int, int) {
    WrongClass("SetColumnFormat");
}
void CGuiElement::SetColumnWidth(int, int) {
    WrongClass("SetColumnWidth");
}
void CGuiElement::SetHeaderText(int, const CStr&, int) {
    WrongClass("SetHeaderText");
}
void CGuiElement::SetHeaderFormat(int, int) {
    WrongClass("SetHeaderFormat");
}
void CGuiElement::SetHeaderTooltip(int, const CStr&) {
    WrongClass("SetHeaderTooltip");
}
void CGuiElement::SetHeaderColours(int, uint32_t, uint32_t, uint32_t, uint32_t) {
    WrongClass("SetHeaderColours");
}
void CGuiElement::SetRowCount(int) {
    WrongClass("SetRowCount");
}
int CGuiElement::GetRowCount() const {
    WrongClass("GetRowCount");
    return 0;
}
void CGuiElement::ResetScroll(bool) {
    WrongClass("ResetScroll");
}
void CGuiElement::SetSelectedRow(int, bool) {
    WrongClass("SetSelectedRow");
}
int CGuiElement::GetSelectedRow() const {
    WrongClass("GetSelectedRow");
    return -1;
}
int CGuiElement::ClampSelection() {
    WrongClass("ClampSelection");
    return -1;
}
void CGuiElement::SortRows(int, int, int) {
    WrongClass("SortRows");
}
