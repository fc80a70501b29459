// The text formatting dialog and the protocol it shares with every tag dialog, driven from
// inside its own modal loop by the messages a user's input produces: the dialog is created
// from its real template, owned by a hidden window as the toolbar's dialogs are.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "DialogDriver.h"
#include "dialogs/TagDialog.h"
#include "dialogs/frmText.h"

using namespace DialogDriver;

namespace {

class FrmText : public TagDialogTest {};

TEST_F(FrmText, OpensAtItsDesignedDefaultsInFrontAndFocused) {
  const bool ok = RunDialog(frmText::Show, [](HWND dialog) {
    ExpectAsOpened(dialog, {{0, L"テキスト整形"},
                            {IDC_TEXT_LBLTITLE, L"タグ(&T)："},
                            {IDC_TEXT_CBOTAG, L"BR", -1, L"BR,CENTER,RIGHT,TAB,WRAP,LINE"},
                            {IDOK, L"OK(&O)"},
                            {IDCANCEL, L"キャンセル(&C)"},
                            {IDC_TEXT_CHKCLOSETAG, L"閉じタグ(&T)", kUnticked}});
    EXPECT_EQ(Dialog{dialog}.comboKind(IDC_TEXT_CBOTAG), CBS_DROPDOWNLIST);
    ExpectOwnedFixedFrame(dialog);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(GetFocus(), Find(dialog, IDC_TEXT_CBOTAG)) << "focus belongs to cboTag, first in the tab order";
    Click(Find(dialog, IDCANCEL));
  });
  EXPECT_FALSE(ok);
}

// Every way the user can close the dialog, and the tags it leaves behind. The cases run one
// after another and each expects the designed defaults: nothing of a showing is remembered.
TEST_F(FrmText, EachWayOfClosingHandsOverTheRightTags) {
  struct Case {
    const char* name;
    std::function<void(HWND)> user;
    bool ok;
    const wchar_t* start;
    const wchar_t* end;
  };
  const auto tick = [](HWND d) { Click(Find(d, IDC_TEXT_CHKCLOSETAG)); };
  const Case cases[] = {
      {"Enter at once", [](HWND d) { Key(d, VK_RETURN); }, true, L"<BR>", L""},
      {"OK at once", [](HWND d) { Click(Find(d, IDOK)); }, true, L"<BR>", L""},
      {"CENTER picked, close tag ticked, OK",
       [&](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 1); tick(d); Click(Find(d, IDOK)); }, true, L"<CENTER>", L"</CENTER>"},
      {"close tag for the line break too", [&](HWND d) { tick(d); Key(d, VK_RETURN); }, true, L"<BR>", L"</BR>"},
      {"ticked then unticked",
       [&](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 5); tick(d); tick(d); Click(Find(d, IDOK)); }, true, L"<LINE>", L""},
      {"arrow key down the list, then Enter",
       [](HWND d) { Key(d, VK_DOWN); Key(d, VK_DOWN); Key(d, VK_RETURN); }, true, L"<RIGHT>", L""},
      {"Esc", [&](HWND d) { tick(d); Key(d, VK_ESCAPE); }, false, L"", L""},
      {"Cancel button", [](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 2); Click(Find(d, IDCANCEL)); }, false, L"", L""},
      {"close box", [](HWND d) { SendMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, false, L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PendingTagsOfAnEarlierOK();
    EXPECT_EQ(RunDialog(frmText::Show, c.user), c.ok);
    EXPECT_EQ(gStartTag, c.start);
    EXPECT_EQ(gEndTag, c.end);
  }
}

// --- the protocol's own pieces

struct ChangeCounter {
  HWND parent = nullptr, edit = nullptr;
  static inline int changes = 0;
  ChangeCounter() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_COMMAND && HIWORD(w) == EN_CHANGE) ++changes;
      return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestChangeCounter";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    edit = CreateWindowExW(0, L"EDIT", L"3", WS_CHILD, 0, 0, 50, 20, parent, nullptr, wc.hInstance, nullptr);
  }
  ~ChangeCounter() { DestroyWindow(parent); }
};

TEST(TagDialogProtocol, AnEqualAssignmentRunsNoChangeEvent) {
  ChangeCounter c;
  ChangeCounter::changes = 0;
  SetWindowTextW(c.edit, L"3");
  EXPECT_EQ(ChangeCounter::changes, 1) << "Windows: WM_SETTEXT of an equal text still sends EN_CHANGE";

  ChangeCounter::changes = 0;
  EXPECT_FALSE(TagDialog::SetTextIfChanged(c.edit, L"3"));
  EXPECT_EQ(ChangeCounter::changes, 0);
  EXPECT_TRUE(TagDialog::SetTextIfChanged(c.edit, L"30"));
  EXPECT_EQ(ChangeCounter::changes, 1);
  EXPECT_EQ(TagDialog::Text(c.edit), L"30");
  EXPECT_TRUE(TagDialog::SetTextIfChanged(c.edit, L""));
  EXPECT_EQ(TagDialog::Text(c.edit), L"");
}

TEST(TagDialogProtocol, ADialogThatCannotBeCreatedHandsNothingOver) {
  struct Missing final : TagDialog::Form {
    void Form_Load() override {}
    void Command(int, int) override {}
    void cmdOK_Click() override { HandOver(L"<X>", L"</X>"); }
  } form;
  PendingTagsOfAnEarlierOK();
  EXPECT_FALSE(TagDialog::Show(form, nullptr, 9999));
  EXPECT_EQ(gStartTag, L"");
  EXPECT_EQ(gEndTag, L"");
}

// A handler that throws must not take the program down through the dialog manager.
TEST(TagDialogProtocol, AnExceptionInAHandlerLeavesTheDialogWorking) {
  struct Throwing final : TagDialog::Form {
    int commands = 0;
    void Form_Load() override {}
    void Command(int, int) override { ++commands; throw std::runtime_error("handler failed"); }
    void cmdOK_Click() override { HandOver(L"<OK>", L""); }
  } form;
  EXPECT_TRUE(RunDialog([&](HWND owner) { return TagDialog::Show(form, owner, IDD_TEXT); },
                        [](HWND d) { Click(Find(d, IDC_TEXT_CHKCLOSETAG)); Click(Find(d, IDOK)); }));
  EXPECT_GE(form.commands, 1);
  EXPECT_EQ(gStartTag, L"<OK>");
}

}  // namespace
