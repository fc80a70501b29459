// The pending tags and the insertion that wraps TeraPad's selection in them.
#include "insert/mdlHDML.h"

#include "app/mdlMain.h"

std::wstring gStartTag;
std::wstring gEndTag;

void InsertPendingTags() {
  if (gStartTag.empty()) return;
  const std::wstring sel = gTeraPad->SelText();
  // One replacement of the selection: one change that the host's undo takes back whole.
  gTeraPad->SelText(gStartTag + sel + gEndTag);
  const long p = gTeraPad->SelStart();
  const long n = clsKeshTeraPad::LenMbcs(gEndTag);
  gTeraPad->SelStart(p - n);
}
