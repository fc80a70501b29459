// The text formatting dialog: BR, CENTER, RIGHT, TAB, WRAP or LINE, with or without its end tag.
// Control ids are read by frmText.rc too, so everything else is hidden from the resource compiler.
#pragma once

#define IDC_TEXT_LBLTITLE      1101
#define IDC_TEXT_CBOTAG        1102
#define IDC_TEXT_CHKCLOSETAG   1103

#ifndef RC_INVOKED
#include <windows.h>

namespace TagDialog {
struct Existing;
}

namespace frmText {
// Modal, owned by `owner`; OK leaves "<name>" and, with the close tag ticked, "</name>" in
// gStartTag and gEndTag; any other way out empties both. True after OK.
bool Show(HWND owner);
// Opens on the formatting start tag `tag.tag`, the close-tag box showing tag.hasEndTag and not
// offered (caption "... (編集)"); OK leaves the new start tag and no end tag.
bool Edit(HWND owner, const TagDialog::Existing& tag);
}
#endif
