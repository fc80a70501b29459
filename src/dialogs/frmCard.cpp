#include "dialogs/frmCard.h"

#include "dialogs/TagDialog.h"
#include "dialogs/logic/Attribute.h"
#include "dialogs/logic/CardTag.h"
#include "res/resource.h"

namespace frmCard {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddPages(IDC_CARD_SSTAB1, {{L"カード", IDD_CARD_PAGECARD},
                               {L"アクセス", IDD_CARD_PAGEACCESS},
                               {L"変数", IDD_CARD_PAGEVARIABLES}});
    // Design-time states that a template cannot carry (texts are in the template).
    for (int id : {IDC_CARD_CHKTITLE, IDC_CARD_CHKMARKBLE})
      SendMessageW(Item(id), BM_SETCHECK, BST_CHECKED, 0);
    AddItems(IDC_CARD_CBOCARD, {L"DISPLAY", L"CHOICE", L"ENTRY", L"NODISPLAY"});
    AddItems(IDC_CARD_CBOMARKBLE, kTrueFalseItems);
    AddItems(IDC_CARD_CBOMETHOD, {L"NUMBER", L"ALPHA"});
    AddTooltip(IDC_CARD_CBOCARD, L"カードの種類を選択します。");
    AddTooltip(IDC_CARD_TXTNAME, L"カードの名前を入力します。");
    AddTooltip(IDC_TXTED, L"プレビュー");

    SelectFirst(IDC_CARD_CBOCARD);
    SelectFirst(IDC_CARD_CBOMARKBLE);
    SelectFirst(IDC_CARD_CBOMETHOD);
    Reset();
  }

  void Command(int id, int code) override {
    if (IsChange(id, code)) Reset();
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), BuildCardEndTag(ComboText(IDC_CARD_CBOCARD)));
  }

  void Reset() {
    CardState s;
    s.kind = ComboText(IDC_CARD_CBOCARD);
    s.name = Text(IDC_CARD_TXTNAME);
    s.markable = Ticked(IDC_CARD_CHKMARKBLE);
    s.markableText = ComboText(IDC_CARD_CBOMARKBLE);
    s.title = Ticked(IDC_CARD_CHKTITLE);
    s.titleText = Text(IDC_CARD_TXTTITLE);
    s.key = Ticked(IDC_CARD_CHKKEY);
    s.keyText = Text(IDC_CARD_TXTKEY);
    s.bookMark = Ticked(IDC_CARD_CHKBOOKMARK);
    s.bookMarkText = Text(IDC_CARD_TXTBOOKMARK);
    s.method = Ticked(IDC_CARD_CHKMETHOD);
    s.methodText = ComboText(IDC_CARD_CBOMETHOD);
    s.defaultValue = Ticked(IDC_CARD_CHKDEFAULT);
    s.defaultText = Text(IDC_CARD_TXTDEFAULT);
    s.ikey = Ticked(IDC_CARD_CHKIKEY);
    s.ikeyText = Text(IDC_CARD_TXTIKEY);
    s.iDefault = Ticked(IDC_CARD_CHKIDEFAULT);
    s.iDefaultText = Text(IDC_CARD_TXTIDEFAULT);
    SetText(IDC_TXTED, BuildCardTag(s));
  }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_CARD);
}

}  // namespace frmCard
