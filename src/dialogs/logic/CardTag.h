// The start tag of an HDML card: frmCard's kind and rows. Every attribute is offered for every
// kind; the written order differs from the pages' (MARKABLE, on the second page, before TITLE).
#pragma once
#include "dialogs/logic/TagRows.h"

inline constexpr std::wstring_view kCardKinds[] = {L"DISPLAY", L"CHOICE", L"ENTRY", L"NODISPLAY"};
inline constexpr std::wstring_view kMethodItems[] = {L"NUMBER", L"ALPHA"};

inline constexpr TagRow kCardRows[] = {
    {L"NAME", false, RowInput::kText},
    {L"MARKABLE", true, RowInput::kList, kTrueFalseItems, true},
    {L"TITLE", true, RowInput::kText, {}, true},
    {L"KEY", true, RowInput::kText},
    {L"BOOKMARK", true, RowInput::kText},
    {L"METHOD", true, RowInput::kList, kMethodItems},
    {L"DEFAULT", true, RowInput::kText},
    {L"IKEY", true, RowInput::kText},
    {L"IDEFAULT", true, RowInput::kText},
};

// The kind, from an editable combo, is written unquoted as the element name.
inline constexpr TagForm kCardForm{{}, kCardRows, kCardKinds};
