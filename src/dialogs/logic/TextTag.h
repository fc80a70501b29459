// The tags of the text formatting dialog, built from the chosen element name.
#pragma once
#include <string>
#include <string_view>

// `cboTag`'s items, in list order (not sorted).
inline constexpr std::wstring_view kTextTagNames[] = {L"BR", L"CENTER", L"RIGHT", L"TAB", L"WRAP", L"LINE"};

struct TextTags {
  std::wstring startTag;
  std::wstring endTag;   // empty unless the close tag is asked for
};

// "<name>", and "</name>" when closeTag; offered for every name alike, the line break included.
TextTags BuildTextTags(std::wstring_view name, bool closeTag);
