// Editor commands (save, re-read settings, bring forward), a new TeraPad bound to a fresh
// instance, and debug lines written into a TeraPad of our own.
#include <stdexcept>
#include <utility>

#include "bridge/TeraPadMessages.h"
#include "bridge/clsKeshTeraPad.h"
#include "common/Ansi.h"

namespace {

// A kernel handle we own: closed once, never copied.
class UniqueHandle {
public:
  explicit UniqueHandle(HANDLE h = nullptr) : m_h(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&&) = delete;
  ~UniqueHandle() { if (m_h) CloseHandle(m_h); }
  HANDLE get() const { return m_h; }
private:
  HANDLE m_h;
};

// How long FileNew waits for the new TeraPad to become ready for input. Unbounded, a host that
// never gets idle would hang us; and on Windows a docked toolbar joins our input queue with the
// bound TeraPad's, so the author's TeraPad would freeze with us.
constexpr DWORD kInputIdleLimit = 10000;
// After input idle a program may still be creating its main window: look again this long.
constexpr DWORD kWindowLimit = 5000;

DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  if (h) GetWindowThreadProcessId(h, &pid);
  return pid;
}

}  // namespace

void clsKeshTeraPad::FileSave() {
  const HWND e = ValidEditor();
  if (e && SendMessageA(e, EM_GETMODIFY, 0, 0) != 0) SendMessageA(m_hWndMain, TeraPad::WM_SAVEFILE, 0, 0);
}

void clsKeshTeraPad::ReloadINI() {
  LONG zero = 0;
  SendMessageA(m_hWndMain, TeraPad::WM_RELOADINI, 0, reinterpret_cast<LPARAM>(&zero));
}

// A maximized TeraPad is shown maximized (3): showing it minimized would hide the very window
// that is meant to come forward.
void clsKeshTeraPad::SetFocus() {
  ShowWindow(m_hWndMain, IsZoomed(m_hWndMain) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(m_hWndMain);
}

// Kept on purpose: TeraPad has no message that opens a file, so FileOpen only asks whether the
// text is modified and ignores the answer and its file; callers rely on it doing no more.
void clsKeshTeraPad::FileOpen(const std::wstring&) {
  LONG zero = 0;
  SendMessageA(GetEditorWindow(), EM_GETMODIFY, 0, reinterpret_cast<LPARAM>(&zero));
}

std::unique_ptr<clsKeshTeraPad> clsKeshTeraPad::FileNew() {
  if (!HadTeraPad()) return nullptr;
  std::wstring commandLine = TeraPadPath();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (commandLine.empty() ||
      !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    throw std::runtime_error("FileNew: TeraPad could not be started");
  const UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  WaitForInputIdle(process.get(), kInputIdleLimit);

  auto result = std::make_unique<clsKeshTeraPad>();
  const DWORD start = GetTickCount();
  for (;;) {
    result->hwnd(FindProcessWindow(info.dwProcessId));
    if (ProcessOf(result->m_hWndMain) == info.dwProcessId) break;
    if (GetTickCount() - start > kWindowLimit || WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0) {
      // Creation may have bound whatever TeraPad was in front, perhaps the author's own:
      // debug lines must never go there. The new instance stays unbound instead.
      if (ProcessOf(result->m_hWndMain) != info.dwProcessId) {
        result->m_hWndMain = result->m_hWndFileName = result->m_hWndExeName = result->m_hWndIniPath = nullptr;
        result->m_bHadTeraPad = false;
      }
      break;
    }
  }
  return result;
}

HWND clsKeshTeraPad::FindProcessWindow(DWORD pid) {
  for (HWND h = GetWindow(GetTopWindow(nullptr), GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (ProcessOf(h) != pid) continue;
    for (HWND parent = GetParent(h); parent; parent = GetParent(parent)) h = parent;
    return h;
  }
  return nullptr;
}

void clsKeshTeraPad::EnsureDebugTeraPad() {
  if (!m_bDebugStarted) {
    m_objDebug = FileNew();
    m_bDebugStarted = true;
  } else if (m_objDebug && !m_objDebug->HadTeraPad()) {
    m_objDebug = FileNew();
  }
  if (!m_objDebug) throw std::runtime_error("no debug TeraPad to write to");
}

void clsKeshTeraPad::DebugPrint(const std::wstring& PrintStr) {
  EnsureDebugTeraPad();
  m_objDebug->SelStart(m_objDebug->Length());
  m_objDebug->SelText(PrintStr + L"\r\n");
}

void clsKeshTeraPad::DebugClear() {
  EnsureDebugTeraPad();
  m_objDebug->Text(L"");
}
