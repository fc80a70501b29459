// The choice entry dialog from its real template, driven through its real controls inside its
// own modal loop: entries added by Enter and by the add button, rows picked by clicks, the list
// edited with its buttons, OK / Cancel / Esc / close box.
#include <gtest/gtest.h>

#include <vector>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmCE.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

using namespace DialogDriver;

namespace {

constexpr wchar_t kInitialEntry[] = L"<CE TYPE=\"ACCEPT\" DEST=\"\">新しい項目";

struct CE : Dialog {
  HWND list() const { return ctl(IDC_CE_LSTSNDATA); }
  std::vector<std::wstring> entries() const {
    std::vector<std::wstring> all;
    const int n = static_cast<int>(SendMessageW(list(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      std::wstring entry(static_cast<size_t>(SendMessageW(list(), LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      entry.resize(static_cast<size_t>(SendMessageW(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
      all.push_back(entry);
    }
    return all;
  }
  int selected() const { return static_cast<int>(SendMessageW(list(), LB_GETCURSEL, 0, 0)); }
  // A left click on row `index` of the list, as the mouse sends it.
  void clickRow(int index) const {
    RECT r{};
    SendMessageW(list(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list(), WM_LBUTTONUP, 0, at);
  }
  // Entries whose shown text is `text` and which carry no DEST: "<CE TYPE="ACCEPT">text".
  void addShown(std::initializer_list<const wchar_t*> texts) const {
    if (ticked(IDC_CE_CHKDEST)) Click(ctl(IDC_CE_CHKDEST));
    for (const wchar_t* text : texts) {
      typeInto(IDC_CE_TXTMOJI, text);
      Click(ctl(IDC_CE_CMDADD));
    }
  }
};

std::wstring Shown(const wchar_t* text) { return L"<CE TYPE=\"ACCEPT\">" + std::wstring(text); }

class CEDialog : public TagDialogTest {};

TEST_F(CEDialog, OpensAtItsDesignedDefaultsAndEnterAddsTheEntry) {
  const bool ok = RunDialog(frmCE::Show, [](HWND dialog) {
    const CE c{dialog};
    ExpectAsOpened(dialog, {
        {0, L"選択肢の設定"},
        {IDC_TXTED, kInitialEntry},
        {IDC_CE_CMDUP, L"↑(&U)"},
        {IDC_CE_CMDDOWN, L"↓(&W)"},
        {IDC_CE_CMDITEMDELETE, L"項目削除(&D)"},
        {IDC_CE_FRACOMMON, L"共通"},
        {IDC_CE_LABEL1, L"使うソフトキー&TYPE"},
        {IDC_CE_CBOTYPE, L"ACCEPT", -1, L"ACCEPT,SOFT1"},
        {IDC_CE_CHKTASK, L"ソフトキーに割り当てる作業&TASK", kUnticked, L"GO,GOSUB,PREV,RETURN,CANCEL,CALL,NOOP",
         IDC_CE_CBOTASK, L"GO"},
        {IDC_CE_CHKLABEL, L"ラベルの内容LA&BEL", kUnticked, nullptr, IDC_CE_TXTLABEL, L""},
        {IDC_CE_FRAENTRY, L"選択肢ごとの内容"},
        {IDC_CE_CHKDEST, L"リンク先&DEST", kTicked, nullptr, IDC_CE_TXTDEST, L""},
        {IDC_CE_CHKVALUE, L"格納データ &VALUE", kUnticked, nullptr, IDC_CE_TXTVALUE, L""},
        {IDC_CE_CHKMOJI, L"表示される文字", kTicked, nullptr, IDC_CE_TXTMOJI, L"新しい項目"},
        {IDC_CE_CMDADD, L"追加(&A)"},
        {IDCANCEL, L"キャンセル(&C)"},
        {IDOK, L"OK(&O)"},
    });
    EXPECT_TRUE(c.entries().empty());
    for (int combo : {IDC_CE_CBOTYPE, IDC_CE_CBOTASK}) {
      EXPECT_EQ(c.comboKind(combo), CBS_DROPDOWN) << combo;
      EXPECT_EQ(SendMessageW(c.ctl(combo), CB_GETCURSEL, 0, 0), CB_ERR) << "no item selected at load";
    }
    EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDC_CE_CMDADD);
    EXPECT_FALSE(GetWindowLongW(c.ctl(IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);

    SetFocus(c.ctl(IDC_CE_TXTMOJI));
    Key(dialog, VK_RETURN);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter adds and leaves the dialog open";
    EXPECT_EQ(c.entries(), std::vector<std::wstring>{kInitialEntry});
    Click(c.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, kInitialEntry);
  EXPECT_EQ(gEndTag, L"");
}

TEST_F(CEDialog, EntriesTakeTheInputsAsTypedAndPickedAndKeepTheirOrder) {
  const std::wstring soft = LR"(<CE TYPE="SOFT1" TASK="JUMP" LABEL="戻る" DEST="">)";
  const std::wstring accept = LR"(<CE TYPE="ACCEPT" DEST="" VALUE="">いいえ)";
  const bool ok = RunDialog(frmCE::Show, [&](HWND dialog) {
    const CE c{dialog};
    // Picks by keyboard in the editable combo: the edit shows the item only after the pick's
    // notification, yet the preview has it at once. Two steps down end on the last item
    // whether the first step lands on "ACCEPT" or already on "SOFT1".
    SetFocus(c.ctl(IDC_CE_CBOTYPE));
    Key(dialog, VK_DOWN);
    Key(dialog, VK_DOWN);
    EXPECT_EQ(c.preview(), LR"(<CE TYPE="SOFT1" DEST="">新しい項目)");
    Click(c.ctl(IDC_CE_CHKTASK));
    c.typeInto(IDC_CE_CBOTASK, L"JUMP");   // not one of the list's items
    Click(c.ctl(IDC_CE_CHKLABEL));
    c.typeInto(IDC_CE_TXTLABEL, L"戻る");
    Click(c.ctl(IDC_CE_CHKMOJI));
    EXPECT_EQ(c.preview(), soft);
    // Typed into the preview itself: lost, the entry is built from the inputs.
    c.typeInto(IDC_TXTED, L"junk");
    SetFocus(c.ctl(IDC_CE_TXTLABEL));
    Key(dialog, VK_RETURN);

    c.typeInto(IDC_CE_CBOTYPE, L"ACCEPT");
    Click(c.ctl(IDC_CE_CHKTASK));
    Click(c.ctl(IDC_CE_CHKLABEL));
    Click(c.ctl(IDC_CE_CHKVALUE));
    Click(c.ctl(IDC_CE_CHKMOJI));
    c.typeInto(IDC_CE_TXTMOJI, L"いいえ");
    Click(c.ctl(IDC_CE_CMDADD));
    Click(c.ctl(IDC_CE_CMDADD));   // unchanged inputs: the same entry once more
    // Added after "SOFT1..." and sorting before it: a sorted list would show it first.
    EXPECT_EQ(c.entries(), (std::vector<std::wstring>{soft, accept, accept}));
    EXPECT_EQ(c.selected(), LB_ERR);
    EXPECT_EQ(Text(c.ctl(IDC_CE_TXTMOJI)), L"いいえ") << "the inputs stay for the next entry";
    Click(c.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, soft + L"\r\n" + accept + L"\r\n" + accept);
  EXPECT_EQ(gEndTag, L"");
}

TEST_F(CEDialog, UpDownAndDeleteEditTheListAroundTheClickedRow) {
  const bool ok = RunDialog(frmCE::Show, [](HWND dialog) {
    const CE c{dialog};
    const HWND up = c.ctl(IDC_CE_CMDUP), down = c.ctl(IDC_CE_CMDDOWN), del = c.ctl(IDC_CE_CMDITEMDELETE);
    using Entries = std::vector<std::wstring>;
    const Entries abc{Shown(L"A"), Shown(L"B"), Shown(L"C")};
    c.addShown({L"A", L"B", L"C"});
    ASSERT_EQ(c.entries(), abc);

    // With nothing selected the buttons leave the list alone (Delete beeps besides).
    for (HWND button : {up, down, del}) {
      Click(button);
      EXPECT_EQ(c.entries(), abc);
      EXPECT_EQ(c.selected(), LB_ERR);
    }
    EXPECT_TRUE(IsWindowVisible(dialog));

    const struct { const char* what; int row; HWND button; Entries after; int selectedAfter; } steps[] = {
        {"up from the middle", 1, up, {Shown(L"B"), Shown(L"A"), Shown(L"C")}, 0},
        {"up on the first", 0, up, {Shown(L"B"), Shown(L"A"), Shown(L"C")}, 0},
        {"down from the first", 0, down, abc, 1},
        {"down to the last", 1, down, {Shown(L"A"), Shown(L"C"), Shown(L"B")}, 2},
        {"down on the last", 2, down, {Shown(L"A"), Shown(L"C"), Shown(L"B")}, 2},
        {"delete the middle", 1, del, {Shown(L"A"), Shown(L"B")}, LB_ERR},
    };
    for (const auto& s : steps) {
      c.clickRow(s.row);
      Click(s.button);
      EXPECT_EQ(c.entries(), s.after) << s.what;
      EXPECT_EQ(c.selected(), s.selectedAfter) << s.what;
    }
    // Adding keeps the selection where it is.
    c.clickRow(1);
    c.addShown({L"D"});
    EXPECT_EQ(c.entries(), (Entries{Shown(L"A"), Shown(L"B"), Shown(L"D")}));
    EXPECT_EQ(c.selected(), 1);
    Click(c.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, Shown(L"A") + L"\r\n" + Shown(L"B") + L"\r\n" + Shown(L"D"));
  EXPECT_EQ(gEndTag, L"");
}

TEST_F(CEDialog, OnlyOkWithAddedEntriesHandsAnythingOver) {
  const struct { const char* way; bool add; void (*close)(HWND); bool ok; } ways[] = {
      // The preview shows an entry, but only added entries are handed over.
      {"OK with an empty list", false, [](HWND dialog) { Click(Find(dialog, IDOK)); }, true},
      {"cmdCancel", true, [](HWND dialog) { Click(Find(dialog, IDCANCEL)); }, false},
      {"Esc", true, [](HWND dialog) { Key(dialog, VK_ESCAPE); }, false},
      {"close box", true, [](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    EXPECT_EQ(RunExpectingNothingHandedOver(frmCE::Show, [&](HWND dialog) {
      if (way.add) Click(Find(dialog, IDC_CE_CMDADD));
      SetFocus(Find(dialog, IDC_CE_TXTDEST));
      way.close(dialog);
    }), way.ok);
  }
}

// --- End to end: the docked button in the stand-in editor, Japanese text selected ------------

class CEInsertion : public docked::EndToEnd {};

TEST_F(CEInsertion, PutsTheEntriesInFrontOfTheSelectionThroughTheDockedButton) {
  SelectJapanese();
  Command(6, L"選択肢の設定", [](HWND dialog) {   // "選択肢"
    Click(Find(dialog, IDC_CE_CMDADD));
    SetWindowTextW(Find(dialog, IDC_CE_TXTMOJI), L"はい");
    Click(Find(dialog, IDC_CE_CMDADD));
    Click(Find(dialog, IDOK));
  });
  // No end tag: the caret stays after the selection.
  ExpectWrapped(Cp932(std::wstring(kInitialEntry) + L"\r\n<CE TYPE=\"ACCEPT\" DEST=\"\">はい"), "");
}

}  // namespace
