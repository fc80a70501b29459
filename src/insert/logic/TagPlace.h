// Where a toolbar click acts, read from the editor's first bytes (cp932): a start tag of the
// button's own at the caret or selected (to open it again), another tag, an end tag or a
// comment holding the caret (new tags go after it, never inside), the choice-entry lines
// selected, or none of these. Callers hold only as much of the document as they have read;
// kMore asks them to read further (`whole`: they hold all of it).
#pragma once
#include <cstddef>
#include <string_view>
#include <span>
#include <string_view>

namespace TagPlace {

// The elements a button opens again, by name (ASCII, compared without regard to case).
using Names = std::span<const std::wstring_view>;

enum class Found {
  kNothing,    // nothing of the kinds below
  kOwnTag,     // a start tag of the button's own: [begin, end) from its "<" to after its ">"
  kOtherTag,   // another start tag, an end tag or a comment around the caret: [begin, end) likewise
  kLines,      // whole lines, each opening with a tag of the button's own: [begin, end), no line break at the end
  kMore,       // the answer lies past the bytes in hand
};

struct Spot {
  Found found = Found::kNothing;
  size_t begin = 0, end = 0;
};

bool IsName(std::string_view bytes, Names names);

// Nothing selected: what holds the caret (after a tag's "<", up to its ">").
Spot AtCaret(std::string_view text, bool whole, size_t caret, Names own);

// A selection [start, end): exactly one start tag of `own`; or, with `lines`, whole lines each
// opening with a start tag of `own`.
Spot OfSelection(std::string_view text, bool whole, size_t start, size_t end, Names own, bool lines);

// The end tag that closes element `name` whose start tag ends at `from`: the next end tag of
// that name at the same depth (start tags of the same name open a level, comments are
// skipped). kOwnTag with its place, kNothing when the text has none.
Spot ClosingTag(std::string_view text, bool whole, size_t from, std::string_view name);

}  // namespace TagPlace
