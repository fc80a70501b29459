// frmCE: each Add stores the preview as one line of lstSnData; OK hands over the stored lines,
// never the preview.
#include "dialogs/frmCE.h"

#include <algorithm>

#include "dialogs/RowDialog.h"
#include "dialogs/logic/CETag.h"
#include "res/resource.h"

namespace frmCE {
namespace {

constexpr TagDialog::RowControls kControls[] = {
    {0, IDC_CE_CBOTYPE},
    {IDC_CE_CHKTASK, IDC_CE_CBOTASK},
    {IDC_CE_CHKLABEL, IDC_CE_TXTLABEL},
    {IDC_CE_CHKDEST, IDC_CE_TXTDEST},
    {IDC_CE_CHKVALUE, IDC_CE_TXTVALUE},
};
static_assert(std::size(kControls) == std::size(kCERows));

struct Form final : TagDialog::RowForm {
  Form() : RowForm(kCEForm, kControls) {}

  void Form_Load() override {
    // Design-time states that a template cannot carry (the other texts are in the template).
    SendMessageW(Item(IDC_CE_CHKMOJI), BM_SETCHECK, BST_CHECKED, 0);
    LoadRows(false);
    // Texts only: no list item is selected at load.
    SetText(IDC_CE_CBOTYPE, L"ACCEPT");
    SetText(IDC_CE_CBOTASK, L"GO");

    // Editing: the list starts with the selected lines, none of them picked.
    ShowList(CEList{Editing() ? SplitEntries(Editing()->tag) : std::vector<std::wstring>{}});
    Reset();
  }

  void Command(int id, int code) override {
    if (code == BN_CLICKED) {
      switch (id) {
        case IDC_CE_CMDADD: return cmdAdd_Click();
        case IDC_CE_CMDUP: return cmdUp_Click();
        case IDC_CE_CMDDOWN: return cmdDown_Click();
        case IDC_CE_CMDITEMDELETE: return cmdItemDelete_Click();
      }
    }
    RowForm::Command(id, code);
  }

  void cmdOK_Click() override { HandOver(JoinEntries(ReadList().entries), L""); }

  void cmdAdd_Click() {
    Reset();
    EditList([this](CEList& list) { return AddEntry(list, Text(IDC_TXTED)); });
  }
  void cmdUp_Click() { EditList(MoveUp); }
  void cmdDown_Click() { EditList(MoveDown); }
  void cmdItemDelete_Click() {
    if (!EditList(DeleteSelected)) MessageBeep(MB_OK);
  }

  std::wstring Preview() const override {
    return BuildCETag(ReadRows(), Ticked(IDC_CE_CHKMOJI), Text(IDC_CE_TXTMOJI));
  }

  // The list box is the list: read it, apply the operation, show the result. False when the
  // operation left the list as it was.
  template <class Operation> bool EditList(Operation operation) {
    CEList list = ReadList();
    if (!operation(list)) return false;
    ShowList(list);
    return true;
  }

  CEList ReadList() const {
    const HWND box = Item(IDC_CE_LSTSNDATA);
    CEList list;
    const LRESULT count = SendMessageW(box, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring entry(static_cast<size_t>(std::max<LRESULT>(SendMessageW(box, LB_GETTEXTLEN, i, 0), 0)) + 1, L'\0');
      const LRESULT got = SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
      entry.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
      list.entries.push_back(std::move(entry));
    }
    const LRESULT selected = SendMessageW(box, LB_GETCURSEL, 0, 0);
    list.selected = selected == LB_ERR ? CEList::kNone : static_cast<int>(selected);
    return list;
  }

  void ShowList(const CEList& list) const {
    const HWND box = Item(IDC_CE_LSTSNDATA);
    const LRESULT top = SendMessageW(box, LB_GETTOPINDEX, 0, 0);
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : list.entries)
      SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(box, LB_SETHORIZONTALEXTENT, WidestEntry(box, list), 0);
    SendMessageW(box, LB_SETTOPINDEX, top, 0);
    // After the top index, so that an entry moved past the visible rows is scrolled into view.
    if (list.selected != CEList::kNone) SendMessageW(box, LB_SETCURSEL, list.selected, 0);
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
  }

  // A list box scrolls sideways only as far as it is told; entries are often wider than it.
  static int WidestEntry(HWND box, const CEList& list) {
    const HDC dc = GetDC(box);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& entry : list.entries) {
      SIZE size{};
      GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    return widest + 4;   // the item's left margin and a little air
  }
};

}  // namespace

bool Show(HWND owner) { return TagDialog::Open<Form>(owner, IDD_CE); }
bool Edit(HWND owner, const TagDialog::Existing& lines) { return TagDialog::Open<Form>(owner, IDD_CE, &lines); }

}  // namespace frmCE
