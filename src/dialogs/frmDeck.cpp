#include "dialogs/frmDeck.h"

#include "dialogs/TagDialog.h"
#include "dialogs/logic/Attribute.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/SecCalc.h"
#include "res/resource.h"

namespace frmDeck {
namespace {

constexpr int txtSecCalc(int index) { return IDC_DECK_TXTSECCALC0 + index; }

struct Form final : TagDialog::Form, SecCalc::Converter {
  void Form_Load() override {
    AddPages(IDC_DECK_SSTAB1, {{L"デッキ", IDD_DECK_PAGEDECK}, {L"アクセス", IDD_DECK_PAGEACCESS}});
    // Design-time states that a template cannot carry (texts are in the template).
    for (int id : {IDC_DECK_CHKVERSION, IDC_DECK_CHKTTL, IDC_DECK_CHKMARKBLE})
      SendMessageW(Item(id), BM_SETCHECK, BST_CHECKED, 0);
    AddItems(IDC_DECK_CBOVERSION, {L"3.0", L"2.0"});
    AddItems(IDC_DECK_CBOMARKBLE, kTrueFalseItems);
    AddTooltip(IDC_DECK_CHKACCESSDOMAIN, L"主にMARKABLEをFALSEに下場合に利用します。");
    AddTooltip(IDC_DECK_CHKACCESSPATH, L"アクセスできない場合はこのデッキに飛びます。");

    SelectFirst(IDC_DECK_CBOVERSION);
    SelectFirst(IDC_DECK_CBOMARKBLE);
    Reset();
  }

  void Command(int id, int code) override {
    if (id == IDC_DECK_TXTTTL) {
      if (code == EN_CHANGE) txtTTL_Change();
    } else if (id >= txtSecCalc(0) && id <= txtSecCalc(3)) {
      if (code == EN_CHANGE) txtSecCalc_Change(id - txtSecCalc(0));
      if (code == EN_SETFOCUS) txtSecCalc_GotFocus(id - txtSecCalc(0));
    } else if (IsChange(id, code)) {
      Reset();
    }
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), kDeckEndTag);
  }

  void Reset() {
    DeckState s;
    s.version = Ticked(IDC_DECK_CHKVERSION);
    s.versionText = ComboText(IDC_DECK_CBOVERSION);
    s.ttl = Ticked(IDC_DECK_CHKTTL);
    s.ttlText = Text(IDC_DECK_TXTTTL);
    s.markable = Ticked(IDC_DECK_CHKMARKBLE);
    s.markableText = ComboText(IDC_DECK_CBOMARKBLE);
    s.accessDomain = Ticked(IDC_DECK_CHKACCESSDOMAIN);
    s.accessDomainText = Text(IDC_DECK_TXTACCESSDOMAIN);
    s.accessPath = Ticked(IDC_DECK_CHKACCESSPATH);
    s.accessPathText = Text(IDC_DECK_TXTACCESSPATH);
    SetText(IDC_TXTED, BuildDeckTag(s));
  }

  // The converter's boxes are this dialog's edit controls: their EN_CHANGE runs its rules.
  static int BoxId(int box) { return box == kTTL ? IDC_DECK_TXTTTL : txtSecCalc(box); }
  std::wstring BoxText(int box) const override { return Text(BoxId(box)); }
  bool SetBoxText(int box, const std::wstring& text) override {
    return TagDialog::SetTextIfChanged(Item(BoxId(box)), text);
  }
  void FocusBox(int box) override { SetFocus(Item(BoxId(box))); }
  void Changed() override { Reset(); }

  void txtSecCalc_GotFocus(int index) { SendMessageW(Item(txtSecCalc(index)), EM_SETSEL, 0, -1); }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_DECK);
}

}  // namespace frmDeck
