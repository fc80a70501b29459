// The action dialog: an HDML ACTION tag, which has no end tag.
#pragma once

#include "frmNaviActionControls.h"

#ifndef RC_INVOKED
#include <windows.h>

namespace frmNaviAction {
// Modal, owned by `owner`; OK leaves the preview in gStartTag and an empty gEndTag, any other
// way out empties both. True after OK.
bool Show(HWND owner);
}
#endif
