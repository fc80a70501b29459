#include "dialogs/logic/DeckTag.h"

namespace {
// Values go in exactly as typed: no trimming, no escaping of quotes or ampersands.
void AppendAttribute(std::wstring& tag, bool ticked, const wchar_t* literal, const std::wstring& value) {
  if (!ticked) return;
  tag += literal;
  tag += L'"';
  tag += value;
  tag += L'"';
}
}  // namespace

std::wstring BuildDeckTag(const DeckState& s) {
  std::wstring tag = L"<HDML";
  AppendAttribute(tag, s.version, L" VERSION=", s.versionText);
  AppendAttribute(tag, s.ttl, L" TTL=", s.ttlText);
  AppendAttribute(tag, s.markable, L" MARKABLE=", s.markableText);
  AppendAttribute(tag, s.accessDomain, L" ACCESSDOMAIN=", s.accessDomainText);
  AppendAttribute(tag, s.accessPath, L" ACCESSPATH=", s.accessPathText);
  return tag + L'>';
}
