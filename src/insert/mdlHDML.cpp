// The pending tags and where they go. One read of TeraPad's text before the dialog finds the
// place; one replacement after it puts the tags there (one undo step in the host).
#include "insert/mdlHDML.h"

#include <algorithm>
#include <optional>
#include <tuple>

#include "app/mdlMain.h"
#include "bridge/clsKeshTeraPad.h"
#include "common/Ansi.h"
#include "dialogs/logic/StartTag.h"
#include "insert/logic/TagPlace.h"

std::wstring gStartTag;
std::wstring gEndTag;

namespace {

using TagPlace::Found;
using TagPlace::Spot;

// Bytes read past the caret at first: a tag around the caret ends within them as a rule, and
// they cost next to nothing beside the bytes before the caret.
constexpr long kPastCaret = 256;

std::string Slice(std::string_view text, size_t begin, size_t end) {
  return begin < end && end <= text.size() ? std::string(text.substr(begin, end - begin)) : std::string();
}

// The document's first bytes, read again further only when a question needs more of them.
struct Prefix {
  std::string text;
  bool whole = false;
  long asked = 0;

  explicit Prefix(long want) { Read(want); }
  void Read(long want) {
    asked = std::max(want, 0L);
    text = gTeraPad->TextPrefix(asked);
    whole = text.size() <= static_cast<size_t>(asked);
  }
  template <class Question>
  Spot Ask(long from, Question question) {
    for (;;) {
      const Spot spot = question(std::string_view(text), whole);
      if (spot.found != Found::kMore || whole) return spot;
      Read(from + 2 * std::max(asked - from, 4 * kPastCaret));
    }
  }
  std::string Bytes(size_t begin, size_t end) const { return Slice(text, begin, end); }
};

std::string_view NameOf(std::string_view tag) {
  const auto read = ReadStartTag(tag);
  return read ? tag.substr(read->nameBegin, read->nameEnd - read->nameBegin) : std::string_view();
}

bool SelectionStands(const TagTarget& t) { return gTeraPad->Selection() == std::pair(t.selStart, t.selEnd); }

// The start tag replaced; when its name changed, the end tag that closes it is renamed in the
// same replacement, the content between going back as it was read.
void Rewrite(const TagTarget& t, const std::string& start) {
  const std::string_view oldName = NameOf(t.bytes), newName = NameOf(start);
  if (!oldName.empty() && !newName.empty() && oldName != newName) {
    const auto closing = [&](std::string_view text, bool whole) {
      return TagPlace::ClosingTag(text, whole, static_cast<size_t>(t.end), oldName);
    };
    // What was read to find the tag holds a short element's end tag already; a long element
    // is read further.
    std::string_view text = t.text;
    Spot close = closing(text, t.textWhole);
    std::optional<Prefix> further;
    if (close.found == Found::kMore) {
      further.emplace(static_cast<long>(2 * t.text.size()));
      close = further->Ask(t.end, closing);
      text = further->text;
    }
    if (close.found == Found::kOwnTag) {
      const size_t nameEnd = close.begin + 2 + oldName.size();
      std::string all = start + Slice(text, static_cast<size_t>(t.end), close.begin);
      all.append("</").append(newName).append(Slice(text, nameEnd, close.end));
      gTeraPad->ReplaceBytes(t.begin, static_cast<long>(close.end), all, static_cast<long>(all.size() - start.size()));
      return;
    }
  }
  gTeraPad->ReplaceBytes(t.begin, t.end, start, 0);
}

void Put(const ReadBack& readBack, const TagTarget& t) {
  const std::string start = ToAnsi(gStartTag);
  if (t.edit) {
    if (readBack.lines) {
      gTeraPad->ReplaceBytes(t.begin, t.end, start, 0);
    } else {
      Rewrite(t, start);
    }
    return;
  }
  if (!t.readWhole) {
    // The selection holds a NUL, which ends every string message: the tags go in around it.
    gTeraPad->WrapSelection(gStartTag, gEndTag);
    return;
  }
  const std::string endTag = ToAnsi(gEndTag);
  gTeraPad->ReplaceBytes(t.begin, t.end, start + t.bytes + endTag, static_cast<long>(endTag.size()));
}

}  // namespace

TagTarget FindTagTarget(const ReadBack& readBack) {
  TagTarget t;
  std::tie(t.selStart, t.selEnd) = gTeraPad->Selection();
  const bool caret = t.selStart == t.selEnd;
  Prefix p(caret ? t.selEnd + kPastCaret : t.selEnd + 2);
  const size_t start = static_cast<size_t>(std::max(t.selStart, 0L)), end = static_cast<size_t>(std::max(t.selEnd, 0L));
  // With the caret, only a start tag of the button's own opens again: the choice entries are
  // opened by selecting their lines.
  const TagPlace::Names own = readBack.lines && caret ? TagPlace::Names() : readBack.elements;
  const Spot spot = p.Ask(t.selEnd, [&](std::string_view text, bool whole) {
    return caret ? TagPlace::AtCaret(text, whole, start, own)
                 : TagPlace::OfSelection(text, whole, start, end, own, readBack.lines);
  });
  if (spot.found == Found::kOwnTag || spot.found == Found::kLines) {
    t.edit = true;
    t.begin = static_cast<long>(spot.begin);
    t.end = static_cast<long>(spot.end);
    t.bytes = p.Bytes(spot.begin, spot.end);
    t.existing.tag = FromAnsi(t.bytes);
    if (readBack.endTag && spot.found == Found::kOwnTag) {
      const std::string name(NameOf(t.bytes));
      t.existing.hasEndTag = p.Ask(t.end, [&](std::string_view text, bool whole) {
        return TagPlace::ClosingTag(text, whole, spot.end, name);
      }).found == Found::kOwnTag;
    }
  } else if (spot.found == Found::kOtherTag) {
    t.begin = t.end = static_cast<long>(spot.end);   // just after its ">"
  } else {
    t.begin = t.selStart;
    t.end = t.selEnd;
    t.readWhole = end <= p.text.size();
    t.bytes = p.Bytes(start, end);
  }
  t.text = std::move(p.text);
  t.textWhole = p.whole;
  return t;
}

void ApplyPendingTags(const ReadBack& readBack, const TagTarget& found) {
  // Nothing to write, in re-edit too: a choice list emptied before OK leaves the lines it was
  // opened on as they are, as an empty list writes nothing new.
  if (gStartTag.empty()) return;
  if (!SelectionStands(found)) {
    const TagTarget now = FindTagTarget(readBack);
    if (found.edit && (!now.edit || now.bytes != found.bytes)) return;   // the tag edited is no longer there
    return Put(readBack, now);
  }
  Put(readBack, found);
}

void InsertPendingTags() {
  if (gStartTag.empty()) return;
  const ReadBack none;
  ApplyPendingTags(none, FindTagTarget(none));
}
