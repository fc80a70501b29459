// The link (frmNaviA) and the action (frmNaviAction) dialog: one form, two row tables
// (dialogs/frmNavi.cpp). Their control ids are in frmNaviA.h and frmNaviAction.h.
#pragma once
#include <windows.h>

#include <span>

namespace TagDialog {
struct Existing;
struct RowControls;
}

namespace frmNaviA {
// Modal, owned by `owner`; OK leaves the preview and "</A>" in gStartTag and gEndTag, any
// other way out empties both. True after OK.
bool Show(HWND owner);
// Opens on the A start tag `tag.tag` (caption "... (編集)"); OK leaves the new start tag.
bool Edit(HWND owner, const TagDialog::Existing& tag);
// Each row's controls, in the order of its row table.
std::span<const TagDialog::RowControls> Controls();
}

namespace frmNaviAction {
// Modal, owned by `owner`; OK leaves the preview in gStartTag and an empty gEndTag, any other
// way out empties both. True after OK.
bool Show(HWND owner);
// Opens on the ACTION tag `tag.tag` (caption "... (編集)"); OK leaves the new tag.
bool Edit(HWND owner, const TagDialog::Existing& tag);
// Each row's controls, in the order of its row table.
std::span<const TagDialog::RowControls> Controls();
}
