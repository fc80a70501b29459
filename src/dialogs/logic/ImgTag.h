// The HDML IMG tag (frmImg's rows) and the settings of the file-open dialog that picks its source.
#pragma once
#include <string>
#include <string_view>

#include "dialogs/logic/TagRows.h"

inline constexpr TagRow kImgRows[] = {
    {L"SRC", false, RowInput::kText},
    {L"ALT", true, RowInput::kText},
    {L"ICON", true, RowInput::kText},
};

inline constexpr TagForm kImgForm{L"IMG", kImgRows};

inline constexpr wchar_t kImgEndTag[] = L"";   // IMG has no end tag

// `CommonDialog1`: title, filter (description|pattern pairs) and the file name it starts with.
inline constexpr wchar_t kImgBrowseTitle[] = L"画像の参照";
inline constexpr std::wstring_view kImgBrowseFilter =
    L"白黒ビットマップ(*.bmp)|*.bmp|Portable Network Graphics(*.PNG)|*.PNG";
inline constexpr wchar_t kImgBrowseFileName[] = L"*.bmp";

// A "|"-separated filter in the form the system's file dialogs read: every part ended by a NUL,
// the whole list by one more.
std::wstring OpenFileFilter(std::wstring_view filter);
