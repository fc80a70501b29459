#include "dialogs/frmNaviAction.h"

#include "dialogs/NaviDialog.h"
#include "res/resource.h"

namespace frmNaviAction {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddPages(IDC_NAVIACTION_SSTAB1, {{L"ナビゲーション", IDD_NAVIACTION_PAGENAVI},
                                     {L"変数", IDD_NAVIACTION_PAGEVARS},
                                     {L"データ", IDD_NAVIACTION_PAGEDATA},
                                     {L"画像", IDD_NAVIACTION_PAGEIMAGE}});
    AddItems(IDC_NAVIACTION_CBOTYPE, kSoftKeyItems);
    SelectFirst(IDC_NAVIACTION_CBOTYPE);
    NaviDialog::LoadDefaults(*this, {IDC_NAVIACTION_CHKLABEL, IDC_NAVIACTION_CHKDEST, IDC_NAVIACTION_CBOTASK,
                                     IDC_NAVIACTION_CBOFRIEND, IDC_NAVIACTION_CBOCLEAR,
                                     IDC_NAVIACTION_CBOPOSTMETHOD});
    Reset();
  }

  void Command(int id, int code) override {
    if (IsChange(id, code)) Reset();
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), kNaviActionEndTag);
  }

  void Reset() { SetText(IDC_TXTED, BuildNaviActionTag(NaviDialog::Read(*this, NaviActionRows()))); }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_NAVIACTION);
}

}  // namespace frmNaviAction
