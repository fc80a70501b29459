#include "dialogs/logic/TextTag.h"

TextTags BuildTextTags(std::wstring_view name, bool closeTag) {
  TextTags tags;
  tags.startTag.append(L"<").append(name).append(L">");
  if (closeTag) tags.endTag.append(L"</").append(name).append(L">");
  return tags;
}
