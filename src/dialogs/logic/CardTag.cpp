#include "dialogs/logic/CardTag.h"

#include "dialogs/logic/Attribute.h"

std::wstring BuildCardTag(const CardState& s) {
  std::wstring tag = L"<" + s.kind;
  AppendAttribute(tag, true, L" NAME=", s.name);
  AppendAttribute(tag, s.markable, L" MARKABLE=", s.markableText);
  AppendAttribute(tag, s.title, L" TITLE=", s.titleText);
  AppendAttribute(tag, s.key, L" KEY=", s.keyText);
  AppendAttribute(tag, s.bookMark, L" BOOKMARK=", s.bookMarkText);
  AppendAttribute(tag, s.method, L" METHOD=", s.methodText);
  AppendAttribute(tag, s.defaultValue, L" DEFAULT=", s.defaultText);
  AppendAttribute(tag, s.ikey, L" IKEY=", s.ikeyText);
  AppendAttribute(tag, s.iDefault, L" IDEFAULT=", s.iDefaultText);
  return tag + L'>';
}

std::wstring BuildCardEndTag(std::wstring_view kind) {
  return L"</" + std::wstring(kind) + L">";
}
