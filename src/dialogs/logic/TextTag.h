// The tags of the text formatting dialog, built from the chosen element name.
#pragma once
#include <string>
#include <string_view>

#include "dialogs/logic/TagRows.h"

// `cboTag`'s items, in list order (not sorted).
inline constexpr std::wstring_view kTextTagNames[] = {L"BR", L"CENTER", L"RIGHT", L"TAB", L"WRAP", L"LINE"};

// No attributes of its own; those of a tag being edited are kept.
inline constexpr TagForm kTextForm{{}, {}, kTextTagNames};

struct TextTags {
  std::wstring startTag;
  std::wstring endTag;   // empty unless the close tag is asked for
};

// "<name>" (with the kept attributes of a tag being edited), and "</name>" when closeTag;
// offered for every name alike, the line break included.
TextTags BuildTextTags(const TagState& s, bool closeTag);
inline TextTags BuildTextTags(std::wstring_view name, bool closeTag) {
  TagState s;
  s.element = name;
  return BuildTextTags(s, closeTag);
}
