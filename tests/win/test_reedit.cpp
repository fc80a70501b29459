// A tag already in the text opened again through the docked toolbar: its dialog shows it, OK
// rewrites it in place (one undo step), Cancel changes nothing; new tags never go inside a tag.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmCE.h"
#include "dialogs/frmCard.h"
#include "dialogs/frmImg.h"
#include "dialogs/frmText.h"

using namespace DialogDriver;

namespace {

// Positions of the docked buttons.
constexpr int kCard = 2, kText = 3, kCE = 6, kImg = 7;

class Reedit : public docked::EndToEndBothWays {
protected:
  // The editor holds `text` with the caret at `caret`; returns the undo count before the click.
  LRESULT Start(const std::string& text, long caret) {
    host.setBytes(text);
    host.select(caret, caret);
    return host.send(HPM_UNDOCOUNT);
  }
  void ExpectText(const std::string& text, long caret) {
    EXPECT_EQ(host.bytes(), text);
    EXPECT_EQ(host.sel(), std::make_pair(caret, caret));
  }
};

const std::string kCardDoc = Cp932(L"<HDML>\r\n<DISPLAY NAME=\"c1\" FOO='x' TITLE=\"t\">\r\nあ<BR>\r\n</DISPLAY>\r\n</HDML>");

TEST_P(Reedit, ADisplayCardBecomesAChoiceCardKeepingWhatItsDialogCannotShow) {
  const LRESULT undo = Start(kCardDoc, 13);   // in "<DISPLAY"
  ASSERT_NO_FATAL_FAILURE(Command(kCard, L"カードの設定 (編集)", [](HWND d) {
    EXPECT_EQ(Text(Find(d, IDC_TXTED)), LR"(<DISPLAY NAME="c1" TITLE="t" FOO='x'>)");
    EXPECT_EQ(Text(Find(d, IDC_CARD_TXTNAME)), L"c1");
    EXPECT_EQ(SendMessageW(Find(d, IDC_CARD_CHKMARKBLE), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "not in the tag";
    Pick(d, IDC_CARD_CBOCARD, 1);
    Click(Find(d, IDOK));
  }));
  const std::string start = R"(<CHOICE NAME="c1" TITLE="t" FOO='x'>)";
  ExpectText(Cp932(L"<HDML>\r\n") + start + Cp932(L"\r\nあ<BR>\r\n</CHOICE>\r\n</HDML>"), 8 + static_cast<long>(start.size()));
  EXPECT_EQ(host.send(HPM_UNDOCOUNT), undo + 1);
  SendMessageW(host.editor(), EM_UNDO, 0, 0);
  EXPECT_EQ(host.bytes(), kCardDoc);
}

TEST_P(Reedit, CancelChangesNothingNotEvenTheCaret) {
  const LRESULT undo = Start(kCardDoc, 20);
  ASSERT_NO_FATAL_FAILURE(Command(kCard, L"カードの設定 (編集)", [](HWND d) {
    Pick(d, IDC_CARD_CBOCARD, 2);
    Click(Find(d, IDC_CMDCANCEL_NOESC));
  }));
  ExpectText(kCardDoc, 20);
  EXPECT_EQ(host.send(HPM_UNDOCOUNT), undo);
}

TEST_P(Reedit, ImageButtonOpensTheImgAtTheCaretAndPutsANewOneAfterAnotherTag) {
  Start(R"(a<IMG SRC="x.bmp" ALT="y">b)", 4);
  ASSERT_NO_FATAL_FAILURE(Command(kImg, L"画像 - <IMG> (編集)", [](HWND d) {
    EXPECT_EQ(Text(Find(d, IDC_IMG_TXTSRC)), L"x.bmp");
    SetWindowTextW(Find(d, IDC_IMG_TXTSRC), L"z.png");
    Click(Find(d, IDOK));
  }));
  ExpectText(R"(a<IMG SRC="z.png" ALT="y">b)", 26);

  Start(R"(<A DEST="#x">go</A>)", 4);   // inside the A's start tag
  ASSERT_NO_FATAL_FAILURE(Command(kImg, L"画像 - <IMG>", [](HWND d) {
    SetWindowTextW(Find(d, IDC_IMG_TXTSRC), L"p.bmp");
    Click(Find(d, IDOK));
  }));
  ExpectText(R"(<A DEST="#x"><IMG SRC="p.bmp">go</A>)", 30);
}

// From a fault: the text dialog opened on a tag never showed that its end tag is there.
TEST_P(Reedit, TheTextDialogShowsWhetherTheTagsEndTagIsThere) {
  for (const bool closed : {true, false}) {
    SCOPED_TRACE(closed ? "with </CENTER>" : "without");
    Start(closed ? "<CENTER>x</CENTER>" : "<CENTER>x", 2);
    ASSERT_NO_FATAL_FAILURE(Command(kText, L"テキスト整形 (編集)", [&](HWND d) {
      EXPECT_EQ(SendMessageW(Find(d, IDC_TEXT_CHKCLOSETAG), BM_GETCHECK, 0, 0), closed ? BST_CHECKED : BST_UNCHECKED);
      Click(Find(d, IDCANCEL));
    }));
  }
}

TEST_P(Reedit, TwoSelectedChoiceLinesAreReordered) {
  const std::string doc = "<CHOICE>\r\n<CE TYPE=\"A\">one\r\n<CE TYPE=\"B\">two\r\n</CHOICE>";
  host.setBytes(doc);
  SelectBytes(10, 46);   // both lines and the line break after them, which stays
  ASSERT_NO_FATAL_FAILURE(Command(kCE, L"選択肢の設定 (編集)", [](HWND d) {
    const HWND list = Find(d, IDC_CE_LSTSNDATA);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    Click(Find(d, IDC_CE_CMDUP));
    Click(Find(d, IDOK));
  }));
  const std::string reordered = "<CHOICE>\r\n<CE TYPE=\"B\">two\r\n<CE TYPE=\"A\">one\r\n</CHOICE>";
  ExpectText(reordered, 44);

  // From a fault: OK on a list emptied of every line deleted the lines it was opened on.
  SelectBytes(10, 46);
  ASSERT_NO_FATAL_FAILURE(Command(kCE, L"選択肢の設定 (編集)", [](HWND d) {
    const HWND list = Find(d, IDC_CE_LSTSNDATA);
    for (int i = 0; i < 2; ++i) {
      SendMessageW(list, LB_SETCURSEL, 0, 0);
      Click(Find(d, IDC_CE_CMDITEMDELETE));
    }
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    Click(Find(d, IDOK));
  }));
  EXPECT_EQ(host.bytes(), reordered);
}

INSTANTIATE_TEST_SUITE_P(, Reedit, docked::BothWays, docked::WayName);

}  // namespace
