#include "dialogs/frmNaviA.h"

#include "dialogs/TagDialog.h"
#include "dialogs/logic/NaviTag.h"
#include "res/resource.h"

namespace frmNaviA {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddPages(IDC_NAVIA_SSTAB1, {{L"ナビゲーション", IDD_NAVIA_PAGENAVI},
                                {L"変数", IDD_NAVIA_PAGEVARS},
                                {L"データ", IDD_NAVIA_PAGEDATA}});
    // Design-time states that a template cannot carry (texts are in the template).
    for (int id : {IDC_NAVIA_CHKLABEL, IDC_NAVIA_CHKDEST})
      SendMessageW(Item(id), BM_SETCHECK, BST_CHECKED, 0);
    AddItems(IDC_NAVIA_CBOTASK, {L"GO", L"GOSUB", L"PREV", L"RETURN", L"CANCEL", L"CALL", L"NOOP"});
    AddItems(IDC_NAVIA_CBOFRIEND, {L"True", L"False"});
    AddItems(IDC_NAVIA_CBOCLEAR, {L"True", L"False"});
    AddItems(IDC_NAVIA_CBOPOSTMETHOD, {L"GET", L"POST"});

    SelectFirst(IDC_NAVIA_CBOTASK);
    SelectFirst(IDC_NAVIA_CBOCLEAR);
    SelectFirst(IDC_NAVIA_CBOFRIEND);
    SelectFirst(IDC_NAVIA_CBOPOSTMETHOD);
    Reset();
  }

  void Command(int id, int code) override {
    if (IsChange(id, code)) Reset();
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), kNaviAEndTag);
  }

  void Reset() {
    NaviState s;
    s.task = {Ticked(IDC_NAVIA_CHKTASK), ComboText(IDC_NAVIA_CBOTASK)};
    s.relNext.ticked = Ticked(IDC_NAVIA_CHKRELNEXT);
    s.label = {Ticked(IDC_NAVIA_CHKLABEL), Text(IDC_NAVIA_TXTLABEL)};
    s.dest = {Ticked(IDC_NAVIA_CHKDEST), Text(IDC_NAVIA_TXTDEST)};
    s.next = {Ticked(IDC_NAVIA_CHKNEXT), Text(IDC_NAVIA_TXTNEXT)};
    s.cancel = {Ticked(IDC_NAVIA_CHKCANCEL), Text(IDC_NAVIA_TXTCANCEL)};
    s.friendly = {Ticked(IDC_NAVIA_CHKFRIEND), ComboText(IDC_NAVIA_CBOFRIEND)};
    s.number = {Ticked(IDC_NAVIA_CHKNUMBER), Text(IDC_NAVIA_TXTNUMBER)};
    s.vars = {Ticked(IDC_NAVIA_CHKVARS), Text(IDC_NAVIA_TXTVARS)};
    s.receive = {Ticked(IDC_NAVIA_CHKRECEIVE), Text(IDC_NAVIA_TXTRECEIVE)};
    s.clear = {Ticked(IDC_NAVIA_CHKCLEAR), ComboText(IDC_NAVIA_CBOCLEAR)};
    s.retvals = {Ticked(IDC_NAVIA_CHKRETVALS), Text(IDC_NAVIA_TXTRETVALS)};
    s.sendReferer = {Ticked(IDC_NAVIA_CHKSENDREFERER), Text(IDC_NAVIA_TXTSENDREFERER)};
    s.postMethod = {Ticked(IDC_NAVIA_CHKPOSTMETHOD), ComboText(IDC_NAVIA_CBOPOSTMETHOD)};
    s.postData = {Ticked(IDC_NAVIA_CHKPOSTDATA), Text(IDC_NAVIA_TXTPOSTDATA)};
    s.acceptCharset = {Ticked(IDC_NAVIA_CHKACCEPTCHARSET), Text(IDC_NAVIA_TXTACCEPTCHARSET)};
    SetText(IDC_TXTED, BuildNaviATag(s));
  }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_NAVIA);
}

}  // namespace frmNaviA
