// The deck dialog from its real template, driven through its real controls inside its own
// modal loop: typed characters, Backspace, focus, keyboard picks, tab clicks, OK / Cancel / Esc.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmDeck.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

using namespace DialogDriver;

namespace {

std::string Utf8(const std::wstring& s) {
  std::string out(s.size() * 3, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

constexpr wchar_t kInitialTag[] = LR"(<HDML VERSION="3.0" TTL="3" MARKABLE="True">)";

struct Deck : Dialog {
  HWND ttlBox() const { return ctl(IDC_DECK_TXTTTL); }
  HWND box(int i) const { return ctl(IDC_DECK_TXTSECCALC0 + i); }
  std::string ttl() const { return Utf8(Text(ttlBox())); }
  std::string boxes() const {
    return Utf8(Text(box(0)) + L"|" + Text(box(1)) + L"|" + Text(box(2)) + L"|" + Text(box(3)));
  }
  // The TTL that the preview shows, "(none)" when it writes none.
  std::string previewTtl() const {
    const std::wstring p = preview();
    const size_t at = p.find(L" TTL=\"");
    if (at == std::wstring::npos) return "(none)";
    return Utf8(p.substr(at + 6, p.find(L'"', at + 6) - at - 6));
  }
  void page(int index) const { ClickTab(ctl(IDC_DECK_SSTAB1), index); }
  void typeInto(HWND edit, std::wstring_view text) const { TypeOver(dialog, edit, text); }
};

class DeckDialog : public TagDialogTest {};

TEST_F(DeckDialog, OpensAtItsDesignedDefaults) {
  const bool ok = RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    ExpectAsOpened(dialog, {
        {0, L"デッキの設定 - <HDML>"},
        {IDC_TXTED, kInitialTag},
        {IDC_DECK_SSTAB1, nullptr, -1, L"デッキ,アクセス"},
        {IDC_DECK_CHKVERSION, L"HDMLのバージョン&VERSION", kTicked, L"3.0,2.0", IDC_DECK_CBOVERSION, L"3.0"},
        {IDC_DECK_CHKTTL, L"キャッシュの有効秒数&TTL", kTicked, nullptr, IDC_DECK_TXTTTL, L"3"},
        {IDC_DECK_FRASECCALC, L"秒←→日時分秒 換算(相互変換)"},
        {IDC_DECK_LBLSECCALC0 + 0, L"日"},
        {IDC_DECK_LBLSECCALC0 + 1, L"時"},
        {IDC_DECK_LBLSECCALC0 + 2, L"分"},
        {IDC_DECK_LBLSECCALC0 + 3, L"秒"},
        {IDC_DECK_CHKMARKBLE, L"アクセス/ブックマークの許可&MARKABLE", kTicked, L"True,False", IDC_DECK_CBOMARKBLE, L"True"},
        {IDC_DECK_CHKACCESSDOMAIN, L"アクセスを許可するドメイン&ACCESSDOMAIN", kUnticked, nullptr, IDC_DECK_TXTACCESSDOMAIN, L""},
        {IDC_DECK_CHKACCESSPATH, L"アクセス可能なURL ACC&ESSPATH ", kUnticked, nullptr, IDC_DECK_TXTACCESSPATH, L""},
        {IDOK, L"OK(&O)"},
        {IDCANCEL, L"キャンセル(&C)"},
    });
    EXPECT_EQ(d.boxes(), "0|0|0|3");
    EXPECT_EQ(d.comboKind(IDC_DECK_CBOVERSION), CBS_DROPDOWN);
    EXPECT_EQ(d.comboKind(IDC_DECK_CBOMARKBLE), CBS_DROPDOWNLIST);
    EXPECT_TRUE(IsWindowVisible(d.ctl(IDC_DECK_TXTTTL))) << "the first page is in front";
    EXPECT_FALSE(IsWindowVisible(d.ctl(IDC_DECK_TXTACCESSDOMAIN)));
    Click(d.ctl(IDCANCEL));
  });
  EXPECT_FALSE(ok);
}

TEST_F(DeckDialog, OkWithEveryBoxClearedHandsOverTheRebuiltPreview) {
  const bool ok = RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    Click(d.ctl(IDC_DECK_CHKVERSION));
    Click(d.ctl(IDC_DECK_CHKTTL));
    d.page(1);
    EXPECT_TRUE(IsWindowVisible(d.ctl(IDC_DECK_CHKMARKBLE)));
    Click(d.ctl(IDC_DECK_CHKMARKBLE));
    EXPECT_EQ(d.preview(), L"<HDML>");
    // Ticking and unticking gives back the earlier preview exactly.
    Click(d.ctl(IDC_DECK_CHKACCESSDOMAIN));
    EXPECT_EQ(d.preview(), LR"(<HDML ACCESSDOMAIN="">)");
    Click(d.ctl(IDC_DECK_CHKACCESSDOMAIN));
    EXPECT_EQ(d.preview(), L"<HDML>");
    // What is typed into the preview itself does not survive OK.
    d.typeInto(d.ctl(IDC_TXTED), L"<JUNK>");
    Click(d.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, L"<HDML>");
  EXPECT_EQ(gEndTag, L"</HDML>");
}

TEST_F(DeckDialog, CancelEscAndCloseBoxHandNothingOver) {
  ExpectCancelEscAndCloseBoxHandNothingOver(frmDeck::Show, [](HWND dialog) { SetFocus(Find(dialog, IDC_DECK_TXTTTL)); });
}

TEST_F(DeckDialog, AttributeValuesGoInAsTypedAndPicked) {
  const bool ok = RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    // A pick by keyboard in the editable combo: the edit shows "2.0" only after the
    // pick's notification, yet the preview has it at once.
    SetFocus(d.ctl(IDC_DECK_CBOVERSION));
    Key(dialog, VK_DOWN);
    EXPECT_EQ(d.preview(), LR"(<HDML VERSION="2.0" TTL="3" MARKABLE="True">)");
    d.typeInto(d.ctl(IDC_DECK_CBOVERSION), L"4.0 β");
    EXPECT_EQ(d.preview(), LR"(<HDML VERSION="4.0 β" TTL="3" MARKABLE="True">)");
    d.page(1);
    SetFocus(d.ctl(IDC_DECK_CBOMARKBLE));
    Key(dialog, VK_DOWN);
    Click(d.ctl(IDC_DECK_CHKACCESSDOMAIN));
    d.typeInto(d.ctl(IDC_DECK_TXTACCESSDOMAIN), L" a\"b&c ");
    Click(d.ctl(IDC_DECK_CHKACCESSPATH));
    EXPECT_EQ(d.preview(),
              LR"(<HDML VERSION="4.0 β" TTL="3" MARKABLE="False" ACCESSDOMAIN=" a"b&c " ACCESSPATH="">)");
    d.page(0);
    // The tag takes the text of txtTTL: with chkTTL cleared none is written, whatever the boxes say.
    Click(d.ctl(IDC_DECK_CHKTTL));
    d.typeInto(d.box(0), L"2");
    EXPECT_EQ(d.ttl(), "172803");
    EXPECT_EQ(d.previewTtl(), "(none)");
    Key(dialog, VK_RETURN);   // Enter presses OK
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<HDML VERSION="4.0 β" MARKABLE="False" ACCESSDOMAIN=" a"b&c " ACCESSPATH="">)");
  EXPECT_EQ(gEndTag, L"</HDML>");
}

// --- The seconds converter -------------------------------------------------------------

// Typed character by character into txtTTL: every step runs the converter, and the caret must
// stay where the author types.
TEST(DeckConverter, TypedTtlFillsTheBoxes) {
  RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    const struct { const wchar_t* typed; const char* ttl; const char* boxes; } steps[] = {
        {L"90061", "90061", "1|1|1|1"},
        {L"86399", "86399", "0|23|59|59"},
        {L"86400", "86400", "1|0|0|0"},
        {L"-90", "-90", "0|0|-1|-30"},
        // A fraction goes to the nearest whole number, halves to even; the boxes write that
        // number back only when one of them changed.
        {L"7.5", "8", "0|0|0|8"},
        {L"6.5", "6.5", "0|0|0|6"},
    };
    for (const auto& s : steps) {
      d.typeInto(d.ttlBox(), s.typed);
      EXPECT_EQ(d.ttl(), s.ttl) << Utf8(s.typed);
      EXPECT_EQ(d.boxes(), s.boxes) << Utf8(s.typed);
      EXPECT_EQ(d.previewTtl(), s.ttl) << Utf8(s.typed);
    }
    Click(d.ctl(IDCANCEL));
  });
}

TEST(DeckConverter, TypedBoxesClampAndSetTheTtl) {
  RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    const struct { int box; const wchar_t* typed; const char* ttl; const char* boxes; } steps[] = {
        // 1.5 days give 129603; the nested runs then settle the boxes at 1 day 12 hours.
        {0, L"1.5", "129603", "1|12|0|3"},
        {1, L"30", "169203", "1|23|0|3"},
        {3, L"75", "169259", "1|23|0|59"},
        {2, L"60", "172799", "1|23|59|59"},
        {1, L"23", "172799", "1|23|59|59"},
        {2, L"-5", "168959", "1|22|55|59"},
    };
    for (const auto& s : steps) {
      d.typeInto(d.box(s.box), s.typed);
      EXPECT_EQ(d.ttl(), s.ttl) << s.box << " " << Utf8(s.typed);
      EXPECT_EQ(d.boxes(), s.boxes) << s.box << " " << Utf8(s.typed);
      EXPECT_EQ(d.previewTtl(), s.ttl) << s.box << " " << Utf8(s.typed);
    }
    Click(d.ctl(IDCANCEL));
  });
}

TEST(DeckConverter, EmptiedBoxesAreRefilledAndKeepOrTakeTheFocus) {
  RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    d.typeInto(d.ttlBox(), L"90061");

    // A converter box that takes the focus has its whole text selected.
    SetFocus(d.box(2));
    DWORD start = 9, end = 9;
    SendMessageW(d.box(2), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 1u);

    Type(dialog, L"\b");
    EXPECT_EQ(d.boxes(), "1|1|0|1");
    EXPECT_EQ(d.ttl(), "90001");
    EXPECT_EQ(GetFocus(), d.box(2)) << "the emptied minutes box keeps the focus";

    d.typeInto(d.ttlBox(), L"");
    EXPECT_EQ(d.ttl(), "0");
    EXPECT_EQ(d.boxes(), "0|0|0|0");
    EXPECT_EQ(d.previewTtl(), "0");
    EXPECT_EQ(GetFocus(), d.ttlBox());

    // Emptied by the program while another box has the focus: the focus moves to it.
    d.typeInto(d.ttlBox(), L"3661");
    SetWindowTextW(d.box(1), L"");
    EXPECT_EQ(d.boxes(), "0|0|1|1");
    EXPECT_EQ(d.ttl(), "61");
    EXPECT_EQ(GetFocus(), d.box(1));
    Click(d.ctl(IDCANCEL));
  });
}

TEST(DeckConverter, TextThatIsNoNumberLeavesTheOtherSideAndTheOtherInputs) {
  const bool ok = RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    d.typeInto(d.ctl(IDC_DECK_CBOVERSION), L"9.9");
    const struct { HWND edit; const wchar_t* text; const char* ttl; const char* boxes; } steps[] = {
        {d.ttlBox(), L"abc", "abc", "0|0|0|3"},
        {d.ttlBox(), L"-", "-", "0|0|0|3"},
        {d.ttlBox(), L"2147483648", "2147483648", "0|0|0|3"},
        {d.ttlBox(), L"-2147483649", "-2147483649", "0|0|0|3"},
        {d.ttlBox(), L"61", "61", "0|0|1|1"},
        {d.box(1), L"-", "61", "0|-|1|1"},
        {d.box(0), L"1 5", "61", "1 5|-|1|1"},
        {d.box(1), L"2", "61", "1 5|2|1|1"},
        {d.box(0), L"0", "7261", "0|2|1|1"},
    };
    for (const auto& s : steps) {
      SetWindowTextW(s.edit, s.text);   // arrives at once, as a paste does
      EXPECT_EQ(d.ttl(), s.ttl) << Utf8(s.text);
      EXPECT_EQ(d.boxes(), s.boxes) << Utf8(s.text);
      EXPECT_EQ(d.previewTtl(), s.ttl) << Utf8(s.text);
    }
    Click(d.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<HDML VERSION="9.9" TTL="7261" MARKABLE="True">)");
}

// A whole value arriving at once (a paste, or a box that a nested run has just rewritten) while
// the boxes hold numbers of the other sign: the TTL stays what arrived and the boxes show it.
TEST(DeckConverter, ValuesArrivingAtOnceSettleOnBothSides) {
  RunDialog(frmDeck::Show, [](HWND dialog) {
    const Deck d{dialog};
    const struct { HWND edit; const wchar_t* text; const char* ttl; const char* boxes; } steps[] = {
        {d.ttlBox(), L"-90", "-90", "0|0|-1|-30"},
        {d.ttlBox(), L"90061", "90061", "1|1|1|1"},
        {d.box(0), L"-2", "-169139", "-1|-22|-58|-59"},
        {d.ttlBox(), L"3", "3", "0|0|0|3"},
        {d.box(0), L"-20000", "-1727999997", "-19999|-23|-59|-57"},
        {d.ttlBox(), L"-2147483648", "-2147483648", "-24855|-3|-14|-8"},
        {d.ttlBox(), L"2147483647", "2147483647", "24855|3|14|7"},
    };
    for (const auto& s : steps) {
      SetWindowTextW(s.edit, s.text);
      EXPECT_EQ(d.ttl(), s.ttl) << Utf8(s.text);
      EXPECT_EQ(d.boxes(), s.boxes) << Utf8(s.text);
    }
    Click(d.ctl(IDCANCEL));
  });
}

// --- End to end: the docked button in the stand-in editor, Japanese text selected ------------

class DeckInsertion : public docked::EndToEnd {};

TEST_F(DeckInsertion, WrapsTheSelectionThroughTheDockedButton) {
  SelectJapanese();
  Command(1, L"デッキの設定 - <HDML>", [](HWND dialog) {   // "デッキ"
    SetWindowTextW(Find(dialog, IDC_DECK_TXTSECCALC0), L"1.5");
    EXPECT_EQ(Text(Find(dialog, IDC_DECK_TXTTTL)), L"129603");
    Click(Find(dialog, IDOK));
  });
  ExpectWrapped(R"(<HDML VERSION="3.0" TTL="129603" MARKABLE="True">)", "</HDML>");
}

}  // namespace
