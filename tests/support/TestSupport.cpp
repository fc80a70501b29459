#include "TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstdlib>
#include <vector>

namespace {

std::wstring QuoteArg(const std::wstring& arg) {
  // CommandLineToArgvW's rules: backslashes are literal unless they precede a quote.
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');
  return out + L"\"";
}

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace

HWND FindEditorMain(DWORD pid) {
  struct Search { DWORD pid; HWND found; } search{pid, nullptr};
  EnumWindows([](HWND hwnd, LPARAM lParam) -> BOOL {
    auto* s = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char cls[64] = {};
    // The main window exists before its children are made, and WaitForInputIdle can return while
    // they are being made; the editor shows its window only once all of them are there.
    if (owner != s->pid || !IsWindowVisible(hwnd) || !GetClassNameA(hwnd, cls, sizeof cls) ||
        strcmp(cls, HOSTPAD_MAINCLASS) != 0)
      return TRUE;
    s->found = hwnd;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ExeDir() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  std::wstring s = path;
  return s.substr(0, s.find_last_of(L"\\/"));
}

// ---- TempDir

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  for (;;) {
    m_path = std::wstring(base) + L"tolvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    if (CreateDirectoryW(m_path.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot create a temporary folder, error " << GetLastError();
      break;
    }
  }
}

TempDir::~TempDir() {
  if (!m_path.empty()) RemoveTree(m_path);
}

TempDir::TempDir(TempDir&& other) noexcept : m_path(std::move(other.m_path)) { other.m_path.clear(); }

std::wstring TempDir::file(std::wstring_view name) const { return m_path + L"\\" + std::wstring(name); }

// ---- files

void WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE) << "cannot write a test file, error " << GetLastError();
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  EXPECT_TRUE(ok && written == bytes.size()) << "short write of a test file";
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot read a test file, error " << GetLastError();
    return {};
  }
  std::string bytes;
  char buf[65536];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n) bytes.append(buf, n);
  CloseHandle(f);
  return bytes;
}

// ---- Process

Process Process::Start(const std::wstring& commandLine, int showCmd) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showCmd);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  Process p;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start a process, error " << GetLastError();
    return p;
  }
  CloseHandle(pi.hThread);
  p.m_process = pi.hProcess;
  p.m_pid = pi.dwProcessId;
  return p;
}

Process::Process(Process&& other) noexcept
    : m_process(std::exchange(other.m_process, nullptr)), m_pid(std::exchange(other.m_pid, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    kill();
    m_process = std::exchange(other.m_process, nullptr);
    m_pid = std::exchange(other.m_pid, 0);
  }
  return *this;
}

Process::~Process() { kill(); }

bool Process::running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

bool Process::waitExit(DWORD ms) const {
  return !m_process || WaitForSingleObject(m_process, ms) == WAIT_OBJECT_0;
}

DWORD Process::exitCode() const {
  DWORD code = STILL_ACTIVE;
  if (m_process) GetExitCodeProcess(m_process, &code);
  return code;
}

void Process::kill() {
  if (!m_process) return;
  if (running()) {
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 5000);
  }
  CloseHandle(m_process);
  m_process = nullptr;
  m_pid = 0;
}

// ---- HostPad

HostPad::HostPad(const HostPadOptions& o) {
  m_ini = o.ini.empty() ? m_dir.file(L"hostpad.ini") : o.ini;
  std::wstring cmd = QuoteArg(ExeDir() + L"\\hostpad.exe") + L" " + QuoteArg(L"/ini=" + m_ini);
  if (o.mode) cmd += L" /mode=" + std::to_wstring(o.mode);
  if (o.cap) cmd += L" /cap=" + std::to_wstring(o.cap);
  if (o.undo) cmd += L" /undo=" + std::to_wstring(o.undo);
  if (o.readonly) cmd += L" /readonly";
  if (o.noToolbar) cmd += L" /notoolbar";
  if (o.noIni) cmd += L" /noini";
  if (o.strip) cmd += L" /strip";
  if (o.backsel) cmd += L" /backsel";
  if (o.appWindow) cmd += L" /appwindow";
  // Switches for every stand-in of a run (scripts/test.sh runs the end-to-end tests once more
  // with a TeraPad built the other way).
  if (const wchar_t* more = _wgetenv(L"HOSTPAD_SWITCHES"); more && *more) cmd += L" " + std::wstring(more);
  if (!o.tool.empty()) cmd += L" " + QuoteArg(L"/tool=" + o.tool);
  if (!o.file.empty()) cmd += L" " + QuoteArg(o.file);
  m_process = Process::Start(cmd);
  if (!m_process.handle()) return;
  WaitForInputIdle(m_process.handle(), 10000);
  const bool found = WaitFor([&] {
    m_main = FindEditorMain(m_process.pid());
    return m_main != nullptr || !m_process.running();
  }, 10000);
  EXPECT_TRUE(found && m_main) << "hostpad.exe showed no main window";
}

HostPad::HostPad(HostPad&& other) noexcept
    : m_dir(std::move(other.m_dir)), m_ini(std::move(other.m_ini)), m_process(std::move(other.m_process)),
      m_main(std::exchange(other.m_main, nullptr)) {}

HostPad::~HostPad() { close(); }

HWND HostPad::editor() const {
  DWORD zero = 0;
  return reinterpret_cast<HWND>(send(0x8192, 0, reinterpret_cast<LPARAM>(&zero)));
}

HWND HostPad::toolbar() const { return m_main ? FindWindowExA(m_main, nullptr, "TToolbar", nullptr) : nullptr; }

LRESULT HostPad::send(UINT msg, WPARAM w, LPARAM l) const {
  DWORD_PTR result = 0;
  // A time-out instead of a hang when the editor is stuck: the test then fails, not the run.
  if (!SendMessageTimeoutW(m_main, msg, w, l, SMTO_NORMAL, 20000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

namespace {
std::string AnsiPath(const std::wstring& path) {
  const int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), n, nullptr, nullptr);
  return ansi;
}
}  // namespace

std::string HostPad::bytes() const {
  TempDir dir;
  const std::wstring path = dir.file(L"dump.bin");
  std::string ansi = AnsiPath(path);
  COPYDATASTRUCT cd{HPCD_DUMPTEXT, static_cast<DWORD>(ansi.size()), ansi.data()};
  if (!send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd))) {
    ADD_FAILURE() << "hostpad did not write its text";
    return {};
  }
  return ReadBytes(path);
}

void HostPad::setBytes(std::string_view bytes) {
  std::string copy(bytes);
  COPYDATASTRUCT cd{HPCD_SETTEXT, static_cast<DWORD>(copy.size()), copy.data()};
  EXPECT_TRUE(send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd))) << "hostpad did not take the text";
}

std::pair<long, long> HostPad::sel() const {
  DWORD start = 0, end = 0;
  SendMessageA(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<long>(start), static_cast<long>(end)};
}

void HostPad::select(long start, long end) const {
  SendMessageA(editor(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void HostPad::foreground() const {
  // Without a window manager Wine gives the foreground to whoever asks from the right
  // process; the editor asks for itself, and this process lets it.
  AllowSetForegroundWindow(m_process.pid());
  const bool ok = WaitFor([&] { return send(HPM_FOREGROUND) && GetForegroundWindow() == m_main; }, 5000);
  EXPECT_TRUE(ok) << "hostpad did not become the foreground window";
}

bool HostPad::hasKeyboard() const {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  return GetForegroundWindow() == m_main && GetGUIThreadInfo(GetWindowThreadProcessId(m_main, nullptr), &gui) &&
         gui.hwndFocus == editor();
}

void HostPad::close() {
  if (m_main && m_process.running()) {
    PostMessageW(m_main, WM_CLOSE, 0, 0);
    m_process.waitExit(5000);
  }
  m_process.kill();
  m_main = nullptr;
}

// ---- cp932

std::string Cp932(std::wstring_view s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromCp932(std::string_view s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}
