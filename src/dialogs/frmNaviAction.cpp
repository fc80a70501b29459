#include "dialogs/frmNaviAction.h"

#include "dialogs/TagDialog.h"
#include "dialogs/logic/NaviTag.h"
#include "res/resource.h"

namespace frmNaviAction {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddPages(IDC_NAVIACTION_SSTAB1, {{L"ナビゲーション", IDD_NAVIACTION_PAGENAVI},
                                     {L"変数", IDD_NAVIACTION_PAGEVARS},
                                     {L"データ", IDD_NAVIACTION_PAGEDATA},
                                     {L"画像", IDD_NAVIACTION_PAGEIMAGE}});
    // Design-time states that a template cannot carry (texts are in the template).
    for (int id : {IDC_NAVIACTION_CHKLABEL, IDC_NAVIACTION_CHKDEST})
      SendMessageW(Item(id), BM_SETCHECK, BST_CHECKED, 0);
    AddItems(IDC_NAVIACTION_CBOTYPE, {L"ACCEPT", L"SOFT1"});
    AddItems(IDC_NAVIACTION_CBOTASK, {L"GO", L"GOSUB", L"PREV", L"RETURN", L"CANCEL", L"CALL", L"NOOP"});
    AddItems(IDC_NAVIACTION_CBOFRIEND, {L"True", L"False"});
    AddItems(IDC_NAVIACTION_CBOCLEAR, {L"True", L"False"});
    AddItems(IDC_NAVIACTION_CBOPOSTMETHOD, {L"GET", L"POST"});

    SelectFirst(IDC_NAVIACTION_CBOTYPE);
    SelectFirst(IDC_NAVIACTION_CBOTASK);
    SelectFirst(IDC_NAVIACTION_CBOCLEAR);
    SelectFirst(IDC_NAVIACTION_CBOFRIEND);
    SelectFirst(IDC_NAVIACTION_CBOPOSTMETHOD);
    Reset();
  }

  void Command(int id, int code) override {
    if (IsChange(id, code)) Reset();
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), kNaviActionEndTag);
  }

  void Reset() {
    NaviState s;
    s.type = ComboText(IDC_NAVIACTION_CBOTYPE);
    s.task.value = ComboText(IDC_NAVIACTION_CBOTASK);
    s.label = {Ticked(IDC_NAVIACTION_CHKLABEL), Text(IDC_NAVIACTION_TXTLABEL)};
    s.relNext.ticked = Ticked(IDC_NAVIACTION_CHKRELNEXT);
    s.dest = {Ticked(IDC_NAVIACTION_CHKDEST), Text(IDC_NAVIACTION_TXTDEST)};
    s.next = {Ticked(IDC_NAVIACTION_CHKNEXT), Text(IDC_NAVIACTION_TXTNEXT)};
    s.cancel = {Ticked(IDC_NAVIACTION_CHKCANCEL), Text(IDC_NAVIACTION_TXTCANCEL)};
    s.friendly = {Ticked(IDC_NAVIACTION_CHKFRIEND), ComboText(IDC_NAVIACTION_CBOFRIEND)};
    s.number = {Ticked(IDC_NAVIACTION_CHKNUMBER), Text(IDC_NAVIACTION_TXTNUMBER)};
    s.vars = {Ticked(IDC_NAVIACTION_CHKVARS), Text(IDC_NAVIACTION_TXTVARS)};
    s.receive = {Ticked(IDC_NAVIACTION_CHKRECEIVE), Text(IDC_NAVIACTION_TXTRECEIVE)};
    s.clear = {Ticked(IDC_NAVIACTION_CHKCLEAR), ComboText(IDC_NAVIACTION_CBOCLEAR)};
    s.retvals = {Ticked(IDC_NAVIACTION_CHKRETVALS), Text(IDC_NAVIACTION_TXTRETVALS)};
    s.sendReferer = {Ticked(IDC_NAVIACTION_CHKSENDREFERER), Text(IDC_NAVIACTION_TXTSENDREFERER)};
    s.postMethod = {Ticked(IDC_NAVIACTION_CHKPOSTMETHOD), ComboText(IDC_NAVIACTION_CBOPOSTMETHOD)};
    s.postData = {Ticked(IDC_NAVIACTION_CHKPOSTDATA), Text(IDC_NAVIACTION_TXTPOSTDATA)};
    s.acceptCharset = {Ticked(IDC_NAVIACTION_CHKACCEPTCHARSET), Text(IDC_NAVIACTION_TXTACCEPTCHARSET)};
    s.src = {Ticked(IDC_NAVIACTION_CHKSRC), Text(IDC_NAVIACTION_TXTSRC)};
    s.icon = {Ticked(IDC_NAVIACTION_CHKICON), Text(IDC_NAVIACTION_TXTICON)};
    SetText(IDC_TXTED, BuildNaviActionTag(s));
  }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_NAVIACTION);
}

}  // namespace frmNaviAction
