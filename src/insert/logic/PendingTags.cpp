#include "insert/logic/PendingTags.h"

#include <algorithm>

#include "dialogs/logic/StartTag.h"
#include "insert/logic/TagPlace.h"

namespace {

using TagPlace::Found;
using TagPlace::Spot;

// Bytes read past the caret at first: a tag around the caret ends within them as a rule, and
// they cost next to nothing beside the bytes before the caret.
constexpr int64_t kPastCaret = 256;

std::string Slice(std::string_view text, size_t begin, size_t end) {
  return begin < end && end <= text.size() ? std::string(text.substr(begin, end - begin)) : std::string();
}

// The document's first bytes, read again further only when a question needs more of them.
struct Prefix {
  EditorAccess& editor;
  std::string text;
  bool whole = false;
  int64_t asked = 0;

  Prefix(EditorAccess& e, int64_t want) : editor(e) { Read(want); }
  // What an earlier read gave: a prefix that is not all of the text is one byte longer than asked.
  Prefix(EditorAccess& e, std::string read, bool all)
      : editor(e), text(std::move(read)), whole(all), asked(static_cast<int64_t>(text.size()) - (all ? 0 : 1)) {}
  void Read(int64_t want) {
    asked = std::max<int64_t>(want, 0);
    text = editor.TextPrefix(asked);
    whole = text.size() <= static_cast<size_t>(asked);
  }
  template <class Question>
  Spot Ask(int64_t from, Question question) {
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

// The start tag replaced; when its name changed, the end tag that closes it is renamed in the
// same replacement, the content between going back as it was read.
TagChange Rewrite(EditorAccess& editor, const TagTarget& t, std::string_view start) {
  const std::string_view oldName = NameOf(t.bytes), newName = NameOf(start);
  if (!oldName.empty() && !newName.empty() && oldName != newName) {
    const auto closing = [&](std::string_view text, bool whole) {
      return TagPlace::ClosingTag(text, whole, static_cast<size_t>(t.end), oldName);
    };
    // What was read to find the tag holds a short element's end tag already; a long element
    // is read further.
    Prefix p(editor, t.text, t.textWhole);
    const Spot close = p.Ask(t.end, closing);
    if (close.found == Found::kOwnTag) {
      const size_t nameEnd = close.begin + 2 + oldName.size();
      std::string all(start);
      all += p.Bytes(static_cast<size_t>(t.end), close.begin);
      all.append("</").append(newName).append(p.Bytes(nameEnd, close.end));
      return {t.begin, static_cast<int64_t>(close.end), std::move(all), false, {}};
    }
  }
  return {t.begin, t.end, std::string(start), false, {}};
}

TagChange Decide(EditorAccess& editor, const ReadBack& readBack, const TagTarget& t, std::string_view start,
                 std::string_view endTag) {
  if (t.edit) return readBack.lines ? TagChange{t.begin, t.end, std::string(start), false, {}} : Rewrite(editor, t, start);
  // The selection holds a NUL, which ends every string message: the tags go in around it.
  if (!t.readWhole) return {t.begin, t.end, std::string(start) + std::string(endTag), true, {}};
  std::string all(start);
  all += t.bytes;
  all += endTag;
  return {t.begin, t.end, std::move(all), false, {}};
}

}  // namespace

TagTarget FindTagTarget(EditorAccess& editor, const ReadBack& readBack) {
  TagTarget t;
  // With the caret, a tag around it ends within kPastCaret bytes as a rule; a selection is read
  // to just past its end, so that a character straddling it arrives whole.
  TextBytes::SelectionRead read = editor.ReadSelection(kPastCaret);
  t.selStart = read.lower;
  t.selEnd = read.upper;
  const bool caret = t.selStart == t.selEnd;
  Prefix p(editor, std::move(read.text), read.whole);
  const size_t start = static_cast<size_t>(t.selStart), end = static_cast<size_t>(t.selEnd);
  // With the caret, only a start tag of the button's own opens again: the choice entries are
  // opened by selecting their lines.
  const TagPlace::Names own = readBack.lines && caret ? TagPlace::Names() : readBack.elements;
  const Spot spot = p.Ask(t.selEnd, [&](std::string_view text, bool whole) {
    return caret ? TagPlace::AtCaret(text, whole, start, own)
                 : TagPlace::OfSelection(text, whole, start, end, own, readBack.lines);
  });
  if (spot.found == Found::kOwnTag || spot.found == Found::kLines) {
    t.edit = true;
    t.begin = static_cast<int64_t>(spot.begin);
    t.end = static_cast<int64_t>(spot.end);
    t.bytes = p.Bytes(spot.begin, spot.end);
    if (readBack.endTag && spot.found == Found::kOwnTag) {
      const std::string name(NameOf(t.bytes));
      t.hasEndTag = p.Ask(t.end, [&](std::string_view text, bool whole) {
        return TagPlace::ClosingTag(text, whole, spot.end, name);
      }).found == Found::kOwnTag;
    }
  } else if (spot.found == Found::kOtherTag) {
    t.begin = t.end = static_cast<int64_t>(spot.end);   // just after its ">"
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

std::optional<TagChange> ApplyPendingTags(EditorAccess& editor, const ReadBack& readBack, const TagTarget& found,
                                          std::string_view startTag, std::string_view endTag) {
  // Nothing to write, in re-edit too: a choice list emptied before OK leaves the lines it was
  // opened on as they are, as an empty list writes nothing new.
  if (startTag.empty()) return std::nullopt;
  TagChange change;
  if (editor.SelectionIs(found.selStart, found.selEnd)) {
    change = Decide(editor, readBack, found, startTag, endTag);
    change.target = found;
  } else {
    TagTarget now = FindTagTarget(editor, readBack);
    if (found.edit && (!now.edit || now.bytes != found.bytes)) return std::nullopt;   // the tag edited is no longer there
    change = Decide(editor, readBack, now, startTag, endTag);
    change.target = std::move(now);
  }
  if (change.around) {
    editor.InsertAround(change.begin, change.end, startTag, endTag);
  } else {
    // A new element: the caret just before its end tag. A tag rewritten: just after it, the
    // content and a renamed end tag that went in with it behind the caret.
    const size_t back = change.target.edit ? change.bytes.size() - startTag.size() : endTag.size();
    editor.ReplaceBytes(change.begin, change.end, change.bytes, static_cast<int64_t>(back));
  }
  return change;
}
