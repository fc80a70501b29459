// The start and end tag of an HDML card, built from what frmCard's controls hold.
#pragma once
#include <string>
#include <string_view>

struct CardState {
  std::wstring kind;          // cboCard: the element name, written unquoted
  std::wstring name;          // txtName: NAME is always written
  bool markable = true;       // chkMarkble
  std::wstring markableText;  // cboMarkble
  bool title = true;          // chkTitle
  std::wstring titleText;
  bool key = false;           // chkKey
  std::wstring keyText;
  bool bookMark = false;      // chkBookMark
  std::wstring bookMarkText;
  bool method = false;        // chkMethod
  std::wstring methodText;    // cboMethod
  bool defaultValue = false;  // chkDefault
  std::wstring defaultText;
  bool ikey = false;          // chkIkey
  std::wstring ikeyText;
  bool iDefault = false;      // chkIDefault
  std::wstring iDefaultText;
};

// "<" kind " NAME=..." then the ticked attributes in the written order (MARKABLE before
// TITLE, whatever page their controls sit on), ">".
std::wstring BuildCardTag(const CardState& s);

// "</" kind ">", from the same kind text as the start tag.
std::wstring BuildCardEndTag(std::wstring_view kind);
