#include "dialogs/logic/ImgTag.h"

#include "dialogs/logic/Attribute.h"

std::wstring BuildImgTag(const ImgState& s) {
  std::wstring tag = L"<IMG";
  AppendAttribute(tag, true, L" SRC=", s.srcText);
  AppendAttribute(tag, s.alt, L" ALT=", s.altText);
  AppendAttribute(tag, s.icon, L" ICON=", s.iconText);
  return tag + L'>';
}

std::wstring OpenFileFilter(std::wstring_view filter) {
  std::wstring list(filter);
  for (wchar_t& c : list)
    if (c == L'|') c = L'\0';
  list += L'\0';
  list += L'\0';
  return list;
}
