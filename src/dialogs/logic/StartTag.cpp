#include "dialogs/logic/StartTag.h"

namespace {

template <class Char>
bool IsBlank(Char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

template <class Char>
bool IsLetter(Char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A name runs to a blank, "=", ">", "<" or a quote; the tag's own name also stops at "/" (<BR/>).
template <class Char>
bool EndsName(Char c, bool elementName) {
  return IsBlank(c) || c == '=' || c == '>' || c == '<' || c == '"' || c == '\'' || (elementName && c == '/');
}

template <class Char>
std::optional<StartTag> Read(std::basic_string_view<Char> t, bool& cutShort) {
  const size_t n = t.size();
  cutShort = n == 0 || (n == 1 && t[0] == '<') || (n == 2 && t[0] == '<' && IsLetter(t[1]));
  if (n < 3 || t[0] != '<' || !IsLetter(t[1])) return std::nullopt;
  cutShort = true;   // until something else stops it
  StartTag tag;
  size_t i = 1;
  while (i < n && !EndsName(t[i], true)) ++i;
  tag.nameEnd = i;
  const auto skipBlanks = [&] {
    while (i < n && IsBlank(t[i])) ++i;
  };
  for (;;) {
    skipBlanks();
    if (i >= n) return std::nullopt;
    if (t[i] == '<') {
      cutShort = false;
      return std::nullopt;
    }
    if (t[i] == '>') {
      cutShort = false;
      tag.end = i + 1;
      return tag;
    }
    TagAttribute a;
    a.begin = a.nameBegin = i;
    // A stray quote or "/" is a name of its own, so that it goes back as it stood.
    if (t[i] == '"' || t[i] == '\'' || t[i] == '/') ++i;
    while (i < n && !EndsName(t[i], false)) ++i;
    a.nameEnd = a.end = a.valueBegin = a.valueEnd = i;
    size_t j = i;
    while (j < n && IsBlank(t[j])) ++j;
    if (j < n && t[j] == '=') {
      i = j + 1;
      skipBlanks();
      if (i >= n) return std::nullopt;
      a.hasValue = true;
      if (t[i] == '"' || t[i] == '\'') {
        const Char quote = t[i];
        a.valueBegin = ++i;
        while (i < n && t[i] != quote) ++i;
        if (i >= n) return std::nullopt;
        a.valueEnd = i++;
      } else {
        a.valueBegin = i;
        while (i < n && !IsBlank(t[i]) && t[i] != '>') ++i;
        a.valueEnd = i;
      }
      a.end = i;
    }
    tag.attributes.push_back(a);
  }
}

template <class Char>
bool Same(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

std::optional<StartTag> ReadStartTag(std::string_view text, bool* cutShort) {
  bool cut = false;
  auto tag = Read(text, cut);
  if (cutShort) *cutShort = cut;
  return tag;
}
std::optional<StartTag> ReadStartTag(std::wstring_view text, bool* cutShort) {
  bool cut = false;
  auto tag = Read(text, cut);
  if (cutShort) *cutShort = cut;
  return tag;
}
bool SameName(std::string_view a, std::string_view b) { return Same(a, b); }
bool SameName(std::wstring_view a, std::wstring_view b) { return Same(a, b); }
