#include "dialogs/logic/CardTag.h"

#include "dialogs/logic/Attribute.h"

namespace {

using S = CardState;

// After NAME, which is always written.
constexpr AttributeRow<S> kRows[] = {
    {&S::markable, &S::markableText, L" MARKABLE="},   {&S::title, &S::titleText, L" TITLE="},
    {&S::key, &S::keyText, L" KEY="},                  {&S::bookMark, &S::bookMarkText, L" BOOKMARK="},
    {&S::method, &S::methodText, L" METHOD="},         {&S::defaultValue, &S::defaultText, L" DEFAULT="},
    {&S::ikey, &S::ikeyText, L" IKEY="},               {&S::iDefault, &S::iDefaultText, L" IDEFAULT="},
};

}  // namespace

std::wstring BuildCardTag(const CardState& s) {
  std::wstring tag = L"<" + s.kind;
  AppendAttribute(tag, true, L" NAME=", s.name);
  AppendRows(tag, s, kRows);
  return tag + L'>';
}

std::wstring BuildCardEndTag(std::wstring_view kind) {
  return L"</" + std::wstring(kind) + L">";
}
