#include "dialogs/logic/NaviTag.h"

#include "dialogs/frmNaviAControls.h"
#include "dialogs/frmNaviActionControls.h"
#include "dialogs/logic/Attribute.h"

namespace {

using S = NaviState;

constexpr NaviRowDef kNaviARows[] = {
    {IDC_NAVIA_CHKTASK, IDC_NAVIA_CBOTASK, &S::task, L" TASK="},
    {IDC_NAVIA_CHKRELNEXT, 0, &S::relNext, L" REL=", L"NEXT"},
    {IDC_NAVIA_CHKLABEL, IDC_NAVIA_TXTLABEL, &S::label, L" LABEL="},
    {IDC_NAVIA_CHKDEST, IDC_NAVIA_TXTDEST, &S::dest, L" DEST="},
    {IDC_NAVIA_CHKVARS, IDC_NAVIA_TXTVARS, &S::vars, L" VARS="},
    {IDC_NAVIA_CHKNEXT, IDC_NAVIA_TXTNEXT, &S::next, L" NEXT="},
    {IDC_NAVIA_CHKRECEIVE, IDC_NAVIA_TXTRECEIVE, &S::receive, L" RECEIVE="},
    {IDC_NAVIA_CHKCANCEL, IDC_NAVIA_TXTCANCEL, &S::cancel, L" CANCEL="},
    {IDC_NAVIA_CHKCLEAR, IDC_NAVIA_CBOCLEAR, &S::clear, L" CLEAR="},
    {IDC_NAVIA_CHKSENDREFERER, IDC_NAVIA_TXTSENDREFERER, &S::sendReferer, L" SENDREFERER="},
    {IDC_NAVIA_CHKFRIEND, IDC_NAVIA_CBOFRIEND, &S::friendly, L" FRIEND="},
    {IDC_NAVIA_CHKRETVALS, IDC_NAVIA_TXTRETVALS, &S::retvals, L" RETVALS="},
    {IDC_NAVIA_CHKPOSTMETHOD, IDC_NAVIA_CBOPOSTMETHOD, &S::postMethod, L" POSTMETHOD="},
    {IDC_NAVIA_CHKPOSTDATA, IDC_NAVIA_TXTPOSTDATA, &S::postData, L" POSTDATA="},
    {IDC_NAVIA_CHKNUMBER, IDC_NAVIA_TXTNUMBER, &S::number, L" NUMBER="},
    {IDC_NAVIA_CHKACCEPTCHARSET, IDC_NAVIA_TXTACCEPTCHARSET, &S::acceptCharset, L" ACCEPTCHARSET="},
};

constexpr NaviRowDef kNaviActionRows[] = {
    {0, IDC_NAVIACTION_CBOTYPE, &S::type, L" TYPE="},
    {0, IDC_NAVIACTION_CBOTASK, &S::task, L" TASK="},
    {IDC_NAVIACTION_CHKRELNEXT, 0, &S::relNext, L" REL=", L"NEXT"},
    {IDC_NAVIACTION_CHKDEST, IDC_NAVIACTION_TXTDEST, &S::dest, L" DEST="},
    {IDC_NAVIACTION_CHKLABEL, IDC_NAVIACTION_TXTLABEL, &S::label, L" LABEL="},
    {IDC_NAVIACTION_CHKVARS, IDC_NAVIACTION_TXTVARS, &S::vars, L" VARS="},
    {IDC_NAVIACTION_CHKNEXT, IDC_NAVIACTION_TXTNEXT, &S::next, L" NEXT="},
    {IDC_NAVIACTION_CHKRECEIVE, IDC_NAVIACTION_TXTRECEIVE, &S::receive, L" RECEIVE="},
    {IDC_NAVIACTION_CHKCANCEL, IDC_NAVIACTION_TXTCANCEL, &S::cancel, L" CANCEL="},
    {IDC_NAVIACTION_CHKCLEAR, IDC_NAVIACTION_CBOCLEAR, &S::clear, L" CLEAR="},
    {IDC_NAVIACTION_CHKSENDREFERER, IDC_NAVIACTION_TXTSENDREFERER, &S::sendReferer, L" SENDREFERER="},
    {IDC_NAVIACTION_CHKFRIEND, IDC_NAVIACTION_CBOFRIEND, &S::friendly, L" FRIEND="},
    {IDC_NAVIACTION_CHKRETVALS, IDC_NAVIACTION_TXTRETVALS, &S::retvals, L" RETVALS="},
    {IDC_NAVIACTION_CHKPOSTMETHOD, IDC_NAVIACTION_CBOPOSTMETHOD, &S::postMethod, L" POSTMETHOD="},
    {IDC_NAVIACTION_CHKPOSTDATA, IDC_NAVIACTION_TXTPOSTDATA, &S::postData, L" POSTDATA="},
    {IDC_NAVIACTION_CHKNUMBER, IDC_NAVIACTION_TXTNUMBER, &S::number, L" NUMBER="},
    {IDC_NAVIACTION_CHKACCEPTCHARSET, IDC_NAVIACTION_TXTACCEPTCHARSET, &S::acceptCharset, L" ACCEPTCHARSET="},
    {IDC_NAVIACTION_CHKICON, IDC_NAVIACTION_TXTICON, &S::icon, L" ICON="},
    {IDC_NAVIACTION_CHKSRC, IDC_NAVIACTION_TXTSRC, &S::src, L" SRC="},
};

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
