// frmCheck: the "HDML チェック" window. Not modal: it stays open beside the editor, owned by
// TeraPad's main window so that it keeps in front of it, and lists what the checker found in the
// editor's text; a row taken (double-click or Enter) selects its bytes in the editor.
#pragma once
#include <windows.h>

#define IDC_CHECK_LSTPROBLEMS 1801
#define IDC_CHECK_CMDRECHECK 1802
#define IDC_CHECK_LBLPROBLEMS 1803

#ifndef RC_INVOKED
#include "bridge/clsKeshTeraPad.h"

namespace frmCheck {
// Opens the window over TeraPad and checks; when it is open already, brings it forward and
// checks again. `teraPad` outlives the window (it lives as long as the program).
void Show(clsKeshTeraPad& teraPad);
// For the message loop: the window's keyboard interface (Tab, Enter, Esc, access keys).
bool PreTranslate(MSG& msg);
}  // namespace frmCheck
#endif
