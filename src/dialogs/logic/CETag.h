// The choice entries of frmCE: one entry built from the dialog's inputs, the list of added
// entries with its selection, and the block of lines that OK hands over.
#pragma once
#include <string>
#include <vector>

struct CEState {
  std::wstring type;        // cboType: TYPE is always written
  bool task = false;        // chkTask
  std::wstring taskText;    // cboTask
  bool label = false;       // chkLabel
  std::wstring labelText;
  bool dest = true;         // chkDest
  std::wstring destText;
  bool value = false;       // chkValue
  std::wstring valueText;   // txtVALUE
  bool moji = true;         // chkMoji
  std::wstring mojiText;    // the text the choice shows, written after ">" as it is
};

// "<CE TYPE=..." then the ticked attributes in their fixed order, ">", then the shown text.
std::wstring BuildCETag(const CEState& s);

// lstSnData: the entries in output order and the selected one (kNone when none is).
struct CEList {
  static constexpr int kNone = -1;
  std::vector<std::wstring> entries;
  int selected = kNone;
};

// Each returns true when the list changed. Add appends and keeps the selection; Up and Down
// swap the selected entry with its neighbour and the selection moves with it; Delete removes
// the selected entry and leaves nothing selected. With nothing selected (or a selection
// outside the list) all three leave the list as it is.
bool AddEntry(CEList& list, std::wstring entry);
bool MoveUp(CEList& list);
bool MoveDown(CEList& list);
bool DeleteSelected(CEList& list);

// The entries in list order with CR LF between two of them and none after the last; an
// empty list gives an empty text, so nothing is inserted.
std::wstring JoinEntries(const std::vector<std::wstring>& entries);
