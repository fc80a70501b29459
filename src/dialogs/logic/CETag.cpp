#include "dialogs/logic/CETag.h"

#include <utility>

#include "dialogs/logic/Attribute.h"

std::wstring BuildCETag(const CEState& s) {
  std::wstring tag = L"<CE";
  AppendAttribute(tag, true, L" TYPE=", s.type);
  AppendAttribute(tag, s.task, L" TASK=", s.taskText);
  AppendAttribute(tag, s.label, L" LABEL=", s.labelText);
  AppendAttribute(tag, s.dest, L" DEST=", s.destText);
  AppendAttribute(tag, s.value, L" VALUE=", s.valueText);
  tag += L'>';
  if (s.moji) tag += s.mojiText;
  return tag;
}

namespace {
bool HasSelection(const CEList& list) {
  return list.selected >= 0 && static_cast<size_t>(list.selected) < list.entries.size();
}

// Swaps the selected entry with the one `step` places away and moves the selection with it.
bool Swap(CEList& list, int step) {
  if (!HasSelection(list)) return false;
  const int other = list.selected + step;
  if (other < 0 || static_cast<size_t>(other) >= list.entries.size()) return false;
  std::swap(list.entries[static_cast<size_t>(list.selected)], list.entries[static_cast<size_t>(other)]);
  list.selected = other;
  return true;
}
}  // namespace

bool AddEntry(CEList& list, std::wstring entry) {
  list.entries.push_back(std::move(entry));
  return true;
}

bool MoveUp(CEList& list) { return Swap(list, -1); }

bool MoveDown(CEList& list) { return Swap(list, +1); }

bool DeleteSelected(CEList& list) {
  if (!HasSelection(list)) return false;
  list.entries.erase(list.entries.begin() + list.selected);
  list.selected = CEList::kNone;
  return true;
}

std::wstring JoinEntries(const std::vector<std::wstring>& entries) {
  std::wstring block;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i) block += L"\r\n";
    block += entries[i];
  }
  return block;
}
