// The link dialog: the start tag of an HDML A around the selection, and "</A>".
#pragma once

#include "frmNaviAControls.h"

#ifndef RC_INVOKED
#include <windows.h>

namespace frmNaviA {
// Modal, owned by `owner`; OK leaves the preview and "</A>" in gStartTag and gEndTag, any
// other way out empties both. True after OK.
bool Show(HWND owner);
}
#endif
