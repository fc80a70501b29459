#include "dialogs/frmCard.h"

#include "dialogs/RowDialog.h"
#include "dialogs/logic/CardTag.h"
#include "res/resource.h"

namespace frmCard {
namespace {

constexpr TagDialog::RowControls kControls[] = {
    {0, IDC_CARD_TXTNAME},
    {IDC_CARD_CHKMARKBLE, IDC_CARD_CBOMARKBLE},   {IDC_CARD_CHKTITLE, IDC_CARD_TXTTITLE},
    {IDC_CARD_CHKKEY, IDC_CARD_TXTKEY},           {IDC_CARD_CHKBOOKMARK, IDC_CARD_TXTBOOKMARK},
    {IDC_CARD_CHKMETHOD, IDC_CARD_CBOMETHOD},     {IDC_CARD_CHKDEFAULT, IDC_CARD_TXTDEFAULT},
    {IDC_CARD_CHKIKEY, IDC_CARD_TXTIKEY},         {IDC_CARD_CHKIDEFAULT, IDC_CARD_TXTIDEFAULT},
};
static_assert(std::size(kControls) == std::size(kCardRows));

struct Form final : TagDialog::RowForm {
  Form() : RowForm(kCardForm, kControls, IDC_CARD_CBOCARD) {}

  void Prepare() override {
    AddPages(IDC_CARD_SSTAB1, {{L"カード", IDD_CARD_PAGECARD},
                               {L"アクセス", IDD_CARD_PAGEACCESS},
                               {L"変数", IDD_CARD_PAGEVARIABLES}});
    AddTooltip(IDC_CARD_CBOCARD, L"カードの種類を選択します。");
    AddTooltip(IDC_CARD_TXTNAME, L"カードの名前を入力します。");
    AddTooltip(IDC_TXTED, L"プレビュー");
  }
  // The end tag follows the kind as the combo holds it.
  std::wstring EndTag() const override { return EndTagOf(ComboText(IDC_CARD_CBOCARD)); }
};

}  // namespace

bool Show(HWND owner) { return TagDialog::Open<Form>(owner, IDD_CARD); }
bool Edit(HWND owner, const TagDialog::Existing& tag) { return TagDialog::Open<Form>(owner, IDD_CARD, &tag); }

}  // namespace frmCard
