// The one attribute form that every tag dialog writes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// When ticked, appends the literal (" NAME="), a double quote, the value exactly as its control
// holds it (never trimmed or escaped: a quote or ">" typed into a value goes in unchanged), and
// a double quote.
inline void AppendAttribute(std::wstring& tag, bool ticked, std::wstring_view literal, std::wstring_view value) {
  if (!ticked) return;
  tag += literal;
  tag += L'"';
  tag += value;
  tag += L'"';
}

// One attribute of a dialog's start tag: where its tick and its value are kept in the dialog's
// state, and the literal written before the value. A dialog lists its rows in written order.
template <class State>
struct AttributeRow {
  bool State::*ticked;
  std::wstring State::*value;
  std::wstring_view literal;
};

template <class State, size_t N>
void AppendRows(std::wstring& tag, const State& s, const AttributeRow<State> (&rows)[N]) {
  for (const AttributeRow<State>& row : rows) AppendAttribute(tag, s.*row.ticked, row.literal, s.*row.value);
}

// List items that several dialogs offer, in list order.
inline constexpr std::wstring_view kTaskItems[] = {L"GO", L"GOSUB", L"PREV", L"RETURN", L"CANCEL", L"CALL", L"NOOP"};
inline constexpr std::wstring_view kTrueFalseItems[] = {L"True", L"False"};
inline constexpr std::wstring_view kSoftKeyItems[] = {L"ACCEPT", L"SOFT1"};
inline constexpr std::wstring_view kPostMethodItems[] = {L"GET", L"POST"};
