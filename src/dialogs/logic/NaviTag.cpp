#include "dialogs/logic/NaviTag.h"

#include <span>
#include <string_view>
#include <utility>

#include "dialogs/logic/Attribute.h"

namespace {

// A row in a dialog's written order: its literal and where its state is. A fixed value
// (REL's "NEXT") replaces what the row holds.
struct Written {
  std::wstring_view literal;
  NaviRow NaviState::*row;
  const wchar_t* fixedValue = nullptr;
};

constexpr Written kNaviAOrder[] = {
    {L" TASK=", &NaviState::task},
    {L" REL=", &NaviState::relNext, L"NEXT"},
    {L" LABEL=", &NaviState::label},
    {L" DEST=", &NaviState::dest},
    {L" VARS=", &NaviState::vars},
    {L" NEXT=", &NaviState::next},
    {L" RECEIVE=", &NaviState::receive},
    {L" CANCEL=", &NaviState::cancel},
    {L" CLEAR=", &NaviState::clear},
    {L" SENDREFERER=", &NaviState::sendReferer},
    {L" FRIEND=", &NaviState::friendly},
    {L" RETVALS=", &NaviState::retvals},
    {L" POSTMETHOD=", &NaviState::postMethod},
    {L" POSTDATA=", &NaviState::postData},
    {L" NUMBER=", &NaviState::number},
    {L" ACCEPTCHARSET=", &NaviState::acceptCharset},
};

constexpr Written kNaviActionOrder[] = {
    {L" REL=", &NaviState::relNext, L"NEXT"},
    {L" DEST=", &NaviState::dest},
    {L" LABEL=", &NaviState::label},
    {L" VARS=", &NaviState::vars},
    {L" NEXT=", &NaviState::next},
    {L" RECEIVE=", &NaviState::receive},
    {L" CANCEL=", &NaviState::cancel},
    {L" CLEAR=", &NaviState::clear},
    {L" SENDREFERER=", &NaviState::sendReferer},
    {L" FRIEND=", &NaviState::friendly},
    {L" RETVALS=", &NaviState::retvals},
    {L" POSTMETHOD=", &NaviState::postMethod},
    {L" POSTDATA=", &NaviState::postData},
    {L" NUMBER=", &NaviState::number},
    {L" ACCEPTCHARSET=", &NaviState::acceptCharset},
    {L" ICON=", &NaviState::icon},
    {L" SRC=", &NaviState::src},
};

std::wstring AppendRows(std::wstring tag, const NaviState& s, std::span<const Written> order) {
  for (const Written& w : order) {
    const NaviRow& row = s.*w.row;
    AppendAttribute(tag, row.ticked, w.literal, w.fixedValue ? std::wstring_view(w.fixedValue) : row.value);
  }
  return tag + L'>';
}

}  // namespace

std::wstring BuildNaviATag(const NaviState& s) { return AppendRows(L"<A ", s, kNaviAOrder); }

std::wstring BuildNaviActionTag(const NaviState& s) {
  std::wstring tag = L"<ACTION";
  AppendAttribute(tag, true, L" TYPE=", s.type);
  AppendAttribute(tag, true, L" TASK=", s.task.value);
  return AppendRows(std::move(tag), s, kNaviActionOrder);
}
