// frmText: picks a text formatting element; the tags are built only at OK (no preview, no Reset).
#include "dialogs/frmText.h"

#include "dialogs/TagDialog.h"
#include "dialogs/logic/TextTag.h"
#include "res/resource.h"

namespace frmText {
namespace {

struct Form final : TagDialog::Form {
  void Form_Load() override {
    for (std::wstring_view name : kTextTagNames) AddItems(IDC_TEXT_CBOTAG, {name});
    SelectFirst(IDC_TEXT_CBOTAG);
  }
  void Command(int, int) override {}   // nothing but OK and Cancel has a handler
  void cmdOK_Click() override {
    TextTags tags = BuildTextTags(ComboText(IDC_TEXT_CBOTAG), Ticked(IDC_TEXT_CHKCLOSETAG));
    HandOver(std::move(tags.startTag), std::move(tags.endTag));
  }
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_TEXT);
}

}  // namespace frmText
