#include "dialogs/logic/NaviTag.h"

#include "dialogs/frmNaviAControls.h"
#include "dialogs/frmNaviActionControls.h"
#include "dialogs/logic/Attribute.h"

namespace {

using S = NaviState;

// The twelve rows that both dialogs write in the same order after their own first rows. P is
// the dialog's control-id prefix (NAVIA, NAVIACTION).
#define NAVI_SHARED_ROWS(P)                                                                    \
  {IDC_##P##_CHKVARS, IDC_##P##_TXTVARS, &S::vars, L" VARS="},                                 \
  {IDC_##P##_CHKNEXT, IDC_##P##_TXTNEXT, &S::next, L" NEXT="},                                 \
  {IDC_##P##_CHKRECEIVE, IDC_##P##_TXTRECEIVE, &S::receive, L" RECEIVE="},                     \
  {IDC_##P##_CHKCANCEL, IDC_##P##_TXTCANCEL, &S::cancel, L" CANCEL="},                         \
  {IDC_##P##_CHKCLEAR, IDC_##P##_CBOCLEAR, &S::clear, L" CLEAR="},                             \
  {IDC_##P##_CHKSENDREFERER, IDC_##P##_TXTSENDREFERER, &S::sendReferer, L" SENDREFERER="},     \
  {IDC_##P##_CHKFRIEND, IDC_##P##_CBOFRIEND, &S::friendly, L" FRIEND="},                       \
  {IDC_##P##_CHKRETVALS, IDC_##P##_TXTRETVALS, &S::retvals, L" RETVALS="},                     \
  {IDC_##P##_CHKPOSTMETHOD, IDC_##P##_CBOPOSTMETHOD, &S::postMethod, L" POSTMETHOD="},         \
  {IDC_##P##_CHKPOSTDATA, IDC_##P##_TXTPOSTDATA, &S::postData, L" POSTDATA="},                 \
  {IDC_##P##_CHKNUMBER, IDC_##P##_TXTNUMBER, &S::number, L" NUMBER="},                         \
  {IDC_##P##_CHKACCEPTCHARSET, IDC_##P##_TXTACCEPTCHARSET, &S::acceptCharset, L" ACCEPTCHARSET="}

constexpr NaviRowDef kNaviARows[] = {
    {IDC_NAVIA_CHKTASK, IDC_NAVIA_CBOTASK, &S::task, L" TASK="},
    {IDC_NAVIA_CHKRELNEXT, 0, &S::relNext, L" REL=", L"NEXT"},
    {IDC_NAVIA_CHKLABEL, IDC_NAVIA_TXTLABEL, &S::label, L" LABEL="},
    {IDC_NAVIA_CHKDEST, IDC_NAVIA_TXTDEST, &S::dest, L" DEST="},
    NAVI_SHARED_ROWS(NAVIA),
};

constexpr NaviRowDef kNaviActionRows[] = {
    {0, IDC_NAVIACTION_CBOTYPE, &S::type, L" TYPE="},
    {0, IDC_NAVIACTION_CBOTASK, &S::task, L" TASK="},
    {IDC_NAVIACTION_CHKRELNEXT, 0, &S::relNext, L" REL=", L"NEXT"},
    {IDC_NAVIACTION_CHKDEST, IDC_NAVIACTION_TXTDEST, &S::dest, L" DEST="},
    {IDC_NAVIACTION_CHKLABEL, IDC_NAVIACTION_TXTLABEL, &S::label, L" LABEL="},
    NAVI_SHARED_ROWS(NAVIACTION),
    {IDC_NAVIACTION_CHKICON, IDC_NAVIACTION_TXTICON, &S::icon, L" ICON="},
    {IDC_NAVIACTION_CHKSRC, IDC_NAVIACTION_TXTSRC, &S::src, L" SRC="},
};

#undef NAVI_SHARED_ROWS

std::wstring Build(std::wstring tag, const NaviState& s, std::span<const NaviRowDef> rows) {
  for (const NaviRowDef& def : rows) {
    const NaviRow& row = s.*def.row;
    AppendAttribute(tag, !def.check || row.ticked, def.literal,
                    def.fixedValue ? std::wstring_view(def.fixedValue) : std::wstring_view(row.value));
  }
  return tag + L'>';
}

}  // namespace

std::span<const NaviRowDef> NaviARows() { return kNaviARows; }
std::span<const NaviRowDef> NaviActionRows() { return kNaviActionRows; }

std::wstring BuildNaviATag(const NaviState& s) { return Build(L"<A ", s, kNaviARows); }
std::wstring BuildNaviActionTag(const NaviState& s) { return Build(L"<ACTION", s, kNaviActionRows); }
