// Binding, the validity test, child windows, paths, version numbers and edit mode of the
// bridge, against the stand-in editor running as its own process.
#include <gtest/gtest.h>

#include <memory>

#include "HostProtocol.h"
#include "TestSupport.h"
#include "bridge/clsKeshTeraPad.h"

namespace {

std::unique_ptr<clsKeshTeraPad> BoundTo(const HostPad& host) {
  auto t = std::make_unique<clsKeshTeraPad>();
  t->hwnd(host.main());
  return t;
}

// A top-level window of this process with the given class name (registered here once).
class OwnWindow {
public:
  explicit OwnWindow(const wchar_t* className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);  // a second registration of the same class fails harmlessly
    m_h = CreateWindowExW(0, className, L"own", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                          wc.hInstance, nullptr);
  }
  ~OwnWindow() { if (m_h) DestroyWindow(m_h); }
  HWND get() const { return m_h; }
private:
  HWND m_h;
};

}  // namespace

TEST(BridgeBinding, CreationBindsTheForegroundTeraPadAndRemembersItAsTool) {
  HostPad host;
  host.foreground();
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == host.main(); }));
  clsKeshTeraPad t;
  EXPECT_EQ(t.hwnd(), host.main());
  EXPECT_TRUE(t.Tool());
  EXPECT_TRUE(t.HadTeraPad());
}

TEST(BridgeBinding, CreationWithAnotherWindowInFrontBindsNothing) {
  OwnWindow own(L"BridgeTestPlain");
  ShowWindow(own.get(), SW_SHOW);
  SetForegroundWindow(own.get());
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == own.get(); }));
  clsKeshTeraPad t;
  EXPECT_EQ(t.hwnd(), nullptr);
  EXPECT_FALSE(t.Tool());
  EXPECT_EQ(t.VerMajor(), 0);
  EXPECT_FALSE(t.HadTeraPad());
}

TEST(BridgeBinding, RefusedCandidatesKeepTheEarlierBinding) {
  HostPad host;
  auto t = BoundTo(host);
  ASSERT_EQ(t->hwnd(), host.main());
  // Window class names compare without case in Windows itself; the test must not.
  OwnWindow caseDiffers(L"TTeraPadMainform");
  OwnWindow other(L"BridgeTestOther");
  for (HWND candidate : {HWND(nullptr), other.get(), caseDiffers.get(), host.editor()}) {
    t->hwnd(candidate);
    EXPECT_EQ(t->hwnd(), host.main()) << "candidate " << candidate;
    EXPECT_TRUE(t->HadTeraPad());
    EXPECT_FALSE(t->TeraPadPath().empty());
  }
}

TEST(BridgeBinding, StaleHandleAfterCloseThenRebindingRefreshesTheChildren) {
  TempDir dir;
  HostPadOptions first;
  first.ini = dir.file(L"first.ini");
  HostPad a(first);
  auto t = BoundTo(a);
  EXPECT_EQ(t->INIPath(), first.ini);
  const HWND old = a.main();
  a.close();

  EXPECT_EQ(t->hwnd(), old) << "nothing unbinds an instance";
  EXPECT_FALSE(t->HadTeraPad());
  EXPECT_EQ(t->INIPath(), L"");
  EXPECT_EQ(t->TeraPadPath(), L"");
  EXPECT_EQ(t->EditMode(), -1);
  EXPECT_EQ(t->VerMajor(), 0);

  HostPadOptions second;
  second.ini = dir.file(L"second.ini");
  second.noIni = true;
  HostPad b(second);
  t->hwnd(b.main());
  EXPECT_EQ(t->hwnd(), b.main());
  EXPECT_TRUE(t->HadTeraPad());
  EXPECT_EQ(t->INIPath(), L"") << "the new TeraPad has no settings-path child";
  EXPECT_EQ(t->TeraPadPath(), ExeDir() + L"\\hostpad.exe");
}

TEST(BridgeIdentity, PathsComeFromTheChildWindows) {
  TempDir dir;
  const std::wstring file = dir.file(L"page.hdml");
  WriteBytes(file, "<HDML>");
  HostPadOptions options;
  options.file = file;
  options.ini = dir.file(L"tera.ini");
  HostPad host(options);
  auto t = BoundTo(host);
  EXPECT_EQ(t->FileName(), file);
  EXPECT_EQ(t->INIPath(), options.ini);
  EXPECT_EQ(t->TeraPadPath(), ExeDir() + L"\\hostpad.exe");
  t->INIPath(L"elsewhere.ini");
  t->Status(L"x");
  EXPECT_EQ(t->INIPath(), options.ini) << "INIPath Let stores nothing";
  EXPECT_EQ(t->Status(), L"");
}

TEST(BridgeIdentity, VersionNumbersTakeMajorMinorFromProductAndBetaFromFileVersion) {
  HostPad host;
  auto t = BoundTo(host);
  EXPECT_EQ(t->VerMajor(), HOSTPAD_VERSION_MAJOR);
  EXPECT_EQ(t->VerMinor(), HOSTPAD_VERSION_MINOR);
  EXPECT_EQ(t->VerBeta(), HOSTPAD_VERSION_BETA);
}

TEST(BridgeIdentity, EditModeIsTheHostsAnswer) {
  HostPadOptions options;
  options.mode = 3;
  HostPad host(options);
  auto t = BoundTo(host);
  EXPECT_EQ(t->EditMode(), 3);
  host.send(HPM_SETMODE, 1);
  EXPECT_EQ(t->EditMode(), 1);
}

TEST(BridgeIdentity, OsNameOfTheNtFamily) { EXPECT_EQ(clsKeshTeraPad::GetOSName(), L"WinNT"); }
