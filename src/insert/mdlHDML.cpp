#include "insert/mdlHDML.h"

#include "common/Ansi.h"

std::wstring gStartTag;
std::wstring gEndTag;

void ApplyPendingTags(EditorAccess& editor, const ReadBack& readBack, const TagTarget& target) {
  ApplyPendingTags(editor, readBack, target, ToAnsi(gStartTag), ToAnsi(gEndTag));
}

void InsertPendingTags(EditorAccess& editor) {
  if (gStartTag.empty()) return;
  const ReadBack none;
  ApplyPendingTags(editor, none, FindTagTarget(editor, none));
}
