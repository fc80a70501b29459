// The pending tags and the insertion that wraps TeraPad's selection in them.
#include "insert/mdlHDML.h"

#include "app/mdlMain.h"

std::wstring gStartTag;
std::wstring gEndTag;

void InsertPendingTags() {
  if (gStartTag.empty()) return;
  // The selection's bytes go back as they were read, never through a conversion, and the
  // caret lands just before the end tag.
  gTeraPad->WrapSelection(gStartTag, gEndTag);
}
