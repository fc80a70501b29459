// The docked toolbar's buttons and the command behind them: a click on a button opens its tag
// dialog and inserts its tags.
#pragma once
#include <windows.h>
#include <span>
#include <string_view>

#include "dialogs/TagDialog.h"
#include "insert/mdlHDML.h"

// One position of the toolbar. The docking (frmMain) builds the toolbar from these rows and the
// dispatch below looks keys up in them: a button is said once, here.
struct ToolbarButton {
  const wchar_t* key;          // also the tool tip; nullptr for a separator
  std::wstring_view image;     // key of its image in imlToolbarIcons
  bool shownAtLoad;
  bool (*Show)(HWND owner);    // its dialog, shown modally; nullptr: a click does nothing
  // Its dialog opened on a tag already in the text, and which tags those are.
  bool (*Edit)(HWND owner, const TagDialog::Existing& tag) = nullptr;
  ReadBack readBack{};
};

// Positions 1 to 10, in toolbar order.
std::span<const ToolbarButton> ToolbarButtons();

// key: the clicked button's key; owner: the hidden main window that owns every tag dialog;
// editor: TeraPad's editor, through the bridge.
// Keys are compared exactly; an unknown key (or "テンプレート", which has no dialog) does nothing.
// With the caret in a start tag of the button's own, or such a tag (or choice-entry lines)
// selected, the dialog opens on it and OK rewrites it in place.
void Toolbar1_ButtonClick(std::wstring_view key, HWND owner, EditorAccess& editor);
