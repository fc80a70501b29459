// Resource identifiers. Each dialog owns a block of 100; its controls are numbered inside it.
#pragma once

#define IDI_TOLVANE            1   // the application icon (16, 32, 48)
#define IDB_TOOLBAR          100   // the toolbar's nine 16 x 16 images, in key order
#define IDR_POPUP            110   // mnuPop
#define IDM_EXIT             111   // mnuExit
#define IDM_CHECK            112   // mnuCheck: opens frmCheck
#define IDM_PREVIEW          113   // mnuPreview: opens frmPreview

#define IDD_TEXT            1100   // frmText        1100..1199
#define IDD_DECK            1200   // frmDeck        1200..1299 (pages 1250..)
#define IDD_CARD            1300   // frmCard        1300..1399 (pages 1350..)
#define IDD_CE              1400   // frmCE          1400..1499
#define IDD_IMG             1500   // frmImg         1500..1599
#define IDD_NAVIA           1600   // frmNaviA       1600..1699
#define IDD_NAVIACTION      1700   // frmNaviAction  1700..1799
#define IDD_CHECK           1800   // frmCheck       1800..1899
#define IDD_PREVIEW         1900   // frmPreview     1900..1999

// Shared by every dialog.
#define IDC_TXTED           1000
#define IDC_CMDOK           IDOK
#define IDC_CMDCANCEL       IDCANCEL   // Esc presses it
#define IDC_CMDCANCEL_NOESC 1001       // cmdCancel of a dialog whose Esc does nothing (frmCard)
