#include "dialogs/frmDeck.h"

#include "dialogs/RowDialog.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/SecCalc.h"
#include "res/resource.h"

namespace frmDeck {
namespace {

constexpr int txtSecCalc(int index) { return IDC_DECK_TXTSECCALC0 + index; }

constexpr TagDialog::RowControls kControls[] = {
    {IDC_DECK_CHKVERSION, IDC_DECK_CBOVERSION},          {IDC_DECK_CHKTTL, IDC_DECK_TXTTTL},
    {IDC_DECK_CHKMARKBLE, IDC_DECK_CBOMARKBLE},          {IDC_DECK_CHKACCESSDOMAIN, IDC_DECK_TXTACCESSDOMAIN},
    {IDC_DECK_CHKACCESSPATH, IDC_DECK_TXTACCESSPATH},
};
static_assert(std::size(kControls) == std::size(kDeckRows));

struct Form final : TagDialog::RowForm, SecCalc::Converter {
  Form() : RowForm(kDeckForm, kControls) {}

  void Prepare() override {
    AddPages(IDC_DECK_SSTAB1, {{L"デッキ", IDD_DECK_PAGEDECK}, {L"アクセス", IDD_DECK_PAGEACCESS}});
    AddTooltip(IDC_DECK_CHKACCESSDOMAIN, L"主にMARKABLEをFALSEに下場合に利用します。");
    AddTooltip(IDC_DECK_CHKACCESSPATH, L"アクセスできない場合はこのデッキに飛びます。");
  }
  std::wstring EndTag() const override { return kDeckEndTag; }

  void Command(int id, int code) override {
    if (id == IDC_DECK_TXTTTL) {
      if (code == EN_CHANGE) txtTTL_Change();
    } else if (id >= txtSecCalc(0) && id <= txtSecCalc(3)) {
      if (code == EN_CHANGE) txtSecCalc_Change(id - txtSecCalc(0));
      if (code == EN_SETFOCUS) txtSecCalc_GotFocus(id - txtSecCalc(0));
    } else {
      RowForm::Command(id, code);
    }
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

bool Show(HWND owner) { return TagDialog::Open<Form>(owner, IDD_DECK); }
bool Edit(HWND owner, const TagDialog::Existing& tag) { return TagDialog::Open<Form>(owner, IDD_DECK, &tag); }

}  // namespace frmDeck
