// The card dialog from its real template, driven through its real controls inside its own
// modal loop.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmCard.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

using namespace DialogDriver;

namespace {

struct Card : Dialog {
  void page(int index) const { ClickTab(ctl(IDC_CARD_SSTAB1), index); }
  // The box's last character selected and `chars` typed over it.
  void typeOverLast(int id, std::wstring_view chars) const {
    SetFocus(ctl(id));
    const LRESULT end = SendMessageW(GetFocus(), WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(GetFocus(), EM_SETSEL, end - 1, end);
    Type(dialog, chars);
  }
};

class CardDialog : public TagDialogTest {};

TEST_F(CardDialog, OpensAtItsDesignedDefaultsAndOkHandsOverTheKindsEndTag) {
  const bool ok = RunDialog(frmCard::Show, [](HWND dialog) {
    const Card c{dialog};
    ExpectAsOpened(dialog, {
        {0, L"カードの設定"},
        {IDC_TXTED, LR"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)"},
        {IDC_CARD_SSTAB1, nullptr, -1, L"カード,アクセス,変数"},
        {IDC_CARD_LBLTITLE0, L"カードの種類(&C)："},
        {IDC_CARD_CBOCARD, L"DISPLAY", -1, L"DISPLAY,CHOICE,ENTRY,NODISPLAY"},
        {IDC_CARD_LBLTITLE1, L"カード名&NAME"},
        {IDC_CARD_TXTNAME, L"NewCard"},
        {IDC_CARD_CHKTITLE, L"ブックマークのタイトル&TITLE=", kTicked, nullptr, IDC_CARD_TXTTITLE, L"新しいカード"},
        {IDC_CARD_CHKBOOKMARK, L"ブックマークするURL &BOOKMARK=", kUnticked, nullptr, IDC_CARD_TXTBOOKMARK, L""},
        {IDC_CARD_CHKMETHOD, L"通し番号のモード&METHOD=", kUnticked, L"NUMBER,ALPHA", IDC_CARD_CBOMETHOD, L"NUMBER"},
        {IDC_CARD_CHKMARKBLE, L"アクセス/ブックマークの許可&MARKABLE", kTicked, L"True,False", IDC_CARD_CBOMARKBLE, L"True"},
        {IDC_CARD_CHKKEY, L"KEY変数名&KEY=", kUnticked, nullptr, IDC_CARD_TXTKEY, L""},
        {IDC_CARD_CHKDEFAULT, L"KEY変数の初期値&DEFAULT=", kUnticked, nullptr, IDC_CARD_TXTDEFAULT, L""},
        {IDC_CARD_CHKIKEY, L"インデックスを格納する変数名&IKEY=", kUnticked, nullptr, IDC_CARD_TXTIKEY, L""},
        {IDC_CARD_CHKIDEFAULT, L"IKEY変数の初期値ID&EFAULT=", kUnticked, nullptr, IDC_CARD_TXTIDEFAULT, L""},
        {IDOK, L"OK(&O)"},
        {IDC_CMDCANCEL_NOESC, L"キャンセル(&C)"},
    });
    EXPECT_EQ(c.comboKind(IDC_CARD_CBOCARD), CBS_DROPDOWN);
    EXPECT_EQ(c.comboKind(IDC_CARD_CBOMETHOD), CBS_DROPDOWNLIST);
    EXPECT_TRUE(IsWindowVisible(c.ctl(IDC_CARD_TXTNAME)));
    EXPECT_FALSE(IsWindowVisible(c.ctl(IDC_CARD_CHKMARKBLE)));
    EXPECT_FALSE(IsWindowVisible(c.ctl(IDC_CARD_TXTKEY)));
    Key(dialog, VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");
  EXPECT_EQ(gEndTag, L"</DISPLAY>");
}

// The text of the tool tip that is showing over the dialog, "" when none is.
std::wstring ShownTooltip(HWND dialog) {
  HWND tip = nullptr;
  while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)))
    if (GetWindow(tip, GW_OWNER) == dialog && IsWindowVisible(tip)) break;
  wchar_t text[128] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.lpszText = text;
  if (!tip || !SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return L"";
  return text;
}

// The pointer resting on a control, as a person's hand puts it there.
TEST_F(CardDialog, ToolTipsShowOverTheirControls) {
  RunDialog(frmCard::Show, [](HWND dialog) {
    const Card c{dialog};
    const struct { int id; const wchar_t* tip; } tips[] = {
        {IDC_CARD_TXTNAME, L"カードの名前を入力します。"},
        {IDC_CARD_CBOCARD, L"カードの種類を選択します。"},   // over the edit part of the box
        {IDC_TXTED, L"プレビュー"},
    };
    for (const auto& t : tips) {
      RECT r{};
      GetWindowRect(c.ctl(t.id), &r);
      ASSERT_TRUE(docked::MoveMouse({r.left + 12, (r.top + r.bottom) / 2}));
      EXPECT_TRUE(WaitFor([&] { return ShownTooltip(dialog) == t.tip; }, 4000)) << t.id;
    }
    Click(c.ctl(IDC_CMDCANCEL_NOESC));
  });
}

TEST_F(CardDialog, EveryBoxTickedWritesTheNineAttributesInTheirOrder) {
  const bool ok = RunDialog(frmCard::Show, [](HWND dialog) {
    const Card c{dialog};
    const struct { int page, check, value; const wchar_t* text; } boxes[] = {
        {0, 0, IDC_CARD_TXTBOOKMARK, L"b"},
        {0, IDC_CARD_CHKBOOKMARK, 0, nullptr},
        {0, IDC_CARD_CHKMETHOD, 0, nullptr},
        {2, IDC_CARD_CHKIDEFAULT, IDC_CARD_TXTIDEFAULT, L"j"},
        {2, IDC_CARD_CHKIKEY, IDC_CARD_TXTIKEY, L"i"},
        {2, IDC_CARD_CHKDEFAULT, IDC_CARD_TXTDEFAULT, L"d"},
        {2, IDC_CARD_CHKKEY, IDC_CARD_TXTKEY, L"k"},
    };
    for (const auto& b : boxes) {
      c.page(b.page);
      if (b.check) Click(c.ctl(b.check));
      if (b.value) c.typeInto(b.value, b.text);
    }
    // Down in the drop-down lists: ALPHA and False, picked as the keyboard picks them.
    c.page(0);
    SetFocus(c.ctl(IDC_CARD_CBOMETHOD));
    Key(dialog, VK_DOWN);
    c.page(1);
    SetFocus(c.ctl(IDC_CARD_CBOMARKBLE));
    Key(dialog, VK_DOWN);
    EXPECT_EQ(c.preview(),
              LR"(<DISPLAY NAME="NewCard" MARKABLE="False" TITLE="新しいカード" KEY="k" BOOKMARK="b" )"
              LR"(METHOD="ALPHA" DEFAULT="d" IKEY="i" IDEFAULT="j">)");
    Click(c.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag,
            LR"(<DISPLAY NAME="NewCard" MARKABLE="False" TITLE="新しいカード" KEY="k" BOOKMARK="b" )"
            LR"(METHOD="ALPHA" DEFAULT="d" IKEY="i" IDEFAULT="j">)");
  EXPECT_EQ(gEndTag, L"</DISPLAY>");
}

TEST_F(CardDialog, KindPickedByKeyboardGoesIntoBothTags) {
  const bool ok = RunDialog(frmCard::Show, [](HWND dialog) {
    const Card c{dialog};
    // The edit of an editable combo shows the picked item only after the pick's
    // notification; the preview has it at once.
    SetFocus(c.ctl(IDC_CARD_CBOCARD));
    Key(dialog, VK_DOWN);
    Click(c.ctl(IDC_CARD_CHKTITLE));
    c.page(1);
    Click(c.ctl(IDC_CARD_CHKMARKBLE));
    EXPECT_EQ(c.preview(), LR"(<CHOICE NAME="NewCard">)");
    Click(c.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<CHOICE NAME="NewCard">)");
  EXPECT_EQ(gEndTag, L"</CHOICE>");
}

TEST_F(CardDialog, TypedAndEmptiedKindAndNameAreWrittenAsTheyAre) {
  const struct { const wchar_t* kind; const wchar_t* name; const wchar_t* start; const wchar_t* end; } cases[] = {
      {L"", L"NewCard", LR"(< NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)", L"</>"},
      {L"DISPLY", L"", LR"(<DISPLY NAME="" MARKABLE="True" TITLE="新しいカード">)", L"</DISPLY>"},
  };
  for (const auto& k : cases) {
    const bool ok = RunDialog(frmCard::Show, [&](HWND dialog) {
      const Card c{dialog};
      c.typeInto(IDC_CARD_CBOCARD, k.kind);
      c.typeInto(IDC_CARD_TXTNAME, k.name);
      EXPECT_EQ(c.preview(), k.start);
      Click(c.ctl(IDOK));
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(gStartTag, k.start);
    EXPECT_EQ(gEndTag, k.end);
  }
}

// An assignment that compared texts regardless of case kept the old preview after an edit that
// changed only a letter's case.
TEST_F(CardDialog, AnEditOfOnlyALettersCaseReachesThePreviewAndBothTags) {
  const bool ok = RunDialog(frmCard::Show, [](HWND dialog) {
    const Card c{dialog};
    c.typeOverLast(IDC_CARD_CBOCARD, L"y");
    EXPECT_EQ(c.preview(), LR"(<DISPLAy NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");
    c.typeOverLast(IDC_CARD_TXTNAME, L"D");
    EXPECT_EQ(c.preview(), LR"(<DISPLAy NAME="NewCarD" MARKABLE="True" TITLE="新しいカード">)");
    Click(c.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<DISPLAy NAME="NewCarD" MARKABLE="True" TITLE="新しいカード">)");
  EXPECT_EQ(gEndTag, L"</DISPLAy>");
}

TEST_F(CardDialog, EscDoesNothingWhileCancelAndTheCloseBoxHandNothingOver) {
  const struct { const char* way; void (*close)(HWND); } ways[] = {
      {"cmdCancel", [](HWND dialog) { Click(Find(dialog, IDC_CMDCANCEL_NOESC)); }},
      {"close box", [](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    EXPECT_FALSE(RunExpectingNothingHandedOver(frmCard::Show, [&](HWND dialog) {
      SetFocus(Find(dialog, IDC_CARD_TXTNAME));
      Key(dialog, VK_ESCAPE);
      EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc leaves the dialog open";
      EXPECT_EQ(gStartTag, L"<EARLIER>");
      way.close(dialog);
    }));
  }
}

// --- End to end: the docked button in the stand-in editor, Japanese text selected ------------

class CardInsertion : public docked::EndToEnd {};

TEST_F(CardInsertion, WrapsTheSelectionInTheTypedKindThroughTheDockedButton) {
  SelectJapanese();
  Command(2, L"カードの設定", [](HWND dialog) {   // "カード"
    // CHOICE typed over the kind box's text, key by key (the keyboard pick is tested above).
    const HWND kindEdit = FindWindowExW(Find(dialog, IDC_CARD_CBOCARD), nullptr, L"Edit", nullptr);
    SendMessageW(kindEdit, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring_view(L"CHOICE")) PostMessageW(kindEdit, WM_CHAR, c, 1);
    EXPECT_TRUE(WaitFor([&] { return Text(Find(dialog, IDC_TXTED)).starts_with(L"<CHOICE "); }));
    Click(Find(dialog, IDOK));
  });
  ExpectWrapped(Cp932(LR"(<CHOICE NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)"), "</CHOICE>");
}

}  // namespace
