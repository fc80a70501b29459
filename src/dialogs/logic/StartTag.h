// Reads one start tag back out of text: its name and attributes with their places. Used on the
// editor's cp932 bytes (to find the tag at the caret) and on program text (to fill a dialog);
// every delimiter it looks for is ASCII below 0x40, which no cp932 trail byte is, so bytes can
// be scanned without knowing where characters begin.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

struct TagAttribute {
  size_t begin = 0, end = 0;            // the whole attribute, name to closing quote
  size_t nameBegin = 0, nameEnd = 0;
  size_t valueBegin = 0, valueEnd = 0;  // without quotes; both nameEnd when it has no value
  bool hasValue = false;
};

struct StartTag {
  size_t nameBegin = 1, nameEnd = 1;
  std::vector<TagAttribute> attributes;
  size_t end = 0;                       // one past its ">"
};

// The start tag that opens `text`: "<", a letter, the rest of the name, attributes (values in
// double quotes, single quotes or bare; blanks around "=" allowed) and ">". Nothing when text
// does not open so, when a "<" comes before the ">", or when the tag is cut short: a tag
// without its ">" (or with a quote left open) is no tag. Never reads outside `text`.
// `cutShort` (when given) tells whether it was the end of `text` that stopped it, so that a
// caller holding only part of a document knows that reading further may give a tag.
std::optional<StartTag> ReadStartTag(std::string_view text, bool* cutShort = nullptr);
std::optional<StartTag> ReadStartTag(std::wstring_view text, bool* cutShort = nullptr);

// Element and attribute names are compared without regard to ASCII letter case.
bool SameName(std::string_view a, std::string_view b);
bool SameName(std::wstring_view a, std::wstring_view b);

template <class Char>
std::basic_string_view<Char> Part(std::basic_string_view<Char> text, size_t begin, size_t end) {
  return text.substr(begin, end - begin);
}
