// The start tags of the link (A) and the action (ACTION), built from what frmNaviA's and
// frmNaviAction's controls hold. The two dialogs share their attribute rows; each writes them
// in its own order.
#pragma once
#include <string>

// One attribute row: its check box and the text that its input control shows.
struct NaviRow {
  bool ticked = false;
  std::wstring value;
};

struct NaviState {
  std::wstring type;   // cboType: the action's soft key, always written (no A has it)
  NaviRow task;        // chkTask (the link's only; the action always writes TASK), cboTask
  NaviRow relNext;     // chkRelNext: its value is always "NEXT", whatever value holds
  NaviRow label;       // chkLabel, txtLabel
  NaviRow dest;        // chkDest, txtDest
  NaviRow vars;        // chkVars, txtVars
  NaviRow next;        // chkNext, txtNext
  NaviRow receive;     // chkRECEIVE, txtRECEIVE
  NaviRow cancel;      // chkCancel, txtCancel
  NaviRow clear;       // chkClear, cboClear
  NaviRow sendReferer; // chkSendReferer, txtSendReferer
  NaviRow friendly;    // chkFriend, cboFriend
  NaviRow retvals;     // chkRetvals, txtRetvals
  NaviRow postMethod;  // chkPostMethod, cboPostMethod
  NaviRow postData;    // chkPostData, txtPostData
  NaviRow number;      // chkNumber, txtNumber
  NaviRow acceptCharset;  // chkACCEPTCHARSET, txtACCEPTCHARSET
  NaviRow icon;        // chkIcon, txtIcon: the action's only
  NaviRow src;         // chkSrc, txtSrc: the action's only
};

// "<A " (so the first attribute follows two blanks), the ticked rows from TASK to
// ACCEPTCHARSET with LABEL before DEST, ">". type, icon and src play no part.
std::wstring BuildNaviATag(const NaviState& s);

// "<ACTION" with TYPE and TASK always, the ticked rows from REL to SRC with DEST before LABEL
// and ICON before SRC, ">". task.ticked plays no part.
std::wstring BuildNaviActionTag(const NaviState& s);

inline constexpr wchar_t kNaviAEndTag[] = L"</A>";
inline constexpr wchar_t kNaviActionEndTag[] = L"";   // ACTION has no end tag
