// A dialog's state written by attribute name: the rows named are set (names the form lacks are
// passed over), a row with a check box that is not named is unticked and empty, a row without
// one is always ticked.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "dialogs/logic/TagRows.h"

struct Named {
  std::wstring_view name;
  bool ticked;
  std::wstring value;
};

inline TagState State(const TagForm& form, std::initializer_list<Named> rows, std::wstring element = {}) {
  TagState s;
  s.element = std::move(element);
  for (const TagRow& row : form.rows) s.rows.push_back({!row.optional, {}});
  for (const Named& n : rows)
    if (const size_t i = RowIndex(form, n.name); i < s.rows.size()) s.rows[i] = {n.ticked || !form.rows[i].optional, n.value};
  return s;
}

// Every row with a check box ticked (true) or unticked, values as they are.
inline TagState TickAll(const TagForm& form, TagState s, bool ticked) {
  for (size_t i = 0; i < form.rows.size(); ++i)
    if (form.rows[i].optional) s.rows[i].ticked = ticked;
  return s;
}
