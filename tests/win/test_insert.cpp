// One insertion end to end: a real click on the docked button, the text formatting dialog
// filled in as a user would, and the editor's bytes and caret afterwards (cp932 byte offsets).
#include <gtest/gtest.h>

#include <functional>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmText.h"

using namespace DialogDriver;

namespace {

constexpr int kTextButton = 3;   // position 4, "テキスト整形"

// The user's part in the open dialog (another process): picks, ticks, and one way of closing.
using Fill = std::function<void(HWND dialog)>;

// The tag picked from the list, its end tag ticked, OK.
Fill WithEndTag(int tagIndex) {
  return [tagIndex](HWND d) {
    Pick(d, IDC_TEXT_CBOTAG, tagIndex);
    Click(Find(d, IDC_TEXT_CHKCLOSETAG));
    Click(Find(d, IDOK));
  };
}

class Insertion : public docked::EndToEndBothWays {
protected:
  void Text(const Fill& fill) { Command(kTextButton, L"テキスト整形", fill); }
};

struct Case {
  const char* name;
  const char* text;      // cp932 bytes
  long selStart, selEnd;
  Fill fill;
  const char* expected;  // cp932 bytes
  long caret;
};

TEST_P(Insertion, WrapsTheSelectionAndLeavesTheCaretBeforeTheEndTag) {
  const Case cases[] = {
      {"CENTER with end tag around abc", "xabcy", 1, 4, WithEndTag(1), "x<CENTER>abc</CENTER>y", 12},
      {"Japanese selected: only the end tag's bytes count", "\x82\xa0\x82\xa2\x82\xa4", 0, 6,   // あいう
       WithEndTag(1), "<CENTER>\x82\xa0\x82\xa2\x82\xa4</CENTER>", 14},
      {"nothing selected: both tags at the caret, caret between", "abcdef", 3, 3, WithEndTag(4),
       "abc<WRAP></WRAP>def", 9},
      {"Enter at once: <BR> before the selection, caret after it", "abc", 0, 3,
       [](HWND d) { Key(d, VK_RETURN); }, "<BR>abc", 7},
      {"after Japanese text, before more of it", "\x82\xa0xyz\x82\xa2", 2, 5, WithEndTag(2),
       "\x82\xa0<RIGHT>xyz</RIGHT>\x82\xa2", 12},
      // From a fault: selected from right to left in an editor that answers (anchor, caret), the
      // selection was replaced by the empty tags.
      {"あいう in 前あいう後, CENTER with its end tag", "\x91\x4f\x82\xa0\x82\xa2\x82\xa4\x8c\xe3", 2, 8,
       WithEndTag(1), "\x91\x4f<CENTER>\x82\xa0\x82\xa2\x82\xa4</CENTER>\x8c\xe3", 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.setBytes(c.text);
    SelectBytes(c.selStart, c.selEnd);
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);
    Text(c.fill);
    EXPECT_EQ(host.bytes(), c.expected);
    EXPECT_EQ(host.sel(), std::make_pair(c.caret, c.caret));
    // One replacement: one undo in the editor takes the insertion back whole.
    EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore + 1);
    SendMessageW(host.editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(host.bytes(), c.text);
  }
}

TEST_P(Insertion, CancelEscAndTheCloseBoxInsertNothingEvenRightAfterAnInsertion) {
  const struct { const char* name; Fill fill; } closings[] = {
      {"Cancel", [](HWND d) { Pick(d, IDC_TEXT_CBOTAG, 1); Click(Find(d, IDCANCEL)); }},
      {"Esc", [](HWND d) { Click(Find(d, IDC_TEXT_CHKCLOSETAG)); Key(d, VK_ESCAPE); }},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& closing : closings) {
    SCOPED_TRACE(closing.name);
    Select("", "abc");
    Text(WithEndTag(1));
    ASSERT_EQ(host.bytes(), "<CENTER>abc</CENTER>");
    SelectBytes(0, 3);
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);
    Text(closing.fill);
    EXPECT_EQ(host.bytes(), "<CENTER>abc</CENTER>");
    EXPECT_EQ(host.sel(), AsAnswered(0, 3));
    EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore);
  }
}

// From a fault: with a NUL in the selection the bytes after it were lost on OK (the read
// stops at the NUL, and the replacement rewrote the whole selection with what was read).
// Now the tags go in around the selection, one replacement each, and no byte is touched.
TEST_P(Insertion, ANulInTheSelectionOrBeforeItLosesNoByte) {
  const struct { const char* name; std::string before, selected, after; } cases[] = {
      {"NUL inside the selection, Japanese around it", "x", std::string("\x82\xa0" "a\0b\x82\xa2", 7), "y"},
      {"NUL before the selection", std::string("a\0b", 3), "c", "d"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Select(c.before, c.selected, c.after);
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);
    Text(WithEndTag(1));
    ExpectInserted(c.before, "<CENTER>", c.selected, "</CENTER>", c.after);
    EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore + 2);
    SendMessageW(host.editor(), EM_UNDO, 0, 0);
    SendMessageW(host.editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(host.bytes(), c.before + c.selected + c.after);
  }
}

// From a fault: after OK, Cancel or the popup menu the foreground and the keyboard stayed on
// Tolvane's hidden window, which owns the dialogs and the menu, so the author's next key went
// nowhere until a click into the editor. A key pressed right after the way out must land in the
// editor at the caret, with an editor that does not focus its edit control by itself.
TEST_P(Insertion, TheAuthorsNextKeyLandsInTheEditorAtTheCaret) {
  const struct { const char* name; std::function<void()> wayOut; const char* expected; } cases[] = {
      {"OK", [&] { Select("x", "abc", "y"); Text(WithEndTag(1)); }, "x<CENTER>abcz</CENTER>y"},
      {"Cancel", [&] { Select("x", "", "y"); Text([](HWND d) { Click(Find(d, IDCANCEL)); }); }, "xzy"},
      {"popup menu dismissed by Esc", [&] {
         Select("x", "", "y");
         ASSERT_TRUE(docked::RealClick(tolvane->buttonCentre(kTextButton), 3));
         HWND menu = nullptr;
         ASSERT_TRUE(WaitFor([&] { return (menu = docked::FindWindowOf(tolvane->pid(), L"#32768")) != nullptr; }));
         docked::Press(VK_ESCAPE);
         ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
         WaitForInputIdle(tolvane->handle(), 2000);
       }, "xzy"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.foreground();
    c.wayOut();
    // The hand-back runs after our window or menu is gone: a key pressed in between would race
    // it as no person does. Had nothing handed the keyboard back, the key still goes astray.
    WaitFor([&] { return host.hasKeyboard(); }, 2000);
    docked::Press('Z');
    EXPECT_TRUE(WaitFor([&] { return host.bytes() == c.expected; }, 3000)) << host.bytes();
  }
}

// From a fault: the popup menu closed by a click into another program pulled TeraPad back in
// front of that program. The keyboard goes back to TeraPad only when the menu's way out leaves
// it with Tolvane (Esc, above); a click elsewhere leaves it where the author clicked.
TEST_P(Insertion, ThePopupMenuClosedAsAnotherProgramTakesTheForegroundLeavesThatProgramInFront) {
  const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                     200, 150, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  host.foreground();
  ASSERT_TRUE(docked::RealClick(tolvane->buttonCentre(kTextButton), 3));
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = docked::FindWindowOf(tolvane->pid(), L"#32768")) != nullptr; }));
  // Under Wine a click outside the menu is eaten by the menu and activates nothing, and a
  // program that takes the foreground does not end the menu. What Windows does on such a click
  // is done by hand: the other program takes the foreground, the menu's owner is told to cancel.
  ASSERT_TRUE(SetForegroundWindow(other) && tolvane->hidden());
  SendMessageW(tolvane->hidden(), WM_CANCELMODE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
  WaitForInputIdle(tolvane->handle(), 2000);
  Sleep(300);
  EXPECT_EQ(GetForegroundWindow(), other);
  DestroyWindow(other);
}

INSTANTIATE_TEST_SUITE_P(, Insertion, docked::BothWays, docked::WayName);

}  // namespace
