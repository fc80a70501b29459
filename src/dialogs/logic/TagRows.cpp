#include "dialogs/logic/TagRows.h"

#include <algorithm>

#include "dialogs/logic/StartTag.h"

namespace {
bool Held(const TagState& s, size_t row) {
  return std::any_of(s.kept.begin(), s.kept.end(), [&](const KeptAttribute& k) { return k.held && k.row == static_cast<int>(row); });
}
}  // namespace

std::wstring TagFromRows(const TagForm& form, const TagState& s) {
  std::wstring tag = L"<";
  tag += form.element.empty() ? std::wstring_view(s.element) : form.element;
  tag += form.afterName;
  for (size_t i = 0; i < form.rows.size() && i < s.rows.size(); ++i) {
    const TagRow& row = form.rows[i];
    if (row.optional ? !s.rows[i].ticked : s.editing && s.rows[i].value.empty() && !Held(s, i)) continue;
    tag.append(L" ").append(row.name).append(L"=\"");
    tag += row.input == RowInput::kFixed ? row.fixed : std::wstring_view(s.rows[i].value);
    tag += L'"';
  }
  for (const KeptAttribute& k : s.kept) {
    const size_t r = static_cast<size_t>(k.row);
    const bool rowTakesIt = k.row >= 0 && r < s.rows.size() && r < form.rows.size() &&
                            (k.held || (form.rows[r].optional && s.rows[r].ticked));
    if (!rowTakesIt) tag.append(L" ").append(k.text);
  }
  return tag + L'>';
}

size_t RowIndex(const TagForm& form, std::wstring_view name) {
  for (size_t i = 0; i < form.rows.size(); ++i)
    if (SameName(form.rows[i].name, name)) return i;
  return form.rows.size();
}

namespace {
bool Holds(const TagRow& row, std::wstring_view value) {
  switch (row.input) {
    case RowInput::kList: return std::find(row.items.begin(), row.items.end(), value) != row.items.end();
    case RowInput::kFixed: return value == row.fixed;
    default: return true;
  }
}
}  // namespace

TagState RowsFromTag(const TagForm& form, std::wstring_view tag, TagState shown) {
  const auto read = ReadStartTag(tag);
  if (!read) return shown;
  TagState s = std::move(shown);
  s.editing = true;
  s.rows.resize(form.rows.size());
  s.kept.clear();
  if (form.element.empty()) s.element = Part(tag, read->nameBegin, read->nameEnd);
  for (size_t i = 0; i < form.rows.size(); ++i) {
    // A row without a check box is always written: it counts as ticked.
    s.rows[i].ticked = !form.rows[i].optional;
    if (!form.rows[i].optional) s.rows[i].value.clear();
  }
  std::vector<bool> taken(form.rows.size());
  for (const TagAttribute& a : read->attributes) {
    KeptAttribute k{std::wstring(Part(tag, a.begin, a.end))};
    const size_t i = RowIndex(form, Part(tag, a.nameBegin, a.nameEnd));
    if (i < form.rows.size() && !taken[i]) {
      taken[i] = true;
      k.row = static_cast<int>(i);
      const std::wstring_view value = Part(tag, a.valueBegin, a.valueEnd);
      if (a.hasValue && Holds(form.rows[i], value)) {
        k.held = true;
        // A fixed value is the row's own, not something its state holds.
        s.rows[i] = {true, form.rows[i].input == RowInput::kFixed ? std::wstring() : std::wstring(value)};
      }
    }
    s.kept.push_back(std::move(k));
  }
  return s;
}

void ReleaseRow(const TagForm& form, TagState& s, size_t row) {
  if (row >= s.rows.size() || row >= form.rows.size()) return;
  if (form.rows[row].optional) s.rows[row].ticked = false;
  for (KeptAttribute& k : s.kept)
    if (k.row == static_cast<int>(row)) k.held = false;
}

std::wstring EndTagOf(std::wstring_view name) { return L"</" + std::wstring(name) + L">"; }
