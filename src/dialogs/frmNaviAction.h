// The action dialog: an HDML ACTION tag, which has no end tag.
#pragma once

#define IDD_NAVIACTION_PAGENAVI          1750   // SSTab1 page "ナビゲーション"
#define IDD_NAVIACTION_PAGEVARS          1751   // SSTab1 page "変数"
#define IDD_NAVIACTION_PAGEDATA          1752   // SSTab1 page "データ"
#define IDD_NAVIACTION_PAGEIMAGE         1753   // SSTab1 page "画像"

#define IDC_NAVIACTION_SSTAB1            1701
#define IDC_NAVIACTION_LABEL1            1702   // its access key T moves the focus to cboType
#define IDC_NAVIACTION_CBOTYPE           1703
#define IDC_NAVIACTION_LABEL2            1704
#define IDC_NAVIACTION_CBOTASK           1705
#define IDC_NAVIACTION_CHKLABEL          1710
#define IDC_NAVIACTION_TXTLABEL          1711
#define IDC_NAVIACTION_CHKRELNEXT        1712
#define IDC_NAVIACTION_CHKDEST           1713
#define IDC_NAVIACTION_TXTDEST           1714
#define IDC_NAVIACTION_CHKNEXT           1715
#define IDC_NAVIACTION_TXTNEXT           1716
#define IDC_NAVIACTION_CHKCANCEL         1717
#define IDC_NAVIACTION_TXTCANCEL         1718
#define IDC_NAVIACTION_CHKFRIEND         1719
#define IDC_NAVIACTION_CBOFRIEND         1720
#define IDC_NAVIACTION_CHKNUMBER         1721
#define IDC_NAVIACTION_TXTNUMBER         1722
#define IDC_NAVIACTION_CHKVARS           1730
#define IDC_NAVIACTION_TXTVARS           1731
#define IDC_NAVIACTION_CHKRECEIVE        1732
#define IDC_NAVIACTION_TXTRECEIVE        1733
#define IDC_NAVIACTION_CHKCLEAR          1734
#define IDC_NAVIACTION_CBOCLEAR          1735
#define IDC_NAVIACTION_CHKRETVALS        1736
#define IDC_NAVIACTION_TXTRETVALS        1737
#define IDC_NAVIACTION_CHKSENDREFERER    1740
#define IDC_NAVIACTION_TXTSENDREFERER    1741
#define IDC_NAVIACTION_CHKPOSTMETHOD     1742
#define IDC_NAVIACTION_CBOPOSTMETHOD     1743
#define IDC_NAVIACTION_CHKPOSTDATA       1744
#define IDC_NAVIACTION_TXTPOSTDATA       1745
#define IDC_NAVIACTION_CHKACCEPTCHARSET  1746
#define IDC_NAVIACTION_TXTACCEPTCHARSET  1747
#define IDC_NAVIACTION_CHKSRC            1760
#define IDC_NAVIACTION_TXTSRC            1761
#define IDC_NAVIACTION_CHKICON           1762
#define IDC_NAVIACTION_TXTICON           1763

#ifndef RC_INVOKED
#include <windows.h>

#include <span>

namespace TagDialog {
struct Existing;
struct RowControls;
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
#endif
