#include "insert/ToolbarCommand.h"

#include "common/Ansi.h"
#include "dialogs/frmCE.h"
#include "dialogs/frmCard.h"
#include "dialogs/frmDeck.h"
#include "dialogs/frmImg.h"
#include "dialogs/frmNaviA.h"
#include "dialogs/frmNaviAction.h"
#include "dialogs/frmText.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/TextTag.h"

namespace {

// The element a form always writes, as the one element its button opens again.
constexpr std::span<const std::wstring_view> Element(const TagForm& form) { return {&form.element, 1}; }

constexpr ToolbarButton kButtons[] = {
    {nullptr, {}, true, nullptr},
    {L"デッキ", L"Deck", true, frmDeck::Show, frmDeck::Edit, {Element(kDeckForm)}},
    {L"カード", L"Card", true, frmCard::Show, frmCard::Edit, {kCardForm.elements}},
    {L"テキスト整形", L"Center", true, frmText::Show, frmText::Edit, {kTextForm.elements, false, true}},
    {L"ナビゲーション - A", L"NaviA", true, frmNaviA::Show, frmNaviA::Edit, {Element(kNaviAForm)}},
    {L"ナビゲーション - ACTION", L"NaviAction", true, frmNaviAction::Show, frmNaviAction::Edit,
     {Element(kNaviActionForm)}},
    {L"選択肢", L"CE", true, frmCE::Show, frmCE::Edit, {Element(kCEForm), true}},
    {L"画像", L"img", true, frmImg::Show, frmImg::Edit, {Element(kImgForm)}},
    {nullptr, {}, false, nullptr},
    {L"テンプレート", L"templete", false, nullptr},
};

}  // namespace

std::span<const ToolbarButton> ToolbarButtons() { return kButtons; }

void Toolbar1_ButtonClick(std::wstring_view key, HWND owner, EditorAccess& editor) {
  for (const ToolbarButton& button : kButtons) {
    if (button.key && button.key == key && button.Show) {
      const TagTarget target = FindTagTarget(editor, button.readBack);
      const TagDialog::Existing existing{FromAnsi(target.bytes), target.hasEndTag};
      if (target.edit ? button.Edit(owner, existing) : button.Show(owner))
        ApplyPendingTags(editor, button.readBack, target);
      return;
    }
  }
}
