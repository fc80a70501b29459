// The image dialog: the HDML IMG tag, its source typed or picked with the file-open dialog.
// Control ids are read by frmImg.rc too, so everything else is hidden from the resource compiler.
#pragma once

#define IDC_IMG_LABEL1     1501
#define IDC_IMG_TXTSRC     1502
#define IDC_IMG_CMDBROWSE  1503
#define IDC_IMG_CHKALT     1504
#define IDC_IMG_TXTALT     1505
#define IDC_IMG_CHKICON    1506
#define IDC_IMG_TXTICON    1507

#ifndef RC_INVOKED
#include <windows.h>

namespace TagDialog {
struct Existing;
}

namespace frmImg {
// Modal, owned by `owner`; OK leaves the preview and an empty end tag in gStartTag and gEndTag,
// any other way out empties both. True after OK.
bool Show(HWND owner);
// Opens on the IMG tag `tag.tag` (caption "... (編集)"); OK leaves the new tag.
bool Edit(HWND owner, const TagDialog::Existing& tag);
}
#endif
