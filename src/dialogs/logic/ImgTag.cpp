#include "dialogs/logic/ImgTag.h"

std::wstring OpenFileFilter(std::wstring_view filter) {
  std::wstring list(filter);
  for (wchar_t& c : list)
    if (c == L'|') c = L'\0';
  list += L'\0';
  list += L'\0';
  return list;
}
