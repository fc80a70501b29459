// The link and action dialogs from their real templates, driven through their real controls
// inside their own modal loops, and once each through the docked toolbar into the stand-in editor.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmNaviA.h"
#include "dialogs/frmNaviAction.h"
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

TEST_F(NaviDialog, LinkOpensAtItsDesignedDefaults) {
  const bool ok = RunDialog(frmNaviA::Show, [](HWND dialog) {
    const Navi n{dialog};
    ExpectAsOpened(dialog, {
        {0, L"ナビゲーション - <A>"},
        {IDC_TXTED, LR"(<A  LABEL="OK" DEST="">)"},
        {IDC_NAVIA_SSTAB1, nullptr, -1, L"ナビゲーション,変数,データ"},
        {IDC_NAVIA_CHKTASK, L"ソフトキーに割り当てる作業TASK", kUnticked},
        {IDC_NAVIA_CBOTASK, L"GO", -1, L"GO,GOSUB,PREV,RETURN,CANCEL,CALL,NOOP"},
        {IDC_NAVIA_CHKRELNEXT, L"先にダウンロードしておく&REL=NEXT ", kUnticked},
        {IDC_NAVIA_CHKLABEL, L"ラベルの内容LA&BEL", kTicked},
        {IDC_NAVIA_TXTLABEL, L"OK"},
        {IDC_NAVIA_CHKDEST, L"リンク先&DEST", kTicked},
        {IDC_NAVIA_TXTDEST, L""},
        {IDC_NAVIA_CHKNEXT, L"RETURNタスクをした後にアクセスするURL &NEXT", kUnticked},
        {IDC_NAVIA_TXTNEXT, L""},
        {IDC_NAVIA_CHKCANCEL, L"CANCELタスクが実行された時に移動するURL &CANCEL", kUnticked},
        {IDC_NAVIA_TXTCANCEL, L""},
        {IDC_NAVIA_CHKFRIEND, L"GOSUBタスクで指定されたアクティビティはフレンドリーであるか&FRIEND ", kUnticked},
        {IDC_NAVIA_CBOFRIEND, L"True", -1, L"True,False"},
        {IDC_NAVIA_CHKNUMBER, L"リンクした時にかける電話番号NUMBER=", kUnticked},
        {IDC_NAVIA_TXTNUMBER, L""},
        {IDC_NAVIA_CHKVARS, L"変数 &VARS", kUnticked},
        {IDC_NAVIA_TXTVARS, L""},
        {IDC_NAVIA_CHKRECEIVE, L"GOSUBタスクからの返り値を格納する変数R&ECEIVE", kUnticked},
        {IDC_NAVIA_TXTRECEIVE, L""},
        {IDC_NAVIA_CHKCLEAR, L"呼び出すアクティビティの変数をクリア C&LEAR", kUnticked},
        {IDC_NAVIA_CBOCLEAR, L"True", -1, L"True,False"},
        {IDC_NAVIA_CHKRETVALS, L"呼び出し元へ返す値RETVALS(&Q) ", kUnticked},
        {IDC_NAVIA_TXTRETVALS, L""},
        {IDC_NAVIA_CHKSENDREFERER, L"現在のURLをサーバーへ送信&SENDREFERER", kUnticked},
        {IDC_NAVIA_TXTSENDREFERER, L""},
        {IDC_NAVIA_CHKPOSTMETHOD, L"サーバーへのアクセスモード&POSTMETHOD", kUnticked},
        {IDC_NAVIA_CBOPOSTMETHOD, L"GET", -1, L"GET,POST"},
        {IDC_NAVIA_CHKPOSTDATA, L"POSTするデータPOSTDATA", kUnticked},
        {IDC_NAVIA_TXTPOSTDATA, L""},
        {IDC_NAVIA_CHKACCEPTCHARSET, L"文字セットACCEPT&-CHARSET", kUnticked},
        {IDC_NAVIA_TXTACCEPTCHARSET, L""},
        {IDCANCEL, L"キャンセル(&X)"},
        {IDOK, L"OK(&O)"},
    });
    EXPECT_EQ(GetFocus(), n.ctl(IDC_TXTED)) << "the preview is first in the tab order";
    EXPECT_TRUE(IsWindowVisible(n.ctl(IDC_NAVIA_CBOTASK))) << "the first page is in front";
    EXPECT_FALSE(IsWindowVisible(n.ctl(IDC_NAVIA_TXTVARS)));
    EXPECT_EQ(n.comboKind(IDC_NAVIA_CBOTASK), CBS_DROPDOWN);
    for (int id : {IDC_NAVIA_CBOFRIEND, IDC_NAVIA_CBOCLEAR, IDC_NAVIA_CBOPOSTMETHOD})
      EXPECT_EQ(n.comboKind(id), CBS_DROPDOWNLIST) << id;
    Key(dialog, VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(gStartTag, L"");
  EXPECT_EQ(gEndTag, L"");
}

TEST_F(NaviDialog, ActionOpensAtItsDesignedDefaults) {
  const bool ok = RunDialog(frmNaviAction::Show, [](HWND dialog) {
    const Navi n{dialog};
    ExpectAsOpened(dialog, {
        {0, L"ナビゲーション - <ACTION>"},
        {IDC_TXTED, LR"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)"},
        {IDC_NAVIACTION_SSTAB1, nullptr, -1, L"ナビゲーション,変数,データ,画像"},
        {IDC_NAVIACTION_LABEL1, L"使うソフトキー&TYPE"},
        {IDC_NAVIACTION_CBOTYPE, L"ACCEPT", -1, L"ACCEPT,SOFT1"},
        {IDC_NAVIACTION_LABEL2, L"ソフトキーに割り当てる作業TASK"},
        {IDC_NAVIACTION_CBOTASK, L"GO", -1, L"GO,GOSUB,PREV,RETURN,CANCEL,CALL,NOOP"},
        {IDC_NAVIACTION_CHKLABEL, L"ラベルの内容LA&BEL", kTicked},
        {IDC_NAVIACTION_TXTLABEL, L"OK"},
        {IDC_NAVIACTION_CHKRELNEXT, L"先にダウンロードしておく&REL=NEXT ", kUnticked},
        {IDC_NAVIACTION_CHKDEST, L"リンク先&DEST", kTicked},
        {IDC_NAVIACTION_TXTDEST, L""},
        {IDC_NAVIACTION_CHKNEXT, L"RETURNタスクをした後にアクセスするURL &NEXT", kUnticked},
        {IDC_NAVIACTION_TXTNEXT, L""},
        {IDC_NAVIACTION_CHKCANCEL, L"CANCELタスクが実行された時に移動するURL &CANCEL", kUnticked},
        {IDC_NAVIACTION_TXTCANCEL, L""},
        {IDC_NAVIACTION_CHKFRIEND, L"GOSUBタスクで指定されたアクティビティはフレンドリーであるか&FRIEND ", kUnticked},
        {IDC_NAVIACTION_CBOFRIEND, L"True", -1, L"True,False"},
        {IDC_NAVIACTION_CHKNUMBER, L"リンクした時にかける電話番号NUMBER=", kUnticked},
        {IDC_NAVIACTION_TXTNUMBER, L""},
        {IDC_NAVIACTION_CHKVARS, L"変数 &VARS", kUnticked},
        {IDC_NAVIACTION_TXTVARS, L""},
        {IDC_NAVIACTION_CHKRECEIVE, L"GOSUBタスクからの返り値を格納する変数R&ECEIVE", kUnticked},
        {IDC_NAVIACTION_TXTRECEIVE, L""},
        {IDC_NAVIACTION_CHKCLEAR, L"呼び出すアクティビティの変数をクリア C&LEAR", kUnticked},
        {IDC_NAVIACTION_CBOCLEAR, L"True", -1, L"True,False"},
        {IDC_NAVIACTION_CHKRETVALS, L"呼び出し元へ返す値RETVALS(&Q) ", kUnticked},
        {IDC_NAVIACTION_TXTRETVALS, L""},
        {IDC_NAVIACTION_CHKSENDREFERER, L"現在のURLをサーバーへ送信&SENDREFERER", kUnticked},
        {IDC_NAVIACTION_TXTSENDREFERER, L""},
        {IDC_NAVIACTION_CHKPOSTMETHOD, L"サーバーへのアクセスモード&POSTMETHOD", kUnticked},
        {IDC_NAVIACTION_CBOPOSTMETHOD, L"GET", -1, L"GET,POST"},
        {IDC_NAVIACTION_CHKPOSTDATA, L"POSTするデータPOSTDATA", kUnticked},
        {IDC_NAVIACTION_TXTPOSTDATA, L""},
        {IDC_NAVIACTION_CHKACCEPTCHARSET, L"文字セットACCEPT&-CHARSET", kUnticked},
        {IDC_NAVIACTION_TXTACCEPTCHARSET, L""},
        {IDC_NAVIACTION_CHKSRC, L"表示される画像S&RC", kUnticked},
        {IDC_NAVIACTION_TXTSRC, L""},
        {IDC_NAVIACTION_CHKICON, L"端末の画像&ICON", kUnticked},
        {IDC_NAVIACTION_TXTICON, L""},
        {IDCANCEL, L"キャンセル(&X)"},
        {IDOK, L"OK(&O)"},
    });
    EXPECT_EQ(GetFocus(), n.ctl(IDC_TXTED));
    EXPECT_EQ(n.comboKind(IDC_NAVIACTION_CBOTYPE), CBS_DROPDOWN);
    EXPECT_EQ(n.comboKind(IDC_NAVIACTION_CBOFRIEND), CBS_DROPDOWNLIST);
    EXPECT_FALSE(IsWindowVisible(n.ctl(IDC_NAVIACTION_TXTSRC)));
    // Label1's access key T puts the focus into cboType's edit.
    n.alt(L't');
    EXPECT_EQ(GetParent(GetFocus()), n.ctl(IDC_NAVIACTION_CBOTYPE));
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(gStartTag, L"");
  EXPECT_EQ(gEndTag, L"");
}

// Every row ticked and given a value of its own through its real control, so that a control
// wired to the wrong row shows in the tag.
struct Row {
  int page, check, input;
  const wchar_t* typed;   // nullptr: a drop-down list, picked one down; REL has no input
};

void TickAndFill(const Navi& n, int tabId, std::initializer_list<Row> rows) {
  for (const Row& r : rows) {
    ClickTab(n.ctl(tabId), r.page);
    EXPECT_TRUE(IsWindowVisible(n.ctl(r.check))) << r.check << " is on page " << r.page;
    Click(n.ctl(r.check));
    if (!r.input) continue;
    if (r.typed) n.typeInto(r.input, r.typed);
    else n.pickNext(r.input);
  }
  ClickTab(n.ctl(tabId), 0);
}

TEST_F(NaviDialog, LinkWritesEveryRowFromItsOwnControlInItsOrder) {
  const bool ok = RunDialog(frmNaviA::Show, [](HWND dialog) {
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
    TickAndFill(n, IDC_NAVIA_SSTAB1,
                {{0, IDC_NAVIA_CHKRELNEXT, 0, nullptr},
                 {0, IDC_NAVIA_CHKLABEL, IDC_NAVIA_TXTLABEL, L"ラベル"},
                 {0, IDC_NAVIA_CHKNEXT, IDC_NAVIA_TXTNEXT, L"#nxt"},
                 {0, IDC_NAVIA_CHKCANCEL, IDC_NAVIA_TXTCANCEL, L"#cnc"},
                 {0, IDC_NAVIA_CHKFRIEND, IDC_NAVIA_CBOFRIEND, nullptr},
                 {0, IDC_NAVIA_CHKNUMBER, IDC_NAVIA_TXTNUMBER, L"0123"},
                 {1, IDC_NAVIA_CHKVARS, IDC_NAVIA_TXTVARS, L"a=1&b=2"},
                 {1, IDC_NAVIA_CHKRECEIVE, IDC_NAVIA_TXTRECEIVE, L"r"},
                 {1, IDC_NAVIA_CHKCLEAR, IDC_NAVIA_CBOCLEAR, nullptr},
                 {1, IDC_NAVIA_CHKRETVALS, IDC_NAVIA_TXTRETVALS, L"rv"},
                 {2, IDC_NAVIA_CHKSENDREFERER, IDC_NAVIA_TXTSENDREFERER, L"sr"},
                 {2, IDC_NAVIA_CHKPOSTMETHOD, IDC_NAVIA_CBOPOSTMETHOD, nullptr},
                 {2, IDC_NAVIA_CHKPOSTDATA, IDC_NAVIA_TXTPOSTDATA, L"pd"},
                 {2, IDC_NAVIA_CHKACCEPTCHARSET, IDC_NAVIA_TXTACCEPTCHARSET, L"cs"}});
    n.typeInto(IDC_NAVIA_TXTDEST, L"\"<>");   // written unchanged, quote and brackets too
    const wchar_t* all =
        LR"(<A  TASK="gosub" REL="NEXT" LABEL="ラベル" DEST=""<>" VARS="a=1&b=2" NEXT="#nxt" RECEIVE="r" )"
        LR"(CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" POSTMETHOD="POST" )"
        LR"(POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs">)";
    EXPECT_EQ(n.preview(), all);
    // What is typed into the preview itself does not survive OK; Enter presses OK.
    n.typeInto(IDC_TXTED, L"<JUNK>");
    Key(dialog, VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag,
            LR"(<A  TASK="gosub" REL="NEXT" LABEL="ラベル" DEST=""<>" VARS="a=1&b=2" NEXT="#nxt" RECEIVE="r" )"
            LR"(CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" POSTMETHOD="POST" )"
            LR"(POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs">)");
  EXPECT_EQ(gEndTag, L"</A>");
}

TEST_F(NaviDialog, ActionWritesEveryRowFromItsOwnControlInItsOrder) {
  const bool ok = RunDialog(frmNaviAction::Show, [](HWND dialog) {
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
    TickAndFill(n, IDC_NAVIACTION_SSTAB1,
                {{0, IDC_NAVIACTION_CHKLABEL, IDC_NAVIACTION_TXTLABEL, L"ラベル"},
                 {0, IDC_NAVIACTION_CHKRELNEXT, 0, nullptr},
                 {0, IDC_NAVIACTION_CHKDEST, IDC_NAVIACTION_TXTDEST, L"#dst"},
                 {0, IDC_NAVIACTION_CHKNEXT, IDC_NAVIACTION_TXTNEXT, L"#nxt"},
                 {0, IDC_NAVIACTION_CHKCANCEL, IDC_NAVIACTION_TXTCANCEL, L"#cnc"},
                 {0, IDC_NAVIACTION_CHKFRIEND, IDC_NAVIACTION_CBOFRIEND, nullptr},
                 {0, IDC_NAVIACTION_CHKNUMBER, IDC_NAVIACTION_TXTNUMBER, L"0123"},
                 {1, IDC_NAVIACTION_CHKVARS, IDC_NAVIACTION_TXTVARS, L"v"},
                 {1, IDC_NAVIACTION_CHKRECEIVE, IDC_NAVIACTION_TXTRECEIVE, L"r"},
                 {1, IDC_NAVIACTION_CHKCLEAR, IDC_NAVIACTION_CBOCLEAR, nullptr},
                 {1, IDC_NAVIACTION_CHKRETVALS, IDC_NAVIACTION_TXTRETVALS, L"rv"},
                 {2, IDC_NAVIACTION_CHKSENDREFERER, IDC_NAVIACTION_TXTSENDREFERER, L"sr"},
                 {2, IDC_NAVIACTION_CHKPOSTMETHOD, IDC_NAVIACTION_CBOPOSTMETHOD, nullptr},
                 {2, IDC_NAVIACTION_CHKPOSTDATA, IDC_NAVIACTION_TXTPOSTDATA, L"pd"},
                 {2, IDC_NAVIACTION_CHKACCEPTCHARSET, IDC_NAVIACTION_TXTACCEPTCHARSET, L"cs"},
                 {3, IDC_NAVIACTION_CHKSRC, IDC_NAVIACTION_TXTSRC, L"a.bmp"},
                 {3, IDC_NAVIACTION_CHKICON, IDC_NAVIACTION_TXTICON, L"star"}});
    const wchar_t* all =
        LR"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#dst" LABEL="ラベル" VARS="v" NEXT="#nxt" )"
        LR"(RECEIVE="r" CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" )"
        LR"(POSTMETHOD="POST" POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs" ICON="star" SRC="a.bmp">)";
    EXPECT_EQ(n.preview(), all);
    SetWindowTextW(n.ctl(IDC_TXTED), L"<JUNK>");
    Click(n.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag,
            LR"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#dst" LABEL="ラベル" VARS="v" NEXT="#nxt" )"
            LR"(RECEIVE="r" CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" )"
            LR"(POSTMETHOD="POST" POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs" ICON="star" SRC="a.bmp">)");
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
      PendingTagsOfAnEarlierOK();
      const bool ok = RunDialog(d.show, [&](HWND dialog) {
        const Navi n{dialog};
        EXPECT_EQ(n.preview(), d.initial) << "nothing of an earlier showing is kept";
        n.typeInto(d.dest, L"#kept?");
        Click(n.ctl(IDCANCEL));
        EXPECT_FALSE(IsWindowVisible(dialog));
      });
      EXPECT_FALSE(ok);
      EXPECT_EQ(gStartTag, L"");
      EXPECT_EQ(gEndTag, L"");
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
