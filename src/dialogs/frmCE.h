// The choice entry dialog: CE entries composed one by one into a list, handed over as lines.
// Control ids are read by frmCE.rc too, so everything else is hidden from the resource compiler.
#pragma once

#define IDC_CE_LSTSNDATA        1410
#define IDC_CE_CMDUP            1411
#define IDC_CE_CMDDOWN          1412
#define IDC_CE_CMDITEMDELETE    1413
#define IDC_CE_FRACOMMON        1420   // "共通"
#define IDC_CE_LABEL1           1421
#define IDC_CE_CBOTYPE          1422
#define IDC_CE_CHKTASK          1423
#define IDC_CE_CBOTASK          1424
#define IDC_CE_CHKLABEL         1425
#define IDC_CE_TXTLABEL         1426
#define IDC_CE_FRAENTRY         1430   // "選択肢ごとの内容"
#define IDC_CE_CHKDEST          1431
#define IDC_CE_TXTDEST          1432
#define IDC_CE_CHKVALUE         1433
#define IDC_CE_TXTVALUE         1434
#define IDC_CE_CHKMOJI          1435
#define IDC_CE_TXTMOJI          1436
#define IDC_CE_CMDADD           1437   // the default button: Enter adds the entry

#ifndef RC_INVOKED
#include <windows.h>

namespace TagDialog {
struct Existing;
}

namespace frmCE {
// Modal, owned by `owner`; OK leaves the added entries, one per line (CR LF between), and an
// empty end tag in gStartTag and gEndTag, any other way out empties both. True after OK.
bool Show(HWND owner);
// Opens with the list holding the lines of `tag.tag` (caption "... (編集)"); OK leaves the
// list's lines as for Show.
bool Edit(HWND owner, const TagDialog::Existing& tag);
}
#endif
