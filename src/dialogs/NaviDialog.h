// What the link and the action dialog share: their controls are read through their row table,
// and their common lists and ticks start alike.
#pragma once
#include "dialogs/TagDialog.h"
#include "dialogs/logic/Attribute.h"
#include "dialogs/logic/NaviTag.h"

namespace NaviDialog {

// The controls of the shared rows.
struct Shared {
  int chkLabel, chkDest, cboTask, cboFriend, cboClear, cboPostMethod;
};

// Design-time states that a template cannot carry (texts are in the template): LABEL and DEST
// ticked, every list filled and at its first item.
inline void LoadDefaults(const TagDialog::Form& form, const Shared& c) {
  for (int id : {c.chkLabel, c.chkDest}) SendMessageW(form.Item(id), BM_SETCHECK, BST_CHECKED, 0);
  const struct { int combo; std::span<const std::wstring_view> items; } lists[] = {
      {c.cboTask, kTaskItems}, {c.cboFriend, kTrueFalseItems}, {c.cboClear, kTrueFalseItems},
      {c.cboPostMethod, kPostMethodItems}};
  for (const auto& list : lists) {
    form.AddItems(list.combo, list.items);
    form.SelectFirst(list.combo);
  }
}

// Each row's tick (a row without a check box counts as ticked) and its input's text.
inline NaviState Read(const TagDialog::Form& form, std::span<const NaviRowDef> rows) {
  NaviState s;
  for (const NaviRowDef& def : rows)
    s.*def.row = {!def.check || form.Ticked(def.check), def.input ? form.InputText(def.input) : std::wstring()};
  return s;
}

}  // namespace NaviDialog
