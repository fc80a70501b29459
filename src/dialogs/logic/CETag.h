// The choice entries of frmCE: one entry built from the dialog's inputs, the list of added
// entries with its selection, and the block of lines that OK hands over.
#pragma once
#include <string>
#include <vector>

#include "dialogs/logic/TagRows.h"

inline constexpr TagRow kCERows[] = {
    {L"TYPE", false, RowInput::kCombo, kSoftKeyItems},
    {L"TASK", true, RowInput::kCombo, kTaskItems},
    {L"LABEL", true, RowInput::kText},
    {L"DEST", true, RowInput::kText, {}, true},
    {L"VALUE", true, RowInput::kText},
};

inline constexpr TagForm kCEForm{L"CE", kCERows};

// One entry: the tag, then (chkMoji ticked) the text the choice shows, after ">" as it is.
std::wstring BuildCETag(const TagState& s, bool moji, std::wstring_view mojiText);

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

// The lines of a block, CR LF or LF between them: the inverse of JoinEntries.
std::vector<std::wstring> SplitEntries(std::wstring_view block);
