// The HDML IMG tag, built from what frmImg's controls hold, and the settings of the file-open
// dialog that picks its source.
#pragma once
#include <string>
#include <string_view>

struct ImgState {
  std::wstring srcText;       // txtSrc, always written
  bool alt = false;           // chkAlt
  std::wstring altText;       // txtAlt
  bool icon = false;          // chkIcon
  std::wstring iconText;      // txtIcon
};

// "<IMG SRC=" and the quoted source, the ticked attributes in their fixed order, ">".
std::wstring BuildImgTag(const ImgState& s);

inline constexpr wchar_t kImgEndTag[] = L"";   // IMG has no end tag

// `CommonDialog1`: title, filter (description|pattern pairs) and the file name it starts with.
inline constexpr wchar_t kImgBrowseTitle[] = L"画像の参照";
inline constexpr std::wstring_view kImgBrowseFilter =
    L"白黒ビットマップ(*.bmp)|*.bmp|Portable Network Graphics(*.PNG)|*.PNG";
inline constexpr wchar_t kImgBrowseFileName[] = L"*.bmp";

// A "|"-separated filter in the form the system's file dialogs read: every part ended by a NUL,
// the whole list by one more.
std::wstring OpenFileFilter(std::wstring_view filter);
