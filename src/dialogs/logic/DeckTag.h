// The start tag of an HDML deck: frmDeck's rows.
#pragma once
#include "dialogs/logic/TagRows.h"

inline constexpr std::wstring_view kVersionItems[] = {L"3.0", L"2.0"};

inline constexpr TagRow kDeckRows[] = {
    {L"VERSION", true, RowInput::kCombo, kVersionItems, true},
    {L"TTL", true, RowInput::kText, {}, true},
    {L"MARKABLE", true, RowInput::kList, kTrueFalseItems, true},
    {L"ACCESSDOMAIN", true, RowInput::kText},
    {L"ACCESSPATH", true, RowInput::kText},
};

inline constexpr TagForm kDeckForm{L"HDML", kDeckRows};

inline constexpr wchar_t kDeckEndTag[] = L"</HDML>";
