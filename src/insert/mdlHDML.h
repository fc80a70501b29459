// The pending tags that a dialog leaves and the insertion that wraps TeraPad's selection in them.
#pragma once
#include <string>

extern std::wstring gStartTag;   // empty: nothing to insert
extern std::wstring gEndTag;     // may be empty (elements without an end tag)

void InsertPendingTags();
