// The link dialog: the start tag of an HDML A around the selection, and "</A>".
#pragma once

#define IDD_NAVIA_PAGENAVI           1650   // SSTab1 page "ナビゲーション"
#define IDD_NAVIA_PAGEVARS           1651   // SSTab1 page "変数"
#define IDD_NAVIA_PAGEDATA           1652   // SSTab1 page "データ"

#define IDC_NAVIA_SSTAB1             1601
#define IDC_NAVIA_CHKTASK            1610
#define IDC_NAVIA_CBOTASK            1611
#define IDC_NAVIA_CHKRELNEXT         1612
#define IDC_NAVIA_CHKLABEL           1613
#define IDC_NAVIA_TXTLABEL           1614
#define IDC_NAVIA_CHKDEST            1615
#define IDC_NAVIA_TXTDEST            1616
#define IDC_NAVIA_CHKNEXT            1617
#define IDC_NAVIA_TXTNEXT            1618
#define IDC_NAVIA_CHKCANCEL          1619
#define IDC_NAVIA_TXTCANCEL          1620
#define IDC_NAVIA_CHKFRIEND          1621
#define IDC_NAVIA_CBOFRIEND          1622
#define IDC_NAVIA_CHKNUMBER          1623
#define IDC_NAVIA_TXTNUMBER          1624
#define IDC_NAVIA_CHKVARS            1630
#define IDC_NAVIA_TXTVARS            1631
#define IDC_NAVIA_CHKRECEIVE         1632
#define IDC_NAVIA_TXTRECEIVE         1633
#define IDC_NAVIA_CHKCLEAR           1634
#define IDC_NAVIA_CBOCLEAR           1635
#define IDC_NAVIA_CHKRETVALS         1636
#define IDC_NAVIA_TXTRETVALS         1637
#define IDC_NAVIA_CHKSENDREFERER     1640
#define IDC_NAVIA_TXTSENDREFERER     1641
#define IDC_NAVIA_CHKPOSTMETHOD      1642
#define IDC_NAVIA_CBOPOSTMETHOD      1643
#define IDC_NAVIA_CHKPOSTDATA        1644
#define IDC_NAVIA_TXTPOSTDATA        1645
#define IDC_NAVIA_CHKACCEPTCHARSET   1646
#define IDC_NAVIA_TXTACCEPTCHARSET   1647

#ifndef RC_INVOKED
#include "dialogs/frmNavi.h"
#endif
