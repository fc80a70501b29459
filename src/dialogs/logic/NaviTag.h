// The start tags of the link (A) and the action (ACTION), built from what frmNaviA's and
// frmNaviAction's controls hold. Each dialog is described by one row table, in the order its
// tag writes the rows: the dialog reads its controls through it, the builder writes through it.
#pragma once
#include <span>
#include <string>
#include <string_view>

// One attribute row: its check box and the text that its input control shows.
struct NaviRow {
  bool ticked = false;
  std::wstring value;
};

struct NaviState {
  NaviRow type;        // cboType: the action's soft key (no A has it)
  NaviRow task;        // chkTask (the link's only), cboTask
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

// A row of a dialog's table: its controls, where its state is kept, the attribute it writes.
struct NaviRowDef {
  int check;                  // its check box; 0: none, the row is always written
  int input;                  // its value control; 0: none, the value is fixedValue
  NaviRow NaviState::*row;
  std::wstring_view literal;  // " NAME="
  const wchar_t* fixedValue = nullptr;   // replaces what the row holds (REL's "NEXT")
};

// frmNaviA: TASK to ACCEPTCHARSET, LABEL before DEST.
std::span<const NaviRowDef> NaviARows();
// frmNaviAction: TYPE and TASK (no check box: always written), then REL to SRC, DEST before
// LABEL and ICON before SRC.
std::span<const NaviRowDef> NaviActionRows();

// "<A " (so the first attribute follows two blanks), the ticked rows of NaviARows, ">".
std::wstring BuildNaviATag(const NaviState& s);
// "<ACTION", the ticked rows of NaviActionRows, ">".
std::wstring BuildNaviActionTag(const NaviState& s);

inline constexpr wchar_t kNaviAEndTag[] = L"</A>";
inline constexpr wchar_t kNaviActionEndTag[] = L"";   // ACTION has no end tag
