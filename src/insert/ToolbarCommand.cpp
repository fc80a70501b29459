// The dispatch table of the toolbar command: one line registers a dialog under its button's key.
#include "insert/ToolbarCommand.h"

#include <iterator>

#include "dialogs/frmCE.h"
#include "dialogs/frmCard.h"
#include "dialogs/frmDeck.h"
#include "dialogs/frmImg.h"
#include "dialogs/frmNaviA.h"
#include "dialogs/frmNaviAction.h"
#include "dialogs/frmText.h"
#include "insert/mdlHDML.h"

namespace {

struct Command {
  std::wstring_view key;
  bool (*Show)(HWND owner);   // the dialog, shown modally; returns when it has unloaded
};

// "テンプレート" has no dialog: like any key not listed here, its click does nothing.
constexpr Command kDispatch[] = {
    {L"デッキ", frmDeck::Show},
    {L"カード", frmCard::Show},
    {L"選択肢", frmCE::Show},
    {L"画像", frmImg::Show},
    {L"テキスト整形", frmText::Show},
    {L"ナビゲーション - A", frmNaviA::Show},
    {L"ナビゲーション - ACTION", frmNaviAction::Show},
};

}  // namespace

void Toolbar1_ButtonClick(std::wstring_view key, HWND owner) {
  for (const Command& command : kDispatch) {
    if (command.key == key) {
      command.Show(owner);
      InsertPendingTags();
      return;
    }
  }
}
