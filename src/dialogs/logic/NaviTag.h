// The start tags of the link (A) and the action (ACTION): one row table each, in written order.
// They share twelve rows in the same order; the rest is each one's own.
#pragma once
#include <algorithm>
#include <array>

#include "dialogs/logic/TagRows.h"

namespace NaviRows {

template <size_t... N>
constexpr auto Join(const std::array<TagRow, N>&... parts) {
  std::array<TagRow, (N + ...)> all{};
  size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), all.begin() + at), at += N), ...);
  return all;
}

inline constexpr auto kShared = std::to_array<TagRow>({
    {L"VARS", true, RowInput::kText},
    {L"NEXT", true, RowInput::kText},
    {L"RECEIVE", true, RowInput::kText},
    {L"CANCEL", true, RowInput::kText},
    {L"CLEAR", true, RowInput::kList, kTrueFalseItems},
    {L"SENDREFERER", true, RowInput::kText},
    {L"FRIEND", true, RowInput::kList, kTrueFalseItems},
    {L"RETVALS", true, RowInput::kText},
    {L"POSTMETHOD", true, RowInput::kList, kPostMethodItems},
    {L"POSTDATA", true, RowInput::kText},
    {L"NUMBER", true, RowInput::kText},
    {L"ACCEPTCHARSET", true, RowInput::kText},
});

inline constexpr TagRow kRelNext{L"REL", true, RowInput::kFixed, {}, false, L"NEXT"};
inline constexpr TagRow kLabel{L"LABEL", true, RowInput::kText, {}, true};
inline constexpr TagRow kDest{L"DEST", true, RowInput::kText, {}, true};

// TASK (ticked to write it), REL, LABEL before DEST, the shared rows.
inline constexpr auto kA = Join(std::to_array<TagRow>({
    {L"TASK", true, RowInput::kCombo, kTaskItems}, kRelNext, kLabel, kDest}), kShared);

// TYPE and TASK (no check box: always written), REL, DEST before LABEL, the shared rows, ICON
// before SRC.
inline constexpr auto kAction = Join(std::to_array<TagRow>({
    {L"TYPE", false, RowInput::kCombo, kSoftKeyItems},
    {L"TASK", false, RowInput::kCombo, kTaskItems}, kRelNext, kDest, kLabel}), kShared,
    std::to_array<TagRow>({{L"ICON", true, RowInput::kText}, {L"SRC", true, RowInput::kText}}));

}  // namespace NaviRows

// "<A " opens the link, so its first attribute follows two blanks.
inline constexpr TagForm kNaviAForm{L"A", NaviRows::kA, {}, L" "};
inline constexpr TagForm kNaviActionForm{L"ACTION", NaviRows::kAction};

inline constexpr wchar_t kNaviAEndTag[] = L"</A>";
inline constexpr wchar_t kNaviActionEndTag[] = L"";   // ACTION has no end tag
