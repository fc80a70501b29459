#include "dialogs/logic/DeckTag.h"

#include "dialogs/logic/Attribute.h"

std::wstring BuildDeckTag(const DeckState& s) {
  std::wstring tag = L"<HDML";
  AppendAttribute(tag, s.version, L" VERSION=", s.versionText);
  AppendAttribute(tag, s.ttl, L" TTL=", s.ttlText);
  AppendAttribute(tag, s.markable, L" MARKABLE=", s.markableText);
  AppendAttribute(tag, s.accessDomain, L" ACCESSDOMAIN=", s.accessDomainText);
  AppendAttribute(tag, s.accessPath, L" ACCESSPATH=", s.accessPathText);
  return tag + L'>';
}
