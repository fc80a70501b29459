// Where a dialog's tags go and how they get there: one read of the editor's text before the
// dialog finds the place (a tag to open again, or where new tags go, never inside a tag); one
// replacement after it puts the tags there (one undo step in the host). The editor is reached
// only through EditorAccess, so that the whole road of a click can be driven by a model editor.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "bridge/logic/EditorAccess.h"

// What a button opens again where the author stands.
struct ReadBack {
  std::span<const std::wstring_view> elements;  // the start tags it opens again
  bool lines = false;    // whole selected lines, each opening with one of them (choice entries)
  bool endTag = false;   // its dialog shows whether the tag's end tag is there
};

// Where the pending tags go, found before the dialog opens from one read of the text (as far
// as the selection's end, or the caret's tag's ">").
struct TagTarget {
  bool edit = false;                 // a start tag (or lines) of the button's own: its dialog opens on it
  bool hasEndTag = false;            // edit, with ReadBack::endTag: the tag's end tag follows it
  int64_t selStart = 0, selEnd = 0;  // the selection as found
  int64_t begin = 0, end = 0;        // edit: the tag or lines; otherwise what the tags wrap
  std::string bytes;                 // edit: the tag's bytes; otherwise the bytes being wrapped
  bool readWhole = true;             // otherwise: `bytes` is the whole selection (a NUL cuts every read)
  std::string text;                  // the document's first bytes as read to find all this
  bool textWhole = false;            // `text` is all of the document
};

TagTarget FindTagTarget(EditorAccess& editor, const ReadBack& readBack);

// What ApplyPendingTags did: bytes [begin, end) replaced by `bytes`; or, `around`, `startTag`
// put before and `endTag` after them, which stay as they are.
struct TagChange {
  int64_t begin = 0, end = 0;
  std::string bytes;
  bool around = false;
  TagTarget target;                  // the place it was decided for
};

// Puts the pending tags (cp932; an empty start tag: nothing to put) where `found` says: the
// tag or lines being edited are replaced (a renamed tag's end tag renamed with it), the new tags
// wrap the selection, or go in just after the tag, end tag or comment that holds the caret.
// When the author moved the selection while the dialog was open, the place is found again; a
// tag being edited that is no longer there is left alone. Empty when nothing was changed.
std::optional<TagChange> ApplyPendingTags(EditorAccess& editor, const ReadBack& readBack, const TagTarget& found,
                                          std::string_view startTag, std::string_view endTag);
