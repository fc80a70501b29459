// Editor commands, FileNew and the debug output of the bridge, against stand-in editors
// running as their own processes.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "HostProtocol.h"
#include "TestSupport.h"
#include "bridge/clsKeshTeraPad.h"

namespace {

std::unique_ptr<clsKeshTeraPad> BoundTo(const HostPad& host) {
  auto t = std::make_unique<clsKeshTeraPad>();
  t->hwnd(host.main());
  return t;
}

DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return pid;
}

// Ends a stand-in editor that the bridge started (the bridge never closes what it starts).
void CloseStarted(HWND main) {
  const DWORD pid = ProcessOf(main);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (process) {
    if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
  }
}

std::string BytesOf(HWND main) {
  // A HostPad that the test did not start: read its raw bytes through its test door.
  TempDir dir;
  const std::wstring path = dir.file(L"dump.bin");
  const std::string ansi = Cp932(path);
  COPYDATASTRUCT cd{HPCD_DUMPTEXT, static_cast<DWORD>(ansi.size() + 1), const_cast<char*>(ansi.c_str())};
  SendMessageW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
  return ReadBytes(path);
}

// The TeraPad main window that is not `author`'s: the one the bridge started.
HWND OtherTeraPad(HWND author) {
  HWND other = nullptr;
  for (HWND h = FindWindowA(HOSTPAD_MAINCLASS, nullptr); h; h = FindWindowExA(nullptr, h, HOSTPAD_MAINCLASS, nullptr))
    if (h != author) other = h;
  return other;
}

}  // namespace

TEST(BridgeCommands, FileSaveOnlyWhenModifiedAndReloadIni) {
  HostPad host;
  auto t = BoundTo(host);
  host.send(HPM_SETMODIFY, 0);
  t->FileSave();
  EXPECT_EQ(host.send(HPM_SAVECOUNT), 0);
  host.send(HPM_SETMODIFY, 1);
  t->FileSave();
  EXPECT_EQ(host.send(HPM_SAVECOUNT), 1);
  t->ReloadINI();
  EXPECT_EQ(host.send(HPM_RELOADCOUNT), 1);
}

TEST(BridgeCommands, SetFocusKeepsAMaximizedTeraPadMaximizedAndRestoresAMinimizedOne) {
  HostPad host;
  auto t = BoundTo(host);
  ShowWindow(host.main(), SW_MAXIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsZoomed(host.main()) != 0; }));
  t->SetFocus();
  EXPECT_TRUE(IsZoomed(host.main()));
  EXPECT_FALSE(IsIconic(host.main()));

  ShowWindow(host.main(), SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(host.main()) != 0; }));
  t->SetFocus();
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(host.main()); }));
}

TEST(BridgeCommands, FileNewBindsAFreshInstanceToANewTeraPad) {
  HostPad host;
  auto t = BoundTo(host);
  auto fresh = t->FileNew();
  ASSERT_NE(fresh, nullptr);
  const HWND started = fresh->hwnd();
  ASSERT_NE(started, nullptr);
  EXPECT_NE(started, host.main());
  EXPECT_NE(ProcessOf(started), host.process().pid());
  EXPECT_TRUE(fresh->HadTeraPad());
  EXPECT_EQ(t->hwnd(), host.main()) << "the calling instance keeps its binding";
  fresh->SelText(L"new");
  EXPECT_EQ(host.bytes(), "") << "nothing reaches the author's TeraPad";
  EXPECT_EQ(BytesOf(started), "new");
  CloseStarted(started);
}

TEST(BridgeDebug, PrintAppendsLinesAndStartsAnotherTeraPadAfterTheFirstWasClosed) {
  HostPad host;
  host.setBytes("author");
  auto t = BoundTo(host);
  t->DebugPrint(L"一行目");
  t->DebugPrint(L"two");
  const HWND debug = OtherTeraPad(host.main());
  ASSERT_NE(debug, nullptr);
  EXPECT_EQ(BytesOf(debug), Cp932(L"一行目\r\ntwo\r\n"));
  EXPECT_EQ(host.bytes(), "author");

  CloseStarted(debug);
  t->DebugPrint(L"three");
  const HWND again = OtherTeraPad(host.main());
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, debug);
  EXPECT_EQ(BytesOf(again), "three\r\n");

  t->DebugClear();
  EXPECT_EQ(BytesOf(again), "");
  EXPECT_EQ(host.bytes(), "author");
  CloseStarted(again);
}

TEST(BridgeDebug, WithoutABoundTeraPadThereIsNothingToStartOrWriteTo) {
  HostPad host;
  auto t = BoundTo(host);
  host.close();
  EXPECT_EQ(t->FileNew(), nullptr);
  EXPECT_THROW(t->DebugPrint(L"x"), std::runtime_error);
  EXPECT_THROW(t->DebugClear(), std::runtime_error);
}
