#include "dialogs/logic/TextTag.h"

TextTags BuildTextTags(const TagState& s, bool closeTag) {
  return {TagFromRows(kTextForm, s), closeTag ? EndTagOf(s.element) : std::wstring()};
}
