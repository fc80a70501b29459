// frmText: the text formatting dialog (BR, CENTER, RIGHT, TAB, WRAP, LINE).
#pragma once
#include <windows.h>

namespace frmText {
// Modal, owned by owner; sets gStartTag and gEndTag on OK, empties both otherwise.
bool Show(HWND owner);
}
