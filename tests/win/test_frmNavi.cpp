// The link and action dialogs from their real templates, driven through their real controls
// inside their own modal loops, and once each through the docked toolbar into the stand-in editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <vector>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/RowDialog.h"
#include "dialogs/frmNaviA.h"
#include "dialogs/frmNaviAction.h"
#include "dialogs/logic/NaviTag.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

using namespace DialogDriver;

namespace {

struct Navi : Dialog {
  // A pick in a drop-down list or an editable combo, as the keyboard makes it.
  void pickNext(int comboId) const {
    SetFocus(ctl(comboId));
    Key(dialog, VK_DOWN);
  }
  // An access key: Alt with the letter, through the dialog manager as the keyboard sends it.
  void alt(wchar_t letter) const {
    PostMessageW(GetFocus(), WM_SYSCHAR, letter, 1 | (1 << 29));
    Pump(dialog);
  }
};

class NaviDialog : public TagDialogTest {};

// A row of a dialog's table with its controls: " NAME=" and its check box and input.
struct NaviRowDef {
  std::wstring literal;
  int check, input;
};
std::vector<NaviRowDef> Rows(const TagForm& form, std::span<const TagDialog::RowControls> controls) {
  std::vector<NaviRowDef> rows;
  for (size_t i = 0; i < form.rows.size(); ++i)
    rows.push_back({L" " + std::wstring(form.rows[i].name) + L"=", controls[i].check, controls[i].input});
  return rows;
}
std::vector<NaviRowDef> NaviARows() { return Rows(kNaviAForm, frmNaviA::Controls()); }
std::vector<NaviRowDef> NaviActionRows() { return Rows(kNaviActionForm, frmNaviAction::Controls()); }

// The attribute rows of both dialogs as the author first sees them: the check box's caption and
// tick, the input's text and list items.
struct RowAsOpened {
  std::wstring_view literal;
  const wchar_t* caption;
  int ticked;
  const wchar_t* value;
  const wchar_t* items = nullptr;
};
constexpr RowAsOpened kRowsAsOpened[] = {
    {L" TYPE=", nullptr, -1, L"ACCEPT", L"ACCEPT,SOFT1"},
    {L" TASK=", L"ソフトキーに割り当てる作業TASK", kUnticked, L"GO", L"GO,GOSUB,PREV,RETURN,CANCEL,CALL,NOOP"},
    {L" REL=", L"先にダウンロードしておく&REL=NEXT ", kUnticked, nullptr},
    {L" LABEL=", L"ラベルの内容LA&BEL", kTicked, L"OK"},
    {L" DEST=", L"リンク先&DEST", kTicked, L""},
    {L" NEXT=", L"RETURNタスクをした後にアクセスするURL &NEXT", kUnticked, L""},
    {L" CANCEL=", L"CANCELタスクが実行された時に移動するURL &CANCEL", kUnticked, L""},
    {L" FRIEND=", L"GOSUBタスクで指定されたアクティビティはフレンドリーであるか&FRIEND ", kUnticked, L"True", L"True,False"},
    {L" NUMBER=", L"リンクした時にかける電話番号NUMBER=", kUnticked, L""},
    {L" VARS=", L"変数 &VARS", kUnticked, L""},
    {L" RECEIVE=", L"GOSUBタスクからの返り値を格納する変数R&ECEIVE", kUnticked, L""},
    {L" CLEAR=", L"呼び出すアクティビティの変数をクリア C&LEAR", kUnticked, L"True", L"True,False"},
    {L" RETVALS=", L"呼び出し元へ返す値RETVALS(&Q) ", kUnticked, L""},
    {L" SENDREFERER=", L"現在のURLをサーバーへ送信&SENDREFERER", kUnticked, L""},
    {L" POSTMETHOD=", L"サーバーへのアクセスモード&POSTMETHOD", kUnticked, L"GET", L"GET,POST"},
    {L" POSTDATA=", L"POSTするデータPOSTDATA", kUnticked, L""},
    {L" ACCEPTCHARSET=", L"文字セットACCEPT&-CHARSET", kUnticked, L""},
    {L" SRC=", L"表示される画像S&RC", kUnticked, L""},
    {L" ICON=", L"端末の画像&ICON", kUnticked, L""},
};

// Each row's controls, found through the dialog's own row table, as they open.
void ExpectRowsAsOpened(HWND dialog, std::span<const NaviRowDef> rows, size_t expectedRows) {
  EXPECT_EQ(rows.size(), expectedRows);
  for (const NaviRowDef& def : rows) {
    const auto seen = std::find_if(std::begin(kRowsAsOpened), std::end(kRowsAsOpened),
                                   [&](const RowAsOpened& r) { return r.literal == def.literal; });
    ASSERT_NE(seen, std::end(kRowsAsOpened));
    if (def.check) ExpectAsOpened(dialog, {{def.check, seen->caption, seen->ticked, seen->items, def.input, seen->value}});
    else ExpectAsOpened(dialog, {{def.input, seen->value, -1, seen->items}});
  }
}

TEST_F(NaviDialog, LinkOpensAtItsDesignedDefaults) {
  EXPECT_FALSE(RunExpectingNothingHandedOver(frmNaviA::Show, [](HWND dialog) {
    const Navi n{dialog};
    ExpectAsOpened(dialog, {{0, L"ナビゲーション - <A>"},
                            {IDC_TXTED, LR"(<A  LABEL="OK" DEST="">)"},
                            {IDC_NAVIA_SSTAB1, nullptr, -1, L"ナビゲーション,変数,データ"},
                            {IDCANCEL, L"キャンセル(&X)"},
                            {IDOK, L"OK(&O)"}});
    ExpectRowsAsOpened(dialog, NaviARows(), 16);
    EXPECT_EQ(GetFocus(), n.ctl(IDC_TXTED)) << "the preview is first in the tab order";
    EXPECT_TRUE(IsWindowVisible(n.ctl(IDC_NAVIA_CBOTASK))) << "the first page is in front";
    EXPECT_FALSE(IsWindowVisible(n.ctl(IDC_NAVIA_TXTVARS)));
    EXPECT_EQ(n.comboKind(IDC_NAVIA_CBOTASK), CBS_DROPDOWN);
    for (int id : {IDC_NAVIA_CBOFRIEND, IDC_NAVIA_CBOCLEAR, IDC_NAVIA_CBOPOSTMETHOD})
      EXPECT_EQ(n.comboKind(id), CBS_DROPDOWNLIST) << id;
    Key(dialog, VK_ESCAPE);
  }));
}

TEST_F(NaviDialog, ActionOpensAtItsDesignedDefaults) {
  EXPECT_FALSE(RunExpectingNothingHandedOver(frmNaviAction::Show, [](HWND dialog) {
    const Navi n{dialog};
    ExpectAsOpened(dialog, {{0, L"ナビゲーション - <ACTION>"},
                            {IDC_TXTED, LR"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)"},
                            {IDC_NAVIACTION_SSTAB1, nullptr, -1, L"ナビゲーション,変数,データ,画像"},
                            {IDC_NAVIACTION_LABEL1, L"使うソフトキー&TYPE"},
                            {IDC_NAVIACTION_LABEL2, L"ソフトキーに割り当てる作業TASK"},
                            {IDCANCEL, L"キャンセル(&X)"},
                            {IDOK, L"OK(&O)"}});
    ExpectRowsAsOpened(dialog, NaviActionRows(), 19);
    EXPECT_EQ(GetFocus(), n.ctl(IDC_TXTED));
    EXPECT_EQ(n.comboKind(IDC_NAVIACTION_CBOTYPE), CBS_DROPDOWN);
    EXPECT_EQ(n.comboKind(IDC_NAVIACTION_CBOFRIEND), CBS_DROPDOWNLIST);
    EXPECT_FALSE(IsWindowVisible(n.ctl(IDC_NAVIACTION_TXTSRC)));
    // Label1's access key T puts the focus into cboType's edit.
    n.alt(L't');
    EXPECT_EQ(GetParent(GetFocus()), n.ctl(IDC_NAVIACTION_CBOTYPE));
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }));
}

// A value of its own for each row, and the page the row is on: a control wired to the wrong row
// shows in the tag. typed nullptr: a drop-down list, picked one down (REL has no input).
struct OwnValue {
  std::wstring_view literal;
  int page;
  const wchar_t* typed;
};
constexpr OwnValue kOwnValues[] = {
    {L" REL=", 0, nullptr},        {L" LABEL=", 0, L"ラベル"},   {L" DEST=", 0, L"#dst"},
    {L" NEXT=", 0, L"#nxt"},       {L" CANCEL=", 0, L"#cnc"},    {L" FRIEND=", 0, nullptr},
    {L" NUMBER=", 0, L"0123"},     {L" VARS=", 1, L"v=1&w=2"},   {L" RECEIVE=", 1, L"r"},
    {L" CLEAR=", 1, nullptr},      {L" RETVALS=", 1, L"rv"},     {L" SENDREFERER=", 2, L"sr"},
    {L" POSTMETHOD=", 2, nullptr}, {L" POSTDATA=", 2, L"pd"},    {L" ACCEPTCHARSET=", 2, L"cs"},
    {L" SRC=", 3, L"a.bmp"},       {L" ICON=", 3, L"star"},
};

// Every row above, found through the dialog's own row table: its box ticked on its page and
// its value given through its real control.
void TickAndFill(const Navi& n, int tabId, std::span<const NaviRowDef> rows) {
  for (const NaviRowDef& def : rows) {
    const auto own = std::find_if(std::begin(kOwnValues), std::end(kOwnValues),
                                  [&](const OwnValue& v) { return v.literal == def.literal; });
    if (own == std::end(kOwnValues)) continue;
    ClickTab(n.ctl(tabId), own->page);
    EXPECT_TRUE(IsWindowVisible(n.ctl(def.check))) << def.check << " is on page " << own->page;
    if (!n.ticked(def.check)) Click(n.ctl(def.check));
    if (!def.input) continue;
    if (own->typed) n.typeInto(def.input, own->typed);
    else n.pickNext(def.input);
  }
  ClickTab(n.ctl(tabId), 0);
}

TEST_F(NaviDialog, LinkWritesEveryRowFromItsOwnControlInItsOrder) {
  const wchar_t* const all =
      LR"(<A  TASK="gosub" REL="NEXT" LABEL="ラベル" DEST=""<>" VARS="v=1&w=2" NEXT="#nxt" RECEIVE="r" )"
      LR"(CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" POSTMETHOD="POST" )"
      LR"(POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs">)";
  const bool ok = RunDialog(frmNaviA::Show, [&](HWND dialog) {
    const Navi n{dialog};
    // Ticking and unticking a box gives back the preview exactly.
    Click(n.ctl(IDC_NAVIA_CHKRELNEXT));
    EXPECT_EQ(n.preview(), LR"(<A  REL="NEXT" LABEL="OK" DEST="">)");
    Click(n.ctl(IDC_NAVIA_CHKRELNEXT));
    EXPECT_EQ(n.preview(), LR"(<A  LABEL="OK" DEST="">)");

    // A pick by keyboard in the editable box: its edit shows the item only after the pick's
    // notification, yet the preview has it at once.
    Click(n.ctl(IDC_NAVIA_CHKTASK));
    n.pickNext(IDC_NAVIA_CBOTASK);
    EXPECT_EQ(n.preview(), LR"(<A  TASK="GOSUB" LABEL="OK" DEST="">)");
    n.typeInto(IDC_NAVIA_CBOTASK, L"gosub");
    EXPECT_EQ(n.preview(), LR"(<A  TASK="gosub" LABEL="OK" DEST="">)");

    Click(n.ctl(IDC_NAVIA_CHKLABEL));   // ticked at load: filled below with the box ticked again
    TickAndFill(n, IDC_NAVIA_SSTAB1, NaviARows());
    n.typeInto(IDC_NAVIA_TXTDEST, L"\"<>");   // written unchanged, quote and brackets too
    EXPECT_EQ(n.preview(), all);
    // What is typed into the preview itself does not survive OK; Enter presses OK.
    n.typeInto(IDC_TXTED, L"<JUNK>");
    Key(dialog, VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, all);
  EXPECT_EQ(gEndTag, L"</A>");
}

TEST_F(NaviDialog, ActionWritesEveryRowFromItsOwnControlInItsOrder) {
  const wchar_t* const all =
      LR"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#dst" LABEL="ラベル" VARS="v=1&w=2" NEXT="#nxt" )"
      LR"(RECEIVE="r" CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" )"
      LR"(POSTMETHOD="POST" POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs" ICON="star" SRC="a.bmp">)";
  const bool ok = RunDialog(frmNaviAction::Show, [&](HWND dialog) {
    const Navi n{dialog};
    n.pickNext(IDC_NAVIACTION_CBOTYPE);
    EXPECT_EQ(n.preview(), LR"(<ACTION TYPE="SOFT1" TASK="GO" DEST="" LABEL="OK">)");
    n.typeInto(IDC_NAVIACTION_CBOTASK, L"");
    EXPECT_EQ(n.preview(), LR"(<ACTION TYPE="SOFT1" TASK="" DEST="" LABEL="OK">)");
    n.pickNext(IDC_NAVIACTION_CBOTASK);   // from an empty text, Down picks the first item
    n.pickNext(IDC_NAVIACTION_CBOTASK);
    EXPECT_EQ(n.preview(), LR"(<ACTION TYPE="SOFT1" TASK="GOSUB" DEST="" LABEL="OK">)");

    Click(n.ctl(IDC_NAVIACTION_CHKLABEL));
    Click(n.ctl(IDC_NAVIACTION_CHKDEST));
    EXPECT_EQ(n.preview(), LR"(<ACTION TYPE="SOFT1" TASK="GOSUB">)");
    TickAndFill(n, IDC_NAVIACTION_SSTAB1, NaviActionRows());
    EXPECT_EQ(n.preview(), all);
    SetWindowTextW(n.ctl(IDC_TXTED), L"<JUNK>");
    Click(n.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, all);
  EXPECT_EQ(gEndTag, L"");
}

// Esc (link) and the close box (action) are tried where each dialog opens, above.
TEST_F(NaviDialog, CancelHandsNothingOverAndTheNextShowingStartsAfresh) {
  const struct { const char* name; bool (*show)(HWND); int dest; const wchar_t* initial; } dialogs[] = {
      {"link", frmNaviA::Show, IDC_NAVIA_TXTDEST, LR"(<A  LABEL="OK" DEST="">)"},
      {"action", frmNaviAction::Show, IDC_NAVIACTION_TXTDEST,
       LR"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)"},
  };
  for (const auto& d : dialogs) {
    for (int showing = 0; showing < 2; ++showing) {
      SCOPED_TRACE(std::string(d.name) + " showing " + std::to_string(showing));
      EXPECT_FALSE(RunExpectingNothingHandedOver(d.show, [&](HWND dialog) {
        const Navi n{dialog};
        EXPECT_EQ(n.preview(), d.initial) << "nothing of an earlier showing is kept";
        n.typeInto(d.dest, L"#kept?");
        Click(n.ctl(IDCANCEL));
      }));
    }
  }
}

// --- End to end: the docked buttons in the stand-in editor, Japanese text selected -----------

class NaviInsertion : public docked::EndToEnd {};

TEST_F(NaviInsertion, LinkWrapsTheSelectionAndActionGoesInFrontOfIt) {
  // The text put into DEST arrives at once, as a paste does.
  const auto destThenOk = [](int destId) {
    return [destId](HWND dialog) {
      SetWindowTextW(Find(dialog, destId), L"#次");
      Click(Find(dialog, IDOK));
    };
  };
  SelectJapanese();
  ASSERT_NO_FATAL_FAILURE(Command(4, L"ナビゲーション - <A>", destThenOk(IDC_NAVIA_TXTDEST)));   // "ナビゲーション - A"
  ExpectWrapped(Cp932(LR"(<A  LABEL="OK" DEST="#次">)"), "</A>");

  SelectJapanese();
  ASSERT_NO_FATAL_FAILURE(Command(5, L"ナビゲーション - <ACTION>", destThenOk(IDC_NAVIACTION_TXTDEST)));
  ExpectWrapped(Cp932(LR"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="#次" LABEL="OK">)"), "");   // no end tag
}

}  // namespace
