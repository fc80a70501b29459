#include "dialogs/logic/CETag.h"

#include <utility>

std::wstring BuildCETag(const TagState& s, bool moji, std::wstring_view mojiText) {
  std::wstring tag = TagFromRows(kCEForm, s);
  if (moji) tag += mojiText;
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

std::vector<std::wstring> SplitEntries(std::wstring_view block) {
  std::vector<std::wstring> entries;
  while (!block.empty()) {
    const size_t end = block.find(L'\n');
    std::wstring_view line = block.substr(0, end);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    entries.emplace_back(line);
    if (end == std::wstring_view::npos) break;
    block.remove_prefix(end + 1);
  }
  return entries;
}
