// Tolvane docked into the stand-in editor, seen from a third process as a user sees it: the
// toolbar inside the editor's "TToolbar", its buttons at their screen positions, real clicks.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TestSupport.h"

namespace docked {

inline DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return pid;
}

inline std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

inline std::wstring TextOf(HWND h) {
  wchar_t text[512] = {};
  GetWindowTextW(h, text, 512);
  return text;
}

// The toolbar of process pid inside the editor's toolbar: Tolvane's docked toolbar (in its frame).
inline HWND FindDocked(HWND hostToolbar, DWORD pid) {
  struct Search { DWORD pid; HWND found; } s{pid, nullptr};
  if (hostToolbar)
    EnumChildWindows(hostToolbar, [](HWND h, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<Search*>(p);
      if (ProcessOf(h) != s->pid || ClassOf(h) != TOOLBARCLASSNAMEW) return TRUE;
      s->found = h;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// The visible top-level windows of a process (dialogs, message boxes, menus, stray windows).
inline std::vector<HWND> VisibleWindowsOf(DWORD pid) {
  struct Search { DWORD pid; std::vector<HWND> found; } s{pid, {}};
  EnumWindows([](HWND h, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    if (ProcessOf(h) == s->pid && IsWindowVisible(h)) s->found.push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

inline HWND FindWindowOf(DWORD pid, const wchar_t* cls, const wchar_t* caption = nullptr) {
  for (HWND h : VisibleWindowsOf(pid))
    if (ClassOf(h) == cls && (!caption || TextOf(h) == caption)) return h;
  return nullptr;
}

// A running tolvane.exe, found by its docked toolbar; killed at destruction if still running.
class Tolvane {
public:
  Tolvane() = default;
  explicit Tolvane(DWORD pid)
      : m_pid(pid),
        m_process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                  PROCESS_VM_READ | PROCESS_VM_WRITE,
                              FALSE, pid)) {}
  Tolvane(Tolvane&& o) noexcept
      : m_pid(std::exchange(o.m_pid, 0)), m_process(std::exchange(o.m_process, nullptr)),
        m_toolbar(std::exchange(o.m_toolbar, nullptr)) {}
  Tolvane& operator=(Tolvane&&) = delete;
  ~Tolvane() {
    if (!m_process) return;
    if (running()) TerminateProcess(m_process, 1), WaitForSingleObject(m_process, 5000);
    CloseHandle(m_process);
  }
  DWORD pid() const { return m_pid; }
  HANDLE handle() const { return m_process; }
  HWND toolbar() const { return m_toolbar; }
  bool running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }
  // True when the process ended within ms; pumps this thread's messages meanwhile.
  bool waitExit(DWORD ms) const { return WaitFor([&] { return !running(); }, ms); }
  DWORD exitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process, &code);
    return code;
  }
  // Waits until its toolbar shows inside the editor's toolbar.
  bool waitDocked(const HostPad& host, DWORD ms = 8000) {
    return WaitFor([&] {
      m_toolbar = FindDocked(host.toolbar(), m_pid);
      return (m_toolbar && IsWindowVisible(m_toolbar)) || !running();
    }, ms) && m_toolbar && IsWindowVisible(m_toolbar);
  }

  // A toolbar message whose lParam points at a T: the T lives in Tolvane's memory for the call.
  template <class T> bool AskToolbar(UINT msg, WPARAM wParam, T& value) const {
    void* remote = VirtualAllocEx(m_process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return false;
    WriteProcessMemory(m_process, remote, &value, sizeof(T), nullptr);
    const LRESULT ok = SendMessageW(m_toolbar, msg, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(m_process, remote, &value, sizeof(T), nullptr);
    VirtualFreeEx(m_process, remote, 0, MEM_RELEASE);
    return ok != 0;
  }
  RECT buttonRect(int index) const {
    RECT rc{};
    AskToolbar(TB_GETITEMRECT, index, rc);
    return rc;
  }
  TBBUTTON button(int index) const {
    TBBUTTON b{};
    AskToolbar(TB_GETBUTTON, index, b);
    return b;
  }
  // The screen point at the middle of button `index` (0-based position in the toolbar).
  POINT buttonCentre(int index) const {
    const RECT rc = buttonRect(index);
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(m_toolbar, &pt);
    return pt;
  }
  // The window that sits in the editor's toolbar: the frame holding Tolvane's toolbar.
  HWND docked() const { return GetParent(m_toolbar); }
  // Its hidden window, owner of its dialogs and its popup menu.
  HWND hidden() const {
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, L"TolvaneMain", nullptr)) && ProcessOf(h) != m_pid) {}
    return h;
  }
  // Left and top of the toolbar in the client coordinates of the editor's toolbar.
  POINT position() const {
    RECT rc{};
    GetWindowRect(m_toolbar, &rc);
    MapWindowPoints(nullptr, GetParent(docked()), reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top};
  }

private:
  DWORD m_pid = 0;
  HANDLE m_process = nullptr;
  HWND m_toolbar = nullptr;
};

// As TeraPad's tool menu starts it: the editor in front, its tool entry run.
inline Tolvane RunFromToolMenu(HostPad& host) {
  Tolvane t(static_cast<DWORD>(host.send(HPM_RUNTOOL)));
  return t;
}

// tolvane.exe /w=<the editor's main window> plus more switches; the Process is kept by the caller.
inline Process StartWithSwitches(const HostPad& host, const std::wstring& more) {
  const std::wstring cmd = L"\"" + ExeDir() + L"\\tolvane.exe\" /w=" +
                           std::to_wstring(reinterpret_cast<intptr_t>(host.main())) + (more.empty() ? L"" : L" " + more);
  return Process::Start(cmd);
}

// Pointer input as a person's hand makes it: hardware input through SendInput, which reaches
// whatever window is under the pointer, in whichever process.
inline bool MoveMouse(POINT pt) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &in, sizeof(in)) == 1 && WaitFor([&] {
    POINT now;
    GetCursorPos(&now);
    return now.x == pt.x && now.y == pt.y;
  }, 2000);
}
// button 1 left, 3 right (as X numbers them); `held` (a virtual key such as VK_SHIFT) is pressed
// around the click in the same batch of input, so that nothing can come between them.
inline bool RealClick(POINT pt, int button = 1, WORD held = 0) {
  if (!MoveMouse(pt)) return false;
  INPUT in[4]{};
  UINT n = 0;
  const auto key = [&](DWORD flags) {
    in[n].type = INPUT_KEYBOARD;
    in[n].ki.wVk = held;
    in[n++].ki.dwFlags = flags;
  };
  const auto mouse = [&](DWORD flags) {
    in[n].type = INPUT_MOUSE;
    in[n++].mi.dwFlags = flags;
  };
  if (held) key(0);
  mouse(button == 3 ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  mouse(button == 3 ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  if (held) key(KEYEVENTF_KEYUP);
  return SendInput(n, in, sizeof(INPUT)) == n;
}

// Keys as a person's hand presses them: hardware input through SendInput, which goes to the
// window that has the keyboard focus, in whichever process.
inline void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {   // (virtual key, down)
  std::vector<INPUT> in;
  for (const auto& [vk, down] : strokes) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}
inline void Press(WORD vk) { Keys({{vk, true}, {vk, false}}); }

// The docked toolbar's popup menu opened by a real right-click, and its item `index` of `count`
// chosen by a real click on it (a key press now and then went past the menu).
inline bool ChooseMenuItem(const Tolvane& tolvane, int index, int count) {
  if (!RealClick(tolvane.buttonCentre(1), 3)) return false;
  HWND menu = nullptr;
  if (!WaitFor([&] { return (menu = FindWindowOf(tolvane.pid(), L"#32768")) != nullptr; })) return false;
  RECT rc;
  GetWindowRect(menu, &rc);
  return RealClick({rc.left + 12, rc.top + static_cast<LONG>((rc.bottom - rc.top) * (2 * index + 1) / (2 * count))});
}
inline constexpr int kMenuItems = 3;   // プレビュー, HDML チェック, 終了

// Writes a settings-file value before the editor starts (the file the editor hands to Tolvane).
inline void WriteSetting(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  WritePrivateProfileStringW(section, key, value, ini.c_str());
}

// Clicks docked button `index` as a person does and gives the tag dialog titled `caption` that
// the click opens; 0 when none came up. Under load Wine now and then lands a click where the
// pointer was a moment before, so a person's second and third try are made; a click while the
// dialog is open only brings it to the front.
inline HWND OpenByClick(const Tolvane& tolvane, int index, const wchar_t* caption) {
  HWND dialog = nullptr;
  for (int attempt = 0; attempt < 3 && !dialog; ++attempt) {
    if (!RealClick(tolvane.buttonCentre(index))) return nullptr;
    WaitFor([&] { return (dialog = FindWindowOf(tolvane.pid(), L"#32770", caption)) != nullptr; }, 4000);
  }
  return dialog;
}

// The stand-in editor with a deck opened from its file (deck.hdml in a fresh folder, so that its
// title and its folder are known), Tolvane started from its tool menu and docked.
class DeckInEditor : public ::testing::Test {
protected:
  explicit DeckInEditor(std::string deck) : m_deck(std::move(deck)) {}
  TempDir dir;
  std::wstring file = dir.file(L"deck.hdml");
  HostPadOptions options;   // a derived fixture's constructor may set more
  std::optional<HostPad> host;
  std::optional<Tolvane> tolvane;

  void SetUp() override {
    WriteBytes(file, m_deck);
    options.file = file;
    host.emplace(options);
    tolvane.emplace(RunFromToolMenu(*host));
    ASSERT_TRUE(tolvane->waitDocked(*host));
  }

private:
  std::string m_deck;
};

// End to end, as an author works: the editor started, Tolvane started from its tool menu and
// docked, text selected, a button clicked, the dialog filled in, and the editor's bytes and caret
// afterwards (cp932 byte offsets).
class EndToEnd : public ::testing::Test {
protected:
  HostPad host;
  std::optional<Tolvane> tolvane;

  void SetUp() override {
    tolvane.emplace(RunFromToolMenu(host));
    ASSERT_TRUE(tolvane->waitDocked(host));
  }

  // The editor holds before + selected + after, with `selected` selected.
  void Select(std::string_view before, std::string_view selected, std::string_view after = {}) {
    host.setBytes(std::string(before) + std::string(selected) + std::string(after));
    host.select(static_cast<long>(before.size()), static_cast<long>(before.size() + selected.size()));
  }

  // Clicks docked button `index` (0-based position), lets `fill` act on the dialog titled
  // `caption` (fill closes it), and waits until the dialog has gone and the insertion is done.
  void Command(int index, const wchar_t* caption, const std::function<void(HWND dialog)>& fill) {
    const HWND dialog = OpenByClick(*tolvane, index, caption);
    ASSERT_TRUE(dialog) << "no dialog titled as expected";
    fill(dialog);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    // The insertion runs right after the dialog has gone; the editor answers every message of
    // it before Tolvane's thread is idle again.
    WaitForInputIdle(tolvane->handle(), 2000);
    Sleep(200);
  }

  // Japanese text selected between two ASCII characters: the insertion must count bytes.
  const std::string japanese = Cp932(L"あいう");
  void SelectJapanese() { Select("x", japanese, "y"); }
  // The selection of SelectJapanese wrapped in start and end, the caret just before end.
  void ExpectWrapped(std::string_view start, std::string_view end) { ExpectInserted("x", start, japanese, end, "y"); }

  // The editor holds before + start + selected + end + after, and the caret stands just before
  // the end tag.
  void ExpectInserted(std::string_view before, std::string_view start, std::string_view selected,
                      std::string_view end, std::string_view after) {
    const std::string upToEnd = std::string(before) + std::string(start) + std::string(selected);
    EXPECT_EQ(host.bytes(), upToEnd + std::string(end) + std::string(after));
    const long caret = static_cast<long>(upToEnd.size());
    EXPECT_EQ(host.sel(), std::make_pair(caret, caret));
  }
};

}  // namespace docked
