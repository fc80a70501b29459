// A dialog's start tag described by rows, read both ways: the controls' state becomes the tag
// (TagFromRows), and a tag already in the text becomes the state its controls show (RowsFromTag).
// Each dialog names its rows once, in written order; its window code pairs them with control ids.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The control that holds a row's value.
enum class RowInput {
  kText,    // text box: any text
  kCombo,   // editable combo box: its items or any typed text
  kList,    // drop-down list: one of its items, nothing else
  kFixed,   // no control: the value is always `fixed` (the link's REL="NEXT")
};

struct TagRow {
  std::wstring_view name;                       // attribute name, written in upper case
  bool optional;                                // has a check box: written only while ticked
  RowInput input;
  std::span<const std::wstring_view> items{};   // a combo's list, in list order
  bool tickedAtLoad = false;
  std::wstring_view fixed{};
};

struct TagForm {
  std::wstring_view element;                    // empty: chosen in the dialog (card kind)
  std::span<const TagRow> rows;
  std::span<const std::wstring_view> elements{};  // the list of a chosen element
  std::wstring_view afterName{};                // written between name and attributes ("<A " has one)
};

struct RowValue {
  bool ticked = false;
  std::wstring value;
  bool operator==(const RowValue&) const = default;
};

// An attribute of the tag being edited, as the author wrote it (name, "=", quotes and value).
// `row` is the row it belongs to (-1: none); while `held`, that row shows it and it is not
// written again. One the row cannot hold is written back after the dialog's own attributes,
// in the tag's order, unless the author ticks its row and so gives it a new value.
struct KeptAttribute {
  std::wstring text;
  int row = -1;
  bool held = false;
  bool operator==(const KeptAttribute&) const = default;
};

struct TagState {
  std::wstring element;               // used when the form's element is chosen
  std::vector<RowValue> rows;         // one per row of the form
  std::vector<KeptAttribute> kept;
  // A tag already in the text: a row without a check box (written for every new tag) that the
  // tag lacks stays unwritten while it is empty, so that OK without a change gives the tag's
  // own attributes back.
  bool editing = false;
  bool operator==(const TagState&) const = default;
};

// "<" element, afterName, each written row as ` NAME="value"` (values exactly as held, never
// trimmed or escaped), the kept attributes that are not held, ">". Written: a ticked row; a row
// without a check box always, except an empty one that the edited tag did not hold.
std::wstring TagFromRows(const TagForm& form, const TagState& s);

// The state that `tag` describes, over `shown` (the controls as they opened): a row whose
// attribute the tag carries is ticked and takes its value, the first one of that name; a row
// whose attribute it lacks is unticked (a row that is always written is emptied). Attributes
// no row takes are kept, as are those a row cannot hold (a list without the value, a fixed
// value that differs, an attribute without a value). `shown` is returned as it is when `tag`
// is no start tag.
TagState RowsFromTag(const TagForm& form, std::wstring_view tag, TagState shown);

// Row `row` cannot hold what the tag gave it: unticked, and its attribute written back as it
// stood (a row without a check box writes both).
void ReleaseRow(const TagForm& form, TagState& s, size_t row);

// The row of `form` named `name`; form.rows.size() when none is.
size_t RowIndex(const TagForm& form, std::wstring_view name);

// "</name>".
std::wstring EndTagOf(std::wstring_view name);

// List items that several dialogs offer, in list order.
inline constexpr std::wstring_view kTaskItems[] = {L"GO", L"GOSUB", L"PREV", L"RETURN", L"CANCEL", L"CALL", L"NOOP"};
inline constexpr std::wstring_view kTrueFalseItems[] = {L"True", L"False"};
inline constexpr std::wstring_view kSoftKeyItems[] = {L"ACCEPT", L"SOFT1"};
inline constexpr std::wstring_view kPostMethodItems[] = {L"GET", L"POST"};
