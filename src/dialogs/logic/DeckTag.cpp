#include "dialogs/logic/DeckTag.h"

#include "dialogs/logic/Attribute.h"

namespace {

using S = DeckState;

constexpr AttributeRow<S> kRows[] = {
    {&S::version, &S::versionText, L" VERSION="},
    {&S::ttl, &S::ttlText, L" TTL="},
    {&S::markable, &S::markableText, L" MARKABLE="},
    {&S::accessDomain, &S::accessDomainText, L" ACCESSDOMAIN="},
    {&S::accessPath, &S::accessPathText, L" ACCESSPATH="},
};

}  // namespace

std::wstring BuildDeckTag(const DeckState& s) {
  std::wstring tag = L"<HDML";
  AppendRows(tag, s, kRows);
  return tag + L'>';
}
