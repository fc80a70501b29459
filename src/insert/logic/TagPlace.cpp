#include "insert/logic/TagPlace.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "dialogs/logic/StartTag.h"

namespace TagPlace {
namespace {

constexpr size_t npos = std::string_view::npos;

Spot More(bool whole) { return whole ? Spot{} : Spot{Found::kMore}; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool OpensComment(std::string_view t, size_t at) {
  return t.substr(at, 4) == "<!--" || t.substr(at, 3) == "<--";
}

// The last "-" before `end`, npos when none. Eight bytes at a time: a document holds long
// stretches without one, and the caret may stand megabytes from its start.
size_t LastDash(std::string_view t, size_t end) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
  size_t i = std::min(end, t.size());
  while (i >= 8) {
    uint64_t w;
    std::memcpy(&w, t.data() + i - 8, 8);
    const uint64_t x = w ^ (kOnes * '-');   // a zero byte where w holds "-"
    if ((x - kOnes) & ~x & kHighs) break;
    i -= 8;
  }
  while (i > 0)
    if (t[--i] == '-') return i;
  return npos;
}

// The comment ("<!-- ... -->" or "<-- ... -->") that holds the caret. Found by walking back
// over the "--" pairs before the caret: the nearest one that opens a comment decides, one
// that closes a comment says that none is open.
Spot CommentAround(std::string_view t, bool whole, size_t caret) {
  for (size_t i = caret; (i = LastDash(t, i)) != npos;) {
    if (i == 0 || t[i - 1] != '-') continue;
    const size_t dashes = i - 1;
    const size_t open = dashes >= 1 && t[dashes - 1] == '<'                          ? dashes - 1
                        : dashes >= 2 && t[dashes - 1] == '!' && t[dashes - 2] == '<' ? dashes - 2
                                                                                       : npos;
    if (open != npos) {
      const size_t close = t.find("-->", dashes + 2);
      if (close == npos) return More(whole);
      return caret < close + 3 ? Spot{Found::kOtherTag, open, close + 3} : Spot{};
    }
    if (i + 1 < caret && t[i + 1] == '>') return {};
  }
  return {};
}

}  // namespace

bool IsName(std::string_view bytes, Names names) {
  for (std::wstring_view name : names) {
    if (name.size() != bytes.size()) continue;
    size_t i = 0;
    while (i < bytes.size() && static_cast<wchar_t>(static_cast<unsigned char>(Lower(bytes[i]))) == Lower(name[i])) ++i;
    if (i == bytes.size()) return true;
  }
  return false;
}

Spot AtCaret(std::string_view t, bool whole, size_t caret, Names own) {
  if (caret > t.size()) return More(whole);
  if (const Spot comment = CommentAround(t, whole, caret); comment.found != Found::kNothing) return comment;
  if (caret == 0) return {};
  const size_t lt = t.rfind('<', caret - 1);
  if (lt == npos) return {};
  if (lt + 2 >= t.size()) return More(whole);
  if (OpensComment(t, lt)) {   // the caret inside the opener itself
    const size_t close = t.find("-->", lt + 3);
    if (close == npos) return More(whole);
    return caret < close + 3 ? Spot{Found::kOtherTag, lt, close + 3} : Spot{};
  }
  const char next = t[lt + 1];
  if (next == '/' || next == '!' || next == '?') {
    // An end tag, or a declaration; "</" and no name is text.
    if (next == '/' && !IsLetter(t[lt + 2])) return {};
    const size_t gt = t.find('>', lt);
    if (gt == npos) return More(whole);
    return caret <= gt ? Spot{Found::kOtherTag, lt, gt + 1} : Spot{};
  }
  bool cut = false;
  const auto tag = ReadStartTag(t.substr(lt), &cut);
  if (!tag) return cut ? More(whole) : Spot{};
  const size_t end = lt + tag->end;
  if (caret >= end) return {};
  const bool mine = IsName(t.substr(lt + tag->nameBegin, tag->nameEnd - tag->nameBegin), own);
  return {mine ? Found::kOwnTag : Found::kOtherTag, lt, end};
}

Spot OfSelection(std::string_view t, bool whole, size_t start, size_t end, Names own, bool lines) {
  if (start >= end) return {};
  if (end > t.size()) return More(whole);
  const std::string_view sel = t.substr(start, end - start);
  const auto opensWithOwn = [&](std::string_view text, bool exactly) {
    const auto tag = ReadStartTag(text);
    return tag && (!exactly || tag->end == text.size()) &&
           IsName(text.substr(tag->nameBegin, tag->nameEnd - tag->nameBegin), own);
  };
  if (!lines) return opensWithOwn(sel, true) ? Spot{Found::kOwnTag, start, end} : Spot{};

  if (start > 0 && t[start - 1] != '\n') return {};
  size_t stop = end;
  if (sel.back() == '\n') {
    --stop;
    if (stop > start && t[stop - 1] == '\r') --stop;
  } else if (end == t.size()) {
    if (!whole) return More(whole);
  } else if (t[end] != '\r' && t[end] != '\n') {
    return {};
  }
  for (size_t at = start;;) {
    size_t nl = t.find('\n', at);
    if (nl == npos || nl > stop) nl = stop;
    std::string_view line = t.substr(at, nl - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!opensWithOwn(line, false)) return {};
    if (nl >= stop) break;
    at = nl + 1;
  }
  return {Found::kLines, start, stop};
}

Spot ClosingTag(std::string_view t, bool whole, size_t from, std::string_view name) {
  size_t depth = 0;
  for (size_t i = from;;) {
    const size_t lt = t.find('<', i);
    if (lt == npos) return More(whole);
    const std::string_view rest = t.substr(lt);
    if (rest.size() < name.size() + 3) return More(whole);
    if (OpensComment(t, lt)) {
      const size_t close = t.find("-->", lt + 3);
      if (close == npos) return More(whole);
      i = close + 3;
      continue;
    }
    const bool closing = rest[1] == '/';
    const size_t nameAt = closing ? 2 : 1;
    const char after = rest[nameAt + name.size()];
    if (SameName(rest.substr(nameAt, name.size()), name) &&
        (IsBlank(after) || after == '>' || (!closing && after == '/'))) {
      if (closing) {
        const size_t gt = t.find('>', lt);
        if (gt == npos) return More(whole);
        if (depth == 0) return {Found::kOwnTag, lt, gt + 1};
        --depth;
        i = gt + 1;
        continue;
      }
      bool cut = false;
      if (const auto tag = ReadStartTag(rest, &cut)) {
        ++depth;
        i = lt + tag->end;
        continue;
      }
      if (cut) return More(whole);
    }
    i = lt + 1;
  }
}

}  // namespace TagPlace
