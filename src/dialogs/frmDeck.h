// The deck dialog: the HDML start tag and its two-way seconds converter.
// Control ids are read by frmDeck.rc too, so everything else is hidden from the resource compiler.
#pragma once

#define IDD_DECK_PAGEDECK         1250   // SSTab1 page "デッキ"
#define IDD_DECK_PAGEACCESS       1251   // SSTab1 page "アクセス"

#define IDC_DECK_SSTAB1           1201
#define IDC_DECK_CHKVERSION       1210
#define IDC_DECK_CBOVERSION       1211
#define IDC_DECK_CHKTTL           1212
#define IDC_DECK_TXTTTL           1213
#define IDC_DECK_FRASECCALC       1214
#define IDC_DECK_TXTSECCALC0      1220   // txtSecCalc(0..3): days, hours, minutes, seconds
#define IDC_DECK_LBLSECCALC0      1224   // lblSecCalc(0..3)
#define IDC_DECK_CHKMARKBLE       1230
#define IDC_DECK_CBOMARKBLE       1231
#define IDC_DECK_CHKACCESSDOMAIN  1232
#define IDC_DECK_TXTACCESSDOMAIN  1233
#define IDC_DECK_CHKACCESSPATH    1234
#define IDC_DECK_TXTACCESSPATH    1235

#ifndef RC_INVOKED
#include <windows.h>

namespace TagDialog {
struct Existing;
}

namespace frmDeck {
// Modal, owned by `owner`; OK leaves the preview and "</HDML>" in gStartTag and gEndTag,
// any other way out empties both. True after OK.
bool Show(HWND owner);
// Opens on the HDML start tag `tag.tag` (caption "... (編集)"); OK leaves the new start tag.
bool Edit(HWND owner, const TagDialog::Existing& tag);
}
#endif
