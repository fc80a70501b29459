// The stand-in editor answers TeraPad's protocol as the bridge relies on it. Every message goes
// from this process to a real hostpad.exe process, so Windows' own cross-process handling of
// string and pointer messages is part of what is checked.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "Docked.h"
#include "TestSupport.h"

// HostPadOptions is filled by designated initializers naming only what a test changes; g++ 12
// warns about every member left to its default there.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using docked::ClassOf;
using docked::Keys;
using docked::Press;

namespace {

// cp932 of "あいうxyz": three double-byte characters and three letters.
const std::string kAiu = Cp932(L"あいうxyz");

std::string WindowTextA(HWND hwnd) {
  const auto n = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  const auto got = SendMessageA(hwnd, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(got));
  return s;
}

std::string GetTextA(HWND editor, WPARAM capacity, LRESULT* count = nullptr) {
  std::string buf(capacity + 8, '\x7F');   // bytes past the NUL show overruns
  const auto got = SendMessageA(editor, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buf.data()));
  if (count) *count = got;
  EXPECT_EQ(buf[static_cast<std::size_t>(got)], '\0') << "no NUL after the copied bytes";
  return buf.substr(0, static_cast<std::size_t>(got));
}

void ReplaceSel(HWND editor, const std::string& bytes) {
  SendMessageA(editor, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
}

DWORD ExitCodeOf(Process& p) {
  p.waitExit(5000);
  return p.exitCode();
}

}  // namespace

// ---- windows and paths

TEST(HostPadWindows, ChildWindowsCarryTheirPathsInCp932) {
  TempDir dir;
  // An ASCII name: the Unix side of Wine here has no locale to spell Japanese file names in.
  const std::wstring file = dir.file(L"deck.hdml");
  WriteBytes(file, "x");
  HostPad host({.file = file});
  ASSERT_TRUE(host.main());
  EXPECT_EQ(ClassOf(host.main()), L"TTeraPadMainForm");

  const struct { const char* cls; std::wstring path; } children[] = {
      {"TEdit", file},
      {"TTeraPadExeName", ExeDir() + L"\\hostpad.exe"},
      {"TTeraPadIniFilePath", host.iniPath()},
  };
  for (const auto& c : children) {
    HWND child = FindWindowExA(host.main(), nullptr, c.cls, nullptr);
    ASSERT_TRUE(child) << c.cls;
    // Byte count and bytes as TeraPad's readers take them: length, then capacity length + 1.
    EXPECT_EQ(WindowTextA(child), Cp932(c.path)) << c.cls;
  }
  EXPECT_TRUE(GetFileAttributesW(host.iniPath().c_str()) != INVALID_FILE_ATTRIBUTES)
      << "the settings file is created when missing";
  EXPECT_EQ(host.bytes(), "x") << "the file named on the command line is opened";
}

TEST(HostPadWindows, SwitchesLeaveOutToolbarAndSettingsWindow) {
  HostPad host({.noToolbar = true, .noIni = true});
  EXPECT_FALSE(host.toolbar());
  EXPECT_FALSE(FindWindowExA(host.main(), nullptr, "TTeraPadIniFilePath", nullptr));
  EXPECT_TRUE(FindWindowExA(host.main(), nullptr, "TTeraPadExeName", nullptr));
}

TEST(HostPadWindows, ToolbarStripSpansTheTopAndHoldsButtonsAtItsLeft) {
  HostPad host({.strip = true});
  HWND bar = host.toolbar();
  ASSERT_TRUE(bar);
  EXPECT_TRUE(IsWindowVisible(bar));
  RECT client, strip;
  GetClientRect(host.main(), &client);
  GetWindowRect(bar, &strip);
  EXPECT_EQ(strip.right - strip.left, client.right) << "full client width";
  EXPECT_GE(strip.bottom - strip.top, 24);
  EXPECT_LE(strip.bottom - strip.top, 30);

  HWND buttons = GetWindow(bar, GW_CHILD);
  ASSERT_TRUE(buttons);
  RECT r;
  GetWindowRect(buttons, &r);
  const long right = r.right - strip.left;
  // Sized to its buttons, not to the strip: the measurement of the windows inside the strip
  // must find where the host's own buttons end.
  EXPECT_GT(right, 100);
  EXPECT_LT(right, 300);
}

// As TeraPad's: one toolbar control, its buttons no windows, nothing inside to measure.
TEST(HostPadWindows, TheToolbarIsOneToolbarControl) {
  HostPad host;
  HWND bar = host.toolbar();
  ASSERT_TRUE(bar);
  EXPECT_GT(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 10);
  EXPECT_FALSE(GetWindow(bar, GW_CHILD));
}

// ---- TeraPad's custom messages

TEST(HostPadMessages, EditorHandleAndEditMode) {
  HostPad host({.mode = 1});
  HWND editor = host.editor();
  ASSERT_TRUE(IsWindow(editor));
  EXPECT_EQ(GetParent(editor), host.main());
  DWORD pid = 0;
  GetWindowThreadProcessId(editor, &pid);
  EXPECT_EQ(pid, host.process().pid());
  EXPECT_FALSE(IsWindowUnicode(editor)) << "the editor is an ANSI window";

  EXPECT_EQ(host.send(0x8194), 1);
  host.send(HPM_SETMODE, 3);
  EXPECT_EQ(host.send(0x8194), 3);
}

TEST(HostPadMessages, SaveWritesTheBytesAndClearsTheModifiedFlag) {
  TempDir dir;
  const std::wstring file = dir.file(L"a.hdml");
  WriteBytes(file, "old");
  HostPad host({.file = file});
  HWND editor = host.editor();
  EXPECT_EQ(SendMessageA(editor, EM_GETMODIFY, 0, 0), 0) << "a file just opened is not modified";

  host.select(0, -1);
  ReplaceSel(editor, Cp932(L"新しい\r\n"));
  EXPECT_NE(SendMessageA(editor, EM_GETMODIFY, 0, 0), 0);
  host.send(0x8190);
  EXPECT_EQ(ReadBytes(file), Cp932(L"新しい\r\n"));
  EXPECT_EQ(SendMessageA(editor, EM_GETMODIFY, 0, 0), 0);
  EXPECT_EQ(host.send(HPM_SAVECOUNT), 1);
}

TEST(HostPadMessages, ReloadCountsAndReadsTheSettingsAgain) {
  HostPad host;
  DWORD zero = 0;
  EXPECT_EQ(host.send(HPM_RELOADCOUNT), 0);
  host.send(0x465, 0, reinterpret_cast<LPARAM>(&zero));
  host.send(0x465, 0, reinterpret_cast<LPARAM>(&zero));
  EXPECT_EQ(host.send(HPM_RELOADCOUNT), 2);
}

// ---- text in bytes

TEST(HostPadText, LengthAndRawBytesCountCp932Bytes) {
  HostPad host;
  HWND editor = host.editor();
  const std::string text = kAiu + "\r\n" + Cp932(L"ｱｲｳ") + "\x80\xA0";
  host.setBytes(text);
  EXPECT_EQ(host.bytes(), text);
  EXPECT_EQ(SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
}

TEST(HostPadText, GetTextCopiesWholeCharactersWithinTheCapacity) {
  HostPad host;
  HWND editor = host.editor();
  host.setBytes(kAiu);
  const struct { WPARAM capacity; std::string expected; } cases[] = {
      {1, ""},
      {2, ""},                        // one byte of room: half of "あ" is never copied
      {3, kAiu.substr(0, 2)},
      {4, kAiu.substr(0, 2)},
      {5, kAiu.substr(0, 4)},
      {8, kAiu.substr(0, 7)},
      {9, kAiu.substr(0, 8)},
      {10, kAiu},
      {100, kAiu},
  };
  for (const auto& c : cases) {
    LRESULT count = -1;
    EXPECT_EQ(GetTextA(editor, c.capacity, &count), c.expected) << "capacity " << c.capacity;
    EXPECT_EQ(count, static_cast<LRESULT>(c.expected.size())) << "capacity " << c.capacity;
  }
}

TEST(HostPadText, SetSelFollowsEditRulesAndNeverSplitsACharacter) {
  HostPad host;
  const std::string text = kAiu + "\r\nabc";   // 14 bytes; "う" is bytes 4 and 5
  host.setBytes(text);
  const struct { long start, end, selStart, selEnd; } cases[] = {
      {0, -1, 0, 14},      // everything
      {2, 4, 2, 4},
      {5, 2, 2, 4},        // reversed; 5 is inside "う" and moves to its start
      {3, 100, 2, 14},     // 3 is inside "い"; the end is clamped to the length
      {9, 9, 9, 9},
      {-1, 0, 9, 9},       // -1 drops the selection and keeps the caret
      {-7, 3, 2, 14},      // any other negative start counts as past the end, as in EDIT
  };
  for (const auto& c : cases) {
    host.select(c.start, c.end);
    EXPECT_EQ(host.sel(), std::make_pair(c.selStart, c.selEnd)) << c.start << "," << c.end;
  }

  // A text that ends in a lone lead byte still has its end as a boundary.
  host.setBytes("ab\x82");
  host.select(0, -1);
  EXPECT_EQ(host.sel(), std::make_pair(0L, 3L));

  host.setBytes(text);
  host.select(2, 4);
  DWORD start = 99;
  const auto packed = SendMessageA(host.editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  EXPECT_EQ(start, 2u) << "lParam 0: only the start is asked for";
  EXPECT_EQ(packed, MAKELONG(2, 4));
}

TEST(HostPadText, GetSelAnswersMinusOneBeyond16Bits) {
  HostPad host;
  host.setBytes(std::string(70000, 'a'));
  host.select(10, -1);
  DWORD start = 0, end = 0;
  EXPECT_EQ(SendMessageA(host.editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end)), -1);
  EXPECT_EQ(start, 10u);
  EXPECT_EQ(end, 70000u);
}

TEST(HostPadText, EightMegabyteDocumentMovesWholeInOneMessage) {
  HostPad host;
  HWND e = host.editor();
  std::string text;
  const std::string line = Cp932(L"<CE VALUE=\"1\">表示テキスト</CE>\r\n");
  while (text.size() < 8 * 1024 * 1024) text += line;
  host.setBytes(text);
  const auto length = SendMessageA(e, WM_GETTEXTLENGTH, 0, 0);
  ASSERT_EQ(length, static_cast<LRESULT>(text.size()));
  std::string got(text.size() + 1, '\0');
  const auto n = SendMessageA(e, WM_GETTEXT, got.size(), reinterpret_cast<LPARAM>(got.data()));
  got.resize(static_cast<std::size_t>(n));
  EXPECT_TRUE(got == text) << "the whole text, byte for byte";

  const long middle = static_cast<long>(line.size() * 1000);
  host.select(middle, middle);
  ReplaceSel(e, "<BR>");
  EXPECT_EQ(host.sel(), std::make_pair(middle + 4, middle + 4));
  EXPECT_EQ(SendMessageA(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1000);
  EXPECT_TRUE(host.bytes() == text.substr(0, middle) + "<BR>" + text.substr(middle));
}

namespace {
// Numbered lines up to at least `bytes` bytes, so that a lost or repeated stretch shows.
std::string Lines(std::size_t bytes, const std::wstring& body) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += Cp932(L"<P>" + std::to_wstring(i) + body + L"</P>\r\n");
  return text;
}
}  // namespace

// Wine hands the data of a message from another process to the window procedure on the
// receiving thread's stack, as UTF-16 (2 bytes per ASCII byte): with the default 2 MB stack a
// 1 MB EM_REPLACESEL of ASCII ended the editor. A wide sender's text crosses the same way.
TEST(HostPadText, MegabytesOfReplaceSelFromAnotherProcessArriveWhole) {
  const std::size_t MB = 1024 * 1024;
  const struct { const char* label; bool wide; std::string text; } cases[] = {
      {"A, 1 MB ASCII", false, Lines(1 * MB, L" plain text")},
      {"W, 1 MB ASCII", true, Lines(1 * MB, L" plain text")},
      {"A, 4 MB cp932", false, Lines(4 * MB, L" 表示テキスト")},
      {"W, 4 MB cp932", true, Lines(4 * MB, L" 表示テキスト")},
  };
  for (const auto& c : cases) {
    HostPad host;
    HWND e = host.editor();
    host.setBytes("<HEAD><TAIL>");
    host.select(6, 6);
    if (c.wide) {
      const std::wstring w = FromCp932(c.text);
      SendMessageW(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(w.c_str()));
    } else {
      ReplaceSel(e, c.text);
    }
    if (!IsWindow(e)) {
      ADD_FAILURE() << c.label << ": hostpad ended, exit code " << ExitCodeOf(host.process());
      continue;
    }
    const long end = 6 + static_cast<long>(c.text.size());
    EXPECT_EQ(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0), end + 6) << c.label;
    EXPECT_EQ(host.sel(), std::make_pair(end, end)) << c.label;
    EXPECT_TRUE(host.bytes() == "<HEAD>" + c.text + "<TAIL>") << c.label << ": not byte for byte";
  }
}

TEST(HostPadText, ReplaceSelPutsTheCaretAfterTheInsertedBytes) {
  HostPad host;
  HWND editor = host.editor();
  host.setBytes(kAiu);
  host.select(2, 4);                               // "い"
  ReplaceSel(editor, Cp932(L"漢字ab"));
  EXPECT_EQ(host.bytes(), Cp932(L"あ漢字abうxyz"));
  EXPECT_EQ(host.sel(), std::make_pair(8L, 8L));
  host.select(0, -1);
  ReplaceSel(editor, "");
  EXPECT_EQ(host.bytes(), "");
  EXPECT_EQ(host.sel(), std::make_pair(0L, 0L));
}

TEST(HostPadText, ClipboardMessagesMoveTheSelection) {
  HostPad host;
  HWND editor = host.editor();
  host.setBytes(kAiu);
  host.select(0, 4);
  SendMessageA(editor, WM_CUT, 0, 0);
  EXPECT_EQ(host.bytes(), Cp932(L"うxyz"));
  host.select(6, 6);
  SendMessageA(editor, WM_PASTE, 0, 0);
  EXPECT_EQ(host.bytes(), Cp932(L"うxyzあい"));
  host.select(0, 2);
  SendMessageA(editor, WM_COPY, 0, 0);
  SendMessageA(editor, WM_CLEAR, 0, 0);
  EXPECT_EQ(host.bytes(), Cp932(L"xyzあい"));
  host.select(3, 3);
  SendMessageA(editor, WM_PASTE, 0, 0);
  EXPECT_EQ(host.bytes(), Cp932(L"xyzうあい"));
}

TEST(HostPadText, LineMessagesCountBytesAndCrLfBreaks) {
  HostPad host;
  HWND e = host.editor();
  host.setBytes(Cp932(L"ab\r\nあい\r\n\r\nxyz"));   // lines start at 0, 4, 10, 12; 15 bytes
  EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 4);
  const struct { WPARAM line; LRESULT index; } indexes[] = {{0, 0}, {1, 4}, {2, 10}, {3, 12}, {4, -1}, {99, -1}};
  for (const auto& c : indexes) EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, c.line, 0), c.index) << c.line;
  const struct { WPARAM pos; LRESULT line; } lines[] = {{0, 0}, {3, 0}, {4, 1}, {9, 1}, {10, 2}, {12, 3}, {15, 3}};
  for (const auto& c : lines) EXPECT_EQ(SendMessageA(e, EM_LINEFROMCHAR, c.pos, 0), c.line) << c.pos;
  const struct { WPARAM pos; LRESULT length; } lengths[] = {{0, 2}, {5, 4}, {10, 0}, {13, 3}};
  for (const auto& c : lengths) EXPECT_EQ(SendMessageA(e, EM_LINELENGTH, c.pos, 0), c.length) << c.pos;

  host.select(6, 6);
  EXPECT_EQ(SendMessageA(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1) << "the caret's line";
  EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 4) << "the caret's line";
}

// ---- undo

TEST(HostPadUndo, EachChangeIsUndoneOnItsOwnLatestFirst) {
  HostPad host;
  HWND e = host.editor();
  host.setBytes("abc");
  SendMessageA(e, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0));

  std::vector<std::string> states{host.bytes()};
  host.select(3, 3);
  ReplaceSel(e, "1");
  states.push_back(host.bytes());
  host.select(0, 1);
  SendMessageA(e, WM_CLEAR, 0, 0);
  states.push_back(host.bytes());
  host.select(0, 0);
  ReplaceSel(e, Cp932(L"あ"));
  states.push_back(host.bytes());
  host.select(0, -1);
  SendMessageA(e, WM_CUT, 0, 0);
  states.push_back(host.bytes());
  ASSERT_EQ(states.back(), "");
  EXPECT_EQ(host.send(HPM_UNDOCOUNT), 4);

  for (std::size_t i = states.size() - 1; i > 0; --i) {
    EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
    EXPECT_EQ(host.bytes(), states[i - 1]) << "after undo number " << states.size() - i;
  }
  EXPECT_FALSE(SendMessageA(e, EM_UNDO, 0, 0)) << "nothing is left to undo";
  EXPECT_EQ(host.bytes(), "abc");
}

TEST(HostPadUndo, DepthLimitKeepsOnlyTheLatestChanges) {
  HostPad host({.undo = 2});
  HWND e = host.editor();
  for (const char* s : {"a", "b", "c"}) ReplaceSel(e, s);
  EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
  EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
  EXPECT_FALSE(SendMessageA(e, EM_UNDO, 0, 0));
  EXPECT_EQ(host.bytes(), "a");

  host.send(HPM_SETUNDODEPTH, 0);
  for (int i = 0; i < 50; ++i) ReplaceSel(e, "x");
  EXPECT_EQ(host.send(HPM_UNDOCOUNT), 50) << "unlimited again";
}

// The bridge's piecewise read of a long text on the 95 family: select a piece from the start,
// copy it, delete it, and so on; then one EM_UNDO per deletion makes the text whole again.
TEST(HostPadUndo, PiecewiseDeletionsComeBackWhole) {
  HostPad host;
  HWND e = host.editor();
  std::string text;
  for (int i = 0; text.size() < 70000; ++i) text += Cp932(L"行") + std::to_string(i) + "\r\n";
  host.setBytes(text);
  host.select(5, 9);
  int passes = 0;
  while (SendMessageA(e, WM_GETTEXTLENGTH, 0, 0) > 0 && passes < 10) {
    host.select(0, 32759);
    SendMessageA(e, WM_CLEAR, 0, 0);
    ++passes;
  }
  EXPECT_EQ(passes, 3);
  for (int i = 0; i < passes; ++i) EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
  EXPECT_EQ(host.bytes(), text);
}

// ---- a 95-family host: bytes per transfer capped

TEST(HostPadCap, ReplaceSelTakesAtMostTheCapCutAtACharacter) {
  HostPad host({.cap = 10});
  HWND e = host.editor();
  const struct { std::string sent, taken; } cases[] = {
      {"abcdefghij", "abcdefghij"},                       // exactly the cap
      {"abcdefghijk", "abcdefghij"},
      {"abcdefghi" + Cp932(L"あ"), "abcdefghi"},          // "あ" would end past the cap
      {Cp932(L"あいうえおか"), Cp932(L"あいうえお")},
  };
  for (const auto& c : cases) {
    host.select(0, -1);
    ReplaceSel(e, c.sent);
    EXPECT_EQ(host.bytes(), c.taken) << c.sent;
    EXPECT_EQ(host.sel(), std::make_pair(static_cast<long>(c.taken.size()), static_cast<long>(c.taken.size())));
  }
}

TEST(HostPadCap, GetTextCopiesAtMostTheCapUnlessTheWholeTextFits) {
  HostPad host;
  HWND e = host.editor();
  std::string text = "abcdefghi";
  while (text.size() < 40) text += Cp932(L"あ");
  host.setBytes(text);
  host.send(HPM_SETCAP, 10);
  // Wine counts an ANSI caller's WM_GETTEXTLENGTH across processes by copying the whole text;
  // a copy that can hold the whole text is therefore never capped, and the length stays true.
  EXPECT_EQ(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0), 41);
  EXPECT_EQ(GetTextA(e, 100), text);
  EXPECT_EQ(GetTextA(e, 16), "abcdefghi") << "capped, and the cap falls inside \"あ\"";
  host.send(HPM_SETCAP, 0);
  EXPECT_EQ(GetTextA(e, 16), text.substr(0, 15));
}

// ---- a host that refuses changes

TEST(HostPadReadOnly, RefusesEveryChangeButKeepsSelecting) {
  HostPad host({.readonly = true});
  HWND e = host.editor();
  host.setBytes(kAiu);   // the test door ignores read-only
  host.select(2, 4);
  ReplaceSel(e, "Z");
  SendMessageA(e, WM_CLEAR, 0, 0);
  SendMessageA(e, WM_CUT, 0, 0);
  SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"));
  EXPECT_FALSE(SendMessageA(e, EM_UNDO, 0, 0));
  EXPECT_EQ(host.bytes(), kAiu);
  EXPECT_EQ(host.sel(), std::make_pair(2L, 4L));

  host.send(HPM_SETREADONLY, 0);
  ReplaceSel(e, "Z");
  EXPECT_EQ(host.bytes(), Cp932(L"あZうxyz"));
}

// ---- test hooks on the toolbar

TEST(HostPadToolbar, HideShowRecreateAndDestroy) {
  HostPad host;
  HWND bar = host.toolbar();
  ASSERT_TRUE(bar);
  // A window of this process docked into the strip, as Tolvane docks its toolbar.
  HWND guest = CreateWindowExW(0, L"STATIC", L"guest", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(guest);
  SetParent(guest, bar);
  SetWindowLongPtrW(guest, GWL_STYLE, WS_CHILD | WS_VISIBLE);
  SetWindowPos(guest, nullptr, 250, 2, 40, 20, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);

  // The strip keeps its guest where it was put when the editor is resized.
  RECT before, after;
  GetWindowRect(guest, &before);
  SetWindowPos(host.main(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(guest, &after);
  EXPECT_EQ(after.left - before.left, 0);
  EXPECT_EQ(after.top - before.top, 0);

  host.send(HPM_SHOWTOOLBAR, 0);
  EXPECT_FALSE(IsWindowVisible(bar));
  EXPECT_FALSE(IsWindowVisible(guest)) << "hidden with the strip, as its child";
  host.send(HPM_SHOWTOOLBAR, 1);
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_TRUE(IsWindowVisible(guest));

  host.send(HPM_RECREATETOOLBAR);
  HWND fresh = host.toolbar();
  EXPECT_TRUE(fresh && fresh != bar);
  EXPECT_TRUE(IsWindowVisible(fresh));
  EXPECT_FALSE(IsWindow(bar));
  EXPECT_FALSE(IsWindow(guest)) << "destroyed with the old strip";

  host.send(HPM_DESTROYTOOLBAR);
  EXPECT_FALSE(host.toolbar());
}

// ---- version resource, foreground, tool menu

TEST(HostPadProgram, VersionResourceIsReadable) {
  const std::wstring exe = ExeDir() + L"\\hostpad.exe";
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len));
  EXPECT_EQ(HIWORD(info->dwProductVersionMS), HOSTPAD_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(info->dwProductVersionMS), HOSTPAD_VERSION_MINOR);
  EXPECT_EQ(LOWORD(info->dwFileVersionLS), HOSTPAD_VERSION_BETA);
}

TEST(HostPadProgram, ForegroundMovesBetweenTwoEditors) {
  HostPad first, second;
  first.foreground();
  EXPECT_EQ(GetForegroundWindow(), first.main());
  second.foreground();
  EXPECT_EQ(GetForegroundWindow(), second.main());
  first.foreground();
  EXPECT_EQ(GetForegroundWindow(), first.main());
}

namespace {
// Runs the tool menu's first entry and returns the main window of the editor it started.
HWND RunToolAndFindEditor(const HostPad& host) {
  const DWORD pid = static_cast<DWORD>(host.send(HPM_RUNTOOL));
  EXPECT_NE(pid, 0u) << "the tool did not start";
  if (!pid) return nullptr;
  HWND main = nullptr;
  WaitFor([&] { return (main = FindEditorMain(pid)) != nullptr; }, 10000);
  return main;
}
}  // namespace

TEST(HostPadProgram, ToolMenuStartsTheConfiguredCommandLine) {
  // The tool is another hostpad, so its window tells that the command line arrived whole.
  TempDir dir;
  const std::wstring opened = dir.file(L"opened by tool.txt");
  WriteBytes(opened, "tool");
  const std::wstring quoted = L"\"" + ExeDir() + L"\\hostpad.exe\" \"/ini=" + dir.file(L"t.ini") + L"\" ";
  HostPad host({.tool = quoted + L"\"" + opened + L"\""});
  HWND started = RunToolAndFindEditor(host);
  ASSERT_TRUE(started);
  HWND path = FindWindowExA(started, nullptr, "TEdit", nullptr);
  EXPECT_EQ(WindowTextA(path), Cp932(opened));
  PostMessageW(started, WM_CLOSE, 0, 0);
}

TEST(HostPadProgram, ToolCommandComesFromTheSettingsFile) {
  TempDir dir;
  const std::wstring ini = dir.file(L"hostpad.ini");
  const std::wstring opened = dir.file(L"from-ini.txt");
  WriteBytes(opened, "");
  const std::wstring tool = L"\"" + ExeDir() + L"\\hostpad.exe\" \"/ini=" + dir.file(L"t.ini") + L"\" " + opened;
  WritePrivateProfileStringW(L"Tools", L"Tool1", tool.c_str(), ini.c_str());
  HostPad host({.ini = ini});
  HWND started = RunToolAndFindEditor(host);
  ASSERT_TRUE(started);
  EXPECT_EQ(WindowTextA(FindWindowExA(started, nullptr, "TEdit", nullptr)), Cp932(opened));
  PostMessageW(started, WM_CLOSE, 0, 0);
}

// ---- a person at the keyboard and the mouse (real input through SendInput)

namespace {
void With(WORD modifier, WORD vk) { Keys({{modifier, true}, {vk, true}, {vk, false}, {modifier, false}}); }
void TypeText(std::wstring_view text) {   // as an input method delivers it: characters, no keys
  std::vector<INPUT> in;
  for (wchar_t c : text) {
    for (DWORD up : {0UL, static_cast<DWORD>(KEYEVENTF_KEYUP)}) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wScan = c;
      i.ki.dwFlags = KEYEVENTF_UNICODE | up;
      in.push_back(i);
    }
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}
}  // namespace

TEST(HostPadInput, TypingEditsAndUndoesKeystrokeByKeystroke) {
  HostPad host;
  host.foreground();
  const auto shows = [&](const std::string& expected) {
    return WaitFor([&] { return host.bytes() == expected; }, 3000);
  };
  TypeText(L"abあ");
  ASSERT_TRUE(shows(Cp932(L"abあ"))) << "typed text arrives as cp932 bytes";
  Press(VK_RETURN);
  TypeText(L"c");
  ASSERT_TRUE(shows(Cp932(L"abあ\r\nc")));
  Press(VK_LEFT);                          // before "c"
  Press(VK_LEFT);                          // over the line break, after "あ"
  With(VK_SHIFT, VK_LEFT);                 // "あ" selected as one character
  ASSERT_TRUE(WaitFor([&] { return host.sel() == std::make_pair(2L, 4L); }, 3000));
  Press(VK_BACK);
  ASSERT_TRUE(shows(Cp932(L"ab\r\nc")));
  Press(VK_HOME);
  Press(VK_DELETE);
  ASSERT_TRUE(shows(Cp932(L"b\r\nc")));
  With(VK_CONTROL, 'Z');
  ASSERT_TRUE(shows(Cp932(L"ab\r\nc")));
  With(VK_CONTROL, 'Z');
  ASSERT_TRUE(shows(Cp932(L"abあ\r\nc")));
  With(VK_CONTROL, 'A');
  ASSERT_TRUE(WaitFor([&] { return host.sel() == std::make_pair(0L, 7L); }, 3000));
}

// Under heavy load Wine's X11 driver now and then lets a click land where the pointer was a moment
// before, or forgets a Shift held through SendInput when X events come in late (a few runs
// in a hundred with both cores busy). So the whole sequence is tried up to three times: an editor
// that places the caret wrongly fails every try.
TEST(HostPadInput, ClickPlacesTheCaretAndShiftClickSelects) {
  HostPad host;
  host.setBytes(Cp932(L"あいうえお\r\nxyz"));
  host.foreground();
  HWND e = host.editor();
  RECT rc;
  GetClientRect(e, &rc);
  std::pair<long, long> sel;
  const char* step = "";
  const auto click = [&](const char* what, POINT at, WORD held, std::pair<long, long> expected) {
    step = what;
    ClientToScreen(e, &at);
    return docked::RealClick(at, 1, held) && WaitFor([&] { return (sel = host.sel()) == expected; }, 2000);
  };
  bool placed = false;
  for (int attempt = 0; attempt < 3 && !placed; ++attempt)
    placed = click("left of the first character", {1, 3}, 0, {0, 0}) &&
             click("far right of line 0: its end", {rc.right - 30, 3}, 0, {10, 10}) &&
             click("end of line 1, with Shift held", {rc.right - 30, 3 + 20}, VK_SHIFT, {10, 15});
  EXPECT_TRUE(placed) << step << ": selection " << sel.first << "," << sel.second;
}
