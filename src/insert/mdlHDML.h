// The pending tags that a dialog leaves, where they go, and the insertion or rewrite that puts
// them into TeraPad's text.
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "dialogs/TagDialog.h"

extern std::wstring gStartTag;   // empty: nothing to insert
extern std::wstring gEndTag;     // may be empty (elements without an end tag)

// What a button opens again where the author stands.
struct ReadBack {
  std::span<const std::wstring_view> elements;  // the start tags it opens again
  bool lines = false;    // whole selected lines, each opening with one of them (choice entries)
  bool endTag = false;   // its dialog shows whether the tag's end tag is there
};

// Where the pending tags go, found before the dialog opens from one read of the text (as far
// as the selection's end, or the caret's tag's ">").
struct TagTarget {
  bool edit = false;               // a start tag (or lines) of the button's own: its dialog opens on it
  TagDialog::Existing existing;    // edit: what the dialog shows
  long selStart = 0, selEnd = 0;   // the selection as found
  long begin = 0, end = 0;         // edit: the tag or lines; otherwise what the tags wrap
  std::string bytes;               // edit: the tag's bytes; otherwise the bytes being wrapped
  bool readWhole = true;           // otherwise: `bytes` is the whole selection (a NUL cuts every read)
  std::string text;                // the document's first bytes as read to find all this
  bool textWhole = false;          // `text` is all of the document
};

TagTarget FindTagTarget(const ReadBack& readBack);

// Puts the pending tags where `target` says: the tag or lines being edited are replaced (an
// OK with nothing to hand over included), the new tags wrap the selection, or go in just after
// the tag, end tag or comment that holds the caret. When the author moved the selection while
// the dialog was open, the place is found again.
void ApplyPendingTags(const ReadBack& readBack, const TagTarget& target);

// The new tags where the selection or caret stands, never inside a tag.
void InsertPendingTags();
