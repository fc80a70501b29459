// The card dialog: DISPLAY, CHOICE, ENTRY, NODISPLAY or any typed kind, with its end tag.
// Control ids are read by frmCard.rc too, so everything else is hidden from the resource compiler.
#pragma once

#define IDD_CARD_PAGECARD         1350   // SSTab1 page "カード"
#define IDD_CARD_PAGEACCESS       1351   // SSTab1 page "アクセス"
#define IDD_CARD_PAGEVARIABLES    1352   // SSTab1 page "変数"

#define IDC_CARD_SSTAB1           1301
#define IDC_CARD_LBLTITLE0        1310
#define IDC_CARD_CBOCARD          1311
#define IDC_CARD_LBLTITLE1        1312
#define IDC_CARD_TXTNAME          1313
#define IDC_CARD_CHKTITLE         1314
#define IDC_CARD_TXTTITLE         1315
#define IDC_CARD_CHKBOOKMARK      1316
#define IDC_CARD_TXTBOOKMARK      1317
#define IDC_CARD_CHKMETHOD        1318
#define IDC_CARD_CBOMETHOD        1319
#define IDC_CARD_CHKMARKBLE       1320
#define IDC_CARD_CBOMARKBLE       1321
#define IDC_CARD_CHKKEY           1330
#define IDC_CARD_TXTKEY           1331
#define IDC_CARD_CHKDEFAULT       1332
#define IDC_CARD_TXTDEFAULT       1333
#define IDC_CARD_CHKIKEY          1334
#define IDC_CARD_TXTIKEY          1335
#define IDC_CARD_CHKIDEFAULT      1336
#define IDC_CARD_TXTIDEFAULT      1337

#ifndef RC_INVOKED
#include <windows.h>

namespace TagDialog {
struct Existing;
}

namespace frmCard {
// Modal, owned by `owner`; OK leaves the preview and "</kind>" in gStartTag and gEndTag, any
// other way out empties both. Esc does nothing here. True after OK.
bool Show(HWND owner);
// Opens on the card start tag `tag.tag` (caption "... (編集)"); OK leaves the new start tag
// and the end tag of the kind now chosen.
bool Edit(HWND owner, const TagDialog::Existing& tag);
}
#endif
