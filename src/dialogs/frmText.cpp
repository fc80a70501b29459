// frmText: picks a text formatting element; the tags are built only at OK (no preview, no Reset).
#include "dialogs/frmText.h"

#include "dialogs/TagDialog.h"
#include "dialogs/logic/TextTag.h"
#include "res/resource.h"

namespace frmText {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddItems(IDC_TEXT_CBOTAG, kTextTagNames);
    SelectFirst(IDC_TEXT_CBOTAG);
    if (const TagDialog::Existing* editing = Editing()) {
      // The element picked, its other attributes kept; whether its end tag is there is shown,
      // not offered: the end tag is renamed with the element, never added or taken away.
      m_state = RowsFromTag(kTextForm, editing->tag, {});
      const LRESULT index = SendMessageW(Item(IDC_TEXT_CBOTAG), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(m_state.element.c_str()));
      if (index != CB_ERR) SendMessageW(Item(IDC_TEXT_CBOTAG), CB_SETCURSEL, index, 0);
      SendMessageW(Item(IDC_TEXT_CHKCLOSETAG), BM_SETCHECK, editing->hasEndTag ? BST_CHECKED : BST_UNCHECKED, 0);
      EnableWindow(Item(IDC_TEXT_CHKCLOSETAG), FALSE);
    }
  }
  void Command(int, int) override {}   // nothing but OK and Cancel has a handler
  void cmdOK_Click() override {
    m_state.element = ComboText(IDC_TEXT_CBOTAG);
    TextTags tags = BuildTextTags(m_state, !Editing() && Ticked(IDC_TEXT_CHKCLOSETAG));
    HandOver(std::move(tags.startTag), std::move(tags.endTag));
  }
  TagState m_state;   // the kept attributes of a tag being edited
};

}  // namespace

bool Show(HWND owner) { return TagDialog::Open<Form>(owner, IDD_TEXT); }
bool Edit(HWND owner, const TagDialog::Existing& tag) { return TagDialog::Open<Form>(owner, IDD_TEXT, &tag); }

}  // namespace frmText
