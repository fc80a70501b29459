#include "dialogs/frmNaviA.h"

#include "dialogs/NaviDialog.h"
#include "res/resource.h"

namespace frmNaviA {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddPages(IDC_NAVIA_SSTAB1, {{L"ナビゲーション", IDD_NAVIA_PAGENAVI},
                                {L"変数", IDD_NAVIA_PAGEVARS},
                                {L"データ", IDD_NAVIA_PAGEDATA}});
    NaviDialog::LoadDefaults(*this, {IDC_NAVIA_CHKLABEL, IDC_NAVIA_CHKDEST, IDC_NAVIA_CBOTASK,
                                     IDC_NAVIA_CBOFRIEND, IDC_NAVIA_CBOCLEAR, IDC_NAVIA_CBOPOSTMETHOD});
    Reset();
  }

  void Command(int id, int code) override {
    if (IsChange(id, code)) Reset();
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), kNaviAEndTag);
  }

  void Reset() { SetText(IDC_TXTED, BuildNaviATag(NaviDialog::Read(*this, NaviARows()))); }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_NAVIA);
}

}  // namespace frmNaviA
