// Shared by the Wine test programs: the stand-in editor as a separate process, other
// processes, temporary folders. Everything here is move-only and cleans up after itself.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>
#include <utility>
#include "HostProtocol.h"

// Folder of the running test program; hostpad.exe and tolvane.exe are built into it.
std::wstring ExeDir();

// The stand-in editor's main window in process pid, once it is shown (its children made); or 0.
HWND FindEditorMain(DWORD pid);

// A fresh folder under %TEMP%, removed with its contents when the object goes.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(TempDir&&) noexcept;
  TempDir& operator=(TempDir&&) = delete;
  const std::wstring& path() const { return m_path; }
  std::wstring file(std::wstring_view name) const;   // path + "\" + name
private:
  std::wstring m_path;
};

// Writes bytes to a file as they are (cp932 or anything else).
void WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);

// A started process; killed at destruction if still running.
class Process {
public:
  Process() = default;
  // commandLine is passed to CreateProcessW unchanged; the program is looked up as given.
  static Process Start(const std::wstring& commandLine, int showCmd = SW_SHOWNORMAL);
  Process(Process&&) noexcept;
  Process& operator=(Process&&) noexcept;
  ~Process();
  bool running() const;
  bool waitExit(DWORD ms) const;     // true when it ended within ms
  DWORD exitCode() const;
  DWORD pid() const { return m_pid; }
  HANDLE handle() const { return m_process; }
  void kill();
private:
  HANDLE m_process = nullptr;
  DWORD m_pid = 0;
};

struct HostPadOptions {
  std::wstring file;        // file to open ("" = none)
  std::wstring ini;         // settings file ("" = hostpad.ini in a fresh TempDir of its own)
  long mode = 0;            // answer to 0x8194
  long cap = 0;             // bytes per transfer (0 = no cap)
  long undo = 0;            // undo depth (0 = unlimited)
  bool readonly = false;
  bool noToolbar = false;
  bool noIni = false;
  bool strip = false;       // a strip holding a toolbar window, measured by Tolvane (/strip)
  bool backsel = false;     // EM_GETSEL answers a backward selection as (anchor, caret) (/backsel)
  bool appWindow = false;   // a hidden application window owns the main window (/appwindow)
  std::wstring tool;        // tool menu command line ("" = default)
};

// The stand-in editor, started as its own process; closed (and killed if need be) at
// destruction. The constructor returns once its main window exists and it is idle.
class HostPad {
public:
  explicit HostPad(const HostPadOptions& options = {});
  HostPad(HostPad&&) noexcept;
  HostPad& operator=(HostPad&&) = delete;
  ~HostPad();

  HWND main() const { return m_main; }
  HWND editor() const;                    // answer to 0x8192
  HWND toolbar() const;                   // first "TToolbar" child, or 0
  const std::wstring& iniPath() const { return m_ini; }
  Process& process() { return m_process; }
  LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) const;   // to the main window

  std::string bytes() const;              // the editor's text, raw (HPCD_DUMPTEXT)
  void setBytes(std::string_view bytes);  // replaces the whole text (HPCD_SETTEXT)
  std::pair<long, long> sel() const;      // EM_GETSEL of the editor
  void select(long start, long end) const;
  void foreground() const;                // makes its main window the foreground window
  bool hasKeyboard() const;               // its main window in front, its editor with the focus
  void close();                           // WM_CLOSE and wait for the process to end
private:
  TempDir m_dir;
  std::wstring m_ini;
  Process m_process;
  HWND m_main = nullptr;
};

// Waits until pred() is true, pumping this thread's messages; false after ms.
template <class Pred> bool WaitFor(Pred pred, DWORD ms = 5000) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start > ms) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) { TranslateMessage(&msg); DispatchMessageW(&msg); }
    Sleep(10);
  }
}

// cp932 bytes of a UTF-16 text (explicitly 932, whatever the system code page) and back.
std::string Cp932(std::wstring_view s);
std::wstring FromCp932(std::string_view s);
