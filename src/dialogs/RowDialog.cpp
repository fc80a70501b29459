#include "dialogs/RowDialog.h"

#include <commctrl.h>

namespace TagDialog {

void RowForm::Form_Load() {
  Prepare();
  LoadRows(true);
  if (Editing()) LoadTag(Editing()->tag);
  Reset();
}

void RowForm::Command(int id, int code) {
  if (IsChange(id, code)) Reset();
}

void RowForm::cmdOK_Click() {
  Reset();
  HandOver(Text(IDC_TXTED), EndTag());
}

void RowForm::LoadRows(bool pickFirst) const {
  const auto fill = [&](int id, std::span<const std::wstring_view> items) {
    if (!id || items.empty()) return;
    AddItems(id, items);
    if (pickFirst) SelectFirst(id);
  };
  fill(m_element, m_form.elements);
  for (size_t i = 0; i < m_form.rows.size() && i < m_controls.size(); ++i) {
    const TagRow& row = m_form.rows[i];
    if (row.tickedAtLoad && m_controls[i].check)
      SendMessageW(Item(m_controls[i].check), BM_SETCHECK, BST_CHECKED, 0);
    fill(m_controls[i].input, row.items);
  }
}

TagState RowForm::ReadRows() const {
  TagState s;
  if (m_element) s.element = ComboText(m_element);
  for (const RowControls& c : m_controls)
    s.rows.push_back({!c.check || Ticked(c.check), c.input ? InputText(c.input) : std::wstring()});
  s.kept = m_kept;
  s.editing = Editing() != nullptr;
  return s;
}

void RowForm::ShowInput(int id, std::wstring_view value) const {
  const HWND ctl = Item(id);
  wchar_t cls[32] = {};
  GetClassNameW(ctl, cls, 32);
  if (lstrcmpiW(cls, WC_COMBOBOXW) == 0) {
    // The list's own item when it has one (compared without regard to case); an editable
    // combo then shows the text exactly as given.
    const std::wstring text(value);
    const LRESULT index = SendMessageW(ctl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index != CB_ERR) SendMessageW(ctl, CB_SETCURSEL, index, 0);
    if ((GetWindowLongW(ctl, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) return;
  }
  SetText(id, value);
}

void RowForm::ShowRows(const TagState& s) const {
  if (m_element) ShowInput(m_element, s.element);
  for (size_t i = 0; i < s.rows.size() && i < m_controls.size(); ++i) {
    const RowControls& c = m_controls[i];
    if (c.check) SendMessageW(Item(c.check), BM_SETCHECK, s.rows[i].ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (c.input) ShowInput(c.input, s.rows[i].value);
  }
}

void RowForm::LoadTag(std::wstring_view tag) {
  TagState s = RowsFromTag(m_form, tag, ReadRows());
  m_kept = s.kept;
  ShowRows(s);
  const TagState shown = ReadRows();
  bool released = false;
  for (size_t i = 0; i < s.rows.size() && i < shown.rows.size(); ++i) {
    if (shown.rows[i] == s.rows[i]) continue;
    ReleaseRow(m_form, s, i);
    released = true;
  }
  if (!released) return;
  m_kept = s.kept;
  for (size_t i = 0; i < s.rows.size() && i < m_controls.size(); ++i)
    if (m_controls[i].check && !s.rows[i].ticked) SendMessageW(Item(m_controls[i].check), BM_SETCHECK, BST_UNCHECKED, 0);
}

}  // namespace TagDialog
