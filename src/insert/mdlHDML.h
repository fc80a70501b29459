// The pending tags that a dialog leaves, and the insertion that puts them into the editor's
// text (where they go is decided in insert/logic/PendingTags).
#pragma once
#include <string>

#include "bridge/logic/EditorAccess.h"
#include "insert/logic/PendingTags.h"

extern std::wstring gStartTag;   // empty: nothing to insert
extern std::wstring gEndTag;     // may be empty (elements without an end tag)

// The pending tags (cp932) where `target` says (see ApplyPendingTags).
void ApplyPendingTags(EditorAccess& editor, const ReadBack& readBack, const TagTarget& target);

// The new tags where the selection or caret stands, never inside a tag.
void InsertPendingTags(EditorAccess& editor);
