// The start tag of an HDML deck, built from what frmDeck's controls hold.
#pragma once
#include <string>

struct DeckState {
  bool version = true;        // chkVersion
  std::wstring versionText;   // cboVersion
  bool ttl = true;            // chkTTL
  std::wstring ttlText;       // txtTTL
  bool markable = true;       // chkMarkble
  std::wstring markableText;  // cboMarkble
  bool accessDomain = false;  // chkAccessDomain
  std::wstring accessDomainText;
  bool accessPath = false;    // chkAccessPath
  std::wstring accessPathText;
};

// "<HDML", the ticked attributes in their fixed order, ">".
std::wstring BuildDeckTag(const DeckState& s);

inline constexpr wchar_t kDeckEndTag[] = L"</HDML>";
