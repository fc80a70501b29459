// Start-up seen from outside: tolvane.exe runs as its own process, as TeraPad's tool menu or a
// user would start it, and this program watches which message box it shows, whether it docks
// into the stand-in editor's toolbar, and whether it ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Docked.h"
#include "TestSupport.h"

using docked::ClassOf;
using docked::FindDocked;
using docked::FindWindowOf;
using docked::VisibleWindowsOf;

namespace {

constexpr wchar_t kNotCaptured[] = L"TeraPad を捕捉できませんでした。";
constexpr wchar_t kUseToolMenu[] = L"TeraPad のツールメニューから起動してください。";
// The text of a message box is the static control with this id, on Windows and Wine alike.
constexpr int kMessageBoxTextId = 0xFFFF;

// Lets time pass while this thread keeps answering its messages.
void Pump(DWORD ms) { WaitFor([] { return false; }, ms); }

std::wstring Handle(HWND h) { return std::to_wstring(reinterpret_cast<intptr_t>(h)); }

Process StartTolvane(const std::wstring& arguments) {
  return Process::Start(L"\"" + ExeDir() + L"\\tolvane.exe\"" + (arguments.empty() ? L"" : L" " + arguments));
}

template <class F> void ForEachChild(HWND parent, F f) {
  EnumChildWindows(parent, [](HWND h, LPARAM p) { (*reinterpret_cast<F*>(p))(h); return TRUE; },
                   reinterpret_cast<LPARAM>(&f));
}

HWND FindMessageBox(DWORD pid) { return FindWindowOf(pid, L"#32770", L"Tolvane"); }

// A plain window of this test program, put in front so that TeraPad is not the foreground
// window when Tolvane starts.
class FrontWindow {
public:
  FrontWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TolvaneTestFront";
    RegisterClassW(&wc);
    m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
    bringToFront();
  }
  // Again before each start: a message box that has come and gone may have taken the front.
  void bringToFront() const {
    SetForegroundWindow(m_hwnd);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == m_hwnd; })) << "the test window did not come to the front";
  }
  ~FrontWindow() { DestroyWindow(m_hwnd); }
  FrontWindow(const FrontWindow&) = delete;
  FrontWindow& operator=(const FrontWindow&) = delete;
  HWND hwnd() const { return m_hwnd; }

private:
  HWND m_hwnd = nullptr;
};

// Whether the icon control shows the system icon `id`: the icon's opaque pixels (those that
// come out the same on a black and on a white ground) are compared with the screen there.
bool ShowsSystemIcon(HWND control, LPCWSTR id) {
  constexpr int n = 32;
  RECT rc{};
  GetWindowRect(control, &rc);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 3 * n, n);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, n, n, screen, rc.left, rc.top, SRCCOPY);
  PatBlt(mem, n, 0, n, n, BLACKNESS);
  PatBlt(mem, 2 * n, 0, n, n, WHITENESS);
  const HICON icon = LoadIconW(nullptr, id);
  DrawIconEx(mem, n, 0, icon, n, n, 0, nullptr, DI_NORMAL);
  DrawIconEx(mem, 2 * n, 0, icon, n, n, 0, nullptr, DI_NORMAL);
  int opaque = 0, same = 0;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const COLORREF drawn = GetPixel(mem, n + x, y);
      if (drawn != GetPixel(mem, 2 * n + x, y)) continue;
      ++opaque;
      if (GetPixel(mem, x, y) == drawn) ++same;
    }
  }
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return opaque > 100 && same * 10 >= opaque * 9;
}

// Waits for Tolvane's message box, checks it is the one expected and alone on screen, presses
// OK, and checks the program then ends.
void ExpectMessageThenEnd(Process& tolvane, const std::wstring& expected, HWND hostToolbar) {
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(tolvane.pid())) != nullptr; }, 10000))
      << "no message box titled \"Tolvane\" appeared";
  wchar_t text[512] = {};
  GetDlgItemTextW(box, kMessageBoxTextId, text, 512);
  EXPECT_EQ(std::wstring(text), expected);

  std::vector<int> buttons;
  HWND icon = nullptr;
  ForEachChild(box, [&](HWND h) {
    if (ClassOf(h) == L"Button") buttons.push_back(GetDlgCtrlID(h));
    if (ClassOf(h) == L"Static" && (GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(h, STM_GETICON, 0, 0) != 0)
      icon = h;
  });
  EXPECT_EQ(buttons, std::vector<int>{IDOK}) << "only an OK button";
  ASSERT_NE(icon, nullptr) << "the box shows no icon";
  // The box paints after it appears.
  EXPECT_TRUE(WaitFor([&] { return ShowsSystemIcon(icon, IDI_EXCLAMATION); }, 3000))
      << "the icon is not the exclamation icon";
  EXPECT_EQ(VisibleWindowsOf(tolvane.pid()), std::vector<HWND>{box}) << "no other window of Tolvane shows";
  EXPECT_EQ(FindDocked(hostToolbar, tolvane.pid()), nullptr) << "nothing was docked into the host";

  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  // Wine without a window manager takes about two seconds to take a captioned window down.
  ASSERT_TRUE(WaitFor([&] { return !tolvane.running(); })) << "Tolvane went on running after OK";
  EXPECT_EQ(tolvane.exitCode(), 0u);
}

// Checks that Tolvane went on: docked into the host's toolbar, no message box, still running.
void ExpectRunningAndDocked(Process& tolvane, const HostPad& host) {
  HWND docked = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (docked = FindDocked(host.toolbar(), tolvane.pid())) != nullptr; }, 10000))
      << "Tolvane's toolbar did not appear inside the host's toolbar";
  Pump(1500);
  EXPECT_TRUE(tolvane.running()) << "Tolvane ended, exit code " << tolvane.exitCode();
  EXPECT_EQ(FindMessageBox(tolvane.pid()), nullptr) << "Tolvane showed a message";
}

TEST(Startup, NoArgumentsAndNoEditorInFrontShowsTheToolMenuMessage) {
  HostPad host;
  for (const wchar_t* arguments : {L"", L"   "}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
    FrontWindow front;
    Process tolvane = StartTolvane(arguments);
    ExpectMessageThenEnd(tolvane, kUseToolMenu, host.toolbar());
  }
}

TEST(Startup, ArgumentsWithoutAUsableWindowShowTheNotCapturedMessage) {
  HostPad host;
  HostPad closed;
  const HWND closedMain = closed.main();
  closed.close();
  FrontWindow front;
  const std::wstring cases[] = {
      L"/x=5",
      L"/w=abc",
      L"/w=4294967295",
      L"/w=0",
      L"/w=" + Handle(front.hwnd()),                   // a window, but not TeraPad's
      L"/w=" + Handle(host.toolbar()),                  // a window of TeraPad, not its main one
      L"/w=" + Handle(closedMain),                     // a TeraPad that has closed
      L"/w= " + Handle(host.main()),                   // the value is empty; the number is no switch
  };
  for (const std::wstring& arguments : cases) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    front.bringToFront();
    Process tolvane = StartTolvane(arguments);
    ExpectMessageThenEnd(tolvane, kNotCaptured, host.toolbar());
  }
}

TEST(Startup, GoesOnWithTheHostNamedOnTheCommandLine) {
  HostPad host;
  FrontWindow front;
  const std::wstring main = Handle(host.main());
  const std::wstring cases[] = {
      L"/w=" + main,
      L"/W=" + main,
      L"\"/w=" + main + L"\"",
      L"/w=" + main + L".4",
      L"/w=" + Handle(front.hwnd()) + L" /w=" + main,
      L"/w=" + main + L" /w=" + Handle(front.hwnd()) + L" /w=abc",   // the refused ones keep it
      L"/x=abc /w=" + main + L" /y=",
  };
  for (const std::wstring& arguments : cases) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    front.bringToFront();
    Process tolvane = StartTolvane(arguments);
    ExpectRunningAndDocked(tolvane, host);
    tolvane.kill();
  }
}

TEST(Startup, GoesOnWhenTheEditorIsInFront) {
  HostPad host;
  HostPad other;
  const std::wstring cases[] = {
      L"",
      L"/w=" + Handle(other.toolbar()),   // refused: the binding made at creation stays
      L"/x=abc",
  };
  for (const std::wstring& arguments : cases) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    host.foreground();
    Process tolvane = StartTolvane(arguments);
    ExpectRunningAndDocked(tolvane, host);
    EXPECT_EQ(FindDocked(other.toolbar(), tolvane.pid()), nullptr) << "docked into the wrong editor";
    tolvane.kill();
  }
}

TEST(Startup, TheHostNamedLastWinsOverTheOneInFront) {
  HostPad inFront;
  HostPad named;
  inFront.foreground();
  Process tolvane = StartTolvane(L"/w=" + Handle(named.main()));
  ExpectRunningAndDocked(tolvane, named);
  EXPECT_EQ(FindDocked(inFront.toolbar(), tolvane.pid()), nullptr);
}

// From a fault: TeraPad's toolbar gone between being found and being docked into, and the program
// vanished without a word. The stand-in destroys it when asked the edit mode, which Tolvane asks
// to place its toolbar before docking.
TEST(Startup, AToolbarThatCannotBeDockedIntoIsSaid) {
  HostPad host;
  host.send(HPM_DESTROYTOOLBARONMODE);
  Process tolvane = StartTolvane(L"/w=" + Handle(host.main()));
  ExpectMessageThenEnd(tolvane, L"TeraPad のツールバーにボタンを入れられませんでした。", host.toolbar());
  EXPECT_FALSE(host.toolbar());
}

TEST(Startup, PositionSwitchesPlaceTheDockedToolbar) {
  HostPad host;
  FrontWindow front;
  struct Case {
    const wchar_t* switches;
    POINT expected;   // in the host toolbar's client coordinates
  };
  const Case cases[] = {
      {L"/x=5 /y=2", {6, 3}},
      {L"/X=-5 /Y=-3", {4, 2}},
      {L"/x=2.5 /y=0", {3, 1}},
      {L"/x=7 /x=abc /y=1.5 /y=", {8, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.switches)));
    Process tolvane = StartTolvane(L"/w=" + Handle(host.main()) + L" " + c.switches);
    HWND docked = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (docked = FindDocked(host.toolbar(), tolvane.pid())) != nullptr; }, 10000));
    // The toolbar is placed after it is moved into the host's toolbar; wait until it shows.
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(docked) != FALSE; }, 5000));
    RECT rc{};
    GetWindowRect(docked, &rc);
    MapWindowPoints(nullptr, host.toolbar(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, c.expected.x);
    EXPECT_EQ(rc.top, c.expected.y);
    tolvane.kill();
  }
}

TEST(Startup, StartedFromTheToolMenuDocksAndEndsWithTheEditor) {
  HostPad host;
  const DWORD pid = static_cast<DWORD>(host.send(HPM_RUNTOOL));
  ASSERT_NE(pid, 0u) << "the host could not start tolvane.exe";
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
  ASSERT_NE(process, nullptr);

  EXPECT_TRUE(WaitFor([&] { return FindDocked(host.toolbar(), pid) != nullptr; }, 10000))
      << "Tolvane's toolbar did not appear inside the host's toolbar";
  Pump(1500);
  EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "Tolvane ended";
  EXPECT_EQ(FindMessageBox(pid), nullptr);

  host.close();
  EXPECT_EQ(WaitForSingleObject(process, 5000), static_cast<DWORD>(WAIT_OBJECT_0))
      << "Tolvane went on running after the editor closed";
  TerminateProcess(process, 1);
  CloseHandle(process);
}

}  // namespace
