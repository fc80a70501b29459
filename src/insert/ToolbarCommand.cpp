#include "insert/ToolbarCommand.h"

#include "dialogs/frmCE.h"
#include "dialogs/frmCard.h"
#include "dialogs/frmDeck.h"
#include "dialogs/frmImg.h"
#include "dialogs/frmNaviA.h"
#include "dialogs/frmNaviAction.h"
#include "dialogs/frmText.h"
#include "insert/mdlHDML.h"

namespace {

constexpr ToolbarButton kButtons[] = {
    {nullptr, {}, true, nullptr},
    {L"デッキ", L"Deck", true, frmDeck::Show},
    {L"カード", L"Card", true, frmCard::Show},
    {L"テキスト整形", L"Center", true, frmText::Show},
    {L"ナビゲーション - A", L"NaviA", true, frmNaviA::Show},
    {L"ナビゲーション - ACTION", L"NaviAction", true, frmNaviAction::Show},
    {L"選択肢", L"CE", true, frmCE::Show},
    {L"画像", L"img", true, frmImg::Show},
    {nullptr, {}, false, nullptr},
    {L"テンプレート", L"templete", false, nullptr},
};

}  // namespace

std::span<const ToolbarButton> ToolbarButtons() { return kButtons; }

void Toolbar1_ButtonClick(std::wstring_view key, HWND owner) {
  for (const ToolbarButton& button : kButtons) {
    if (button.key && button.key == key && button.Show) {
      button.Show(owner);
      InsertPendingTags();
      return;
    }
  }
}
